// The dithering options of quorvantile-convert: each takes effect or names what is wrong with it.
#include "cli/cli_options.h"
#include "cli/convert_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

TEST(DitherOptions, EachOptionTakesEffectOrNamesWhatIsWrong)
{
    const struct {
        std::vector<std::string> args;
        std::string error; // empty: parses
        bool (*holds)(const ConversionOptions &);
    } cases[] = {
        {{"--dither", "atkinson"},
            "",
            [](const ConversionOptions &c) { return c.dithering == Dithering::Atkinson; }},
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
        args.emplace_back("x.bmp");
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
