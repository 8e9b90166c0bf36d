#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// What tells a file's versions apart without reading it: its length and modification time.
struct FileStamp {
    std::uint64_t length = 0;
    std::int64_t modified = 0; // nanoseconds on the file system's own clock

    bool operator==(const FileStamp &) const = default;
};

// The stamp of the file at path, by one look-up; nothing when it is not there or not a file.
std::optional<FileStamp> StampOf(const std::string &path);

} // namespace qv
