#pragma once

#include "platform/win32/windows_api.h"

#include <functional>
#include <optional>
#include <string>

namespace qv::win32 {

// The modal slider: the prompt and the value at the top left, OK and Cancel at the right, and
// under them a track bar over min..max that starts at value. onMove is called with each value the
// bar takes; a failure it throws closes the dialog and is thrown again here. Returns the value
// chosen with OK, nothing for Cancel and the close box.
std::optional<int> ShowSliderBox(HWND owner,
    const std::wstring &prompt,
    const std::wstring &title,
    int min,
    int max,
    int value,
    const std::function<void(int)> &onMove);

} // namespace qv::win32
