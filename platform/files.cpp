#include "platform/files.h"

#include "platform/failure.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace qv {
namespace {

[[noreturn]] void FailFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        Fail(kFileNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
        Fail(kPermissionDenied);
    case ENOMEM:
        Fail(kOutOfMemory);
    default:
        Fail(kPathFileAccessError);
    }
}

[[noreturn]] void FailFrom(const std::error_code &error)
{
    FailFromErrno(error.value());
}

std::string TemporaryName(const std::string &path)
{
    static thread_local std::mt19937_64 random {std::random_device {}()};
    const fs::path target(path);
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
    std::string name = ".";
    name += target.filename().string();
    name += suffix;
    return (target.parent_path() / name).string();
}

// Writes bytes to a new temporary file beside path, flushes it and returns its name.
std::string WriteTemporary(const std::string &path, const std::uint8_t *data, std::size_t size)
{
    const std::string temp = TemporaryName(path);
    std::FILE *file = std::fopen(temp.c_str(), "wbx");
    if (file == nullptr) {
        FailFromErrno(errno);
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        const int error = errno;
        std::error_code ignored;
        fs::remove(temp, ignored);
        FailFromErrno(error == 0 ? EIO : error);
    }
    return temp;
}

void RenameOver(const std::string &temp, const std::string &path)
{
    std::error_code error;
    fs::rename(temp, path, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        FailFrom(error);
    }
}

std::string Lower(const std::string &text)
{
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    return result;
}

bool Match(const char *name, const char *pattern)
{
    // Iterative wildcard match with one back-tracking point for the last "*".
    const char *star = nullptr;
    const char *resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') {
        ++pattern;
    }
    return *pattern == '\0';
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string &path)
{
    std::error_code error;
    if (fs::is_directory(path, error)) {
        Fail(kPathFileAccessError);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        FailFromErrno(errno);
    }
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (length < 0) {
        Fail(kPathFileAccessError);
    }
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    if (length > 0 && !in.read(reinterpret_cast<char *>(bytes.data()), length)) {
        Fail(kPathFileAccessError);
    }
    return bytes;
}

void WriteFileAtomic(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    RenameOver(WriteTemporary(path, bytes.data(), bytes.size()), path);
}

void CopyFileAtomic(const std::string &source, const std::string &target)
{
    const std::vector<std::uint8_t> bytes = ReadWholeFile(source);
    WriteFileAtomic(target, bytes);
}

void DeleteFile(const std::string &path)
{
    std::error_code error;
    if (!fs::remove(path, error)) {
        if (error) {
            FailFrom(error);
        }
        Fail(kFileNotFound);
    }
}

void CreateFolder(const std::string &path)
{
    std::error_code error;
    if (!fs::create_directory(path, error)) {
        if (error) {
            if (error.value() == ENOENT) {
                Fail(kPathNotFound);
            }
            FailFrom(error);
        }
        Fail(kPathFileAccessError); // something of that name exists already
    }
}

bool FileExists(const std::string &path)
{
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

bool FolderExists(const std::string &path)
{
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

bool PathExists(const std::string &path)
{
    std::error_code error;
    return !path.empty() && fs::exists(fs::symlink_status(path, error));
}

std::uint64_t FileLength(const std::string &path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        FailFrom(error);
    }
    return size;
}

bool MatchesPattern(const std::string &name, const std::string &pattern)
{
    return Match(Lower(name).c_str(), Lower(pattern).c_str());
}

bool NameLess(const std::string &a, const std::string &b)
{
    const std::string la = Lower(a);
    const std::string lb = Lower(b);
    return la != lb ? la < lb : a < b;
}

std::vector<std::string> ListFiles(const std::string &folder, const std::string &pattern)
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) {
        return names;
    }
    for (const fs::directory_entry &entry : it) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (name.empty() || name[0] == '.' || !entry.is_regular_file(typeError)) {
            continue;
        }
        if (MatchesPattern(name, pattern)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

std::string JoinPath(const std::string &folder, const std::string &name)
{
    if (folder.empty()) {
        return name;
    }
    if (folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

std::string NativePath(const std::string &path)
{
    return fs::path(path).make_preferred().string();
}

} // namespace qv
