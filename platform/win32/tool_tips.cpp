#include "platform/win32/tool_tips.h"

#include "platform/win32/wide_text.h"

#include <array>

namespace qv::win32 {
namespace {

// Without lpReserved: the record size every version of the common controls accepts.
TTTOOLINFOW ToolFor(HWND owner, HWND control)
{
    TTTOOLINFOW tool {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

} // namespace

ToolTips::ToolTips(HWND owner)
    : owner_(owner)
    , window_(CreateWindowExW(WS_EX_TOPMOST,
          TOOLTIPS_CLASSW,
          nullptr,
          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
          CW_USEDEFAULT,
          CW_USEDEFAULT,
          CW_USEDEFAULT,
          CW_USEDEFAULT,
          owner,
          nullptr,
          GetModuleHandleW(nullptr),
          nullptr))
{ }

ToolTips::~ToolTips()
{
    if (IsWindow(window_) != FALSE) {
        DestroyWindow(window_);
    }
}

void ToolTips::Set(HWND control, const std::string &text)
{
    std::wstring wide = Wide(text);
    TTTOOLINFOW tool = ToolFor(owner_, control);
    tool.lpszText = wide.data();
    TTTOOLINFOW known = ToolFor(owner_, control);
    if (SendMessageW(window_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known)) != FALSE) {
        SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::string ToolTips::Text(HWND control) const
{
    std::array<wchar_t, 1024> text {};
    TTTOOLINFOW tool = ToolFor(owner_, control);
    tool.lpszText = text.data();
    SendMessageW(window_, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return Narrow(text.data());
}

} // namespace qv::win32
