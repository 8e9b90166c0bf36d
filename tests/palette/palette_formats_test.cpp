#include "palette/load_palette_data.h"
#include "palette/palette_store.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/palette/palette_test_data.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::Bytes;
using test::DistinctPalette;
using test::EntryLines;
using test::JascText;

enum class Outcome { Loaded, UnknownFormat, Reported };

// A palette unlike every palette the cases load, to see that a refused source changes nothing.
RawPalette PreviousPalette()
{
    RawPalette raw {};
    for (std::size_t k = 0; k < raw.size(); ++k) {
        raw[k] = static_cast<std::uint8_t>(k % 3 + 1);
    }
    return raw;
}

// The palette byte table that belongs to a palette: blue, green, red, 0 per entry.
std::vector<std::uint8_t> TableOf(const RawPalette &raw)
{
    std::vector<std::uint8_t> table;
    for (std::size_t i = 0; i < 256; ++i) {
        table.insert(table.end(), {raw[3 * i + 2], raw[3 * i + 1], raw[3 * i], 0});
    }
    return table;
}

std::array<std::uint32_t, 256> ColorsOf(const RawPalette &raw)
{
    std::array<std::uint32_t, 256> colors {};
    for (std::size_t i = 0; i < 256; ++i) {
        colors[i] = raw[3 * i] + 256U * raw[3 * i + 1] + 65536U * raw[3 * i + 2];
    }
    return colors;
}

// Checks the store holds exactly that palette, in both forms a load writes.
void ExpectHolds(const PaletteStore &store, const RawPalette &raw)
{
    EXPECT_EQ(store.PaletteColors(), ColorsOf(raw));
    EXPECT_EQ(store.PaletteTable(), TableOf(raw));
}

// Checks what was shown for an outcome; loads show nothing. A report keeps its classic number
// and says which source and what is wrong: "<standard description>: <source>: <problem>".
void ExpectShown(const ScriptedDialogService &dialogs,
    Outcome outcome,
    std::int32_t number,
    const std::string &source = {},
    const std::string &problem = {})
{
    const auto &log = dialogs.Log();
    if (outcome == Outcome::Loaded) {
        EXPECT_TRUE(log.empty()) << (log.empty() ? "" : log.front().text);
        return;
    }
    ASSERT_EQ(log.size(), 1U);
    if (outcome == Outcome::UnknownFormat) {
        EXPECT_EQ(log[0].text, "Unknown palette file format!");
        EXPECT_EQ(log[0].title, kAppTitle);
        EXPECT_EQ(log[0].icon, MessageIcon::None);
        return;
    }
    EXPECT_EQ(log[0].text,
        "Error in LoadPaletteDataFromFile\r\nError #" + std::to_string(number) + "\r\n"
            + FailureDescription(number) + ": " + source + ": " + problem);
    EXPECT_EQ(log[0].title, "LoadPaletteDataFromFile Error");
    EXPECT_EQ(log[0].icon, MessageIcon::Error);
}

std::vector<std::string> WithLine(std::vector<std::string> lines, std::size_t i, std::string line)
{
    lines.at(i) = std::move(line);
    return lines;
}

std::vector<std::string> Appended(std::vector<std::string> lines, const std::string &tail)
{
    for (std::string &line : lines) {
        line += tail;
    }
    return lines;
}

RawPalette WithEntry(RawPalette raw, std::size_t i, std::array<std::uint8_t, 3> rgb)
{
    std::copy(rgb.begin(), rgb.end(), raw.begin() + static_cast<std::ptrdiff_t>(3 * i));
    return raw;
}

