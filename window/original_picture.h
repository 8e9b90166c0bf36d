#pragma once

#include "engine/loaded_image.h"

#include <QImage>

namespace qv {

// The picture as the file holds it, for the "Original" view: an 8-bit picture keeps its indices
// and its own colour table, a 24- or 32-bit one becomes RGB (the fourth byte is ignored). A
// picture of another depth, without pixels, or whose pixels do not fill its rows gives a null
// image: there is nothing faithful to show.
QImage OriginalPicture(const LoadedImage &image);

} // namespace qv
