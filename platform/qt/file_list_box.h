#pragma once

#include <string>
#include <vector>

#include <QListWidget>

namespace qv {

// The names of the files of one folder, as the program lists them, several selectable at once
// (click, Shift-click, Ctrl-click). Click is raised after every user change of the selection or
// the current entry, and also when the program sets an entry's selected flag, so one handler
// serves both.
class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit FileListBox(QWidget *parent = nullptr);

    const std::string &Path() const { return path_; }
    // Shows these names of that folder; the selection and the current entry are lost, and
    // nothing is raised.
    void SetEntries(const std::string &folder, const std::vector<std::string> &names);

    int ListCount() const { return count(); }
    // The name of entry i; an index outside the list is failure 9.
    std::string List(int i) const;
    bool Selected(int i) const;
    // Raises Click, as a user's click does; selecting an entry also makes it the current one.
    void SetSelected(int i, bool selected);
    // The current entry, -1 when there is none.
    int ListIndex() const { return currentRow(); }
    // Makes entry i (-1: none) the current one, leaving every selected flag as it is and
    // raising nothing.
    void SetCurrentRow(int i);
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
};

} // namespace qv
