#include "tests/palette/palette_file_bytes.h"
#include "tests/palette/palette_test_data.h"
#include "tests/window/counting_window.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::WindowFixture;

std::uint32_t Rgb(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red + 256 * green + 65536 * blue);
}

// 768 bytes, so a Photoshop palette whatever its name: entry i is (i, 255 - i, 7).
std::vector<std::uint8_t> ActPalette()
{
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.insert(bytes.end(), {std::uint8_t(i), std::uint8_t(255 - i), 7});
    }
    return bytes;
}

TEST(FrmPalette, BuiltInChoicePaintsTheCheckboxesStoresAndRefreshes)
{
    struct Case {
        int index;
        std::uint32_t entry0, entry1, entry255;
    };
    const std::vector<Case> cases = {{6, Rgb(3, 3, 3), Rgb(31, 23, 11), Rgb(167, 107, 107)},
        {3, Rgb(0, 0, 0), Rgb(180, 0, 0), Rgb(152, 0, 136)},
        {5, Rgb(0, 0, 0), Rgb(0, 0, 28), Rgb(252, 252, 252)}};
    WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture);
    for (const Case &c : cases) {
        window.session().mnuPaletteOption_Click(c.index);
        EXPECT_EQ(window.session().GetPaletteNumber(), c.index);
        EXPECT_FALSE(window.mnuPaletteOption[0]->Checked());
        EXPECT_EQ(window.chkPal[0].Color(), c.entry0) << c.index;
        EXPECT_EQ(window.chkPal[1].Color(), c.entry1) << c.index;
        EXPECT_EQ(window.chkPal[255].Color(), c.entry255) << c.index;
        EXPECT_TRUE(fixture.SettingsHold("Palette", std::to_string(c.index)));
    }
    EXPECT_EQ(window.Previews(), 3);
}

TEST(FrmPalette, CancellingTheFileDialogChangesNothing)
{
    WindowFixture fixture;
    test::TestWindow &window = fixture.Start("Palette=6\r\n");
    const std::string settingsBefore = fixture.SettingsText();
    window.File->setFocus();
    fixture.dialogs.QueueOpenFile({});

    window.session().mnuPaletteOption_Click(7);

    EXPECT_EQ(window.session().GetPaletteNumber(), 6);
    EXPECT_FALSE(window.mnuPaletteOption[7]->Checked());
    EXPECT_EQ(window.chkPal[0].Color(), Rgb(3, 3, 3));
    EXPECT_EQ(fixture.SettingsText(), settingsBefore);
    EXPECT_EQ(window.focusWidget(), window.cmdOK);
    ASSERT_EQ(fixture.dialogs.Log().size(), 1U);
    const OpenFileRequest &request = fixture.dialogs.Log()[0].request;
    EXPECT_EQ(request.filter,
        "JASC 3 Palette Files (*.pal)|*.pal|JASC 8 Palette Files (*.pal)|*.pal|Photoshop Palette "
        "Files (*.act)|*.act|Wolf3D Palette Object (GAMEPAL.OBJ)|GAMEPAL.OBJ|"
        "GIMP Palettes (*.gpl)|*.gpl|Hex Palettes (*.hex)|*.hex|Paint.NET Palettes (*.txt)|*.txt|"
        "Adobe Swatches (*.aco;*.ase)|*.aco;*.ase|Indexed Pictures (*.bmp;*.png)|*.bmp;*.png|"
        "Game Palettes (*.wad;*.pak;*.lmp;*.dat)|*.wad;*.pak;*.lmp;*.dat|All Files (*.*)|*.*");
    EXPECT_EQ(request.title, "Select the JASC palette file to use");
    EXPECT_EQ(request.initialFolder, fixture.program.Path());
    EXPECT_EQ(request.filterIndex, 0);
    EXPECT_FALSE(request.multiSelect);
}

TEST(FrmPalette, AChosenFileIsRecordedLoadedAndOfferedAgain)
{
    WindowFixture fixture;
    test::TestWindow &window = fixture.Start();
    const std::string path = fixture.pictures.Write("my.pal", ActPalette());
    fixture.dialogs.QueueOpenFile({{path}, 0});

    window.session().mnuPaletteOption_Click(7);

    EXPECT_EQ(window.session().GetPaletteNumber(), 7);
    EXPECT_EQ(window.mnuPaletteOption[7]->Caption(), "&Use External: my.pal");
    EXPECT_EQ(window.mnuPaletteOption[7]->Tag(), path);
    EXPECT_TRUE(fixture.SettingsHold("ExternalPalette", path));
    EXPECT_TRUE(fixture.SettingsHold("Palette", "7"));
    EXPECT_EQ(window.chkPal[200].Color(), Rgb(200, 55, 7));

    window.session().mnuPaletteOption_Click(6);
    fixture.dialogs.QueueOpenFile({});
    window.session().mnuPaletteOption_Click(7);
    EXPECT_EQ(fixture.dialogs.Log().back().request.initialFile, path);
    EXPECT_EQ(window.session().GetPaletteNumber(), 6);
}

