#pragma once

#include <array>
#include <cstdint>

namespace qv {

// A parsed palette before it reaches the store: byte 3i + c is component c (0 red, 1 green,
// 2 blue) of entry i. Parsers fill a fresh one and hand it over only when all 256 entries
// were read, so a palette that fails half-way never reaches the store.
using RawPalette = std::array<std::uint8_t, 768>;

} // namespace qv
