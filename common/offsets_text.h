#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace qv {

// Custom offsets as typed: "X,Y", two whole numbers that fit a Doom picture's 16-bit fields
// (-32768 to 32767), spaces around either allowed; nothing for any other text.
std::optional<std::pair<std::int32_t, std::int32_t>> ParseOffsets(const std::string &text);

// "X,Y", as ParseOffsets reads it back.
std::string OffsetsText(std::int32_t x, std::int32_t y);

} // namespace qv
