#include "common/built_in_palettes.h"

namespace qv {

std::string BuiltInPaletteNames()
{
    std::string names;
    for (const char *name : kBuiltInPalettes) {
        names += names.empty() ? name : std::string(", ") + name;
    }
    return names;
}

} // namespace qv
