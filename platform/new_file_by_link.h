#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// Writes a file whose name does not exist yet so that the name never shows a part of it: on Linux
// the bytes go to an unnamed file in the folder (O_TMPFILE), which then gets the name in one
// step. One change to the folder instead of two (a temporary name, then the rename), and the new
// file's inode is found without holding the folder's lock, so threads writing into one folder
// wait less for each other; a run killed halfway leaves no temporary file behind. Returns false,
// having changed nothing, where this cannot be done: another system, a file system without
// unnamed files, no /proc, or the name taken in the meantime; the caller then writes by a
// temporary name, which also reports whatever keeps the folder from being written. Throws the
// file failure, "writing" the path, when the bytes cannot be written. With an original (a backup
// copy), the new file gets the original's permission bits and modification time before it is
// named; when the original cannot be looked at, false as well.
bool WriteNewFileByLink(const std::string &path,
    const std::uint8_t *data,
    std::size_t size,
    const std::string &original = {});

// The same for bytes that fill puts into the new file's open descriptor (a copy of another file,
// streamed); fill throws the file failure when it cannot.
bool WriteNewFileByLink(const std::string &path,
    const std::function<void(int descriptor)> &fill,
    const std::string &original = {});

} // namespace qv
