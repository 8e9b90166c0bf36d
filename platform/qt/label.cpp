#include "platform/qt/label.h"

#include <QMouseEvent>

namespace qv {

Label::Label(const std::string &caption, QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetCaption(caption);
}

void Label::SetBorder(bool border)
{
    setFrameStyle(border ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    setLineWidth(1);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    // Accepted, so the release comes back here rather than going to the parent.
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit Click();
    }
}

} // namespace qv
