#include "palette/jasc_pal.h"

#include "common/numbers.h"
#include "palette/palette_reading.h"
#include "platform/failure.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kHeaderLines = 3;
constexpr int kEntries = 256;

// Splits at every single separator, so two adjacent separators give an empty field; an empty
// text gives no fields at all, so its first field is missing like any other.
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

// "line 12 "12 abc 7"": the line of an entry as the file numbers it, from 1.
std::string LineText(int entry, std::string_view line)
{
    return "line " + std::to_string(entry + kHeaderLines + 1) + " " + Quoted(line);
}

// expected: the colours the file must hold, 256 unless its count line says fewer.
std::string EndsEarly(int entriesRead, int expected = kEntries)
{
    if (entriesRead < 0) {
        return "the JASC palette ends within its three header lines";
    }
    return "the JASC palette ends after " + std::to_string(entriesRead) + " of "
        + std::to_string(expected) + " colours";
}

// The low 8 bits of the field's integer value: 256 -> 0, 300 -> 44, -1 -> 255.
std::uint8_t ComponentValue(
    std::string_view field, int entry, std::string_view line, std::string_view name)
{
    const std::optional<double> number = ParseNumber(field);
    if (!number) {
        throw PaletteFailure(kTypeMismatch,
            name,
            LineText(entry, line)
                + (field.empty() ? ": the numbers must be separated by single spaces"
                                 : ": " + Quoted(field) + " is not a number"));
    }
    const std::optional<std::int32_t> value = RoundToInt32(*number);
    if (!value) {
        throw PaletteFailure(
            kOverflow, name, LineText(entry, line) + ": " + Quoted(field) + " is out of range");
    }
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(*value) & 0xFFU);
}

void ParseEntry(std::string_view line, int entry, RawPalette &raw, std::string_view name)
{
    const std::vector<std::string_view> fields = SplitAt(line, " ");
    for (std::size_t c = 0; c < 3; ++c) {
        if (c >= fields.size()) {
            throw PaletteFailure(
                kSubscriptOutOfRange, name, LineText(entry, line) + ": fewer than three numbers");
        }
        raw[static_cast<std::size_t>(entry) * 3 + c] = ComponentValue(fields[c], entry, line, name);
    }
}

// The number of colours the count line gives, where it gives one below 256: paint programs
// write 16-colour files. Anything else (256, more, not a number) means all 256 are read.
int CountLine(std::string_view line)
{
    const std::optional<double> number = ParseNumber(line);
    if (!number || *number < 1 || *number >= kEntries || *number != static_cast<int>(*number)) {
        return kEntries;
    }
    return static_cast<int>(*number);
}

// Reads a file line by line as a text file is read: a line ends at LF, a CR before it is not
// part of the line (paint programs write both), and the end of the file ends the last line. Of
// a file read only in part, a line must end within the part read.
class LineReader
{
public:
    LineReader(std::string_view text, bool whole)
        : text_(text)
        , whole_(whole)
    { }

    // The next line; nothing at the end of the file or of the part read.
    std::optional<std::string_view> Next()
    {
        const std::size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos && (position_ >= text_.size() || !whole_)) {
            return std::nullopt;
        }
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        std::string_view line = text_.substr(position_, stop - position_);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        position_ = end == std::string_view::npos ? text_.size() : end + 1;
        return line;
    }

private:
    std::string_view text_;
    bool whole_;
    std::size_t position_ = 0;
};

} // namespace

RawPalette ParseJascPalText(std::string_view text)
{
    std::vector<std::string_view> lines = SplitAt(text, kLineEnd);
    // Text that ends with its last line's CR LF ends there, as a file does.
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    RawPalette raw {};
    for (int i = 0; i < kEntries; ++i) {
        const auto at = static_cast<std::size_t>(i + kHeaderLines);
        if (at >= lines.size()) {
            throw PaletteFailure(kSubscriptOutOfRange,
                kPaletteTextName,
                EndsEarly(lines.size() < static_cast<std::size_t>(kHeaderLines) ? -1 : i));
        }
        ParseEntry(lines[at], i, raw, kPaletteTextName);
    }
    return raw;
}

PaletteFile ParseJascPalFile(ByteSource &source, std::string_view name)
{
    const std::uint64_t length = source.Length();
    const bool whole = length <= kLargestJascRead;
    const std::vector<std::uint8_t> bytes =
        source.ReadAt(0, whole ? static_cast<std::size_t>(length) : kLargestJascRead);
    LineReader reader(
        std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()), whole);
    // The next line, or the failure of a file that has no more within what is read; nothing at
    // the end of a whole file where ending is allowed.
    int count = kEntries;
    const auto next = [&](int entriesRead, bool mayEnd) -> std::optional<std::string_view> {
        const std::optional<std::string_view> line = reader.Next();
        if (line || (mayEnd && whole)) {
            return line;
        }
        if (!whole) {
            throw PaletteFailure(kUnknownFileFormat,
                name,
                "the first " + std::to_string(kLargestJascRead) + " bytes of this "
                    + std::to_string(length) + "-byte file hold no whole JASC palette");
        }
        throw PaletteFailure(kInputPastEnd, name, EndsEarly(entriesRead, count));
    };
    next(-1, false);
    next(-1, false);
    count = CountLine(*next(-1, false));
    PaletteFile file;
    file.format = "JASC palette";
    for (int i = 0; i < kEntries; ++i) {
        // Past the count the line says, the file may end, or stop at an empty line.
        const std::optional<std::string_view> line = next(i, i >= count);
        if (!line || (i >= count && line->empty())) {
            file.count = static_cast<std::size_t>(i);
            return file;
        }
        ParseEntry(*line, i, file.colors, name);
    }
    return file;
}

} // namespace qv
