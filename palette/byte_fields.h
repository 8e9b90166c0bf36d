#pragma once

#include "platform/checked.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Little- and big-endian numbers inside bytes read from a file. Every access is bounds-checked:
// a field outside the bytes is failure 9, never a read past them.
namespace qv {

inline std::uint16_t U16Le(const std::vector<std::uint8_t> &bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(At(bytes, at) | At(bytes, at + 1) << 8);
}

inline std::uint32_t U32Le(const std::vector<std::uint8_t> &bytes, std::size_t at)
{
    return U16Le(bytes, at) | static_cast<std::uint32_t>(U16Le(bytes, at + 2)) << 16;
}

inline std::uint16_t U16Be(const std::vector<std::uint8_t> &bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(At(bytes, at) << 8 | At(bytes, at + 1));
}

inline std::uint32_t U32Be(const std::vector<std::uint8_t> &bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(U16Be(bytes, at)) << 16 | U16Be(bytes, at + 2);
}

// True when the bytes from at spell text exactly.
inline bool BytesSpell(
    const std::vector<std::uint8_t> &bytes, std::size_t at, std::string_view text)
{
    if (at > bytes.size() || text.size() > bytes.size() - at) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (bytes[at + i] != static_cast<std::uint8_t>(text[i])) {
            return false;
        }
    }
    return true;
}

} // namespace qv
