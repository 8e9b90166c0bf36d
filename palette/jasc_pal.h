#pragma once

#include "palette/palette_file.h"
#include "palette/raw_palette.h"
#include "platform/byte_source.h"

#include <cstddef>
#include <string_view>

// JASC-PAL text: "JASC-PAL", "0100", a colour count, then one "red green blue" line per entry,
// every line ending in CR LF. The count line is not trusted: up to 256 entries are read.
// Refusals name the source and the line: "Type mismatch: palette file /p/x.pal: line 12
// "12 abc 7": "abc" is not a number".
namespace qv {

// How much of a JASC-PAL file is read at most: a real one is under 5 KB (three header lines and
// 256 lines of at most "255 255 255 255" and CR LF). 1 MiB leaves about 4 KB on every line for
// further fields, and a file whose 256th colour line does not end within it is no palette.
inline constexpr std::size_t kLargestJascRead = std::size_t {1} << 20;

// Text of a built-in palette. Fewer than 259 lines is failure 9; a field that is not a number
// is failure 13. Anything after the 259th line (such as NUL padding) is not read.
RawPalette ParseJascPalText(std::string_view text);

// A JASC-PAL file, read no further than its 259th line and never beyond kLargestJascRead bytes.
// Lines end in LF or CR LF. A count line below 256 (16) lets the file end, or stop at an empty
// line, after that many entries: the entries after the last one read stay black. Otherwise
// running out of lines before the 256th entry is failure 62; a file longer than that limit
// whose 259th line has not ended within it is failure 9999 naming its length. name: the source
// as messages call it.
PaletteFile ParseJascPalFile(ByteSource &source, std::string_view name);

} // namespace qv
