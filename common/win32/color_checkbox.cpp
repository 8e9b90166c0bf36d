#include "common/win32/color_checkbox.h"

#include "common/mark_color.h"
#include "platform/win32/dpi.h"
#include "platform/win32/twips.h"
#include "platform/win32/window_class.h"

namespace qv::win32 {
namespace {

constexpr const wchar_t *kClassName = L"QuorvantileColorCheckbox";

COLORREF ColorRef(std::uint32_t color)
{
    // Both are 0x00BBGGRR.
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

} // namespace

ColorCheckbox::ColorCheckbox(HWND parent, int id)
{
    // No double-click class style: a quick second press arrives as a press, and counts.
    WindowClass<ColorCheckbox>::Register(kClassName, LoadCursorW(nullptr, IDC_ARROW), 0);
    window_ = CreateWindowExW(0,
        kClassName,
        L"",
        WS_CHILD | WS_CLIPSIBLINGS,
        0,
        0,
        0,
        0,
        parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleW(nullptr),
        this);
}

void ColorCheckbox::SetColor(std::uint32_t color)
{
    color_ = color;
    InvalidateRect(window_, nullptr, FALSE);
}

std::uint32_t ColorCheckbox::MarkColor() const
{
    return MarkColorFor(color_);
}

void ColorCheckbox::SetValue(std::int32_t value, bool quietly)
{
    if (value == value_) {
        return;
    }
    value_ = value;
    InvalidateRect(window_, nullptr, FALSE);
    if (!quietly && change_) {
        change_();
    }
}

void ColorCheckbox::SetUsed(bool used)
{
    if (used != used_) {
        used_ = used;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

std::uint32_t ColorCheckbox::UsedMarkColor() const
{
    return UsedMarkColorFor(color_);
}

void ColorCheckbox::SetMarkFont(HFONT font)
{
    markFont_ = font;
    InvalidateRect(window_, nullptr, FALSE);
}

void ColorCheckbox::Paint(HDC dc) const
{
    RECT rect;
    GetClientRect(window_, &rect);
    HBRUSH fill = CreateSolidBrush(ColorRef(color_));
    FillRect(dc, &rect, fill);
    DeleteObject(fill);
    if (used_) {
        const int dpi = static_cast<int>(WindowDpi(window_));
        const int inset = MulDiv(1, dpi, kDefaultDpi);
        const int side = MulDiv(4, dpi, kDefaultDpi);
        const RECT square {inset, inset, inset + side, inset + side};
        HBRUSH mark = CreateSolidBrush(ColorRef(UsedMarkColor()));
        FillRect(dc, &square, mark);
        DeleteObject(mark);
    }
    if (value_ != 1) {
        return;
    }
    HGDIOBJ old = markFont_ != nullptr ? SelectObject(dc, markFont_) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorRef(MarkColor()));
    DrawTextW(dc, L"X", 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old != nullptr) {
        SelectObject(dc, old);
    }
}

LRESULT ColorCheckbox::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint fills every pixel
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (GetCapture() == window) {
            ReleaseCapture();
        }
        RECT rect;
        GetClientRect(window, &rect);
        const POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPressed && PtInRect(&rect, at) != FALSE) {
            SetValue(1 - value_);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace qv::win32
