#include "palette/riff_pal.h"

#include "palette/byte_fields.h"
#include "palette/palette_reading.h"
#include "platform/checked.h"
#include "platform/failure.h"

namespace qv {
namespace {

constexpr std::string_view kFormat = "RIFF palette";
constexpr std::uint64_t kFirstChunk = 12;
constexpr int kMostChunks = 64;

Failure Refused(std::string_view name, const std::string &why)
{
    return PaletteFailure(kUnknownFileFormat, name, why);
}

} // namespace

PaletteFile ParseRiffPal(ByteSource &source, std::string_view name)
{
    const std::vector<std::uint8_t> header = ReadPaletteBytes(source, 0, 12, name, kFormat);
    if (!BytesSpell(header, 8, "PAL ")) {
        const std::string form(header.begin() + 8, header.end());
        throw Refused(name, "a RIFF file of the form " + Quoted(form) + " is not a palette");
    }
    std::uint64_t at = kFirstChunk;
    for (int chunk = 0; chunk < kMostChunks && at < source.Length(); ++chunk) {
        const std::vector<std::uint8_t> head = ReadPaletteBytes(source, at, 8, name, kFormat);
        const std::uint32_t size = U32Le(head, 4);
        if (BytesSpell(head, 0, "data")) {
            const std::vector<std::uint8_t> counts =
                ReadPaletteBytes(source, at + 8, 4, name, kFormat);
            const std::size_t count = U16Le(counts, 2);
            if (count > 256) {
                throw TooManyColours(name, kFormat, count);
            }
            if (4 + 4 * std::uint64_t {count} > size) {
                throw Refused(name,
                    "the RIFF palette's data chunk of " + std::to_string(size)
                        + " bytes is too short for its " + std::to_string(count) + " entries");
            }
            const std::vector<std::uint8_t> entries =
                ReadPaletteBytes(source, at + 12, 4 * count, name, kFormat);
            std::vector<PaletteColour> colours;
            for (std::size_t i = 0; i < count; ++i) {
                colours.push_back({entries[4 * i], entries[4 * i + 1], entries[4 * i + 2]});
            }
            return PaletteOfColours(name, std::string(kFormat), colours);
        }
        at = CheckedAdd<std::uint64_t>(at, 8 + std::uint64_t {size} + (size & 1U));
    }
    throw Refused(name, "the RIFF palette has no data chunk");
}

} // namespace qv
