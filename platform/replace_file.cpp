#include "platform/replace_file.h"

#include "platform/failure.h"
#include "platform/file_failure.h"
#include "platform/files.h"
#include "platform/utf8_path.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <chrono>
#include <thread>
#include <windows.h>
#endif

namespace qv {

#ifdef _WIN32
namespace {

// What another process holding the file open gives, for as long as it holds it.
bool HeldOpenElsewhere(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
        || error == ERROR_ACCESS_DENIED;
}

constexpr int kAttempts = 20;
constexpr std::chrono::milliseconds kPause {50};

} // namespace

void ReplaceByRename(const std::string &source, const std::string &target)
{
    const std::wstring from = Utf8Path(source).wstring();
    const std::wstring to = Utf8Path(target).wstring();
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (MoveFileExW(
                from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
            != 0) {
            return;
        }
        error = GetLastError();
        if (!HeldOpenElsewhere(error)) {
            break;
        }
        std::this_thread::sleep_for(kPause);
    }
    if (HeldOpenElsewhere(error)) {
        throw Failure(kPermissionDenied,
            FailureDescription(kPermissionDenied) + " (replacing " + NativePath(target)
                + ": it is open in another program, or read-only)");
    }
    throw FileFailure(
        std::error_code(static_cast<int>(error), std::system_category()), "replacing", target);
}
#else
void ReplaceByRename(const std::string &source, const std::string &target)
{
    std::error_code error;
    std::filesystem::rename(Utf8Path(source), Utf8Path(target), error);
    if (error) {
        throw FileFailure(error, "replacing", target);
    }
}
#endif

} // namespace qv
