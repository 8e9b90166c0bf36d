#pragma once

#include <QImage>
#include <QWidget>

namespace qv {

// Shows one picture, or none. Without stretching the box takes the picture's size, one logical
// pixel per picture pixel; with stretching the picture fills the box. Scaling is always
// nearest-neighbour: the pictures are pixel art and must stay sharp.
class ImageBox : public QWidget
{
    Q_OBJECT

public:
    explicit ImageBox(QWidget *parent = nullptr);

    bool HasPicture() const { return !picture_.isNull(); }
    const QImage &Picture() const { return picture_; }
    void SetPicture(const QImage &picture);
    void ClearPicture();

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    int WidthTwips() const;
    int HeightTwips() const;
    // Twips are rounded to the nearest whole pixel.
    void SetWidthTwips(double twips);
    void SetHeightTwips(double twips);

    // Repaints at once.
    void Redraw() { repaint(); }

    // The part of the parent the picture may be drawn on (in the parent's coordinates), so a
    // picture larger than its frame's interior does not run over the frame; empty: no limit.
    void SetDrawingArea(const QRect &area) { area_ = area; }

signals:
    // A mouse press: the button, the keyboard modifiers and the position in twips from the
    // box's top-left corner.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void FitToPicture();

    QImage picture_;
    bool stretch_ = false;
    QRect area_;
};

} // namespace qv
