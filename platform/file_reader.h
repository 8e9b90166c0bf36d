#pragma once

#include "platform/byte_source.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <system_error>

namespace qv {

// What a path turned out to be when a FileReader opened it.
enum class OpenedKind {
    NotOpened, // the system refused to open it: OpenError says why
    OrdinaryFile,
    Folder,
    Other, // a device, a pipe, a socket: nothing with a length to read parts of
};

// One file kept open for reading parts of it where a format needs them, never the whole file
// unless asked. Opening never waits, not even on a pipe nobody writes to. Closed when the reader
// goes.
class FileReader : public ByteSource
{
public:
    explicit FileReader(const std::string &path);
    ~FileReader() override;
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    OpenedKind Kind() const { return kind_; }
    // Why the file could not be opened (no such file, permission denied, ...); empty otherwise.
    std::error_code OpenError() const { return error_; }

    // The length of an ordinary file when it was opened; 0 for anything else.
    std::uint64_t Length() const override { return length_; }
    // Up to count bytes from offset, never beyond the length the file had when it was opened, so
    // that a count asked for can never exceed the file; nothing from anything but an ordinary
    // file. A failing read is a Failure naming the file (platform/file_failure.h).
    std::vector<std::uint8_t> ReadAt(std::uint64_t offset, std::size_t count) override;

private:
    std::string path_;
    OpenedKind kind_ = OpenedKind::NotOpened;
    std::error_code error_;
    std::uint64_t length_ = 0;
#ifdef _WIN32
    std::FILE *file_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};

} // namespace qv
