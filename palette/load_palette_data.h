#pragma once

#include "palette/raw_palette.h"
#include "platform/byte_source.h"
#include "platform/dialog_service.h"

#include <optional>
#include <string>
#include <string_view>

namespace qv {

class PaletteStore;

// The palette held by a palette file, recognised by length first (768 bytes: ACT, 893 bytes:
// GAMEPAL.OBJ, whatever they begin with), then by the first four bytes ("JASC", "RIFF", exact
// case). Only what the format needs is read, so a file of any length is refused at once.
// Nothing for a format it does not know; parse failures are thrown, their descriptions naming
// the source as name.
std::optional<RawPalette> ParsePaletteFile(ByteSource &source, std::string_view name);

// ParsePaletteFile of the file at path. A path that names nothing, a folder, or anything but an
// ordinary file (a device, a pipe: never waited on) is a failure naming the file and saying so.
std::optional<RawPalette> ReadPaletteFileData(const std::string &path);

// Loads one palette source into the store: text not empty is JASC-PAL text (path ignored),
// otherwise the file at path. The store is changed only when all 256 entries were read.
// Failures are reported as "LoadPaletteDataFromFile"; a file of unknown format only gets the
// message "Unknown palette file format!"; either way the store keeps the palette it had. True
// when the store took the new palette.
bool LoadPaletteDataFromFile(
    DialogService &dialogs, PaletteStore &store, const std::string &path, const std::string &text);

} // namespace qv
