#include "palette/build_palette_dat.h"

#include "palette/palette_reading.h"
#include "platform/failure.h"

namespace qv {
namespace {

constexpr std::string_view kFormat = "Build engine PALETTE.DAT";
constexpr std::size_t kPaletteBytes = 768;

} // namespace

bool HasBuildPaletteLength(std::uint64_t length, std::uint16_t shades)
{
    const std::uint64_t tables = kPaletteBytes + 2 + 256 * std::uint64_t {shades};
    return shades > 0 && (length == tables || length == tables + 65536);
}

PaletteFile ParseBuildPaletteDat(ByteSource &source, std::string_view name)
{
    const std::vector<std::uint8_t> bytes =
        ReadPaletteBytes(source, 0, kPaletteBytes, name, kFormat);
    PaletteFile file;
    for (std::size_t k = 0; k < kPaletteBytes; ++k) {
        if (bytes[k] > 63) {
            throw PaletteFailure(kUnknownFileFormat,
                name,
                std::string(kFormat) + ": entry " + std::to_string(k / 3) + " has the component "
                    + std::to_string(bytes[k]) + ", above the 6-bit 63");
        }
        file.colors[k] = static_cast<std::uint8_t>(bytes[k] * 4);
    }
    file.format = std::string(kFormat) + ", 6-bit colours widened by 4";
    return file;
}

} // namespace qv
