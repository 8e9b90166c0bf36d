#pragma once

#include "platform/win32/windows_api.h"

namespace qv::win32 {

// The dots per inch of the monitor a window is on (per-monitor aware programs), or of the
// screen on systems older than Windows 10 1607; 96 when neither can say.
unsigned WindowDpi(HWND window);

// The outer size of a window whose client area is width x height pixels at dpi, with its frame,
// caption and a one-line menu bar as the system draws them at that dpi.
SIZE OuterSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool menu, unsigned dpi);

// The system's message font (the face of message boxes and dialogs) at dpi.
LOGFONTW MessageFont(unsigned dpi);

} // namespace qv::win32
