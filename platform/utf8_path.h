#pragma once

#include <filesystem>
#include <string>

namespace qv {

// Paths are UTF-8 text inside the program. These turn that text into the file system's path and
// back: on Windows through the wide names the system keeps (never the ANSI code page, which
// cannot spell most names), elsewhere byte for byte. Every std::filesystem call and every file
// opened takes its path from Utf8Path.
std::filesystem::path Utf8Path(const std::string &text);
std::string Utf8Text(const std::filesystem::path &path);

} // namespace qv
