#include "platform/files.h"

#include "platform/failure.h"
#include "platform/file_failure.h"
#include "platform/new_file_by_link.h"
#include "platform/open_file.h"
#include "platform/replace_file.h"
#include "platform/temporary_files.h"
#include "platform/utf8_path.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace qv {
namespace {

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

#ifdef _WIN32
FileHandle OpenForReading(const std::string &path)
{
    std::error_code error;
    if (fs::is_directory(Utf8Path(path), error)) {
        throw FileFailure(std::make_error_code(std::errc::is_a_directory), "reading", path);
    }
    errno = 0;
    FileHandle file(OpenFile(path, "rb"));
    if (!file) {
        throw FileFailure(LastSystemError(ENOENT), "reading", path);
    }
    return file;
}

std::uint64_t OpenLength(std::FILE *file, const std::string &path)
{
#ifdef _WIN32
    struct _stat64 info {
    };
    const int result = _fstat64(_fileno(file), &info);
#else
    struct stat info {
    };
    const int result = fstat(fileno(file), &info);
#endif
    if (result != 0 || info.st_size < 0) {
        throw FileFailure(LastSystemError(), "reading", path);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

// Up to count bytes from the start of an open file, in one read.
std::vector<std::uint8_t> ReadStart(std::FILE *file, std::uint64_t count, const std::string &path)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    errno = 0;
    const std::size_t got = count == 0 ? 0 : std::fread(bytes.data(), 1, bytes.size(), file);
    if (got < bytes.size() && std::ferror(file) != 0) {
        throw FileFailure(LastSystemError(), "reading", path);
    }
    bytes.resize(got);
    return bytes;
}

#else
struct DescriptorCloser {
    explicit DescriptorCloser(int open)
        : descriptor(open)
    { }
    DescriptorCloser(const DescriptorCloser &) = delete;
    DescriptorCloser &operator=(const DescriptorCloser &) = delete;
    ~DescriptorCloser() { close(descriptor); }
    int descriptor;
};

// Up to count bytes from the start of the file and its length, with one open, one fstat for the
// kind and the length, and one read of a regular file (more only if the system hands out less).
std::vector<std::uint8_t> ReadDescriptorStart(
    const std::string &path, std::uint64_t count, std::uint64_t &length)
{
    errno = 0;
    const int descriptor = open(Utf8Path(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        throw FileFailure(LastSystemError(ENOENT), "reading", path);
    }
    const DescriptorCloser closer(descriptor);
    struct stat info {
    };
    if (fstat(descriptor, &info) != 0 || info.st_size < 0) {
        throw FileFailure(LastSystemError(), "reading", path);
    }
    if (S_ISDIR(info.st_mode)) {
        throw FileFailure(std::make_error_code(std::errc::is_a_directory), "reading", path);
    }
    length = static_cast<std::uint64_t>(info.st_size);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(count, length)));
    std::size_t got = 0;
    while (got < bytes.size()) {
        errno = 0;
        const ssize_t read_now = read(descriptor, bytes.data() + got, bytes.size() - got);
        if (read_now < 0 && errno == EINTR) {
            continue;
        }
        if (read_now < 0) {
            throw FileFailure(LastSystemError(), "reading", path);
        }
        if (read_now == 0) {
            break; // shorter than it was a moment ago
        }
        got += static_cast<std::size_t>(read_now);
    }
    bytes.resize(got);
    return bytes;
}
#endif

// The file a write lands on, and what it is now when that is already known.
struct WriteTargetFile {
    std::string path;
    std::optional<fs::file_status> status;
};

// The file a write to path lands on: the target of a symbolic link, so that the link stays.
// Anything else is looked at once, for both questions: is it a link, and which permission bits
// does it have.
WriteTargetFile WriteTarget(const std::string &path)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(Utf8Path(path), error);
    if (!fs::is_symlink(status)) {
        return {path, status};
    }
    const fs::path target = fs::canonical(Utf8Path(path), error);
    if (error) {
        throw FileFailure(error, "following the link", path);
    }
    return {Utf8Text(target), std::nullopt};
}

std::string ParentFolder(const std::string &path)
{
    const std::string folder = Utf8Text(Utf8Path(path).parent_path());
    return folder.empty() ? "." : folder;
}

// Writes bytes to a new temporary file in the target's folder, gives it the permission bits (and,
// with a model, the modification time) it should have, and returns its name.
std::string WriteTemporary(const WriteTargetFile &targetFile,
    const std::uint8_t *data,
    std::size_t size,
    const std::string &model)
{
    const std::string &target = targetFile.path;
    const std::string temp = TemporaryPathIn(ParentFolder(target));
    errno = 0;
    std::FILE *file = CreateNewFile(temp);
    if (file == nullptr) {
        throw FileFailure(LastSystemError(), "writing", target);
    }
    // The bytes are all there already: written in one go, not through the stream's buffer.
    std::setvbuf(file, nullptr, _IONBF, 0);
    errno = 0;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    const bool flushed = std::fflush(file) == 0;
    const std::error_code writeError = LastSystemError();
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (!written || !flushed || !closed) {
        error = writeError;
    } else {
        // A replaced file keeps its permission bits; a new one gets those of its model.
        const std::string &like = model.empty() ? target : model;
        const fs::file_status status = model.empty() && targetFile.status
            ? *targetFile.status
            : fs::status(Utf8Path(like), error);
        error.clear();
        if (fs::is_regular_file(status)) {
            fs::permissions(Utf8Path(temp), status.permissions() & fs::perms::all, error);
        }
        if (!error && !model.empty()) {
            const fs::file_time_type time = fs::last_write_time(Utf8Path(model), error);
            if (!error) {
                fs::last_write_time(Utf8Path(temp), time, error);
            }
        }
    }
    if (error) {
        std::error_code ignored;
        fs::remove(Utf8Path(temp), ignored);
        throw FileFailure(error, "writing", target);
    }
    return temp;
}

