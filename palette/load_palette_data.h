#pragma once

#include "palette/raw_palette.h"
#include "platform/dialog_service.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class PaletteStore;

// The palette held by the bytes of a palette file, recognised by size first (768 bytes: ACT,
// 893 bytes: GAMEPAL.OBJ, whatever they begin with), then by the first four bytes ("JASC",
// "RIFF", exact case). Nothing for a format it does not know; parse failures are thrown.
std::optional<RawPalette> ParsePaletteFile(const std::vector<std::uint8_t> &bytes);

// Loads one palette source into the store: text not empty is JASC-PAL text (path ignored),
// otherwise the file at path. The store is changed only when all 256 entries were read.
// Failures are reported as "LoadPaletteDataFromFile"; a file of unknown format only gets the
// message "Unknown palette file format!"; either way the store keeps the palette it had. True
// when the store took the new palette.
bool LoadPaletteDataFromFile(
    DialogService &dialogs, PaletteStore &store, const std::string &path, const std::string &text);

} // namespace qv
