#pragma once

#include "platform/win32/windows_api.h"

#include <optional>
#include <string>

namespace qv::win32 {

// The modal text prompt: the prompt text at the top left, OK and Cancel at the right, and under
// them an edit field filled with defaultText, all selected. Returns the text as edited, or
// nothing for Cancel and the close box.
std::optional<std::wstring> ShowInputBox(HWND owner,
    const std::wstring &prompt,
    const std::wstring &title,
    const std::wstring &defaultText);

} // namespace qv::win32
