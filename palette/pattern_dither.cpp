#include "palette/pattern_dither.h"

#include "palette/bayer_matrix.h"
#include "palette/blue_noise.h"
#include "palette/color_spaces.h"
#include "palette/palette_store.h"
#include "platform/checked.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace qv {
namespace {

using Light = std::array<double, 3>; // red, green, blue in linear light

double Luminance(const MatchColor &c, const SrgbConversions &srgb)
{
    return 0.2126 * srgb.Linear(static_cast<std::uint8_t>(c.red))
        + 0.7152 * srgb.Linear(static_cast<std::uint8_t>(c.green))
        + 0.0722 * srgb.Linear(static_cast<std::uint8_t>(c.blue));
}

std::uint32_t Key(const DitherPixel &px)
{
    return static_cast<std::uint32_t>(px.red) << 16 | static_cast<std::uint32_t>(px.green) << 8
        | px.blue;
}

} // namespace

double PatternErrorShare(std::int32_t strength)
{
    return 0.5 * strength / 100.0;
}

std::array<std::uint8_t, kPlanSize> MixingPlan(
    PaletteStore &store, const DitherPixel &color, double errorShare)
{
    const SrgbConversions srgb;
    const auto &match = store.MatchColors();
    const Light goal {srgb.Linear(color.red), srgb.Linear(color.green), srgb.Linear(color.blue)};
    Light error {};
    std::array<std::uint8_t, kPlanSize> plan {};
    for (std::size_t c = 0; c < kPlanSize; ++c) {
        Light attempt {};
        for (std::size_t k = 0; k < 3; ++k) {
            attempt[k] = std::clamp(goal[k] + error[k] * errorShare, 0.0, 1.0);
        }
        const int index = store.FindNearestColor(
            srgb.Srgb(attempt[2]), srgb.Srgb(attempt[1]), srgb.Srgb(attempt[0]));
        plan[c] = static_cast<std::uint8_t>(index);
        const MatchColor &got = match[static_cast<std::size_t>(index)];
        error[0] += goal[0] - srgb.Linear(static_cast<std::uint8_t>(got.red));
        error[1] += goal[1] - srgb.Linear(static_cast<std::uint8_t>(got.green));
        error[2] += goal[2] - srgb.Linear(static_cast<std::uint8_t>(got.blue));
    }
    std::sort(plan.begin(), plan.end(), [&](std::uint8_t a, std::uint8_t b) {
        const double la = Luminance(match[a], srgb);
        const double lb = Luminance(match[b], srgb);
        return la != lb ? la < lb : a < b;
    });
    return plan;
}

void PatternDither(PaletteStore &store,
    const DitherSettings &settings,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::vector<std::uint8_t> &out)
{
    const double share = PatternErrorShare(settings.strength);
    const bool blue = settings.method == Dithering::PatternBlueNoise;
    const auto &noise = BlueNoiseRanks();
    std::unordered_map<std::uint32_t, std::array<std::uint8_t, kPlanSize>> plans;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const auto p = static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
                + static_cast<std::size_t>(x);
            const DitherPixel &px = At(pixels, p);
            if (px.transparent) {
                continue;
            }
            auto found = plans.find(Key(px));
            if (found == plans.end()) {
                found = plans.emplace(Key(px), MixingPlan(store, px, share)).first;
            }
            const std::size_t pick = blue
                ? static_cast<std::size_t>(noise[static_cast<std::size_t>(
                      y % kBlueNoiseSide * kBlueNoiseSide + x % kBlueNoiseSide)])
                    * kPlanSize / (kBlueNoiseSide * kBlueNoiseSide)
                : static_cast<std::size_t>(
                      kBayer[static_cast<std::size_t>(y % 8)][static_cast<std::size_t>(x % 8)])
                    * kPlanSize / 64;
            out[p] = found->second[pick];
        }
    }
}

} // namespace qv
