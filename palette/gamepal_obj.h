#pragma once

#include "palette/raw_palette.h"
#include "platform/byte_source.h"

#include <string_view>

namespace qv {

// The palette object file of 6-bit games, exactly 893 bytes: 768 components from offset 119,
// each scaled to 8 bits by 4 after dropping anything above the low 6 bits (63 -> 252, 64 -> 0).
// Any other length is failure 9999. name: the source as messages call it.
RawPalette ParseGamepalObj(ByteSource &source, std::string_view name);

// True when an 893-byte file is an object file whose data record holds the colours: it begins
// with a module header record (0x80) and its data record (0xA0) starts at offset 113, six bytes
// before the colours. Any other 893-byte file is not taken for one.
bool LooksLikeGamepalObj(ByteSource &source);

} // namespace qv
