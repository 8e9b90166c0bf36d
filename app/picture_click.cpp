#include "app/picture_click.h"

#include "common/numbers.h"
#include "platform/failure.h"

#include <optional>

namespace qv {
namespace {

// The classic run-time number of an integer division by zero.
constexpr std::int32_t kDivisionByZero = 11;

std::int32_t RoundedTwips(double value)
{
    // The screen hands positions over in single precision.
    const std::optional<std::int32_t> rounded = RoundToInt32(static_cast<float>(value));
    if (!rounded) {
        Fail(kOverflow);
    }
    return *rounded;
}

} // namespace

std::int32_t PixelAtTwips(double twips, double twipsPerPixel)
{
    const std::int32_t position = RoundedTwips(twips);
    const std::int32_t perPixel = RoundedTwips(twipsPerPixel);
    if (perPixel == 0) {
        throw Failure(kDivisionByZero, "Division by zero");
    }
    return position / perPixel;
}

} // namespace qv
