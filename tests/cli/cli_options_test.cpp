#include "cli/cli_options.h"
#include "cli/convert_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

ParseResult Parse(std::vector<std::string> args)
{
    return ParseCommandLine(args);
}

TEST(CliOptions, ReadsEveryOption)
{
    const ParseResult r = Parse({"--settings",
        "a.ini",
        "--palette",
        "DOOM",
        "--size=128",
        "--find-minimum",
        "--scale",
        "32",
        "--valign",
        "weighted",
        "--halign",
        "right",
        "--match",
        "square",
        "--brightness",
        "90,100,110",
        "--no-convert-palette",
        "--transparency",
        "--input-transparent",
        "0",
        "--output-transparent",
        "254",
        "--no-edges",
        "--skip",
        "0,16-18,255",
        "--output",
        "out",
        "--jobs",
        "4",
        "--json",
        "--quiet",
        "pics",
        "x.bmp"});
    ASSERT_TRUE(r.ok()) << r.error;
    const CliOptions &o = r.options;
    ConversionOptions c;
    c.applyTransparency = false; // so that --transparency shows
    ASSERT_EQ(ApplyOptions(o, c), "");
    EXPECT_EQ(o.settingsFile, "a.ini");
    EXPECT_EQ(c.palette, PaletteChoice::BuiltIn("DOOM"));
    EXPECT_EQ(c.squareSize, 128);
    EXPECT_TRUE(o.findMinimum);
    EXPECT_EQ(c.scaling, Scaling::Square32);
    EXPECT_EQ(c.verticalAlignment, VerticalAlignment::Weighted);
    EXPECT_EQ(c.horizontalAlignment, HorizontalAlignment::Right);
    EXPECT_EQ(c.colorMatching, ColorMatching::AverageSquare);
    EXPECT_EQ(c.brightness, (std::array<std::int32_t, 3> {90, 100, 110}));
    EXPECT_EQ(c.convertPalette, false);
    EXPECT_EQ(c.applyTransparency, true);
    EXPECT_EQ(c.inputTransparentColor, 0);
    EXPECT_EQ(c.outputTransparentColor, 254);
    EXPECT_EQ(c.transparentEdges, false);
    int skipped = 0;
    for (bool s : c.skip) {
        skipped += s ? 1 : 0;
    }
    EXPECT_EQ(skipped, 6); // the list's five and the output transparent entry, 254
    EXPECT_TRUE(c.skip[17]);
    EXPECT_FALSE(c.skip[19]);
    EXPECT_TRUE(c.skip[254]);
    EXPECT_EQ(o.outputDir, "out");
    EXPECT_EQ(o.jobs, 4);
    EXPECT_TRUE(o.json);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.paths, (std::vector<std::string> {"pics", "x.bmp"}));
}

TEST(CliOptions, DistanceAndDitherTakeEachOfTheirNames)
{
    const struct {
        std::vector<std::string> args;
        DistanceMeasure distance;
        Dithering dithering;
    } cases[] = {
        {{"--distance", "rgb", "--dither", "none"}, DistanceMeasure::Rgb, Dithering::None},
        {{"--distance=weighted", "--dither=fs"},
            DistanceMeasure::WeightedRgb,
            Dithering::FloydSteinberg},
        {{"--distance", "oklab", "--dither", "ordered"},
            DistanceMeasure::OkLab,
            Dithering::Ordered},
        {{"--dither", "fs", "--distance", "ciede2000"},
            DistanceMeasure::Ciede2000,
            Dithering::FloydSteinberg},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = c.args;
        args.emplace_back("a.bmp");
        const ParseResult r = Parse(args);
        ASSERT_TRUE(r.ok()) << r.error;
        ConversionOptions options;
        options.distance = DistanceMeasure::OkLab;
        options.dithering = Dithering::Ordered;
        ASSERT_EQ(ApplyOptions(r.options, options), "");
        EXPECT_EQ(options.distance, c.distance) << args[1];
        EXPECT_EQ(options.dithering, c.dithering) << args[1];
    }
    for (const std::vector<std::string> &bad :
        {std::vector<std::string> {"--distance", "lab", "a.bmp"},
            {"--dither", "floyd", "a.bmp"},
            {"--distance", "RGB", "a.bmp"}}) {
        EXPECT_FALSE(Parse(bad).ok()) << bad[1];
    }
}

TEST(CliOptions, OptionsNotGivenKeepTheSettings)
{
    const ParseResult r = Parse({"a.bmp"});
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.options.conversion.empty());
    EXPECT_EQ(r.options.jobs, 0);
}

TEST(CliOptions, MalformedValuesAreUsageErrors)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--size", "30", "a.bmp"},
        {"--size", "514", "a.bmp"},
        {"--size", "12", "a.bmp"},
        {"--size", "64x", "a.bmp"},
        {"--scale", "16", "a.bmp"},
        {"--valign", "middle", "a.bmp"},
        {"--halign", "top", "a.bmp"},
        {"--match", "average", "a.bmp"},
        {"--brightness", "100,100", "a.bmp"},
        {"--brightness", "100,201,0", "a.bmp"},
        {"--input-transparent", "256", "a.bmp"},
        {"--output-transparent", "-1", "a.bmp"},
        {"--skip", "3-1", "a.bmp"},
        {"--skip", "0,,2", "a.bmp"},
        {"--skip", "300", "a.bmp"},
        {"--jobs", "0", "a.bmp"},
        {"--output", "", "a.bmp"},
        {"--size"},
        {"--frobnicate", "a.bmp"},
        {"-x", "a.bmp"},
        {"--json=1", "a.bmp"},
        {"--no-edges=0", "a.bmp"},
        {"--settings", "", "a.bmp"},
        {"--no-json", "a.bmp"},
        {},
    };
    for (const auto &args : cases) {
        const ParseResult r = Parse(args);
        EXPECT_FALSE(r.ok()) << (args.empty() ? "(no arguments)" : args[0]);
        EXPECT_FALSE(r.error.empty());
    }
}

TEST(CliOptions, ErrorsNameTheirCause)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"a.bmp", "--frobnicate"}, "unknown option --frobnicate"},
        {{"--frobnicate", "a.bmp"}, "unknown option --frobnicate"},
        {{"a.bmp", "--size"}, "--size needs a value"},
        {{"--quiet=yes", "a.bmp"}, "--quiet takes no value"},
    };
    for (const auto &[args, error] : cases) {
        EXPECT_EQ(Parse(args).error, error);
    }
}

TEST(CliOptions, EverythingAfterADoubleDashIsAPath)
{
    const ParseResult r = Parse({"--json", "--", "-x.bmp", "--json", "b.bmp"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.paths, (std::vector<std::string> {"-x.bmp", "--json", "b.bmp"}));
}

TEST(CliOptions, HelpAndVersionNeedNoPath)
{
    EXPECT_TRUE(Parse({"--help"}).ok());
    EXPECT_TRUE(Parse({"--version"}).options.version);
}

} // namespace
} // namespace qv::cli
