#include "cli/convert_settings.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/temp_dir.h"

#include <functional>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

ConvertSettings FromIni(const std::string &lines)
{
    ScriptedDialogService dialogs;
    clsINI ini(dialogs);
    ini.LoadINIFromString(lines);
    return SettingsFromIni(ini);
}

// What start-up accepts and what it replaces, one stored value at a time.
TEST(Settings, StoredValuesAreTakenAsTheWindowsStartUpTakesThem)
{
    using Field = std::function<int(const ConvertSettings &)>;
    const Field scaling = [](const ConvertSettings &s) { return s.scaling; };
    const Field palette = [](const ConvertSettings &s) { return s.paletteNumber; };
    const Field valign = [](const ConvertSettings &s) { return s.verticalAlignment; };
    const Field halign = [](const ConvertSettings &s) { return s.horizontalAlignment; };
    const Field green = [](const ConvertSettings &s) { return s.brightness[1]; };
    const Field outputColour = [](const ConvertSettings &s) { return s.outputTransparent; };
    const Field inputColour = [](const ConvertSettings &s) { return s.inputTransparent; };
    const Field convert = [](const ConvertSettings &s) { return s.convertPalette ? 1 : 0; };
    const Field skip4 = [](const ConvertSettings &s) { return s.skip[4]; };
    const Field skip9 = [](const ConvertSettings &s) { return s.skip[9]; };
    const Field skip255 = [](const ConvertSettings &s) { return s.skip[255]; };
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
        {"[General]\r\nPalette=7\r\nExternalPalette=/no/such.pal", palette, 0},
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
        {"[Colors]\r\nSkip4=7", skip4, 7},
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
        {dir.Path(), -1},
        {dir.File("missing.pal"), -1}};
    for (const Row &row : rows) {
        ConvertSettings settings;
        settings.paletteNumber = 3;
        CliOptions options;
        options.palette = row.value;
        const std::string problem = ApplyOptions(options, settings);
        EXPECT_EQ(problem.empty(), row.number >= 0) << row.value << ": " << problem;
        EXPECT_EQ(settings.paletteNumber, row.number >= 0 ? row.number : 3) << row.value;
    }
}

} // namespace
} // namespace qv::cli
