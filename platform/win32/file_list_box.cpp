#include "platform/win32/file_list_box.h"

#include "platform/failure.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace qv::win32 {

FileListBox::FileListBox(HWND parent, int id)
    : window_(CreateControl(parent,
        WC_LISTBOXW,
        L"",
        WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT
            | LBS_HASSTRINGS,
        id,
        WS_EX_CLIENTEDGE))
{
    SetWindowSubclass(window_, &Subclass, 0, 0);
}

void FileListBox::SetEntries(const std::vector<std::string> &names)
{
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(window_, LB_RESETCONTENT, 0, 0);
    SendMessageW(window_, LB_INITSTORAGE, names.size(), static_cast<LPARAM>(names.size() * 32));
    for (const std::string &name : names) {
        const std::wstring wide = Wide(name);
        SendMessageW(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
}

int FileListBox::ListCount() const
{
    return static_cast<int>(SendMessageW(window_, LB_GETCOUNT, 0, 0));
}

std::string FileListBox::List(int i) const
{
    const LRESULT length = SendMessageW(window_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (i < 0 || length == LB_ERR) {
        Fail(kSubscriptOutOfRange);
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(
        window_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return Narrow(text);
}

std::vector<bool> FileListBox::Selection() const
{
    std::vector<bool> selected;
    for (int i = 0; i < ListCount(); ++i) {
        selected.push_back(SendMessageW(window_, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
    }
    return selected;
}

int FileListBox::ListIndex() const
{
    if (ListCount() == 0) {
        return -1;
    }
    return static_cast<int>(SendMessageW(window_, LB_GETCARETINDEX, 0, 0));
}

void FileListBox::SetSelection(const std::vector<bool> &selected, int current)
{
    SendMessageW(window_, LB_SETSEL, FALSE, -1);
    for (int i = 0; i < ListCount() && i < static_cast<int>(selected.size()); ++i) {
        if (selected[static_cast<std::size_t>(i)]) {
            SendMessageW(window_, LB_SETSEL, TRUE, i);
        }
    }
    if (current >= 0 && current < ListCount()) {
        SendMessageW(window_, LB_SETCARETINDEX, static_cast<WPARAM>(current), FALSE);
    }
}

LRESULT CALLBACK FileListBox::Subclass(
    HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &Subclass, id);
    }
    // Ctrl+A selects every entry, as in any list of files; the parent hears of it as of a click.
    if (message == WM_KEYDOWN && wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
        SendMessageW(window, LB_SETSEL, TRUE, -1);
        SendMessageW(GetParent(window),
            WM_COMMAND,
            MAKEWPARAM(GetDlgCtrlID(window), LBN_SELCHANGE),
            reinterpret_cast<LPARAM>(window));
        return 0;
    }
    if (message == WM_CHAR && wParam == 1) {
        return 0; // Ctrl+A's character: no search for an entry starting with it
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace qv::win32
