#include "cli/find_minimum.h"
#include "engine/resize_bmp.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

using qv::test::FakeSink;
using qv::test::TempDir;

// name, width, height, depth: a 24-bit picture before 8-bit ones (so switching Convert Palette
// on changes them), every depth, and one too large for a square of 64.
struct Picture {
    const char *name;
    std::int32_t width;
    std::int32_t height;
    std::int16_t bitCount;
};
constexpr Picture kPictures[] = {{"a.bmp", 40, 30, 24},
    {"b.bmp", 20, 50, 8},
    {"c.bmp", 64, 64, 32},
    {"d.bmp", 64, 10, 8},
    {"e.bmp", 100, 40, 24}};

// "@pal" in settings lines and arguments stands for a palette file of the test folder.
std::string WithPalette(std::string text, const std::string &palette)
{
    const std::size_t at = text.find("@pal");
    return at == std::string::npos ? text : text.replace(at, 4, palette);
}

struct Case {
    const char *name;
    std::vector<std::string> ini; // lines of the settings file
    std::vector<std::string> args;
    std::function<void(FakeSink &, const std::string &palette)> configure;
};

const std::vector<std::string> kStoredSettings = {"[General]",
    "Palette=6",
    "ScaleMode=3",
    "VerticalAlignment=0",
    "HorizontalAlignment=3",
    "ColorMatching=2",
    "Bright0=150",
    "Bright2=40",
    "TransparentEdges=0",
    "OutputTransparentColor=7",
    "[Colors]",
    "Skip3=1"};

void StoredSettings(FakeSink &h, const std::string &)
{
    h.options.palette = PaletteChoice::BuiltIn("DOOM");
    h.options.scaling = static_cast<Scaling>(3);
    h.options.verticalAlignment = static_cast<VerticalAlignment>(0);
    h.options.horizontalAlignment = static_cast<HorizontalAlignment>(3);
    h.options.colorMatching = static_cast<ColorMatching>(2);
    h.options.brightness = {150, 100, 40};
    h.options.transparentEdges = false;
    h.options.outputTransparentColor = 7;
    h.options.skip[3] = h.options.skip[7] = true;
}

