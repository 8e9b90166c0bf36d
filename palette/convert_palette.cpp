#include "palette/convert_palette.h"

#include "common/numbers.h"
#include "common/report_error.h"
#include "common/row_stride.h"
#include "palette/color_matching.h"
#include "palette/dither.h"
#include "palette/palette_store.h"
#include "platform/checked.h"

#include <algorithm>
#include <future>
#include <new>
#include <optional>
#include <system_error>

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

// The colours of a picture after brightness, pixel by pixel without row padding, each marked
// transparent as the conversion treats it.
std::vector<DitherPixel> PixelColors(PaletteStore &store,
    const ConversionOptions &options,
    const std::vector<std::uint8_t> &pixels,
    const std::vector<std::uint8_t> &palette,
    const std::array<std::int32_t, 3> &offsets,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth)
{
    const std::int32_t bytesPerPixel = depth / 8;
    const std::int32_t stride = RowStride(width, depth);
    const std::int32_t transparent = options.applyTransparency ? options.inputTransparentColor : -1;
    // A deeper pixel is transparent when its match is that entry; a skipped entry is no match
    // unless nothing at all is usable (the search then answers 0).
    const auto &usable = store.UsableColors();
    const bool matchable = transparent >= 0 && transparent <= 255
        && (usable[static_cast<std::size_t>(transparent)]
            || std::none_of(usable.begin(), usable.end(), [](bool u) { return u; }));
    std::vector<DitherPixel> colors(CheckedCast<std::size_t>(CheckedMul(width, height)));
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t at = CheckedAdd(CheckedMul(y, stride), x * bytesPerPixel);
            DitherPixel &px = colors[static_cast<std::size_t>(y * width + x)];
            std::int32_t from = at;
            const std::vector<std::uint8_t> *source = &pixels;
            if (depth == 8) {
                px.transparent = At(pixels, at) == transparent;
                if (px.transparent) {
                    continue;
                }
                from = 4 * At(pixels, at);
                source = &palette;
            }
            px.blue = Brightened(At(*source, from), offsets[0]);
            px.green = Brightened(At(*source, from + 1), offsets[1]);
            px.red = Brightened(At(*source, from + 2), offsets[2]);
            if (depth != 8 && matchable) {
                px.transparent = store.FindNearestColor(px.blue, px.green, px.red) == transparent;
            }
        }
    }
    return colors;
}

MappingReport ReportOfRange(const PaletteStore &store,
    PairDifferences &known,
    const std::vector<DitherPixel> &colors,
    const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::size_t begin,
    std::size_t end)
{
    MappingReportBuilder builder(known);
    const std::int32_t stride = RowStride(width, 8);
    const auto output = [&](std::size_t p) -> const MatchColor & {
        const auto y = static_cast<std::int32_t>(p) / width;
        const auto x = static_cast<std::int32_t>(p) % width;
        return store.MatchColors()[At(indices, y * stride + x)];
    };
    // A picture of many colours reads its kept differences all over: asking for the pair 256
    // pixels ahead overlaps those waits (on a 512 x 512 picture of noise, warm: 31 ms with no
    // kept pairs, 13 ms asking 16 ahead, 9 to 10 ms asking 128 to 512 ahead).
    constexpr std::size_t kAhead = 256;
    for (std::size_t p = begin; p < end; ++p) {
        if (p + kAhead < end) {
            const DitherPixel &next = colors[p + kAhead];
            builder.Prefetch(next.red, next.green, next.blue, output(p + kAhead));
        }
        const DitherPixel &px = colors[p];
        if (!px.transparent) {
            builder.Add(px.red, px.green, px.blue, output(p));
        }
    }
    return builder.Report();
}

MappingReport ReportOf(const PaletteStore &store,
    std::array<PairDifferences, 2> &known,
    const std::vector<DitherPixel> &colors,
    const std::vector<std::uint8_t> &indices,
    std::int32_t width)
{
    // A picture of many colours measures a CIEDE2000 difference for nearly every new pair of
    // colours, about 200 ns each: a large one is measured in two halves at once, always the same
    // two halves, added first to second, so the figures do not depend on the machine. Each half
    // keeps its pairs apart, so the two never write to one table.
    constexpr std::size_t kHalvedFrom = std::size_t {1} << 16;
    if (colors.size() < kHalvedFrom) {
        return ReportOfRange(store, known[0], colors, indices, width, 0, colors.size());
    }
    const std::size_t half = colors.size() / 2;
    const auto firstHalf = [&] {
        return ReportOfRange(store, known[0], colors, indices, width, 0, half);
    };
    std::future<MappingReport> first;
    try {
        first = std::async(std::launch::async, firstHalf);
    } catch (const std::system_error &) {
        first = std::async(std::launch::deferred, firstHalf); // no thread to be had: in turn
    }
    const MappingReport second =
        ReportOfRange(store, known[1], colors, indices, width, half, colors.size());
    MappingReport report = first.get();
    report.Merge(second);
    return report;
}

