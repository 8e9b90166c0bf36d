#pragma once

#include "platform/dialog_service.h"
#include "platform/win32/windows_api.h"

#include <string>

namespace qv::win32 {

// The dialog service of the running program on Windows: MessageBoxW, a modal text prompt made
// in memory, the system's file dialog for files and for folders, and a progress window, each
// modal over the program's window (or over the progress window while one is open, so that a
// message shown during a batch keeps the window disabled when it closes).
class Win32DialogService : public DialogService
{
public:
    // The window the dialogs open over; none until it exists.
    void SetOwner(HWND owner) { owner_ = owner; }

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
    std::unique_ptr<ProgressDialog> StartProgress(
        const std::string &text, const std::string &title, int total) override;

private:
    HWND Owner() const;

    HWND owner_ = nullptr;
    // The progress window while one is open.
    HWND progress_ = nullptr;
};

} // namespace qv::win32
