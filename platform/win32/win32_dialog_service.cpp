#include "platform/win32/win32_dialog_service.h"

#include "platform/app_info.h"
#include "platform/win32/file_dialog.h"
#include "platform/win32/input_box.h"
#include "platform/win32/progress_window.h"
#include "platform/win32/slider_box.h"
#include "platform/win32/wide_text.h"

namespace qv::win32 {
namespace {

std::wstring TitleOrAppTitle(const std::string &title)
{
    return Wide(title.empty() ? std::string(kAppTitle) : title);
}

UINT IconFlags(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::None:
        break;
    }
    return 0;
}

// Forgets the progress window when it closes.
class TrackedProgress : public ProgressDialog
{
public:
    TrackedProgress(
        HWND &tracked, HWND owner, const std::string &text, const std::string &title, int total)
        : tracked_(tracked)
        , window_(owner, text, title, total)
    {
        tracked_ = window_.Handle();
    }
    ~TrackedProgress() override { tracked_ = nullptr; }
    void Show(int done, const std::string &current) override { window_.Show(done, current); }
    bool Cancelled() override { return window_.Cancelled(); }

private:
    HWND &tracked_;
    ProgressWindow window_;
};

} // namespace

HWND Win32DialogService::Owner() const
{
    return progress_ != nullptr ? progress_ : owner_;
}

void Win32DialogService::MessageBox(
    const std::string &text, const std::string &title, MessageIcon icon)
{
    MessageBoxW(
        Owner(), Wide(text).c_str(), TitleOrAppTitle(title).c_str(), MB_OK | IconFlags(icon));
}

bool Win32DialogService::Confirm(const std::string &text, const std::string &title)
{
    return MessageBoxW(Owner(),
               Wide(text).c_str(),
               TitleOrAppTitle(title).c_str(),
               MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)
        == IDYES;
}

std::string Win32DialogService::InputBox(
    const std::string &prompt, const std::string &title, const std::string &defaultText)
{
    const std::optional<std::wstring> answer =
        ShowInputBox(Owner(), Wide(prompt), TitleOrAppTitle(title), Wide(defaultText));
    return answer ? Narrow(*answer) : std::string();
}

std::optional<int> Win32DialogService::SliderBox(const std::string &prompt,
    const std::string &title,
    int min,
    int max,
    int value,
    const std::function<void(int)> &onMove)
{
    return ShowSliderBox(Owner(), Wide(prompt), TitleOrAppTitle(title), min, max, value, onMove);
}

OpenFileAnswer Win32DialogService::OpenFile(const OpenFileRequest &request)
{
    return ShowOpenFileDialog(Owner(), request);
}

std::string Win32DialogService::BrowseForFolder(
    const std::string &startFolder, const std::string &title)
{
    return ShowFolderDialog(Owner(), startFolder, title);
}

std::unique_ptr<ProgressDialog> Win32DialogService::StartProgress(
    const std::string &text, const std::string &title, int total)
{
    return std::make_unique<TrackedProgress>(progress_, owner_, text, title, total);
}

} // namespace qv::win32
