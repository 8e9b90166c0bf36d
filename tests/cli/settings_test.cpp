#include "cli/convert_settings.h"
#include "common/built_in_palettes.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

ConversionOptions FromIni(const std::string &lines)
{
    ScriptedDialogService dialogs;
    clsINI ini(dialogs);
    ini.LoadINIFromString(lines);
    return OptionsFromSettings(ini);
}

// The position of the chosen palette in the Palette menu: 0..6 a built-in one, 7 the file.
int PaletteNumber(const ConversionOptions &o)
{
    if (!o.palette.filePath.empty()) {
        return kExternalPaletteOption;
    }
    const auto at =
        std::find(kBuiltInPalettes.begin(), kBuiltInPalettes.end(), o.palette.builtInName);
    return static_cast<int>(at - kBuiltInPalettes.begin());
}

// What start-up accepts and what it replaces, one stored value at a time.
TEST(Settings, StoredValuesAreTakenAsTheWindowsStartUpTakesThem)
{
    using O = const ConversionOptions &;
    using Field = std::function<int(O)>;
    const Field scaling = [](O s) { return static_cast<int>(s.scaling); };
    const Field palette = PaletteNumber;
    const Field valign = [](O s) { return static_cast<int>(s.verticalAlignment); };
    const Field halign = [](O s) { return static_cast<int>(s.horizontalAlignment); };
    const Field green = [](O s) { return s.brightness[1]; };
    const Field outputColour = [](O s) { return static_cast<int>(s.outputTransparentColor); };
    const Field inputColour = [](O s) { return s.inputTransparentColor; };
    const Field convert = [](O s) { return s.convertPalette ? 1 : 0; };
    const Field skip4 = [](O s) { return s.skip[4] ? 1 : 0; };
    const Field skip9 = [](O s) { return s.skip[9] ? 1 : 0; };
    const Field skip255 = [](O s) { return s.skip[255] ? 1 : 0; };
    struct Row {
        const char *ini;
        Field field;
        int expected;
    };
    const Row rows[] = {
        {"", scaling, 0},
        {"[General]\r\nScaleMode=3", scaling, 3},
        {"[General]\r\nScaleMode=9", scaling, 0},
        {"[General]\r\nScaleMode=-1", scaling, 0},
        {"[General]\r\nPalette=6", palette, 6},
        {"[General]\r\nPalette=8", palette, 0},
        {"[General]\r\nPalette=7", palette, 0}, // no external file: WOLF3D
        // Taken even when gone: the run then stops, rather than converting with WOLF3D.
        {"[General]\r\nPalette=7\r\nExternalPalette=/no/such.pal", palette, 7},
        {"", valign, 2},
        {"[General]\r\nVerticalAlignment=4", valign, 2},
        {"", halign, 1},
        {"[General]\r\nHorizontalAlignment=-1", halign, 1},
        {"", green, 100},
        {"[General]\r\nBright1=0", green, 0},
        {"[General]\r\nBright1=200", green, 200},
        {"[General]\r\nBright1=201", green, 100},
        {"[General]\r\nOutputTransparentColor=9", outputColour, 9},
        {"[General]\r\nOutputTransparentColor=9", skip9, 1}, // the window ticks its entry
        {"[General]\r\nOutputTransparentColor=256", outputColour, 255},
        {"[General]\r\nInputTransparentColor=300", inputColour, 300}, // not checked
        {"", convert, 1},
        {"[General]\r\nConvertPalette=0", convert, 0},
        {"[General]\r\nConvertPalette=5", convert, 1},
        {"", skip255, 1},
        {"[Colors]\r\nSkip255=0", skip255, 1}, // the output transparent entry, 255
        {"[Colors]\r\nSkip4=7", skip4, 1}, // any value but 0 skips
        {"", skip4, 0},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(row.field(FromIni(row.ini)), row.expected) << row.ini;
    }
}

TEST(Settings, PaletteOptionIsABuiltInNameInAnyCaseOrAFile)
{
    const qv::test::TempDir dir;
    const std::string file = dir.Write("my.pal", std::string("JASC-PAL"));
    struct Row {
        std::string value;
        int number; // -1: refused
    };
    const Row rows[] = {{"DOOM", 6},
        {"wolf3d", 0},
        {"Noah3D", 5},
        {file, 7},
        {"DOOM2", -1},
        {dir.Path(), 7}, // there: what is wrong with it is said when the palette is loaded
        {dir.File("missing.pal"), -1}};
    for (const Row &row : rows) {
        ConversionOptions options;
        options.palette = PaletteChoice::BuiltIn("BODYCOUNT");
        const ParseResult parsed = ParseCommandLine({"--palette", row.value, "a.bmp"});
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        const std::string problem = ApplyOptions(parsed.options, options);
        EXPECT_EQ(problem.empty(), row.number >= 0) << row.value << ": " << problem;
        EXPECT_EQ(PaletteNumber(options), row.number >= 0 ? row.number : 3) << row.value;
    }
}

} // namespace
} // namespace qv::cli
