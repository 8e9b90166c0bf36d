#include "platform/file_identity.h"

#include "platform/utf8_path.h"

#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
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
namespace {

std::string ResolvedPath(const std::string &path)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(Utf8Path(path), error);
    return error ? path : Utf8Text(canonical);
}

// The system's numbers for a file or folder: device and inode, after a NUL so that they never
// equal a path.
std::string NumbersOf(const struct stat &info)
{
    return std::string(1, '\0') + std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino);
}

} // namespace

// One stat for a file that exists: its numbers, the same for every name of a file of one name.
// A file of several names (hard links) keeps its resolved path, so that each name stays a file
// of its own, as each is for the window. A file that does not exist yet is the numbers of the
// nearest folder above that exists and the names after it, "x/.." taken away.
std::string FileIdentity(const std::string &path)
{
    struct stat info {
    };
    if (stat(Utf8Path(path).c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode) || info.st_nlink == 1 ? NumbersOf(info) : ResolvedPath(path);
    }
    fs::path existing = Utf8Path(path);
    fs::path rest;
    do {
        const fs::path name = existing.filename();
        rest = rest.empty() ? name : name / rest;
        fs::path parent = existing.parent_path();
        if (parent.empty()) {
            parent = ".";
        }
        if (parent == existing) {
            return path; // not even the root or the current folder can be found
        }
        existing = parent;
    } while (stat(existing.c_str(), &info) != 0);
    if (!S_ISDIR(info.st_mode)) {
        return path; // below a file: nothing there can ever exist
    }
    rest = rest.lexically_normal();
    if (rest == ".") {
        return NumbersOf(info); // "x/.." of the folder found
    }
    if (rest.empty() || *rest.begin() == "..") {
        // Above the folder found: resolved as text first, which leaves no ".." to take away.
        const std::string resolved = ResolvedPath(path);
        return resolved == path ? path : FileIdentity(resolved);
    }
    return NumbersOf(info) + '/' + Utf8Text(rest);
}
#endif

} // namespace qv
