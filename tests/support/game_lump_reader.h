#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::test {

// A Doom picture as a source port reads it: -1 for a pixel no post covers.
struct DoomPicture {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    std::vector<int> pixels; // top row first, unpadded
    std::string error; // why the bytes are no Doom picture; empty when read
};

// Reads a Doom picture written independently of the writer under test: posts whose top delta is
// not above the previous post's top row count from that row (tall pictures), as GZDoom reads
// them.
DoomPicture ReadDoomPicture(const std::vector<std::uint8_t> &bytes);

// The indices of an indexed picture (stride width rounded up to 4) unpadded, with transparent
// pixels as -1.
std::vector<int> Drawn(
    const std::vector<std::uint8_t> &indices, int width, int height, int transparent);

} // namespace qv::test
