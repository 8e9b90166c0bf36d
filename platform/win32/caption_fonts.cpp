#include "platform/win32/caption_fonts.h"

#include "platform/win32/dpi.h"
#include "platform/win32/twips.h"

#include <algorithm>

namespace qv::win32 {
namespace {

constexpr int kWidestPercent = 80;
constexpr int kNarrowestPercent = 50;

// The average character width of a face at its height, as drawn.
int AverageWidth(const LOGFONTW &face)
{
    HFONT font = CreateFontIndirectW(&face);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics {};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return metrics.tmAveCharWidth;
}

} // namespace

CaptionFonts::CaptionFonts(unsigned dpi, int pixels)
{
    LOGFONTW face = MessageFont(dpi);
    face.lfHeight = -MulDiv(pixels, static_cast<int>(dpi), kDefaultDpi);
    face.lfWidth = 0;
    face.lfQuality = CLEARTYPE_QUALITY;
    const int average = AverageWidth(face);
    const int widest = std::max(1, MulDiv(average, kWidestPercent, 100));
    const int narrowest = std::max(1, MulDiv(average, kNarrowestPercent, 100));
    for (int width = widest; width >= narrowest; --width) {
        face.lfWidth = width;
        fonts_.push_back(CreateFontIndirectW(&face));
    }
}

CaptionFonts::~CaptionFonts()
{
    for (HFONT font : fonts_) {
        DeleteObject(font);
    }
}

HFONT CaptionFonts::Fitting(const std::wstring &text, int room) const
{
    for (HFONT font : fonts_) {
        if (TextWidth(font, text) <= room) {
            return font;
        }
    }
    return fonts_.back();
}

int CaptionRoom(HWND control, unsigned dpi)
{
    RECT client {};
    GetClientRect(control, &client);
    wchar_t kind[16] {};
    GetClassNameW(control, kind, 16);
    if (lstrcmpiW(kind, WC_BUTTONW) != 0) {
        return client.right;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)) & BS_TYPEMASK;
    const auto pixels = [dpi](
                            int at96) { return MulDiv(at96, static_cast<int>(dpi), kDefaultDpi); };
    if (style == BS_RADIOBUTTON || style == BS_AUTORADIOBUTTON || style == BS_CHECKBOX
        || style == BS_AUTOCHECKBOX) {
        // The circle or box (13 pixels at 96 dpi) and the gap after it.
        return client.right - pixels(16);
    }
    if (style == BS_GROUPBOX) {
        return client.right - pixels(12);
    }
    return client.right - pixels(6); // a push button's edges
}

int TextWidth(HFONT font, const std::wstring &text)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE extent {};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

} // namespace qv::win32
