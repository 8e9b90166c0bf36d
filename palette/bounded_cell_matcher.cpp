#include "palette/bounded_cell_matcher.h"

#include "palette/color_spaces.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {
namespace {

struct Bounds {
    double lower;
    double upper;
};

struct Interval {
    double low;
    double high;
};

// Closest and farthest distance along one axis between a value and [low, high].
Bounds AxisReach(double value, double low, double high)
{
    return {std::max({0.0, low - value, value - high}), std::max(value - low, high - value)};
}

Interval Combine(
    const std::array<double, 3> &weights, const std::array<Interval, 3> &parts, double pad)
{
    Interval sum {0, 0};
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const double a = weights[k] * parts[k].low;
        const double b = weights[k] * parts[k].high;
        sum.low += std::min(a, b);
        sum.high += std::max(a, b);
    }
    return {sum.low - pad, sum.high + pad};
}

// A box around the OKLab image of the sRGB cell [low, low + side - 1] on each axis.
std::array<Interval, 3> OkLabBox(int red, int green, int blue, int side)
{
    const auto linear = [&](int value) {
        return Interval {LinearFromSrgb(static_cast<std::uint8_t>(value)),
            LinearFromSrgb(static_cast<std::uint8_t>(value + side - 1))};
    };
    const std::array<Interval, 3> rgb {linear(red), linear(green), linear(blue)};
    constexpr double pad = 1e-9;
    const auto root = [&](const std::array<double, 3> &weights) {
        const Interval lms = Combine(weights, rgb, pad);
        return Interval {std::cbrt(std::max(0.0, lms.low)) - pad, std::cbrt(lms.high) + pad};
    };
    const std::array<Interval, 3> lms {root({0.4122214708, 0.5363325363, 0.0514459929}),
        root({0.2119034982, 0.6806995451, 0.1073969566}),
        root({0.0883024619, 0.2817188376, 0.6299787005})};
    return {Combine({0.2104542553, 0.7936177850, -0.0040720468}, lms, pad),
        Combine({1.9779984951, -2.4285922050, 0.4505937099}, lms, pad),
        Combine({0.0259040371, 0.7827717662, -0.8086757660}, lms, pad)};
}

Bounds OkLabBounds(const ColorPoint &p, const std::array<Interval, 3> &box)
{
    const Bounds x = AxisReach(p.x, box[0].low, box[0].high);
    const Bounds y = AxisReach(p.y, box[1].low, box[1].high);
    const Bounds z = AxisReach(p.z, box[2].low, box[2].high);
    return {x.lower * x.lower + y.lower * y.lower + z.lower * z.lower,
        x.upper * x.upper + y.upper * y.upper + z.upper * z.upper};
}

// Weighted RGB's weights are 1024 + red sum and 1534 - red sum (times 512), the red sum lying
// between the entry's red plus the cell's lowest and highest red.
Bounds WeightedBounds(const MeasuredColor &c, int red, int green, int blue, int side)
{
    const int high = side - 1;
    const Bounds r = AxisReach(c.red, red, red + high);
    const Bounds g = AxisReach(c.green, green, green + high);
    const Bounds b = AxisReach(c.blue, blue, blue + high);
    const double lowSum = c.red + red;
    const double highSum = c.red + red + high;
    return {(1024 + lowSum) * r.lower * r.lower + 2048 * g.lower * g.lower
            + (1534 - highSum) * b.lower * b.lower,
        (1024 + highSum) * r.upper * r.upper + 2048 * g.upper * g.upper
            + (1534 - lowSum) * b.upper * b.upper};
}

std::size_t CellIndex(int red, int green, int blue, int shift)
{
    const int perAxis = 256 >> shift;
    return static_cast<std::size_t>(
        ((red >> shift) * perAxis + (green >> shift)) * perAxis + (blue >> shift));
}

} // namespace

BoundedCellMatcher::BoundedCellMatcher(DistanceMeasure measure)
    : measure_(measure)
{
    if (measure == DistanceMeasure::OkLab) {
        answers_ = std::make_unique<ColorAnswerCache>();
    }
    for (std::size_t level = 0; level < kShifts.size(); ++level) {
        levels_[level].resize(std::size_t {1} << (3 * (8 - kShifts[level])));
    }
    Reset({}, {});
}

