// PNG pictures come from anywhere too: decode the bytes as the loader does for a ".png" file,
// check what an accepted picture holds, and write an accepted indexed picture out as a PNG and
// read it back.
#include "common/row_stride.h"
#include "engine/png_file.h"
#include "fuzz/scratch_file.h"
#include "platform/failure.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using qv::fuzz::Require;

constexpr int kLargestSize = 512;

void CheckWrittenBack(const qv::LoadedImage &image)
{
    const std::vector<std::uint8_t> png =
        qv::EncodeIndexedPng(image.pixels, image.width, image.height, image.palette, 0);
    qv::LoadedImage back;
    Require(qv::DecodePng(png, kLargestSize, back), "a written PNG reads back");
    Require(back.width == image.width && back.height == image.height && back.bitCount == 8,
        "written picture keeps its size and depth");
    Require(back.palette == image.palette, "written picture keeps its colour table");
    Require(back.pixels == image.pixels, "written picture keeps its indices");
    Require(back.hasAlpha && back.alpha.size() == 256 && back.alpha[0] == 0,
        "written picture marks its transparent entry");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    qv::LoadedImage loaded;
    try {
        if (!qv::DecodePng(bytes, kLargestSize, loaded)) {
            Require(loaded.width > kLargestSize || loaded.height > kLargestSize,
                "only a picture larger than the largest square is refused for its size");
            return 0;
        }
    } catch (const qv::Failure &) {
        return 0; // reported to the user as a broken picture
    }
    Require(loaded.width >= 1 && loaded.width <= kLargestSize && loaded.height >= 1
            && loaded.height <= kLargestSize,
        "an accepted picture fits the largest square");
    Require(loaded.bitCount == 8 || loaded.bitCount == 24 || loaded.bitCount == 32,
        "an accepted picture has a supported depth");
    Require(loaded.pixels.size()
            == static_cast<std::size_t>(qv::RowStride(loaded.width, loaded.bitCount))
                * static_cast<std::size_t>(loaded.height),
        "an accepted picture holds exactly its rows");
    Require(loaded.hasAlpha == (loaded.bitCount == 32 || !loaded.alpha.empty()),
        "alpha is where the picture says");
    if (loaded.bitCount == 8) {
        Require(loaded.palette.size() == 1024, "an indexed picture has a full colour table");
        Require(loaded.alpha.empty() || loaded.alpha.size() == 256, "alpha for every entry");
        CheckWrittenBack(loaded);
    }
    return 0;
}
