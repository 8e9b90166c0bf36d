#pragma once

#include "platform/win32/windows_api.h"

#include <functional>
#include <utility>

namespace qv::win32 {

// A vertical scroll bar too short for a track: just an up and a down arrow beside a label that
// shows its value. Min may be greater than Max; the upper arrow always moves the value towards
// Min, so a bar with Min 512 and Max 32 counts up with the upper arrow. Values are 16-bit. With
// the focus, the arrow keys step it by SmallChange and Page Up and Page Down by LargeChange.
class ArrowScrollBar
{
public:
    ArrowScrollBar(HWND parent, int id);
    ArrowScrollBar(const ArrowScrollBar &) = delete;
    ArrowScrollBar &operator=(const ArrowScrollBar &) = delete;

    HWND Handle() const { return window_; }

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    // A bound outside 16 bits or a negative step is failure 380; a value outside the span of
    // Min and Max is failure 380 and changes nothing. The same value again raises nothing;
    // another raises Change once, unless quietly.
    void SetRange(int min, int max, int value, bool quietly = false);
    void SetValue(int value, bool quietly = false);
    void SetSteps(int smallChange, int largeChange);
    void OnChange(std::function<void()> change) { change_ = std::move(change); }

    // What the parent's WM_VSCROLL for this bar does: SB_LINEUP and SB_PAGEUP step towards
    // Min, SB_LINEDOWN and SB_PAGEDOWN towards Max, stopping at the end of the span.
    void Scroll(int code);

private:
    void StepTowards(int target, int step);

    HWND window_ = nullptr;
    int min_ = 0;
    int max_ = 32767;
    int value_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
    std::function<void()> change_;
};

} // namespace qv::win32
