#pragma once

#include "platform/byte_source.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// One light table: the palette index a game draws for each index at one light level.
using LightTable = std::array<std::uint8_t, 256>;

// The light tables of a game, brightest first, as it draws a picture at each light level: Doom's
// COLORMAP (32 light levels, then the invulnerability and the all-black table) or a Build
// engine's shade tables. Every table maps all 256 indices.
struct LightTables {
    std::vector<LightTable> levels;
    std::string format; // "Doom IWAD, COLORMAP lump 3 of 2930, 34 tables", ...

    std::size_t Count() const { return levels.size(); }
};

// The tables a Doom COLORMAP lump needs at least (its 32 light levels), and the most read from
// one: the 34 the game has; tables after them are never drawn and not read.
inline constexpr std::size_t kLeastColormapTables = 32;
inline constexpr std::size_t kMostColormapTables = 34;

// The light tables of a colour map file, told by its content:
// - "IWAD" or "PWAD": the last COLORMAP lump of the WAD;
// - a Build PALETTE.DAT (768 bytes of 6-bit colours, a 16-bit little-endian shade count, that
//   many 256-byte shade tables, the 64 KiB translucency table or nothing after them), or any
//   file named .dat: its shade tables;
// - any other file of at least 32 x 256 bytes: a COLORMAP lump saved on its own (.lmp).
// A COLORMAP gives its whole tables up to 34 (a trailing part of a table is not read). Only the
// header, the directory and the tables are read. Refusals (a lump shorter than 32 tables or
// running past the end of the file, a WAD without COLORMAP, a PALETTE.DAT without shade tables
// or ending inside them, a file that is none of these) are failures naming the source (name)
// and the reason. fileName: where the extension is taken from.
LightTables ParseLightTables(ByteSource &source, std::string_view name, std::string_view fileName);

// The light tables of the colour map file at path ("colour map file " and the path name it in
// messages); a path that names nothing, a folder or anything but an ordinary file is a failure
// saying so.
LightTables ReadLightTables(const std::string &path);

} // namespace qv
