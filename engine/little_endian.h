#pragma once

#include <cstdint>
#include <vector>

namespace qv {

// Appends value as its count lowest bytes, lowest first: the byte order of every game format the
// program writes (Doom and Quake lumps, PCX).
inline void PutLittleEndian(std::vector<std::uint8_t> &bytes, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

} // namespace qv
