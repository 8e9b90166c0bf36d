#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

namespace fs = std::filesystem;
using qv::test::ReadBytes;
using qv::test::TempDir;

const std::string kHint = "Try 'quorvantile-convert --help' for more information.\n";

// A folder with two pictures that convert, and the given settings file beside them.
struct Scene {
    TempDir dir;
    std::string ini;
    explicit Scene(const std::string &settings = "")
    {
        test::WritePicture(dir.Path(), "a.bmp", 40, 30);
        test::WritePicture(dir.Path(), "b.bmp", 20, 20, 8, 2);
        ini = dir.Write("s.ini", settings);
    }
};

TEST(EndToEnd, UsageErrorsExitWithTwoAHintAndNothingChanged)
{
    const std::vector<std::vector<std::string>> cases = {{"--size", "30", "."},
        {"--scale", "16", "."},
        {"--brightness", "1,2", "."},
        {"--jobs", "0", "."},
        {"--json=yes", "."},
        {"--frobnicate", "."},
        {"--settings", "s.ini"},
        {"--settings", "missing.ini", "."},
        {"--palette", "NOPE", "."},
        {"--palette", "a.bmp", "."}, // a file, but no palette
        {"--output", "b.bmp", "."}};
    for (const std::vector<std::string> &args : cases) {
        const Scene scene;
        const auto before = test::Snapshot(scene.dir.Path());
        std::vector<std::string> withSettings = {"--settings", scene.ini};
        withSettings.insert(withSettings.end(), args.begin(), args.end());
        const test::Run run = test::RunProgram(scene.dir.Path(), withSettings);
        SCOPED_TRACE(args[0] + " " + args[1]);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("quorvantile-convert: ")) << run.err;
        EXPECT_TRUE(run.err.ends_with(kHint)) << run.err;
        EXPECT_EQ(test::Snapshot(scene.dir.Path()), before);
    }
    // A settings path that names no file says what it names instead.
    const Scene scene;
    ASSERT_EQ(mkfifo(scene.dir.File("pipe.ini").c_str(), 0600), 0);
    for (const auto &[path, what] : {std::pair {".", " is a folder\n"},
             std::pair {"pipe.ini", " is not an ordinary file (a device, a pipe or a socket)\n"}}) {
        const test::Run run = test::RunProgram(scene.dir.Path(), {"--settings", path, "."});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.starts_with(
            std::string("quorvantile-convert: the settings file ") + path + what))
            << run.err;
    }
}

TEST(EndToEnd, InPlaceKeepsTheOriginalsAndReportsRefusalsOnOneLineEach)
{
    const Scene scene;
    test::WritePicture(scene.dir.Path(), "big.bmp", 100, 40);
    const std::string junk = scene.dir.Write("junk.bmp", std::string("BM junk"));
    const auto before = test::Snapshot(scene.dir.Path());
    const std::string folder = scene.dir.Path() + "/";
    const test::Run run = test::RunProgram(scene.dir.Path(), {"--settings", scene.ini, "."});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.out.starts_with("Converted 2 of 4 file(s); 2 refused or failed.\nColours: exact "))
        << run.out;
    EXPECT_EQ(run.err,
        "./big.bmp is larger than the output square: 100 x 40 in a square of 64; use --size 100 "
        "or --find-minimum.\n"
        "./junk.bmp: not a picture: the file holds 7 bytes, its headers declare 18\n");
    // No scaling at first start: each picture keeps its size, now as 8 bits.
    for (const auto &[name, side] : {std::pair {"a.bmp", 40}, std::pair {"b.bmp", 20}}) {
        EXPECT_EQ(ReadBytes(folder + "Quorvantile Backup/" + name), before.at(folder + name));
        const test::BmpShape shape = test::ShapeOf(ReadBytes(folder + name));
        EXPECT_EQ(shape.bitCount, 8);
        EXPECT_EQ(shape.width, side);
    }
    for (const char *name : {"big.bmp", "junk.bmp"}) {
        EXPECT_EQ(ReadBytes(folder + name), before.at(folder + name));
        EXPECT_FALSE(fs::exists(folder + "Quorvantile Backup/" + name));
    }
    // A second run converts the converted files again; the first originals stay in the backup.
    EXPECT_EQ(test::RunProgram(scene.dir.Path(), {"--settings", scene.ini, "a.bmp"}).status, 0);
    EXPECT_EQ(ReadBytes(folder + "Quorvantile Backup/a.bmp"), before.at(folder + "a.bmp"));
}

