#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace qv::win32 {

// A square filled with one colour that the user ticks and unticks by clicking; the tick is an
// "X" in a colour that stands out against the fill (MarkColorFor). It knows nothing of palettes:
// the host sets Color and Value and listens for Change. Every press and release on it is a
// click, the second click of a quick double-click too.
class ColorCheckbox
{
public:
    ColorCheckbox(HWND parent, int id);
    ColorCheckbox(const ColorCheckbox &) = delete;
    ColorCheckbox &operator=(const ColorCheckbox &) = delete;

    HWND Handle() const { return window_; }

    // 0x00BBGGRR, red in the low byte; the top byte is ignored.
    std::uint32_t Color() const { return color_; }
    // Repaints the fill and the mark; never raises Change.
    void SetColor(std::uint32_t color);

    // 0 unticked, 1 ticked, 2 shown like 0; any other value is kept as given.
    std::int32_t Value() const { return value_; }
    // The same value again does nothing; any other value repaints the mark and then raises
    // Change once, unless quietly.
    void SetValue(std::int32_t value, bool quietly = false);
    void OnChange(std::function<void()> change) { change_ = std::move(change); }

    // The mark as drawn: "X" or nothing, and its colour (0x00BBGGRR).
    const wchar_t *MarkText() const { return value_ == 1 ? L"X" : L""; }
    std::uint32_t MarkColor() const;
    // The font of the mark; the host keeps it alive.
    void SetMarkFont(HFONT font);

    // The box's entry is in use: a 4 x 4 square (at 96 dpi) in its top-left corner, under the
    // "X", white on a dark fill and black on a light one. Repaints only when it changes.
    bool Used() const { return used_; }
    void SetUsed(bool used);
    // The square's colour (0x00BBGGRR).
    std::uint32_t UsedMarkColor() const;

    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Paint(HDC dc) const;

    HWND window_ = nullptr;
    HFONT markFont_ = nullptr;
    std::uint32_t color_ = 0;
    std::int32_t value_ = 0;
    bool pressed_ = false;
    bool used_ = false;
    std::function<void()> change_;
};

} // namespace qv::win32
