// The window's controls and the command line's settings reading are two builders of one options
// value: given the same settings file they must build the same value, and both must apply the
// schema's defaults and ranges.
#include "cli/convert_settings.h"
#include "common/settings_schema.h"
#include "tests/window/window_fixture.h"

#include <functional>

#include <gtest/gtest.h>

namespace qv {
namespace {

ConversionOptions FromCommandLine(const std::string &settingsPath)
{
    ScriptedDialogService dialogs;
    clsINI ini(dialogs);
    ini.LoadINI(settingsPath);
    return cli::OptionsFromSettings(ini);
}

// The value each builder makes of a settings text (the lines after the picture folder's Path).
struct Built {
    ConversionOptions window;
    ConversionOptions commandLine;
};

Built BuildBoth(const std::string &settingsText)
{
    test::WindowFixture fixture;
    test::TestWindow &window = fixture.Start(settingsText);
    return {window.session().CurrentOptions(), FromCommandLine(fixture.SettingsPath())};
}

TEST(OptionsValue, WindowAndCommandLineBuildTheSameValueFromOneSettingsFile)
{
    const test::TempDir dir;
    const std::string palette = dir.Write("mine.act", std::vector<std::uint8_t>(768, 9));
    const std::string texts[] = {
        "",
        "Palette=6\r\nScaleMode=2\r\nVerticalAlignment=3\r\nHorizontalAlignment=0\r\n"
        "ColorMatching=1\r\nBright0=0\r\nBright2=200\r\nConvertPalette=0\r\n"
        "ApplyTransparency=0\r\nTransparentEdges=0\r\nInputTransparentColor=300\r\n"
        "OutputTransparentColor=7\r\n[Colors]\r\nSkip3=1\r\nSkip255=0\r\nSkip9=2\r\n",
        "Palette=7\r\nExternalPalette=" + palette + "\r\n",
        "Palette=3\r\nExternalPalette=" + palette + "\r\n",
        "OutputTransparentColor=-4\r\nScaleMode=x\r\nBright1=2.5\r\n",
    };
    for (const std::string &text : texts) {
        SCOPED_TRACE(text);
        const Built built = BuildBoth(text);
        EXPECT_TRUE(built.window == built.commandLine);
    }
    EXPECT_TRUE(BuildBoth("").window == ConversionOptions {}) << "first start: the defaults";

    // A stored palette file that is gone: the window takes WOLF3D for this run, the command line
    // keeps the path so that its run stops saying so instead of converting with WOLF3D.
    const std::string gone = dir.File("gone.act");
    Built built = BuildBoth("Palette=7\r\nExternalPalette=" + gone + "\r\n");
    EXPECT_EQ(built.window.palette, PaletteChoice::BuiltIn("WOLF3D"));
    EXPECT_EQ(built.commandLine.palette, PaletteChoice::File(gone));
    built.commandLine.palette = built.window.palette;
    EXPECT_TRUE(built.window == built.commandLine);
}

// Every number and flag of the schema at, inside and beyond its range: what start-up makes of it.
TEST(OptionsValue, StartUpAppliesTheSchemasDefaultsAndRanges)
{
    using O = const ConversionOptions &;
    struct Row {
        const Setting &setting;
        std::int32_t index;
        std::function<std::int32_t(O)> value;
        bool onlyZeroOrNot = false; // the options keep only whether the value is 0
    };
    const Row rows[] = {
        {settings::kConvertPalette, 0, [](O o) { return o.convertPalette ? -1 : 0; }},
        {settings::kApplyTransparency, 0, [](O o) { return o.applyTransparency ? -1 : 0; }},
        {settings::kTransparentEdges, 0, [](O o) { return o.transparentEdges ? -1 : 0; }},
        {settings::kPalette,
            0,
            [](O o) {
                const auto at = std::find(
                    kBuiltInPalettes.begin(), kBuiltInPalettes.end(), o.palette.builtInName);
                return static_cast<std::int32_t>(at - kBuiltInPalettes.begin());
            }},
        {settings::kVerticalAlignment, 0, [](O o) { return int(o.verticalAlignment); }},
        {settings::kHorizontalAlignment, 0, [](O o) { return int(o.horizontalAlignment); }},
        {settings::kScaleMode, 0, [](O o) { return int(o.scaling); }},
        {settings::kColorMatching, 0, [](O o) { return int(o.colorMatching); }},
        {settings::kBright, 1, [](O o) { return o.brightness[1]; }},
        {settings::kInputTransparentColor, 0, [](O o) { return o.inputTransparentColor; }},
        {settings::kSkip, 4, [](O o) { return o.skip[4] ? 1 : 0; }, true},
    };
    for (const Row &row : rows) {
        const Setting &s = row.setting;
        const std::string key = SettingKey(s, row.index);
        const std::int32_t fallback = SettingDefault(s, row.index);
        // Stored value and what start-up takes it as.
        std::vector<std::pair<std::string, std::int32_t>> probes = {{"", fallback}};
        if (s.kind == SettingKind::Flag) {
            probes.insert(probes.end(), {{"0", 0}, {"-1", -1}, {"5", -1}});
        } else if (s.max < 1000) {
            probes.insert(probes.end(),
                {{std::to_string(s.min), s.min},
                    {std::to_string(s.max), s.max},
                    {std::to_string(s.min - 1), fallback},
                    {std::to_string(s.max + 1), fallback}});
        } else {
            probes.insert(probes.end(), {{"-1", -1}, {"300", 300}});
        }
        for (const auto &[stored, expected] : probes) {
            SCOPED_TRACE(key + "=" + stored);
            // The external palette item is never kept without a file: 7 means WOLF3D.
            std::int32_t taken =
                &s == &settings::kPalette && expected == kExternalPaletteOption ? 0 : expected;
            if (row.onlyZeroOrNot) {
                taken = taken != 0 ? 1 : 0;
            }
            std::string text;
            if (!stored.empty()) {
                text = std::string(s.section) == "General"
                    ? key + "=" + stored + "\r\n"
                    : "[" + std::string(s.section) + "]\r\n" + key + "=" + stored + "\r\n";
            }
            const Built built = BuildBoth(text);
            EXPECT_EQ(row.value(built.window), taken);
            EXPECT_EQ(row.value(built.commandLine), taken);
        }
    }
}

} // namespace
} // namespace qv
