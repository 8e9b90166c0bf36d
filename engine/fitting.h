#pragma once

#include "common/conversion_options.h"
#include "engine/reported_failure.h"
#include "platform/dialog_service.h"

#include <cstdint>
#include <optional>
#include <vector>

// Fitting an indexed picture into the output square: placement at the chosen alignment, and
// rescaling the square to the side of the scaling option.
namespace qv {

class PaletteStore;

// The side a scaling option rescales the square to: 64, 128 or 32; 0 for None.
std::int32_t ScaledSide(Scaling scaling);

// The loop counters and offsets that the conversion's failure text reports. The placement updates
// them while it runs, so after a failure they tell how far it got; a counting loop leaves its
// counter one past its last value.
struct PlacementTrace {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t xOff = 0;
    std::int32_t yOff = 0;
};

// Places an indexed picture (stride = width rounded up to 4) on an outW x outH canvas filled with
// transparent. Weighted alignment puts the row (column) where the count of non-255 pixels passes
// half onto the square's middle line, kept inside the square; 255 is fixed there on purpose, it
// does not follow the transparent index. Every pixel is copied, whatever its index. Throws
// qv::Failure on an index outside the picture or an overflow.
std::vector<std::uint8_t> PlaceOnCanvas(const std::vector<std::uint8_t> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::int32_t outW,
    std::int32_t outH,
    VerticalAlignment vertical,
    HorizontalAlignment horizontal,
    std::uint8_t transparent,
    PlacementTrace &trace);

// Rescales the canvas (oldW x oldH, stride oldW) to newW x newH and sets oldW, oldH to the new
// size. Shrinking uses the options' colour matching; growing always samples single pixels. The
// Average modes leave the output transparent index out, read sample colours from the store's
// palette byte table and match the mean with the store's search as the last palette conversion
// left it; if nothing has prepared that search yet, it is prepared here from the options. A
// failure is reported as "ResizeTo", leaves canvas, oldW and oldH as they were, and is returned.
std::optional<ReportedFailure> ResizeTo(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    std::vector<std::uint8_t> &canvas,
    std::int32_t newW,
    std::int32_t newH,
    std::int32_t &oldW,
    std::int32_t &oldH);

} // namespace qv
