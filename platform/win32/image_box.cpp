#include "platform/win32/image_box.h"

#include "platform/checked.h"
#include "platform/win32/dpi.h"
#include "platform/win32/twips.h"
#include "platform/win32/window_class.h"

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
    InvalidateRect(window_, nullptr, TRUE);
}

void ImageBox::ClearPicture()
{
    picture_.reset();
    info_.clear();
    InvalidateRect(window_, nullptr, TRUE);
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
        to.left,
        to.top,
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
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
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
