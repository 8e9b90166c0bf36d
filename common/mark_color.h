#pragma once

#include <cstdint>

namespace qv {

// The colour of a palette-entry box's "X" on its fill colour (both 0x00BBGGRR, red in the low
// byte; the top byte is ignored): the complement when any channel is below 98 or above 158, so
// the mark stands out; for the middle greys, where the complement is nearly the fill, black on
// light and white on dark. Every window draws its boxes with this one rule.
std::uint32_t MarkColorFor(std::uint32_t color);

// The colour of the small square that marks an entry in use, on the entry's fill (0x00BBGGRR):
// white on a dark fill (BT.601 luma 0.299 R + 0.587 G + 0.114 B below 128), black on a light one.
std::uint32_t UsedMarkColorFor(std::uint32_t color);

} // namespace qv
