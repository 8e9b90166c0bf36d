#pragma once

#include <string>

namespace qv {

// The characters that separate folders in a path: "/" everywhere, and "\" too on Windows. On
// other systems a backslash is an ordinary character of a file name ("x\s.bmp").
#ifdef _WIN32
inline constexpr const char *kPathSeparators = "/\\";
#else
inline constexpr const char *kPathSeparators = "/";
#endif

// The part of a path after its last separator, or the whole path when it has none.
std::string FileNameFromPath(const std::string &path);

} // namespace qv
