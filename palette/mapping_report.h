#pragma once

#include "palette/color_matching.h"
#include "palette/color_spaces.h"
#include "palette/packed_colour.h"
#include "palette/pair_differences.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv {

// How well a conversion kept the colours: over the pixels that are not transparent, how many
// got an entry of exactly their colour (after brightness), and the mean and largest CIEDE2000
// difference between a pixel's colour and its entry's.
struct MappingReport {
    std::int64_t pixels = 0;
    std::int64_t exact = 0;
    double sumDeltaE = 0;
    double maxDeltaE = 0;

    // Percent of exact pixels; 100 for a picture without a counted pixel.
    double ExactPercent() const;
    double MeanDeltaE() const;
    // Adds another picture's figures, as a batch summary does.
    void Merge(const MappingReport &other);

    bool operator==(const MappingReport &) const = default;
};

// Counts pixels into a report, measuring each pair of colours not measured before.
class MappingReportBuilder
{
public:
    explicit MappingReportBuilder(PairDifferences &known)
        : known_(known)
    { }

    void Add(std::uint8_t red, std::uint8_t green, std::uint8_t blue, const MatchColor &output);
    // Starts loading what Add will read for that pair, some pixels ahead of it.
    void Prefetch(
        std::uint8_t red, std::uint8_t green, std::uint8_t blue, const MatchColor &output) const
    {
        known_.Prefetch(PairDifferences::PairOf(PackedColour(red, green, blue), ColourOf(output)));
    }
    const MappingReport &Report() const { return report_; }

private:
    struct OutputPoint {
        std::uint32_t key = ~std::uint32_t {0}; // no colour: its top byte is never set
        ColorPoint lab;
    };

    static std::uint32_t ColourOf(const MatchColor &output)
    {
        return PackedColour(static_cast<std::uint8_t>(output.red),
            static_cast<std::uint8_t>(output.green),
            static_cast<std::uint8_t>(output.blue));
    }
    const ColorPoint &OutputLab(const MatchColor &output);

    PairDifferences &known_;
    MappingReport report_;
    std::array<OutputPoint, 1024> outputs_ {};
};

// "exact 97.5 %, mean dE00 0.41, max dE00 6.02": the report line of the window and command line.
std::string MappingReportText(const MappingReport &report);

} // namespace qv
