#include "platform/win32/slider_box.h"

#include "platform/win32/dialog_template.h"

#include <algorithm>
#include <exception>

namespace qv::win32 {
namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kBarId = 101;

struct Slider {
    const std::wstring &prompt;
    int min;
    int max;
    int value;
    const std::function<void(int)> &onMove;
    std::optional<int> answer;
    std::exception_ptr failure;
};

void ShowValue(HWND dialog, const Slider &slider)
{
    const std::wstring text = slider.prompt + L" " + std::to_wstring(slider.value);
    SetDlgItemTextW(dialog, kPromptId, text.c_str());
}

int BarPosition(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, kBarId, TBM_GETPOS, 0, 0));
}

INT_PTR CALLBACK SliderProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *slider = reinterpret_cast<Slider *>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        slider = reinterpret_cast<Slider *>(lParam);
        CentreOverOwner(dialog);
        HWND bar = GetDlgItem(dialog, kBarId);
        SendMessageW(bar, TBM_SETRANGEMIN, FALSE, slider->min);
        SendMessageW(bar, TBM_SETRANGEMAX, FALSE, slider->max);
        SendMessageW(bar, TBM_SETPAGESIZE, 0, std::max(1, (slider->max - slider->min) / 8));
        SendMessageW(bar, TBM_SETPOS, TRUE, slider->value);
        ShowValue(dialog, *slider);
        SetFocus(bar);
        return FALSE; // the focus is set
    }
    case WM_HSCROLL: {
        const int position = BarPosition(dialog);
        if (position != slider->value) {
            slider->value = position;
            ShowValue(dialog, *slider);
            try {
                slider->onMove(position);
            } catch (...) {
                slider->failure = std::current_exception();
                EndDialog(dialog, IDCANCEL);
            }
        }
        return TRUE;
    }
    case WM_COMMAND:
        return EndOnOkOrCancel(dialog, wParam, [&] { slider->answer = BarPosition(dialog); });
    default:
        return FALSE;
    }
}

} // namespace

std::optional<int> ShowSliderBox(HWND owner,
    const std::wstring &prompt,
    const std::wstring &title,
    int min,
    int max,
    int value,
    const std::function<void(int)> &onMove)
{
    // The text prompt's proportions, the edit field's place taken by the bar.
    DialogTemplate layout(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        240,
        70,
        title,
        8,
        L"MS Shell Dlg");
    layout.Add(DialogTemplate::Kind::Static, SS_LEFT | SS_NOPREFIX, 7, 7, 172, 30, kPromptId, L"");
    AddOkAndCancel(layout);
    layout.Add(TRACKBAR_CLASSW,
        TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP | WS_GROUP,
        7,
        44,
        226,
        18,
        kBarId,
        L"");
    Slider state {prompt, min, max, std::clamp(value, min, std::max(min, max)), onMove, {}, {}};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
        layout.Get(),
        owner,
        &SliderProcedure,
        reinterpret_cast<LPARAM>(&state));
    if (state.failure) {
        std::rethrow_exception(state.failure);
    }
    return state.answer;
}

} // namespace qv::win32
