#include "platform/settings_location.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(SettingsLocation, TheProgramsOwnWritableFolderUnlessInstalledElseTheUsersFolder)
{
    struct Row {
        const char *what;
        SettingsLocationFacts facts;
        SettingsLocation expected;
    };
    const std::string user = "/home/u/.config/quorvantile";
    const Row rows[] = {
        {"a build folder",
            {"/src/build/window", true, "/usr/bin", user},
            {"/src/build/window", true}},
        {"an unpacked copy",
            {"/home/u/tools/qv", true, "/usr/local/bin", user},
            {"/home/u/tools/qv", true}},
        {"installed, for a user", {"/usr/bin", false, "/usr/bin", user}, {user, false}},
        {"installed, for root", {"/usr/bin", true, "/usr/bin", user}, {user, false}},
        {"installed, spelt otherwise", {"/usr/bin", true, "/usr/./bin/", user}, {user, false}},
        {"a read-only copy elsewhere", {"/media/cd/qv", false, "/usr/bin", user}, {user, false}},
        {"no install folder known", {"/usr/bin", true, "", user}, {"/usr/bin", true}},
        {"read-only, no user folder", {"/usr/bin", false, "/usr/bin", ""}, {"/usr/bin", true}},
        {"a folder below the install folder",
            {"/usr/bin/qv", true, "/usr/bin", user},
            {"/usr/bin/qv", true}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const SettingsLocation chosen = ChooseSettingsLocation(row.facts);
        EXPECT_EQ(chosen.folder, row.expected.folder);
        EXPECT_EQ(chosen.besideProgram, row.expected.besideProgram);
    }
}

#ifndef _WIN32
TEST(SettingsLocation, TheUsersFolderFollowsTheBaseDirectoryVariables)
{
    using Variables = std::map<std::string, std::string>;
    struct Row {
        Variables variables;
        std::string expected;
    };
    const Row rows[] = {
        {{{"XDG_CONFIG_HOME", "/x/cfg"}, {"HOME", "/home/u"}}, "/x/cfg/quorvantile"},
        {{{"XDG_CONFIG_HOME", "/x/cfg/"}}, "/x/cfg/quorvantile"},
        {{{"HOME", "/home/u"}}, "/home/u/.config/quorvantile"},
        {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u"}}, "/home/u/.config/quorvantile"},
        // A relative XDG_CONFIG_HOME is invalid and ignored.
        {{{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/u"}}, "/home/u/.config/quorvantile"},
        {{{"XDG_CONFIG_HOME", "cfg"}}, ""},
        {{{"HOME", ""}}, ""},
        {{}, ""},
    };
    for (const Row &row : rows) {
        const auto lookup = [&](const char *name) -> std::optional<std::string> {
            const auto found = row.variables.find(name);
            if (found == row.variables.end()) {
                return std::nullopt;
            }
            return found->second;
        };
        std::string shown;
        for (const auto &[name, value] : row.variables) {
            shown += name + "=" + value + " ";
        }
        SCOPED_TRACE(shown);
        EXPECT_EQ(UserConfigurationFolder(lookup), row.expected);
    }
}

TEST(SettingsLocation, AFolderIsWritableOnlyWhenTheUserMayCreateFilesInIt)
{
    const test::TempDir dir;
    const std::string file = dir.Write("file", std::string("x"));
    EXPECT_TRUE(FolderIsWritable(dir.Path()));
    EXPECT_FALSE(FolderIsWritable(dir.File("missing")));
    EXPECT_FALSE(FolderIsWritable(file));

    // Another user (or this one, when not root) meets the permissions the folders are given.
    fs::permissions(
        dir.Path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::create_directory(dir.File("open"));
    fs::create_directory(dir.File("closed"));
    fs::permissions(dir.File("open"), fs::perms::all);
    fs::permissions(dir.File("closed"),
        fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
            | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(
        test::StatusAsOtherUser([&] { return FolderIsWritable(dir.File("open")) ? 1 : 0; }), 1);
    EXPECT_EQ(
        test::StatusAsOtherUser([&] { return FolderIsWritable(dir.File("closed")) ? 1 : 0; }), 0);
}
#endif

} // namespace
} // namespace qv
