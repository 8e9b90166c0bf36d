#pragma once

#include <string>

#include <QListWidget>

namespace qv {

// The names of the files of one folder that match a pattern ("*.bmp", matched and sorted
// case-insensitively, no folders, no hidden files), several selectable at once (click,
// Shift-click, Ctrl-click). Click is raised after every user change of the selection or the
// current entry, and also when the program sets an entry's selected flag, so one handler serves
// both.
class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit FileListBox(QWidget *parent = nullptr);

    const std::string &Path() const { return path_; }
    // Re-reads the folder.
    void SetPath(const std::string &folder);
    const std::string &Pattern() const { return pattern_; }
    void SetPattern(const std::string &pattern);
    // Re-reads the folder; the selection and the current entry are lost.
    void Refresh();

    int ListCount() const { return count(); }
    // The name of entry i; an index outside the list is failure 9.
    std::string List(int i) const;
    bool Selected(int i) const;
    // Raises Click, as a user's click does; selecting an entry also makes it the current one.
    void SetSelected(int i, bool selected);
    // The current entry, -1 when there is none.
    int ListIndex() const { return currentRow(); }
    // The name of the current entry, empty when there is none.
    std::string FileName() const;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Snapshot {
        int current = -1;
        QList<QModelIndex> selected;
    };
    Snapshot Take() const;
    void ClickIfChanged(const Snapshot &before);
    QListWidgetItem *ItemAt(int i) const;

    std::string path_;
    std::string pattern_ = "*.bmp";
};

} // namespace qv
