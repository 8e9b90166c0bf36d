#include "engine/png_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace qv {

bool IsPngSignature(const std::vector<std::uint8_t> &bytes)
{
    constexpr std::array<std::uint8_t, 8> kSignature = {
        0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    return bytes.size() >= kSignature.size()
        && std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

bool HasPngExtension(const std::string &path)
{
    constexpr std::string_view kExtension = ".png";
    return path.size() >= kExtension.size()
        && std::equal(kExtension.begin(),
            kExtension.end(),
            path.end() - static_cast<std::ptrdiff_t>(kExtension.size()),
            [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace qv
