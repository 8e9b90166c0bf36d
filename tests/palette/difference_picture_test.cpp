#include "palette/convert_palette.h"
#include "palette/difference_picture.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/bmp_builder.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace qv {
namespace {

// The difference picture of a 13 x 7 conversion, dithered and not, agrees with its mapping
// report: the same pixels, sum and largest difference (so the same entries); every fifth pixel,
// keyed transparent, is the checker.
TEST(DifferencePicture, AgreesWithTheMappingReport)
{
    const std::pair<std::int16_t, Dithering> rows[] = {
        {24, Dithering::FloydSteinberg}, {8, Dithering::None}};
    for (const auto &[depth, dithering] : rows) {
        SCOPED_TRACE(depth);
        const test::BmpLayout layout {.width = 13, .height = 7, .bitCount = depth, .seed = 7};
        std::vector<std::uint8_t> pixels = test::BmpRows(layout);
        std::vector<bool> keyed(16 * 7);
        for (std::size_t p = 0; p < 13 * 7; p += 5) {
            keyed[p / 13 * 16 + p % 13] = true;
        }
        ScriptedDialogService dialogs;
        PaletteStore store;
        ConversionOptions options; // WOLF3D, entry 255 skipped
        options.dithering = dithering;
        MappingReport report;
        MappedPixels mapped;

        ASSERT_TRUE(ConvertPalette(dialogs,
            store,
            options,
            pixels,
            test::BmpTable(layout),
            {0, 0, 0},
            13,
            7,
            depth,
            &report,
            &keyed,
            &mapped));
        const DifferencePicture difference = MakeDifferencePicture(mapped);

        ASSERT_EQ(std::pair(difference.width, difference.height), std::pair(13, 7));
        ASSERT_EQ(difference.deltaE.size(), 13U * 7);
        std::vector<std::uint8_t> rgb; // the checker where keyed, else the scale's colour
        double sum = 0;
        double largest = 0;
        for (std::size_t p = 0; p < 13 * 7; ++p) {
            const double deltaE = difference.deltaE[p];
            EXPECT_EQ(deltaE < 0, p % 5 == 0) << p;
            const std::uint8_t grey = (p % 13 / 4 + p / 13 / 4) % 2 == 0 ? 96 : 160;
            const auto color = p % 5 == 0 ? std::array {grey, grey, grey} : DifferenceColor(deltaE);
            rgb.insert(rgb.end(), color.begin(), color.end());
            sum += std::max(deltaE, 0.0);
            largest = std::max(largest, deltaE);
        }
        EXPECT_EQ(difference.rgb, rgb);
        EXPECT_EQ(report.pixels,
            std::ranges::count_if(difference.deltaE, [](double d) { return d >= 0; }));
        EXPECT_GT(report.pixels, report.exact); // some pixels differ, so the sums say something
        EXPECT_DOUBLE_EQ(sum, report.sumDeltaE);
        EXPECT_EQ(largest, report.maxDeltaE);
    }
}

// Between two stops of the scale each component goes linearly, rounded; past the last it stays.
TEST(DifferencePicture, ScaleGoesLinearlyFromStopToStop)
{
    const struct {
        double deltaE;
        std::array<std::uint8_t, 3> rgb;
    } rows[] = {
        {0.5, {0, 0, 80}},
        {1.65, {0, 100, 80}},
        {2.3, {0, 200, 0}},
        {7.5, {255, 198, 0}},
        {15.0, {255, 70, 0}},
        {300.0, {255, 0, 0}},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(DifferenceColor(row.deltaE), row.rgb) << row.deltaE;
    }
}

} // namespace
} // namespace qv
