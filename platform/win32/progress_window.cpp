#include "platform/win32/progress_window.h"

#include "platform/app_info.h"
#include "platform/win32/dpi.h"
#include "platform/win32/twips.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace qv::win32 {
namespace {

constexpr const wchar_t *kClassName = L"QuorvantileProgress";
constexpr int kCancelId = IDCANCEL;
// The window's client area and its parts, in twips.
constexpr TwipsRect kClient {0, 0, 6300, 1845};
constexpr TwipsRect kText {180, 150, 5940, 690};
constexpr TwipsRect kBar {180, 900, 5940, 300};
constexpr TwipsRect kCancel {4860, 1365, 1260, 345};

void PlaceControl(HWND control, const TwipsRect &place, unsigned dpi)
{
    const PixelRect r = ToPixels(place, dpi);
    SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

ProgressWindow::ProgressWindow(
    HWND owner, const std::string &text, const std::string &title, int total)
    : owner_(owner)
    , ownerWasEnabled_(owner != nullptr && IsWindowEnabled(owner) != FALSE)
    , text_(Wide(text))
    , total_(total)
{
    WindowClass<ProgressWindow>::Register(
        kClassName, LoadCursorW(nullptr, IDC_ARROW), COLOR_BTNFACE + 1);
    const std::wstring caption = Wide(title.empty() ? std::string(kAppTitle) : title);
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME,
        kClassName,
        caption.c_str(),
        WS_POPUP | WS_CAPTION | WS_SYSMENU,
        0,
        0,
        0,
        0,
        owner,
        nullptr,
        GetModuleHandleW(nullptr),
        this);
    label_ = CreateControl(window_, WC_STATICW, text_, SS_LEFT | SS_NOPREFIX, 0);
    bar_ = CreateControl(window_, PROGRESS_CLASSW, L"", 0, 0);
    cancel_ =
        CreateControl(window_, WC_BUTTONW, L"Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, kCancelId);
    SendMessageW(bar_, PBM_SETRANGE32, 0, total_);
    Place();
    if (owner_ != nullptr) {
        EnableWindow(owner_, FALSE);
    }
    ShowWindow(window_, SW_SHOW);
    SetFocus(cancel_);
    UpdateWindow(window_);
}

ProgressWindow::~ProgressWindow()
{
    // The owner takes input again before the window goes, so that it becomes the active one.
    if (owner_ != nullptr && ownerWasEnabled_) {
        EnableWindow(owner_, TRUE);
    }
    DestroyWindow(window_);
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

void ProgressWindow::Place()
{
    const unsigned dpi = WindowDpi(owner_ != nullptr ? owner_ : window_);
    HFONT old = font_;
    const LOGFONTW face = MessageFont(dpi);
    font_ = CreateFontIndirectW(&face);
    for (HWND control : {label_, bar_, cancel_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    if (old != nullptr) {
        DeleteObject(old);
    }
    PlaceControl(label_, kText, dpi);
    PlaceControl(bar_, kBar, dpi);
    PlaceControl(cancel_, kCancel, dpi);
    const PixelRect client = ToPixels(kClient, dpi);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    const SIZE outer = OuterSizeForClient(client.width, client.height, style, exStyle, false, dpi);
    // Centred over the owner.
    RECT over {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner_ != nullptr) {
        GetWindowRect(owner_, &over);
    }
    SetWindowPos(window_,
        nullptr,
        (over.left + over.right - outer.cx) / 2,
        (over.top + over.bottom - outer.cy) / 2,
        outer.cx,
        outer.cy,
        SWP_NOZORDER | SWP_NOACTIVATE);
}

void ProgressWindow::Show(int done, const std::string &current)
{
    const std::wstring line = text_ + L"\n" + std::to_wstring(done) + L" of "
        + std::to_wstring(total_) + L": " + Wide(current);
    SetWindowTextW(label_, line.c_str());
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    Pump();
}

bool ProgressWindow::Cancelled()
{
    Pump();
    return cancelled_;
}

std::wstring ProgressWindow::Text() const
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label_)) + 1, L'\0');
    const int copied = GetWindowTextW(label_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void ProgressWindow::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            // The program is ending: stop, and leave the quit for the main loop.
            cancelled_ = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsDialogMessageW(window_, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

LRESULT ProgressWindow::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCancelId) {
            cancelled_ = true;
            EnableWindow(cancel_, FALSE);
        }
        return 0;
    case WM_CLOSE:
        cancelled_ = true; // closing is asking to stop; the window goes when the job has
        return 0;
    case WM_DPICHANGED:
        Place();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace qv::win32
