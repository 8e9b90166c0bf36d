#include "engine/preview_box.h"

namespace qv {
namespace {

constexpr double kBoxTwips = 3840.0;

PreviewBox Stretched(std::int32_t outW, double side)
{
    return {true, static_cast<float>(outW * kBoxTwips / side)};
}

} // namespace

PreviewBox PreviewBoxFor(int scalingOption, std::int32_t outW, std::int32_t outH)
{
    switch (scalingOption) {
    case 1:
        return Stretched(outW, 64.0);
    case 2:
        return Stretched(outW, 128.0);
    case 3:
        return Stretched(outW, 32.0);
    default:
        if (outW > 64 || outH > 64) {
            return {};
        }
        return Stretched(outW, 64.0);
    }
}

} // namespace qv