// The backup folder appears with the first backup: a run that replaces nothing leaves none. A
// hidden file named on the command line is converted like any other.
TEST(EndToEnd, TheBackupFolderComesWithTheFirstBackup)
{
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string closing;
        bool backedUp;
    };
    const Row rows[] = {
        {{"big.bmp"}, 1, "Converted 0 of 1 file(s); 1 refused or failed.\n", false},
        {{"junk.bmp", "big.bmp"}, 1, "Converted 0 of 2 file(s); 2 refused or failed.\n", false},
        {{"--format", "png", "a.bmp"}, 0, "Converted 1 file(s).\n", false}, // a.png beside it
        {{".hidden.bmp"}, 0, "Converted 1 file(s).\n", true},
    };
    for (const Row &row : rows) {
        const Scene scene;
        test::WritePicture(scene.dir.Path(), "big.bmp", 100, 40);
        test::WritePicture(scene.dir.Path(), ".hidden.bmp", 10, 10);
        scene.dir.Write("junk.bmp", std::string("BM junk"));
        std::vector<std::string> args = {"--settings", scene.ini};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const test::Run run = test::RunProgram(scene.dir.Path(), args);
        SCOPED_TRACE(row.args.back());
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_TRUE(run.out.starts_with(row.closing)) << run.out;
        EXPECT_EQ(fs::exists(scene.dir.File("Quorvantile Backup")), row.backedUp);
        if (row.backedUp) {
            EXPECT_EQ(test::ShapeOf(ReadBytes(scene.dir.File("Quorvantile Backup/.hidden.bmp"))),
                (test::BmpShape {10, 10, 24}));
        }
    }
}

TEST(EndToEnd, OutputFolderLeavesInputsUntouchedAndJsonLinesParse)
{
    const Scene scene;
    const auto before = test::Snapshot(scene.dir.Path());
    const test::Run run = test::RunProgram(scene.dir.Path(),
        {"--settings", scene.ini, "--output", "out", "--json", "a.bmp", "b.bmp", "gone\xff.bmp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "gone\xff.bmp: no such file or folder\n");
    auto after = test::Snapshot(scene.dir.Path());
    for (const char *name : {"/out", "/out/a.bmp", "/out/b.bmp"}) {
        EXPECT_EQ(after.erase(scene.dir.Path() + name), 1U) << name;
    }
    EXPECT_EQ(after, before); // inputs as they were, and no backup folder
    EXPECT_EQ(test::ShapeOf(ReadBytes(scene.dir.File("out/a.bmp"))), (test::BmpShape {40, 30, 8}));

    // A name that is not UTF-8 comes back byte for byte.
    const std::string check =
        "import json,os,sys\n"
        "for l in open(sys.argv[1]):\n"
        " o=json.loads(l); print(os.fsencode(o['file']),o['status'],o['output'])\n";
    const std::string lines = scene.dir.Write("lines.json", run.out);
    const test::Run parsed =
        test::RunProgram(scene.dir.Path(), {"-c", check, lines}, "/usr/bin/python3");
    EXPECT_EQ(parsed.out,
        "b'a.bmp' converted out/a.bmp\nb'b.bmp' converted out/b.bmp\n"
        "b'gone\\xff.bmp' failed None\n")
        << parsed.err;
}

TEST(EndToEnd, OutputFolderIsMadeWithItsParentsAndNamesAreShownEscaped)
{
    const Scene scene;
    const std::string odd = "odd\x1b[2J\n.bmp";
    test::WritePicture(scene.dir.Path(), odd, 100, 40);
    const test::Run run = test::RunProgram(
        scene.dir.Path(), {"--settings", scene.ini, "--output", "made/on/the/way", "."});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
        "./odd\\x1b[2J\\n.bmp is larger than the output square: 100 x 40 in a square of 64; use "
        "--size 100 or --find-minimum.\n");
    EXPECT_TRUE(fs::exists(scene.dir.File("made/on/the/way/a.bmp")));
    EXPECT_TRUE(fs::exists(scene.dir.File("made/on/the/way/b.bmp")));
}

TEST(EndToEnd, SettingsAreReadNeverWritten)
{
    // Out-of-range values the window would correct, and Convert Palette off so that a 24-bit
    // picture switches it on: the window would store both; this program stores nothing.
    const Scene scene("[General]\r\nConvertPalette=0\r\nScaleMode=3\r\nBright0=999\r\n");
    const auto bytes = ReadBytes(scene.ini);
    const auto stamp = fs::last_write_time(scene.ini);
    const test::Run run = test::RunProgram(scene.dir.Path(), {"--settings", scene.ini, "."});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "./a.bmp is 24-bit and needs to have its palette converted.\n");
    EXPECT_EQ(test::ShapeOf(ReadBytes(scene.dir.File("a.bmp"))), (test::BmpShape {32, 32, 8}));
    EXPECT_EQ(ReadBytes(scene.ini), bytes);
    EXPECT_EQ(fs::last_write_time(scene.ini), stamp);
    std::vector<std::string> names; // no temporary settings file left beside it either
    for (const auto &entry : fs::directory_iterator(scene.dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> {"Quorvantile Backup", "a.bmp", "b.bmp", "s.ini"}));
}

