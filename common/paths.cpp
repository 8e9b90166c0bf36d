#include "common/paths.h"

namespace qv {

std::string FileNameFromPath(const std::string &path)
{
    const std::size_t slash = path.find_last_of(kPathSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace qv
