#include "platform/win32/arrow_scroll_bar.h"

#include "platform/failure.h"
#include "platform/win32/window_class.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qv::win32 {
namespace {

void RequireSixteenBit(int value)
{
    if (value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max()) {
        Fail(kInvalidPropertyValue);
    }
}

} // namespace

ArrowScrollBar::ArrowScrollBar(HWND parent, int id)
    : window_(CreateControl(parent, WC_SCROLLBARW, L"", WS_TABSTOP | WS_GROUP | SBS_VERT, id))
{
    // The system's own range only keeps both arrows enabled; the value lives here.
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = 2;
    info.nPage = 1;
    info.nPos = 1;
    SetScrollInfo(window_, SB_CTL, &info, FALSE);
}

void ArrowScrollBar::SetRange(int min, int max, int value, bool quietly)
{
    RequireSixteenBit(min);
    RequireSixteenBit(max);
    if (value < std::min(min, max) || value > std::max(min, max)) {
        Fail(kInvalidPropertyValue);
    }
    min_ = min;
    max_ = max;
    SetValue(value, quietly);
}

void ArrowScrollBar::SetValue(int value, bool quietly)
{
    if (value < std::min(min_, max_) || value > std::max(min_, max_)) {
        Fail(kInvalidPropertyValue);
    }
    if (value == value_) {
        return;
    }
    value_ = value;
    if (!quietly && change_) {
        change_();
    }
}

void ArrowScrollBar::SetSteps(int smallChange, int largeChange)
{
    RequireSixteenBit(smallChange);
    RequireSixteenBit(largeChange);
    if (smallChange < 0 || largeChange < 0) {
        Fail(kInvalidPropertyValue);
    }
    smallChange_ = smallChange;
    largeChange_ = largeChange;
}

void ArrowScrollBar::Scroll(int code)
{
    switch (code) {
    case SB_LINEUP:
        StepTowards(min_, smallChange_);
        break;
    case SB_LINEDOWN:
        StepTowards(max_, smallChange_);
        break;
    case SB_PAGEUP:
        StepTowards(min_, largeChange_);
        break;
    case SB_PAGEDOWN:
        StepTowards(max_, largeChange_);
        break;
    default:
        break;
    }
}

void ArrowScrollBar::StepTowards(int target, int step)
{
    // Both operands are 16-bit, so the sum cannot overflow an int.
    const int next =
        target >= value_ ? std::min(value_ + step, target) : std::max(value_ - step, target);
    SetValue(next);
}

} // namespace qv::win32
