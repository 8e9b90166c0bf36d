// The design in pixels: every control at its twips turned into pixels at the dpi of the monitor
// the window is on, the fonts at that dpi, and the window as large as its client area and menu
// bar. All of it again when the window moves to a monitor of another dpi. A window the user
// makes larger than the design moves and stretches the controls as their names say; its size
// is kept in the settings.
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

ControlPlace frm::PlaceAt(const Placement &placed, unsigned dpi) const
{
    // The design's place in pixels, and where it goes in the larger window.
    const auto grown = [this, dpi](const Placement &p) {
        const PixelRect at = ToPixels(p.place, dpi);
        const ControlPlace design {at.left, at.top, at.width, at.height};
        return std::pair {design, Grown(design, AnchorOf(p.name), grow_.cx, grow_.cy)};
    };
    if (placed.frame < 0) {
        return grown(placed).second;
    }
    const auto [frameDesign, frameNow] =
        grown(placements_.at(static_cast<std::size_t>(placed.frame)));
    ControlPlace at = grown(placed).first;
    at.left += frameNow.left - frameDesign.left;
    at.top += frameNow.top - frameDesign.top;
    if (placed.fillsFrame) {
        at.width += frameNow.width - frameDesign.width;
        at.height += frameNow.height - frameDesign.height;
    }
    return at;
}

SIZE frm::DesignClient(unsigned dpi) const
{
    return {TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi)};
}

void frm::LayOut(unsigned dpi)
{
    HDWP positions = BeginDeferWindowPos(static_cast<int>(placements_.size()));
    for (const Placement &placed : placements_) {
        const ControlPlace at = PlaceAt(placed, dpi);
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
    const SIZE design = DesignClient(dpi_);
    const int width = design.cx + grow_.cx;
    const int height = design.cy + grow_.cy;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    SIZE outer = OuterSizeForClient(width, height, style, exStyle, true, dpi_);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (left == CW_USEDEFAULT) {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(window_, nullptr, left, top, outer.cx, outer.cy, flags);
    // A menu bar too long for the window takes two lines: the window grows by the second. A
    // system that draws the frame and menu bar at another dpi than asked is made up for too.
    RECT client;
    GetClientRect(window_, &client);
    if (client.bottom != height || client.right != width) {
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
    // The growth keeps its size in inches.
    grow_ = {MulDiv(grow_.cx, static_cast<int>(dpi), static_cast<int>(dpi_)),
        MulDiv(grow_.cy, static_cast<int>(dpi), static_cast<int>(dpi_))};
    dpi_ = dpi;
    SetIcons(dpi);
    LayOut(dpi);
    MakeFonts(dpi);
    SizeWindow(suggested.left, suggested.top);
    // The folder's caption is shortened to the label's new width in its new font.
    ShowFolder();
}

void frm::Resized()
{
    if (window_ == nullptr || placements_.empty() || IsIconic(window_) != FALSE) {
        return;
    }
    RECT client;
    GetClientRect(window_, &client);
    const SIZE design = DesignClient(dpi_);
    const SIZE grow {
        std::max<LONG>(0, client.right - design.cx), std::max<LONG>(0, client.bottom - design.cy)};
    if (grow.cx == grow_.cx && grow.cy == grow_.cy) {
        return;
    }
    grow_ = grow;
    LayOut(dpi_);
    // The folder's caption is shortened to the label's new width.
    ShowFolder();
}

void frm::LimitSize(MINMAXINFO &limits) const
{
    if (window_ == nullptr) {
        return;
    }
    RECT outer;
    RECT client;
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    const SIZE design = DesignClient(dpi_);
    limits.ptMinTrackSize.x = design.cx + (outer.right - outer.left) - client.right;
    limits.ptMinTrackSize.y = design.cy + (outer.bottom - outer.top) - client.bottom;
}

void frm::RestoreSize()
{
    const int width = session_.GetWindowWidth();
    const int height = session_.GetWindowHeight();
    if (width == 0 && height == 0) {
        return;
    }
    MONITORINFO monitor {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT outer;
    RECT client;
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    const SIZE room {
        (monitor.rcWork.right - monitor.rcWork.left) - (outer.right - outer.left) + client.right,
        (monitor.rcWork.bottom - monitor.rcWork.top) - (outer.bottom - outer.top) + client.bottom};
    const SIZE design = DesignClient(dpi_);
    grow_.cx = std::max<LONG>(0, std::min<LONG>(width, room.cx) - design.cx);
    grow_.cy = std::max<LONG>(0, std::min<LONG>(height, room.cy) - design.cy);
    LayOut(dpi_);
    SizeWindow(CW_USEDEFAULT, CW_USEDEFAULT);
    ShowFolder();
}

void frm::Unload()
{
    RECT client;
    GetClientRect(window_, &client);
    if (IsIconic(window_) != FALSE) {
        // Minimized: the size it comes back at.
        WINDOWPLACEMENT placement {};
        placement.length = sizeof(placement);
        GetWindowPlacement(window_, &placement);
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
        const SIZE frame = OuterSizeForClient(0, 0, style, exStyle, true, dpi_);
        client = {0,
            0,
            placement.rcNormalPosition.right - placement.rcNormalPosition.left - frame.cx,
            placement.rcNormalPosition.bottom - placement.rcNormalPosition.top - frame.cy};
    }
    const SIZE design = DesignClient(dpi_);
    Run("Form_Unload", [this, &client, design] {
        session_.Form_Unload(client.right, client.bottom, design.cx, design.cy);
    });
}

} // namespace qv::win32
