#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace qv::fuzz {

// A file that lives in memory but has a path, rewritten for every input: the parsers under test
// open what they are given by name. Nothing touches the disk, every fuzzing process has its own,
// and nothing is left behind however the process ends.
class ScratchFile
{
public:
    explicit ScratchFile(const char *name)
        : fd_(memfd_create(name, 0))
    {
        if (fd_ < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~ScratchFile() { close(fd_); }
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    const std::string &Path() const { return path_; }

    void Write(const std::uint8_t *data, std::size_t size) const
    {
        bool written = ftruncate(fd_, 0) == 0;
        for (std::size_t done = 0; written && done < size;) {
            const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
            written = n > 0;
            done += written ? static_cast<std::size_t>(n) : 0;
        }
        if (!written) {
            // Without the file every later result would be about the file, not the input.
            std::perror(path_.c_str());
            std::abort();
        }
    }

private:
    int fd_;
    std::string path_;
};

// A property every input must keep; a broken one is a finding, so stop as a crash would.
inline void Require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz property broken: %s\n", what);
        std::abort();
    }
}

} // namespace qv::fuzz
