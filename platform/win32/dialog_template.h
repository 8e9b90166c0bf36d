#pragma once

#include "platform/win32/windows_api.h"

#include <string>
#include <vector>

namespace qv::win32 {

// A dialog described in memory, as a resource file would describe it: the dialog's style, size
// (dialog units), title and font, then its controls one by one. The text prompt is made from one
// rather than from a resource, so that it lives with its code.
class DialogTemplate
{
public:
    // The classes of the controls a template can hold, by their predefined atoms.
    enum class Kind : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082 };

    DialogTemplate(DWORD style,
        short width,
        short height,
        const std::wstring &title,
        WORD pointSize,
        const std::wstring &face);

    void Add(Kind kind,
        DWORD style,
        short left,
        short top,
        short width,
        short height,
        WORD id,
        const std::wstring &text);
    // A control of a registered class named className (a common control, say).
    void Add(const std::wstring &className,
        DWORD style,
        short left,
        short top,
        short width,
        short height,
        WORD id,
        const std::wstring &text);

    // The template as DialogBoxIndirectParam takes it; valid while this object is unchanged.
    const DLGTEMPLATE *Get() const { return reinterpret_cast<const DLGTEMPLATE *>(words_.data()); }
    int ControlCount() const { return count_; }

private:
    // The control's record up to its class, then the class words, its text and the count.
    void Begin(DWORD style, short left, short top, short width, short height, WORD id);
    void End(const std::wstring &text);
    void Put(DWORD value);
    void Put(const std::wstring &text);
    // Pads to the next 4-byte boundary, where every control's record must start.
    void AlignToDword();

    std::vector<WORD> words_;
    int count_ = 0;
};

// The OK (default) and Cancel buttons of a prompt 240 dialog units wide, at its top right.
void AddOkAndCancel(DialogTemplate &layout);

// A prompt's answer to WM_COMMAND: OK takes the answer (takeAnswer()) and ends the dialog, Cancel
// ends it; TRUE for these two, FALSE for any other command.
template <typename TakeAnswer>
INT_PTR EndOnOkOrCancel(HWND dialog, WPARAM wParam, TakeAnswer &&takeAnswer)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        takeAnswer();
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

// Moves a dialog over the middle of the window it belongs to, as a message box opens; a dialog
// without a visible owner keeps its own place.
void CentreOverOwner(HWND dialog);

} // namespace qv::win32
