#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

enum class MessageIcon { None, Information, Error };

// What an open-file dialog is asked for. The filter is a list of "description|pattern" pairs,
// every item separated from the next by "|"; filterIndex 0 is the first filter.
struct OpenFileRequest {
    std::string filter;
    std::string title;
    std::string initialFolder;
    std::string initialFile;
    int filterIndex = 0;
    bool multiSelect = false;
};

// What it answers: the chosen files as full paths (empty when cancelled) and the filter the
// user ended with, which is handed back also on Cancel.
struct OpenFileAnswer {
    std::vector<std::string> files;
    int filterIndex = 0;
};

// Every modal interaction of the program goes through this interface: the real one shows Qt
// dialogs, the scripted one answers from a queue and records what was shown, so every handler
// can be tested without a display.
// A long job's progress window, modal over the program's window while it is open: Show after
// each step; Cancelled once the user asked to stop (asking also lets the window repaint). It
// closes when destroyed.
class ProgressDialog
{
public:
    virtual ~ProgressDialog() = default;
    // done steps of the total; current names the step now under way.
    virtual void Show(int done, const std::string &current) = 0;
    virtual bool Cancelled() = 0;
};

class DialogService
{
public:
    virtual ~DialogService() = default;

    // Opens a progress window for total steps with text above the bar and a Cancel button.
    virtual std::unique_ptr<ProgressDialog> StartProgress(
        const std::string &text, const std::string &title, int total) = 0;

    // A modal message box with one OK button. An empty title means the application title.
    virtual void MessageBox(
        const std::string &text, const std::string &title, MessageIcon icon) = 0;

    // A modal question with Yes and No buttons (No the default); true for Yes.
    virtual bool Confirm(const std::string &text, const std::string &title) = 0;

    // A modal text prompt pre-filled with defaultText; returns the text, empty on Cancel.
    virtual std::string InputBox(
        const std::string &prompt, const std::string &title, const std::string &defaultText) = 0;

    // A modal slider over min..max that starts at value, with the value shown beside prompt.
    // onMove is called with each value the slider takes, so the window can show it at once.
    // Returns the value chosen, nothing on Cancel.
    virtual std::optional<int> SliderBox(const std::string &prompt,
        const std::string &title,
        int min,
        int max,
        int value,
        const std::function<void(int)> &onMove) = 0;
    virtual OpenFileAnswer OpenFile(const OpenFileRequest &request) = 0;

    // A folder browser opened with startFolder selected (when not empty); only file-system
    // folders can be chosen. Returns the chosen folder, empty on Cancel.
    virtual std::string BrowseForFolder(
        const std::string &startFolder, const std::string &title) = 0;
};

} // namespace qv
