#pragma once

#include <cstddef>
#include <string>

namespace qv {

// The longest name one folder entry may have, in UTF-8 bytes: NAME_MAX of Linux's file systems.
// Windows counts 255 UTF-16 units, never fewer than the bytes, but its programs also write to
// disks of other systems (a share, Wine's folders), so the bytes are the limit everywhere.
constexpr std::size_t kLongestName = 255;

// The longest start of text of at most length bytes that ends between two UTF-8 characters.
// Bytes that are not UTF-8 count as characters of their own.
std::string NameStart(const std::string &text, std::size_t length);

} // namespace qv
