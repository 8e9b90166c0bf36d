#pragma once

#include <cstdint>
#include <vector>

namespace qv {

// How the preview box shows a converted picture (sizes in twips, 15 twips per pixel at 96 dpi).
struct PreviewBox {
    bool stretch = false; // draw the picture stretched to a square box
    float boxTwips = 0.0F; // side of that square box; unused without stretching
};

// A converted picture for the preview: the complete 8-bit bitmap file bytes, the palette byte
// table to colour it with, and how to show it.
struct PreviewPicture {
    std::vector<std::uint8_t> fileBytes;
    std::vector<std::uint8_t> paletteTable;
    PreviewBox box;
};

} // namespace qv
