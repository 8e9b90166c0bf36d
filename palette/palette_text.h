#pragma once

#include "platform/byte_source.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the line-based palette formats (GIMP, hex, Paint.NET) share: reading the file, its lines
// and their fields.
namespace qv {

// How long a text palette may be: 256 colour lines with long names fit many times over.
inline constexpr std::size_t kLargestPaletteText = std::size_t {1} << 20;

// The whole file as text; one longer than kLargestPaletteText is failure 9999 naming its
// length, without reading it. name: the source as messages call it.
std::string ReadPaletteText(ByteSource &source, std::string_view name, std::string_view format);

// The lines of a text, ended by LF or CR LF (a lone CR ends nothing); a last line without an
// end counts, an empty text has none.
std::vector<std::string_view> TextLines(std::string_view text);

// The text without spaces, tabs and CRs at either end.
std::string_view Trimmed(std::string_view text);

// The value of exactly digits hexadecimal digits at the start of text; -1 when any is not one.
std::int64_t HexDigits(std::string_view text, std::size_t digits);

// "line 7 "abc"": a line of a file as messages name it, counted from 1.
std::string LineOf(std::size_t index, std::string_view line);

} // namespace qv
