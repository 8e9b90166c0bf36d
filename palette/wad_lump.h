#pragma once

#include "platform/byte_source.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Where the last lump of a name lies in a Doom-engine WAD ("IWAD" or "PWAD"), as the games find
// it: a later lump of the same name replaces an earlier one.
struct WadLump {
    std::string format; // "Doom IWAD", "Doom PWAD": what messages call the file
    std::uint32_t lumps = 0; // entries in the directory
    std::optional<std::size_t> number; // 1-based entry of the lump; nothing when it is missing
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// Reads the header and walks the directory in parts (never the whole file). A file that is no
// WAD or whose directory lies outside it is failure 9999 naming the file (name, as messages call
// the source) and the reason; a lump that is not there is no failure (number stays empty).
// lumpName: up to 8 characters, compared as the games compare them (up to the first NUL, upper
// case).
WadLump FindLastWadLump(ByteSource &source, std::string_view name, std::string_view lumpName);

} // namespace qv
