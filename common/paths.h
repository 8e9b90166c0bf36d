#pragma once

#include <string>

namespace qv {

// The part of a path after its last separator ("/" or "\"), or the whole path when it has none.
std::string FileNameFromPath(const std::string &path);

} // namespace qv
