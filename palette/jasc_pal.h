#pragma once

#include "palette/raw_palette.h"

#include <cstdint>
#include <string_view>
#include <vector>

// JASC-PAL text: "JASC-PAL", "0100", a colour count, then one "red green blue" line per entry,
// every line ending in CR LF. The count line is not trusted: 256 entries are always read.
namespace qv {

// Text of a built-in palette. Fewer than 259 lines is failure 9; a field that is not a number
// is failure 13. Anything after the 259th line (such as NUL padding) is not read.
RawPalette ParseJascPalText(std::string_view text);

// Bytes of a JASC-PAL file. Running out of lines before the 256th entry is failure 62.
RawPalette ParseJascPalFile(const std::vector<std::uint8_t> &bytes);

} // namespace qv
