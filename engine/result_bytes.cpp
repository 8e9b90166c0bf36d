#include "engine/result_bytes.h"

#include "engine/doom_flat.h"
#include "engine/doom_picture.h"
#include "engine/pcx_file.h"
#include "engine/png_file.h"
#include "engine/png_grab.h"
#include "engine/quake_picture.h"
#include "platform/failure.h"

namespace qv {

std::int32_t TransparentIndexInUse(const ConversionOptions &options)
{
    return options.applyTransparency || options.useAlpha ? options.outputTransparentColor : -1;
}

ResultFile EncodeResult(const ConversionOptions &options,
    const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    const std::vector<std::uint8_t> &table)
{
    const std::int32_t transparent = TransparentIndexInUse(options);
    ResultFile result;
    switch (options.outputFormat) {
    case OutputFormat::Bmp:
        Fail(kInvalidArgument);
    case OutputFormat::Png:
        result.bytes = EncodeIndexedPng(indices, width, height, table, transparent);
        if (options.offsets != OffsetMode::None) {
            result.offsets = OffsetsOf(options, indices, width, height, transparent);
            result.bytes = WithGrabChunk(result.bytes, *result.offsets);
        }
        break;
    case OutputFormat::DoomPicture:
        result.offsets = OffsetsOf(options, indices, width, height, transparent);
        result.bytes = EncodeDoomPicture(indices, width, height, transparent, *result.offsets);
        break;
    case OutputFormat::DoomFlat:
        if (!IsDoomFlatSize(width, height)) {
            result.refusal = "comes out " + std::to_string(width) + " x " + std::to_string(height)
                + ", which no Doom flat can be: a flat is a square of 64 (source ports also read "
                  "8, 16, 32, 128 and 256).";
            break;
        }
        result.bytes = EncodeDoomFlat(indices, width, height);
        break;
    case OutputFormat::QuakePicture:
        result.bytes = EncodeQuakePicture(indices, width, height, transparent);
        break;
    case OutputFormat::Pcx:
        result.bytes = EncodePcx(indices, width, height, table);
        break;
    }
    return result;
}

} // namespace qv
