#pragma once

#include "platform/dialog_service.h"
#include "platform/win32/windows_api.h"

#include <string>

namespace qv::win32 {

// A long job's progress window: a text, a bar and a Cancel button, over its owner, which takes
// no input while it is open. Show and Cancelled let the window (and the owner's painting) run;
// Cancel, Escape and the close box all ask to stop.
class ProgressWindow : public ProgressDialog
{
public:
    ProgressWindow(HWND owner, const std::string &text, const std::string &title, int total);
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;
    ~ProgressWindow() override;

    void Show(int done, const std::string &current) override;
    bool Cancelled() override;

    HWND Handle() const { return window_; }
    // The text above the bar, as shown.
    std::wstring Text() const;

    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Handles what is waiting for any of the program's windows, without waiting for more.
    void Pump();
    void Place();

    HWND owner_;
    bool ownerWasEnabled_;
    std::wstring text_;
    int total_;
    HWND window_ = nullptr;
    HWND label_ = nullptr;
    HWND bar_ = nullptr;
    HWND cancel_ = nullptr;
    HFONT font_ = nullptr;
    bool cancelled_ = false;
};

} // namespace qv::win32
