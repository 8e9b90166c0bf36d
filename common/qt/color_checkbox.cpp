#include "common/qt/color_checkbox.h"

#include "platform/qt/label.h"
#include "platform/qt/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace qv {
namespace {

// The design place of the mark inside the control, in twips.
constexpr int kMarkLeft = 90;
constexpr int kMarkTop = 0;
constexpr int kMarkWidth = 75;
constexpr int kMarkHeight = 195;
// The side of the in-use square, in pixels, one pixel in from the top-left corner.
constexpr int kUsedSide = 4;

struct Rgb {
    int r;
    int g;
    int b;
};

Rgb ColorToRGB(std::uint32_t color)
{
    return {static_cast<int>(color & 0xFFu),
        static_cast<int>((color >> 8) & 0xFFu),
        static_cast<int>((color >> 16) & 0xFFu)};
}

QColor QtColor(std::uint32_t color)
{
    const Rgb c = ColorToRGB(color);
    return QColor(c.r, c.g, c.b);
}

void Paint(QWidget &widget, QPalette::ColorRole role, std::uint32_t color)
{
    QPalette palette = widget.palette();
    palette.setColor(role, QtColor(color));
    widget.setPalette(palette);
}

} // namespace

ColorCheckbox::ColorCheckbox(QWidget *parent)
    : QWidget(parent)
    , lbl_(new Label(std::string(), this))
{
    setAutoFillBackground(true);
    lbl_->setAutoFillBackground(true);
    lbl_->setAlignment(Qt::AlignCenter);
    lbl_->setGeometry(TwipsRect(kMarkLeft, kMarkTop, kMarkWidth, kMarkHeight));
    // Clicks on the mark count as clicks on the control.
    lbl_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont mark = lbl_->font();
    mark.setPixelSize(9);
    mark.setBold(true);
    lbl_->setFont(mark);
    SetColor(0);
}

ColorCheckbox *ColorCheckbox::CopyOf(const ColorCheckbox &source)
{
    auto *copy = new ColorCheckbox(source.parentWidget());
    copy->resize(source.size());
    copy->setFont(source.font());
    copy->SetColor(source.Color());
    copy->SetValue(source.Value());
    return copy;
}

void ColorCheckbox::SetUsedMark(bool used)
{
    if (used != used_) {
        used_ = used;
        update();
    }
}

void ColorCheckbox::paintEvent(QPaintEvent *)
{
    if (used_) {
        QPainter(this).fillRect(1, 1, kUsedSide, kUsedSide, QtColor(UsedMarkColorFor(color_)));
    }
}

void ColorCheckbox::SetColor(std::uint32_t color)
{
    color_ = color;
    markColor_ = MarkColorFor(color);
    Paint(*lbl_, QPalette::Window, color_);
    Paint(*lbl_, QPalette::WindowText, markColor_);
    Paint(*this, QPalette::Window, color_);
}

void ColorCheckbox::SetValue(std::int32_t value)
{
    if (value == value_) {
        return;
    }
    value_ = value;
    if (value == 0 || value == 2) {
        lbl_->SetCaption(std::string());
    } else if (value == 1) {
        lbl_->SetCaption("X");
        CentreMark();
    }
    emit Change();
}

std::string ColorCheckbox::MarkText() const
{
    return lbl_->Caption();
}

void ColorCheckbox::CentreMark()
{
    const int left = (PixelsToTwips(width()) - PixelsToTwips(lbl_->width())) / 2;
    const int top = (PixelsToTwips(height()) - PixelsToTwips(lbl_->height())) / 2;
    lbl_->move(TwipsPoint(left, top));
}

void ColorCheckbox::mousePressEvent(QMouseEvent *event)
{
    // Accepted, so the release that makes the click comes back here.
    event->accept();
}

void ColorCheckbox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool endsDoubleClick = releaseEndsDoubleClick_;
    releaseEndsDoubleClick_ = false;
    if (event->button() == Qt::LeftButton && !endsDoubleClick
        && rect().contains(event->position().toPoint())) {
        Toggle();
    }
    event->accept();
}

void ColorCheckbox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a quick double-click arrives as a double-click; it still counts.
    if (event->button() == Qt::LeftButton) {
        releaseEndsDoubleClick_ = true;
        Toggle();
    }
    event->accept();
}

} // namespace qv
