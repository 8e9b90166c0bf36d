#pragma once

#include "platform/dialog_service.h"

#include <string>

namespace qv {

// The dialog service of the running program: Qt's message box, text prompt, file dialog and
// folder picker, each modal over the active window.
class QtDialogService : public DialogService
{
public:
    void MessageBox(const std::string &text, const std::string &title, MessageIcon icon) override;
    bool Confirm(const std::string &text, const std::string &title) override;
    std::string InputBox(const std::string &prompt,
        const std::string &title,
        const std::string &defaultText) override;
    std::optional<int> SliderBox(const std::string &prompt,
        const std::string &title,
        int min,
        int max,
        int value,
        const std::function<void(int)> &onMove) override;
    OpenFileAnswer OpenFile(const OpenFileRequest &request) override;
    std::string BrowseForFolder(const std::string &startFolder, const std::string &title) override;
    // A QProgressDialog, window-modal over the active window.
    std::unique_ptr<ProgressDialog> StartProgress(
        const std::string &text, const std::string &title, int total) override;
};

} // namespace qv
