#include "palette/color_matching.h"

#include "common/report_error.h"
#include "common/row_stride.h"
#include "palette/palette_store.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <new>
#include <utility>

namespace qv {
namespace {

// Larger than any distance (3 x 65535), so the first usable entry always becomes the best.
constexpr int kFarther = 196605;

// How many pixels of a row starting at rowStart have their three colour bytes in the data.
std::int32_t CompletePixels(
    std::size_t size, std::size_t rowStart, std::int32_t width, std::int32_t bytesPerPixel)
{
    if (rowStart + 3 > size) {
        return 0;
    }
    const std::size_t whole = (size - rowStart - 3) / static_cast<std::size_t>(bytesPerPixel) + 1;
    return static_cast<std::int32_t>(std::min(whole, static_cast<std::size_t>(width)));
}

// Every byte value with a channel's offset added and clamped to 0..255, one table per channel:
// looking a value up is cheaper than clamping it for every pixel.
using BrightnessTable = std::array<std::uint8_t, 256>;

std::array<BrightnessTable, 3> BrightnessTables(const std::array<std::int32_t, 3> &offsets)
{
    std::array<BrightnessTable, 3> tables {};
    for (std::size_t k = 0; k < tables.size(); ++k) {
        for (std::size_t value = 0; value < 256; ++value) {
            tables[k][value] = static_cast<std::uint8_t>(
                std::clamp<std::int64_t>(static_cast<std::int64_t>(value) + offsets[k], 0, 255));
        }
    }
    return tables;
}

// The row's colours with the brightness offsets added, three bytes a pixel.
void BrightenRow(const std::array<BrightnessTable, 3> &brighten,
    const std::uint8_t *row,
    std::size_t step,
    std::size_t count,
    std::uint8_t *to)
{
    for (std::size_t x = 0; x < count; ++x, row += step, to += 3) {
        to[0] = brighten[0][row[0]];
        to[1] = brighten[1][row[1]];
        to[2] = brighten[2][row[2]];
    }
}

} // namespace

int ColorDistance(std::uint8_t blue, std::uint8_t green, std::uint8_t red, const MatchColor &c)
{
    const int dr = red - c.red;
    const int dg = green - c.green;
    const int db = blue - c.blue;
    return dr * dr + dg * dg + db * db;
}

int FindNearestColorPlain(const std::array<MatchColor, 256> &colors,
    const std::array<bool, 256> &usable,
    std::uint8_t blue,
    std::uint8_t green,
    std::uint8_t red)
{
    int best = kFarther;
    int answer = 0;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (!usable[i]) {
            continue;
        }
        const int distance = ColorDistance(blue, green, red, colors[i]);
        if (distance < best) {
            best = distance;
            answer = static_cast<int>(i);
        }
    }
    return answer;
}

void ConvertTo8BitBMP(DialogService &dialogs,
    PaletteStore &store,
    const SkipSet &skip,
    std::vector<std::uint8_t> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::int16_t depth,
    const std::array<std::int32_t, 3> &offsets)
{
    if (depth != 24 && depth != 32) {
        return;
    }
    try {
        if (width < 0 || height < 0) {
            Fail(kInvalidArgument);
        }
        store.EnsureSnapshot(skip);
        const std::int32_t bytesPerPixel = depth / 8;
        const std::int32_t inputRow = RowStride(width, depth);
        const std::int32_t outputRow = RowStride(width, 8);
        CheckedMul(inputRow, height); // every input offset below then fits
        std::vector<std::uint8_t> output(
            CheckedCast<std::size_t>(CheckedMul(outputRow, height)), 0);
        const std::vector<std::uint8_t> input = std::exchange(pixels, std::move(output));

        const std::array<BrightnessTable, 3> brighten = BrightnessTables(offsets);
        const bool brightened = offsets != std::array<std::int32_t, 3> {};
        std::vector<std::uint8_t> scratch(
            brightened ? CheckedCast<std::size_t>(CheckedMul(width, 3)) : 0);
        for (std::int32_t y = 0; y < height; ++y) {
            const auto rowStart = static_cast<std::size_t>(y * inputRow);
            const std::int32_t complete =
                CompletePixels(input.size(), rowStart, width, bytesPerPixel);
            const auto count = static_cast<std::size_t>(complete);
            const std::uint8_t *row = input.data() + rowStart;
            auto step = static_cast<std::size_t>(bytesPerPixel);
            if (brightened) {
                BrightenRow(brighten, row, step, count, scratch.data());
                row = scratch.data();
                step = 3;
            }
            std::uint8_t *out = pixels.data() + static_cast<std::size_t>(y * outputRow);
            store.FindNearestColors(row, step, count, out);
            if (complete < width) {
                Fail(kSubscriptOutOfRange); // the pixels converted so far stay
            }
        }
    } catch (const Failure &failure) {
        ReportError(dialogs, "ConvertTo8BitBMP", failure);
    } catch (const std::bad_alloc &) {
        ReportError(
            dialogs, "ConvertTo8BitBMP", Failure(kOutOfMemory, FailureDescription(kOutOfMemory)));
    }
}

} // namespace qv
