#include "common/cls_ini.h"
#include "common/key_placement.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/temp_dir.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace qv {
namespace {

using test::ReadBytes;
using test::TempDir;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::string FileText(const std::string &path)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> KeyNames(const clsINI &ini, const std::string &section)
{
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < ini.NumberOfKeys(section); ++i) {
        names.push_back(ini.KeyName(section, i));
    }
    return names;
}

std::int32_t EntryCount(const std::string &folder)
{
    std::int32_t count = 0;
    for ([[maybe_unused]] const fs::directory_entry &entry : fs::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

// The one message of a failed save; an empty description accepts whatever the platform says.
void ExpectSaveMessage(const ScriptedDialogService &dialogs, const std::string &description)
{
    const std::string prefix = "clsINI.SaveFile: ";
    ASSERT_EQ(dialogs.Log().size(), 1u);
    const ScriptedDialogService::Shown &shown = dialogs.Log()[0];
    EXPECT_EQ(shown.title, "Could not save INI file.");
    EXPECT_EQ(shown.icon, MessageIcon::Error);
    if (description.empty()) {
        EXPECT_TRUE(shown.text.starts_with(prefix) && shown.text.size() > prefix.size())
            << shown.text;
    } else {
        EXPECT_EQ(shown.text, prefix + description);
    }
}

// Flags must be written as "-1"/"0" text, never as a bool that would turn into "1".
template <typename Store>
concept WritesBool = requires(Store &ini)
{
    ini.WriteValue("S", "k", true);
};
static_assert(!WritesBool<clsINI>);

struct Store {
    TempDir dir;
    ScriptedDialogService dialogs;
    clsINI ini {dialogs};
    std::string path = dir.File("quorvantile.ini");

    void LoadFile(const std::string &text)
    {
        dir.Write("quorvantile.ini", text);
        ini.LoadINI(path);
    }
};

TEST(ClsIni, SavesExactBytesAndReadsThemBackUnchanged)
{
    Store s;
    s.ini.LoadINI(s.path); // no file yet: an empty store, and loading makes no file
    EXPECT_EQ(s.ini.NumberOfSections(), 0);
    EXPECT_FALSE(fs::exists(s.path));
    s.ini.WriteValue("General", "Path", "C:\\Pics");
    EXPECT_EQ(FileText(s.path), "[General]\r\nPath=C:\\Pics\r\n");
    s.ini.WriteValue("Colors", "Skip1", 1);
    s.ini.WriteValue("Colors", "Skip0", "0");
    const std::string expected =
        "[General]\r\nPath=C:\\Pics\r\n\r\n[Colors]\r\nSkip0=0\r\nSkip1=1\r\n";
    EXPECT_EQ(FileText(s.path), expected);

    EXPECT_TRUE(s.dialogs.Log().empty());
    EXPECT_EQ(EntryCount(s.dir.Path()), 1) << "temporary file left behind";
}

TEST(ClsIni, KeysGoToTheirOrderedPlace)
{
    using Names = std::vector<std::string>;
    // clang-format off
    const std::pair<Names, Names> cases[] = {
        {{"Skip2", "Skip10", "Skip1"}, {"Skip1", "Skip10", "Skip2"}},
        {{"10", "9", "100"}, {"9", "10", "100"}},
        {{"b", "B", "a"}, {"B", "a", "b"}},
        {{"z", "\xE9", "a"}, {"a", "z", "\xE9"}}, // bytes compare unsigned
        {{"2.4", "2", " 1E1 ", "-3"}, {"-3", "2.4", "2", " 1E1 "}}, // equal values keep order
        {{"x", "5", "a"}, {"5", "a", "x"}},
        {{"1", "3", "a", "2"}, {"1", "2", "3", "a"}},
        {{"5", "a", "7"}, {"5", "7", "a"}}, // a number stops at the first other name
        {{"b", "a1", "c"}, {"a1", "b", "c"}},
        // Beyond 32 bits a name counts as the nearest 32-bit value.
        {{"99999999999", "2147483647", "-99999999999", "0"},
         {"-99999999999", "0", "99999999999", "2147483647"}}};
    // clang-format on
    for (const auto &[written, stored] : cases) {
        ScriptedDialogService dialogs;
        clsINI ini(dialogs);
        ini.LoadINIFromString("");
        for (const std::string &name : written) {
            ini.WriteValue("S", name, "v");
        }
        EXPECT_EQ(KeyNames(ini, "S"), stored) << written[0];
    }
}

TEST(ClsIni, ReadsLinesAsTheyStand)
{
    const struct {
        std::string text, section, key, value; // value "<none>": the key is not found
    } cases[] = {
        // clang-format off
        {"[S]\r\nkey = value", "S", "key ", " value"},
        {"[S]\r\nkey = value", "S", "key", "<none>"},
        {"[S]\r\na=b=c", "S", "a", "b=c"},
        {"[S]\r\nk=", "S", "k", ""},
        {"[S]\r\n=v", "S", "", "v"},
        {"[S]\r\n;k=1", "S", ";k", "<none>"},
        {"[S]\r\nk=a\rb\nc", "S", "k", "a\rb"},    // a lone CR stays in the line
        {"[S]\nk=v\r\r\n", "S", "k", "v\r"},          // one CR belongs to the line end
        {"[S]\r\nno equals sign\r\nk=1", "S", "no equals sign", "<none>"},
        {"[General] \r\nk=1", "General]", "k", "1"},
        {"[General] \r\nk=1", "General", "k", "<none>"},
        {"[s]\r\nk=1", "S", "k", "<none>"},
        {"[S]\nk=v\n", "S", "k", "v"},                // LF only, as Linux editors write
        {"[General]\nPalette=6", "General", "Palette", "6"},
        {"[S]\r\nk=1\nj=2\r\n", "S", "j", "2"},       // mixed line ends
        {"[\r\nk=1", "", "k", "1"},                // a lone "[" is the empty name
        {"k=1\r\n[S]\r\nj=2", "", "k", "1"},       // before the first heading
        {"[S]\r\nk=1\r\nk=2", "S", "k", "1"},
        {"[S]\r\nk=1\r\n[S]\r\nj=2", "S", "j", "<none>"},
        // clang-format on
    };
    for (const auto &c : cases) {
        ScriptedDialogService dialogs;
        clsINI ini(dialogs);
        ini.LoadINIFromString(c.text);
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<none>"), c.value) << c.text;
    }
}

TEST(ClsIni, FileOfLineFeedsIsWrittenBackWithCrLf)
{
    Store s;
    std::ofstream(s.path, std::ios::binary) << "[General]\nPalette=6\n";
    s.ini.LoadINI(s.path);
    s.ini.WriteValue("General", "Path", "/pics");
    EXPECT_EQ(FileText(s.path), "[General]\r\nPalette=6\r\nPath=/pics\r\n");
}

TEST(ClsIni, ReadLongTakesTheLeadingNumber)
{
    const struct {
        const char *value;
        std::int32_t defaultValue, expected;
    } cases[] = {
        // clang-format off
        {"&H1F", 5, 31}, {"  -7xyz", 5, -7}, {"1 000", 5, 1000}, {"2.5", 5, 2}, {"3.5", 5, 4},
        {"", 100, 0}, {"abc", 100, 0}, {"12abc", 0, 12}, {"-2147483648", 1, kMin},
        {"2147483647.5", 7, 7}, {"99999999999", 42, 42}, {"&HFFFFFFFF", 3, 3},
        // clang-format on
    };
    for (const auto &c : cases) {
        ScriptedDialogService dialogs;
        clsINI ini(dialogs);
        ini.LoadINIFromString(std::string("[S]\r\nk=") + c.value);
        EXPECT_EQ(ini.ReadLong("S", "k", c.defaultValue), c.expected) << c.value;
        EXPECT_EQ(ini.ReadLong("S", "missing", c.defaultValue), c.defaultValue);
        EXPECT_EQ(ini.ReadString("T", "k", c.defaultValue), std::to_string(c.defaultValue));
    }
}

TEST(ClsIni, FirstWriteRewritesAHandEditedFile)
{
    const struct {
        std::string before, section, key, value, after;
    } cases[] = {
        {"; settings\r\n[Colors]\r\n\r\nSkip2=1\r\n\r\nSkip10=0\r\njunk\r\nSkip1=1\r\n",
            "Colors",
            "Skip3",
            "0",
            "[Colors]\r\nSkip1=1\r\nSkip10=0\r\nSkip2=1\r\nSkip3=0\r\n"},
        {"[G]\r\na=1\r\n[G]\r\na=2\r\nb=3\r\n",
            "G",
            "b",
            "4",
            "[G]\r\na=1\r\nb=4\r\n\r\n[G]\r\na=2\r\nb=3\r\n"},
        {"[G]\r\nb=1\r\nb=2\r\na=0", "G", "b", "5", "[G]\r\na=0\r\nb=5\r\nb=2\r\n"},
        // Keys above the first heading stay above it, without a heading that would move them.
        {"top=1\r\n[S]\r\nk=2\r\n", "S", "k", "3", "top=1\r\n\r\n[S]\r\nk=3\r\n"},
        {"[S]\r\nk=2\r\n", "", "top", "1", "[S]\r\nk=2\r\n\r\n[]\r\ntop=1\r\n"},
        {"[\r\nk=1\r\n", "", "k", "2", "[]\r\nk=2\r\n"},
        {"", "G", "k", "v", "[G]\r\nk=v\r\n"},
    };
    for (const auto &c : cases) {
        Store s;
        s.LoadFile(c.before);
        s.ini.WriteValue(c.section, c.key, c.value);
        EXPECT_EQ(FileText(s.path), c.after) << c.before;
        // What was written reads back the same and saves to the same bytes.
        clsINI again(s.dialogs);
        again.LoadINI(s.path);
        EXPECT_EQ(again.ReadString(c.section, c.key), c.value);
        again.WriteValue(c.section, c.key, c.value); // the same value saves the same bytes
        EXPECT_EQ(FileText(s.path), c.after) << c.before;
        EXPECT_TRUE(s.dialogs.Log().empty());
    }
}

TEST(ClsIni, FailedSaveKeepsTheValueAndTheOldFile)
{
    const std::string old = "[S]\r\nk=old\r\n";
    const struct {
        const char *name;
        bool makeFolder, readOnly;
        const char *description;
    } cases[] = {
        {"missing/quorvantile.ini", false, false, ""},
        {"quorvantile.ini", true, false, ""},
        {"quorvantile.ini", false, true, "Permission denied"},
    };
    for (const auto &c : cases) {
        Store s;
        const std::string target = s.dir.File(c.name);
        if (c.makeFolder) {
            fs::create_directory(target);
            s.dir.Write("quorvantile.ini/inside", old);
        }
        if (c.readOnly) {
            s.dir.Write(c.name, old);
            fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
        }
        s.ini.LoadINI(target);
        s.ini.WriteValue("S", "k", "new");
        s.ini.WriteValue("S", "j", "more"); // said once, not once per change
        ExpectSaveMessage(s.dialogs, c.description);
        EXPECT_EQ(s.ini.ReadString("S", "k"), "new") << c.name;
        EXPECT_FALSE(fs::exists(s.dir.File("missing")));
        EXPECT_EQ(fs::is_directory(target), c.makeFolder);
        const bool hadOld = c.makeFolder || c.readOnly;
        EXPECT_EQ(FileText(c.makeFolder ? target + "/inside" : target), hadOld ? old : "");
        EXPECT_EQ(EntryCount(s.dir.Path()), hadOld ? 1 : 0) << "temporary file left behind";
    }
}

TEST(ClsIni, StoreNeverLoadedKeepsWritesInMemory)
{
    ScriptedDialogService dialogs;
    clsINI ini(dialogs);
    EXPECT_TRUE(ini.AllowSaveFile());
    ini.WriteValue("General", "Path", "x");
    ExpectSaveMessage(dialogs, "");
    EXPECT_EQ(ini.ReadString("General", "Path"), "x");
}

TEST(ClsIni, StoreFromTextTouchesNoFile)
{
    Store s;
    s.LoadFile("[a]\r\nb=0\r\n");
    s.ini.LoadINIFromString("[a]\r\nb=1");
    EXPECT_FALSE(s.ini.AllowSaveFile());
    EXPECT_EQ(s.ini.FileName(), "");
    s.ini.WriteValue("a", "b", "2");
    EXPECT_EQ(s.ini.ReadString("a", "b"), "2");
    EXPECT_EQ(FileText(s.path), "[a]\r\nb=0\r\n");
    EXPECT_TRUE(s.dialogs.Log().empty());

    s.ini.AllowSaveFile(true);
    EXPECT_FALSE(s.ini.AllowSaveFile());
    ASSERT_EQ(s.dialogs.Log().size(), 1u);
    EXPECT_EQ(s.dialogs.Log()[0].text,
        "Cannot allow INI file saving.  Currently using an internal INI string.");
    EXPECT_EQ(s.dialogs.Log()[0].title, "Cannot allow saving of INI data");
    EXPECT_EQ(s.dialogs.Log()[0].icon, MessageIcon::Error);

    // Loading a file names it but leaves saving off until the caller switches it on.
    s.ini.LoadINI(s.path);
    s.ini.WriteValue("a", "b", "3");
    EXPECT_EQ(FileText(s.path), "[a]\r\nb=0\r\n");
    s.ini.AllowSaveFile(true);
    s.ini.WriteValue("a", "b", "4");
    EXPECT_EQ(FileText(s.path), "[a]\r\nb=4\r\n");
    EXPECT_EQ(s.dialogs.Log().size(), 1u);
}

TEST(ClsIni, UnreadableFileIsNeverOverwritten)
{
    Store s;
    const std::string old = "[S]\r\nk=old\r\n";
    s.dir.Write("quorvantile.ini", old);
    // Writable but not readable: only the guard keeps a save from replacing it.
    fs::permissions(s.path, fs::perms::owner_write);
    if (!ReadBytes(s.path).empty()) {
        GTEST_SKIP() << "permissions do not stop this user from reading";
    }
    s.ini.LoadINI(s.path);
    EXPECT_EQ(s.ini.NumberOfSections(), 0);
    EXPECT_EQ(s.ini.ReadLong("S", "k", 9), 9);
    s.ini.WriteValue("S", "k", "new");
    ExpectSaveMessage(s.dialogs, "Permission denied");
    EXPECT_EQ(s.ini.ReadString("S", "k"), "new");
    fs::permissions(s.path, fs::perms::owner_all);
    EXPECT_EQ(FileText(s.path), old);
}

TEST(ClsIni, FileThatCannotBeReadLoadsEmptyAndRefusesSaving)
{
    // A regular file that even the superuser cannot read whole: it cannot seek to its end.
    const std::string path = "/proc/self/mem";
    std::string whyUnreadable;
    try {
        ReadWholeFile(path);
        GTEST_SKIP() << path << " can be read here";
    } catch (const Failure &failure) {
        whyUnreadable = failure.Description();
    }
    if (!fs::is_regular_file(path)) {
        GTEST_SKIP() << path << " is not a regular file here";
    }
    ScriptedDialogService dialogs;
    clsINI ini(dialogs);
    ini.LoadINI(path);
    EXPECT_EQ(ini.NumberOfSections(), 0);
    ini.WriteValue("S", "k", "v");
    ExpectSaveMessage(dialogs, whyUnreadable); // refused for the reason it could not be read
    EXPECT_EQ(ini.ReadString("S", "k"), "v");
}

// The ordered walk key by key, as plainly as it reads: from the first key, a number stops at the
// first name that is no number or a larger number, any other name at the first larger name in
// byte order; the key is inserted there.
std::vector<INIKey> WalkedKeys(const std::vector<INIKey> &read)
{
    std::vector<INIKey> keys;
    std::vector<std::optional<std::int32_t>> numbers;
    for (const INIKey &key : read) {
        const std::optional<std::int32_t> number = KeyNameNumber(key.Name);
        std::size_t p = 0;
        for (; p < keys.size(); ++p) {
            const bool stops =
                number ? !numbers[p] || *numbers[p] > *number : keys[p].Name > key.Name;
            if (stops) {
                break;
            }
        }
        keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(p), key);
        numbers.insert(numbers.begin() + static_cast<std::ptrdiff_t>(p), number);
    }
    return keys;
}

std::string KeyLines(const std::vector<INIKey> &keys)
{
    std::string text;
    for (const INIKey &key : keys) {
        text += key.Name + "=" + key.Value + "\r\n";
    }
    return text;
}

// A file of many keys in any order loads as fast as a sorted one, and every key still lands where
// the walk puts it: names of one kind, numbers of one kind, and both mixed, with equal names and
// equal numbers, before the first heading and in two sections of one name.
TEST(ClsIni, LoadingPutsEveryKeyWhereTheWalkPutsIt)
{
    const std::vector<std::string> names = {
        "a", "B", "b", "Skip1", "Skip10", "Skip2", "\xE9", "", " x", "Path", "a1", "Z"};
    const std::vector<std::string> numbers = {"5",
        "-3",
        "2",
        "2.0",
        " 2 ",
        "2.5",
        "1.5",
        "1E1",
        "0",
        "99999999999",
        "-99999999999",
        "2147483647",
        "3.5",
        "100"};
    std::vector<std::string> mixed = names;
    mixed.insert(mixed.end(), numbers.begin(), numbers.end());
    const struct {
        const char *what;
        const std::vector<std::string> &pool;
        int keys; // per section
    } cases[] = {
        {"names", names, 300},
        {"numbers", numbers, 300},
        {"mixed", mixed, 300},
        {"few mixed", mixed, 3},
        {"many mixed", mixed, 2000},
    };
    for (const auto &c : cases) {
        for (std::uint32_t seed = 1; seed <= 5; ++seed) {
            SCOPED_TRACE(std::string(c.what) + ", seed " + std::to_string(seed));
            std::mt19937 random(seed);
            std::uniform_int_distribution<std::size_t> pick(0, c.pool.size() - 1);
            std::vector<std::vector<INIKey>> read(3); // before the first heading, [S], [S]
            int value = 0;
            for (std::vector<INIKey> &section : read) {
                for (int i = 0; i < c.keys; ++i) {
                    section.push_back({c.pool[pick(random)], std::to_string(value++)});
                }
            }
            Store s;
            s.LoadFile(
                KeyLines(read[0]) + "[S]\r\n" + KeyLines(read[1]) + "[S]\r\n" + KeyLines(read[2]));
            const std::vector<INIKey> first = WalkedKeys(read[1]);
            std::vector<std::string> firstNames;
            for (const INIKey &key : first) {
                firstNames.push_back(key.Name);
            }
            EXPECT_EQ(KeyNames(s.ini, "S"), firstNames);
            // A lookup finds the first key of the name in the order the keys now stand.
            std::set<std::string> seen;
            int wrong = 0;
            for (const INIKey &key : first) {
                if (seen.insert(key.Name).second) {
                    wrong += s.ini.ReadString("S", key.Name, "<none>") != key.Value;
                }
            }
            EXPECT_EQ(wrong, 0);
            EXPECT_EQ(s.ini.ReadString("S", "missing", "<none>"), "<none>");
            s.ini.WriteValue("Z", "z", "1"); // saves the whole store
            EXPECT_EQ(FileText(s.path),
                KeyLines(WalkedKeys(read[0])) + "\r\n[S]\r\n" + KeyLines(first) + "\r\n[S]\r\n"
                    + KeyLines(WalkedKeys(read[2])) + "\r\n[Z]\r\nz=1\r\n");
        }
    }
}

// Lookups answer from an index of the names: every change of the lists must show in the next
// lookup, and the first of equal names is always the one found.
TEST(ClsIni, LookupsFollowEveryChangeOfTheLists)
{
    Store s;
    s.LoadFile("[S]\r\nk=1\r\nk=2\r\nm=3\r\n[T]\r\nt=4\r\n[S]\r\nj=5\r\n");
    const struct {
        const char *what;
        std::function<void()> change;
        // ReadString of section, key after the change; "<none>": not found
        std::vector<std::array<std::string, 3>> reads;
    } steps[] = {
        {"as loaded",
            [] {},
            {{"S", "k", "1"}, {"S", "m", "3"}, {"T", "t", "4"}, {"S", "j", "<none>"}}},
        {"a key inserted before the others",
            [&] { s.ini.WriteValue("S", "a", "6"); },
            {{"S", "a", "6"}, {"S", "k", "1"}, {"S", "m", "3"}}},
        {"a section added",
            [&] { s.ini.WriteValue("U", "u", "7"); },
            {{"U", "u", "7"}, {"S", "k", "1"}, {"T", "t", "4"}}},
        {"the first of two equal keys replaced",
            [&] { s.ini.WriteValue("S", "k", "8"); },
            {{"S", "k", "8"}, {"S", "m", "3"}}},
        {"loaded again",
            [&] { s.ini.LoadINIFromString("[T]\r\nu=9\r\n"); },
            {{"T", "u", "9"}, {"T", "t", "<none>"}, {"U", "u", "<none>"}, {"S", "j", "<none>"}}},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        for (const auto &[section, key, value] : step.reads) {
            EXPECT_EQ(s.ini.ReadString(section, key, "<none>"), value) << section << " " << key;
        }
    }
}

TEST(ClsIni, Indexes)
{
    Store s;
    s.LoadFile("[S]\r\nb=2\r\na=1\r\n[T]\r\n");
    EXPECT_EQ(s.ini.NumberOfSections(), 2);
    EXPECT_EQ(s.ini.SectionName(1), "T");
    EXPECT_EQ(s.ini.NumberOfKeys("missing"), 0);
    EXPECT_EQ(s.ini.KeyName("missing", 7), "");
    for (const auto &refused : std::vector<std::function<void()>> {
             [&] { s.ini.SectionName(-1); },
             [&] { s.ini.SectionName(2); },
             [&] { s.ini.KeyName("S", 2); },
             [&] { s.ini.KeyName("T", 0); },
         }) {
        try {
            refused();
            ADD_FAILURE() << "an index outside the list was accepted";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.Number(), kSubscriptOutOfRange);
        }
    }
    EXPECT_EQ(KeyNames(s.ini, "S"), (std::vector<std::string> {"a", "b"}));
}

} // namespace
} // namespace qv
