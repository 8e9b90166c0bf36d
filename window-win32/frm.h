#pragma once

#include "app/session.h"
#include "app/session_view.h"
#include "app/window_growth.h"
#include "common/win32/color_checkbox.h"
#include "platform/dialog_service.h"
#include "platform/win32/arrow_scroll_bar.h"
#include "platform/win32/caption_fonts.h"
#include "platform/win32/file_list_box.h"
#include "platform/win32/image_box.h"
#include "platform/win32/label.h"
#include "platform/win32/menu_item.h"
#include "platform/win32/tool_tips.h"
#include "platform/win32/twips.h"
#include "platform/win32/windows_api.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qv::win32 {

// The program's window on Windows: the controls of the window's design, named as in it, showing
// the state of one Session and handing every user action to the session's command of that
// control and event, as the Qt window does on Linux. It holds no option of its own: a control
// shows what the session holds, and a control the user changes tells the session, which answers
// with what changed. Places are kept in twips and turned into pixels at the dpi of the monitor
// the window is on, again whenever it moves to another.
class frm : public SessionView
{
public:
    explicit frm(DialogService &dialogs);
    frm(const frm &) = delete;
    frm &operator=(const frm &) = delete;
    ~frm() override;

    HWND Handle() const { return window_; }
    // Start-up: the 255 further palette-entry boxes, then the session's start-up, which shows
    // every value it restores, then the title.
    void Form_Load(const std::string &settingsPath, const std::string &settingsFolder);
    Session &session() { return session_; }

    // The window's share of the message loop: its keyboard shortcuts and the keys that move
    // between its controls. True when the message was handled and must not be dispatched.
    bool PreTranslate(MSG &message);
    // Closing the window ends the message loop (the program's window; not a test's).
    void QuitWhenClosed() { quitWhenClosed_ = true; }

    // --- What the session asks of its view.
    void Changed(ChangeSet changes) override;
    void FocusConvertButton() override;
    void SetBusy(bool busy) override;
    void KeepPainting() override;
    void CloseWindow() override;

    // The window's messages (window_class.h).
    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // The controls, named as in the window's design, in tab order, then the menus. Protected so
    // that the tests' window can publish the ones its tests check.
    HWND cmdOK = nullptr;
    HWND fraImage = nullptr;
    std::array<HWND, 2> optShow {};
    std::unique_ptr<ImageBox> img;
    std::unique_ptr<FileListBox> File;
    // Members 0, 1, 4, 5, 6 and 7 only.
    std::map<int, std::unique_ptr<Label>> lbl;
    std::unique_ptr<ArrowScrollBar> vsbSize;
    std::unique_ptr<Label> lblSize;
    HWND cmdAnalyze = nullptr;
    HWND fraBrightness = nullptr;
    std::array<std::unique_ptr<ArrowScrollBar>, 3> vsbBright;
    std::array<std::unique_ptr<Label>, 3> lblBright;
    HWND cmdResetSkips = nullptr;
    HWND cmdSetAllBright = nullptr;
    std::unique_ptr<Label> lblFolder;
    // Member 0 is in the design; start-up makes the others.
    std::array<std::unique_ptr<ColorCheckbox>, 256> chkPal;
    HWND cmdRefreshFileList = nullptr;
    // The mapping report of the picture last previewed.
    std::unique_ptr<Label> lblReport;
    std::unique_ptr<ToolTips> tips;

    // Menus.
    HMENU menuBar = nullptr;
    MenuItem *mnuFileOpenFolder = nullptr;
    MenuItem *mnuFileRestore = nullptr;
    MenuItem *mnuFileExit = nullptr;
    MenuArray mnuScalingOption;
    MenuArray mnuVerticalAlignmentOption;
    MenuArray mnuHorizontalAlignmentOption;
    MenuArray mnuColorMatchingOption;
    MenuArray mnuQualityDistance;
    MenuArray mnuQualityDithering;
    MenuItem *mnuQualityKeepExact = nullptr;
    MenuItem *mnuQualityDitherStrength = nullptr;
    MenuItem *mnuPaletteConvertPalette = nullptr;
    MenuArray mnuPaletteOption;
    MenuItem *mnuTransparencyApply = nullptr;
    MenuItem *mnuTransparencyInputColor = nullptr;
    MenuItem *mnuTransparencyOutputColor = nullptr;
    MenuItem *mnuTransparencyLeftRightCols = nullptr;
    MenuItem *mnuTransparencyUseAlpha = nullptr;
    MenuItem *mnuTransparencyAlphaThreshold = nullptr;
    MenuItem *mnuTransparencyInputRGB = nullptr;
    MenuItem *mnuTransparencyScanForInputColor = nullptr;
    MenuArray mnuOutputFormat;
    MenuArray mnuOutputOffsets;
    MenuArray mnuViewPicture;
    MenuItem *mnuViewColorMap = nullptr;
    MenuItem *mnuViewLightLevel = nullptr;
    MenuItem *mnuViewNoColorMap = nullptr;
    MenuArray mnuViewZoom;
    HACCEL accelerators = nullptr;

