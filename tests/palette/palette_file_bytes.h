#pragma once

#include "palette/palette_file.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

// Bytes of the palette file formats beyond the classic four, built in code for the tests.
namespace qv::test {

using Colours = std::vector<PaletteColour>;

// n colours unlike each other and unlike black: colour i = (i + 1, 200 - i, 3i + 7) mod 256.
inline Colours SomeColours(std::size_t n)
{
    Colours colours;
    for (std::size_t i = 0; i < n; ++i) {
        colours.push_back({static_cast<std::uint8_t>(i + 1),
            static_cast<std::uint8_t>(200 - i),
            static_cast<std::uint8_t>(3 * i + 7)});
    }
    return colours;
}

// The 256-entry palette of listed colours: black after the last.
inline RawPalette Filled(const Colours &colours)
{
    RawPalette raw {};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            raw[3 * i + c] = colours[i][c];
        }
    }
    return raw;
}

// The palette of the first 768 bytes, as they stand.
inline RawPalette RawOf(const std::vector<std::uint8_t> &bytes)
{
    RawPalette raw {};
    std::copy_n(bytes.begin(), raw.size(), raw.begin());
    return raw;
}

// A JASC-PAL file as paint programs write a short one: LF line ends, the real count.
inline std::string JascLf(const Colours &colours)
{
    std::string text = "JASC-PAL\n0100\n" + std::to_string(colours.size()) + "\n";
    for (const PaletteColour &c : colours) {
        text +=
            std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + "\n";
    }
    return text;
}

