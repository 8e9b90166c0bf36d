#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace qv {

// A file open for reading by position, so that a file of any size is read a bounded piece at a
// time: one open and one look at its kind and length, then reads where the caller asks. Every
// failure is the file failure "reading" the path (a folder, a missing file, a read error).
class ReadableFile
{
public:
    explicit ReadableFile(const std::string &path);
    ~ReadableFile();
    ReadableFile(const ReadableFile &) = delete;
    ReadableFile &operator=(const ReadableFile &) = delete;

    const std::string &Path() const { return path_; }
    // The length when the file was opened.
    std::uint64_t Length() const { return length_; }

    // Up to count bytes from offset into to; fewer only where the file ends.
    std::size_t ReadAt(std::uint64_t offset, std::uint8_t *to, std::size_t count);

#ifndef _WIN32
    int Descriptor() const
    {
        return descriptor_;
    }
#endif

private:
    std::string path_;
    std::uint64_t length_ = 0;
#ifdef _WIN32
    std::FILE *file_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};

} // namespace qv
