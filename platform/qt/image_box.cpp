#include "platform/qt/image_box.h"

#include "platform/qt/twips.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWheelEvent>

namespace qv {
namespace {

int TwipsToWholePixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

} // namespace

ImageBox::ImageBox(QWidget *parent)
    : QWidget(parent)
    , horizontal_(new QScrollBar(Qt::Horizontal, this))
    , vertical_(new QScrollBar(Qt::Vertical, this))
{
    horizontal_->hide();
    vertical_->hide();
    for (QScrollBar *bar : {horizontal_, vertical_}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] { update(); });
    }
    setMouseTracking(true);
}

void ImageBox::SetPicture(const QImage &picture)
{
    picture_ = picture;
    FitToPicture();
    update();
}

void ImageBox::ClearPicture()
{
    picture_ = QImage();
    PlaceBars();
    update();
}

void ImageBox::SetStretch(bool stretch)
{
    stretch_ = stretch;
    FitToPicture();
    update();
}

int ImageBox::WidthTwips() const
{
    return PixelsToTwips(width());
}

int ImageBox::HeightTwips() const
{
    return PixelsToTwips(height());
}

void ImageBox::SetWidthTwips(double twips)
{
    resize(TwipsToWholePixels(twips), height());
}

void ImageBox::SetHeightTwips(double twips)
{
    resize(width(), TwipsToWholePixels(twips));
}

void ImageBox::SetDrawingArea(const QRect &area)
{
    area_ = area;
    FitToPicture();
}

void ImageBox::SetZoom(int zoom)
{
    zoom_ = std::max(zoom, 0);
    if (zoom_ == 0) {
        horizontal_->hide();
        vertical_->hide();
    }
    FitToPicture();
    update();
}

QPoint ImageBox::ScrollOffset() const
{
    return zoom_ == 0 ? QPoint() : QPoint(horizontal_->value(), vertical_->value());
}

void ImageBox::FitToPicture()
{
    if (zoom_ != 0) {
        if (!area_.isEmpty()) {
            setGeometry(area_);
        }
        PlaceBars();
    } else if (!stretch_ && HasPicture()) {
        resize(picture_.size());
    }
}

void ImageBox::PlaceBars()
{
    if (zoom_ == 0) {
        return;
    }
    const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize shown = HasPicture() ? picture_.size() * zoom_ : QSize();
    // A bar takes room from the other direction, which may then need its bar too.
    bool across = shown.width() > width();
    bool down = shown.height() > height() - (across ? thickness : 0);
    across = shown.width() > width() - (down ? thickness : 0);
    const int viewWidth = width() - (down ? thickness : 0);
    const int viewHeight = height() - (across ? thickness : 0);
    horizontal_->setGeometry(0, viewHeight, viewWidth, thickness);
    vertical_->setGeometry(viewWidth, 0, thickness, viewHeight);
    horizontal_->setRange(0, std::max(0, shown.width() - viewWidth));
    vertical_->setRange(0, std::max(0, shown.height() - viewHeight));
    horizontal_->setPageStep(std::max(1, viewWidth));
    vertical_->setPageStep(std::max(1, viewHeight));
    horizontal_->setSingleStep(zoom_ * 4);
    vertical_->setSingleStep(zoom_ * 4);
    horizontal_->setVisible(across);
    vertical_->setVisible(down);
}

void ImageBox::resizeEvent(QResizeEvent *)
{
    PlaceBars();
}

void ImageBox::paintEvent(QPaintEvent *)
{
    if (!HasPicture()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (zoom_ != 0) {
        // Only the picture pixels in view are drawn, each zoom x zoom screen pixels.
        const QPoint offset = ScrollOffset();
        const QRect source =
            QRect(offset.x() / zoom_, offset.y() / zoom_, width() / zoom_ + 2, height() / zoom_ + 2)
                .intersected(picture_.rect());
        painter.drawImage(
            QRect(source.topLeft() * zoom_ - offset, source.size() * zoom_), picture_, source);
        return;
    }
    if (!area_.isEmpty()) {
        painter.setClipRect(area_.translated(-pos()));
    }
    if (stretch_) {
        painter.drawImage(rect(), picture_);
    } else {
        painter.drawImage(QPoint(0, 0), picture_);
    }
}

QPointF ImageBox::TwipsAt(QPointF position) const
{
    return (position + QPointF(ScrollOffset())) * kTwipsPerPixel;
}

void ImageBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = TwipsAt(event->position());
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
    event->accept();
}

void ImageBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = TwipsAt(event->position());
    emit MouseMove(at.x(), at.y());
}

void ImageBox::leaveEvent(QEvent *)
{
    emit MouseLeave();
}

void ImageBox::wheelEvent(QWheelEvent *event)
{
    const int turn = event->angleDelta().y();
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        if (turn != 0) {
            emit ZoomWheel(turn > 0 ? 1 : -1);
        }
        event->accept();
        return;
    }
    if (zoom_ != 0) {
        QScrollBar *bar = event->modifiers().testFlag(Qt::ShiftModifier) ? horizontal_ : vertical_;
        bar->setValue(bar->value() - turn / 120 * bar->singleStep() * 3);
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace qv
