#include "engine/fitting.h"

#include "common/report_error.h"
#include "common/row_stride.h"
#include "palette/convert_palette.h"
#include "palette/palette_store.h"
#include "platform/checked.h"

#include <cmath>
#include <new>

namespace qv {
namespace {

// Both alignment menus in one set of terms: towards the top or left, the middle, the bottom or
// right, and Weighted.
enum class Alignment { Start, Center, End, Weighted };

// Offset of a Weighted axis: the first line at which the running count passes half goes onto the
// line just above the middle of the square. x holds the line, y the running sum, as they run.
std::int32_t WeightedOffset(const std::vector<std::int32_t> &counts,
    std::int32_t half,
    std::int32_t side,
    PlacementTrace &trace)
{
    const auto lines = static_cast<std::int32_t>(counts.size());
    trace.y = 0;
    for (trace.x = 0; trace.x < lines; ++trace.x) {
        trace.y = CheckedAdd(trace.y, At(counts, trace.x));
        if (trace.y > half) {
            return CheckedSub(CheckedSub(side / 2, trace.x), 1);
        }
    }
    return 0;
}

std::int32_t AxisOffset(Alignment alignment,
    std::int32_t side,
    std::int32_t size,
    const std::vector<std::int32_t> &counts,
    std::int32_t half,
    PlacementTrace &trace)
{
    const std::int32_t room = CheckedSub(side, size);
    switch (alignment) {
    case Alignment::Center:
        return room / 2;
    case Alignment::End:
        return room;
    case Alignment::Weighted: {
        const std::int32_t offset = WeightedOffset(counts, half, side, trace);
        if (offset > room) {
            return room;
        }
        return offset < 0 ? 0 : offset;
    }
    case Alignment::Start:
        break;
    }
    return 0;
}

// The running sums of one Average block.
struct BlockSum {
    std::int32_t blue = 0;
    std::int32_t green = 0;
    std::int32_t red = 0;
    std::int32_t count = 0;

    void Add(const std::vector<std::uint8_t> &table, std::uint8_t index)
    {
        const std::int32_t at = 4 * index;
        blue = CheckedAdd<std::int32_t>(blue, At(table, at));
        green = CheckedAdd<std::int32_t>(green, At(table, at + 1));
        red = CheckedAdd<std::int32_t>(red, At(table, at + 2));
        ++count;
    }

