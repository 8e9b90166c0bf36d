#include "platform/win32/image_box.h"

#include "platform/checked.h"
#include "platform/win32/dpi.h"
#include "platform/win32/twips.h"
#include "platform/win32/window_class.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace qv::win32 {
namespace {

constexpr const wchar_t *kClassName = L"QuorvantileImageBox";

// The header of a top-down DIB of the picture, with the colour table of an indexed one.
std::vector<std::uint8_t> BitmapInfo(const DibPicture &picture)
{
    std::vector<std::uint8_t> info(
        sizeof(BITMAPINFOHEADER) + picture.colors.size() * sizeof(RGBQUAD));
    BITMAPINFOHEADER header {};
    header.biSize = sizeof(header);
    header.biWidth = picture.width;
    header.biHeight = -picture.height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(picture.bitCount);
    header.biCompression = BI_RGB;
    header.biClrUsed = static_cast<DWORD>(picture.colors.size());
    std::memcpy(info.data(), &header, sizeof(header));
    if (!picture.colors.empty()) {
        std::memcpy(info.data() + sizeof(header),
            picture.colors.data(),
            picture.colors.size() * sizeof(RGBQUAD));
    }
    return info;
}

int KeysHeld(WPARAM flags)
{
    return ((flags & MK_SHIFT) != 0 ? 1 : 0) | ((flags & MK_CONTROL) != 0 ? 2 : 0)
        | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

} // namespace

ImageBox::ImageBox(HWND parent, int id)
{
    WindowClass<ImageBox>::Register(kClassName, LoadCursorW(nullptr, IDC_ARROW), COLOR_BTNFACE + 1);
    window_ = CreateWindowExW(0,
        kClassName,
        L"",
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
        0,
        0,
        0,
        0,
        parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleW(nullptr),
        this);
}

bool DibPicture::Complete() const
{
    if (width <= 0 || height <= 0 || (bitCount != 8 && bitCount != 32)
        || colors.size() != (bitCount == 8 ? 256U : 0U)) {
        return false;
    }
    const std::size_t rowBytes = CheckedMul<std::size_t>(width, bitCount / 8);
    const std::size_t stride = (rowBytes + 3) & ~std::size_t {3};
    return bits.size() == CheckedMul<std::size_t>(stride, height);
}

void ImageBox::SetPicture(DibPicture picture)
{
    if (!picture.Complete()) {
        ClearPicture();
        return;
    }
    info_ = BitmapInfo(picture);
    picture_ = std::move(picture);
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

void ImageBox::ClearPicture()
{
    picture_.reset();
    info_.clear();
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

void ImageBox::SetZoom(int factor)
{
    if (factor == zoom_) {
        return;
    }
    zoom_ = factor;
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

void ImageBox::UpdateScrollBars()
{
    if (updatingBars_) {
        return; // a bar shown or hidden resizes the client area, which comes back here
    }
    updatingBars_ = true;
    const RECT picture = zoom_ > 0 ? PictureRect() : RECT {0, 0, 0, 0};
    const int width = picture.right;
    const int height = picture.bottom;
    RECT outer;
    GetWindowRect(window_, &outer);
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    // Each bar takes room from the other's direction.
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    bool across = width > outerWidth;
    bool down = height > outerHeight - (across ? barHeight : 0);
    across = width > outerWidth - (down ? barWidth : 0);
    ShowScrollBar(window_, SB_HORZ, across ? TRUE : FALSE);
    ShowScrollBar(window_, SB_VERT, down ? TRUE : FALSE);
    RECT client;
    GetClientRect(window_, &client);
    const int shownWidth = client.right;
    const int shownHeight = client.bottom;
    scroll_.x = std::clamp(static_cast<int>(scroll_.x), 0, std::max(0, width - shownWidth));
    scroll_.y = std::clamp(static_cast<int>(scroll_.y), 0, std::max(0, height - shownHeight));
    const struct {
        int bar;
        bool shown;
        int whole;
        int page;
        int position;
    } bars[] = {{SB_HORZ, across, width, shownWidth, static_cast<int>(scroll_.x)},
        {SB_VERT, down, height, shownHeight, static_cast<int>(scroll_.y)}};
    for (const auto &bar : bars) {
        if (bar.shown) {
            SCROLLINFO info {};
            info.cbSize = sizeof(info);
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.nMax = bar.whole - 1;
            info.nPage = static_cast<UINT>(bar.page);
            info.nPos = bar.position;
            SetScrollInfo(window_, bar.bar, &info, TRUE);
        }
    }
    updatingBars_ = false;
}

void ImageBox::ScrollTo(int x, int y)
{
    RECT client;
    GetClientRect(window_, &client);
    const RECT picture = zoom_ > 0 ? PictureRect() : RECT {0, 0, 0, 0};
    const POINT to {std::clamp(x, 0, std::max(0, static_cast<int>(picture.right - client.right))),
        std::clamp(y, 0, std::max(0, static_cast<int>(picture.bottom - client.bottom)))};
    if (to.x == scroll_.x && to.y == scroll_.y) {
        return;
    }
    scroll_ = to;
    SetScrollPos(window_, SB_HORZ, scroll_.x, TRUE);
    SetScrollPos(window_, SB_VERT, scroll_.y, TRUE);
    InvalidateRect(window_, nullptr, TRUE);
}

void ImageBox::Scroll(int bar, int request)
{
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, bar, &info);
    // A line is one picture pixel, at least 16 logical pixels.
    const int line = MulDiv(std::max(16, zoom_), static_cast<int>(WindowDpi(window_)), kDefaultDpi);
    const int page = std::max(1, static_cast<int>(info.nPage));
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= line;
        break;
    case SB_LINEDOWN:
        position += line;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    if (bar == SB_HORZ) {
        ScrollTo(position, scroll_.y);
    } else {
        ScrollTo(scroll_.x, position);
    }
}

void ImageBox::Wheel(WPARAM wParam)
{
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0) {
        zoomWheelRest_ += delta;
        const int steps = zoomWheelRest_ / WHEEL_DELTA;
        zoomWheelRest_ -= steps * WHEEL_DELTA;
        if (steps != 0 && zoomWheel_) {
            zoomWheel_(steps);
        }
        return;
    }
    // Three lines a notch, up for a turn away from the user.
    scrollWheelRest_ += delta;
    const int notches = scrollWheelRest_ / WHEEL_DELTA;
    scrollWheelRest_ -= notches * WHEEL_DELTA;
    for (int i = 0; i < 3 * std::abs(notches); ++i) {
        Scroll(SB_VERT, notches > 0 ? SB_LINEUP : SB_LINEDOWN);
    }
}

void ImageBox::MouseMoved(LPARAM lParam)
{
    if (!tracking_) {
        TRACKMOUSEEVENT track {sizeof(track), TME_LEAVE, window_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
    if (mouseMove_) {
        const unsigned dpi = WindowDpi(window_);
        mouseMove_(PixelsToTwips(static_cast<short>(LOWORD(lParam)) + scroll_.x, dpi),
            PixelsToTwips(static_cast<short>(HIWORD(lParam)) + scroll_.y, dpi));
    }
}

void ImageBox::SetStretch(bool stretch)
{
    stretch_ = stretch;
    InvalidateRect(window_, nullptr, TRUE);
}

void ImageBox::SetSizeTwips(double width, double height)
{
    widthTwips_ = width;
    heightTwips_ = height;
    InvalidateRect(window_, nullptr, TRUE);
}

RECT ImageBox::PictureRect() const
{
    if (!picture_) {
        return {0, 0, 0, 0};
    }
    const unsigned dpi = WindowDpi(window_);
    if (zoom_ > 0) {
        return {0,
            0,
            MulDiv(picture_->width * zoom_, static_cast<int>(dpi), kDefaultDpi),
            MulDiv(picture_->height * zoom_, static_cast<int>(dpi), kDefaultDpi)};
    }
    if (stretch_) {
        return {0, 0, TwipsToPixels(widthTwips_, dpi), TwipsToPixels(heightTwips_, dpi)};
    }
    return {0,
        0,
        MulDiv(picture_->width, static_cast<int>(dpi), kDefaultDpi),
        MulDiv(picture_->height, static_cast<int>(dpi), kDefaultDpi)};
}

void ImageBox::Draw(HDC dc) const
{
    if (!picture_) {
        return;
    }
    const RECT to = PictureRect();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc,
        to.left - scroll_.x,
        to.top - scroll_.y,
        to.right - to.left,
        to.bottom - to.top,
        0,
        0,
        picture_->width,
        picture_->height,
        picture_->bits.data(),
        reinterpret_cast<const BITMAPINFO *>(info_.data()),
        DIB_RGB_COLORS,
        SRCCOPY);
}

LRESULT ImageBox::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Draw(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SIZE:
        UpdateScrollBars();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        // Never handed on: the window hands the wheel over the picture back here.
        Wheel(wParam);
        return 0;
    case WM_MOUSEMOVE:
        MouseMoved(lParam);
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        if (mouseLeave_) {
            mouseLeave_();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // The point on the whole picture.
        const POINT at {static_cast<short>(LOWORD(lParam)) + scroll_.x,
            static_cast<short>(HIWORD(lParam)) + scroll_.y};
        const RECT picture = PictureRect();
        if (mouseDown_ && PtInRect(&picture, at) != FALSE) {
            const int button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
            const unsigned dpi = WindowDpi(window);
            mouseDown_(
                button, KeysHeld(wParam), PixelsToTwips(at.x, dpi), PixelsToTwips(at.y, dpi));
        }
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace qv::win32
