#pragma once

#include "platform/win32/windows_api.h"

#include <string>
#include <vector>

namespace qv::win32 {

// The faces the window's captions are drawn in at one dpi: the system's message face at a fixed
// pixel height, its characters narrowed step by step from 80% to half their width. A fixed
// layout sized for a narrow 8-point face keeps every caption whole whatever face the system
// has (Segoe UI, Tahoma, ...): each caption takes the widest face in which it fits.
class CaptionFonts
{
public:
    // pixels: the height at 96 dpi, scaled to dpi.
    CaptionFonts(unsigned dpi, int pixels);
    CaptionFonts(const CaptionFonts &) = delete;
    CaptionFonts &operator=(const CaptionFonts &) = delete;
    ~CaptionFonts();

    // The widest face, for text that changes (a path, a number, a file name).
    HFONT Widest() const { return fonts_.front(); }
    // The widest face in which text is at most room pixels wide; the narrowest when none is.
    HFONT Fitting(const std::wstring &text, int room) const;

private:
    std::vector<HFONT> fonts_;
};

// The width a control's caption may take: its client width less what its kind draws beside
// the text (an option button's circle, a push button's edges), at dpi.
int CaptionRoom(HWND control, unsigned dpi);

// The width of text in font, in pixels.
int TextWidth(HFONT font, const std::wstring &text);

} // namespace qv::win32
