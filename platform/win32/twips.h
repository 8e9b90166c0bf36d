#pragma once

#include <cmath>

// Window geometry is written in twips (1/1440 inch). On Windows a control is placed at
// twips * dpi / 1440 pixels of the monitor the window is on: 15 twips a pixel at 96 dpi, 10 at
// 144 dpi.
namespace qv::win32 {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr unsigned kDefaultDpi = 96;

// Rounded to the nearest pixel, so that edges placed apart in twips stay apart on screen.
constexpr int TwipsToPixels(double twips, unsigned dpi)
{
    const double pixels = twips * dpi / kTwipsPerInch;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

constexpr double PixelsToTwips(double pixels, unsigned dpi)
{
    return pixels * kTwipsPerInch / dpi;
}

// A place in twips: left, top, width, height.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A place in pixels: each edge rounded on its own, so neighbours that touch in twips touch on
// screen at every dpi.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr PixelRect ToPixels(const TwipsRect &r, unsigned dpi)
{
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return {left,
        top,
        TwipsToPixels(r.left + r.width, dpi) - left,
        TwipsToPixels(r.top + r.height, dpi) - top};
}

} // namespace qv::win32
