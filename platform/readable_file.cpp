#include "platform/readable_file.h"

#include "platform/file_failure.h"
#include "platform/open_file.h"
#include "platform/utf8_path.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qv {

#ifdef _WIN32
ReadableFile::ReadableFile(const std::string &path)
    : path_(path)
{
    std::error_code error;
    if (std::filesystem::is_directory(Utf8Path(path), error)) {
        throw FileFailure(std::make_error_code(std::errc::is_a_directory), "reading", path);
    }
    errno = 0;
    file_ = OpenFile(path, "rb");
    if (file_ == nullptr) {
        throw FileFailure(LastSystemError(ENOENT), "reading", path);
    }
    struct _stat64 info {
    };
    if (_fstat64(_fileno(file_), &info) != 0 || info.st_size < 0) {
        const std::error_code statError = LastSystemError();
        std::fclose(file_);
        throw FileFailure(statError, "reading", path);
    }
    length_ = static_cast<std::uint64_t>(info.st_size);
}

ReadableFile::~ReadableFile()
{
    std::fclose(file_);
}

std::size_t ReadableFile::ReadAt(std::uint64_t offset, std::uint8_t *to, std::size_t count)
{
    if (count == 0) {
        return 0;
    }
    errno = 0;
    if (_fseeki64(file_, static_cast<long long>(offset), SEEK_SET) != 0) {
        throw FileFailure(LastSystemError(), "reading", path_);
    }
    const std::size_t got = std::fread(to, 1, count, file_);
    if (got < count && std::ferror(file_) != 0) {
        throw FileFailure(LastSystemError(), "reading", path_);
    }
    return got;
}
#else
ReadableFile::ReadableFile(const std::string &path)
    : path_(path)
{
    errno = 0;
    descriptor_ = open(Utf8Path(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) {
        throw FileFailure(LastSystemError(ENOENT), "reading", path);
    }
    struct stat info {
    };
    std::error_code error;
    if (fstat(descriptor_, &info) != 0 || info.st_size < 0) {
        error = LastSystemError();
    } else if (S_ISDIR(info.st_mode)) {
        error = std::make_error_code(std::errc::is_a_directory);
    }
    if (error) {
        close(descriptor_);
        throw FileFailure(error, "reading", path);
    }
    length_ = static_cast<std::uint64_t>(info.st_size);
}

ReadableFile::~ReadableFile()
{
    close(descriptor_);
}

std::size_t ReadableFile::ReadAt(std::uint64_t offset, std::uint8_t *to, std::size_t count)
{
    std::size_t got = 0;
    while (got < count) {
        errno = 0;
        const ssize_t now =
            pread(descriptor_, to + got, count - got, static_cast<off_t>(offset + got));
        if (now < 0 && errno == EINTR) {
            continue;
        }
        if (now < 0) {
            throw FileFailure(LastSystemError(), "reading", path_);
        }
        if (now == 0) {
            break; // the file ends here
        }
        got += static_cast<std::size_t>(now);
    }
    return got;
}
#endif

} // namespace qv
