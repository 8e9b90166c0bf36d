#pragma once

#include "common/mark_color.h"

#include <cstdint>
#include <string>

#include <QWidget>

namespace qv {

class Label;

// A square filled with one colour that the user ticks and unticks by clicking; the tick is an
// "X" in a colour that stands out against the fill. It knows nothing of palettes: the host sets
// Color and Value and listens for Change.
class ColorCheckbox : public QWidget
{
    Q_OBJECT

public:
    explicit ColorCheckbox(QWidget *parent = nullptr);

    // A copy for a control array: same parent, size, font, Value and Color.
    static ColorCheckbox *CopyOf(const ColorCheckbox &source);

    // 0x00BBGGRR, red in the low byte; the top byte is ignored.
    std::uint32_t Color() const { return color_; }
    // Repaints the fill and the mark; never raises Change.
    void SetColor(std::uint32_t color);

    // 0 unticked, 1 ticked, 2 shown like 0; any other value is kept as given.
    std::int32_t Value() const { return value_; }
    // The same value again does nothing; any other value updates the mark and then raises
    // Change once.
    void SetValue(std::int32_t value);

    // The mark as shown: its text and its colour (0x00BBGGRR).
    std::string MarkText() const;
    std::uint32_t MarkColor() const { return markColor_; }
    // The mark label, for placement checks.
    const Label &Mark() const { return *lbl_; }

    // A small square in the top-left corner, in the mark's colour: the entry is in use.
    bool UsedMark() const { return used_; }
    void SetUsedMark(bool used);

signals:
    void Change();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void Toggle() { SetValue(1 - value_); }
    void CentreMark();

    Label *lbl_;
    std::uint32_t color_ = 0;
    std::uint32_t markColor_ = 0;
    std::int32_t value_ = 0;
    bool used_ = false;
    // The release that ends a double-click is not a further click.
    bool releaseEndsDoubleClick_ = false;
};

} // namespace qv
