#include "palette/load_palette_data.h"
#include "palette/palette_store.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/palette/palette_file_bytes.h"
#include "tests/palette/palette_test_data.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/temp_dir.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::Colours;
using test::Filled;
using test::Lump;
using test::SomeColours;

std::vector<std::uint8_t> Text(const std::string &text)
{
    return {text.begin(), text.end()};
}

std::string GimpText(const Colours &colours, const std::string &lineEnd = "\n")
{
    std::string text = "GIMP Palette" + lineEnd + "Name: Test" + lineEnd + "Columns: 4" + lineEnd
        + "# a comment" + lineEnd;
    for (const PaletteColour &c : colours) {
        text += std::to_string(c[0]) + "  " + std::to_string(c[1]) + "\t" + std::to_string(c[2])
            + "\tUntitled" + lineEnd;
    }
    return text;
}

std::vector<std::uint8_t> Flat(const Colours &colours)
{
    std::vector<std::uint8_t> bytes;
    for (const PaletteColour &c : colours) {
        bytes.insert(bytes.end(), c.begin(), c.end());
    }
    return bytes;
}

std::vector<std::uint8_t> Act772(const Colours &table, std::uint16_t count, std::uint16_t clear)
{
    std::vector<std::uint8_t> bytes = Flat(table);
    bytes.resize(768, 0x77); // entries past the count hold something that must not show
    test::PutBe(bytes, count, 2);
    test::PutBe(bytes, clear, 2);
    return bytes;
}

std::vector<std::uint8_t> Bmp(std::int16_t depth, std::uint32_t header, const Colours &colours)
{
    test::BmpLayout layout;
    layout.bitCount = depth;
    layout.infoHeaderSize = header;
    layout.colorsUsed = header == 12 ? 0 : static_cast<std::uint32_t>(colours.size());
    layout.tableEntries = static_cast<std::uint32_t>(colours.size());
    for (const PaletteColour &c : colours) {
        layout.table.insert(layout.table.end(), {c[2], c[1], c[0]});
        if (header != 12) {
            layout.table.push_back(0);
        }
    }
    return test::BuildBmp(layout);
}

// A PALETTE.DAT: 6-bit colours, 32 shade tables and the translucency table.
std::vector<std::uint8_t> BuildPalette(std::uint8_t firstComponent)
{
    std::vector<std::uint8_t> bytes(768 + 2 + 32 * 256 + 65536, 0);
    for (std::size_t k = 0; k < 768; ++k) {
        bytes[k] = static_cast<std::uint8_t>(k % 64);
    }
    bytes[0] = firstComponent;
    bytes[768] = 32;
    return bytes;
}

RawPalette TimesFour()
{
    RawPalette raw {};
    for (std::size_t k = 0; k < raw.size(); ++k) {
        raw[k] = static_cast<std::uint8_t>(k % 64 * 4);
    }
    return raw;
}

std::vector<std::uint8_t> Playpals(std::size_t palettes)
{
    std::vector<std::uint8_t> bytes = Flat(SomeColours(256));
    bytes.resize(768 * palettes, 0x33);
    return bytes;
}

struct Row {
    const char *what;
    const char *fileName;
    std::vector<std::uint8_t> bytes;
    RawPalette loads {}; // when problem is empty
    std::string detail = {}; // what the palette menu says, when loaded
    std::int32_t number = 0; // the failure, when refused
    std::string problem = {}; // after the file's name; "unknown" for the unknown-format message
};

