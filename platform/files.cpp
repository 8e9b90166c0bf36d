#include "platform/files.h"

#include "platform/copy_bytes.h"
#include "platform/failure.h"
#include "platform/file_failure.h"
#include "platform/new_file_by_link.h"
#include "platform/open_file.h"
#include "platform/readable_file.h"
#include "platform/replace_file.h"
#include "platform/temporary_files.h"
#include "platform/utf8_path.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace qv {
namespace {

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

// What a new file is to hold: bytes in memory, or the whole of an open file.
struct Content {
    const std::uint8_t *data = nullptr;
    std::size_t size = 0;
    ReadableFile *copyOf = nullptr;
};

// Puts the content into the new file; false with errno set when a write fails. A copy throws its
// own failure, which names the file it could not read or write.
bool Fill(std::FILE *file, const Content &content, const std::string &target)
{
    if (content.copyOf == nullptr) {
        return content.size == 0
            || std::fwrite(content.data, 1, content.size, file) == content.size;
    }
#ifdef _WIN32
    CopyBytes(*content.copyOf, file, target);
#else
    CopyBytes(*content.copyOf, fileno(file), target);
#endif
    return true;
}

// Writes the content to a new temporary file in the target's folder, gives it the permission bits
// (and, with a model, the modification time) it should have, and returns its name.
std::string WriteTemporary(
    const WriteTargetFile &targetFile, const Content &content, const std::string &model)
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
    bool written = false;
    try {
        written = Fill(file, content, target);
    } catch (const Failure &) {
        std::fclose(file);
        std::error_code ignored;
        fs::remove(Utf8Path(temp), ignored);
        throw;
    }
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

// Writes a file that does not exist yet without a name first (WriteNewFileByLink); false where
// that cannot be done.
bool WriteUnnamedFirst(const std::string &path, const Content &content, const std::string &model)
{
    if (content.copyOf == nullptr) {
        return WriteNewFileByLink(path, content.data, content.size, model);
    }
#ifdef _WIN32
    return false;
#else
    return WriteNewFileByLink(
        path, [&](int descriptor) { CopyBytes(*content.copyOf, descriptor, path); }, model);
#endif
}

void WriteAtomic(const std::string &path, const Content &content, const std::string &model)
{
    const WriteTargetFile target = WriteTarget(path);
    const bool isNew = target.status && target.status->type() == fs::file_type::not_found;
    if (isNew && WriteUnnamedFirst(target.path, content, model)) {
        return;
    }
    RenameOver(WriteTemporary(target, content, model), target.path);
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
    std::uint64_t length = 0;
    return ReadFileStart(path, UINT64_MAX, length);
}

std::vector<std::uint8_t> ReadFileStart(
    const std::string &path, std::uint64_t count, std::uint64_t &length)
{
    ReadableFile file(path);
    length = file.Length();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(count, length)));
    // Shorter than it was a moment ago: what is there.
    bytes.resize(file.ReadAt(0, bytes.data(), bytes.size()));
    return bytes;
}

void WriteFileAtomic(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    WriteAtomic(path, {bytes.data(), bytes.size()}, {});
}

void WriteCopyAtomic(
    const std::string &path, const std::vector<std::uint8_t> &bytes, const std::string &original)
{
    WriteAtomic(path, {bytes.data(), bytes.size()}, original);
}

void CopyFileAtomic(const std::string &source, const std::string &target)
{
    ReadableFile file(source);
    CopyFileAtomic(file, target);
}

void CopyFileAtomic(ReadableFile &source, const std::string &target)
{
    WriteAtomic(target, {nullptr, 0, &source}, source.Path());
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
