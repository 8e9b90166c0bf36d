#pragma once

#include "platform/dialog_service.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Whether the pictures Find Minimum measures have been shown, which lowers the smallest
// permitted size to fit small pictures (see AdjustSquareForPicture).
enum class PicturesShown {
    // The window: showing each picture has lowered it already, as far as it was shown.
    Already,
    // The command line shows none: each picture measured lowers it first, as showing it would
    // have, even one that is then refused, with the sides that were read.
    NotYet,
};

// Find Minimum, for every front end: the smallest square within [smallest, largest], in steps
// of 4, that holds the largest side of the pictures that load. Each picture is loaded with
// LoadBMPFile (largest is its limit); one that is refused has shown its message through dialogs
// and is left out of the measure. With no picture measured the square is the smallest permitted
// size.
std::int32_t FindMinimumSquare(DialogService &dialogs,
    const std::vector<std::string> &pictures,
    std::int32_t smallest,
    std::int32_t largest,
    PicturesShown shown);

} // namespace qv
