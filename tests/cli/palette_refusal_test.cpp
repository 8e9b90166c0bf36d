#include "platform/files.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

using qv::test::TempDir;

const std::string kProgram = "quorvantile-convert: ";
const std::string kHint = "Try 'quorvantile-convert --help' for more information.\n";

// A JASC palette whose entry lines stop after the third colour.
std::string TruncatedJasc()
{
    return "JASC-PAL\r\n0100\r\n256\r\n1 2 3\r\n4 5 6\r\n7 8 9\r\n";
}

// Where the palette file comes from: the settings file the window keeps, or --palette.
enum class Named { BySettings, ByOption };

// A palette file that cannot be used stops the run before any picture is touched, whether the
// settings or the command line name it, with one line that names the file and says why.
TEST(PaletteRefusal, AnUnusablePaletteFileStopsTheRunBeforeAnyFileIsTouched)
{
    struct Row {
        const char *name;
        Named named;
        // Makes the palette in the folder and returns its path.
        std::string (*make)(const TempDir &dir);
        // The message line after the program's name, for the path made.
        std::string (*message)(const std::string &path);
    };
    const auto missing = [](const TempDir &dir) { return dir.File("gone.pal"); };
    const auto folder = [](const TempDir &dir) {
        std::filesystem::create_directory(dir.File("palettes"));
        return dir.File("palettes");
    };
    const auto device = [](const TempDir &) { return std::string("/dev/zero"); };
    const auto pipe = [](const TempDir &dir) {
        const std::string path = dir.File("fifo.pal");
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
        return path;
    };
    const auto unknown = [](const TempDir &dir) {
        return dir.Write("odd.pal", std::string(771, '\x10'));
    };
    const auto truncated = [](const TempDir &dir) {
        return dir.Write("short.pal", TruncatedJasc());
    };
    const auto noSuchFile = [](const std::string &path) {
        return "Error #53: File not found: palette file " + path + ": no such file";
    };
    const auto notAPaletteName = [](const std::string &path) {
        return "unknown palette " + path
            + ": neither a built-in palette (WOLF3D, SPEAR, BLAKESTONE, BODYCOUNT, CORRIDOR7, "
              "NOAH3D, DOOM) nor a palette file";
    };
    const auto isAFolder = [](const std::string &path) {
        return "Error #75: Path/File access error: palette file " + path + ": is a folder";
    };
    const auto notOrdinary = [](const std::string &path) {
        return "Error #75: Path/File access error: palette file " + path + ": not an ordinary file";
    };
    const auto unknownFormat = [](const std::string &path) {
        return "palette file " + path + ": unknown palette file format";
    };
    const auto endsEarly = [](const std::string &path) {
        return "Error #62: Input past end of file: palette file " + path
            + ": the JASC palette ends after 3 of 256 colours";
    };
    const Row rows[] = {
        {"missing, in the settings", Named::BySettings, missing, noSuchFile},
        {"missing, as the option", Named::ByOption, missing, notAPaletteName},
        {"a folder, in the settings", Named::BySettings, folder, isAFolder},
        {"a folder, as the option", Named::ByOption, folder, isAFolder},
        {"a device, in the settings", Named::BySettings, device, notOrdinary},
        {"a device, as the option", Named::ByOption, device, notOrdinary},
        {"a pipe nobody writes to, in the settings", Named::BySettings, pipe, notOrdinary},
        {"a pipe nobody writes to, as the option", Named::ByOption, pipe, notOrdinary},
        {"of unknown format, in the settings", Named::BySettings, unknown, unknownFormat},
        {"of unknown format, as the option", Named::ByOption, unknown, unknownFormat},
        {"truncated, in the settings", Named::BySettings, truncated, endsEarly},
        {"truncated, as the option", Named::ByOption, truncated, endsEarly},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        // The pictures in a folder of their own, so that looking at them reads no pipe.
        const TempDir dir;
        const std::string pictures = dir.File("pictures");
        std::filesystem::create_directory(pictures);
        test::WritePicture(pictures, "a.bmp", 40, 30);
        test::WritePicture(pictures, "b.bmp", 20, 20, 8, 2);
        const std::string palette = row.make(dir);
        std::vector<std::string> args = {"--settings"};
        if (row.named == Named::BySettings) {
            args.push_back(dir.Write(
                "s.ini", "[General]\r\nPalette=7\r\nExternalPalette=" + palette + "\r\n"));
        } else {
            args.push_back(dir.Write("s.ini", "[General]\r\nPalette=6\r\n"));
            args.insert(args.end(), {"--palette", palette});
        }
        args.push_back(pictures);
        const auto before = test::Snapshot(pictures);

        const test::Run run = test::RunInProcess(args);

        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, kProgram + row.message(NativePath(palette)) + "\n" + kHint);
        EXPECT_EQ(test::Snapshot(pictures), before);
    }
}

// The palette that counts is the one the run would convert with: a broken file left in the
// settings stops nothing when the command line chooses another palette, and the window's
// external choice without any path stays WOLF3D.
TEST(PaletteRefusal, OnlyThePaletteChosenInTheEndIsChecked)
{
    struct Row {
        const char *name;
        std::string settings;
        std::vector<std::string> options;
    };
    const Row rows[] = {
        {"a missing file overridden by a built-in name",
            "Palette=7\r\nExternalPalette=/no/such/folder/x.pal",
            {"--palette", "DOOM"}},
        {"the external choice without a path", "Palette=7", {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const TempDir dir;
        test::WritePicture(dir.Path(), "a.bmp", 40, 30);
        std::vector<std::string> args = {
            "--settings", dir.Write("s.ini", "[General]\r\n" + row.settings + "\r\n"), "--quiet"};
        args.insert(args.end(), row.options.begin(), row.options.end());
        args.push_back(dir.File("a.bmp"));

        const test::Run run = test::RunInProcess(args);

        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(test::ShapeOf(qv::test::ReadBytes(dir.File("a.bmp"))).bitCount, 8);
    }
}

} // namespace
} // namespace qv::cli
