#include "palette/pattern_dither.h"

#include "palette/bayer_matrix.h"
#include "palette/blue_noise.h"
#include "palette/color_spaces.h"
#include "palette/packed_colour.h"
#include "palette/palette_store.h"
#include "platform/checked.h"

#include <algorithm>
#include <numeric>

namespace qv {
namespace {

using Light = std::array<double, 3>; // red, green, blue in linear light
using Plan = std::array<std::uint8_t, kPlanSize>;

// A plan to make: of which colour, and where it goes.
struct PlanOrder {
    const DitherPixel *color;
    Plan *plan;
};

// Makes the mixing plans of one palette: each entry's light and its place in luminance order are
// worked out once, not once per colour.
class PlanMaker
{
public:
    PlanMaker(PaletteStore &store, double errorShare)
        : store_(store)
        , srgb_(SrgbTables())
        , errorShare_(errorShare)
    {
        const auto &match = store.MatchColors();
        std::array<double, 256> luminance {};
        for (std::size_t i = 0; i < 256; ++i) {
            entryLight_[i] = {srgb_.Linear(static_cast<std::uint8_t>(match[i].red)),
                srgb_.Linear(static_cast<std::uint8_t>(match[i].green)),
                srgb_.Linear(static_cast<std::uint8_t>(match[i].blue))};
            luminance[i] = 0.2126 * entryLight_[i][0] + 0.7152 * entryLight_[i][1]
                + 0.0722 * entryLight_[i][2];
        }
        std::array<std::uint8_t, 256> order {};
        std::iota(order.begin(), order.end(), std::uint8_t {0});
        std::sort(order.begin(), order.end(), [&](std::uint8_t a, std::uint8_t b) {
            return luminance[a] != luminance[b] ? luminance[a] < luminance[b] : a < b;
        });
        for (std::size_t place = 0; place < 256; ++place) {
            place_[order[place]] = static_cast<std::uint8_t>(place);
        }
    }

    // The plans of up to kLanes colours, made in step: the searches of one plan wait for each
    // other, those of different plans do not, so the processor overlaps them.
    static constexpr std::size_t kLanes = 4;
    void MakeEach(const PlanOrder *orders, std::size_t count)
    {
        std::array<Lane, kLanes> lanes {};
        for (std::size_t l = 0; l < count; ++l) {
            const DitherPixel &color = *orders[l].color;
            lanes[l].goal = {
                srgb_.Linear(color.red), srgb_.Linear(color.green), srgb_.Linear(color.blue)};
        }
        for (std::size_t c = 0; c < kPlanSize; ++c) {
            for (std::size_t l = 0; l < count; ++l) {
                Step(lanes[l], (*orders[l].plan)[c]);
            }
        }
        for (std::size_t l = 0; l < count; ++l) {
            Plan &plan = *orders[l].plan;
            std::sort(plan.begin(), plan.end(), [this](std::uint8_t a, std::uint8_t b) {
                return place_[a] < place_[b];
            });
        }
    }

    Plan Make(const DitherPixel &color)
    {
        Plan plan {};
        const PlanOrder order {&color, &plan};
        MakeEach(&order, 1);
        return plan;
    }

private:
    // One plan in the making.
    struct Lane {
        Light goal {};
        Light error {};
        // The attempts of one plan circle among a few colours: each is searched once.
        std::array<std::uint32_t, kPlanSize> searched {};
        std::size_t searchedCount = 0;
    };

    // Chooses the plan's next candidate.
    void Step(Lane &lane, std::uint8_t &candidate)
    {
        Light attempt {};
        for (std::size_t k = 0; k < 3; ++k) {
            attempt[k] = std::clamp(lane.goal[k] + lane.error[k] * errorShare_, 0.0, 1.0);
        }
        const std::uint8_t red = srgb_.Srgb(attempt[0]);
        const std::uint8_t green = srgb_.Srgb(attempt[1]);
        const std::uint8_t blue = srgb_.Srgb(attempt[2]);
        const std::uint32_t colour = PackedColour(red, green, blue);
        std::size_t seen = 0;
        while (seen < lane.searchedCount && lane.searched[seen] >> 8 != colour) {
            ++seen;
        }
        if (seen == lane.searchedCount) {
            lane.searched[lane.searchedCount++] =
                colour << 8 | static_cast<std::uint32_t>(store_.FindNearestColor(blue, green, red));
        }
        const int index = static_cast<int>(lane.searched[seen] & 0xFF);
        candidate = static_cast<std::uint8_t>(index);
        const Light &got = entryLight_[static_cast<std::size_t>(index)];
        for (std::size_t k = 0; k < 3; ++k) {
            lane.error[k] += lane.goal[k] - got[k];
        }
    }

