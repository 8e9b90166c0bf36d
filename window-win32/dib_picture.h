#pragma once

#include "engine/display_image.h"
#include "platform/win32/image_box.h"

namespace qv::win32 {

// The picture the session shows, as the image box draws it: an indexed picture keeps its
// indices and 256 colours, any other its pixels; rows padded to whole 4-byte words.
DibPicture DibPictureOf(const DisplayImage &image);

} // namespace qv::win32
