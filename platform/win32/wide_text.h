#pragma once

#include <string>

namespace qv::win32 {

// Text is UTF-8 inside the program and UTF-16 at the Win32 boundary: these convert between
// the two. Invalid sequences become U+FFFD rather than failing.
std::wstring Wide(const std::string &text);
std::string Narrow(const std::wstring &text);
std::string Narrow(const wchar_t *text);

// A path the system handed over, as the program keeps paths: UTF-8 with "/" between names.
std::string ProgramPath(const std::wstring &systemPath);

} // namespace qv::win32
