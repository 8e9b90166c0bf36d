#include "palette/mapping_report.h"

#include "palette/color_spaces.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace qv {

double MappingReport::ExactPercent() const
{
    return pixels == 0 ? 100.0 : 100.0 * static_cast<double>(exact) / static_cast<double>(pixels);
}

double MappingReport::MeanDeltaE() const
{
    return pixels == 0 ? 0.0 : sumDeltaE / static_cast<double>(pixels);
}

void MappingReport::Merge(const MappingReport &other)
{
    pixels += other.pixels;
    exact += other.exact;
    sumDeltaE += other.sumDeltaE;
    maxDeltaE = std::max(maxDeltaE, other.maxDeltaE);
}

void MappingReportBuilder::Add(
    std::uint8_t red, std::uint8_t green, std::uint8_t blue, const MatchColor &output)
{
    ++report_.pixels;
    if (output.red == red && output.green == green && output.blue == blue) {
        ++report_.exact;
        return;
    }
    const double deltaE =
        known_.Find(PairDifferences::PairOf(PackedColour(red, green, blue), ColourOf(output)), [&] {
            return std::sqrt(
                std::max(0.0, Ciede2000Squared(CieLabOf(red, green, blue), OutputLab(output))));
        });
    report_.sumDeltaE += deltaE;
    report_.maxDeltaE = std::max(report_.maxDeltaE, deltaE);
}

const ColorPoint &MappingReportBuilder::OutputLab(const MatchColor &output)
{
    // Outputs are palette colours, so few: each one's point is kept by its colour.
    const std::uint32_t key = ColourOf(output);
    OutputPoint &slot = outputs_[(key ^ (key >> 9) ^ (key >> 17)) % outputs_.size()];
    if (slot.key != key) {
        slot.key = key;
        slot.lab = CieLabOf(static_cast<std::uint8_t>(output.red),
            static_cast<std::uint8_t>(output.green),
            static_cast<std::uint8_t>(output.blue));
    }
    return slot.lab;
}

std::string MappingReportText(const MappingReport &report)
{
    char text[96];
    std::snprintf(text,
        sizeof text,
        "exact %.1f %%, mean dE00 %.2f, max dE00 %.2f",
        report.ExactPercent(),
        report.MeanDeltaE(),
        report.maxDeltaE);
    return text;
}

} // namespace qv
