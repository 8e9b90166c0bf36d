#include "platform/win32/input_box.h"

#include "platform/win32/dialog_template.h"

namespace qv::win32 {
namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

struct Prompt {
    const std::wstring &defaultText;
    std::optional<std::wstring> answer;
};

std::wstring EditText(HWND edit)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

INT_PTR CALLBACK PromptProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *prompt = reinterpret_cast<Prompt *>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        prompt = reinterpret_cast<Prompt *>(lParam);
        CentreOverOwner(dialog);
        HWND edit = GetDlgItem(dialog, kEditId);
        SetWindowTextW(edit, prompt->defaultText.c_str());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        return EndOnOkOrCancel(
            dialog, wParam, [&] { prompt->answer = EditText(GetDlgItem(dialog, kEditId)); });
    default:
        return FALSE;
    }
}

} // namespace

std::optional<std::wstring> ShowInputBox(HWND owner,
    const std::wstring &prompt,
    const std::wstring &title,
    const std::wstring &defaultText)
{
    // The classic prompt's proportions, in dialog units of the system's dialog font.
    DialogTemplate layout(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        240,
        84,
        title,
        8,
        L"MS Shell Dlg");
    layout.Add(
        DialogTemplate::Kind::Static, SS_LEFT | SS_NOPREFIX, 7, 7, 172, 48, kPromptId, prompt);
    AddOkAndCancel(layout);
    layout.Add(DialogTemplate::Kind::Edit,
        ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP,
        7,
        62,
        226,
        14,
        kEditId,
        L"");
    Prompt state {defaultText, std::nullopt};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
        layout.Get(),
        owner,
        &PromptProcedure,
        reinterpret_cast<LPARAM>(&state));
    return state.answer;
}

} // namespace qv::win32
