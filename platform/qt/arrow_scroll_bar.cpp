#include "platform/qt/arrow_scroll_bar.h"

#include "platform/failure.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include <QKeyEvent>
#include <QToolButton>

namespace qv {
namespace {

void RequireSixteenBit(int value)
{
    if (value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max()) {
        Fail(kInvalidPropertyValue);
    }
}

QToolButton *MakeArrow(QWidget *parent, Qt::ArrowType arrow)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    // Holding an arrow keeps stepping, as with any scroll bar.
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(60);
    return button;
}

} // namespace

ArrowScrollBar::ArrowScrollBar(QWidget *parent)
    : QWidget(parent)
    , up_(MakeArrow(this, Qt::UpArrow))
    , down_(MakeArrow(this, Qt::DownArrow))
{
    setFocusPolicy(Qt::TabFocus);
    connect(up_, &QToolButton::clicked, this, &ArrowScrollBar::UpArrowClick);
    connect(down_, &QToolButton::clicked, this, &ArrowScrollBar::DownArrowClick);
}

void ArrowScrollBar::SetMin(int min)
{
    RequireSixteenBit(min);
    min_ = min;
    ClampIntoSpan();
}

void ArrowScrollBar::SetMax(int max)
{
    RequireSixteenBit(max);
    max_ = max;
    ClampIntoSpan();
}

void ArrowScrollBar::SetValue(int value)
{
    if (value < std::min(min_, max_) || value > std::max(min_, max_)) {
        Fail(kInvalidPropertyValue);
    }
    if (value == value_) {
        return;
    }
    value_ = value;
    emit Change();
}

void ArrowScrollBar::SetSmallChange(int step)
{
    RequireSixteenBit(step);
    if (step < 0) {
        Fail(kInvalidPropertyValue);
    }
    smallChange_ = step;
}

void ArrowScrollBar::SetLargeChange(int step)
{
    RequireSixteenBit(step);
    if (step < 0) {
        Fail(kInvalidPropertyValue);
    }
    largeChange_ = step;
}

void ArrowScrollBar::UpArrowClick()
{
    StepTowards(min_, smallChange_);
}

void ArrowScrollBar::DownArrowClick()
{
    StepTowards(max_, smallChange_);
}

void ArrowScrollBar::StepTowards(int target, int step)
{
    // Both operands are 16-bit, so the sum cannot overflow an int.
    const int next =
        target >= value_ ? std::min(value_ + step, target) : std::max(value_ - step, target);
    SetValue(next);
}

void ArrowScrollBar::ClampIntoSpan()
{
    const int clamped = std::clamp(value_, std::min(min_, max_), std::max(min_, max_));
    SetValue(clamped);
}

void ArrowScrollBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int upperHeight = height() / 2;
    up_->setGeometry(0, 0, width(), upperHeight);
    down_->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

void ArrowScrollBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        UpArrowClick();
        break;
    case Qt::Key_Down:
        DownArrowClick();
        break;
    case Qt::Key_PageUp:
        StepTowards(min_, largeChange_);
        break;
    case Qt::Key_PageDown:
        StepTowards(max_, largeChange_);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace qv
