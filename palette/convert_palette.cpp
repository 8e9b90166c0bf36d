#include "palette/convert_palette.h"

#include "common/numbers.h"
#include "common/report_error.h"
#include "palette/color_matching.h"
#include "palette/palette_store.h"
#include "platform/checked.h"

#include <algorithm>
#include <new>
#include <optional>

namespace qv {
namespace {

std::uint8_t Brightened(std::uint8_t component, std::int32_t offset)
{
    return static_cast<std::uint8_t>(std::clamp(component + offset, 0, 255));
}

// Target index of each source index of an 8-bit picture, matched on first use: all pixels of one
// index get the same answer, and a short colour table fails only if a pixel needs what is missing.
class IndexMap
{
public:
    IndexMap(PaletteStore &store,
        const std::vector<std::uint8_t> &palette,
        const std::array<std::int32_t, 3> &offsets)
        : store_(store)
        , palette_(palette)
        , offsets_(offsets)
    { }

    std::uint8_t operator()(std::uint8_t index)
    {
        std::optional<std::uint8_t> &known = known_[index];
        if (!known) {
            const std::int32_t at = 4 * index;
            known = static_cast<std::uint8_t>(
                store_.FindNearestColor(Brightened(At(palette_, at), offsets_[0]),
                    Brightened(At(palette_, at + 1), offsets_[1]),
                    Brightened(At(palette_, at + 2), offsets_[2])));
        }
        return *known;
    }

private:
    PaletteStore &store_;
    const std::vector<std::uint8_t> &palette_;
    const std::array<std::int32_t, 3> &offsets_;
    std::array<std::optional<std::uint8_t>, 256> known_ {};
};

} // namespace

std::int32_t BrightnessOffset(std::int32_t brightness)
{
    const std::optional<std::int32_t> offset =
        RoundToInt32(static_cast<double>(brightness) / 100.0 * 255.0);
    if (!offset) {
        Fail(kOverflow);
    }
    return *offset;
}

bool ConvertPalette(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    std::vector<std::uint8_t> &pixels,
    const std::vector<std::uint8_t> &palette,
    const std::array<std::int32_t, 3> &brightness,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth)
{
    try {
        const std::array<std::int32_t, 3> offsets = {BrightnessOffset(brightness[0]),
            BrightnessOffset(brightness[1]),
            BrightnessOffset(brightness[2])};
        store.BuildMatchTable(dialogs, options.palette);
        store.TakeSnapshot(options.skip);
        if (depth != 8) {
            ConvertTo8BitBMP(dialogs, store, options.skip, pixels, width, height, depth, offsets);
        }
        const std::vector<std::uint8_t> source = std::move(pixels);

        // -1 equals no byte: without Apply Transparency nothing is replaced.
        std::int32_t inputTransparent = -1;
        std::uint8_t outputTransparent = 0;
        if (options.applyTransparency) {
            inputTransparent = options.inputTransparentColor;
            outputTransparent = options.outputTransparentColor;
        }

        pixels.assign(source.size(), 0);
        IndexMap map(store, palette, offsets);
        for (std::size_t p = 0; p < source.size(); ++p) {
            const std::uint8_t b = source[p];
            if (b == inputTransparent) {
                pixels[p] = outputTransparent;
            } else if (depth == 8) {
                pixels[p] = map(b);
            } else {
                pixels[p] = b;
            }
        }
        return true;
    } catch (const Failure &failure) {
        ReportError(dialogs, "ConvertPalette", failure);
    } catch (const std::bad_alloc &) {
        ReportError(
            dialogs, "ConvertPalette", Failure(kOutOfMemory, FailureDescription(kOutOfMemory)));
    }
    return false;
}

void EnsureMatchingPrepared(
    DialogService &dialogs, PaletteStore &store, const ConversionOptions &options)
{
    // Every table of the store is zero until the first load, so an all-zero match table was
    // never built (or was built from an all-black palette, which building again leaves alike).
    const auto &match = store.MatchColors();
    const bool built = std::any_of(
        match.begin(), match.end(), [](const MatchColor &c) { return c != MatchColor {}; });
    if (!built) {
        std::vector<std::uint8_t> table = store.PaletteTable();
        store.BuildMatchTable(dialogs, options.palette);
        store.SetPaletteTable(std::move(table));
    }
    store.EnsureSnapshot(options.skip);
}

} // namespace qv
