#include "platform/win32/dialog_template.h"

namespace qv::win32 {
namespace {

// Where the control count lies in the template: after the style and extended style.
constexpr std::size_t kCountWord = 4;

WORD Word(short value)
{
    return static_cast<WORD>(value);
}

} // namespace

DialogTemplate::DialogTemplate(DWORD style,
    short width,
    short height,
    const std::wstring &title,
    WORD pointSize,
    const std::wstring &face)
{
    Put(style | DS_SETFONT);
    Put(DWORD {0}); // extended style
    words_.push_back(0); // control count, kept up to date by Add
    words_.insert(words_.end(), {Word(0), Word(0), Word(width), Word(height)});
    words_.push_back(0); // no menu
    words_.push_back(0); // the standard dialog class
    Put(title);
    words_.push_back(pointSize);
    Put(face);
}

void DialogTemplate::Add(Kind kind,
    DWORD style,
    short left,
    short top,
    short width,
    short height,
    WORD id,
    const std::wstring &text)
{
    Begin(style, left, top, width, height, id);
    words_.insert(words_.end(), {0xFFFF, static_cast<WORD>(kind)});
    End(text);
}

void DialogTemplate::Add(const std::wstring &className,
    DWORD style,
    short left,
    short top,
    short width,
    short height,
    WORD id,
    const std::wstring &text)
{
    Begin(style, left, top, width, height, id);
    Put(className);
    End(text);
}

void DialogTemplate::Begin(DWORD style, short left, short top, short width, short height, WORD id)
{
    AlignToDword();
    Put(style | WS_CHILD | WS_VISIBLE);
    Put(DWORD {0}); // extended style
    words_.insert(words_.end(), {Word(left), Word(top), Word(width), Word(height), id});
}

void DialogTemplate::End(const std::wstring &text)
{
    Put(text);
    words_.push_back(0); // no creation data
    words_[kCountWord] = static_cast<WORD>(++count_);
}

void DialogTemplate::Put(DWORD value)
{
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogTemplate::Put(const std::wstring &text)
{
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
}

void DialogTemplate::AlignToDword()
{
    if (words_.size() % 2 != 0) {
        words_.push_back(0);
    }
}

void AddOkAndCancel(DialogTemplate &layout)
{
    layout.Add(DialogTemplate::Kind::Button,
        BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
        187,
        7,
        46,
        14,
        IDOK,
        L"OK");
    layout.Add(DialogTemplate::Kind::Button,
        BS_PUSHBUTTON | WS_TABSTOP,
        187,
        25,
        46,
        14,
        IDCANCEL,
        L"Cancel");
}

void CentreOverOwner(HWND dialog)
{
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner == nullptr || IsWindowVisible(owner) == FALSE) {
        return;
    }
    RECT over {};
    RECT self {};
    GetWindowRect(owner, &over);
    GetWindowRect(dialog, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    SetWindowPos(dialog,
        nullptr,
        (over.left + over.right - width) / 2,
        (over.top + over.bottom - height) / 2,
        0,
        0,
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace qv::win32
