#include "platform/app_info.h"

#include "platform/utf8_path.h"
#include "platform/version.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace qv {
namespace {

fs::path ExecutablePath()
{
    std::error_code error;
#ifdef _WIN32
    // Long enough for any path Windows gives out, also past MAX_PATH.
    std::wstring name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length > 0 && length < name.size()) {
        name.resize(length);
        return fs::path(name);
    }
#else
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        return path;
    }
#endif
    return fs::current_path(error) / "quorvantile";
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
    return Utf8Text(ExecutablePath().parent_path());
}

std::string ProgramName()
{
    return Utf8Text(ExecutablePath().stem());
}

std::string SettingsFilePath(const std::string &folder)
{
    return Utf8Text(Utf8Path(folder) / Utf8Path(ProgramName() + ".ini"));
}

} // namespace qv
