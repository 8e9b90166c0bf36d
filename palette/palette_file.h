#pragma once

#include "palette/raw_palette.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// One colour as a palette file lists it: red, green, blue.
using PaletteColour = std::array<std::uint8_t, 3>;

// A palette as a file gave it: its colours, what kind of file it was and how many entries the
// file set, so the window can say what it loaded.
struct PaletteFile {
    RawPalette colors {};
    std::string format; // "GIMP palette", "Doom WAD (IWAD), PLAYPAL lump", ...
    std::size_t count = 256; // entries the file set; the others are black
    std::optional<std::size_t> transparentIndex; // the entry an ACT table marks as transparent
};

// The palette of the colours a file lists, in order. Fill rule: entries after the last listed
// colour stay black (0, 0, 0), as every format here starts from an all-zero table (a 6-bit
// table, a JASC file whose count says 16). Black, not a repeat of the last colour, because a
// filled entry then only ever wins for colours nearest black, and a user who wants none of them
// skips them in the colour grid. More than 256 colours is failure 9 naming the file (name), the
// format and the count.
PaletteFile PaletteOfColours(
    std::string_view name, std::string format, const std::vector<PaletteColour> &colours);

// What the window shows beside the file's name: "GIMP palette, 16 colours", and for an ACT
// table that marks one ", transparent index 255".
std::string PaletteFileDetail(const PaletteFile &file);

} // namespace qv
