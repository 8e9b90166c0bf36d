#include "palette/ase_palette.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <bit>
#include <cmath>

namespace qv {
namespace {

constexpr std::string_view kFormat = "Adobe swatch exchange file";
constexpr std::uint16_t kColourBlock = 0x0001;
constexpr std::uint32_t kMostBlocks = 65536;
// A colour block holds a name of at most 65535 UTF-16 units, a model and four floats.
constexpr std::uint32_t kLargestColourBlock = 2 + 2 * 65535 + 4 + 16 + 2;

std::uint8_t Eight(std::uint32_t bits)
{
    const float value = std::bit_cast<float>(bits);
    if (!(value > 0.0F)) { // NaN and negatives
        return 0;
    }
    return value >= 1.0F ? 255 : static_cast<std::uint8_t>(std::lround(value * 255.0F));
}

PaletteColour ColourOf(
    const std::vector<std::uint8_t> &body, std::size_t index, std::string_view name)
{
    const std::size_t model = body.size() < 2 ? body.size() : 2 + 2 * std::size_t {U16Be(body, 0)};
    if (model + 4 > body.size() || (BytesSpell(body, model, "RGB ") && model + 16 > body.size())) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            std::string(kFormat) + ": colour " + std::to_string(index + 1)
                + " ends before its values");
    }
    if (BytesSpell(body, model, "RGB ")) {
        return {Eight(U32Be(body, model + 4)),
            Eight(U32Be(body, model + 8)),
            Eight(U32Be(body, model + 12))};
    }
    std::string shown;
    for (std::size_t i = model; i < model + 4 && i < body.size(); ++i) {
        shown += static_cast<char>(body[i]);
    }
    throw PaletteFailure(kUnknownFileFormat,
        name,
        std::string(kFormat) + ": colour " + std::to_string(index + 1) + " is "
            + Quoted(shown.substr(0, shown.find_last_not_of(' ') + 1))
            + "; only RGB colours can be used");
}

} // namespace

PaletteFile ParseAsePalette(ByteSource &source, std::string_view name)
{
    const std::vector<std::uint8_t> header = ReadPaletteBytes(source, 0, 12, name, kFormat);
    if (!BytesSpell(header, 0, "ASEF")) {
        throw PaletteFailure(
            kUnknownFileFormat, name, "an Adobe swatch exchange file begins with \"ASEF\"");
    }
    const std::uint32_t blocks = U32Be(header, 8);
    if (blocks > kMostBlocks) {
        throw PaletteFailure(kUnknownFileFormat,
            name,
            std::string(kFormat) + " of " + std::to_string(blocks) + " blocks; at most "
                + std::to_string(kMostBlocks) + " are read");
    }
    std::vector<PaletteColour> colours;
    std::size_t count = 0;
    std::uint64_t at = 12;
    for (std::uint32_t b = 0; b < blocks; ++b) {
        const std::vector<std::uint8_t> head = ReadPaletteBytes(source, at, 6, name, kFormat);
        const std::uint32_t length = U32Be(head, 2);
        at = CheckedAdd<std::uint64_t>(at, 6);
        if (U16Be(head, 0) == kColourBlock) {
            if (count < 256) {
                if (length > kLargestColourBlock) {
                    throw PaletteFailure(kUnknownFileFormat,
                        name,
                        std::string(kFormat) + ": colour " + std::to_string(count + 1)
                            + " is a block of " + std::to_string(length) + " bytes");
                }
                colours.push_back(
                    ColourOf(ReadPaletteBytes(source, at, length, name, kFormat), count, name));
            }
            ++count;
        }
        at = CheckedAdd<std::uint64_t>(at, length);
    }
    if (count > 256) {
        throw TooManyColours(name, kFormat, count);
    }
    return PaletteOfColours(name, std::string(kFormat), colours);
}

} // namespace qv
