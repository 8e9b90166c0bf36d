#include "common/color_key.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace qv {
namespace {

std::string Trimmed(const std::string &text)
{
    const auto space = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), space);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), space).base();
    return first < last ? std::string(first, last) : std::string();
}

std::optional<std::uint8_t> Component(const std::string &text, int base)
{
    unsigned value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || ptr != end || value > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

std::optional<Rgb> Hex(const std::string &text)
{
    if (text.size() != 7) {
        return std::nullopt;
    }
    std::array<std::uint8_t, 3> c {};
    for (std::size_t k = 0; k < c.size(); ++k) {
        const std::string digits = text.substr(1 + 2 * k, 2);
        if (!std::all_of(digits.begin(), digits.end(), [](unsigned char d) {
                return std::isxdigit(d) != 0;
            })) {
            return std::nullopt;
        }
        c[k] = *Component(digits, 16);
    }
    return Rgb {c[0], c[1], c[2]};
}

std::optional<Rgb> Decimal(const std::string &text)
{
    std::array<std::uint8_t, 3> c {};
    std::size_t start = 0;
    for (std::size_t k = 0; k < c.size(); ++k) {
        const std::size_t comma = text.find(',', start);
        if ((k < 2) == (comma == std::string::npos)) {
            return std::nullopt; // too few or too many parts
        }
        const std::optional<std::uint8_t> value =
            Component(Trimmed(text.substr(start, comma - start)), 10);
        if (!value) {
            return std::nullopt;
        }
        c[k] = *value;
        start = comma + 1;
    }
    return Rgb {c[0], c[1], c[2]};
}

} // namespace

ColorKeyValue ParseColorKey(const std::string &text)
{
    std::string t = Trimmed(text);
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    if (t.empty() || t == "none") {
        return {true, std::nullopt};
    }
    const std::optional<Rgb> key = t[0] == '#' ? Hex(t) : Decimal(t);
    return {key.has_value(), key};
}

std::string ColorKeyText(const std::optional<Rgb> &key)
{
    if (!key) {
        return "none";
    }
    return std::to_string(key->red) + "," + std::to_string(key->green) + ","
        + std::to_string(key->blue);
}

} // namespace qv
