#pragma once

#include "common/conversion_options.h"
#include "palette/color_matcher.h"
#include "palette/color_matching.h"
#include "palette/pair_differences.h"
#include "palette/raw_palette.h"
#include "platform/dialog_service.h"
#include "platform/file_stamp.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// The target palette in the three forms the program needs, plus the skip snapshot the matcher
// honours. One store per program, owned by the window and handed down; every table is zero
// until the first load. A load that fails leaves all tables as they were.
//
// What a conversion leaves behind for the next one, on purpose:
// - PaletteTable: a picture kept on its own table (Convert Palette off) puts that table here
//   (SetPaletteTable), and it is what the result is written with; the next load puts the target
//   palette back. So the table always belongs to the conversion that ran last.
// - MatchColors and UsableColors: every palette conversion rebuilds them (BuildMatchTable, then
//   TakeSnapshot). Matching outside a conversion (the Average modes of a picture kept on its own
//   table, the picture click, the scan) uses them as the last conversion left them, and only a
//   store that never converted prepares them first (EnsureMatchingPrepared). A changed skip set or
//   palette thus reaches that matching at the next conversion, not before.
class PaletteStore
{
public:
    PaletteStore();

    // Colours for painting: 0x00BBGGRR (red in bits 0-7).
    const std::array<std::uint32_t, 256> &PaletteColors() const { return colors_; }
    // The colour table written into output files: 256 x (blue, green, red, 0).
    const std::vector<std::uint8_t> &PaletteTable() const { return table_; }
    // The single-image conversion puts a picture's own table here; the next load replaces it.
    void SetPaletteTable(std::vector<std::uint8_t> table) { table_ = std::move(table); }
    // What the matcher compares with; changes only in BuildMatchTable.
    const std::array<MatchColor, 256> &MatchColors() const { return match_; }
    // The entries the matcher may choose; changes only in TakeSnapshot.
    const std::array<bool, 256> &UsableColors() const { return usable_; }
    bool HasSnapshot() const { return hasSnapshot_; }

    // Puts a completely parsed palette (r, g, b per entry) into PaletteColors and the table.
    void Publish(const RawPalette &rawPalette);

    // Loads the chosen palette: the palette file when the choice names one, otherwise the
    // built-in palette of that name. Failures are reported as "ReadPaletteFile" (or by the
    // parser) and keep the previous palette. A palette file that loaded is not read again while
    // its length and modification time stay the same; one that failed is read every time.
    void ReadPaletteFile(DialogService &dialogs, const PaletteChoice &choice);
    // ReadPaletteFile, then MatchColors from PaletteColors.
    void BuildMatchTable(DialogService &dialogs, const PaletteChoice &choice);
    // UsableColors[j] = entry j is not skipped. Later changes of the skip set do not reach the
    // matcher until the next snapshot.
    void TakeSnapshot(const SkipSet &skip);
    // Takes a snapshot only if none was taken yet, so matching before the first palette
    // conversion honours the skip set instead of finding nothing usable.
    void EnsureSnapshot(const SkipSet &skip);

    // The distance measure of every later FindNearestColor; RGB until set.
    void SetDistanceMeasure(DistanceMeasure measure) { matcher_.SetMeasure(measure); }
    DistanceMeasure Distance() const { return matcher_.Measure(); }

    // The usable entry nearest to the colour, exactly as FindNearestColorPlain finds it under the
    // distance measure with MatchColors and UsableColors. Remembers its search structures while
    // both stay the same, also across BuildMatchTable calls that rebuild an identical table.
    int FindNearestColor(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    {
        return matcher_.Find(blue, green, red);
    }
    // FindNearestColor of each of count colours read as blue, green, red from pixels step bytes
    // apart, into out.
    void FindNearestColors(
        const std::uint8_t *pixels, std::size_t step, std::size_t count, std::uint8_t *out)
    {
        matcher_.FindRow(pixels, step, count, out);
    }

    // The mapping report's measured pairs, one table for each half a large picture is measured
    // in, kept across conversions: they depend on the colours alone.
    std::array<PairDifferences, 2> &PairDifferencesKept() { return pairDifferences_; }

private:
    // The palette file loaded last, as it was when read.
    struct ExternalCopy {
        std::string path;
        FileStamp stamp;
        RawPalette palette;
    };
    void ReadExternalPalette(DialogService &dialogs, const std::string &path);

    std::optional<ExternalCopy> external_;
    std::array<std::uint32_t, 256> colors_ {};
    std::vector<std::uint8_t> table_;
    std::array<MatchColor, 256> match_ {};
    std::array<bool, 256> usable_ {};
    bool hasSnapshot_ = false;
    ColorMatcher matcher_;
    std::array<PairDifferences, 2> pairDifferences_;
};

} // namespace qv
