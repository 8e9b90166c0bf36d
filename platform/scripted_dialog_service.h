#pragma once

#include "platform/dialog_service.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {

// A dialog service for tests and for programs without a window: answers come from queues that
// the caller fills beforehand, and everything shown is recorded. A prompt, file dialog or folder
// browser for which no answer was queued throws UnexpectedDialog, so a test fails loudly.
class ScriptedDialogService : public DialogService
{
public:
    enum class Kind { Message, Input, OpenFile, Folder, Progress, Confirm, Slider };

    struct Shown {
        Kind kind;
        std::string text; // message text, prompt, or open-file/folder title
        std::string title;
        MessageIcon icon = MessageIcon::None;
        std::string defaultText; // input default, open-file initial file, folder start
        OpenFileRequest request; // for Kind::OpenFile
    };

    class UnexpectedDialog : public std::logic_error
    {
    public:
        using std::logic_error::logic_error;
    };

    void QueueInput(const std::string &answer) { inputs_.push_back(answer); }
    void QueueOpenFile(const OpenFileAnswer &answer) { files_.push_back(answer); }
    void QueueFolder(const std::string &answer) { folders_.push_back(answer); }
    void QueueConfirm(bool yes) { confirms_.push_back(yes); }
    // The next slider takes each of moves in turn, then ends with OK (its last value) or Cancel.
    void QueueSlider(const std::vector<int> &moves, bool ok) { sliders_.push_back({moves, ok}); }
    // The next progress window is cancelled once it has shown done steps.
    void QueueCancelAt(int done) { cancels_.push_back(done); }

    void MessageBox(const std::string &text, const std::string &title, MessageIcon icon) override;
    bool Confirm(const std::string &text, const std::string &title) override;
    std::string InputBox(const std::string &prompt,
        const std::string &title,
        const std::string &defaultText) override;
    // Recorded as a Slider entry with the starting value as defaultText.
    std::optional<int> SliderBox(const std::string &prompt,
        const std::string &title,
        int min,
        int max,
        int value,
        const std::function<void(int)> &onMove) override;
    OpenFileAnswer OpenFile(const OpenFileRequest &request) override;
    std::string BrowseForFolder(const std::string &startFolder, const std::string &title) override;
    // Recorded as a Progress entry (text, title, the total as defaultText); each Show adds a
    // Progress entry whose text is "done/total current".
    std::unique_ptr<ProgressDialog> StartProgress(
        const std::string &text, const std::string &title, int total) override;

    const std::vector<Shown> &Log() const { return shown_; }
    // The texts of the message boxes shown so far, in order.
    std::vector<std::string> MessageTexts() const;
    void ClearLog() { shown_.clear(); }
    // True when every queued answer has been used.
    bool AllAnswersUsed() const
    {
        return inputs_.empty() && files_.empty() && folders_.empty() && cancels_.empty()
            && confirms_.empty() && sliders_.empty();
    }

private:
    std::deque<std::string> inputs_;
    std::deque<OpenFileAnswer> files_;
    std::deque<std::string> folders_;
    std::deque<int> cancels_;
    std::deque<bool> confirms_;
    std::deque<std::pair<std::vector<int>, bool>> sliders_;
    std::vector<Shown> shown_;
};

} // namespace qv
