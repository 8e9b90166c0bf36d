#include "common/offsets_text.h"

#include <charconv>

namespace qv {
namespace {

std::optional<std::int32_t> ParseCoordinate(std::string text)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    text = text.substr(first, last - first + 1);
    std::int32_t value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::pair<std::int32_t, std::int32_t>> ParseOffsets(const std::string &text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> x = ParseCoordinate(text.substr(0, comma));
    const std::optional<std::int32_t> y = ParseCoordinate(text.substr(comma + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    return std::make_pair(*x, *y);
}

std::string OffsetsText(std::int32_t x, std::int32_t y)
{
    return std::to_string(x) + "," + std::to_string(y);
}

} // namespace qv