    // The dpi the window is laid out for.
    unsigned Dpi() const { return dpi_; }

private:
    // A control's place in the design, in twips from the client area's top-left corner, with
    // its name in the design, which says how it follows a window larger than the design.
    struct Placement {
        HWND control;
        TwipsRect place;
        std::string name;
        // The placement of the frame it lies on (it keeps its place relative to the frame's
        // top-left corner), or -1.
        int frame = -1;
        // It grows with that frame (the picture box inside the picture frame).
        bool fillsFrame = false;
    };

    // The design (frm_design.cpp, frm_menu_design.cpp).
    void CreateMainWindow();
    void CreateControls();
    void CreatePaletteGrid();
    void CreateMenus();
    MenuItem *AddItem(HMENU menu,
        const std::string &caption,
        int index = -1,
        MenuItem::Check check = MenuItem::Check::None,
        const std::string &shortcut = {});
    int NextId() { return nextId_++; }
    // Records where control goes; the index of its placement.
    int Place(HWND control,
        std::string name,
        const TwipsRect &place,
        int frame = -1,
        bool fillsFrame = false);

    // Pixels at a dpi (frm_layout.cpp).
    void LayOut(unsigned dpi);
    // Where a placement is at dpi in a client area grow_ larger than the design's.
    ControlPlace PlaceAt(const Placement &placed, unsigned dpi) const;
    // The design's client area in pixels at dpi.
    SIZE DesignClient(unsigned dpi) const;
    void MakeFonts(unsigned dpi);
    // The window as large as the design's client area and grow_, its menu bar and frame; at
    // left, top unless CW_USEDEFAULT.
    void SizeWindow(int left, int top);
    // The client area's new size: the controls follow when the growth changed.
    void Resized();
    // The smallest window: the design's client area with the frame and menu bar it has now.
    void LimitSize(MINMAXINFO &limits) const;
    // The client area's size at the last close, no smaller than the design, within the screen.
    void RestoreSize();
    // The client area's size handed to the session as the window closes.
    void Unload();
    void SetIcons(unsigned dpi);
    void DpiChanged(unsigned dpi, const RECT &suggested);

    // Each user action to its session command (frm_connect.cpp).
    void ConnectControls();
    void ConnectMenus();
    void ConnectSkipBox(int index);
    void OnCommand(UINT id, std::function<void(UINT code)> action);
    // Runs a session command under its name (what an escaping failure is reported as).
    void Run(const char *name, const std::function<void()> &command);
    void Dropped(HDROP drop);
    // The wheel turned over the window: the picture box's when the mouse is over it.
    bool WheelOverPicture(WPARAM wParam, LPARAM lParam);

    // Showing the session's state, one part each (frm_show.cpp).
    void ShowFolder();
    void ShowFileList();
    void ShowSelection();
    void ShowOptions();
    void ShowEnabled();
    void ShowSkips();
    void ShowPaletteColors();
    void ShowSize();
    void ShowBrightness();
    void ShowPicture();
    void ShowFrameTitle();
    void ShowReport();
    // The line under the frame alone: the report, or what lies under the mouse.
    void ShowReportLine();
    void ShowChoice();
    // The View menu's check mark and its colour map items.
    void ShowViewMenu();
    // The picture box at the session's zoom.
    void ShowZoom();
    // The view's stored values read or changed: the zoom and the View menu.
    void ShowViewSettings();

    DialogService &dialogs_;
    Session session_;
    HWND window_ = nullptr;
    unsigned dpi_ = kDefaultDpi;
    std::unique_ptr<CaptionFonts> captions_;
    HFONT markFont_ = nullptr; // the "X" of the palette-entry boxes
    std::array<HICON, 2> icons_ {}; // the caption's and Alt+Tab's
    std::vector<Placement> placements_;
    // How much larger than the design's the client area is, in pixels (never below 0).
    SIZE grow_ {0, 0};
    std::map<UINT, std::function<void(UINT code)>> commands_;
    std::vector<std::unique_ptr<MenuItem>> items_;
    // What a press on each option button runs (frm_connect.cpp).
    std::vector<std::unique_ptr<std::function<void()>>> presses_;
    int nextId_ = 1000;
    bool busy_ = false;
    bool quitWhenClosed_ = false;
    // The control that had the focus when the window was last deactivated.
    HWND focus_ = nullptr;
};

} // namespace qv::win32
