#include "platform/file_reader.h"

#include "platform/checked.h"
#include "platform/file_failure.h"
#include "platform/open_file.h"
#include "platform/utf8_path.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qv {

#ifdef _WIN32
FileReader::FileReader(const std::string &path)
    : path_(path)
{
    // The C runtime cannot open a folder, so what the path is is asked first.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(Utf8Path(path), error);
    if (std::filesystem::is_directory(status)) {
        kind_ = OpenedKind::Folder;
        return;
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        kind_ = OpenedKind::Other;
        return;
    }
    errno = 0;
    file_ = OpenFile(path, "rb");
    if (file_ == nullptr) {
        error_ = LastSystemError(ENOENT);
        return;
    }
    struct _stat64 info {
    };
    if (_fstat64(_fileno(file_), &info) != 0 || info.st_size < 0) {
        throw FileFailure(LastSystemError(), "reading", path_);
    }
    kind_ = OpenedKind::OrdinaryFile;
    length_ = static_cast<std::uint64_t>(info.st_size);
}

FileReader::~FileReader()
{
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

std::vector<std::uint8_t> FileReader::ReadAt(std::uint64_t offset, std::size_t count)
{
    if (kind_ != OpenedKind::OrdinaryFile || offset >= length_) {
        return {};
    }
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(count, length_ - offset)));
    errno = 0;
    if (_fseeki64(file_, CheckedCast<std::int64_t>(offset), SEEK_SET) != 0) {
        throw FileFailure(LastSystemError(), "reading", path_);
    }
    const std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file_);
    if (got < bytes.size() && std::ferror(file_) != 0) {
        throw FileFailure(LastSystemError(), "reading", path_);
    }
    bytes.resize(got);
    return bytes;
}
#else
FileReader::FileReader(const std::string &path)
    : path_(path)
{
    errno = 0;
    descriptor_ = open(Utf8Path(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor_ < 0) {
        error_ = LastSystemError(ENOENT);
        return;
    }
    struct stat info {
    };
    if (fstat(descriptor_, &info) != 0 || info.st_size < 0) {
        const std::error_code error = LastSystemError();
        close(descriptor_);
        throw FileFailure(error, "reading", path_);
    }
    if (S_ISDIR(info.st_mode)) {
        kind_ = OpenedKind::Folder;
    } else if (!S_ISREG(info.st_mode)) {
        kind_ = OpenedKind::Other;
    } else {
        kind_ = OpenedKind::OrdinaryFile;
        length_ = static_cast<std::uint64_t>(info.st_size);
    }
}

FileReader::~FileReader()
{
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

std::vector<std::uint8_t> FileReader::ReadAt(std::uint64_t offset, std::size_t count)
{
    if (kind_ != OpenedKind::OrdinaryFile || offset >= length_) {
        return {};
    }
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(count, length_ - offset)));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const auto at = CheckedCast<off_t>(CheckedAdd<std::uint64_t>(offset, got));
        errno = 0;
        const ssize_t readNow = pread(descriptor_, bytes.data() + got, bytes.size() - got, at);
        if (readNow < 0 && errno == EINTR) {
            continue;
        }
        if (readNow < 0) {
            throw FileFailure(LastSystemError(), "reading", path_);
        }
        if (readNow == 0) {
            break; // shorter than it was when opened
        }
        got += static_cast<std::size_t>(readNow);
    }
    bytes.resize(got);
    return bytes;
}
#endif

} // namespace qv
