#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qv {

// The file list of the window without its widget: the folder, the names of its files that match
// the pattern (matched and sorted case-insensitively, no folders, no hidden files), which of them
// are selected (several at once) and which is the current one. It raises nothing: the session
// runs File_Click where the list's Click would be raised.
class FileList
{
public:
    // pattern: "*.bmp", or several separated by ";".
    explicit FileList(std::string pattern)
        : pattern_(std::move(pattern))
    { }

    const std::string &Path() const { return path_; }
    // Re-reads the folder.
    void SetPath(const std::string &folder);
    const std::string &Pattern() const { return pattern_; }
    // Re-reads the folder; the selection and the current entry are lost.
    void Refresh();

    int ListCount() const { return static_cast<int>(names_.size()); }
    // The name of entry i; an index outside the list is failure 9.
    const std::string &List(int i) const;
    bool Selected(int i) const;
    // Selecting an entry also makes it the current one.
    void SetSelected(int i, bool selected);
    // The current entry, -1 when there is none.
    int ListIndex() const { return current_; }
    // The name of the current entry, empty when there is none.
    std::string FileName() const;

    // Takes the selection as the user left it in the widget: a flag per entry and the current
    // entry (-1: none). Flags beyond the list are ignored, missing ones are unselected.
    void SetSelection(const std::vector<bool> &selected, int current);
    void ClearSelection();
    // Makes entry i the current one without changing any selected flag.
    void SetCurrent(int i);

private:
    std::string path_;
    std::string pattern_;
    std::vector<std::string> names_;
    std::vector<bool> selected_;
    int current_ = -1;
};

} // namespace qv