TEST(FrmPalette, AFileThatDoesNotParseKeepsTheColours)
{
    WindowFixture fixture;
    test::TestWindow &window = fixture.Start("Palette=6\r\n");
    const std::string path = fixture.pictures.Write("notes.pal", std::string("not a palette"));
    fixture.dialogs.QueueOpenFile({{path}, 0});

    window.session().mnuPaletteOption_Click(7);

    EXPECT_EQ(window.chkPal[0].Color(), Rgb(3, 3, 3));
    EXPECT_EQ(
        fixture.dialogs.MessageTexts(), std::vector<std::string> {"Unknown palette file format!"});
    EXPECT_EQ(window.session().GetPaletteNumber(),
        7); // the choice stands; the user is told at every load
}

TEST(FrmPalette, MissingExternalFileIsForgotten)
{
    WindowFixture fixture;
    const std::string kept = fixture.pictures.Write("kept.pal", std::string("x"));
    test::TestWindow &window = fixture.Start("Palette=7\r\nExternalPalette=" + kept + "\r\n");
    ASSERT_EQ(window.session().GetPaletteNumber(), 7);
    std::string path = fixture.pictures.File("gone.pal");
    window.session().SetExternalPalette(path);
    EXPECT_EQ(path, "");
    // The item keeps the last file that did exist.
    EXPECT_EQ(window.mnuPaletteOption[7]->Tag(), kept);
    EXPECT_EQ(window.session().GetPaletteNumber(), 0);
    EXPECT_FALSE(window.mnuPaletteOption[7]->Checked());
}

TEST(FrmPalette, ConvertPaletteSwitchesTheConversionControls)
{
    // From the start-up state (on, everything enabled): clicks, state after, stored flag.
    const std::vector<std::tuple<int, bool, std::string>> cases = {
        {1, false, "0"}, {2, true, "-1"}};
    for (const auto &[clicks, on, flag] : cases) {
        WindowFixture fixture;
        test::CountingWindow &window = test::StartWithPicture(fixture);
        for (int i = 0; i < clicks; ++i) {
            window.session().mnuPaletteConvertPalette_Click();
        }
        // Controls inside the frame are asked for their own state, not the frame's.
        QWidget *frame = window.fraBrightness;
        std::vector<bool> enabled = {window.session().CurrentOptions().convertPalette,
            window.mnuTransparencyLeftRightCols->Enabled(),
            frame->isEnabled(),
            window.cmdSetAllBright->isEnabledTo(frame)};
        for (MenuItem *item : window.mnuPaletteOption) {
            enabled.push_back(item->Enabled());
        }
        for (std::size_t i = 0; i < 3; ++i) {
            enabled.push_back(window.lblBright[i]->isEnabledTo(frame));
            enabled.push_back(window.vsbBright[i]->isEnabledTo(frame));
        }
        EXPECT_EQ(enabled, std::vector<bool>(enabled.size(), on)) << clicks;
        EXPECT_TRUE(fixture.SettingsHold("ConvertPalette", flag));
        EXPECT_EQ(window.Previews(), clicks);
    }
}

} // namespace
} // namespace qv

namespace qv {
namespace {

// Files of the newer formats chosen in the palette dialog: the item keeps its caption, shows
// what the file is beside it, and the grid shows the file's colours.
TEST(FrmPalette, AChosenFileOfAnyFormatShowsWhatItIsBesideItsName)
{
    using test::SomeColours;
    std::vector<std::uint8_t> playpal;
    for (const PaletteColour &c : SomeColours(256)) {
        playpal.insert(playpal.end(), c.begin(), c.end());
    }
    const struct {
        const char *name;
        std::vector<std::uint8_t> bytes;
        const char *detail;
        PaletteColour entry1;
    } rows[] = {
        {"art.gpl",
            test::Bytes("GIMP Palette\n1 2 3 a\n4 5 6 b\n"),
            "GIMP palette, 2 colours",
            {4, 5, 6}},
        {"art.hex", test::Bytes("0a0b0c\n102030\n"), "hex palette, 2 colours", {16, 32, 48}},
        {"game.wad",
            test::WadBytes("PWAD", {{"PLAYPAL", playpal}}),
            "Doom PWAD, PLAYPAL lump 1 of 1, 256 colours",
            SomeColours(2)[1]},
        {"pak0.pak",
            test::PakBytes({{"gfx/palette.lmp", playpal}}),
            "Quake PAK, gfx/palette.lmp, 256 colours",
            SomeColours(2)[1]},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        WindowFixture fixture;
        test::TestWindow &window = fixture.Start("Palette=6\r\n");
        const std::string path = fixture.pictures.Write(row.name, row.bytes);
        fixture.dialogs.QueueOpenFile({{path}, 0});

        window.session().mnuPaletteOption_Click(7);

        MenuItem &item = *window.mnuPaletteOption[7];
        EXPECT_EQ(item.Caption(), "&Use External: " + std::string(row.name));
        EXPECT_EQ(item.Detail(), row.detail);
        EXPECT_EQ(item.text().toStdString(), item.Caption() + "\t" + row.detail);
        EXPECT_EQ(window.chkPal[1].Color(), Rgb(row.entry1[0], row.entry1[1], row.entry1[2]));
        EXPECT_TRUE(fixture.SettingsHold("ExternalPalette", path));
        EXPECT_TRUE(fixture.dialogs.MessageTexts().empty());
    }
}

TEST(FrmPalette, NoFileNoDetail)
{
    WindowFixture fixture;
    test::TestWindow &window = fixture.Start();
    EXPECT_EQ(window.mnuPaletteOption[7]->Caption(), "&Use External");
    EXPECT_EQ(window.mnuPaletteOption[7]->text().toStdString(), "&Use External");
}

} // namespace
} // namespace qv
