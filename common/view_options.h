#pragma once

#include "common/conversion_options.h"

namespace qv {

// What the picture frame shows: the picture as it is, as the conversion makes it, both side by
// side, or how far each pixel's entry is from its colour.
enum class PictureView : int { Original = 0, Preview = 1, SideBySide = 2, Difference = 3 };
template <> inline constexpr int kEnumCount<PictureView> = 4;

// How the picture is scaled in its frame: Fit as the frame has always shown it (the original at
// its own size, the preview as its box says), or whole screen pixels per picture pixel.
enum class PictureZoom : int { Fit = 0, X1 = 1, X2 = 2, X4 = 3, X8 = 4 };
template <> inline constexpr int kEnumCount<PictureZoom> = 5;

// Empty picture pixels between the original and the preview shown side by side.
inline constexpr int kSideBySideGap = 4;

// Screen pixels per picture pixel, each way; Fit draws as the frame always has (one per pixel,
// or the preview stretched to its box).
constexpr int ZoomFactor(PictureZoom zoom)
{
    constexpr int kFactors[] = {1, 1, 2, 4, 8};
    return kFactors[static_cast<int>(zoom)];
}

} // namespace qv