TEST(EndToEnd, TheWindowsSettingsFileBesideTheProgramIsTheDefault)
{
    const Scene scene;
    fs::create_directories(scene.dir.File("bin"));
    const std::string program = scene.dir.File("bin/quorvantile-convert");
    fs::copy_file(QV_CONVERT_EXE, program);
    scene.dir.Write("bin/quorvantile.ini", std::string("[General]\r\nScaleMode=3\r\n"));
    const test::Run version = test::RunProgram(scene.dir.Path(), {"--version"}, program);
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("quorvantile-convert 1.")) << version.out;

    const test::Run run = test::RunProgram(scene.dir.Path(), {"--quiet", "a.bmp"}, program);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::ShapeOf(ReadBytes(scene.dir.File("a.bmp"))), (test::BmpShape {32, 32, 8}));
}

// Which settings file a copy of the program in bin/ reads by default, run by a user for whom bin/
// is writable or not. Each file scales to another square, so the output tells which one was
// read: 32 the file beside the program, 128 the user's; with neither the 40 x 30 picture is not
// scaled (the default).
TEST(EndToEnd, TheDefaultSettingsFileIsBesideAWritableProgramElseTheUsers)
{
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
        | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    struct Row {
        const char *what;
        fs::perms programFolder;
        const char *userSettings; // where the user's file is written; nullptr for none
        const char *variable; // how the program is told where the user's folder is
        test::BmpShape shape;
    };
    const Row rows[] = {
        {"writable",
            fs::perms::all,
            "config/quorvantile/quorvantile.ini",
            "XDG_CONFIG_HOME=config",
            {32, 32, 8}},
        {"read-only",
            readOnly,
            "config/quorvantile/quorvantile.ini",
            "XDG_CONFIG_HOME=config",
            {128, 128, 8}},
        {"read-only, home",
            readOnly,
            "home/.config/quorvantile/quorvantile.ini",
            "HOME=home",
            {128, 128, 8}},
        {"read-only, none", readOnly, nullptr, "XDG_CONFIG_HOME=config", {40, 30, 8}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const Scene scene;
        fs::permissions(scene.dir.Path(), fs::perms::all);
        fs::create_directories(scene.dir.File("bin"));
        const std::string program = scene.dir.File("bin/quorvantile-convert");
        fs::copy_file(QV_CONVERT_EXE, program);
        scene.dir.Write("bin/quorvantile.ini", std::string("[General]\r\nScaleMode=3\r\n"));
        fs::permissions(scene.dir.File("bin"), row.programFolder);
        if (row.userSettings != nullptr) {
            fs::create_directories(fs::path(scene.dir.File(row.userSettings)).parent_path());
            scene.dir.Write(row.userSettings, std::string("[General]\r\nScaleMode=2\r\n"));
        }
        const std::string variable = row.variable;
        const std::string name = variable.substr(0, variable.find('=') + 1);
        const std::string folder = scene.dir.File(variable.substr(name.size()));

        const test::Run run = test::RunProgramAsOtherUser(
            scene.dir.Path(), {"--quiet", "a.bmp"}, program, {name + folder});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(test::ShapeOf(ReadBytes(scene.dir.File("a.bmp"))), row.shape);
        if (row.userSettings == nullptr) {
            EXPECT_FALSE(fs::exists(folder)) << "the converter makes no settings folder";
        }
    }
}

} // namespace
} // namespace qv::cli
