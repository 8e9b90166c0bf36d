#include "palette/light_view.h"

#include "platform/checked.h"

namespace qv {

std::vector<std::uint8_t> LightView(const LightTables &tables,
    std::size_t level,
    const std::vector<std::uint8_t> &indices,
    std::optional<std::uint8_t> transparentIndex)
{
    const LightTable &table = At(tables.levels, level);
    std::vector<std::uint8_t> lit(indices.size());
    for (std::size_t p = 0; p < indices.size(); ++p) {
        const std::uint8_t index = indices[p];
        // The game never draws a see-through pixel (a Doom picture has no post there), so the
        // light never reaches it; looked up, it would turn into a colour the game never shows.
        lit[p] = transparentIndex && index == *transparentIndex ? index : table[index];
    }
    return lit;
}

} // namespace qv
