#include "palette/color_matcher.h"

namespace qv {
namespace {

template <typename Matcher, typename... Args>
Matcher &Prepared(std::unique_ptr<Matcher> &matcher,
    bool &current,
    const std::array<MatchColor, 256> &colors,
    const std::array<bool, 256> &usable,
    Args... args)
{
    if (!matcher) {
        matcher = std::make_unique<Matcher>(args...);
    }
    if (!current) {
        matcher->Reset(colors, usable);
        current = true;
    }
    return *matcher;
}

} // namespace

void ColorMatcher::Reset(
    const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable)
{
    colors_ = colors;
    usable_ = usable;
    rgb_.Reset(colors, usable);
    current_ = {};
}

int ColorMatcher::FindOther(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    const auto slot = static_cast<std::size_t>(measure_);
    switch (measure_) {
    case DistanceMeasure::WeightedRgb:
        return Prepared(weighted_, current_[slot], colors_, usable_, measure_)
            .Find(blue, green, red);
    case DistanceMeasure::OkLab:
        return Prepared(okLab_, current_[slot], colors_, usable_, measure_).Find(blue, green, red);
    case DistanceMeasure::Ciede2000:
        return Prepared(ciede2000_, current_[slot], colors_, usable_).Find(blue, green, red);
    case DistanceMeasure::Rgb:
        break;
    }
    return rgb_.Find(blue, green, red);
}

void ColorMatcher::Prefetch(std::uint8_t blue, std::uint8_t green, std::uint8_t red) const
{
    const auto slot = static_cast<std::size_t>(measure_);
    if (measure_ == DistanceMeasure::Ciede2000 && ciede2000_ && current_[slot]) {
        ciede2000_->Prefetch(blue, green, red);
    }
}

} // namespace qv
