#pragma once

#include "common/conversion_options.h"

#include <string>

namespace qv {

// The file name extension of a format's results: ".bmp", ".png", ".lmp" for the three game
// lumps, ".pcx".
const char *ResultExtension(OutputFormat format);

// Where the result of converting the picture at path goes: the same path when its name already
// has the format's extension (".bmp" output keeps any name that does not end in the extension of
// another picture format read, ".png" or ".pcx", as it always has), else the name with its
// extension replaced (or the format's added when it has none).
std::string ResultPath(const std::string &path, OutputFormat format);

} // namespace qv
