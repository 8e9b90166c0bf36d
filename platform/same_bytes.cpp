#include "platform/same_bytes.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qv {

bool SameBytes(ReadableFile &source, const std::string &path)
{
    ReadableFile other(path);
    if (other.Length() != source.Length()) {
        return false;
    }
    constexpr std::size_t kPiece = std::size_t {1} << 20;
    std::vector<std::uint8_t> mine(kPiece);
    std::vector<std::uint8_t> theirs(kPiece);
    for (std::uint64_t at = 0;; at += kPiece) {
        const std::size_t got = source.ReadAt(at, mine.data(), kPiece);
        if (other.ReadAt(at, theirs.data(), kPiece) != got
            || !std::equal(
                mine.begin(), mine.begin() + static_cast<std::ptrdiff_t>(got), theirs.begin())) {
            return false;
        }
        if (got < kPiece) {
            return true;
        }
    }
}

} // namespace qv
