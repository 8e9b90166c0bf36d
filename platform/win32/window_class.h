#pragma once

#include "platform/win32/windows_api.h"

#include <string>

namespace qv::win32 {

// A window class of the program's own, registered the first time a window of it is made. Every
// window of the class belongs to one C++ object, handed over as the creation parameter; its
// messages go to that object's Message(window, message, wParam, lParam).
template <typename Owner> class WindowClass
{
public:
    // Registers the class once; background: the brush index + 1, or 0 for none.
    static void Register(const wchar_t *name, HCURSOR cursor, int background, UINT style = 0)
    {
        WNDCLASSEXW wc {};
        wc.cbSize = sizeof(wc);
        if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &wc) != FALSE) {
            return;
        }
        wc.cbSize = sizeof(wc);
        wc.style = style;
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = cursor;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background));
        wc.lpszClassName = name;
        RegisterClassExW(&wc);
    }

    // The object a window of the class belongs to; nullptr before it is known.
    static Owner *Of(HWND window)
    {
        return reinterpret_cast<Owner *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
            SetWindowLongPtrW(
                window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        Owner *owner = Of(window);
        if (owner == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        }
        return owner->Message(window, message, wParam, lParam);
    }
};

// A child control of one of the system's classes (BUTTON, STATIC, LISTBOX, SCROLLBAR, ...) at
// the origin, sized later by the layout.
HWND CreateControl(HWND parent,
    const wchar_t *className,
    const std::wstring &text,
    DWORD style,
    int id,
    DWORD exStyle = 0);

} // namespace qv::win32
