#include "platform/file_identity.h"

#include "platform/utf8_path.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace qv {

#ifdef _WIN32
namespace {

// The system's own name for a file or folder that exists; empty when it does not.
std::wstring FinalName(const fs::path &path)
{
    const HANDLE handle = CreateFileW(path.c_str(),
        0,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr,
        OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS,
        nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::wstring name(32768, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(
        handle, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
    CloseHandle(handle);
    if (length == 0 || length >= name.size()) {
        return {};
    }
    name.resize(length);
    return name;
}

} // namespace

std::string FileIdentity(const std::string &path)
{
    std::error_code error;
    fs::path existing = fs::absolute(Utf8Path(path), error).lexically_normal();
    if (error) {
        return path;
    }
    // The longest part that exists is resolved by the system; the names after it are kept.
    fs::path rest;
    std::wstring resolved = FinalName(existing);
    while (resolved.empty() && existing.has_relative_path()) {
        const fs::path name = existing.filename();
        rest = rest.empty() ? name : name / rest;
        existing = existing.parent_path();
        resolved = FinalName(existing);
    }
    fs::path whole = resolved.empty() ? existing : fs::path(resolved);
    if (!rest.empty()) {
        whole /= rest;
    }
    std::wstring identity = whole.lexically_normal().wstring();
    if (!identity.empty()) {
        CharUpperBuffW(identity.data(), static_cast<DWORD>(identity.size()));
    }
    return Utf8Text(fs::path(identity));
}
#else
std::string FileIdentity(const std::string &path)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(Utf8Path(path), error);
    return error ? path : Utf8Text(canonical);
}
#endif

} // namespace qv
