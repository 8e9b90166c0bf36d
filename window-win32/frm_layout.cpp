// The design in pixels: every control at its twips turned into pixels at the dpi of the monitor
// the window is on, the fonts at that dpi, and the window as large as its client area and menu
// bar. All of it again when the window moves to a monitor of another dpi.
#include "platform/win32/caption_fonts.h"
#include "platform/win32/dpi.h"
#include "platform/win32/wide_text.h"
#include "window-win32/frm.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qv::win32 {
namespace {

// The client area below the menu bar: 10665 x 5625 twips.
constexpr int kClientWidth = 10665;
constexpr int kClientHeight = 5625;

// The fixed layout needs a small, narrow face: the buttons are 15 to 17 pixels high at 96 dpi
// and the captions were sized for a narrow 8-point face.
constexpr int kControlFontPixels = 11;
constexpr int kMarkFontPixels = 9;

HFONT MarkFont(unsigned dpi)
{
    LOGFONTW face = MessageFont(dpi);
    face.lfHeight = -MulDiv(kMarkFontPixels, static_cast<int>(dpi), kDefaultDpi);
    face.lfWidth = 0;
    face.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&face);
}

} // namespace

void frm::MakeFonts(unsigned dpi)
{
    // The fonts in use are replaced only once every control has its new one.
    std::unique_ptr<CaptionFonts> oldCaptions = std::move(captions_);
    HFONT oldMark = markFont_;
    captions_ = std::make_unique<CaptionFonts>(dpi, kControlFontPixels);
    markFont_ = MarkFont(dpi);
    // Captions that change as the program runs keep the widest face; the design's own each
    // take the widest face they fit in.
    const std::vector<HWND> changing = {fraImage,
        File->Handle(),
        lblFolder->Handle(),
        lblSize->Handle(),
        lblBright[0]->Handle(),
        lblBright[1]->Handle(),
        lblBright[2]->Handle(),
        lblReport->Handle()};
    for (const Placement &placed : placements_) {
        const bool changes =
            std::find(changing.begin(), changing.end(), placed.control) != changing.end();
        const std::wstring caption = Wide(WindowText(placed.control));
        HFONT font = changes || caption.empty()
            ? captions_->Widest()
            : captions_->Fitting(caption, CaptionRoom(placed.control, dpi));
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    for (const auto &box : chkPal) {
        if (box != nullptr) {
            box->SetMarkFont(markFont_);
        }
    }
    if (oldMark != nullptr) {
        DeleteObject(oldMark);
    }
}

void frm::LayOut(unsigned dpi)
{
    HDWP positions = BeginDeferWindowPos(static_cast<int>(placements_.size()));
    for (const Placement &placed : placements_) {
        const PixelRect at = ToPixels(placed.place, dpi);
        if (positions != nullptr) {
            positions = DeferWindowPos(positions,
                placed.control,
                nullptr,
                at.left,
                at.top,
                at.width,
                at.height,
                SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (positions != nullptr) {
        EndDeferWindowPos(positions);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void frm::SizeWindow(int left, int top)
{
    const int width = TwipsToPixels(kClientWidth, dpi_);
    const int height = TwipsToPixels(kClientHeight, dpi_);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    SIZE outer = OuterSizeForClient(width, height, style, exStyle, true, dpi_);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (left == CW_USEDEFAULT) {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(window_, nullptr, left, top, outer.cx, outer.cy, flags);
    // A menu bar too long for the window takes two lines: the window grows by the second.
    RECT client;
    GetClientRect(window_, &client);
    if (client.bottom < height || client.right < width) {
        outer.cx += width - client.right;
        outer.cy += height - client.bottom;
        SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, flags | SWP_NOMOVE);
    }
}

void frm::SetIcons(unsigned dpi)
{
    // The program's icon (resource 1) at the sizes of the caption and of Alt+Tab at this dpi;
    // the icon file holds the drawn icon enlarged to several sizes.
    const std::array<std::pair<WPARAM, int>, 2> sizes = {{{ICON_SMALL, 16}, {ICON_BIG, 32}}};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int side = MulDiv(sizes[i].second, static_cast<int>(dpi), kDefaultDpi);
        const auto icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, 0));
        if (icon == nullptr) {
            continue; // a program without its resources (the tests)
        }
        SendMessageW(window_, WM_SETICON, sizes[i].first, reinterpret_cast<LPARAM>(icon));
        if (icons_[i] != nullptr) {
            DestroyIcon(icons_[i]);
        }
        icons_[i] = icon;
    }
}

void frm::DpiChanged(unsigned dpi, const RECT &suggested)
{
    dpi_ = dpi;
    SetIcons(dpi);
    LayOut(dpi);
    MakeFonts(dpi);
    SizeWindow(suggested.left, suggested.top);
    // The folder's caption is shortened to the label's new width in its new font.
    ShowFolder();
}

} // namespace qv::win32
