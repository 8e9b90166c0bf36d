#pragma once

#include <functional>
#include <optional>
#include <string>

namespace qv {

// Where the settings file lives, and with it the samples of a first start and the palette
// dialog's first folder.
struct SettingsLocation {
    std::string folder;
    // The folder is the program's own (a build folder, an unpacked portable copy), where the build
    // put the samples. Otherwise it is the user's configuration folder, which a first start fills.
    bool besideProgram = true;
};

// What the choice rests on.
struct SettingsLocationFacts {
    std::string programFolder;
    bool programFolderWritable = false;
    // The folder an installation puts the programs into (bin/ under the install prefix). The
    // settings never go there, even for a user who may write into it (root into /usr/bin).
    std::string installFolder;
    // The user's configuration folder for the program; empty when none can be named.
    std::string userFolder;
};

// The program's own folder when it may be written and is not the install folder; otherwise the
// user's configuration folder. When no user folder can be named the program's folder stays: its
// settings are read, and saving them fails with the usual message.
SettingsLocation ChooseSettingsLocation(const SettingsLocationFacts &facts);

// The value of an environment variable, nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char *name)>;

// The program's folder in the user's configuration folder: $XDG_CONFIG_HOME/quorvantile when that
// is an absolute path, else $HOME/.config/quorvantile; %APPDATA%/quorvantile on Windows. Empty
// when the variables name none.
std::string UserConfigurationFolder(const EnvironmentLookup &environment);

// How help texts name the user's configuration folder.
#ifdef _WIN32
inline constexpr const char *kUserConfigurationFolderName = "%APPDATA%";
#else
inline constexpr const char *kUserConfigurationFolderName = "$XDG_CONFIG_HOME or ~/.config";
#endif

// The running user may create files in the folder.
bool FolderIsWritable(const std::string &folder);

// The choice for the running program, from its folder and the process environment.
SettingsLocation CurrentSettingsLocation();

} // namespace qv
