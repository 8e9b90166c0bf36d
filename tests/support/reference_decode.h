#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::test {

// Pictures as independent decoders see them, for comparing our reader and writer with them.

// A picture as Pillow decodes it.
struct PillowPicture {
    std::string mode; // "P" for indexed pictures, "RGB" for everything else (alpha dropped)
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> palette; // "P": red, green, blue per entry, as many as Pillow has
    std::vector<std::uint8_t> pixels; // top row first, unpadded: indices or red, green, blue
    std::string error; // why Pillow could not decode it; empty on success
};

// Decodes the file with Pillow through /usr/bin/python3 (the one that has it).
PillowPicture DecodeWithPillow(const std::string &path);

// Decodes the file with ImageMagick: red, green, blue per pixel, top row first, unpadded.
// Empty when ImageMagick cannot decode it.
std::vector<std::uint8_t> DecodeWithImageMagick(const std::string &path);

// Runs a shell command and returns its standard output.
std::string CommandOutput(const std::string &command);

// The text in single quotes for a POSIX shell.
std::string ShellQuote(const std::string &text);

} // namespace qv::test
