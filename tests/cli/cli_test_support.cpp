#include "tests/cli/cli_test_support.h"

#include "cli/command_line.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace qv::cli::test {
namespace {

std::string Quoted(const std::string &text)
{
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadText(const std::string &path)
{
    const std::vector<std::uint8_t> bytes = qv::test::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::int32_t Field(const std::vector<std::uint8_t> &bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return size == 2 ? static_cast<std::int16_t>(value) : static_cast<std::int32_t>(value);
}

} // namespace

std::map<std::string, std::vector<std::uint8_t>> Snapshot(const std::string &folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        files[entry.path().string()] = entry.is_directory()
            ? std::vector<std::uint8_t> {'<', 'd', 'i', 'r', '>'}
            : qv::test::ReadBytes(entry.path().string());
    }
    return files;
}

std::string WritePicture(const std::string &folder,
    const std::string &name,
    std::int32_t width,
    std::int32_t height,
    std::int16_t bitCount,
    std::uint32_t seed)
{
    qv::test::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = bitCount;
    layout.seed = seed;
    const std::vector<std::uint8_t> bytes = qv::test::BuildBmp(layout);
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    return path;
}

BmpShape ShapeOf(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.size() < 30) {
        return {};
    }
    return {Field(bytes, 18, 4), Field(bytes, 22, 4), Field(bytes, 28, 2)};
}

std::vector<std::uint8_t> ColourTableOf(const std::vector<std::uint8_t> &bytes)
{
    return bytes.size() < 1078
        ? std::vector<std::uint8_t> {}
        : std::vector<std::uint8_t>(bytes.begin() + 54, bytes.begin() + 1078);
}

namespace {

// Runs "cd folder && <launch> program args" with the output captured.
Run RunCommand(const std::string &folder,
    const std::string &launch,
    const std::string &program,
    const std::vector<std::string> &args)
{
    const qv::test::TempDir capture;
    std::string command = "cd " + Quoted(folder) + " && " + launch + Quoted(program);
    for (const std::string &arg : args) {
        command += " " + Quoted(arg);
    }
    command += " >" + Quoted(capture.File("out")) + " 2>" + Quoted(capture.File("err"));
    const int wait = std::system(command.c_str());
    Run run;
    run.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    run.out = ReadText(capture.File("out"));
    run.err = ReadText(capture.File("err"));
    return run;
}

} // namespace

Run RunProgram(
    const std::string &folder, const std::vector<std::string> &args, const std::string &program)
{
    return RunCommand(folder, "", program, args);
}

Run RunProgramAsOtherUser(const std::string &folder,
    const std::vector<std::string> &args,
    const std::string &program,
    const std::vector<std::string> &environment)
{
    std::string launch = "env -u XDG_CONFIG_HOME";
    for (const std::string &variable : environment) {
        launch += " " + Quoted(variable);
    }
    return RunCommand(folder, launch + " " + qv::test::OtherUserCommandPrefix(), program, args);
}

Run RunInProcess(const std::vector<std::string> &args)
{
    std::ostringstream out;
    std::ostringstream err;
    Run run;
    run.status = RunCommandLine(args, out, err, 0);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace qv::cli::test
