#include "palette/aco_palette.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "platform/checked.h"
#include "platform/failure.h"

namespace qv {
namespace {

constexpr std::string_view kFormat = "Photoshop swatches file";
constexpr std::size_t kEntry = 10; // colour space and four values
constexpr std::size_t kNamedEntry = 14; // the same and the length of the name that follows

std::string SpaceName(std::uint16_t space)
{
    switch (space) {
    case 1:
        return "HSB";
    case 2:
        return "CMYK";
    case 7:
        return "Lab";
    case 8:
        return "greyscale";
    case 9:
        return "wide CMYK";
    default:
        return "colour space " + std::to_string(space);
    }
}

std::uint8_t Eight(std::uint16_t sixteen)
{
    return static_cast<std::uint8_t>((sixteen * 255U + 32767U) / 65535U);
}

PaletteColour RgbOf(
    const std::vector<std::uint8_t> &entry, std::size_t index, std::string_view name)
{
    const std::uint16_t space = U16Be(entry, 0);
    if (space != 0) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            std::string(kFormat) + ": colour " + std::to_string(index + 1) + " is "
                + SpaceName(space) + "; only RGB colours can be used");
    }
    return {Eight(U16Be(entry, 2)), Eight(U16Be(entry, 4)), Eight(U16Be(entry, 6))};
}

} // namespace

bool LooksLikeAcoPalette(ByteSource &source, const std::vector<std::uint8_t> &start)
{
    if (start.size() < 4 || U16Be(start, 0) != 1) {
        return false;
    }
    const std::uint64_t end = 4 + std::uint64_t {kEntry} * U16Be(start, 2);
    if (end == source.Length()) {
        return true;
    }
    const std::vector<std::uint8_t> next = source.ReadAt(end, 2);
    return next.size() == 2 && U16Be(next, 0) == 2;
}

PaletteFile ParseAcoPalette(ByteSource &source, std::string_view name)
{
    const std::vector<std::uint8_t> header = ReadPaletteBytes(source, 0, 4, name, kFormat);
    const std::uint16_t version = U16Be(header, 0);
    const std::size_t count = U16Be(header, 2);
    if (version != 1 && version != 2) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            std::string(kFormat) + " of version " + std::to_string(version)
                + "; versions 1 and 2 can be read");
    }
    if (count > 256) {
        throw TooManyColours(name, kFormat, count);
    }
    std::vector<PaletteColour> colours;
    std::uint64_t at = 4;
    for (std::size_t i = 0; i < count; ++i) {
        const std::vector<std::uint8_t> entry =
            ReadPaletteBytes(source, at, version == 1 ? kEntry : kNamedEntry, name, kFormat);
        colours.push_back(RgbOf(entry, i, name));
        at = CheckedAdd<std::uint64_t>(at, entry.size());
        if (version == 2) { // the name: UTF-16 code units, its terminating zero included
            at = CheckedAdd<std::uint64_t>(at, 2 * std::uint64_t {U32Be(entry, 10)});
        }
    }
    return PaletteOfColours(name, std::string(kFormat), colours);
}

} // namespace qv