inline void PutBe(std::vector<std::uint8_t> &bytes, std::uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void PutLe(std::vector<std::uint8_t> &bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void PutText(std::vector<std::uint8_t> &bytes, const std::string &text, std::size_t size)
{
    std::string padded = text;
    padded.resize(size, '\0');
    bytes.insert(bytes.end(), padded.begin(), padded.end());
}

// Photoshop swatches: version 1, or version 2 with a name per colour; space 0 is RGB.
inline std::vector<std::uint8_t> AcoBytes(
    const Colours &colours, int version, std::uint16_t space = 0, std::size_t count = 0)
{
    std::vector<std::uint8_t> bytes;
    PutBe(bytes, static_cast<std::uint32_t>(version), 2);
    PutBe(bytes, static_cast<std::uint32_t>(count != 0 ? count : colours.size()), 2);
    for (const PaletteColour &colour : colours) {
        PutBe(bytes, space, 2);
        for (const std::uint8_t component : colour) {
            PutBe(bytes, component * 257U, 2);
        }
        PutBe(bytes, 0, 2);
        if (version == 2) {
            PutBe(bytes, 3, 4); // "ab" and its terminating zero
            PutBe(bytes, 'a', 2);
            PutBe(bytes, 'b', 2);
            PutBe(bytes, 0, 2);
        }
    }
    return bytes;
}

// Adobe swatch exchange: the colours in one group, in the model given (RGB floats v / 255).
inline std::vector<std::uint8_t> AseBytes(const Colours &colours, const std::string &model = "RGB ")
{
    std::vector<std::uint8_t> bytes;
    PutText(bytes, "ASEF", 4);
    PutBe(bytes, 0x10000, 4); // version 1.0
    PutBe(bytes, static_cast<std::uint32_t>(colours.size() + 2), 4);
    PutBe(bytes, 0xC001, 2); // group start, named "g"
    PutBe(bytes, 6, 4);
    PutBe(bytes, 2, 2);
    PutBe(bytes, 'g', 2);
    PutBe(bytes, 0, 2);
    for (const PaletteColour &colour : colours) {
        PutBe(bytes, 0x0001, 2);
        PutBe(bytes, 2 + 4 + 4 + 12 + 2, 4);
        PutBe(bytes, 2, 2); // name "c"
        PutBe(bytes, 'c', 2);
        PutBe(bytes, 0, 2);
        PutText(bytes, model, 4);
        for (const std::uint8_t component : colour) {
            const float value = static_cast<float>(component) / 255.0F;
            PutBe(bytes, std::bit_cast<std::uint32_t>(value), 4);
        }
        PutBe(bytes, 2, 2); // colour type: normal
    }
    PutBe(bytes, 0xC002, 2); // group end
    PutBe(bytes, 0, 4);
    return bytes;
}

// A PNG of colour type 3 with a tEXt chunk before its PLTE (CRCs are not checked: zero).
inline std::vector<std::uint8_t> PngBytes(
    const Colours &colours, std::uint8_t colourType = 3, bool dataFirst = false)
{
    std::vector<std::uint8_t> bytes {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto chunk = [&](const std::string &type, const std::vector<std::uint8_t> &data) {
        PutBe(bytes, static_cast<std::uint32_t>(data.size()), 4);
        PutText(bytes, type, 4);
        bytes.insert(bytes.end(), data.begin(), data.end());
        PutBe(bytes, 0, 4);
    };
    chunk("IHDR", {0, 0, 0, 4, 0, 0, 0, 4, 8, colourType, 0, 0, 0});
    chunk("tEXt", {'a', 0, 'b'});
    if (dataFirst) {
        chunk("IDAT", {0});
    }
    std::vector<std::uint8_t> plte;
    for (const PaletteColour &colour : colours) {
        plte.insert(plte.end(), colour.begin(), colour.end());
    }
    chunk("PLTE", plte);
    chunk("IEND", {});
    return bytes;
}

struct Lump {
    std::string name;
    std::vector<std::uint8_t> data;
};

// A WAD ("IWAD" or "PWAD"): the lumps one after the other from offset 12, the directory last.
inline std::vector<std::uint8_t> WadBytes(const std::string &magic, const std::vector<Lump> &lumps)
{
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> directory;
    for (const Lump &lump : lumps) {
        PutLe(directory, static_cast<std::uint32_t>(12 + data.size()), 4);
        PutLe(directory, static_cast<std::uint32_t>(lump.data.size()), 4);
        PutText(directory, lump.name, 8);
        data.insert(data.end(), lump.data.begin(), lump.data.end());
    }
    std::vector<std::uint8_t> bytes;
    PutText(bytes, magic, 4);
    PutLe(bytes, static_cast<std::uint32_t>(lumps.size()), 4);
    PutLe(bytes, static_cast<std::uint32_t>(12 + data.size()), 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.insert(bytes.end(), directory.begin(), directory.end());
    return bytes;
}

// A Quake PAK: the files from offset 12, the directory of 64-byte entries last.
inline std::vector<std::uint8_t> PakBytes(const std::vector<Lump> &files)
{
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> directory;
    for (const Lump &file : files) {
        PutText(directory, file.name, 56);
        PutLe(directory, static_cast<std::uint32_t>(12 + data.size()), 4);
        PutLe(directory, static_cast<std::uint32_t>(file.data.size()), 4);
        data.insert(data.end(), file.data.begin(), file.data.end());
    }
    std::vector<std::uint8_t> bytes;
    PutText(bytes, "PACK", 4);
    PutLe(bytes, static_cast<std::uint32_t>(12 + data.size()), 4);
    PutLe(bytes, static_cast<std::uint32_t>(directory.size()), 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.insert(bytes.end(), directory.begin(), directory.end());
    return bytes;
}

// A RIFF palette of the standard layout with the given entries, form and chunks before "data".
inline std::vector<std::uint8_t> RiffPalBytes(const Colours &colours,
    const std::string &form = "PAL ",
    std::size_t count = 0,
    const std::vector<std::uint8_t> &chunkBefore = {})
{
    std::vector<std::uint8_t> data;
    PutLe(data, 0x300, 2);
    PutLe(data, static_cast<std::uint32_t>(count != 0 ? count : colours.size()), 2);
    for (const PaletteColour &colour : colours) {
        data.insert(data.end(), colour.begin(), colour.end());
        data.push_back(0xEE);
    }
    std::vector<std::uint8_t> bytes;
    PutText(bytes, "RIFF", 4);
    PutLe(bytes, static_cast<std::uint32_t>(4 + chunkBefore.size() + 8 + data.size()), 4);
    PutText(bytes, form, 4);
    bytes.insert(bytes.end(), chunkBefore.begin(), chunkBefore.end());
    PutText(bytes, "data", 4);
    PutLe(bytes, static_cast<std::uint32_t>(data.size()), 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

} // namespace qv::test
