#pragma once

// The 512 x 512 24-bit pictures (blue, green, red per pixel, rows unpadded) the colour-matching
// benchmarks run on.

#include <cstdint>
#include <random>
#include <vector>

namespace qv::bench {

constexpr std::int32_t kPictureSide = 512;

// Every pixel a different colour: red and green follow x and y, blue tells the four 256 x 256
// quarters apart, so neighbours are similar as in a photograph.
inline std::vector<std::uint8_t> GradientPicture()
{
    std::vector<std::uint8_t> pixels;
    pixels.reserve(kPictureSide * kPictureSide * 3);
    for (int y = 0; y < kPictureSide; ++y) {
        for (int x = 0; x < kPictureSide; ++x) {
            pixels.push_back(static_cast<std::uint8_t>(((x >> 8) + 2 * (y >> 8)) * 64 + 17));
            pixels.push_back(static_cast<std::uint8_t>(y & 255));
            pixels.push_back(static_cast<std::uint8_t>(x & 255));
        }
    }
    return pixels;
}

// Colours scattered over the whole cube with no order at all: the worst case for anything
// that learns from neighbouring pixels.
inline std::vector<std::uint8_t> NoisePicture()
{
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> pixels(kPictureSide * kPictureSide * 3);
    for (std::uint8_t &value : pixels) {
        value = static_cast<std::uint8_t>(byte(random));
    }
    return pixels;
}

} // namespace qv::bench
