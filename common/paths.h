#pragma once

#include <string>
#include <string_view>

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

// The extension of a file name in lower case, without its dot: "gpl"; empty for none.
std::string LowerExtension(std::string_view fileName);

} // namespace qv
