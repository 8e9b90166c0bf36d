// The sample pictures a first start shows: three sprites on the magenta the program takes as
// transparent.
#include "samples/sample_pictures.h"

#include "engine/mod_add_bmp_header.h"
#include "platform/files.h"
#include "samples/canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::samples {
namespace {

// The background every sample stands on: the colour the program takes as transparent.
constexpr Rgb kMagenta {255, 0, 255};

void PutLE(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A 24-bit bitmap file: the 54-byte header, then the rows bottom row first, padded to 4 bytes.
std::vector<std::uint8_t> File24(const Canvas<Rgb> &canvas)
{
    const int stride = (canvas.Width() * 3 + 3) / 4 * 4;
    const auto rowBytes = static_cast<std::uint32_t>(stride * canvas.Height());
    std::vector<std::uint8_t> bytes(54 + rowBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLE(bytes, 2, 54 + rowBytes, 4);
    PutLE(bytes, 10, 54, 4);
    PutLE(bytes, 14, 40, 4);
    PutLE(bytes, 18, static_cast<std::uint32_t>(canvas.Width()), 4);
    PutLE(bytes, 22, static_cast<std::uint32_t>(canvas.Height()), 4);
    PutLE(bytes, 26, 1, 2);
    PutLE(bytes, 28, 24, 2);
    PutLE(bytes, 34, rowBytes, 4);
    for (int y = 0; y < canvas.Height(); ++y) {
        const std::size_t row = 54 + static_cast<std::size_t>((canvas.Height() - 1 - y) * stride);
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb p = canvas.At(x, y);
            const std::size_t at = row + static_cast<std::size_t>(x * 3);
            bytes[at] = p.b;
            bytes[at + 1] = p.g;
            bytes[at + 2] = p.r;
        }
    }
    return bytes;
}

// A knight in steel and blue, 48 x 64.
std::vector<std::uint8_t> Knight()
{
    const Rgb steel {140, 140, 152}, dark {36, 36, 44}, blue {24, 40, 160}, skin {220, 164, 120},
        brown {100, 60, 20}, gold {232, 184, 40}, blade {212, 220, 228};
    Canvas<Rgb> c(48, 64, kMagenta);
    c.Oval(14, 2, 20, 20, steel); // helmet
    c.Rect(17, 10, 14, 3, dark); // visor slit
    c.Rect(19, 16, 10, 5, skin);
    c.Rect(12, 22, 24, 22, blue); // tunic
    c.Rect(22, 22, 4, 22, gold);
    c.Rect(6, 24, 6, 16, steel); // arms
    c.Rect(36, 24, 6, 14, steel);
    c.Rect(14, 44, 8, 14, dark); // legs
    c.Rect(26, 44, 8, 14, dark);
    c.Rect(12, 58, 10, 5, brown); // boots
    c.Rect(26, 58, 10, 5, brown);
    c.Rect(41, 4, 3, 32, blade); // sword, held upright
    c.Rect(37, 35, 11, 3, gold);
    c.Rect(41, 46, 3, 4, gold);
    c.Oval(38, 38, 9, 8, skin);
    return File24(c);
}

// A wall torch, 16 x 40.
std::vector<std::uint8_t> Torch()
{
    const Rgb wood {112, 68, 28}, iron {72, 72, 80}, red {216, 48, 16}, orange {252, 140, 24},
        yellow {252, 236, 96};
    Canvas<Rgb> c(16, 40, kMagenta);
    c.Oval(1, 0, 14, 20, red);
    c.Oval(3, 5, 10, 14, orange);
    c.Oval(5, 10, 6, 8, yellow);
    c.Rect(6, 18, 4, 20, wood);
    c.Rect(4, 18, 8, 3, iron);
    c.Rect(4, 30, 8, 3, iron);
    return File24(c);
}

// A wooden barrel with iron hoops as an 8-bit picture, 32 x 32, whose entry 255 is the
// transparent magenta.
std::vector<std::uint8_t> Barrel()
{
    enum : std::uint8_t { Outline = 0, Wood, Light, Grain, Hoop, Shine, Clear = 255 };
    std::vector<std::uint8_t> palette(1024, 0);
    const Rgb colours[] = {
        {40, 24, 8}, {132, 80, 32}, {176, 116, 56}, {92, 52, 20}, {88, 88, 96}, {168, 168, 176}};
    for (std::size_t i = 0; i < std::size(colours); ++i) {
        palette[4 * i] = colours[i].b;
        palette[4 * i + 1] = colours[i].g;
        palette[4 * i + 2] = colours[i].r;
    }
    palette[4 * Clear] = kMagenta.b;
    palette[4 * Clear + 1] = kMagenta.g;
    palette[4 * Clear + 2] = kMagenta.r;

    Canvas<std::uint8_t> c(32, 32, Clear);
    c.Oval(3, 0, 26, 32, Outline);
    c.Oval(4, 1, 24, 30, Wood);
    c.Oval(9, 2, 8, 28, Light);
    for (int x = 8; x < 26; x += 6) {
        c.Rect(x, 3, 1, 26, Grain);
    }
    // The hoops follow the barrel's outline.
    for (int top : {5, 14, 24}) {
        for (int y = top; y < top + 3; ++y) {
            for (int x = 0; x < c.Width(); ++x) {
                if (c.At(x, y) != Clear && c.At(x, y) != Outline) {
                    c.Rect(x, y, 1, 1, y == top && x >= 9 && x < 14 ? Shine : Hoop);
                }
            }
        }
    }
    c.Rect(3, 0, 26, 1, Clear); // keep the top and bottom rows open
    c.Rect(3, 31, 26, 1, Clear);

    // The indexed rows are padded to a multiple of 4, which 32 already is.
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            indices.push_back(c.At(x, y));
        }
    }
    AddBMPHeader(c.Width(), c.Height(), indices, palette);
    return indices;
}

} // namespace

std::vector<std::string> WriteMissingSamples(const std::string &folder)
{
    const struct {
        const char *name;
        std::vector<std::uint8_t> (*make)();
    } samples[] = {{"knight.bmp", Knight}, {"barrel.bmp", Barrel}, {"torch.bmp", Torch}};
    std::vector<std::string> written;
    for (const auto &sample : samples) {
        const std::string path = JoinPath(folder, sample.name);
        if (!PathExists(path)) {
            WriteFileAtomic(path, sample.make());
            written.push_back(sample.name);
        }
    }
    return written;
}

} // namespace qv::samples
