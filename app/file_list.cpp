#include "app/file_list.h"

#include "platform/checked.h"
#include "platform/failure.h"
#include "platform/files.h"

namespace qv {

void FileList::SetPath(const std::string &folder)
{
    path_ = folder;
    Refresh();
}

void FileList::Refresh()
{
    names_ = ListFiles(path_, pattern_);
    selected_.assign(names_.size(), false);
    current_ = -1;
}

const std::string &FileList::List(int i) const
{
    return At(names_, i);
}

bool FileList::Selected(int i) const
{
    CheckRange(selected_.size(), i, 1);
    return selected_[static_cast<std::size_t>(i)];
}

void FileList::SetSelected(int i, bool selected)
{
    CheckRange(selected_.size(), i, 1);
    selected_[static_cast<std::size_t>(i)] = selected;
    if (selected) {
        current_ = i;
    }
}

std::string FileList::FileName() const
{
    return current_ >= 0 && current_ < ListCount() ? names_[static_cast<std::size_t>(current_)]
                                                   : std::string();
}

void FileList::SetSelection(const std::vector<bool> &selected, int current)
{
    for (std::size_t i = 0; i < selected_.size(); ++i) {
        selected_[i] = i < selected.size() && selected[i];
    }
    current_ = current >= 0 && current < ListCount() ? current : -1;
}

void FileList::ClearSelection()
{
    selected_.assign(names_.size(), false);
}

void FileList::SetCurrent(int i)
{
    CheckRange(names_.size(), i, 1);
    current_ = i;
}

} // namespace qv
