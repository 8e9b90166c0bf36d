#include "cli/convert_jobs.h"
#include "cli/convert_run.h"
#include "cli/input_list.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

namespace fs = std::filesystem;
using qv::test::TempDir;

TEST(Jobs, ArgumentsExpandInOrderWithEachProblemNamed)
{
    const TempDir dir;
    fs::create_directories(dir.File("pics/sub.bmp"));
    fs::create_directories(dir.File("empty"));
    for (const char *name : {"b.BMP", "a.bmp", "C.bmp", "notes.txt", ".hidden.bmp"}) {
        dir.Write(std::string("pics/") + name, std::string("x"));
    }
    const std::string pics = dir.File("pics");
    const std::vector<InputFile> inputs = ExpandPaths({dir.File("pics/C.bmp"),
        pics,
        pics + "/./a.bmp",
        dir.File("missing.bmp"),
        dir.File("empty"),
        "/dev/null",
        dir.File(std::string(300, 'n') + ".bmp")});
    const std::vector<std::pair<std::string, std::string>> expected = {
        {pics + "/C.bmp", ""},
        {pics + "/a.bmp", ""},
        {pics + "/b.BMP", ""}, // C.bmp was named already; a.bmp again is left out
        {dir.File("missing.bmp"), "no such file or folder"},
        {dir.File("empty"), "no *.bmp, *.png or *.pcx pictures in this folder"},
        {"/dev/null", "neither a file nor a folder"},
        {dir.File(std::string(300, 'n') + ".bmp"), "name too long"},
    };
    ASSERT_EQ(inputs.size(), expected.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(inputs[i].file, expected[i].first);
        EXPECT_EQ(inputs[i].problem, expected[i].second);
    }
}

TEST(Jobs, BackupFoldersAreNamedButNotMadeAndAPlainFileInTheWayIsRefused)
{
    const TempDir dir;
    fs::create_directories(dir.File("made"));
    fs::create_directories(dir.File("kept/Quorvantile Backup"));
    fs::create_directories(dir.File("blocked"));
    dir.Write("kept/Quorvantile Backup/old.bmp", std::string("old"));
    dir.Write("blocked/Quorvantile Backup", std::string("a file"));
    std::vector<InputFile> inputs;
    for (const char *file : {"made/a.bmp", "made/b.bmp", "kept/c.bmp", "blocked/d.bmp"}) {
        inputs.push_back({dir.Write(file, std::string("x")), "", {}});
    }
    const auto blockedBefore = test::Snapshot(dir.File("blocked"));
    const std::vector<ConvertJob> jobs = PrepareJobs(inputs, "");
    ASSERT_EQ(jobs.size(), 4U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(jobs[i].problem, "") << jobs[i].file;
        // Only the folder that was there: the first backup makes the others.
        EXPECT_EQ(fs::is_directory(jobs[i].backupFolder), i == 2) << jobs[i].backupFolder;
        EXPECT_EQ(jobs[i].outputPath, "");
    }
    EXPECT_EQ(jobs[2].backupFolder, dir.File("kept/Quorvantile Backup"));
    EXPECT_EQ(qv::test::ReadBytes(dir.File("kept/Quorvantile Backup/old.bmp")).size(), 3U);
    EXPECT_NE(jobs[3].problem.find("is a file, not a folder"), std::string::npos);
    EXPECT_EQ(test::Snapshot(dir.File("blocked")), blockedBefore);
}

TEST(Jobs, AnOutputNeverLandsOnAnInputOrAnEarlierOutput)
{
    const TempDir dir;
    fs::create_directories(dir.File("a"));
    fs::create_directories(dir.File("b"));
    fs::create_directories(dir.File("out"));
    std::vector<InputFile> inputs;
    for (const char *file : {"a/x.bmp", "b/x.bmp", "a/y.bmp", "out/z.bmp"}) {
        inputs.push_back({dir.Write(file, std::string("x")), "", {}});
    }
    inputs.push_back({dir.File("gone.bmp"), "no such file or folder", {}});
    const std::vector<ConvertJob> jobs = PrepareJobs(inputs, dir.File("out"));
    ASSERT_EQ(jobs.size(), 5U);
    EXPECT_EQ(jobs[0].problem, "");
    EXPECT_EQ(jobs[0].outputPath, dir.File("out/x.bmp"));
    EXPECT_NE(jobs[1].problem.find("an earlier input already writes"), std::string::npos);
    EXPECT_EQ(jobs[2].problem, "");
    EXPECT_NE(jobs[3].problem.find("would replace the input"), std::string::npos);
    EXPECT_EQ(jobs[4].problem, "no such file or folder");
    for (const ConvertJob &job : jobs) {
        EXPECT_EQ(job.backupFolder, "");
    }
    EXPECT_FALSE(fs::exists(dir.File("a/Quorvantile Backup")));
}

TEST(Jobs, LinksThatLeadNowhereSaySo)
{
    const TempDir dir;
    fs::create_symlink("gone.bmp", dir.File("dangling.bmp"));
    fs::create_symlink("loop2.bmp", dir.File("loop1.bmp"));
    fs::create_symlink("loop1.bmp", dir.File("loop2.bmp"));
    const std::vector<InputFile> inputs =
        ExpandPaths({dir.File("dangling.bmp"), dir.File("loop1.bmp")});
    ASSERT_EQ(inputs.size(), 2U);
    EXPECT_EQ(inputs[0].problem, "a symbolic link to nothing (gone.bmp)");
    EXPECT_EQ(inputs[1].problem, "a loop of symbolic links");
}

