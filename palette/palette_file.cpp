#include "palette/palette_file.h"

#include "palette/palette_reading.h"
#include "platform/failure.h"

namespace qv {

PaletteFile PaletteOfColours(
    std::string_view name, std::string format, const std::vector<PaletteColour> &colours)
{
    if (colours.size() > 256) {
        throw TooManyColours(name, format, colours.size());
    }
    if (colours.empty()) {
        throw PaletteFailure(kUnknownFileFormat, name, format + " with no colours");
    }
    PaletteFile file;
    file.format = std::move(format);
    file.count = colours.size();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            file.colors[3 * i + c] = colours[i][c];
        }
    }
    return file;
}

std::string PaletteFileDetail(const PaletteFile &file)
{
    std::string detail = file.format + ", " + std::to_string(file.count)
        + (file.count == 1 ? " colour" : " colours");
    if (file.transparentIndex) {
        detail += ", transparent index " + std::to_string(*file.transparentIndex);
    }
    return detail;
}

} // namespace qv
