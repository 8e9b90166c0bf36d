#pragma once

#include "engine/load_refusal.h"
#include "engine/loaded_image.h"
#include "platform/dialog_service.h"

#include <string>

namespace qv {

// Reads the bitmap file at path into image (a PNG picture when its name ends in ".png", see
// engine/png_file.h, its refusal for size "PNG too large"; a PCX picture when it ends in ".pcx",
// see engine/pcx_reader.h, refused for size and layout as it says) and accepts or refuses the
// picture.
// Only the headers and what they declare are read, however large the file. Refusals are plain
// messages: a side above largestSize (the size control's upper end, which the caller reads on every
// call; decided from the headers, before any row is read), a JPEG or PNG inside the bitmap, a depth
// other than 8, 24 or 32 bits, other compressed rows, in that order. Any failure while reading or
// parsing is reported as "LoadBMPFile", its description naming the reason and the file (a file that
// is not a bitmap at all, one stored top row first, one that ends early, ...). After either, width,
// height and bitCount hold what was read. Returns true when the picture is accepted; why, when
// given, receives the refusal or failure as a value.
bool LoadBMPFile(DialogService &dialogs,
    int largestSize,
    const std::string &path,
    LoadedImage &image,
    LoadRefusal *why = nullptr);

} // namespace qv