// The report and what it is made of, each where asked for.
void Measure(PaletteStore &store,
    std::vector<DitherPixel> &colors,
    const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    MappingReport *report,
    MappedPixels *mapped)
{
    if (report != nullptr) {
        *report = ReportOf(store, store.PairDifferencesKept(), colors, indices, width);
    }
    if (mapped != nullptr) {
        const auto w = static_cast<std::size_t>(width);
        const auto stride = static_cast<std::size_t>(RowStride(width, 8));
        mapped->width = width;
        mapped->height = static_cast<std::int32_t>(w == 0 ? 0 : colors.size() / w);
        mapped->indices.resize(colors.size());
        for (std::size_t p = 0; p < colors.size(); ++p) {
            mapped->indices[p] = At(indices, p / w * stride + p % w);
        }
        mapped->entries = store.MatchColors();
        mapped->colors = std::move(colors);
    }
}

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
    std::int16_t depth,
    MappingReport *report,
    const std::vector<bool> *keyed,
    MappedPixels *mapped)
{
    try {
        const std::array<std::int32_t, 3> offsets = {BrightnessOffset(brightness[0]),
            BrightnessOffset(brightness[1]),
            BrightnessOffset(brightness[2])};
        store.BuildMatchTable(dialogs, options.palette);
        store.TakeSnapshot(options.skip);
        store.SetDistanceMeasure(options.distance);
        const bool indexed = depth == 8 || depth == 24 || depth == 32;
        // Dithering at no strength is no dithering: the same bytes by the same path.
        const Dithering dithering =
            options.ditherStrength > 0 ? options.dithering : Dithering::None;
        std::vector<DitherPixel> colors;
        const bool measured = report != nullptr || mapped != nullptr;
        if (indexed && (measured || dithering != Dithering::None)) {
            colors = PixelColors(store, options, pixels, palette, offsets, width, height, depth);
            if (keyed != nullptr && !keyed->empty()) {
                const auto stride = static_cast<std::size_t>(RowStride(width, 8));
                const auto w = static_cast<std::size_t>(width);
                CheckRange(keyed->size(), std::size_t {0}, stride * (colors.size() / w));
                for (std::size_t p = 0; p < colors.size(); ++p) {
                    colors[p].transparent =
                        colors[p].transparent || (*keyed)[p / w * stride + p % w];
                }
            }
        }
        if (indexed && dithering != Dithering::None) {
            const DitherSettings dither {
                dithering, options.ditherStrength, options.keepExactColors};
            const std::vector<std::uint8_t> dithered = DitherToPalette(
                store, dither, colors, width, height, options.outputTransparentColor);
            const std::int32_t stride = RowStride(width, 8);
            pixels.assign(CheckedCast<std::size_t>(CheckedMul(stride, height)), 0);
            for (std::int32_t y = 0; y < height; ++y) {
                std::copy_n(dithered.begin() + y * width, width, pixels.begin() + y * stride);
            }
            Measure(store, colors, pixels, width, report, mapped);
            return true;
        }
        // -1 equals no byte: without Apply Transparency nothing is replaced.
        std::int32_t inputTransparent = -1;
        std::uint8_t outputTransparent = 0;
        if (options.applyTransparency) {
            inputTransparent = options.inputTransparentColor;
            outputTransparent = options.outputTransparentColor;
        }
        // Each byte is replaced where it lies: the input transparent index by the output's, an
        // 8-bit picture's other indices by the entries nearest to their colours.
        if (depth == 8) {
            IndexMap map(store, palette, offsets);
            for (std::uint8_t &b : pixels) {
                b = b == inputTransparent ? outputTransparent : map(b);
            }
        } else {
            ConvertTo8BitBMP(dialogs, store, options.skip, pixels, width, height, depth, offsets);
            // A colour outside 0..255 is no index: as a byte it would name another entry.
            if (inputTransparent >= 0 && inputTransparent <= 255) {
                std::replace(pixels.begin(),
                    pixels.end(),
                    static_cast<std::uint8_t>(inputTransparent),
                    outputTransparent);
            }
        }
        if (indexed) {
            Measure(store, colors, pixels, width, report, mapped);
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
    store.SetDistanceMeasure(options.distance);
}

} // namespace qv
