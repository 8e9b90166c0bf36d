#pragma once

#include "platform/win32/label.h"
#include "platform/win32/tool_tips.h"

#include <string>

namespace qv::win32 {

// Shows a folder path in a label that may be too narrow for it: the caption is the path (with
// backslashes) shortened in the middle by DrawText's path ellipsis to 96% of the label's width
// in the label's font, keeping as much as it can of the part after the last backslash; the tag
// keeps the full path, and the tooltip offers the full path only when it had to be shortened.
void SetPathCaption(Label &label, ToolTips &tips, const std::string &path);

} // namespace qv::win32
