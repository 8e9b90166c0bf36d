#include "engine/preview_box.h"

namespace qv {
namespace {

constexpr double kBoxTwips = 3840.0;

PreviewBox Stretched(std::int32_t outW, double side)
{
    return {true, static_cast<float>(outW * kBoxTwips / side)};
}

} // namespace

PreviewBox PreviewBoxFor(Scaling scaling, std::int32_t outW, std::int32_t outH)
{
    switch (scaling) {
    case Scaling::Square64:
        return Stretched(outW, 64.0);
    case Scaling::Square128:
        return Stretched(outW, 128.0);
    case Scaling::Square32:
        return Stretched(outW, 32.0);
    case Scaling::None:
        break;
    }
    if (outW > 64 || outH > 64) {
        return {};
    }
    return Stretched(outW, 64.0);
}

} // namespace qv