void RenameOver(const std::string &temp, const std::string &path)
{
    try {
        ReplaceByRename(temp, path);
    } catch (const Failure &) {
        std::error_code ignored;
        fs::remove(Utf8Path(temp), ignored);
        throw;
    }
}

void WriteAtomic(
    const std::string &path, const std::vector<std::uint8_t> &bytes, const std::string &model)
{
    const WriteTargetFile target = WriteTarget(path);
    const bool isNew = target.status && target.status->type() == fs::file_type::not_found;
    if (isNew && WriteNewFileByLink(target.path, bytes.data(), bytes.size(), model)) {
        return;
    }
    RenameOver(WriteTemporary(target, bytes.data(), bytes.size(), model), target.path);
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

#ifdef _WIN32
std::vector<std::uint8_t> ReadWholeFile(const std::string &path)
{
    const FileHandle file = OpenForReading(path);
    return ReadStart(file.get(), OpenLength(file.get(), path), path);
}

std::vector<std::uint8_t> ReadFileStart(
    const std::string &path, std::uint64_t count, std::uint64_t &length)
{
    const FileHandle file = OpenForReading(path);
    length = OpenLength(file.get(), path);
    return ReadStart(file.get(), std::min(count, length), path);
}
#else
std::vector<std::uint8_t> ReadWholeFile(const std::string &path)
{
    std::uint64_t length = 0;
    return ReadDescriptorStart(path, UINT64_MAX, length);
}

std::vector<std::uint8_t> ReadFileStart(
    const std::string &path, std::uint64_t count, std::uint64_t &length)
{
    return ReadDescriptorStart(path, count, length);
}
#endif

void WriteFileAtomic(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    WriteAtomic(path, bytes, {});
}

void WriteCopyAtomic(
    const std::string &path, const std::vector<std::uint8_t> &bytes, const std::string &original)
{
    WriteAtomic(path, bytes, original);
}

void CopyFileAtomic(const std::string &source, const std::string &target)
{
    WriteCopyAtomic(target, ReadWholeFile(source), source);
}

void DeleteFile(const std::string &path)
{
    std::error_code error;
    if (!fs::remove(Utf8Path(path), error)) {
        if (error) {
            throw FileFailure(error, "deleting", path);
        }
        throw FileFailure(kFileNotFound, "deleting", path);
    }
}

void CreateFolder(const std::string &path)
{
    std::error_code error;
    if (!fs::create_directory(Utf8Path(path), error)) {
        if (error) {
            if (error == std::errc::no_such_file_or_directory) {
                throw FileFailure(kPathNotFound, "creating the folder", path);
            }
            throw FileFailure(error, "creating the folder", path);
        }
        // Something of that name exists already.
        throw FileFailure(kPathFileAccessError, "creating the folder", path);
    }
}

void EnsureFolder(const std::string &path)
{
    std::error_code error;
    fs::create_directory(Utf8Path(path), error);
    // Made now, or already there: by an earlier run, or by another run a moment ago.
    if (FolderExists(path)) {
        return;
    }
    if (error && error != std::errc::file_exists) {
        if (error == std::errc::no_such_file_or_directory) {
            throw FileFailure(kPathNotFound, "creating the folder", path);
        }
        throw FileFailure(error, "creating the folder", path);
    }
    throw Failure(kPathFileAccessError,
        "Path/File access error (" + NativePath(path) + " is a file, not a folder)");
}

bool FileExists(const std::string &path)
{
    std::error_code error;
    return !path.empty() && fs::is_regular_file(Utf8Path(path), error);
}

bool FolderExists(const std::string &path)
{
    std::error_code error;
    return !path.empty() && fs::is_directory(Utf8Path(path), error);
}

bool PathExists(const std::string &path)
{
    std::error_code error;
    return !path.empty() && fs::exists(fs::symlink_status(Utf8Path(path), error));
}

std::uint64_t FileLength(const std::string &path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(Utf8Path(path), error);
    if (error) {
        throw FileFailure(error, "reading", path);
    }
    return size;
}

bool MatchesPattern(const std::string &name, const std::string &pattern)
{
    const std::string lowerName = Lower(name);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = pattern.find(';', start);
        if (Match(lowerName.c_str(), Lower(pattern.substr(start, end - start)).c_str())) {
            return true;
        }
        if (end == std::string::npos) {
            return false;
        }
        start = end + 1;
    }
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
    fs::directory_iterator it(Utf8Path(folder), error);
    if (error) {
        return names;
    }
    for (const fs::directory_entry &entry : it) {
        const std::string name = Utf8Text(entry.path().filename());
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
#ifdef _WIN32
    // "C:\\pics\\" ends in a separator too, and "C:" names the drive's current folder, which
    // "C:/name" would not be.
    if (folder.back() == '\\' || (folder.size() == 2 && folder[1] == ':')) {
        return folder + name;
    }
#endif
    return folder + "/" + name;
}

std::string NativePath(const std::string &path)
{
    return Utf8Text(Utf8Path(path).make_preferred());
}

} // namespace qv
