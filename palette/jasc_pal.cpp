#include "palette/jasc_pal.h"

#include "common/numbers.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <string>

namespace qv {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kHeaderLines = 3;
constexpr int kEntries = 256;

// Splits at every single separator, so two adjacent separators give an empty field; an empty
// text gives no fields at all, so its first field is out of range like any missing one.
std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    if (text.empty()) {
        return parts;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
}

// The low 8 bits of the field's integer value: 256 -> 0, 300 -> 44, -1 -> 255.
std::uint8_t ComponentValue(std::string_view field)
{
    const std::optional<double> number = ParseNumber(field);
    if (!number) {
        Fail(kTypeMismatch);
    }
    const std::optional<std::int32_t> value = RoundToInt32(*number);
    if (!value) {
        Fail(kOverflow);
    }
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(*value) & 0xFFU);
}

void ParseEntry(std::string_view line, int entry, RawPalette &raw)
{
    const std::vector<std::string_view> fields = SplitAt(line, " ");
    for (int c = 0; c < 3; ++c) {
        raw[static_cast<std::size_t>(entry * 3 + c)] = ComponentValue(At(fields, c));
    }
}

// Reads a file line by line as a text file is read: a line ends at CR LF or at the end of the
// file, and asking for a line once the end has been reached is failure 62.
class LineReader
{
public:
    explicit LineReader(std::string_view text)
        : text_(text)
    { }

    std::string_view Next()
    {
        if (position_ >= text_.size()) {
            Fail(kInputPastEnd);
        }
        const std::size_t end = text_.find(kLineEnd, position_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        const std::string_view line = text_.substr(position_, stop - position_);
        position_ = end == std::string_view::npos ? text_.size() : end + kLineEnd.size();
        return line;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

} // namespace

RawPalette ParseJascPalText(std::string_view text)
{
    const std::vector<std::string_view> lines = SplitAt(text, kLineEnd);
    RawPalette raw {};
    for (int i = 0; i < kEntries; ++i) {
        ParseEntry(At(lines, i + kHeaderLines), i, raw);
    }
    return raw;
}

RawPalette ParseJascPalFile(const std::vector<std::uint8_t> &bytes)
{
    const std::string text(bytes.begin(), bytes.end());
    LineReader reader(text);
    for (int i = 0; i < kHeaderLines; ++i) {
        reader.Next();
    }
    RawPalette raw {};
    for (int i = 0; i < kEntries; ++i) {
        ParseEntry(reader.Next(), i, raw);
    }
    return raw;
}

} // namespace qv
