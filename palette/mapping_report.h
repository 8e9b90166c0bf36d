#pragma once

#include "palette/color_matching.h"
#include "palette/color_spaces.h"

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

// Counts pixels into a report; remembers recent pairs, since pictures repeat them.
class MappingReportBuilder
{
public:
    void Add(std::uint8_t red, std::uint8_t green, std::uint8_t blue, const MatchColor &output);
    const MappingReport &Report() const { return report_; }

private:
    struct Remembered {
        std::uint64_t key = ~std::uint64_t {0};
        double deltaE = 0;
    };
    struct OutputPoint {
        std::uint32_t key = ~std::uint32_t {0}; // no colour: its top byte is never set
        ColorPoint lab;
    };

    const ColorPoint &OutputLab(const MatchColor &output);

    MappingReport report_;
    std::array<Remembered, 4096> recent_ {};
    std::array<OutputPoint, 1024> outputs_ {};
};

// "exact 97.5 %, mean dE00 0.41, max dE00 6.02": the report line of the window and command line.
std::string MappingReportText(const MappingReport &report);

} // namespace qv
