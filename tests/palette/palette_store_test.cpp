#include "palette/palette_store.h"
#include "platform/resources.h"
#include "platform/scripted_dialog_service.h"
#include "tests/palette/palette_test_data.h"
#include "tests/support/temp_dir.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Rgb = std::array<int, 3>;

Rgb ColorAt(const PaletteStore &store, std::size_t i)
{
    const std::uint32_t c = store.PaletteColors()[i];
    return {static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16)};
}

Rgb TableAt(const PaletteStore &store, std::size_t i)
{
    const std::vector<std::uint8_t> &t = store.PaletteTable();
    return {t[4 * i + 2], t[4 * i + 1], t[4 * i]};
}

Rgb MatchAt(const PaletteStore &store, std::size_t i)
{
    const MatchColor &m = store.MatchColors()[i];
    return {m.red, m.green, m.blue};
}

struct BuiltIn {
    int number;
    const char *name;
    std::array<Rgb, 5> telling; // entries 0, 1, 2, 3 and 255
    bool sixBit; // every component a multiple of 4 no greater than 252
};

const BuiltIn kBuiltIns[] = {
    {0, "WOLF3D", {{{0, 0, 0}, {0, 0, 168}, {0, 168, 0}, {0, 168, 168}, {152, 0, 136}}}, true},
    {1, "SPEAR", {{{0, 0, 0}, {0, 0, 168}, {0, 168, 0}, {0, 168, 168}, {152, 0, 136}}}, true},
    {2, "BLAKESTONE", {{{0, 0, 0}, {4, 4, 4}, {12, 12, 12}, {20, 20, 20}, {152, 0, 136}}}, true},
    {3, "BODYCOUNT", {{{0, 0, 0}, {180, 0, 0}, {204, 156, 0}, {4, 8, 36}, {152, 0, 136}}}, true},
    {4, "CORRIDOR7", {{{0, 0, 0}, {0, 0, 168}, {0, 168, 0}, {212, 212, 0}, {152, 0, 136}}}, true},
    {5, "NOAH3D", {{{0, 0, 0}, {0, 0, 28}, {0, 0, 60}, {0, 0, 92}, {252, 252, 252}}}, true},
    {6, "DOOM", {{{3, 3, 3}, {31, 23, 11}, {23, 15, 7}, {75, 75, 75}, {167, 107, 107}}}, false},
};

class BuiltInPalette : public testing::TestWithParam<BuiltIn>
{
};

