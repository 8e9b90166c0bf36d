#include "palette/palette_text.h"

#include "palette/palette_reading.h"
#include "platform/failure.h"

namespace qv {

std::string ReadPaletteText(ByteSource &source, std::string_view name, std::string_view format)
{
    const std::uint64_t length = source.Length();
    if (length > kLargestPaletteText) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            "a " + std::to_string(length) + "-byte file is too long for a " + std::string(format)
                + " (at most " + std::to_string(kLargestPaletteText) + " bytes)");
    }
    const std::vector<std::uint8_t> bytes =
        ReadPaletteBytes(source, 0, static_cast<std::size_t>(length), name, format);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string_view> TextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        end = end == std::string_view::npos ? text.size() : end;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        lines.push_back(text.substr(start, end - start));
        start = next;
    }
    return lines;
}

std::string_view Trimmed(std::string_view text)
{
    constexpr std::string_view kBlank = " \t\r";
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

std::int64_t HexDigits(std::string_view text, std::size_t digits)
{
    if (text.size() < digits) {
        return -1;
    }
    std::int64_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return -1;
        }
        value = value * 16 + digit;
    }
    return value;
}

std::string LineOf(std::size_t index, std::string_view line)
{
    return "line " + std::to_string(index + 1) + " " + Quoted(line);
}

} // namespace qv
