// The PNG and dithering options of quorvantile-convert: each takes effect or names what is wrong
// with it.
#include "cli/cli_options.h"
#include "cli/convert_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

TEST(OptionValues, EachOptionTakesEffectOrNamesWhatIsWrong)
{
    const struct {
        std::vector<std::string> args;
        std::string error; // empty: parses
        bool (*holds)(const ConversionOptions &);
    } cases[] = {
        {{"--format", "png"},
            "",
            [](const ConversionOptions &c) { return c.outputFormat == OutputFormat::Png; }},
        {{"--format", "gif"},
            "invalid value for --format: gif (bmp, png, doom-picture, doom-flat, quake-picture or "
            "pcx)",
            nullptr},
        {{"--alpha", "--alpha-threshold", "255"},
            "",
            [](const ConversionOptions &c) { return c.useAlpha && c.alphaThreshold == 255; }},
        {{"--alpha-threshold", "0"}, "invalid value for --alpha-threshold: 0 (1 to 255)", nullptr},
        {{"--key-color", "255, 0,255"},
            "",
            [](const ConversionOptions &c) {
                return c.inputTransparentRgb == Rgb {255, 0, 255};
            }},
        {{"--key-color", "#00FFa0"},
            "",
            [](const ConversionOptions &c) {
                return c.inputTransparentRgb == Rgb {0, 255, 160};
            }},
        {{"--key-color", "1,2,3", "--key-color", "none"},
            "",
            [](const ConversionOptions &c) { return !c.inputTransparentRgb; }},
        {{"--key-color", "1,2"},
            "invalid value for --key-color: 1,2 (R,G,B each 0 to 255, #RRGGBB or none)",
            nullptr},
        {{"--key-color", "#12345"},
            "invalid value for --key-color: #12345 (R,G,B each 0 to 255, #RRGGBB or none)",
            nullptr},
        {{"--scan-key"}, "", [](const ConversionOptions &c) { return c.keyByMostFrequentColor; }},
        {{"--dither", "jjn"},
            "",
            [](const ConversionOptions &c) { return c.dithering == Dithering::JarvisJudiceNinke; }},
        {{"--dither=sierra-lite", "--dither-strength", "0"},
            "",
            [](const ConversionOptions &c) {
                return c.dithering == Dithering::SierraLite && c.ditherStrength == 0;
            }},
        {{"--dither-strength", "101"},
            "invalid value for --dither-strength: 101 (0 to 100)",
            nullptr},
        {{"--keep-exact"}, "", [](const ConversionOptions &c) { return c.keepExactColors; }},
        {{"--keep-exact", "--no-keep-exact"},
            "",
            [](const ConversionOptions &c) { return !c.keepExactColors; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.front());
        std::vector<std::string> args = c.args;
        args.emplace_back("x.png");
        const ParseResult r = ParseCommandLine(args);
        EXPECT_EQ(r.error, c.error);
        if (c.holds != nullptr) {
            ConversionOptions options;
            ASSERT_EQ(ApplyOptions(r.options, options), "");
            EXPECT_TRUE(c.holds(options));
        }
    }
}

} // namespace
} // namespace qv::cli
