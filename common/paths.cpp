#include "common/paths.h"

#include <algorithm>
#include <cctype>

namespace qv {

std::string FileNameFromPath(const std::string &path)
{
    const std::size_t slash = path.find_last_of(kPathSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LowerExtension(std::string_view fileName)
{
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    std::string extension(fileName.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    return extension;
}

} // namespace qv
