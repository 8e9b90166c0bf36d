// A conversion in each of the games' formats: the result's name, bytes, format and offsets, and
// a flat of a size no engine reads refused without touching a file.
#include "engine/resize_bmp.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// An 8-bit picture of side x side converted with its own palette (Convert Palette off), so the
// result holds its indices: a 4 x 3 block of index 40 + x + y at (1, 1), index 255 elsewhere.
struct Conversion {
    test::TempDir dir;
    test::FakeSink sink;
    Bytes indices; // as the picture holds them, stride rounded up to 4
    Bytes input;
    std::string path;
    int side;

    explicit Conversion(int pictureSide)
        : side(pictureSide)
    {
        const int stride = (side + 3) / 4 * 4;
        indices.assign(static_cast<std::size_t>(stride * side), 0); // padding 0
        for (int y = 0; y < side; ++y) {
            std::fill_n(indices.begin() + y * stride, side, std::uint8_t {255});
        }
        for (int y = 1; y < 4; ++y) {
            for (int x = 1; x < 5; ++x) {
                indices[static_cast<std::size_t>(y * stride + x)] =
                    static_cast<std::uint8_t>(40 + x + y);
            }
        }
        test::BmpLayout layout;
        layout.width = side;
        layout.height = side;
        layout.pixels = indices;
        input = test::BuildBmp(layout);
        path = dir.Write("p.bmp", input);
        std::filesystem::create_directory(dir.File("backup"));
        sink.options.convertPalette = false;
    }

    ConversionResult Run()
    {
        std::int32_t w = 64;
        std::int32_t h = 64;
        return ResizeBMP(sink,
            sink.store,
            sink.options,
            path,
            w,
            h,
            ResizeDestination::ReplaceInput(dir.File("backup")));
    }
};

// The bytes of each format are checked against hand-worked ones and real readers elsewhere; here
// the conversion names the result, says its format and the offsets it carries.
TEST(ResizeBMPFormats, EachFormatWritesItsFileBesideTheInput)
{
    const struct {
        OutputFormat format;
        OffsetMode offsets;
        int side;
        const char *result;
        std::optional<PictureOffsets> carried;
    } cases[] = {
        // The block is columns 1..4 and rows 1..3: its centre column 3, its feet below row 3.
        {OutputFormat::DoomPicture, OffsetMode::Sprite, 6, "p.lmp", PictureOffsets {3, 4}},
        {OutputFormat::DoomPicture, OffsetMode::None, 6, "p.lmp", PictureOffsets {0, 0}},
        {OutputFormat::DoomFlat, OffsetMode::Sprite, 64, "p.lmp", std::nullopt},
        {OutputFormat::QuakePicture, OffsetMode::Centre, 6, "p.lmp", std::nullopt},
        {OutputFormat::Pcx, OffsetMode::Centre, 6, "p.pcx", std::nullopt},
        {OutputFormat::Png, OffsetMode::Centre, 6, "p.png", PictureOffsets {3, 2}},
        {OutputFormat::Png, OffsetMode::None, 6, "p.png", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.result) + " " + std::to_string(static_cast<int>(c.format)));
        Conversion conversion(c.side);
        conversion.sink.options.outputFormat = c.format;
        conversion.sink.options.offsets = c.offsets;
        const ConversionResult result = conversion.Run();
        ASSERT_EQ(result.kind, ConversionResult::Kind::Converted);
        EXPECT_EQ(result.output, conversion.dir.File(c.result));
        EXPECT_EQ(result.format, c.format);
        EXPECT_EQ(result.offsets, c.carried);
        EXPECT_EQ(test::ReadBytes(conversion.path), conversion.input);
        const std::vector<std::uint8_t> file = test::ReadBytes(result.output);
        const bool grab =
            std::search(file.begin(), file.end(), std::begin("grAb"), std::end("grAb") - 1)
            != file.end();
        EXPECT_EQ(grab, c.format == OutputFormat::Png && c.carried.has_value());
    }
}

TEST(ResizeBMPFormats, AFlatOfAnotherSizeIsRefusedAndNothingChanges)
{
    for (const int side : {6, 48}) {
        SCOPED_TRACE(side);
        Conversion conversion(side);
        conversion.sink.options.outputFormat = OutputFormat::DoomFlat;
        // An earlier result of that name stays as it is.
        const std::string earlier = conversion.dir.Write("p.lmp", std::string("earlier"));
        const ConversionResult result = conversion.Run();
        EXPECT_EQ(result.kind, ConversionResult::Kind::FormatRefused);
        EXPECT_EQ(result.Status(), ResizeResult::Refused);
        const std::string size = std::to_string(side) + " x " + std::to_string(side);
        EXPECT_EQ(conversion.sink.dialogs.MessageTexts(),
            std::vector<std::string> {"p.bmp comes out " + size
                + ", which no Doom flat can be: a flat is a square of 64 (source ports also read "
                  "8, 16, 32, 128 and 256)."});
        EXPECT_EQ(test::ReadBytes(conversion.path), conversion.input);
        EXPECT_EQ(test::ReadBytes(earlier), Bytes({'e', 'a', 'r', 'l', 'i', 'e', 'r'}));
        EXPECT_TRUE(std::filesystem::is_empty(conversion.dir.File("backup")));
    }
}

} // namespace
} // namespace qv