std::vector<Row> Rows()
{
    const Colours three = SomeColours(3);
    const Colours sixteen = SomeColours(16);
    const Colours many = SomeColours(300);
    const std::vector<std::uint8_t> playpal = Flat(SomeColours(256));
    std::vector<std::uint8_t> otherPlaypal = playpal;
    otherPlaypal[0] = 99;
    std::string gimp768 = GimpText(three);
    gimp768.resize(767, '#');
    gimp768 += "\n";
    std::vector<std::uint8_t> notGamepal(893, 0x5A);
    std::vector<std::uint8_t> truncatedAse = test::AseBytes(three);
    truncatedAse.resize(truncatedAse.size() - 20);
    // clang-format off
    return {
        {"gimp", "x.gpl", Text(GimpText(three)), Filled(three), "GIMP palette, 3 colours"},
        {"gimp with CR LF, named otherwise", "x.pal", Text(GimpText(sixteen, "\r\n")), Filled(sixteen), "GIMP palette, 16 colours"},
        {"gimp of 768 bytes is no ACT table", "x.gpl", Text(gimp768), Filled(three), "GIMP palette, 3 colours"},
        {"gimp with 300 colours", "x.gpl", Text(GimpText(many)), {}, {}, kSubscriptOutOfRange,
            "GIMP palette with 300 colours; at most 256 can be used"},
        {"gimp with a component of 300", "x.gpl", Text("GIMP Palette\n1 2 3 a\n300 0 0 b\n"), {}, {}, kTypeMismatch,
            "line 3 \"300 0 0 b\": a colour row is three numbers from 0 to 255"},
        {"gimp without colours", "x.gpl", Text("GIMP Palette\nName: x\n"), {}, {}, kUnknownFileFormat,
            "GIMP palette with no colours"},
        {"hex", "x.hex", Text("#010203\r\n\n0A0b0C\nffffff"), Filled({{1, 2, 3}, {10, 11, 12}, {255, 255, 255}}), "hex palette, 3 colours"},
        {"hex known by its lines", "x.pal", Text("010203\n040506\n"), Filled({{1, 2, 3}, {4, 5, 6}}), "hex palette, 2 colours"},
        {"hex with a short line", "x.hex", Text("010203\n12345\n"), {}, {}, kTypeMismatch,
            "line 2 \"12345\": a colour line is RRGGBB in hex"},
        {"paint.net", "x.txt", Text("; paint.net Palette File\n;Colors: 2\nFF010203\n80040506\n"), Filled({{1, 2, 3}, {4, 5, 6}}), "Paint.NET palette, 2 colours"},
        {"paint.net known by its lines", "x", Text(";c\nFF010203\n"), Filled({{1, 2, 3}}), "Paint.NET palette, 1 colour"},
        {"paint.net with an RRGGBB line", "x.txt", Text(";c\n010203\n"), {}, {}, kTypeMismatch,
            "line 2 \"010203\": a colour line is AARRGGBB in hex"},
        {"act of 772 bytes honours its count", "x.act", Act772(sixteen, 2, 1), Filled({sixteen[0], sixteen[1]}), "Photoshop ACT palette, 2 colours, transparent index 1"},
        {"act of 772 bytes without a transparent index", "x.act", Act772(sixteen, 256, 0xFFFF), test::RawOf(Act772(sixteen, 256, 0xFFFF)), "Photoshop ACT palette, 256 colours"},
        {"act of 772 bytes counting 300", "x.act", Act772(sixteen, 300, 0xFFFF), {}, {}, kSubscriptOutOfRange,
            "Photoshop ACT palette with 300 colours; at most 256 can be used"},
        {"aco version 1", "x.aco", test::AcoBytes(three, 1), Filled(three), "Photoshop swatches file, 3 colours"},
        {"aco version 1 then 2, known by content", "x.bin", [&] { auto b = test::AcoBytes(three, 1); auto v2 = test::AcoBytes(three, 2); b.insert(b.end(), v2.begin(), v2.end()); return b; }(), Filled(three), "Photoshop swatches file, 3 colours"},
        {"aco version 2", "x.aco", test::AcoBytes(sixteen, 2), Filled(sixteen), "Photoshop swatches file, 16 colours"},
        {"aco in CMYK", "x.aco", test::AcoBytes(three, 1, 2), {}, {}, kUnknownFileFormat,
            "Photoshop swatches file: colour 1 is CMYK; only RGB colours can be used"},
        {"aco counting 300", "x.aco", test::AcoBytes(three, 1, 0, 300), {}, {}, kSubscriptOutOfRange,
            "Photoshop swatches file with 300 colours; at most 256 can be used"},
        {"aco cut short", "x.aco", test::AcoBytes(three, 1, 0, 4), {}, {}, kInputPastEnd,
            "the Photoshop swatches file ends after 34 of 44 bytes"},
        {"ase", "x.ase", test::AseBytes(three), Filled(three), "Adobe swatch exchange file, 3 colours"},
        {"ase in CMYK", "x.ase", test::AseBytes(three, "CMYK"), {}, {}, kUnknownFileFormat,
            "Adobe swatch exchange file: colour 1 is \"CMYK\"; only RGB colours can be used"},
        {"ase with 300 colours", "x.ase", test::AseBytes(many), {}, {}, kSubscriptOutOfRange,
            "Adobe swatch exchange file with 300 colours; at most 256 can be used"},
        {"ase cut short", "x.ase", truncatedAse, {}, {}, kInputPastEnd,
            "the Adobe swatch exchange file ends after 100 of 114 bytes"},
        {"8-bit bmp using 3 colours", "x.bmp", Bmp(8, 40, three), Filled(three), "BMP picture, 3 colours"},
        {"4-bit bmp", "x.bmp", Bmp(4, 40, sixteen), Filled(sixteen), "BMP picture, 16 colours"},
        {"1-bit bmp with a 12-byte header", "x.bmp", Bmp(1, 12, {{1, 2, 3}, {4, 5, 6}}), Filled({{1, 2, 3}, {4, 5, 6}}), "BMP picture, 2 colours"},
        {"24-bit bmp", "x.bmp", Bmp(24, 40, {}), {}, {}, kUnknownFileFormat,
            "a 24-bit BMP picture has no colour table to use as a palette"},
        {"indexed png", "x.png", test::PngBytes(sixteen), Filled(sixteen), "PNG picture, 16 colours"},
        {"true-colour png", "x.png", test::PngBytes(three, 2), {}, {}, kUnknownFileFormat,
            "a PNG picture in true-colour has no palette"},
        {"png with pixel data first", "x.png", test::PngBytes(three, 3, true), {}, {}, kUnknownFileFormat,
            "a PNG picture without a PLTE chunk before its pixel data"},
        {"wad: the last PLAYPAL wins", "x.wad", test::WadBytes("PWAD", {{"PLAYPAL", otherPlaypal}, {"COLORMAP", {1, 2}}, {"playpal", playpal}}),
            test::RawOf(playpal), "Doom PWAD, PLAYPAL lump 3 of 3, 256 colours"},
        {"iwad of 14 palettes", "x.wad", test::WadBytes("IWAD", {{"PLAYPAL", Playpals(14)}}), test::RawOf(playpal), "Doom IWAD, PLAYPAL lump 1 of 1, 256 colours"},
        {"wad without PLAYPAL", "x.wad", test::WadBytes("PWAD", {{"COLORMAP", {1}}}), {}, {}, kUnknownFileFormat,
            "Doom PWAD: it has no PLAYPAL lump"},
        {"wad with a short PLAYPAL", "x.wad", test::WadBytes("PWAD", {{"PLAYPAL", {1, 2, 3}}}), {}, {}, kUnknownFileFormat,
            "Doom PWAD: its PLAYPAL lump is 3 bytes long, a palette is 768"},
        {"wad whose directory lies beyond it", "x.wad", [] { auto b = test::WadBytes("IWAD", {{"PLAYPAL", Playpals(1)}}); b[4] = 9; return b; }(), {}, {}, kUnknownFileFormat,
            "Doom IWAD: its directory of 9 lumps at 780 does not lie within the file's 796 bytes"},
        {"wad cut in its header", "x.wad", Text("PWAD\x01"), {}, {}, kInputPastEnd, "the WAD file ends after 5 of 12 bytes"},
        {"pak", "x.pak", test::PakBytes({{"maps/e1m1.bsp", {1, 2}}, {"gfx/palette.lmp", playpal}}), test::RawOf(playpal), "Quake PAK, gfx/palette.lmp, 256 colours"},
        {"pak without a palette", "x.pak", test::PakBytes({{"gfx/colormap.lmp", playpal}}), {}, {}, kUnknownFileFormat,
            "Quake PAK: it has no gfx/palette.lmp"},
        {"pak with a broken directory", "x.pak", [&] { auto b = test::PakBytes({{"gfx/palette.lmp", playpal}}); b[8] = 65; return b; }(), {}, {}, kUnknownFileFormat,
            "Quake PAK: its directory of 65 bytes at 780 is not whole 64-byte entries within the file's 844 bytes"},
        {"playpal lump", "PLAYPAL", Playpals(14), test::RawOf(playpal), "Doom PLAYPAL lump, first of 14 palettes, 256 colours"},
        {"quake palette.lmp", "palette.lmp", playpal, test::RawOf(playpal), "Quake palette.lmp, 256 colours"},
        {"build PALETTE.DAT known by content", "PALETTE.BIN", BuildPalette(0), TimesFour(), "Build engine PALETTE.DAT, 6-bit colours widened by 4, 256 colours"},
        {"build PALETTE.DAT above 6 bits", "PALETTE.DAT", BuildPalette(70), {}, {}, kUnknownFileFormat,
            "Build engine PALETTE.DAT: entry 0 has the component 70, above the 6-bit 63"},
        {"riff of 16 entries", "x.pal", test::RiffPalBytes(sixteen), Filled(sixteen), "RIFF palette, 16 colours"},
        {"riff with a chunk before its data", "x.pal", test::RiffPalBytes(three, "PAL ", 0, {'f', 'a', 'k', 'e', 3, 0, 0, 0, 1, 2, 3, 0}), Filled(three), "RIFF palette, 3 colours"},
        {"riff wave", "x.pal", test::RiffPalBytes(three, "WAVE"), {}, {}, kUnknownFileFormat,
            "a RIFF file of the form \"WAVE\" is not a palette"},
        {"riff counting 300", "x.pal", test::RiffPalBytes(three, "PAL ", 300), {}, {}, kSubscriptOutOfRange,
            "RIFF palette with 300 colours; at most 256 can be used"},
        {"riff whose data chunk is too short", "x.pal", test::RiffPalBytes(three, "PAL ", 4), {}, {}, kUnknownFileFormat,
            "the RIFF palette's data chunk of 16 bytes is too short for its 4 entries"},
        {"jasc of 16 colours with LF", "x.pal", Text(test::JascLf(sixteen)), Filled(sixteen), "JASC palette, 16 colours"},
        {"893 bytes that are no object file", "x.obj", notGamepal, {}, {}, 0, "unknown"},
        {"a name alone makes no WAD", "x.wad", Text("not a wad at all"), {}, {}, 0, "unknown"},
    };
    // clang-format on
}