void BoundedCellMatcher::Reset(
    const std::array<MatchColor, 256> &colors, const std::array<bool, 256> &usable)
{
    pool_.clear();
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (!usable[i]) {
            continue;
        }
        const MatchColor &c = colors[i];
        // A later entry of the same colour is as far from every colour: it always loses the tie.
        const bool repeated = std::any_of(pool_.begin(), pool_.end(), [&](const Candidate &p) {
            return p.color.red == c.red && p.color.green == c.green && p.color.blue == c.blue;
        });
        if (!repeated) {
            pool_.push_back({Measured(measure_,
                                 static_cast<std::uint8_t>(c.red),
                                 static_cast<std::uint8_t>(c.green),
                                 static_cast<std::uint8_t>(c.blue)),
                static_cast<std::uint8_t>(i)});
        }
    }
    usable_ = {0, static_cast<std::int32_t>(pool_.size())};
    for (std::vector<CandidateList> &cells : levels_) {
        std::fill(cells.begin(), cells.end(), CandidateList {});
    }
    if (answers_) {
        answers_->Clear();
    }
    recent_.Clear();
}

int BoundedCellMatcher::Search(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    CandidateList list = levels_[kFinest][CellIndex(red, green, blue, kShifts[kFinest])];
    if (list.count < 0) {
        list = LevelList(kFinest, red, green, blue);
    }
    if (list.count <= 0) {
        return 0;
    }
    if (list.count == 1) {
        return pool_[list.start].index;
    }
    return Nearest(list, blue, green, red);
}

int BoundedCellMatcher::Nearest(
    CandidateList list, std::uint8_t blue, std::uint8_t green, std::uint8_t red) const
{
    const Candidate *first = pool_.data() + list.start;
    const Candidate *end = first + list.count;
    const MeasuredColor color = Measured(measure_, red, green, blue);
    if (measure_ == DistanceMeasure::WeightedRgb) {
        // MeasuredDistance's whole number and the index in one key, as the RGB cache does: the
        // least key is the nearest entry, the lowest index among equally near ones.
        std::int64_t best = std::numeric_limits<std::int64_t>::max();
        for (const Candidate *c = first; c != end; ++c) {
            const auto distance =
                static_cast<std::int64_t>(MeasuredDistance(measure_, color, c->color));
            const std::int64_t key = distance << 8 | c->index;
            best = std::min(best, key);
        }
        return static_cast<int>(best & 0xFF);
    }
    double best = std::numeric_limits<double>::infinity();
    int answer = 0;
    for (const Candidate *c = first; c != end; ++c) {
        const double distance = MeasuredDistance(DistanceMeasure::OkLab, color, c->color);
        if (distance < best) {
            best = distance;
            answer = c->index;
        }
    }
    return answer;
}

BoundedCellMatcher::CandidateList BoundedCellMatcher::LevelList(
    std::size_t level, int red, int green, int blue)
{
    const int shift = kShifts[level];
    CandidateList &list = levels_[level][CellIndex(red, green, blue, shift)];
    if (list.count < 0) {
        const CandidateList parent = level == 0 ? usable_ : LevelList(level - 1, red, green, blue);
        const int mask = ~((1 << shift) - 1);
        list = BuildList(parent, 1 << shift, red & mask, green & mask, blue & mask);
    }
    return list;
}

BoundedCellMatcher::CandidateList BoundedCellMatcher::BuildList(
    CandidateList parent, int side, int red, int green, int blue)
{
    std::array<Interval, 3> box {};
    if (measure_ == DistanceMeasure::OkLab) {
        box = OkLabBox(red, green, blue, side);
    }
    std::array<double, 256> lower {};
    double limit = std::numeric_limits<double>::infinity();
    for (std::int32_t k = 0; k < parent.count; ++k) {
        const MeasuredColor &c = pool_[parent.start + static_cast<std::uint32_t>(k)].color;
        const Bounds bounds = measure_ == DistanceMeasure::OkLab
            ? OkLabBounds(c.point, box)
            : WeightedBounds(c, red, green, blue, side);
        lower[static_cast<std::size_t>(k)] = bounds.lower;
        limit = std::min(limit, bounds.upper);
    }
    // Rounding in the bounds is covered by the padded box and by this margin.
    limit += limit * 1e-9 + 1e-12;
    std::array<Candidate, 256> kept {};
    std::size_t count = 0;
    for (std::int32_t k = 0; k < parent.count; ++k) {
        if (lower[static_cast<std::size_t>(k)] <= limit) {
            kept[count++] = pool_[parent.start + static_cast<std::uint32_t>(k)];
        }
    }
    if (count == static_cast<std::size_t>(parent.count)) {
        return parent;
    }
    const auto start = static_cast<std::uint32_t>(pool_.size());
    pool_.insert(pool_.end(), kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count));
    return {start, static_cast<std::int32_t>(count)};
}

} // namespace qv