std::vector<std::uint8_t> Resized(std::vector<std::uint8_t> bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

std::vector<std::uint8_t> WithoutCarriageReturns(std::vector<std::uint8_t> bytes)
{
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    return bytes;
}

// The first count entries of a palette, black after them.
RawPalette FirstEntries(const RawPalette &raw, std::size_t count)
{
    RawPalette first {};
    std::copy_n(raw.begin(), 3 * count, first.begin());
    return first;
}

RawPalette AsRaw(const std::vector<std::uint8_t> &bytes)
{
    RawPalette raw {};
    std::copy_n(bytes.begin(), raw.size(), raw.begin());
    return raw;
}

// Six telling components first (63 -> 252, 64 -> 0, 200 -> 32, ...), 128 last, zero between.
std::vector<std::uint8_t> GamepalComponents()
{
    std::vector<std::uint8_t> components {63, 64, 200, 1, 127, 255};
    components.resize(768, 0);
    components[767] = 128;
    return components;
}

RawPalette GamepalExpected()
{
    RawPalette raw {252, 0, 32, 4, 252, 252};
    raw[767] = 0;
    return raw;
}

struct FileCase {
    const char *name;
    std::vector<std::uint8_t> bytes;
    Outcome outcome;
    std::int32_t number; // failure number when reported
    RawPalette expected; // palette when loaded
    std::string problem = {}; // what the report says is wrong, after the file's name
};

std::vector<FileCase> FileCases()
{
    const RawPalette p = DistinctPalette();
    const std::vector<std::string> lines = EntryLines(p);
    const std::vector<std::string> first16(lines.begin(), lines.begin() + 16);
    const std::vector<std::string> first15(lines.begin(), lines.begin() + 15);
    const std::vector<std::uint8_t> jasc = Bytes(JascText(lines));
    const std::vector<std::uint8_t> act = test::ActBytes(p);
    std::vector<std::uint8_t> actWithCount = act; // the trailing count some tables carry
    actWithCount.insert(actWithCount.end(), {1, 0, 0xFF, 0xFF});
    constexpr auto loaded = Outcome::Loaded;
    constexpr auto reported = Outcome::Reported;
    constexpr auto unknown = Outcome::UnknownFormat;
    // clang-format off
    return {
        {"jasc", jasc, loaded, 0, p},
        {"jasc whose count says 16", Bytes(JascText(lines, "JASC-PAL", "16")), loaded, 0, p},
        {"jasc with 16 entry lines", Bytes(JascText(first16, "JASC-PAL", "16")), loaded, 0, FirstEntries(p, 16)},
        {"jasc with 16 entry lines and an empty one", Bytes(JascText(first16, "JASC-PAL", "16") + "\r\n"), loaded, 0, FirstEntries(p, 16)},
        {"jasc whose count says 16 with 15 entry lines", Bytes(JascText(first15, "JASC-PAL", "16")), reported, kInputPastEnd, {},
            "the JASC palette ends after 15 of 16 colours"},
        {"jasc whose count says 256 with 16 entry lines", Bytes(JascText(first16, "JASC-PAL", "256")), reported, kInputPastEnd, {},
            "the JASC palette ends after 16 of 256 colours"},
        {"jasc of its header alone", Bytes("JASC-PAL\r\n0100\r\n256\r\n"), reported, kInputPastEnd, {},
            "the JASC palette ends after 0 of 256 colours"},
        {"jasc cut in its header", Bytes("JASC-PAL\r\n0100"), reported, kInputPastEnd, {},
            "the JASC palette ends within its three header lines"},
        {"jasc with a fourth field", Bytes(JascText(Appended(lines, " 0"))), loaded, 0, p},
        {"jasc with two spaces", Bytes(JascText(WithLine(lines, 9, "12  34 56"))), reported, kTypeMismatch, {},
            "line 13 \"12  34 56\": the numbers must be separated by single spaces"},
        {"jasc with commas", Bytes(JascText(WithLine(lines, 9, "12,34,56"))), reported, kTypeMismatch, {},
            "line 13 \"12,34,56\": \"12,34,56\" is not a number"},
        {"jasc with a word", Bytes(JascText(WithLine(lines, 8, "12 abc 7"))), reported, kTypeMismatch, {},
            "line 12 \"12 abc 7\": \"abc\" is not a number"},
        {"jasc with a leading space", Bytes(JascText(WithLine(lines, 255, " 1 2 3"))), reported, kTypeMismatch, {},
            "line 259 \" 1 2 3\": the numbers must be separated by single spaces"},
        {"jasc with two fields", Bytes(JascText(WithLine(lines, 200, "1 2"))), reported, kSubscriptOutOfRange, {},
            "line 204 \"1 2\": fewer than three numbers"},
        {"jasc with an empty entry line", Bytes(JascText(WithLine(lines, 0, ""))), reported, kSubscriptOutOfRange, {},
            "line 4 \"\": fewer than three numbers"},
        {"jasc with a number too large", Bytes(JascText(WithLine(lines, 3, "1 1E10 3"))), reported, kOverflow, {},
            "line 7 \"1 1E10 3\": \"1E10\" is out of range"},
        {"jasc quoting a long line in part, control bytes escaped",
            Bytes(JascText(WithLine(lines, 1, "1 2 x\x1b[31m" + std::string(50, 'y')))), reported, kTypeMismatch, {},
            "line 5 \"1 2 x\\x1b[31m" + std::string(30, 'y') + "...\": \"x\\x1b[31m" + std::string(34, 'y') + "...\" is not a number"},
        {"jasc values keep their low 8 bits", Bytes(JascText(WithLine(lines, 4, "256 300 -1"))), loaded, 0, WithEntry(p, 4, {0, 44, 255})},
        {"jasc values round halves to even", Bytes(JascText(WithLine(lines, 7, "2.5 3.5 1E2"))), loaded, 0, WithEntry(p, 7, {2, 4, 100})},
        {"jasc without the last line end", Resized(jasc, jasc.size() - 2), loaded, 0, p},
        {"jasc with LF line ends only", WithoutCarriageReturns(jasc), loaded, 0, p},
        {"jasc in lower case", Bytes(JascText(lines, "jasc-pal")), unknown, 0, {}},
        {"act", act, loaded, 0, p},
        {"act beginning with JASC", Resized(jasc, 768), loaded, 0, AsRaw(jasc)},
        {"act of 772 bytes counting 256", actWithCount, loaded, 0, p},
        {"riff", test::RiffBytes(p), loaded, 0, p},
        {"riff of 1048 bytes", test::RiffBytes(p, 1048), loaded, 0, p},
        {"riff of 1056 bytes", test::RiffBytes(p, 1056), loaded, 0, p},
        {"riff cut in its entries", test::RiffBytes(p, 1040), reported, kInputPastEnd, {},
            "the RIFF palette ends after 1040 of 1048 bytes"},
        {"gamepal", test::GamepalBytes(GamepalComponents()), loaded, 0, GamepalExpected()},
        {"three bytes", Bytes("JAS"), unknown, 0, {}},
        {"empty file", {}, unknown, 0, {}},
    };
    // clang-format on
}

TEST(PaletteFiles, EachSourceLoadsOrIsRefusedLeavingStoreAndFileAlone)
{
    for (const FileCase &c : FileCases()) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = dir.Write("palette.pal", c.bytes);
        PaletteStore store;
        store.Publish(PreviousPalette());
        ScriptedDialogService dialogs;

        LoadPaletteDataFromFile(dialogs, store, path, "");

        ExpectShown(dialogs, c.outcome, c.number, "palette file " + NativePath(path), c.problem);
        ExpectHolds(store, c.outcome == Outcome::Loaded ? c.expected : PreviousPalette());
        EXPECT_EQ(test::ReadBytes(path), c.bytes);
    }
}

