#pragma once

#include "platform/dialog_service.h"

#include <string>

namespace qv {

// The folder picker, opened with startFolder selected (at its own default place when empty).
// Only file-system folders can be chosen. Returns the chosen folder, empty text on Cancel.
// newStyle asks for the larger, resizable picker; the toolkit's picker always is one.
std::string BrowseForFolder(DialogService &dialogs,
    const std::string &startFolder,
    const std::string &title,
    bool newStyle);

} // namespace qv
