#pragma once

#include "common/conversion_options.h"

#include <string>

namespace qv {

// Where the result of converting the picture at path goes: the same path when its name already
// has the format's extension (".bmp" output keeps any name that does not end in ".png", as it
// always has), else the name with its extension replaced (or ".png" added when it has none).
std::string ResultPath(const std::string &path, OutputFormat format);

} // namespace qv
