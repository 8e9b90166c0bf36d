#include "platform/file_stamp.h"

#include "platform/utf8_path.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace qv {

std::optional<FileStamp> StampOf(const std::string &path)
{
#ifdef _WIN32
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = Utf8Path(path);
    if (!fs::is_regular_file(file, error)) {
        return std::nullopt;
    }
    const std::uintmax_t length = fs::file_size(file, error);
    if (error) {
        return std::nullopt;
    }
    const fs::file_time_type modified = fs::last_write_time(file, error);
    if (error) {
        return std::nullopt;
    }
    return FileStamp {static_cast<std::uint64_t>(length),
        static_cast<std::int64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch())
                .count())};
#else
    struct stat info {
    };
    if (stat(Utf8Path(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        return std::nullopt;
    }
    return FileStamp {static_cast<std::uint64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
#endif
}

} // namespace qv
