#pragma once

#include "platform/byte_source.h"

#include <algorithm>
#include <utility>

namespace qv {

// Bytes already in memory read as a ByteSource, for text handed over whole and for checks that
// need no file.
class MemorySource : public ByteSource
{
public:
    explicit MemorySource(std::vector<std::uint8_t> bytes)
        : bytes_(std::move(bytes))
    { }

    std::uint64_t Length() const override { return bytes_.size(); }
    std::vector<std::uint8_t> ReadAt(std::uint64_t offset, std::size_t count) override
    {
        const std::size_t start =
            static_cast<std::size_t>(std::min<std::uint64_t>(offset, bytes_.size()));
        const std::size_t stop = start + std::min(count, bytes_.size() - start);
        return {bytes_.begin() + static_cast<std::ptrdiff_t>(start),
            bytes_.begin() + static_cast<std::ptrdiff_t>(stop)};
    }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace qv