    PaletteStore &store_;
    const SrgbConversions &srgb_;
    double errorShare_;
    std::array<Light, 256> entryLight_ {};
    std::array<std::uint8_t, 256> place_ {}; // by luminance, then index
};

// The plans made last, by colour: one slot per colour hash, a new plan taking the slot of an
// old one. Small enough to stay in the processor's cache: a picture of few colours finds nearly
// every plan here, and a picture of many pays no more than a miss.
class PlanCache
{
public:
    // The plan kept for the colour, if any.
    const Plan *Kept(std::uint32_t colour) const
    {
        const std::size_t slot = SlotOf(colour);
        return keys_[slot] == colour ? &plans_[slot] : nullptr;
    }
    // The colour's slot, taken from whichever colour held it, for the colour's plan.
    Plan &Claim(std::uint32_t colour)
    {
        const std::size_t slot = SlotOf(colour);
        keys_[slot] = colour;
        return plans_[slot];
    }

private:
    static constexpr std::size_t kSlots = 4096;
    static std::size_t SlotOf(std::uint32_t colour)
    {
        return (colour * 2654435761u >> 20) % kSlots;
    }

    std::vector<std::uint32_t> keys_ = std::vector<std::uint32_t>(kSlots, 0xFFFFFFFF);
    std::vector<Plan> plans_ = std::vector<Plan>(kSlots);
};

std::uint32_t ColourOf(const DitherPixel &px)
{
    return PackedColour(px.red, px.green, px.blue);
}

} // namespace

double PatternErrorShare(std::int32_t strength)
{
    return 0.5 * strength / 100.0;
}

void PatternDither(PaletteStore &store,
    const DitherSettings &settings,
    const std::vector<DitherPixel> &pixels,
    std::int32_t width,
    std::int32_t height,
    std::vector<std::uint8_t> &out)
{
    PlanMaker maker(store, PatternErrorShare(settings.strength));
    PlanCache plans;
    const bool blue = settings.method == Dithering::PatternBlueNoise;
    const auto &noise = BlueNoiseRanks();
    std::vector<PlanOrder> orders;
    for (std::int32_t y = 0; y < height; ++y) {
        const DitherPixel *const row =
            &At(pixels, static_cast<std::size_t>(y) * static_cast<std::size_t>(width));
        // The row's new colours get their slots first and their plans made several at a time.
        // A slot a later colour of the row takes is made twice, the later plan kept; the
        // earlier colour's pixels then make theirs below.
        orders.clear();
        for (std::int32_t x = 0; x < width; ++x) {
            const DitherPixel &px = row[x];
            if (!px.transparent && plans.Kept(ColourOf(px)) == nullptr) {
                orders.push_back({&px, &plans.Claim(ColourOf(px))});
            }
        }
        for (std::size_t first = 0; first < orders.size(); first += PlanMaker::kLanes) {
            maker.MakeEach(&orders[first], std::min(PlanMaker::kLanes, orders.size() - first));
        }
        for (std::int32_t x = 0; x < width; ++x) {
            const DitherPixel &px = row[x];
            if (px.transparent) {
                continue;
            }
            const Plan *kept = plans.Kept(ColourOf(px));
            const Plan plan = kept != nullptr ? *kept : maker.Make(px);
            const std::size_t pick = blue
                ? static_cast<std::size_t>(noise[static_cast<std::size_t>(
                      y % kBlueNoiseSide * kBlueNoiseSide + x % kBlueNoiseSide)])
                    * kPlanSize / (kBlueNoiseSide * kBlueNoiseSide)
                : static_cast<std::size_t>(
                      kBayer[static_cast<std::size_t>(y % 8)][static_cast<std::size_t>(x % 8)])
                    * kPlanSize / 64;
            out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
                + static_cast<std::size_t>(x)] = plan[pick];
        }
    }
}

} // namespace qv
