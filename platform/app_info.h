#pragma once

#include <string>

namespace qv {

// The program's title as the window, message boxes and the backup folder use it.
inline constexpr const char *kAppTitle = "Quorvantile";
// The pictures the file list shows and a folder argument stands for.
inline constexpr const char *kPicturePattern = "*.bmp;*.png;*.pcx";

struct Version {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The program's own version, defined once in the build.
Version ProgramVersion();
// "1.0.0"
std::string VersionText();

// The running program's folder and its file name without extension ("quorvantile").
std::string ProgramFolder();
std::string ProgramName();

// The settings file in folder (see settings_location.h), named after the program:
// folder + "/" + name + ".ini".
std::string SettingsFilePath(const std::string &folder);

} // namespace qv
