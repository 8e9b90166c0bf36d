#pragma once

#include "common/conversion_options.h"
#include "engine/load_refusal.h"
#include "engine/picture_offsets.h"
#include "engine/reported_failure.h"
#include "palette/entry_counts.h"
#include "palette/mapped_pixels.h"
#include "palette/mapping_report.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qv {

// What happened to one file, coarsely: enough for a caller that only counts.
enum class ResizeResult {
    Converted, // the result was written
    Refused, // not taken: refused or unreadable picture, larger than the square, palette failure
    Failed, // stopped by a failure, reported as "ResizeBMP at line 0, ..."
    Previewed, // shown in the preview box
    Skipped, // built, but the sink did not let it be written (a stopped batch); nothing changed
};

// What a conversion did with one picture, as a value. The conversion also shows the window's
// message boxes; every other front end says what happened from these fields alone.
struct ConversionResult {
    enum class Kind {
        Converted, // written to output, outputWidth x outputHeight, with report when measured
        Previewed, // shown in the preview box
        TooLarge, // pictureWidth x pictureHeight does not fit the square of side square
        NeedsPaletteConversion, // bitCount above 8 while Convert Palette stayed off
        NotAPicture, // the loader did not take it: refusal says why
        PaletteFailed, // the palette conversion failed; it reported its failure itself
        FormatRefused, // the output format cannot hold the result: formatRefusal says why
        Failed, // a failure stopped the conversion: failure
        Skipped, // built but not written (a stopped batch): nothing changed
    };
    Kind kind = Kind::Skipped;

    // The picture as loaded last (zero when nothing could be read).
    std::int32_t pictureWidth = 0;
    std::int32_t pictureHeight = 0;
    std::int16_t bitCount = 0;
    // TooLarge: the side of the output square.
    std::int32_t square = 0;
    // Converted: the file written, the sides of the result, and how well its colours were kept.
    std::string output;
    std::int32_t outputWidth = 0;
    std::int32_t outputHeight = 0;
    std::optional<MappingReport> report;
    // Converted and Previewed: the pixels of each palette entry in the result.
    std::optional<EntryCounts> entries;
    // What the palette conversion saw and chose, when the sink asked for it and the picture was
    // brought onto the palette (the difference picture is drawn from it).
    std::shared_ptr<const MappedPixels> mapped;
    // Converted: the format written, and the offsets the file carries, if any.
    OutputFormat format = OutputFormat::Bmp;
    std::optional<PictureOffsets> offsets;
    // FormatRefused: why, to follow the file's name (ResultFile::refusal).
    std::string formatRefusal;
    // NotAPicture: the loader's refusal.
    LoadRefusal refusal;
    // Failed: "ResizeBMP" with the failure.
    ReportedFailure failure;

    // Along the way, whatever the kind. Not 0: a picture of this depth switched Convert Palette
    // on (after its message), for this picture and every later one.
    std::int16_t switchedConvertPaletteAtDepth = 0;
    // The rescaling failed (and reported it); the square was written at its own side.
    std::optional<ReportedFailure> rescaleFailure;

    ResizeResult Status() const;
};

} // namespace qv
