#include "platform/copy_bytes.h"

#include "platform/file_failure.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qv {
namespace {

// Large enough that a copy makes few calls, small enough to cost nothing beside a picture.
constexpr std::size_t kPiece = std::size_t {1} << 20;

} // namespace

#ifdef _WIN32
void CopyBytes(ReadableFile &source, std::FILE *target, const std::string &targetPath)
{
    std::vector<std::uint8_t> buffer(kPiece);
    for (std::uint64_t at = 0;;) {
        const std::size_t got = source.ReadAt(at, buffer.data(), buffer.size());
        if (got == 0) {
            return;
        }
        errno = 0;
        if (std::fwrite(buffer.data(), 1, got, target) != got) {
            throw FileFailure(LastSystemError(), "writing", targetPath);
        }
        at += got;
    }
}
#else
namespace {

void WriteAllAt(int target,
    const std::uint8_t *data,
    std::size_t size,
    std::uint64_t offset,
    const std::string &targetPath)
{
    while (size > 0) {
        errno = 0;
        const ssize_t written = pwrite(target, data, size, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            throw FileFailure(LastSystemError(ENOSPC), "writing", targetPath);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
        offset += static_cast<std::uint64_t>(written);
    }
}

// Copies the bytes from..to of source to the same place in target; returns where the copy ended,
// before to only when the source has become shorter meanwhile.
class RangeCopier
{
public:
    RangeCopier(ReadableFile &source, int target, const std::string &targetPath)
        : source_(source)
        , target_(target)
        , targetPath_(targetPath)
    { }

    std::uint64_t Copy(std::uint64_t from, std::uint64_t to)
    {
        std::uint64_t at = from;
#ifdef __linux__
        while (kernelCopies_ && at < to) {
            loff_t in = static_cast<loff_t>(at);
            loff_t out = static_cast<loff_t>(at);
            const std::size_t count =
                static_cast<std::size_t>(std::min<std::uint64_t>(to - at, 1U << 30));
            errno = 0;
            const ssize_t copied =
                copy_file_range(source_.Descriptor(), &in, target_, &out, count, 0);
            if (copied < 0 && errno == EINTR) {
                continue;
            }
            if (copied <= 0) {
                // Not between these files (another file system, a kind of file the kernel cannot
                // copy), or a failure: the loop below goes on and names any failure exactly.
                kernelCopies_ = false;
                break;
            }
            at += static_cast<std::uint64_t>(copied);
        }
#endif
        while (at < to) {
            if (buffer_.empty()) {
                buffer_.resize(kPiece);
            }
            const std::size_t got = source_.ReadAt(at,
                buffer_.data(),
                static_cast<std::size_t>(std::min<std::uint64_t>(to - at, kPiece)));
            if (got == 0) {
                break;
            }
            WriteAllAt(target_, buffer_.data(), got, at, targetPath_);
            at += got;
        }
        return at;
    }

private:
    ReadableFile &source_;
    int target_;
    const std::string &targetPath_;
    bool kernelCopies_ = true;
    std::vector<std::uint8_t> buffer_;
};

// Where the next data of the file starts at or after offset: length when only a hole follows,
// offset itself where the system cannot tell data from holes.
std::uint64_t NextData(int descriptor, std::uint64_t offset, std::uint64_t length)
{
#if defined(SEEK_DATA)
    errno = 0;
    const off_t data = lseek(descriptor, static_cast<off_t>(offset), SEEK_DATA);
    if (data >= 0) {
        return std::min(static_cast<std::uint64_t>(data), length);
    }
    return errno == ENXIO ? length : offset;
#else
    (void)descriptor;
    (void)length;
    return offset;
#endif
}

// Where the hole after the data at offset starts: length where the system cannot tell.
std::uint64_t NextHole(int descriptor, std::uint64_t offset, std::uint64_t length)
{
#if defined(SEEK_HOLE)
    const off_t hole = lseek(descriptor, static_cast<off_t>(offset), SEEK_HOLE);
    return hole >= 0 ? std::min(static_cast<std::uint64_t>(hole), length) : length;
#else
    (void)descriptor;
    (void)offset;
    return length;
#endif
}

} // namespace

void CopyBytes(ReadableFile &source, int target, const std::string &targetPath)
{
    RangeCopier copier(source, target, targetPath);
    std::uint64_t length = source.Length();
    for (std::uint64_t at = NextData(source.Descriptor(), 0, length); at < length;) {
        std::uint64_t hole = NextHole(source.Descriptor(), at, length);
        if (hole <= at) {
            hole = length; // no data found where the system said there is some: copy the rest
        }
        const std::uint64_t end = copier.Copy(at, hole);
        if (end < hole) {
            length = end; // the file has become shorter: copy what there is
            break;
        }
        at = NextData(source.Descriptor(), hole, length);
    }
    // A hole at the end is made by giving the new file its length.
    errno = 0;
    if (ftruncate(target, static_cast<off_t>(length)) != 0) {
        throw FileFailure(LastSystemError(), "writing", targetPath);
    }
}
#endif

} // namespace qv