TEST(PaletteFiles, MissingFileIsReportedAsFileNotFound)
{
    test::TempDir dir;
    const std::string path = dir.File("absent.pal");
    PaletteStore store;
    store.Publish(PreviousPalette());
    ScriptedDialogService dialogs;

    LoadPaletteDataFromFile(dialogs, store, path, "");

    EXPECT_EQ(dialogs.MessageTexts(),
        std::vector<std::string> {
            "Error in LoadPaletteDataFromFile\r\nError #53\r\nFile not found: palette file "
            + NativePath(path) + ": no such file"});
    ExpectHolds(store, PreviousPalette());
    EXPECT_TRUE(test::ReadBytes(path).empty());
}

struct TextCase {
    const char *name;
    std::string text;
    Outcome outcome;
    std::int32_t number;
    std::string problem = {};
};

std::vector<TextCase> TextCases()
{
    const std::vector<std::string> lines = EntryLines(DistinctPalette());
    const std::vector<std::string> short255(lines.begin(), lines.begin() + 255);
    const std::string full = JascText(lines);
    // clang-format off
    return {
        {"text", full, Outcome::Loaded, 0},
        {"text with one NUL of padding", full + std::string(1, '\0'), Outcome::Loaded, 0},
        {"text with three NULs of padding", full + std::string(3, '\0'), Outcome::Loaded, 0},
        {"text whose header is not examined", JascText(lines, "whatever", "x"), Outcome::Loaded, 0},
        {"text with 255 entry lines", JascText(short255), Outcome::Reported, kSubscriptOutOfRange,
            "the JASC palette ends after 255 of 256 colours"},
        {"text of three lines", "JASC-PAL\r\n0100\r\n256", Outcome::Reported, kSubscriptOutOfRange,
            "the JASC palette ends after 0 of 256 colours"},
        {"text of two lines", "JASC-PAL\r\n0100", Outcome::Reported, kSubscriptOutOfRange,
            "the JASC palette ends within its three header lines"},
        {"text with commas", JascText(WithLine(lines, 100, "1,2,3")), Outcome::Reported, kTypeMismatch,
            "line 104 \"1,2,3\": \"1,2,3\" is not a number"},
        {"text with a word", JascText(WithLine(lines, 3, "1 two 3")), Outcome::Reported, kTypeMismatch,
            "line 7 \"1 two 3\": \"two\" is not a number"},
    };
    // clang-format on
}

TEST(PaletteText, ParsesAsJascPalWhateverThePath)
{
    test::TempDir dir;
    // A path that would be refused, to show that a text source never looks at it.
    const std::string path = dir.Write("other.pal", test::ActBytes(PreviousPalette()));
    for (const TextCase &c : TextCases()) {
        SCOPED_TRACE(c.name);
        PaletteStore store;
        store.Publish(PreviousPalette());
        ScriptedDialogService dialogs;

        LoadPaletteDataFromFile(dialogs, store, path, c.text);

        ExpectShown(dialogs, c.outcome, c.number, "palette text", c.problem);
        ExpectHolds(store, c.outcome == Outcome::Loaded ? DistinctPalette() : PreviousPalette());
    }
}

} // namespace
} // namespace qv
