#include "palette/gimp_palette.h"

#include "palette/palette_reading.h"
#include "palette/palette_text.h"
#include "platform/failure.h"

#include <optional>

namespace qv {
namespace {

constexpr std::string_view kFormat = "GIMP palette";
constexpr std::string_view kHeader = "GIMP Palette";

// The next whitespace-separated decimal number 0..255 of text from at; nothing when there is
// none or it is out of range.
std::optional<std::uint8_t> NextComponent(std::string_view text, std::size_t &at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    const std::size_t start = at;
    int value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 4) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    const bool ended = at == text.size() || text[at] == ' ' || text[at] == '\t';
    if (at == start || !ended || value > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

bool IsHeaderField(std::string_view line)
{
    return line.starts_with("Name:") || line.starts_with("Columns:") || line.starts_with("#");
}

} // namespace

bool LooksLikeGimpPalette(std::string_view start)
{
    return start.starts_with(kHeader);
}

PaletteFile ParseGimpPalette(ByteSource &source, std::string_view name)
{
    const std::string text = ReadPaletteText(source, name, kFormat);
    const std::vector<std::string_view> lines = TextLines(text);
    if (lines.empty() || Trimmed(lines[0]) != kHeader) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            "a " + std::string(kFormat) + " begins with the line \"GIMP Palette\"");
    }
    std::vector<PaletteColour> colours;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = Trimmed(lines[i]);
        if (line.empty() || IsHeaderField(line)) {
            continue;
        }
        PaletteColour colour {};
        std::size_t at = 0;
        for (std::uint8_t &component : colour) {
            const std::optional<std::uint8_t> value = NextComponent(line, at);
            if (!value) {
                throw PaletteFailure(kTypeMismatch,
                    name,
                    LineOf(i, lines[i]) + ": a colour row is three numbers from 0 to 255");
            }
            component = *value;
        }
        colours.push_back(colour);
    }
    return PaletteOfColours(name, std::string(kFormat), colours);
}

} // namespace qv
