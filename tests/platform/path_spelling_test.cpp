#include "platform/file_identity.h"
#include "platform/files.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PathSpelling, JoinAndShowWithThePlatformsSeparators)
{
    struct Case {
        const char *folder;
        const char *name;
        const char *joined;
        const char *shown; // NativePath(joined)
    };
    for (const Case &c : {
             Case {"pics", "a.bmp", "pics/a.bmp", nullptr},
             Case {"pics/", "a.bmp", "pics/a.bmp", nullptr},
             Case {"", "a.bmp", "a.bmp", "a.bmp"},
#ifdef _WIN32
             Case {"C:\\pics\\", "a.bmp", "C:\\pics\\a.bmp", "C:\\pics\\a.bmp"},
             Case {"C:\\pics", "a.bmp", "C:\\pics/a.bmp", "C:\\pics\\a.bmp"},
             Case {"C:", "a.bmp", "C:a.bmp", "C:a.bmp"},
             Case {"C:/", "a.bmp", "C:/a.bmp", "C:\\a.bmp"},
             Case {"\\\\server\\share",
                 "a.bmp",
                 "\\\\server\\share/a.bmp",
                 "\\\\server\\share\\a.bmp"},
#else
             // A backslash is an ordinary character of a name here.
             Case {"x\\", "a.bmp", "x\\/a.bmp", "x\\/a.bmp"},
#endif
         }) {
        SCOPED_TRACE(std::string(c.folder) + " + " + c.name);
        EXPECT_EQ(JoinPath(c.folder, c.name), c.joined);
#ifdef _WIN32
        const std::string shown = c.shown != nullptr ? c.shown : "pics\\a.bmp";
#else
        const std::string shown = c.shown != nullptr ? c.shown : "pics/a.bmp";
#endif
        EXPECT_EQ(NativePath(c.joined), shown);
    }
}

#ifdef _WIN32
// "C:/Users/x/…" as a Windows user types it: "C:\Users\x\…", with backslashes throughout.
std::string Backslashed(std::string path)
{
    for (char &c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

TEST(PathSpelling, DriveLetterAndBackslashesReachTheSameFile)
{
    test::TempDir dir;
    ASSERT_EQ(dir.Path().substr(1, 2), ":/"); // a drive letter
    const std::string forward = JoinPath(dir.Path(), "Ünï.bmp");
    const std::string backward = Backslashed(forward);
    WriteFileAtomic(backward, {1, 2, 3});
    EXPECT_TRUE(FileExists(forward));
    EXPECT_EQ(ReadWholeFile(forward), (std::vector<std::uint8_t> {1, 2, 3}));
    EXPECT_EQ(
        ListFiles(Backslashed(dir.Path()) + "\\", "*.BMP"), std::vector<std::string> {"Ünï.bmp"});
}
#endif

// Spellings of one file give one identity, whether the file exists or not; other files differ.
TEST(PathSpelling, IdentityOfEverySpellingOfAFile)
{
    test::TempDir dir;
    CreateFolder(dir.File("Sub"));
    WriteFileAtomic(dir.File("Sub/Ünï.bmp"), {1});
    struct Case {
        std::string a;
        std::string b;
        bool same;
    };
#ifdef _WIN32
    constexpr bool kCaseBlind = true;
#else
    constexpr bool kCaseBlind = false;
#endif
    const std::string p = dir.Path();
#ifndef _WIN32
    std::filesystem::create_symlink("Ünï.bmp", dir.File("Sub/link.bmp"));
    std::filesystem::create_symlink("Sub", dir.File("SubLink"));
    WriteFileAtomic(dir.File("Sub/two.bmp"), {2});
    std::filesystem::create_hard_link(dir.File("Sub/two.bmp"), dir.File("Sub/second.bmp"));
    const std::string top = std::filesystem::path(p).filename().string();
#endif
    for (const Case &c : {
             Case {p + "/Sub/Ünï.bmp", p + "/Sub/./Ünï.bmp", true},
             Case {p + "/Sub/Ünï.bmp", p + "/Sub/../Sub/Ünï.bmp", true},
             Case {p + "/Sub/new.bmp", p + "/Sub/x/../new.bmp", true},
             Case {p + "/Sub/Ünï.bmp", p + "/Sub/new.bmp", false},
             Case {p + "/Sub/Ünï.bmp", p + "/Sub/ÜNÏ.BMP", kCaseBlind},
             Case {p + "/Sub/new.bmp", p + "/SUB/NEW.bmp", kCaseBlind},
#ifndef _WIN32
             Case {p + "/Sub/Ünï.bmp", p + "/Sub/link.bmp", true},
             Case {p + "/Sub/Ünï.bmp", p + "/SubLink/Ünï.bmp", true},
             Case {p + "/Sub/new.bmp", p + "/SubLink/new.bmp", true},
             Case {p + "/Sub/two.bmp", p + "/SubLink/two.bmp", true},
             // Each name of a file of several names is a file of its own.
             Case {p + "/Sub/two.bmp", p + "/Sub/second.bmp", false},
             Case {p + "/Sub", p + "/Sub/x/..", true},
             Case {p + "/Sub", p + "/SubLink", true},
             Case {p + "/Sub/new.bmp", p + "/Sub/x/../../../" + top + "/Sub/new.bmp", true},
             Case {p + "/Sub/new.bmp", p + "/Sub/x/new.bmp", false},
             Case {p + "/Sub/Ünï.bmp", p + "/Sub/Ünï.bmp/x/..", false},
#endif
#ifdef _WIN32
             Case {p + "/Sub/Ünï.bmp", p + "\\Sub\\Ünï.bmp", true},
             Case {p + "/Sub/new.bmp", p + "\\sub\\New.bmp", true},
#endif
         }) {
        SCOPED_TRACE(c.a + " | " + c.b);
        EXPECT_EQ(FileIdentity(c.a) == FileIdentity(c.b), c.same)
            << FileIdentity(c.a) << " | " << FileIdentity(c.b);
    }
}

} // namespace
} // namespace qv
