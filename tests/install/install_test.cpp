// What `cmake --install` puts on the system, installed from this build into a fresh prefix.
#include "cli/cli_options.h"
#include "platform/app_info.h"
#include "tests/support/reference_decode.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

const int kIconSizes[] = {16, 32, 48, 64, 128, 256};
const char *const kMetainfo = "share/metainfo/org.quorvantile.Quorvantile.metainfo.xml";

// The prefix this build is installed into, once per test program; empty when installing failed.
const std::string &Prefix()
{
    static const TempDir dir;
    static const std::string prefix = [] {
        const std::string command = ShellQuote(QV_CMAKE_COMMAND) + " --install "
            + ShellQuote(QV_BUILD_DIR) + " --prefix " + ShellQuote(dir.Path())
            + " >/dev/null 2>&1 && echo installed";
        return CommandOutput(command) == "installed\n" ? dir.Path() : std::string();
    }();
    return prefix;
}

std::string Text(const std::string &path)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

bool ToolExists(const std::string &name)
{
    return CommandOutput("command -v " + name + " >/dev/null && echo yes") == "yes\n";
}

// Runs a command and returns its exit status and what it wrote.
std::pair<int, std::string> Status(const std::string &command)
{
    const std::string output = CommandOutput(command + " 2>&1; echo \"status=$?\"");
    const std::size_t at = output.rfind("status=");
    return {std::stoi(output.substr(at + 7)), output.substr(0, at)};
}

class Install : public testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(Prefix().empty()) << "cmake --install failed"; }
    static std::string File(const std::string &name) { return Prefix() + "/" + name; }
};

TEST_F(Install, PutsExactlyTheProgramsAndWhatTheDesktopShowsOfThem)
{
    std::set<std::string> expected = {"bin/quorvantile",
        "bin/quorvantile-convert",
        "share/applications/quorvantile.desktop",
        kMetainfo,
        "share/man/man1/quorvantile-convert.1.gz"};
    for (const int size : kIconSizes) {
        const std::string side = std::to_string(size);
        expected.insert("share/icons/hicolor/" + side + "x" + side + "/apps/quorvantile.png");
    }
    std::set<std::string> installed;
    for (const auto &entry : fs::recursive_directory_iterator(Prefix())) {
        if (!entry.is_directory()) {
            installed.insert(fs::relative(entry.path(), Prefix()).generic_string());
        }
    }
    EXPECT_EQ(installed, expected);

    for (const char *program : {"bin/quorvantile", "bin/quorvantile-convert"}) {
        const fs::perms perms = fs::status(File(program)).permissions();
        EXPECT_NE(perms & fs::perms::others_exec, fs::perms::none) << program;
    }
    EXPECT_EQ(Status(ShellQuote(File("bin/quorvantile-convert")) + " --version"),
        std::make_pair(0, "quorvantile-convert " + VersionText() + "\n"));
}

TEST_F(Install, EachIconIsTheDrawnIconWithItsPixelsRepeated)
{
    const QImage drawn = QImage(QV_ICON_SOURCE).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(drawn.isNull());
    for (const int size : kIconSizes) {
        SCOPED_TRACE(size);
        const std::string side = std::to_string(size);
        const QImage icon(QString::fromStdString(
            File("share/icons/hicolor/" + side + "x" + side + "/apps/quorvantile.png")));
        ASSERT_EQ(icon.width(), size);
        ASSERT_EQ(icon.height(), size);
        const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
        int different = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int sx = x * drawn.width() / size;
                const int sy = y * drawn.height() / size;
                different += argb.pixel(x, y) != drawn.pixel(sx, sy) ? 1 : 0;
            }
        }
        EXPECT_EQ(different, 0);
    }
}

