#pragma once

#include "engine/loaded_image.h"
#include "platform/dialog_service.h"

#include <string>

namespace qv {

// Reads the bitmap file at path into image and accepts or refuses the picture. Refusals are
// plain messages: a side above largestSize (the size control's upper end, which the caller reads
// on every call), a depth other than 8, 24 or 32 bits, compressed rows, in that order. Any failure
// while reading or parsing is reported as "LoadBMPFile". After either, width, height and bitCount
// hold what was read. Returns true when the picture is accepted.
bool LoadBMPFile(
    DialogService &dialogs, int largestSize, const std::string &path, LoadedImage &image);

} // namespace qv
