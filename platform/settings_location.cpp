#include "platform/settings_location.h"

#include "platform/app_info.h"
#include "platform/files.h"
#include "platform/install_folder.h"
#include "platform/utf8_path.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#include <random>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace qv {
namespace {

// The name of the program's folder inside the user's configuration folder.
constexpr const char *kFolderName = "quorvantile";

// A path as text inside the program (UTF-8, "/" between names) as the file system takes it.
fs::path PathOf(const std::string &text)
{
    return Utf8Path(text);
}

std::string TextOf(const fs::path &path)
{
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

// The same folder however it is spelt: "/usr/bin", "/usr/bin/", "/usr/./bin".
bool SameFolder(const std::string &a, const std::string &b)
{
    const auto normal = [](const std::string &text) {
        fs::path path = PathOf(text).lexically_normal();
        return path.has_filename() ? path : path.parent_path();
    };
    return normal(a) == normal(b);
}

std::optional<std::string> ProcessEnvironment(const char *name)
{
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t *value = _wgetenv(wideName.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return TextOf(fs::path(value));
#else
    const char *value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
#endif
}

// The install folder as the running system spells it, so that a prefix reached through a
// symbolic link still compares equal to the program's resolved folder.
std::string InstallFolder()
{
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(PathOf(QV_INSTALL_FOLDER), error);
    return error ? std::string(QV_INSTALL_FOLDER) : TextOf(resolved);
}

} // namespace

SettingsLocation ChooseSettingsLocation(const SettingsLocationFacts &facts)
{
    const bool own = facts.programFolderWritable
        && (facts.installFolder.empty() || !SameFolder(facts.programFolder, facts.installFolder));
    if (own || facts.userFolder.empty()) {
        return {facts.programFolder, true};
    }
    return {facts.userFolder, false};
}

std::string UserConfigurationFolder(const EnvironmentLookup &environment)
{
    const auto named = [&](const char *name) { return environment(name).value_or(""); };
#ifdef _WIN32
    const std::string appData = named("APPDATA");
    if (appData.empty()) {
        return {};
    }
    return JoinPath(TextOf(PathOf(appData)), kFolderName);
#else
    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the base-directory rules ask.
    const std::string config = named("XDG_CONFIG_HOME");
    if (config.starts_with('/')) {
        return JoinPath(config, kFolderName);
    }
    const std::string home = named("HOME");
    if (home.empty()) {
        return {};
    }
    return JoinPath(JoinPath(home, ".config"), kFolderName);
#endif
}

#ifdef _WIN32
bool FolderIsWritable(const std::string &folder)
{
    // Windows' access check sees the read-only attribute but not the folder's access rights, so
    // the honest answer is to create a file there and remove it again.
    std::error_code error;
    if (!fs::is_directory(PathOf(folder), error)) {
        return false;
    }
    std::random_device random;
    const fs::path probe = PathOf(folder) / ("quorvantile-" + std::to_string(random()) + ".tmp");
    bool created = false;
    {
        std::ofstream file(probe, std::ios::binary);
        created = file.is_open();
    }
    fs::remove(probe, error);
    return created;
}
#else
bool FolderIsWritable(const std::string &folder)
{
    // Asks without writing: the folder's time stays as it was. Access lists and read-only
    // mounts are taken into account.
    return FolderExists(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}
#endif

SettingsLocation CurrentSettingsLocation()
{
    SettingsLocationFacts facts;
    facts.programFolder = ProgramFolder();
    facts.programFolderWritable = FolderIsWritable(facts.programFolder);
    facts.installFolder = InstallFolder();
    facts.userFolder = UserConfigurationFolder(ProcessEnvironment);
    return ChooseSettingsLocation(facts);
}

} // namespace qv
