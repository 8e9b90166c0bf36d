#include "palette/act_pal.h"

#include "platform/failure.h"

#include <algorithm>

namespace qv {

RawPalette ParseActPal(const std::vector<std::uint8_t> &bytes)
{
    RawPalette raw {};
    if (bytes.size() != raw.size()) {
        Fail(kUnknownFileFormat);
    }
    std::copy(bytes.begin(), bytes.end(), raw.begin());
    return raw;
}

} // namespace qv
