#pragma once

#include <cstddef>
#include <string>

namespace qv {

// The longest name one folder entry may have: 255 bytes on Linux (NAME_MAX of its file systems),
// 255 UTF-16 units on Windows.
constexpr std::size_t kLongestName = 255;

// The length of a UTF-8 name as the file system counts it against kLongestName.
std::size_t NameLength(const std::string &name);

// The longest start of text whose NameLength is at most length, cut between characters. Bytes
// that are not UTF-8 count as characters of their own.
std::string NameStart(const std::string &text, std::size_t length);

} // namespace qv
