#include "window/original_picture.h"

#include "engine/display_image.h"
#include "engine/qt/picture_from_bmp_data.h"

namespace qv {

QImage OriginalPicture(const LoadedImage &image)
{
    const std::optional<DisplayImage> shown = DisplayImageOf(image);
    return shown ? ToQImage(*shown) : QImage();
}

} // namespace qv
