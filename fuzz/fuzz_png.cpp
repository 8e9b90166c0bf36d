// PNG pictures come from anywhere too: load them as a file the way Convert does, check what an
// accepted picture holds, and write an accepted indexed picture out as a PNG and read it back.
#include "common/row_stride.h"
#include "engine/load_bmp_file.h"
#include "engine/png_file.h"
#include "fuzz/scratch_file.h"
#include "platform/scripted_dialog_service.h"

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
    static const qv::fuzz::ScratchFile file("picture.png");
    file.Write(data, size);
    qv::ScriptedDialogService dialogs;
    qv::LoadedImage loaded;
    const bool accepted = qv::LoadBMPFile(dialogs, kLargestSize, file.Path(), loaded);

    Require(dialogs.Log().size() == (accepted ? 0U : 1U), "one message for each refusal");
    if (!accepted) {
        return 0;
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
