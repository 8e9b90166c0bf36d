#pragma once

#include <cstdint>

#include <QWidget>

class QToolButton;

namespace qv {

// A vertical scroll bar too short for a track: just an up and a down arrow beside a label that
// shows its value. Min may be greater than Max; the upper arrow always moves the value towards
// Min, so a bar with Min 512 and Max 32 counts up with the upper arrow. Values are 16-bit.
class ArrowScrollBar : public QWidget
{
    Q_OBJECT

public:
    explicit ArrowScrollBar(QWidget *parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    int SmallChange() const { return smallChange_; }
    int LargeChange() const { return largeChange_; }

    // A bound outside 16 bits is failure 380. A value outside the new span is pulled to its
    // nearest end, which counts as a change of the value.
    void SetMin(int min);
    void SetMax(int max);
    // The same value again changes nothing and raises nothing; another value inside the span
    // raises Change once; a value outside the span is failure 380 and changes nothing.
    void SetValue(int value);
    void SetSmallChange(int step);
    void SetLargeChange(int step);

    // What a press on the upper or lower arrow does: one small step towards Min or towards Max,
    // stopping at the end of the span.
    void UpArrowClick();
    void DownArrowClick();

    QToolButton *UpArrow() const { return up_; }
    QToolButton *DownArrow() const { return down_; }

signals:
    void Change();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Moves the value by step towards target, never past it.
    void StepTowards(int target, int step);
    void ClampIntoSpan();

    QToolButton *up_ = nullptr;
    QToolButton *down_ = nullptr;
    int min_ = 0;
    int max_ = 32767;
    int value_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
};

} // namespace qv
