#pragma once

#include <cstdio>
#include <string>

namespace qv {

// std::fopen for a UTF-8 path (see utf8_path.h); mode is one of fopen's ("rb", "wb", ...).
// Null with errno set when the file cannot be opened.
std::FILE *OpenFile(const std::string &path, const char *mode);

// A new file for writing bytes; null with errno set (EEXIST among others) when anything of that
// name exists already, so no other file is ever overwritten.
std::FILE *CreateNewFile(const std::string &path);

} // namespace qv