// The keys of the [Desktop Entry] group.
std::map<std::string, std::string> DesktopEntry(const std::string &text)
{
    std::map<std::string, std::string> keys;
    std::istringstream lines(text);
    std::string line;
    bool inEntry = false;
    while (std::getline(lines, line)) {
        if (line.starts_with('[')) {
            inEntry = line == "[Desktop Entry]";
        } else if (const std::size_t at = line.find('='); inEntry && at != std::string::npos) {
            keys.emplace(line.substr(0, at), line.substr(at + 1));
        }
    }
    return keys;
}

TEST_F(Install, TheDesktopEntryStartsTheInstalledProgramFromTheGraphicsMenu)
{
    const std::map<std::string, std::string> entry =
        DesktopEntry(Text(File("share/applications/quorvantile.desktop")));
    const std::pair<const char *, const char *> rows[] = {{"Type", "Application"},
        {"Name", "Quorvantile"},
        {"Exec", "quorvantile"},
        {"Icon", "quorvantile"},
        {"Terminal", "false"}};
    for (const auto &[key, value] : rows) {
        EXPECT_EQ(entry.contains(key) ? entry.at(key) : "(missing)", value) << key;
    }
    std::vector<std::string> categories;
    std::istringstream list(entry.contains("Categories") ? entry.at("Categories") : "");
    for (std::string category; std::getline(list, category, ';');) {
        categories.push_back(category);
    }
    EXPECT_NE(std::find(categories.begin(), categories.end(), "Graphics"), categories.end());
    // What the entry names is installed: the program in bin/, the icon in the theme.
    EXPECT_TRUE(fs::exists(File("bin/" + entry.at("Exec"))));
    EXPECT_TRUE(fs::exists(File("share/icons/hicolor/48x48/apps/" + entry.at("Icon") + ".png")));

    if (!ToolExists("desktop-file-validate")) {
        GTEST_SKIP() << "desktop-file-validate is not installed (scripts/install-deps.sh)";
    }
    const auto [status, report] = Status(
        "desktop-file-validate " + ShellQuote(File("share/applications/quorvantile.desktop")));
    EXPECT_EQ(status, 0) << report;
    EXPECT_EQ(report, "");
}

TEST_F(Install, TheMetainfoNamesThisVersionAndTheDesktopEntryAndValidates)
{
    const std::string metainfo = Text(File(kMetainfo));
    EXPECT_NE(metainfo.find("<release version=\"" + VersionText() + "\""), std::string::npos);
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">quorvantile.desktop</launchable>"),
        std::string::npos);

    if (!ToolExists("appstreamcli")) {
        GTEST_SKIP() << "appstreamcli is not installed (scripts/install-deps.sh)";
    }
    // The tree as a whole: the metainfo, the desktop entry it launches and the icon it shows.
    const auto [status, report] =
        Status("appstreamcli validate-tree --no-net " + ShellQuote(Prefix()));
    EXPECT_EQ(status, 0) << report;
    EXPECT_NE(report.find("Validation was successful"), std::string::npos) << report;
}

TEST_F(Install, TheManualPageDescribesEveryOptionOfTheHelp)
{
    const auto [status, page] =
        Status("gzip -dc " + ShellQuote(File("share/man/man1/quorvantile-convert.1.gz")));
    ASSERT_EQ(status, 0) << page;
    // Manual pages write a hyphen as "\-".
    const std::string text = std::regex_replace(page, std::regex(R"(\\-)"), "-");
    EXPECT_NE(text.find(".TH QUORVANTILE-CONVERT \"1\""), std::string::npos);
    EXPECT_NE(text.find("quorvantile-convert " + VersionText()), std::string::npos);
    EXPECT_NE(text.find(".SH FILES"), std::string::npos);

    const std::string help = cli::HelpText();
    const std::regex option(R"(--[a-z][a-z-]*)");
    int options = 0;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
         it != std::sregex_iterator();
         ++it, ++options) {
        EXPECT_NE(text.find(it->str()), std::string::npos) << it->str();
    }
    EXPECT_GE(options, 20);
}

} // namespace
} // namespace qv::test
