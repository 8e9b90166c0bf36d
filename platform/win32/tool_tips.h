#pragma once

#include "platform/win32/windows_api.h"

#include <string>

namespace qv::win32 {

// The tooltips of one window's controls: a text each, shown while the mouse rests on the
// control. An empty text shows nothing.
class ToolTips
{
public:
    explicit ToolTips(HWND owner);
    ToolTips(const ToolTips &) = delete;
    ToolTips &operator=(const ToolTips &) = delete;
    ~ToolTips();

    // Gives control the text, adding it to the tooltips the first time.
    void Set(HWND control, const std::string &text);
    // The text control shows; empty when it has none.
    std::string Text(HWND control) const;

private:
    HWND owner_;
    HWND window_;
};

} // namespace qv::win32
