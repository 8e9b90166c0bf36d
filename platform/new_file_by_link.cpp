#include "platform/new_file_by_link.h"

#include "platform/file_failure.h"
#include "platform/utf8_path.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#if defined(__linux__)
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qv {

#if defined(__linux__) && defined(O_TMPFILE)
namespace {

bool WriteAll(int descriptor, const std::uint8_t *data, std::size_t size)
{
    while (size > 0) {
        errno = 0;
        const ssize_t written = write(descriptor, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Gives the unnamed file the original's permission bits (of a regular file) and modification
// time, the access time left as it is.
bool TakeAfter(int descriptor, const std::string &original)
{
    struct stat info {
    };
    if (stat(Utf8Path(original).c_str(), &info) != 0) {
        return false;
    }
    if (S_ISREG(info.st_mode) && fchmod(descriptor, info.st_mode & 0777) != 0) {
        return false;
    }
    const struct timespec times[2] = {{0, UTIME_OMIT}, info.st_mtim};
    return futimens(descriptor, times) == 0;
}

} // namespace

bool WriteNewFileByLink(const std::string &path,
    const std::uint8_t *data,
    std::size_t size,
    const std::string &original)
{
    return WriteNewFileByLink(
        path,
        [&](int descriptor) {
            if (!WriteAll(descriptor, data, size)) {
                throw FileFailure(LastSystemError(), "writing", path);
            }
        },
        original);
}

bool WriteNewFileByLink(const std::string &path,
    const std::function<void(int descriptor)> &fill,
    const std::string &original)
{
    const std::filesystem::path name = Utf8Path(path);
    std::filesystem::path folder = name.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const int descriptor = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return false;
    }
    try {
        fill(descriptor);
    } catch (...) {
        close(descriptor); // the unnamed file goes with it
        throw;
    }
    if (!original.empty() && !TakeAfter(descriptor, original)) {
        close(descriptor);
        return false;
    }
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", descriptor);
    if (linkat(AT_FDCWD, self, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        close(descriptor); // the unnamed file goes with it
        return false;
    }
    errno = 0;
    if (close(descriptor) != 0 && errno != EINTR) {
        // Where closing reports a failed write, the name must not keep a part of the bytes.
        const std::error_code error = LastSystemError();
        unlink(name.c_str());
        throw FileFailure(error, "writing", path);
    }
    return true;
}
#else
bool WriteNewFileByLink(const std::string &, const std::uint8_t *, std::size_t, const std::string &)
{
    return false;
}

bool WriteNewFileByLink(
    const std::string &, const std::function<void(int descriptor)> &, const std::string &)
{
    return false;
}
#endif

} // namespace qv
