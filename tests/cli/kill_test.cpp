// The converter killed (SIGKILL) at random moments during a batch: afterwards no input may be
// truncated or half-written, every converted input must have its original in the backup folder,
// and a rerun completes the batch and removes the temporary files the killed runs left.
#include "platform/files.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

extern char **environ;

namespace qv::cli {
namespace {

constexpr int kPictures = 300;
constexpr int kKills = 6;

using Bytes = std::vector<std::uint8_t>;

pid_t Start(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    std::string program = QV_CONVERT_EXE;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string &a : copies) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

int Wait(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

// Every whole file of the backup folder, by content.
std::set<Bytes> BackedUp(const std::string &backup)
{
    std::set<Bytes> contents;
    if (!FolderExists(backup)) {
        return contents;
    }
    for (const auto &entry : std::filesystem::directory_iterator(backup)) {
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
            contents.insert(qv::test::ReadBytes(entry.path().string()));
        }
    }
    return contents;
}

TEST(Kill, NoInputIsLostWhenTheConverterIsKilledMidBatch)
{
    qv::test::TempDir pictures;
    qv::test::TempDir expected;
    std::map<std::string, Bytes> originals;
    for (int i = 0; i < kPictures; ++i) {
        const std::string name = "sprite" + std::to_string(i) + ".bmp";
        const std::int16_t depth = i % 3 == 0 ? 8 : (i % 3 == 1 ? 24 : 32);
        test::WritePicture(pictures.Path(), name, 8 + i % 24, 8 + i % 17, depth, i + 1U);
        originals[name] = qv::test::ReadBytes(pictures.File(name));
    }
    // The first-start settings: an empty settings file.
    qv::test::TempDir program;
    const std::string settings = program.Write("quorvantile.ini", std::string());
    const std::vector<std::string> options = {"--quiet", "--settings", settings, "--jobs", "2"};

    // What the whole batch writes, and how long it takes here.
    std::vector<std::string> reference = options;
    reference.insert(reference.end(), {"--output", expected.Path(), pictures.Path()});
    const auto start = std::chrono::steady_clock::now();
    const int status = Wait(Start(reference));
    const auto duration = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::vector<std::string> inPlace = options;
    inPlace.push_back(pictures.Path());
    const std::string backup = pictures.File("Quorvantile Backup");
    std::mt19937 random(12345);
    std::uniform_int_distribution<long long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(duration).count());
    int killedMidway = 0;
    for (int run = 0; run < kKills; ++run) {
        const pid_t pid = Start(inPlace);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        kill(pid, SIGKILL);
        const int killed = Wait(pid);
        killedMidway += WIFSIGNALED(killed) ? 1 : 0;

        const std::set<Bytes> saved = BackedUp(backup);
        for (const auto &[name, original] : originals) {
            const Bytes now = qv::test::ReadBytes(pictures.File(name));
            const Bytes converted = qv::test::ReadBytes(expected.File(name));
            ASSERT_TRUE(now == original || now == converted) << name << " is half-written";
            if (now != original) {
                EXPECT_TRUE(saved.count(original)) << name << " has lost its original";
            }
        }
    }
    EXPECT_GT(killedMidway, 0) << "no run was killed before it ended";

    // A rerun completes the batch; the originals stay in the backup folder.
    const int rerun = Wait(Start(inPlace));
    ASSERT_TRUE(WIFEXITED(rerun) && WEXITSTATUS(rerun) == 0);
    const std::set<Bytes> saved = BackedUp(backup);
    for (const auto &[name, original] : originals) {
        EXPECT_EQ(
            qv::test::ReadBytes(pictures.File(name)), qv::test::ReadBytes(expected.File(name)))
            << name;
        EXPECT_TRUE(saved.count(original)) << name;
    }
    // The temporary files the killed runs left are gone after the rerun.
    for (const std::string &folder : {pictures.Path(), backup}) {
        for (const auto &entry : std::filesystem::directory_iterator(folder)) {
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
        }
    }
}

} // namespace
} // namespace qv::cli
