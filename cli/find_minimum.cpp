#include "cli/find_minimum.h"

#include "engine/load_bmp_file.h"
#include "engine/square_size.h"
#include "platform/failure.h"
#include "platform/scripted_dialog_service.h"

#include <algorithm>

namespace qv::cli {

std::int32_t FindMinimumSquare(const std::vector<std::string> &pictures)
{
    std::int32_t smallest = kStartSmallestSquareSize;
    std::int32_t largestSide = 0;
    for (const std::string &picture : pictures) {
        ScriptedDialogService silent;
        LoadedImage image;
        const bool loaded = LoadBMPFile(silent, kLargestSquareSize, picture, image);
        try {
            smallest = AdjustSquareForPicture(image.width, image.height, smallest, smallest)
                           .smallestPermitted;
        } catch (const Failure &) {
            // Sides too large to round (a damaged header): the window cannot show such a
            // picture either, and leaves the range as it was.
        }
        if (loaded) {
            largestSide = std::max({largestSide, image.width, image.height});
        }
    }
    return FindMinimumSize(largestSide, smallest, kLargestSquareSize);
}

} // namespace qv::cli
