#include "palette/hex_palette.h"

#include "palette/palette_reading.h"
#include "palette/palette_text.h"
#include "platform/failure.h"

namespace qv {
namespace {

constexpr std::string_view kFormat = "hex palette";

// The colour of one trimmed, non-empty line, or -1.
std::int64_t LineColour(std::string_view line)
{
    if (line.starts_with('#')) {
        line.remove_prefix(1);
    }
    return line.size() == 6 ? HexDigits(line, 6) : -1;
}

} // namespace

bool LooksLikeHexPalette(std::string_view text)
{
    bool any = false;
    for (const std::string_view raw : TextLines(text)) {
        const std::string_view line = Trimmed(raw);
        if (line.empty()) {
            continue;
        }
        if (LineColour(line) < 0) {
            return false;
        }
        any = true;
    }
    return any;
}

PaletteFile ParseHexPalette(ByteSource &source, std::string_view name)
{
    const std::string text = ReadPaletteText(source, name, kFormat);
    const std::vector<std::string_view> lines = TextLines(text);
    std::vector<PaletteColour> colours;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trimmed(lines[i]);
        if (line.empty()) {
            continue;
        }
        const std::int64_t value = LineColour(line);
        if (value < 0) {
            throw PaletteFailure(
                kTypeMismatch, name, LineOf(i, lines[i]) + ": a colour line is RRGGBB in hex");
        }
        colours.push_back({static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)});
    }
    return PaletteOfColours(name, std::string(kFormat), colours);
}

} // namespace qv
