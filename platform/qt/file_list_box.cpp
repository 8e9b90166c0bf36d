#include "platform/qt/file_list_box.h"

#include "platform/failure.h"

#include <algorithm>

#include <QMouseEvent>

namespace qv {

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
}

void FileListBox::SetEntries(const std::string &folder, const std::vector<std::string> &names)
{
    path_ = folder;
    // Clearing emits selection signals; they are not user clicks, so nothing is raised.
    clear();
    for (const std::string &name : names) {
        addItem(QString::fromStdString(name));
    }
    setCurrentRow(-1);
}

void FileListBox::SetCurrentRow(int i)
{
    setCurrentRow(i, QItemSelectionModel::NoUpdate);
}

QListWidgetItem *FileListBox::ItemAt(int i) const
{
    QListWidgetItem *entry = i >= 0 && i < count() ? item(i) : nullptr;
    if (entry == nullptr) {
        Fail(kSubscriptOutOfRange);
    }
    return entry;
}

std::string FileListBox::List(int i) const
{
    return ItemAt(i)->text().toStdString();
}

bool FileListBox::Selected(int i) const
{
    return ItemAt(i)->isSelected();
}

void FileListBox::SetSelected(int i, bool selected)
{
    QListWidgetItem *entry = ItemAt(i);
    entry->setSelected(selected);
    if (selected) {
        setCurrentItem(entry, QItemSelectionModel::NoUpdate);
    }
    emit Click();
}

std::string FileListBox::FileName() const
{
    const QListWidgetItem *entry = currentItem();
    return entry != nullptr ? entry->text().toStdString() : std::string();
}

FileListBox::Snapshot FileListBox::Take() const
{
    Snapshot snapshot {currentRow(), selectionModel()->selectedIndexes()};
    std::sort(snapshot.selected.begin(), snapshot.selected.end());
    return snapshot;
}

void FileListBox::ClickIfChanged(const Snapshot &before)
{
    const Snapshot after = Take();
    if (after.current != before.current || after.selected != before.selected) {
        emit Click();
    }
}

void FileListBox::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    // A press on an entry is a click even when it leaves the selection as it was.
    if (indexAt(event->position().toPoint()).isValid()) {
        emit Click();
    }
}

void FileListBox::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging with the button down extends the selection.
    const Snapshot before = Take();
    QListWidget::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton) {
        ClickIfChanged(before);
    }
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    const Snapshot before = Take();
    QListWidget::keyPressEvent(event);
    ClickIfChanged(before);
}

} // namespace qv
