#pragma once

#include "common/conversion_options.h"
#include "palette/mapped_pixels.h"
#include "palette/mapping_report.h"
#include "platform/dialog_service.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

class PaletteStore;

// Brightness percentages (-100..100) as offsets added to colour components: brightness / 100 x
// 255, halves to the even neighbour (+30 -> 76, +50 -> 128, -10 -> -26, +100 -> 255).
std::int32_t BrightnessOffset(std::int32_t brightness);

// Brings a loaded picture onto the target palette. The options give the palette, the skip set and
// the transparency; brightness (blue, green, red, -100..100) is given apart. The target palette
// is loaded again and the skip snapshot retaken, then an 8-bit picture is remapped through its own
// colour table (brightened, matched) and a 24- or 32-bit one matched pixel by pixel. With Apply
// Transparency on, bytes equal to the input transparent colour become the output transparent index
// without matching, so that index survives even though it is skipped. On success pixels holds an
// indexed picture (stride = width rounded up to 4) and the store's palette byte table the target
// palette. brightness is blue, green, red. Matching uses the options' distance measure; with
// dithering every pixel that is not transparent is dithered (an 8-bit one through its own table's
// colour), a deeper pixel counting as transparent when its undithered match is the input
// transparent colour. When report is given it receives the mapping report of the picture. A
// failure is reported as "ConvertPalette" and gives false; pixels then hold a partial result.
// keyed, when given, flags pixels (one per byte of the indexed rows) that the caller makes
// transparent afterwards: the dithering and the report treat them as transparent pixels.
// mapped, when given, receives what the report is made of (palette/mapped_pixels.h).
bool ConvertPalette(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    std::vector<std::uint8_t> &pixels,
    const std::vector<std::uint8_t> &palette,
    const std::array<std::int32_t, 3> &brightness,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth,
    MappingReport *report = nullptr,
    const std::vector<bool> *keyed = nullptr,
    MappedPixels *mapped = nullptr);

// Prepares the nearest-colour search as a palette conversion would (the target palette's match
// table, a skip snapshot) when nothing has prepared it yet in this store, for matching outside a
// conversion. What an earlier conversion prepared stays, even when the options now choose
// another palette or skip set. The palette byte table is kept: it may hold the picture's own
// colours.
void EnsureMatchingPrepared(
    DialogService &dialogs, PaletteStore &store, const ConversionOptions &options);

} // namespace qv
