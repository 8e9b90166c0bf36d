#include "common/scroll_value.h"

#include "platform/failure.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qv {
namespace {

void RequireSixteenBit(int value)
{
    if (value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max()) {
        Fail(kInvalidPropertyValue);
    }
}

} // namespace

ScrollValue::ScrollValue(int min, int max, int value)
    : min_(min)
    , max_(max)
    , value_(value)
{
    RequireSixteenBit(min);
    RequireSixteenBit(max);
    if (value < std::min(min, max) || value > std::max(min, max)) {
        Fail(kInvalidPropertyValue);
    }
}

bool ScrollValue::SetMin(int min)
{
    RequireSixteenBit(min);
    min_ = min;
    return ClampIntoSpan();
}

bool ScrollValue::SetMax(int max)
{
    RequireSixteenBit(max);
    max_ = max;
    return ClampIntoSpan();
}

bool ScrollValue::SetValue(int value)
{
    if (value < std::min(min_, max_) || value > std::max(min_, max_)) {
        Fail(kInvalidPropertyValue);
    }
    if (value == value_) {
        return false;
    }
    value_ = value;
    return true;
}

bool ScrollValue::ClampIntoSpan()
{
    return SetValue(std::clamp(value_, std::min(min_, max_), std::max(min_, max_)));
}

} // namespace qv