// The originals in a backup folder are never converted in place; a copy of them may be.
TEST(Jobs, OriginalsInABackupFolderAreNotConvertedInPlace)
{
    const TempDir dir;
    const std::string backup = dir.File("pics/Quorvantile Backup");
    fs::create_directories(backup);
    fs::create_directories(dir.File("out"));
    dir.Write("pics/Quorvantile Backup/a.bmp", std::string("x"));
    for (const std::string &named : {backup, backup + "/a.bmp", backup + "/./a.bmp"}) {
        SCOPED_TRACE(named);
        const std::vector<InputFile> inputs = ExpandPaths({named});
        ASSERT_EQ(inputs.size(), 1U);
        const std::vector<ConvertJob> inPlace = PrepareJobs(inputs, "");
        EXPECT_EQ(inPlace[0].problem,
            "an original kept in a backup folder is not converted in place; use --output to "
            "convert a copy");
        EXPECT_FALSE(fs::exists(backup + "/Quorvantile Backup"));
        EXPECT_EQ(PrepareJobs(inputs, dir.File("out"))[0].problem, "");
    }
}

} // namespace
} // namespace qv::cli

namespace qv::cli {
namespace {

// The mapping report is measured only when the run shows it; the pictures come out the same.
TEST(Jobs, MappingReportsOnlyWhenAskedAndTheSameBytesEitherWay)
{
    std::vector<std::vector<std::uint8_t>> outputs;
    for (const bool reports : {true, false}) {
        const qv::test::TempDir dir;
        test::WritePicture(dir.Path(), "a.bmp", 30, 20);
        const std::vector<ConvertJob> jobs =
            PrepareJobs(ExpandPaths({dir.File("a.bmp")}), dir.File("out"));
        fs::create_directories(dir.File("out"));
        const std::vector<FileResult> results = RunConversion(
            ConversionOptions {}, jobs, 1, [](const FileResult &) {}, reports);
        ASSERT_EQ(results.size(), 1U);
        EXPECT_EQ(results[0].status, FileStatus::Converted);
        EXPECT_EQ(results[0].report.has_value(), reports);
        outputs.push_back(qv::test::ReadBytes(dir.File("out/a.bmp")));
    }
    EXPECT_FALSE(outputs[0].empty());
    EXPECT_EQ(outputs[0], outputs[1]);
}

} // namespace
} // namespace qv::cli

namespace qv::cli {
namespace {

// Workers take jobs a few at a time; whatever their number, every job is reported once, in job
// order, with the same status, messages and bytes as with one worker.
TEST(Jobs, BatchesKeepTheOrderTheMessagesAndTheBytes)
{
    const qv::test::TempDir dir;
    std::vector<std::string> names;
    for (int n = 0; n < 45; ++n) {
        const std::string name = "p" + std::to_string(100 + n) + ".bmp";
        // Every seventh is too large for the square, every eleventh an 8-bit picture.
        const std::int32_t side = n % 7 == 3 ? 90 : 8 + n % 5;
        test::WritePicture(dir.Path(), name, side, side, n % 11 == 0 ? 8 : 24, 1 + n);
        names.push_back(dir.File(name));
    }
    names.insert(names.begin() + 20, dir.File("missing.bmp"));
    const std::vector<InputFile> inputs = ExpandPaths(names);

    // With Convert Palette off the first 24-bit picture switches it on for the rest.
    for (const bool convertPalette : {true, false}) {
        ConversionOptions options;
        options.convertPalette = convertPalette;
        std::vector<FileResult> single;
        std::vector<std::vector<std::uint8_t>> singleBytes;
        for (const int workers : {1, 2, 3, 7}) {
            SCOPED_TRACE(std::to_string(workers) + " workers, Convert Palette "
                + (convertPalette ? "on" : "off"));
            const std::string out =
                dir.File("out" + std::to_string(workers) + (convertPalette ? "on" : "off"));
            fs::create_directories(out);
            const std::vector<ConvertJob> jobs = PrepareJobs(inputs, out);
            std::vector<std::string> reported;
            const std::vector<FileResult> results = RunConversion(
                options, jobs, workers, [&](const FileResult &r) { reported.push_back(r.file); });
            ASSERT_EQ(results.size(), jobs.size());
            ASSERT_EQ(reported.size(), jobs.size());
            std::vector<std::vector<std::uint8_t>> bytes;
            for (std::size_t i = 0; i < jobs.size(); ++i) {
                EXPECT_EQ(reported[i], jobs[i].file);
                EXPECT_EQ(results[i].file, jobs[i].file);
                bytes.push_back(results[i].output.empty() ? std::vector<std::uint8_t> {}
                                                          : qv::test::ReadBytes(results[i].output));
            }
            if (workers == 1) {
                single = results;
                singleBytes = bytes;
                continue;
            }
            for (std::size_t i = 0; i < jobs.size(); ++i) {
                EXPECT_EQ(results[i].status, single[i].status) << jobs[i].file;
                EXPECT_EQ(results[i].messages, single[i].messages) << jobs[i].file;
                EXPECT_EQ(bytes[i], singleBytes[i]) << jobs[i].file;
            }
        }
        // The run held every kind of result.
        const auto count = [&](FileStatus status) {
            return std::count_if(single.begin(), single.end(), [&](const FileResult &r) {
                return r.status == status;
            });
        };
        EXPECT_GT(count(FileStatus::Converted), 30);
        EXPECT_GT(count(FileStatus::Refused), 4);
    }
}

} // namespace
} // namespace qv::cli
