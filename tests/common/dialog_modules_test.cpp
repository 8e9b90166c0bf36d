#include "common/mod_browse_for_folder.h"
#include "common/mod_common_dialog.h"
#include "common/mod_global.h"
#include "platform/scripted_dialog_service.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using namespace std::string_literals;
using Kind = ScriptedDialogService::Kind;

const std::string kPaletteFilter =
    "JASC 3 Palette Files (*.pal)|*.pal|JASC 8 Palette Files (*.pal)|*.pal|Photoshop Palette "
    "Files (*.act)|*.act|Wolf3D Palette Object (GAMEPAL.OBJ)|GAMEPAL.OBJ|All Files (*.*)|*.*";

TEST(ModCommonDialog, ParseMultiSelection)
{
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Pics\\a.pal\0\0"s, "C:\\Pics\0a.pal"s}, {"C:\\a.pal"s, "C:\0a.pal"s},
        {"C:\\Pics\0a.pal\0b.pal\0\0"s, "C:\\Pics\0a.pal\0b.pal"s},
        {"C:\\Pics\0a.pal\0\0junk\0"s, "C:\\Pics\0a.pal"s},
        {"/home/u/pics/a.pal"s, "/home/u/pics\0a.pal"s}, {"a.pal"s, "a.pal"s}, {""s, ""s},
        {"\0C:\\a.pal"s, ""s}};
    // clang-format on
    for (const auto &[buffer, expected] : cases) {
        EXPECT_EQ(ParseMultiSelection(buffer), expected) << buffer;
    }
}

TEST(ModCommonDialog, SplitFilter)
{
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    // clang-format off
    const std::pair<std::string, Pairs> cases[] = {
        {"", {}}, {"A|*.a", {{"A", "*.a"}}}, {"A|*.a|B", {{"A", "*.a"}}}, {"A|*.a|", {{"A", "*.a"}}},
        {"A|*.a;*.b|All|*.*", {{"A", "*.a;*.b"}, {"All", "*.*"}}}};
    // clang-format on
    for (const auto &[filter, expected] : cases) {
        EXPECT_EQ(SplitFilter(filter), expected) << filter;
    }
    const Pairs palette = SplitFilter(kPaletteFilter);
    ASSERT_EQ(palette.size(), 5u);
    EXPECT_EQ(palette[3],
        (std::pair<std::string, std::string>(
            "Wolf3D Palette Object (GAMEPAL.OBJ)", "GAMEPAL.OBJ")));
    EXPECT_EQ(palette[4].second, "*.*");
}

TEST(ModCommonDialog, ShowOpenFileDialog)
{
    const struct {
        std::vector<std::string> files; // the dialog's answer; empty for Cancel
        bool multiSelect;
        std::string expected;
    } cases[] = {
        // clang-format off
        {{}, false, ""}, {{}, true, ""},
        {{"C:\\Pics\\a.pal"}, false, "C:\\Pics\\a.pal"},
        {{"/home/u/GAMEPAL.OBJ"}, false, "/home/u/GAMEPAL.OBJ"},
        {{"C:\\Pics\\a.pal"}, true, "C:\\Pics\0a.pal"s},
        {{"C:\\Pics\\a.pal", "C:\\Pics\\b.pal"}, true, "C:\\Pics\0a.pal\0b.pal"s},
        {{"/a.pal", "/b.pal"}, true, "\0a.pal\0b.pal"s}, // the root folder is the empty text
        {{"/p/a.pal", "/q/b.pal"}, true, "/p\0a.pal\0/q/b.pal"s},
        // clang-format on
    };
    for (const auto &c : cases) {
        ScriptedDialogService dialogs;
        dialogs.QueueOpenFile({c.files, 3});
        int filterIndex = 1;
        const std::string result = ShowOpenFileDialog(dialogs,
            kPaletteFilter,
            "Select the JASC palette file to use",
            "/opt/q",
            "/opt/q/old.pal",
            filterIndex,
            c.multiSelect);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(filterIndex, 3) << "the filter index is written back, also on Cancel";
        ASSERT_EQ(dialogs.Log().size(), 1u);
        const OpenFileRequest &request = dialogs.Log()[0].request;
        EXPECT_EQ(request.filter, kPaletteFilter);
        EXPECT_EQ(request.title, "Select the JASC palette file to use");
        EXPECT_EQ(request.initialFolder, "/opt/q");
        EXPECT_EQ(request.initialFile, "/opt/q/old.pal");
        EXPECT_EQ(request.filterIndex, 1);
        EXPECT_EQ(request.multiSelect, c.multiSelect);
    }
}

TEST(ModBrowseForFolder, AnswersTheChosenFolderOrNothing)
{
    for (const std::string &answer : {"C:\\Pics"s, "/home/u/pics"s, ""s}) {
        ScriptedDialogService dialogs;
        dialogs.QueueFolder(answer);
        EXPECT_EQ(BrowseForFolder(dialogs, "/start", "Select a folder", false), answer);
        ASSERT_EQ(dialogs.Log().size(), 1u);
        EXPECT_EQ(dialogs.Log()[0].kind, Kind::Folder);
        EXPECT_EQ(dialogs.Log()[0].defaultText, "/start");
        EXPECT_EQ(dialogs.Log()[0].title, "Select a folder");
    }
}

TEST(ModGlobal, InputNumberKeepsTheDefaultUnlessTheAnswerFits)
{
    // clang-format off
    const std::pair<std::string, std::int32_t> cases[] = {
        {"200", 200}, {"255.4", 255}, {"255.5", 17}, {"-0.4", 0}, {"-0.5", 0}, {"-0.6", 17},
        {"abc", 17}, {"", 17}, {"99999999999", 17}, {"-99999999999", 17}, {" 12 ", 12},
        {"1E2", 100}, {"0.5", 0}, {"1.5", 2}, {"12abc", 17}, {"&HFF", 17}};
    // clang-format on
    for (const auto &[answer, expected] : cases) {
        ScriptedDialogService dialogs;
        dialogs.QueueInput(answer);
        EXPECT_EQ(
            InputNumber(
                dialogs, "Enter a color value (0..255):", "Input Transparency Color", 0, 255, 17),
            expected)
            << '"' << answer << '"';
        ASSERT_EQ(dialogs.Log().size(), 1u);
        EXPECT_EQ(dialogs.Log()[0].kind, Kind::Input);
        EXPECT_EQ(dialogs.Log()[0].text, "Enter a color value (0..255):");
        EXPECT_EQ(dialogs.Log()[0].title, "Input Transparency Color");
        EXPECT_EQ(dialogs.Log()[0].defaultText, "17");
    }
    ScriptedDialogService dialogs;
    dialogs.QueueInput("-5");
    EXPECT_EQ(InputNumber(dialogs, "p", "t", -10, -1, -3), -5);
    EXPECT_EQ(dialogs.Log()[0].defaultText, "-3");
}

} // namespace
} // namespace qv