TEST_P(BuiltInPalette, LoadsAll256EntriesWithItsTellingColours)
{
    const BuiltIn &b = GetParam();
    const std::optional<std::vector<std::uint8_t>> data = LoadResourceData("PALETTES", b.name);
    ASSERT_TRUE(data.has_value());
    const std::string text(data->begin(), data->end());
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 259U) << "three header lines and 256 entry lines";
    EXPECT_EQ(text.rfind("JASC-PAL\r\n0100\r\n256\r\n", 0), 0U);

    ScriptedDialogService dialogs;
    PaletteStore store;
    store.BuildMatchTable(dialogs, PaletteChoice::BuiltIn(b.name));

    EXPECT_TRUE(dialogs.Log().empty());
    const std::size_t entries[] = {0, 1, 2, 3, 255};
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(ColorAt(store, entries[k]), b.telling[k]) << "entry " << entries[k];
    }
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(TableAt(store, i), ColorAt(store, i)) << "entry " << i;
        EXPECT_EQ(MatchAt(store, i), ColorAt(store, i)) << "entry " << i;
        EXPECT_EQ(store.PaletteTable()[4 * i + 3], 0) << "entry " << i;
        if (b.sixBit) {
            for (int component : ColorAt(store, i)) {
                EXPECT_EQ(component % 4, 0) << "entry " << i;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(All,
    BuiltInPalette,
    testing::ValuesIn(kBuiltIns),
    [](const testing::TestParamInfo<BuiltIn> &param) { return std::string(param.param.name); });

TEST(PaletteStore, TablesAreZeroUntilTheFirstLoad)
{
    PaletteStore store;
    EXPECT_EQ(store.PaletteColors(), (std::array<std::uint32_t, 256> {}));
    EXPECT_EQ(store.PaletteTable(), std::vector<std::uint8_t>(1024, 0));
    EXPECT_EQ(store.MatchColors(), (std::array<MatchColor, 256> {}));
    EXPECT_EQ(store.UsableColors(), (std::array<bool, 256> {}));
    EXPECT_FALSE(store.HasSnapshot());
}

TEST(PaletteStore, PublishPutsRedInTheLowBitsAndBlueFirstInTheTable)
{
    RawPalette raw {};
    raw[3 * 9] = 0x11; // red
    raw[3 * 9 + 1] = 0x22; // green
    raw[3 * 9 + 2] = 0x33; // blue
    PaletteStore store;
    store.SetPaletteTable(std::vector<std::uint8_t>(1024, 0xAB));
    store.Publish(raw);
    EXPECT_EQ(store.PaletteColors()[9], 0x332211U);
    const std::vector<std::uint8_t> entry(
        store.PaletteTable().begin() + 36, store.PaletteTable().begin() + 40);
    EXPECT_EQ(entry, (std::vector<std::uint8_t> {0x33, 0x22, 0x11, 0}));
    EXPECT_EQ(store.PaletteTable()[3], 0) << "a load rewrites the whole table";
}

// Which palette ReadPaletteFile loads for a choice.
struct Choice {
    const char *name;
    bool file; // the palette file, else the built-in palette named builtIn
    const char *builtIn;
    Rgb entry0; // of the palette expected
    bool reported; // "ReadPaletteFile" error
};

TEST(ReadPaletteFile, PicksTheBuiltInOrTheExternalFile)
{
    const Choice choices[] = {
        {"WOLF3D", false, "WOLF3D", {0, 0, 0}, false},
        {"DOOM", false, "DOOM", {3, 3, 3}, false},
        {"external", true, "", {0, 255, 0}, false},
        {"external item without a path", false, "&Use External", {9, 9, 9}, true},
    };
    test::TempDir dir;
    const std::string path = dir.Write("my.act", test::ActBytes(test::DistinctPalette()));
    for (const Choice &c : choices) {
        SCOPED_TRACE(c.name);
        ScriptedDialogService dialogs;
        PaletteStore store;
        RawPalette previous {};
        previous.fill(9);
        store.Publish(previous);

        store.ReadPaletteFile(
            dialogs, c.file ? PaletteChoice::File(path) : PaletteChoice::BuiltIn(c.builtIn));

        EXPECT_EQ(ColorAt(store, 0), c.entry0);
        ASSERT_EQ(dialogs.Log().size(), c.reported ? 1U : 0U);
        if (c.reported) {
            EXPECT_EQ(dialogs.Log()[0].title, "ReadPaletteFile Error");
            EXPECT_EQ(dialogs.Log()[0].text.rfind("Error in ReadPaletteFile\r\n", 0), 0U);
        }
    }
}

// After DOOM, a load that fails keeps all three tables and the file it read.
TEST(ReadPaletteFile, FailedLoadKeepsEveryTable)
{
    struct Case {
        const char *name;
        bool file; // the broken file, else the built-in palette NOSUCHPALETTE
        const char *reporter;
    };
    const Case cases[] = {
        {"missing resource", false, "ReadPaletteFile"},
        {"external file that fails to parse", true, "LoadPaletteDataFromFile"},
    };
    test::TempDir dir;
    const std::vector<std::uint8_t> broken =
        test::Bytes(test::JascText({"1 2 3", "4 5 6"}, "JASC-PAL", "3"));
    const std::string path = dir.Write("broken.pal", broken);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogService dialogs;
        PaletteStore store;
        store.BuildMatchTable(dialogs, PaletteChoice::BuiltIn("DOOM"));
        const auto colors = store.PaletteColors();
        const auto table = store.PaletteTable();
        const auto match = store.MatchColors();
        ASSERT_EQ(ColorAt(store, 0), (Rgb {3, 3, 3}));

        store.BuildMatchTable(
            dialogs, c.file ? PaletteChoice::File(path) : PaletteChoice::BuiltIn("NOSUCHPALETTE"));

        ASSERT_EQ(dialogs.Log().size(), 1U);
        EXPECT_EQ(dialogs.Log()[0].title, std::string(c.reporter) + " Error");
        EXPECT_EQ(store.PaletteColors(), colors);
        EXPECT_EQ(store.PaletteTable(), table);
        EXPECT_EQ(store.MatchColors(), match);
        EXPECT_EQ(test::ReadBytes(path), broken);
    }
}

TEST(ReadPaletteFile, NextLoadReplacesAPicturesOwnTable)
{
    ScriptedDialogService dialogs;
    PaletteStore store;
    store.ReadPaletteFile(dialogs, PaletteChoice {});
    const auto wolf3d = store.PaletteTable();
    store.SetPaletteTable(std::vector<std::uint8_t>(1024, 0x77));
    EXPECT_EQ(store.PaletteTable(), std::vector<std::uint8_t>(1024, 0x77));
    store.ReadPaletteFile(dialogs, PaletteChoice {});
    EXPECT_EQ(store.PaletteTable(), wolf3d);
}

TEST(PaletteStore, SnapshotFollowsTheSkipSetOnlyWhenTaken)
{
    SkipSet skip {};
    skip[0] = true;
    skip[255] = true;
    PaletteStore store;

    store.EnsureSnapshot(skip);
    EXPECT_TRUE(store.HasSnapshot());
    for (std::size_t j = 0; j < 256; ++j) {
        EXPECT_EQ(store.UsableColors()[j], j != 0 && j != 255) << "entry " << j;
    }

    skip[0] = false;
    skip[7] = true;
    store.EnsureSnapshot(skip);
    EXPECT_FALSE(store.UsableColors()[0]) << "a snapshot already taken is kept";
    EXPECT_TRUE(store.UsableColors()[7]);

    store.TakeSnapshot(skip);
    EXPECT_TRUE(store.UsableColors()[0]);
    EXPECT_FALSE(store.UsableColors()[7]);
}

// A palette file is read again only when its length or modification time changed; one that
// fails is read, and reported, every time.
TEST(ReadPaletteFile, PaletteFileIsReadAgainOnlyWhenItsStampChanges)
{
    RawPalette first = test::DistinctPalette();
    RawPalette second = first;
    second[0] = 200; // entry 0 red, same length as an ACT table
    const std::vector<std::uint8_t> broken =
        test::Bytes(test::JascText({"1 2 3", "4 5 6"}, "JASC-PAL", "3"));
    struct Step {
        const char *what;
        std::vector<std::uint8_t> bytes; // empty: the file stays as it is
        int second; // modification time, seconds after the first step's
        int red; // entry 0 afterwards
        std::size_t messages;
    };
    const Step steps[] = {
        {"first read", test::ActBytes(first), 0, 0, 0},
        {"other bytes of the same length and time: the copy", test::ActBytes(second), 0, 0, 0},
        {"a later time: read again", {}, 5, 200, 0},
        {"a broken file keeps the palette", broken, 10, 200, 1},
        {"and is reported again", {}, 10, 200, 1},
        {"fixed: read", test::ActBytes(first), 15, 0, 0},
        {"unchanged: the copy, after the picture's own table", {}, 15, 0, 0},
    };
    test::TempDir dir;
    const std::string path = dir.Write("target.pal", test::ActBytes(first));
    const auto start = std::filesystem::last_write_time(path);
    PaletteStore store;
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        if (!step.bytes.empty()) {
            dir.Write("target.pal", step.bytes);
        }
        std::filesystem::last_write_time(path, start + std::chrono::seconds(step.second));
        store.SetPaletteTable(std::vector<std::uint8_t>(1024, 9));
        ScriptedDialogService dialogs;
        store.BuildMatchTable(dialogs, PaletteChoice::File(path));
        EXPECT_EQ(dialogs.Log().size(), step.messages);
        EXPECT_EQ(ColorAt(store, 0)[0], step.red);
        // A failed load leaves the picture's own table, as every failed load does.
        EXPECT_EQ(TableAt(store, 0)[0], step.messages == 0 ? step.red : 9);
        EXPECT_EQ(MatchAt(store, 0)[0], step.red);
        EXPECT_EQ(ColorAt(store, 255), (Rgb {255, 0, static_cast<int>(7 * 255 % 256)}));
    }
}

} // namespace
} // namespace qv
