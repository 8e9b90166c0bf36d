#pragma once

#include <QPoint>
#include <QRect>

// Window geometry is written in twips (1/1440 inch). At 96 dots per inch a logical pixel is
// 15 twips; Qt scales logical pixels on high-DPI screens, so the factor stays fixed.
namespace qv {

inline constexpr int kTwipsPerPixel = 15;

// Truncates like the integer division the layout arithmetic is written with.
constexpr int TwipsToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

constexpr int PixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// The screen's twips per logical pixel, horizontally and vertically.
constexpr int ScreenTwipsPerPixelX()
{
    return kTwipsPerPixel;
}

constexpr int ScreenTwipsPerPixelY()
{
    return kTwipsPerPixel;
}

// A rectangle given as left, top, width, height in twips, in logical pixels.
constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(
        TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

constexpr QPoint TwipsPoint(int left, int top)
{
    return QPoint(TwipsToPixels(left), TwipsToPixels(top));
}

} // namespace qv
