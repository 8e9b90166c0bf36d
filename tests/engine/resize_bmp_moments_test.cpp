// When a conversion reads which option: the options are a value taken when the conversion starts,
// and only the Convert Palette command hands back new ones, in the middle of the same call.
#include "engine/resize_bmp.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr std::size_t kRows = 1078;

// A grey picture (every pixel grey level `grey`) as 8-bit (own table: the grey ramp) or 24-bit.
std::vector<std::uint8_t> GreyPicture(int width, int height, int bitCount, int grey)
{
    test::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = static_cast<std::int16_t>(bitCount);
    if (bitCount == 8) {
        layout.table = test::GreyPaletteTable();
    }
    layout.pixels.assign(static_cast<std::size_t>(test::BmpStride(width, bitCount) * height),
        static_cast<std::uint8_t>(grey));
    return test::BuildBmp(layout);
}

// A sink whose target palette is the grey ramp with nothing skipped.
struct Scene {
    test::TempDir dir;
    test::FakeSink sink;

    Scene()
    {
        sink.options.palette = PaletteChoice::File(dir.Write("grey.act", test::GreyActPalette()));
        sink.options.skip = {};
    }

    ResizeResult Preview(const std::string &path, std::int32_t side)
    {
        std::int32_t w = side;
        std::int32_t h = side;
        return sink.Resize(path, w, h, ResizeDestination::Preview());
    }

    // The index at the middle of the last preview.
    int MiddleOfLastPreview() const
    {
        const std::vector<std::uint8_t> &file = sink.previews.back().fileBytes;
        return file.at(kRows + file.size() / 2 - kRows / 2);
    }
};

TEST(ResizeBMPMoments, TheSecondLoadAndSizeTestUseTheOptionsTheCommandHandsBack)
{
    struct Case {
        const char *name;
        std::int32_t squareAfterCommand;
        bool rewriteTheFile; // the command's front end replaces the picture meanwhile
        ResizeResult result;
        std::vector<std::string> messages;
    };
    const std::string needs = "photo.bmp is 24-bit and needs to have its palette converted.";
    const Case cases[] = {
        {"same square", 64, false, ResizeResult::Previewed, {needs}},
        {"square shrunk by the command",
            32,
            false,
            ResizeResult::Refused,
            {needs, "photo.bmp is larger than the output square."}},
        {"file replaced during the command", 64, true, ResizeResult::Previewed, {needs}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Scene scene;
        scene.sink.options.convertPalette = false;
        const std::string path = scene.dir.Write("photo.bmp", GreyPicture(40, 40, 24, 90));
        scene.sink.duringConvertPaletteCommand = [&](ConversionOptions &options) {
            options.squareSize = c.squareAfterCommand;
            if (c.rewriteTheFile) {
                scene.dir.Write("photo.bmp", GreyPicture(40, 40, 24, 170));
            }
        };
        EXPECT_EQ(scene.Preview(path, 64), c.result);
        EXPECT_EQ(scene.sink.dialogs.MessageTexts(), c.messages);
        EXPECT_EQ(scene.sink.convertPaletteCommands, 1);
        if (c.result == ResizeResult::Previewed) {
            // The picture converted is the one read after the command.
            EXPECT_EQ(scene.MiddleOfLastPreview(), c.rewriteTheFile ? 170 : 90);
        }
    }
}

TEST(ResizeBMPMoments, TheSkipSnapshotIsTakenByEachPaletteConversion)
{
    Scene scene;
    const std::string path = scene.dir.Write("flat.bmp", GreyPicture(8, 8, 24, 40));
    scene.sink.options.skip[40] = true;
    ASSERT_EQ(scene.Preview(path, 64), ResizeResult::Previewed);
    EXPECT_EQ(scene.MiddleOfLastPreview(), 39); // 40 skipped: the lower neighbour wins the tie

    scene.sink.options.skip[40] = false; // a later change reaches the next conversion
    ASSERT_EQ(scene.Preview(path, 64), ResizeResult::Previewed);
    EXPECT_EQ(scene.MiddleOfLastPreview(), 40);
}

TEST(ResizeBMPMoments, AverageModesWithoutPaletteConversionMatchWithWhatTheStoreHolds)
{
    // A 64 x 64 8-bit picture of grey 40 halved by Average Square: the mean is grey 40 again,
    // matched with the store's search as the last palette conversion left it.
    struct Case {
        const char *name;
        bool earlierConversionSkipping40; // a conversion with entry 40 skipped ran before
        int expected;
    };
    const Case cases[] = {
        {"nothing prepared yet: prepared from these options", false, 40},
        {"the earlier conversion's snapshot stays", true, 39},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Scene scene;
        if (c.earlierConversionSkipping40) {
            scene.sink.options.skip[40] = true;
            const std::string other = scene.dir.Write("other.bmp", GreyPicture(4, 4, 24, 7));
            ASSERT_EQ(scene.Preview(other, 64), ResizeResult::Previewed);
            scene.sink.options.skip[40] = false;
        }
        scene.sink.options.convertPalette = false;
        scene.sink.options.scaling = Scaling::Square32;
        scene.sink.options.colorMatching = ColorMatching::AverageSquare;
        scene.sink.options.outputTransparentColor = 255;
        const std::string path = scene.dir.Write("sprite.bmp", GreyPicture(64, 64, 8, 40));
        ASSERT_EQ(scene.Preview(path, 64), ResizeResult::Previewed);
        EXPECT_EQ(scene.sink.previews.back().fileBytes.at(kRows + 32 * 16 + 16), c.expected);
        EXPECT_TRUE(scene.sink.dialogs.Log().empty());
    }
}

} // namespace
} // namespace qv
