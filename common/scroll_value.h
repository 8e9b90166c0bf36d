#pragma once

namespace qv {

// The Min, Max and Value of a scroll bar. Min may be greater than Max (a bar that counts up
// towards its top end). Values and bounds are 16-bit; a bound outside that is failure 380, and
// so is a value outside the span. Each setter says whether Value changed: that is the bar's
// Change event, which its owner raises.
class ScrollValue
{
public:
    ScrollValue(int min, int max, int value);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }

    // A value outside the new span is pulled to its nearest end, which counts as a change.
    bool SetMin(int min);
    bool SetMax(int max);
    // The same value again is no change.
    bool SetValue(int value);

private:
    bool ClampIntoSpan();

    int min_;
    int max_;
    int value_;
};

} // namespace qv
