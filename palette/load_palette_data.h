#pragma once

#include "palette/palette_file.h"
#include "palette/raw_palette.h"
#include "platform/byte_source.h"
#include "platform/dialog_service.h"

#include <optional>
#include <string>
#include <string_view>

namespace qv {

class PaletteStore;

// The colours of a palette file without a name (RecognisePaletteFile, palette/palette_file_kind.h,
// where every format is listed): a 768-byte file is an ACT table whatever it begins with, an
// 893-byte object file GAMEPAL.OBJ, "JASC" and "RIFF" files are told by their first bytes (exact
// case). Only what the format needs is read, so a file of any length is answered at once.
// Nothing for a format it does not know; parse failures are thrown, their descriptions naming
// the source as name.
std::optional<RawPalette> ParsePaletteFile(ByteSource &source, std::string_view name);

// The palette of the file at path, its name's extension helping where content cannot tell. A
// path that names nothing, a folder, or anything but an ordinary file (a device, a pipe: never
// waited on) is a failure naming the file and saying so.
std::optional<PaletteFile> ReadPaletteFileData(const std::string &path);

// What the window shows for the palette file at path: "GIMP palette, 16 colours"; "unknown
// format" or "cannot be read" when it gives no palette.
std::string DescribePaletteFile(const std::string &path);

// Loads one palette source into the store: text not empty is JASC-PAL text (path ignored),
// otherwise the file at path. The store is changed only when all 256 entries were read.
// Failures are reported as "LoadPaletteDataFromFile"; a file of unknown format only gets the
// message "Unknown palette file format!"; either way the store keeps the palette it had. True
// when the store took the new palette.
bool LoadPaletteDataFromFile(
    DialogService &dialogs, PaletteStore &store, const std::string &path, const std::string &text);

} // namespace qv
