#pragma once

#include <string>

#include <QLabel>

namespace qv {

// A plain-text label with a free text tag and a click. The caption is never read as markup:
// it often holds a path.
class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(const std::string &caption = {}, QWidget *parent = nullptr);

    std::string Caption() const { return text().toStdString(); }
    void SetCaption(const std::string &caption) { setText(QString::fromStdString(caption)); }
    const std::string &Tag() const { return tag_; }
    void SetTag(const std::string &tag) { tag_ = tag; }
    std::string ToolTip() const { return toolTip().toStdString(); }
    void SetToolTip(const std::string &tip) { setToolTip(QString::fromStdString(tip)); }
    // A single-line border around the label.
    void SetBorder(bool border);

signals:
    // A press and release of the left button on the label.
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::string tag_;
    bool pressed_ = false;
};

} // namespace qv
