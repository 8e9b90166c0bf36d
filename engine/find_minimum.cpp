#include "engine/find_minimum.h"

#include "engine/load_bmp_file.h"
#include "engine/square_size.h"
#include "platform/failure.h"

#include <algorithm>

namespace qv {

std::int32_t FindMinimumSquare(DialogService &dialogs,
    const std::vector<std::string> &pictures,
    std::int32_t smallest,
    std::int32_t largest,
    PicturesShown shown)
{
    std::int32_t largestSide = 0;
    for (const std::string &picture : pictures) {
        LoadedImage image;
        const bool loaded = LoadBMPFile(dialogs, largest, picture, image);
        if (shown == PicturesShown::NotYet) {
            try {
                smallest = AdjustSquareForPicture(image.width, image.height, smallest, smallest)
                               .smallestPermitted;
            } catch (const Failure &) {
                // Sides too large to round (a damaged header): the window cannot show such a
                // picture either, and leaves the range as it was.
            }
        }
        if (loaded) {
            largestSide = std::max({largestSide, image.width, image.height});
        }
    }
    return FindMinimumSize(largestSide, smallest, largest);
}

} // namespace qv