// The program against the engine run by hand over the same pictures in the same order, with
// one host set up as the window's controls would be: every option must reach the engine.
TEST(Conversion, GivesTheEnginesResultForEverySettingAndAnyNumberOfJobs)
{
    const Case cases[] = {
        {"first start", {}, {}, [](FakeSink &, const std::string &) {}},
        {"settings file", kStoredSettings, {}, StoredSettings},
        {"options override the settings file",
            kStoredSettings,
            {"--palette=wolf3d",
                "--scale=128",
                "--size=128",
                "--valign=center",
                "--halign=left",
                "--match=square",
                "--brightness=100,100,100",
                "--edges",
                "--output-transparent=0",
                "--skip=16-31"},
            [](FakeSink &h, const std::string &) {
                h.options.scaling = static_cast<Scaling>(2);
                h.options.squareSize = 128;
                h.options.verticalAlignment = static_cast<VerticalAlignment>(1);
                h.options.horizontalAlignment = static_cast<HorizontalAlignment>(0);
                h.options.colorMatching = static_cast<ColorMatching>(3);
                h.options.outputTransparentColor = 0;
                h.options.skip = {};
                for (int i = 16; i <= 31; ++i) {
                    h.options.skip[static_cast<std::size_t>(i)] = true;
                }
                h.options.skip[0] = true;
            }},
        {"transparency",
            {"[General]", "InputTransparentColor=0"},
            {"--scale=64", "--valign=bottom", "--halign=right", "--match=row"},
            [](FakeSink &h, const std::string &) {
                h.options.inputTransparentColor = 0;
                h.options.scaling = static_cast<Scaling>(1);
                h.options.horizontalAlignment = static_cast<HorizontalAlignment>(2);
                h.options.colorMatching = static_cast<ColorMatching>(1);
            }},
        {"no transparency",
            {},
            {"--no-transparency", "--match=column", "--scale=32"},
            [](FakeSink &h, const std::string &) {
                h.options.applyTransparency = false;
                h.options.colorMatching = static_cast<ColorMatching>(2);
                h.options.scaling = static_cast<Scaling>(3);
            }},
        {"palette file option, no skip list",
            {},
            {"--palette=@pal", "--valign=weighted", "--skip=", "--output-transparent=128"},
            [](FakeSink &h, const std::string &palette) {
                // Grey entry 128 is nearest to many of the pictures' colours: it must still be
                // skipped, as the output transparent entry.
                h.options.palette = PaletteChoice::File(palette);
                h.options.verticalAlignment = static_cast<VerticalAlignment>(3);
                h.options.skip = {};
                h.options.skip[128] = true;
                h.options.outputTransparentColor = 128;
            }},
        {"palette file in the settings",
            {"[General]", "Palette=7", "ExternalPalette=@pal"},
            {},
            [](FakeSink &h, const std::string &palette) {
                h.options.palette = PaletteChoice::File(palette);
            }},
        {"distance and dithering in the settings",
            {"[General]", "ColorDistance=3", "Dithering=1"},
            {"--scale=64", "--match=square"},
            [](FakeSink &h, const std::string &) {
                h.options.distance = DistanceMeasure::Ciede2000;
                h.options.dithering = Dithering::FloydSteinberg;
                h.options.scaling = static_cast<Scaling>(1);
                h.options.colorMatching = static_cast<ColorMatching>(3);
            }},
        {"distance and dithering options",
            {"[General]", "ColorDistance=3", "Dithering=1"},
            {"--distance=oklab", "--dither=ordered"},
            [](FakeSink &h, const std::string &) {
                h.options.distance = DistanceMeasure::OkLab;
                h.options.dithering = Dithering::Ordered;
            }},
        {"convert palette off",
            {"[General]", "ConvertPalette=0"},
            {"--scale=64"},
            [](FakeSink &h, const std::string &) {
                h.options.convertPalette = false;
                h.options.scaling = static_cast<Scaling>(1);
            }},
    };
    for (const Case &c : cases) {
        for (const char *jobs : {"1", "4"}) {
            SCOPED_TRACE(std::string(c.name) + ", jobs " + jobs);
            const TempDir dir;
            const std::string palette = dir.Write("grey.act", qv::test::GreyActPalette());
            std::filesystem::create_directories(dir.File("pics"));
            for (const Picture &p : kPictures) {
                test::WritePicture(dir.File("pics"), p.name, p.width, p.height, p.bitCount);
            }
            std::string ini;
            for (const std::string &line : c.ini) {
                ini += WithPalette(line, palette) + "\r\n";
            }
            std::vector<std::string> args = {"--settings",
                dir.Write("s.ini", ini),
                "--output",
                dir.File("out"),
                "--jobs",
                jobs,
                dir.File("pics")};
            for (const std::string &arg : c.args) {
                args.push_back(WithPalette(arg, palette));
            }
            const test::Run run = test::RunInProcess(args);

            FakeSink host;
            c.configure(host, palette);
            std::filesystem::create_directories(dir.File("expected"));
            std::size_t converted = 0;
            for (const Picture &p : kPictures) {
                std::int32_t w = host.options.squareSize;
                std::int32_t h = w;
                const std::string expected = dir.File("expected/") + p.name;
                converted +=
                    host.Resize(
                        dir.File("pics/") + p.name, w, h, ResizeDestination::OutputFile(expected))
                        == ResizeResult::Converted
                    ? 1
                    : 0;
                EXPECT_EQ(
                    qv::test::ReadBytes(dir.File("out/") + p.name), qv::test::ReadBytes(expected))
                    << p.name;
            }
            ASSERT_GE(converted, 4U) << "the pictures should mostly convert";
            EXPECT_EQ(run.status, converted == std::size(kPictures) ? 0 : 1) << run.err;
        }
    }
}

// The window's Find Minimum after showing each picture: sides (0 x 0 for an unreadable file).
TEST(Conversion, FindMinimumLowersTheSmallestSizeAsShowingEachPictureDoes)
{
    struct Row {
        std::vector<std::pair<std::int32_t, std::int32_t>> sides;
        std::int32_t expected;
    };
    const Row rows[] = {
        {{}, 32},
        {{{61, 20}}, 64},
        {{{64, 64}}, 64},
        {{{65, 3}}, 68},
        {{{10, 10}}, 16}, // 10 lowers the smallest permitted size to 16
        {{{20, 20}, {30, 30}}, 32}, // lowered to 20; the largest side 30 rounds up to 32
        {{{0, 0}, {40, 40}}, 40}, // an unreadable file lowers it to 16, and measures nothing
        {{{0, 0}}, 16},
        {{{600, 600}}, 32}, // refused: lowers nothing, measures nothing
        {{{8, 600}}, 16}, // refused, yet its small side lowers the range as the window does
        {{{512, 12}}, 512},
    };
    for (const Row &row : rows) {
        const TempDir dir;
        std::vector<std::string> files;
        for (const auto &[w, h] : row.sides) {
            const std::string name = "p" + std::to_string(files.size()) + ".bmp";
            files.push_back(w == 0 ? dir.Write(name, std::string("not a picture"))
                                   : test::WritePicture(dir.Path(), name, w, h, 8));
        }
        EXPECT_EQ(FindMinimumSquare(files), row.expected) << files.size() << " pictures";
    }
}

} // namespace
} // namespace qv::cli