TEST(PaletteFileFormats, EachLoadsItsColoursOrIsRefusedNamingFileFormatAndReason)
{
    for (const Row &row : Rows()) {
        SCOPED_TRACE(row.what);
        test::TempDir dir;
        const std::string path = dir.Write(row.fileName, row.bytes);
        PaletteStore store;
        store.Publish(test::DistinctPalette());
        const std::vector<std::uint8_t> before = store.PaletteTable();
        ScriptedDialogService dialogs;

        const bool loaded = LoadPaletteDataFromFile(dialogs, store, path, "");

        EXPECT_EQ(test::ReadBytes(path), row.bytes);
        if (row.problem.empty()) {
            EXPECT_TRUE(loaded);
            EXPECT_TRUE(dialogs.MessageTexts().empty());
            PaletteStore expected;
            expected.Publish(row.loads);
            EXPECT_EQ(store.PaletteTable(), expected.PaletteTable());
            EXPECT_EQ(DescribePaletteFile(path), row.detail);
            continue;
        }
        EXPECT_FALSE(loaded);
        EXPECT_EQ(store.PaletteTable(), before);
        const std::string shown = row.problem == "unknown"
            ? "Unknown palette file format!"
            : "Error in LoadPaletteDataFromFile\r\nError #" + std::to_string(row.number) + "\r\n"
                + FailureDescription(row.number) + ": palette file " + NativePath(path) + ": "
                + row.problem;
        EXPECT_EQ(dialogs.MessageTexts(), std::vector<std::string> {shown});
    }
}

} // namespace
} // namespace qv
