#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::samples {

struct Rgb {
    std::uint8_t r, g, b;
};

// A picture of any pixel type, top row first, with the two shapes the sprites are made of.
template <typename Pixel> class Canvas
{
public:
    Canvas(int width, int height, Pixel background)
        : width_(width)
        , height_(height)
        , pixels_(static_cast<std::size_t>(width * height), background)
    { }

    int Width() const { return width_; }
    int Height() const { return height_; }
    Pixel At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

    void Rect(int left, int top, int width, int height, Pixel colour)
    {
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                Put(x, y, colour);
            }
        }
    }

    // An ellipse filling the box left, top, width, height.
    void Oval(int left, int top, int width, int height, Pixel colour)
    {
        const double cx = left + width / 2.0;
        const double cy = top + height / 2.0;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                const double dx = (x + 0.5 - cx) / (width / 2.0);
                const double dy = (y + 0.5 - cy) / (height / 2.0);
                if (dx * dx + dy * dy <= 1.0) {
                    Put(x, y, colour);
                }
            }
        }
    }

private:
    void Put(int x, int y, Pixel colour)
    {
        if (x >= 0 && x < width_ && y >= 0 && y < height_) {
            pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
        }
    }

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

} // namespace qv::samples
