#include "tests/support/game_lump_reader.h"

namespace qv::test {
namespace {

int Short(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return static_cast<std::int16_t>(b[at] | b[at + 1] << 8);
}

std::size_t Long(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::size_t>(b[at + 3]) << 24;
}

} // namespace

DoomPicture ReadDoomPicture(const std::vector<std::uint8_t> &bytes)
{
    DoomPicture picture;
    if (bytes.size() < 8) {
        picture.error = "no header";
        return picture;
    }
    picture.width = Short(bytes, 0);
    picture.height = Short(bytes, 2);
    picture.left = Short(bytes, 4);
    picture.top = Short(bytes, 6);
    picture.pixels.assign(static_cast<std::size_t>(picture.width * picture.height), -1);
    if (bytes.size() < 8 + 4 * static_cast<std::size_t>(picture.width)) {
        picture.error = "no column directory";
        return picture;
    }
    for (int x = 0; x < picture.width; ++x) {
        std::size_t at = Long(bytes, 8 + 4 * static_cast<std::size_t>(x));
        int top = -1;
        while (true) {
            if (at >= bytes.size()) {
                picture.error = "column " + std::to_string(x) + " runs off the end";
                return picture;
            }
            const int delta = bytes[at];
            if (delta == 0xFF) {
                break;
            }
            top = delta <= top ? top + delta : delta;
            const std::size_t length = bytes[at + 1];
            if (at + 4 + length > bytes.size() || top + static_cast<int>(length) > picture.height) {
                picture.error = "post outside the picture in column " + std::to_string(x);
                return picture;
            }
            for (std::size_t i = 0; i < length; ++i) {
                picture.pixels[static_cast<std::size_t>(
                    (top + static_cast<int>(i)) * picture.width + x)] = bytes[at + 3 + i];
            }
            at += length + 4;
        }
    }
    return picture;
}

std::vector<int> Drawn(
    const std::vector<std::uint8_t> &indices, int width, int height, int transparent)
{
    const int stride = (width + 3) / 4 * 4;
    std::vector<int> drawn;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int index = indices[static_cast<std::size_t>(y * stride + x)];
            drawn.push_back(index == transparent ? -1 : index);
        }
    }
    return drawn;
}

} // namespace qv::test
