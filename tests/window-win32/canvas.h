#pragma once

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <cstdint>

namespace qv::win32::test {

// What a box draws, read back pixel by pixel (0x00RRGGBB) from a 32-bit bitmap of width x
// height filled with a background first.
class Canvas
{
public:
    Canvas(int width, int height)
        : width_(width)
    {
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(
            dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        std::fill_n(bits_, width * height, kBackground);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    std::uint32_t At(int x, int y) const
    {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFFu;
    }
    static constexpr std::uint32_t kBackground = 0x123456;

private:
    int width_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t *bits_ = nullptr;
};

} // namespace qv::win32::test
