// Every user action on the window, handed to the session's command of that control and event,
// the folders and files dropped onto the window, and the window's own messages.
#include "common/option_table.h"
#include "platform/win32/wide_text.h"
#include "window-win32/frm.h"

#include <utility>

namespace qv::win32 {
namespace {

// Calls back on every press of the left button on an option button, before the button handles
// it: the option acts on the press, not on the click that follows.
LRESULT CALLBACK PressSubclass(
    HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &PressSubclass, id);
    }
    if (message == WM_LBUTTONDOWN) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        (*reinterpret_cast<std::function<void()> *>(data))();
        return result;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void frm::Run(const char *name, const std::function<void()> &command)
{
    session_.Handle(name, command);
}

void frm::OnCommand(UINT id, std::function<void(UINT code)> action)
{
    commands_[id] = std::move(action);
}

void frm::ConnectControls()
{
    Session &s = session_;
    const auto onClick = [this](HWND button, const char *name, void (Session::*command)()) {
        OnCommand(static_cast<UINT>(GetDlgCtrlID(button)), [this, name, command](UINT code) {
            if (code == BN_CLICKED) {
                Run(name, [this, command] { (session_.*command)(); });
            }
        });
    };
    onClick(cmdOK, "cmdOK_Click", &Session::cmdOK_Click);
    onClick(cmdAnalyze, "cmdAnalyze_Click", &Session::cmdAnalyze_Click);
    onClick(cmdRefreshFileList, "cmdRefreshFileList_Click", &Session::cmdRefreshFileList_Click);
    onClick(cmdResetSkips, "cmdResetSkips_Click", &Session::cmdResetSkips_Click);
    onClick(cmdSetAllBright, "cmdSetAllBright_Click", &Session::cmdSetAllBright_Click);

    const auto onLabelClick = [this](const Label &label, std::function<void()> click) {
        OnCommand(
            static_cast<UINT>(GetDlgCtrlID(label.Handle())), [click = std::move(click)](UINT code) {
                if (code == STN_CLICKED) {
                    click();
                }
            });
    };
    onLabelClick(*lblFolder, [this, &s] { Run("lblFolder_Click", [&s] { s.lblFolder_Click(); }); });
    onLabelClick(*lblSize, [this, &s] { Run("lblSize_Click", [&s] { s.lblSize_Click(); }); });
    for (int i = 0; i < 3; ++i) {
        onLabelClick(*lblBright[static_cast<std::size_t>(i)],
            [this, &s, i] { Run("lblBright_Click", [&s, i] { s.lblBright_Click(i); }); });
        ArrowScrollBar &bar = *vsbBright[static_cast<std::size_t>(i)];
        bar.OnChange([this, &s, i, &bar] {
            Run("vsbBright_Change", [&s, i, &bar] { s.SetBrightnessValue(i, bar.Value()); });
        });
    }
    vsbSize->OnChange(
        [this, &s] { Run("vsbSize_Change", [&s, this] { s.SetSizeValue(vsbSize->Value()); }); });

    // Every change the user makes to the list's selection is a click of the list.
    OnCommand(static_cast<UINT>(GetDlgCtrlID(File->Handle())), [this, &s](UINT code) {
        if (code == LBN_SELCHANGE) {
            Run("File_Click",
                [&s, this] { s.File_SelectionChanged(File->Selection(), File->ListIndex()); });
        }
    });

    for (int i = 0; i < static_cast<int>(optShow.size()); ++i) {
        HWND option = optShow[static_cast<std::size_t>(i)];
        OnCommand(static_cast<UINT>(GetDlgCtrlID(option)), [this, &s, i](UINT code) {
            // The keyboard chooses without showing; a press has shown already.
            if (code == BN_CLICKED && s.ShowChoice() != i) {
                Run("optShow_Click", [&s, i] { s.SetShowChoice(i); });
            }
        });
        auto *press = new std::function<void()>(
            [this, &s, i] { Run("optShow_MouseDown", [&s, i] { s.optShow_MouseDown(i); }); });
        SetWindowSubclass(option, &PressSubclass, 0, reinterpret_cast<DWORD_PTR>(press));
        presses_.emplace_back(press);
    }

    ConnectSkipBox(0);
    img->OnMouseDown([this, &s](int button, int shift, double x, double y) {
        Run("img_MouseDown", [&] { s.img_MouseDown(button, shift, x, y); });
    });
    img->OnMouseMove(
        [this, &s](double x, double y) { Run("img_MouseMove", [&] { s.img_MouseMove(x, y); }); });
    img->OnMouseLeave([this, &s] { Run("img_MouseLeave", [&s] { s.img_MouseLeave(); }); });
    img->OnZoomWheel([this, &s](int steps) {
        Run(options::kZoom.handlerName, [&s, steps] { s.ZoomStep(steps); });
    });
}

void frm::ConnectSkipBox(int index)
{
    ColorCheckbox &box = *chkPal[static_cast<std::size_t>(index)];
    box.OnChange([this, index, &box] {
        Run("chkPal_Change", [this, index, &box] { session_.SetSkipValue(index, box.Value()); });
    });
}

void frm::ConnectMenus()
{
    Session &s = session_;
    const auto onClick = [this](MenuItem *item, const char *name, void (Session::*command)()) {
        OnCommand(item->Id(),
            [this, name, command](UINT) { Run(name, [this, command] { (session_.*command)(); }); });
    };
    onClick(mnuFileOpenFolder, "mnuFileOpenFolder_Click", &Session::mnuFileOpenFolder_Click);
    onClick(mnuFileRestore, "mnuFileRestore_Click", &Session::mnuFileRestore_Click);
    onClick(mnuFileExit, "mnuFileExit_Click", &Session::mnuFileExit_Click);
    onClick(mnuPaletteConvertPalette,
        options::kConvertPalette.handlerName,
        &Session::mnuPaletteConvertPalette_Click);
    onClick(mnuTransparencyApply,
        options::kApplyTransparency.handlerName,
        &Session::mnuTransparencyApply_Click);
    onClick(mnuTransparencyInputColor,
        "mnuTransparencyInputColor_Click",
        &Session::mnuTransparencyInputColor_Click);
    onClick(mnuTransparencyOutputColor,
        "mnuTransparencyOutputColor_Click",
        &Session::mnuTransparencyOutputColor_Click);
    onClick(mnuTransparencyLeftRightCols,
        options::kTransparentEdges.handlerName,
        &Session::mnuTransparencyLeftRightCols_Click);
    onClick(mnuTransparencyScanForInputColor,
        "mnuTransparencyScanForInputColor_Click",
        &Session::mnuTransparencyScanForInputColor_Click);
    onClick(mnuTransparencyUseAlpha,
        options::kUseAlpha.handlerName,
        &Session::mnuTransparencyUseAlpha_Click);
    onClick(mnuTransparencyAlphaThreshold,
        "mnuTransparencyAlphaThreshold_Click",
        &Session::mnuTransparencyAlphaThreshold_Click);
    onClick(mnuQualityKeepExact,
        options::kKeepExactColors.handlerName,
        &Session::mnuQualityKeepExact_Click);
    onClick(mnuQualityDitherStrength,
        "mnuQualityDitherStrength_Click",
        &Session::mnuQualityDitherStrength_Click);
    onClick(mnuViewColorMap, "mnuViewColorMap_Click", &Session::mnuViewColorMap_Click);
    onClick(mnuViewLightLevel, "mnuViewLightLevel_Click", &Session::mnuViewLightLevel_Click);
    onClick(mnuViewNoColorMap, "mnuViewNoColorMap_Click", &Session::mnuViewNoColorMap_Click);
    onClick(mnuTransparencyInputRGB,
        "mnuTransparencyInputRGB_Click",
        &Session::mnuTransparencyInputRGB_Click);

    struct OptionMenu {
        const MenuArray &items;
        const char *name;
        void (Session::*command)(int);
    };
    const OptionMenu menus[] = {
        {mnuScalingOption, options::kScaling.handlerName, &Session::mnuScalingOption_Click},
        {mnuVerticalAlignmentOption,
            options::kVerticalAlignment.handlerName,
            &Session::mnuVerticalAlignmentOption_Click},
        {mnuHorizontalAlignmentOption,
            options::kHorizontalAlignment.handlerName,
            &Session::mnuHorizontalAlignmentOption_Click},
        {mnuColorMatchingOption,
            options::kColorMatching.handlerName,
            &Session::mnuColorMatchingOption_Click},
        {mnuQualityDistance, options::kDistance.handlerName, &Session::mnuQualityDistance_Click},
        {mnuQualityDithering, options::kDithering.handlerName, &Session::mnuQualityDithering_Click},
        {mnuOutputFormat, options::kOutputFormat.handlerName, &Session::mnuOutputFormat_Click},
        {mnuOutputOffsets, options::kOffsets.handlerName, &Session::mnuOutputOffsets_Click},
        {mnuViewPicture, options::kPictureView.handlerName, &Session::mnuViewPicture_Click},
        {mnuPaletteOption, "mnuPaletteOption_Click", &Session::mnuPaletteOption_Click},
        {mnuViewZoom, options::kZoom.handlerName, &Session::mnuViewZoom_Click},
    };
    for (const OptionMenu &menu : menus) {
        for (MenuItem *item : menu.items) {
            const int index = item->Index();
            const char *name = menu.name;
            const auto command = menu.command;
            OnCommand(item->Id(), [this, &s, name, command, index](UINT) {
                Run(name, [&s, command, index] { (s.*command)(index); });
            });
        }
    }
}

void frm::Dropped(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        const UINT length = DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size()));
        path.resize(length);
        paths.push_back(ProgramPath(path));
    }
    DragFinish(drop);
    if (!paths.empty()) {
        Run("Form_DragDrop", [this, &paths] { session_.DropPaths(paths); });
    }
}

