#pragma once

#include <string>

namespace qv::cli {

// One text for every spelling of the same file ("a.bmp", "./a.bmp", "pics/../a.bmp", through a
// link), whether or not the file exists yet; the path itself when it cannot be resolved.
std::string PathIdentity(const std::string &path);

} // namespace qv::cli