    std::uint8_t Mean(std::int32_t sum) const
    {
        return static_cast<std::uint8_t>(std::floor(static_cast<double>(sum) / count));
    }
};

// The floor of a product of the scale ratio, computed in floating point as the sampling rules say.
std::int32_t FloorOf(double value)
{
    return CheckedCast<std::int32_t>(static_cast<std::int64_t>(std::floor(value)));
}

std::int32_t FloorTimes(float ratio, std::int32_t n)
{
    return FloorOf(double(ratio) * n);
}

std::vector<std::uint8_t> Rescale(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    const std::vector<std::uint8_t> &old,
    std::int32_t newW,
    std::int32_t newH,
    std::int32_t oldW)
{
    if (newW < 1 || newH < 1 || oldW < 1) {
        Fail(kInvalidArgument);
    }
    const float ratio = static_cast<float>(oldW) / static_cast<float>(newW);
    std::vector<std::uint8_t> result(CheckedCast<std::size_t>(CheckedMul(newW, newH)));
    const ColorMatching mode = ratio >= 1.0F ? options.colorMatching : ColorMatching::Pixel;
    const std::uint8_t transparent = options.outputTransparentColor;

    const bool averaging = mode != ColorMatching::Pixel;
    if (averaging) {
        EnsureMatchingPrepared(dialogs, store, options);
    }
    const std::vector<std::uint8_t> &table = store.PaletteTable();
    const std::int32_t whole = FloorTimes(ratio, 1);
    const std::int32_t columnSpan = FloorTimes(ratio, oldW);

    for (std::int32_t i = 0; i < newH; ++i) {
        const std::int32_t top = FloorTimes(ratio, i);
        for (std::int32_t j = 0; j < newW; ++j) {
            const std::int32_t left = FloorTimes(ratio, j);
            const std::int32_t start = CheckedAdd(CheckedMul(top, oldW), left);
            std::uint8_t &out = At(result, newW * i + j);
            if (!averaging) {
                out = At(old, start);
                continue;
            }
            BlockSum sum;
            auto sample = [&](std::int32_t index) {
                const std::uint8_t k = At(old, index);
                if (k != transparent) {
                    sum.Add(table, k);
                }
            };
            if (mode == ColorMatching::AverageRow) {
                for (std::int32_t k = 0; k < whole; ++k) {
                    sample(CheckedAdd(start, k));
                }
            } else if (mode == ColorMatching::AverageColumn) {
                const std::int32_t last = CheckedSub(CheckedAdd(start, columnSpan), 1);
                for (std::int32_t index = start; index <= last; index = CheckedAdd(index, oldW)) {
                    sample(index);
                }
            } else {
                const std::int32_t bottom = FloorOf(double(ratio) * i + double(ratio));
                const std::int32_t right = FloorOf(double(ratio) * j + double(ratio));
                for (std::int32_t row = top; row < bottom; ++row) {
                    for (std::int32_t column = left; column < right; ++column) {
                        sample(CheckedAdd(CheckedMul(row, oldW), column));
                    }
                }
            }
            out = sum.count == 0 ? transparent
                                 : static_cast<std::uint8_t>(store.FindNearestColor(
                                     sum.Mean(sum.blue), sum.Mean(sum.green), sum.Mean(sum.red)));
        }
    }
    return result;
}

} // namespace

std::int32_t ScaledSide(Scaling scaling)
{
    switch (scaling) {
    case Scaling::Square64:
        return 64;
    case Scaling::Square128:
        return 128;
    case Scaling::Square32:
        return 32;
    case Scaling::None:
        break;
    }
    return 0;
}

std::vector<std::uint8_t> PlaceOnCanvas(const std::vector<std::uint8_t> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::int32_t outW,
    std::int32_t outH,
    VerticalAlignment vertical,
    HorizontalAlignment horizontal,
    std::uint8_t transparent,
    PlacementTrace &trace)
{
    if (width < 1 || height < 1 || outW < 1 || outH < 1) {
        Fail(kInvalidArgument);
    }
    const std::int32_t stride = RowStride(width, 8);
    const std::int32_t area = CheckedMul(outW, outH);
    std::vector<std::uint8_t> canvas(static_cast<std::size_t>(area), transparent);
    trace.x = area;

    std::vector<std::int32_t> columnCounts;
    std::vector<std::int32_t> rowCounts;
    std::int32_t half = 0;
    const auto verticalAxis = static_cast<Alignment>(vertical);
    const auto horizontalAxis = static_cast<Alignment>(horizontal);
    if (verticalAxis == Alignment::Weighted || horizontalAxis == Alignment::Weighted) {
        columnCounts.assign(static_cast<std::size_t>(width), 0);
        rowCounts.assign(static_cast<std::size_t>(height), 0);
        std::int32_t total = 0;
        for (trace.x = 0; trace.x < width; ++trace.x) {
            for (trace.y = 0; trace.y < height; ++trace.y) {
                if (At(pixels, CheckedAdd(CheckedMul(trace.y, stride), trace.x)) != 255) {
                    ++total;
                    ++At(columnCounts, trace.x);
                    ++At(rowCounts, trace.y);
                }
            }
        }
        half = total / 2;
    }

    trace.yOff = AxisOffset(verticalAxis, outH, height, rowCounts, half, trace);
    trace.xOff = AxisOffset(horizontalAxis, outW, width, columnCounts, half, trace);

    const std::int32_t xEnd = CheckedAdd(trace.xOff, width);
    const std::int32_t yEnd = CheckedAdd(trace.yOff, height);
    for (trace.x = trace.xOff; trace.x < xEnd; ++trace.x) {
        for (trace.y = trace.yOff; trace.y < yEnd; ++trace.y) {
            const std::int32_t from =
                CheckedAdd(CheckedMul(trace.y - trace.yOff, stride), trace.x - trace.xOff);
            const std::int32_t to = CheckedAdd(CheckedMul(trace.y, outW), trace.x);
            At(canvas, to) = At(pixels, from);
        }
    }
    return canvas;
}

std::optional<ReportedFailure> ResizeTo(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    std::vector<std::uint8_t> &canvas,
    std::int32_t newW,
    std::int32_t newH,
    std::int32_t &oldW,
    std::int32_t &oldH)
{
    if (newH == oldH && oldW == newW) {
        return std::nullopt;
    }
    std::optional<Failure> failed;
    try {
        std::vector<std::uint8_t> result =
            Rescale(dialogs, store, options, canvas, newW, newH, oldW);
        canvas = std::move(result);
        oldW = newW;
        oldH = newH;
        return std::nullopt;
    } catch (const Failure &failure) {
        failed = failure;
    } catch (const std::bad_alloc &) {
        failed = Failure(kOutOfMemory, FailureDescription(kOutOfMemory));
    }
    ReportError(dialogs, "ResizeTo", *failed);
    return ReportedFailure::Of("ResizeTo", *failed);
}

} // namespace qv
