#pragma once

#include "palette/raw_palette.h"

#include <string>

namespace qv {

// The parsed palette of the built-in palette of that name (one of kBuiltInPalettes), parsed from
// its embedded JASC-PAL text at the first request and kept unchanged for the whole process;
// nullptr for any other name and for a resource that is missing or does not parse, which the
// caller then loads the slow way to report what is wrong.
const RawPalette *ParsedBuiltInPalette(const std::string &name);

} // namespace qv
