#include "palette/convert_palette.h"
#include "palette/difference_picture.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"

#include <random>

#include <gtest/gtest.h>

namespace qv {
namespace {

// A seeded picture of width x height at depth 8 (indices into a random table) or 24, its rows
// padded to 4 bytes, and every fifth pixel keyed as transparent.
struct Picture {
    std::int32_t width = 13;
    std::int32_t height = 7;
    std::int16_t depth = 24;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> table = std::vector<std::uint8_t>(1024);
    std::vector<bool> keyed;

    explicit Picture(std::int16_t bitCount)
        : depth(bitCount)
    {
        std::mt19937 random(7);
        const std::int32_t stride = (width * depth / 8 + 3) / 4 * 4;
        pixels.resize(static_cast<std::size_t>(stride * height));
        for (auto &b : pixels) {
            b = static_cast<std::uint8_t>(random());
        }
        for (auto &b : table) {
            b = static_cast<std::uint8_t>(random());
        }
        const std::int32_t indexStride = (width + 3) / 4 * 4;
        keyed.resize(static_cast<std::size_t>(indexStride * height));
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                keyed[static_cast<std::size_t>(y * indexStride + x)] = (y * width + x) % 5 == 0;
            }
        }
    }
};

// The difference picture of a conversion agrees with its mapping report: the same pixels, the
// same sum and largest difference, transparent pixels as the checker.
TEST(DifferencePicture, AgreesWithTheMappingReport)
{
    const struct {
        const char *name;
        std::int16_t depth;
        Dithering dithering;
        DistanceMeasure distance;
    } rows[] = {
        {"24-bit", 24, Dithering::None, DistanceMeasure::Rgb},
        {"24-bit dithered", 24, Dithering::FloydSteinberg, DistanceMeasure::Rgb},
        {"24-bit by CIEDE2000", 24, Dithering::None, DistanceMeasure::Ciede2000},
        {"8-bit", 8, Dithering::None, DistanceMeasure::Rgb},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Picture picture(row.depth);
        ScriptedDialogService dialogs;
        PaletteStore store;
        ConversionOptions options; // WOLF3D, entry 255 skipped
        options.dithering = row.dithering;
        options.distance = row.distance;
        MappingReport report;
        MappedPixels mapped;

        ASSERT_TRUE(ConvertPalette(dialogs,
            store,
            options,
            picture.pixels,
            picture.table,
            {0, 0, 0},
            picture.width,
            picture.height,
            picture.depth,
            &report,
            &picture.keyed,
            &mapped));
        const DifferencePicture difference = MakeDifferencePicture(mapped);

        ASSERT_EQ(difference.width, picture.width);
        ASSERT_EQ(difference.height, picture.height);
        ASSERT_EQ(difference.rgb.size(), static_cast<std::size_t>(3 * 13 * 7));
        std::int64_t counted = 0;
        double sum = 0;
        double largest = 0;
        for (std::size_t p = 0; p < difference.deltaE.size(); ++p) {
            const std::uint8_t *rgb = &difference.rgb[3 * p];
            if (p % 5 == 0) {
                ASSERT_LT(difference.deltaE[p], 0.0) << p;
                const auto x = static_cast<std::int32_t>(p % 13);
                const auto y = static_cast<std::int32_t>(p / 13);
                const std::uint8_t grey = (x / 4 + y / 4) % 2 == 0 ? 96 : 160;
                EXPECT_EQ(std::vector<std::uint8_t>(rgb, rgb + 3),
                    std::vector<std::uint8_t>({grey, grey, grey}));
                continue;
            }
            ++counted;
            sum += difference.deltaE[p];
            largest = std::max(largest, difference.deltaE[p]);
            const auto color = DifferenceColor(difference.deltaE[p]);
            EXPECT_EQ(std::vector<std::uint8_t>(rgb, rgb + 3),
                std::vector<std::uint8_t>(color.begin(), color.end()));
        }
        EXPECT_EQ(counted, report.pixels);
        EXPECT_GT(report.pixels, report.exact); // some pixels differ, so the sum says something
        EXPECT_DOUBLE_EQ(sum, report.sumDeltaE);
        EXPECT_EQ(largest, report.maxDeltaE);
        // The indices seen are the result's, row padding left out.
        for (std::int32_t y = 0; y < picture.height; ++y) {
            for (std::int32_t x = 0; x < picture.width; ++x) {
                ASSERT_EQ(mapped.indices[static_cast<std::size_t>(y * 13 + x)],
                    picture.pixels[static_cast<std::size_t>(y * 16 + x)]);
            }
        }
    }
}

TEST(DifferencePicture, ScaleGoesLinearlyFromStopToStop)
{
    const struct {
        double deltaE;
        std::array<std::uint8_t, 3> rgb;
    } rows[] = {
        {0.0, {0, 0, 0}},
        {0.5, {0, 0, 80}},
        {1.0, {0, 0, 160}},
        {1.65, {0, 100, 80}},
        {2.3, {0, 200, 0}},
        {5.0, {255, 255, 0}},
        {7.5, {255, 198, 0}},
        {10.0, {255, 140, 0}},
        {15.0, {255, 70, 0}},
        {20.0, {255, 0, 0}},
        {300.0, {255, 0, 0}},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(DifferenceColor(row.deltaE), row.rgb) << row.deltaE;
    }
    for (const DifferenceStop &stop : kDifferenceScale) {
        EXPECT_EQ(DifferenceColor(stop.deltaE),
            (std::array<std::uint8_t, 3> {stop.red, stop.green, stop.blue}))
            << stop.label;
    }
}

} // namespace
} // namespace qv