bool frm::WheelOverPicture(WPARAM wParam, LPARAM lParam)
{
    // The wheel reaches the control with the focus, which hands it here.
    const POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT box;
    if (img == nullptr || GetWindowRect(img->Handle(), &box) == FALSE
        || PtInRect(&box, at) == FALSE) {
        return false;
    }
    SendMessageW(img->Handle(), WM_MOUSEWHEEL, wParam, lParam);
    return true;
}

bool frm::PreTranslate(MSG &message)
{
    if (window_ == nullptr) {
        return false;
    }
    if (accelerators != nullptr && TranslateAcceleratorW(window_, accelerators, &message) != 0) {
        return true;
    }
    // Tab and the arrows move between the controls, as in a dialog.
    return IsDialogMessageW(window_, &message) != FALSE;
}

LRESULT frm::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const auto found = commands_.find(LOWORD(wParam));
        if (found != commands_.end()) {
            // A copy: the command may replace what it runs from.
            const std::function<void(UINT)> command = found->second;
            command(HIWORD(wParam));
        }
        return 0;
    }
    case WM_VSCROLL: {
        const auto bar = reinterpret_cast<HWND>(lParam);
        for (ArrowScrollBar *arrows :
            {vsbSize.get(), vsbBright[0].get(), vsbBright[1].get(), vsbBright[2].get()}) {
            if (arrows != nullptr && arrows->Handle() == bar) {
                arrows->Scroll(LOWORD(wParam));
            }
        }
        return 0;
    }
    case WM_DROPFILES:
        Dropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // The focus goes back where it was when the window is activated again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            focus_ = GetFocus();
        } else if (focus_ != nullptr && IsChild(window, focus_) != FALSE) {
            SetFocus(focus_);
            return 0;
        }
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            Resized();
        }
        return 0;
    case WM_GETMINMAXINFO:
        LimitSize(*reinterpret_cast<MINMAXINFO *>(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (WheelOverPicture(wParam, lParam)) {
            return 0;
        }
        break;
    case WM_DPICHANGED:
        DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_DESTROY:
        Unload();
        if (quitWhenClosed_) {
            PostQuitMessage(0);
        }
        return 0;
    case WM_NCDESTROY:
        window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace qv::win32
