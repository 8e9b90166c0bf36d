#include "platform/win32/window_class.h"

namespace qv::win32 {

HWND CreateControl(HWND parent,
    const wchar_t *className,
    const std::wstring &text,
    DWORD style,
    int id,
    DWORD exStyle)
{
    return CreateWindowExW(exStyle,
        className,
        text.c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
        0,
        0,
        0,
        0,
        parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleW(nullptr),
        nullptr);
}

} // namespace qv::win32
