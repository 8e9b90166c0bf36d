// PCX pictures come from anywhere: read the bytes as the loader reads a ".pcx" file, check what
// an accepted picture holds, and write an accepted indexed picture out as a PCX and read it back.
#include "common/row_stride.h"
#include "engine/pcx_file.h"
#include "engine/pcx_reader.h"
#include "fuzz/scratch_file.h"
#include "platform/failure.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using qv::fuzz::Require;

constexpr int kLargestSize = 512;

const qv::fuzz::ScratchFile &Scratch()
{
    static const qv::fuzz::ScratchFile file("fuzz_pcx");
    return file;
}

void CheckWrittenBack(const qv::LoadedImage &image)
{
    const std::vector<std::uint8_t> pcx =
        qv::EncodePcx(image.pixels, image.width, image.height, image.palette);
    Scratch().Write(pcx.data(), pcx.size());
    qv::ReadableFile file(Scratch().Path());
    qv::LoadedImage back;
    Require(qv::DecodePcx(file, kLargestSize, back).empty(), "a written PCX reads back");
    Require(back.width == image.width && back.height == image.height && back.bitCount == 8,
        "written picture keeps its size and depth");
    Require(back.palette == image.palette, "written picture keeps its colour table");
    Require(back.pixels == image.pixels, "written picture keeps its indices");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Scratch().Write(data, size);
    qv::LoadedImage loaded;
    try {
        qv::ReadableFile file(Scratch().Path());
        if (!qv::DecodePcx(file, kLargestSize, loaded).empty()) {
            return 0; // refused with a message
        }
    } catch (const qv::Failure &) {
        return 0; // reported to the user as a broken picture
    }
    Require(loaded.width >= 1 && loaded.width <= kLargestSize && loaded.height >= 1
            && loaded.height <= kLargestSize,
        "an accepted picture fits the largest square");
    Require(loaded.bitCount == 8 || loaded.bitCount == 24, "an accepted picture is 8- or 24-bit");
    Require(loaded.pixels.size()
            == static_cast<std::size_t>(qv::RowStride(loaded.width, loaded.bitCount))
                * static_cast<std::size_t>(loaded.height),
        "an accepted picture holds exactly its rows");
    if (loaded.bitCount == 8) {
        Require(loaded.palette.size() == 1024, "an indexed picture has a full colour table");
        CheckWrittenBack(loaded);
    }
    return 0;
}
