#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// Bytes that a file format reads where it needs them, the first few or some at an offset, so
// that nothing beyond what the format can use is read however large the source is.
class ByteSource
{
public:
    virtual ~ByteSource() = default;

    // The length of the source in bytes.
    virtual std::uint64_t Length() const = 0;
    // Up to count bytes from offset: fewer only where the source ends, none from beyond it.
    virtual std::vector<std::uint8_t> ReadAt(std::uint64_t offset, std::size_t count) = 0;
};

} // namespace qv
