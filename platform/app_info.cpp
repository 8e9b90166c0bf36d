#include "platform/app_info.h"

#include "platform/version.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace qv {
namespace {

fs::path ExecutablePath()
{
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return fs::current_path(error) / "quorvantile";
    }
    return path;
}

} // namespace

Version ProgramVersion()
{
    return {QV_VERSION_MAJOR, QV_VERSION_MINOR, QV_VERSION_PATCH};
}

std::string VersionText()
{
    const Version v = ProgramVersion();
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "."
        + std::to_string(v.revision);
}

std::string ProgramFolder()
{
    return ExecutablePath().parent_path().string();
}

std::string ProgramName()
{
    return ExecutablePath().stem().string();
}

std::string SettingsFilePath(const std::string &folder)
{
    return (fs::path(folder) / (ProgramName() + ".ini")).string();
}

} // namespace qv
