#pragma once

#include <QImage>
#include <QScrollBar>
#include <QWidget>

namespace qv {

// Shows one picture, or none. Without stretching the box takes the picture's size, one logical
// pixel per picture pixel; with stretching the picture fills the box. Zoomed, the box fills its
// drawing area and shows the picture at a whole number of pixels per picture pixel, with scroll
// bars when it is larger than the area. Scaling is always nearest-neighbour: the pictures are
// pixel art and must stay sharp.
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
    void SetDrawingArea(const QRect &area);

    // Screen pixels per picture pixel, 1 or more; 0 shows the picture as described above.
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);
    // The zoomed picture's pixel at the area's top-left corner.
    QPoint ScrollOffset() const;
    QScrollBar &HorizontalBar() { return *horizontal_; }
    QScrollBar &VerticalBar() { return *vertical_; }

signals:
    // A mouse press: the button, the keyboard modifiers and the position in twips from the
    // picture's top-left corner (zoomed: of the whole zoomed picture, the scrolled part included).
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    // The mouse moved to x, y twips, measured as for MouseDown; or it left the box.
    void MouseMove(double x, double y);
    void MouseLeave();
    // The mouse wheel turned with Ctrl held: 1 away from the user, -1 towards.
    void ZoomWheel(int steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FitToPicture();
    // Zoomed: the box on its area, the bars' ranges and places.
    void PlaceBars();
    // The twips of a position in the box, as MouseDown reports them.
    QPointF TwipsAt(QPointF position) const;

    QImage picture_;
    bool stretch_ = false;
    QRect area_;
    int zoom_ = 0;
    QScrollBar *horizontal_;
    QScrollBar *vertical_;
};

} // namespace qv
