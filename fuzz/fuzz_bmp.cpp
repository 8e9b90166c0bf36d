// Bitmap files come from anywhere and are overwritten in place, so the reader must survive any
// bytes: parse them directly, load them as a file the way Convert does, and write an accepted
// 8-bit picture back out.
#include "engine/load_bmp_file.h"
#include "engine/mod_add_bmp_header.h"
#include "engine/remove_bmp_header.h"
#include "fuzz/scratch_file.h"
#include "platform/failure.h"
#include "platform/scripted_dialog_service.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using qv::fuzz::Require;

// The size control's upper end.
constexpr int kLargestSize = 512;

std::int64_t Stride(const qv::LoadedImage &image)
{
    return (std::int64_t {image.width} * image.bitCount + 31) / 32 * 4;
}

// What the program writes for an accepted 8-bit picture must read back as the same picture:
// same size, same table, same index bytes in every row, zero padding.
void CheckWrittenBack(const qv::LoadedImage &image)
{
    std::vector<std::uint8_t> file = image.pixels;
    qv::AddBMPHeader(image.width, image.height, file, image.palette);

    qv::LoadedImage back;
    qv::RemoveBMPHeader(file, back);
    Require(back.width == image.width && back.height == image.height && back.bitCount == 8,
        "written picture keeps its size and depth");
    Require(back.palette == image.palette, "written picture keeps its colour table");
    Require(back.pixels.size() == image.pixels.size(), "written picture keeps its row bytes");
    const auto stride = static_cast<std::size_t>(Stride(image));
    const auto width = static_cast<std::size_t>(image.width);
    for (std::size_t row = 0; row < static_cast<std::size_t>(image.height); ++row) {
        const auto *original = image.pixels.data() + row * stride;
        const auto *written = back.pixels.data() + row * stride;
        Require(std::equal(original, original + width, written), "written rows keep their indexes");
        Require(
            std::all_of(written + width, written + stride, [](std::uint8_t b) { return b == 0; }),
            "written rows are padded with zeros");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);

    qv::LoadedImage parsed;
    bool parsedWhole = true;
    try {
        qv::RemoveBMPHeader(bytes, parsed);
    } catch (const qv::Failure &) {
        parsedWhole = false;
    }

    static const qv::fuzz::ScratchFile file("picture.bmp");
    file.Write(data, size);
    qv::ScriptedDialogService dialogs;
    qv::LoadedImage loaded;
    const bool accepted = qv::LoadBMPFile(dialogs, kLargestSize, file.Path(), loaded);

    // Every outcome but acceptance tells the user exactly once.
    Require(dialogs.Log().size() == (accepted ? 0U : 1U), "one message for each refusal");
    if (!accepted) {
        return 0;
    }
    Require(parsedWhole, "a picture that does not parse is never accepted");
    Require(loaded.width >= 1 && loaded.width <= kLargestSize && loaded.height >= 1
            && loaded.height <= kLargestSize,
        "an accepted picture fits the largest square");
    Require(loaded.bitCount == 8 || loaded.bitCount == 24 || loaded.bitCount == 32,
        "an accepted picture has a supported depth");
    Require(loaded.pixels.size() == static_cast<std::size_t>(Stride(loaded) * loaded.height),
        "an accepted picture holds exactly its rows");
    Require(loaded.pixels == parsed.pixels && loaded.palette == parsed.palette,
        "loading a file reads it as parsing its bytes does");
    if (loaded.bitCount == 8) {
        Require(loaded.palette.size() == 1024, "an 8-bit picture has a full colour table");
        CheckWrittenBack(loaded);
    }
    return 0;
}
