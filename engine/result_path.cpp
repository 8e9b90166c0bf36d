#include "engine/result_path.h"

#include "engine/png_file.h"

namespace qv {
namespace {

// The path without the extension of its file name ("a/b.c" -> "a/b"; "a.d/b" stays).
std::string WithoutExtension(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    const bool inName = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return inName ? path.substr(0, dot) : path;
}

} // namespace

std::string ResultPath(const std::string &path, OutputFormat format)
{
    if (HasPngExtension(path) == (format == OutputFormat::Png)) {
        return path;
    }
    return WithoutExtension(path) + (format == OutputFormat::Png ? ".png" : ".bmp");
}

} // namespace qv
