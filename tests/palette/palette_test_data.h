#pragma once

#include "palette/raw_palette.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

// Palette sources built in code for the palette tests.
namespace qv::test {

// A palette with a different colour in every entry: entry i = (i, 255 - i, 7 * i mod 256).
inline RawPalette DistinctPalette()
{
    RawPalette raw {};
    for (std::size_t i = 0; i < 256; ++i) {
        raw[3 * i] = static_cast<std::uint8_t>(i);
        raw[3 * i + 1] = static_cast<std::uint8_t>(255 - i);
        raw[3 * i + 2] = static_cast<std::uint8_t>(7 * i);
    }
    return raw;
}

// The JASC-PAL entry lines of a palette, "r g b" each.
inline std::vector<std::string> EntryLines(const RawPalette &raw)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < 256; ++i) {
        lines.push_back(std::to_string(raw[3 * i]) + " " + std::to_string(raw[3 * i + 1]) + " "
            + std::to_string(raw[3 * i + 2]));
    }
    return lines;
}

// JASC-PAL text: the given first line and count line, then the entry lines, each ending CR LF.
inline std::string JascText(const std::vector<std::string> &entries,
    const std::string &first = "JASC-PAL",
    const std::string &count = "256")
{
    std::string text = first + "\r\n0100\r\n" + count + "\r\n";
    for (const std::string &line : entries) {
        text += line + "\r\n";
    }
    return text;
}

inline std::vector<std::uint8_t> Bytes(const std::string &text)
{
    return {text.begin(), text.end()};
}

// An ACT table: the 768 palette bytes as they are.
inline std::vector<std::uint8_t> ActBytes(const RawPalette &raw)
{
    return {raw.begin(), raw.end()};
}

// A standard RIFF palette: header, then red, green, blue, flags per entry; size bytes long.
inline std::vector<std::uint8_t> RiffBytes(const RawPalette &raw, std::size_t size = 1052)
{
    std::vector<std::uint8_t> bytes(size, 0);
    // RIFF size, form "PAL ", chunk "data" and its size, version 0x300, 256 entries.
    const unsigned char header[24] = {'R',
        'I',
        'F',
        'F',
        0x44,
        4,
        0,
        0,
        'P',
        'A',
        'L',
        ' ',
        'd',
        'a',
        't',
        'a',
        0x04,
        4,
        0,
        0,
        0,
        3,
        0,
        1};
    std::copy(std::begin(header), std::end(header), bytes.begin());
    for (std::size_t i = 0; i < 256 && 27 + 4 * i < size; ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            bytes[24 + 4 * i + c] = raw[3 * i + c];
        }
        bytes[27 + 4 * i] = 0xEE; // flags: must not leak into the colours
    }
    return bytes;
}

// A palette object file of 893 bytes with the given 768 component bytes from offset 119: a
// module header record first, the data record 6 bytes before the components, filler elsewhere.
inline std::vector<std::uint8_t> GamepalBytes(const std::vector<std::uint8_t> &components)
{
    std::vector<std::uint8_t> bytes(893, 0x5A);
    bytes[0] = 0x80;
    bytes[113] = 0xA0;
    std::copy(components.begin(), components.end(), bytes.begin() + 119);
    return bytes;
}

} // namespace qv::test
