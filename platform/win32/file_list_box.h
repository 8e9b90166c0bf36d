#pragma once

#include "platform/win32/windows_api.h"

#include <string>
#include <vector>

namespace qv::win32 {

// The names of the files of one folder, several selectable at once: a list box with extended
// selection (click, Shift-click, Ctrl-click, Shift with the arrows) and Ctrl+A for all. Its
// parent hears of every change the user makes as LBN_SELCHANGE; what the program sets raises
// nothing.
class FileListBox
{
public:
    FileListBox(HWND parent, int id);
    FileListBox(const FileListBox &) = delete;
    FileListBox &operator=(const FileListBox &) = delete;

    HWND Handle() const { return window_; }

    // Shows these names; nothing is selected and nothing is raised.
    void SetEntries(const std::vector<std::string> &names);
    int ListCount() const;
    // The name of entry i; an index outside the list is failure 9.
    std::string List(int i) const;
    std::vector<bool> Selection() const;
    // The current entry (the one with the focus rectangle), -1 when the list is empty.
    int ListIndex() const;
    // Selects exactly the flagged entries and makes current the current one (-1: leave it),
    // raising nothing.
    void SetSelection(const std::vector<bool> &selected, int current);

private:
    static LRESULT CALLBACK Subclass(
        HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR);

    HWND window_ = nullptr;
};

} // namespace qv::win32
