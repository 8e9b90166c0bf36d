#include "platform/qt/image_box.h"

#include "platform/qt/twips.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

namespace qv {
namespace {

int TwipsToWholePixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

} // namespace

ImageBox::ImageBox(QWidget *parent)
    : QWidget(parent)
{ }

void ImageBox::SetPicture(const QImage &picture)
{
    picture_ = picture;
    FitToPicture();
    update();
}

void ImageBox::ClearPicture()
{
    picture_ = QImage();
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

void ImageBox::FitToPicture()
{
    if (!stretch_ && HasPicture()) {
        resize(picture_.size());
    }
}

void ImageBox::paintEvent(QPaintEvent *)
{
    if (!HasPicture()) {
        return;
    }
    QPainter painter(this);
    if (!area_.isEmpty()) {
        painter.setClipRect(area_.translated(-pos()));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (stretch_) {
        painter.drawImage(rect(), picture_);
    } else {
        painter.drawImage(QPoint(0, 0), picture_);
    }
}

void ImageBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position() * kTwipsPerPixel;
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
    event->accept();
}

} // namespace qv
