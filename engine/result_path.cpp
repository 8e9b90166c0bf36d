#include "engine/result_path.h"

#include "engine/pcx_reader.h"
#include "engine/png_file.h"

#include <algorithm>
#include <cctype>

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

bool EndsWithIgnoringCase(const std::string &path, const std::string &extension)
{
    return path.size() >= extension.size()
        && std::equal(extension.begin(),
            extension.end(),
            path.end() - static_cast<std::ptrdiff_t>(extension.size()),
            [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace

const char *ResultExtension(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Bmp:
        return ".bmp";
    case OutputFormat::Png:
        return ".png";
    case OutputFormat::DoomPicture:
    case OutputFormat::DoomFlat:
    case OutputFormat::QuakePicture:
        return ".lmp";
    case OutputFormat::Pcx:
        return ".pcx";
    }
    return ".bmp";
}

std::string ResultPath(const std::string &path, OutputFormat format)
{
    const bool keeps = format == OutputFormat::Bmp
        ? !HasPngExtension(path) && !HasPcxExtension(path)
        : EndsWithIgnoringCase(path, ResultExtension(format));
    return keeps ? path : WithoutExtension(path) + ResultExtension(format);
}

} // namespace qv
