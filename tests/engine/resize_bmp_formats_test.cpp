// A conversion in each of the games' formats: the result's name, bytes, format and offsets, and
// a flat of a size no engine reads refused without touching a file.
#include "engine/pcx_reader.h"
#include "engine/png_file.h"
#include "engine/resize_bmp.h"
#include "platform/readable_file.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/game_lump_reader.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <functional>

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

TEST(ResizeBMPFormats, EachFormatWritesItsFileBesideTheInput)
{
    const struct {
        const char *name;
        OutputFormat format;
        OffsetMode offsets;
        int side;
        const char *result;
        std::optional<PictureOffsets> carried;
        std::function<void(const Bytes &file, const Conversion &c)> check;
    } cases[] = {
        {"doom picture, sprite",
            OutputFormat::DoomPicture,
            OffsetMode::Sprite,
            6,
            "p.lmp",
            PictureOffsets {3, 4},
            [](const Bytes &file, const Conversion &c) {
                const test::DoomPicture read = test::ReadDoomPicture(file);
                EXPECT_EQ(read.error, "");
                EXPECT_EQ(read.left, 3);
                EXPECT_EQ(read.top, 4);
                EXPECT_EQ(read.pixels, test::Drawn(c.indices, 6, 6, 255));
            }},
        {"doom picture, no offsets",
            OutputFormat::DoomPicture,
            OffsetMode::None,
            6,
            "p.lmp",
            PictureOffsets {0, 0},
            [](const Bytes &file, const Conversion &) {
                EXPECT_EQ(Bytes(file.begin() + 4, file.begin() + 8), Bytes(4, 0));
            }},
        {"doom flat",
            OutputFormat::DoomFlat,
            OffsetMode::Sprite,
            64,
            "p.lmp",
            std::nullopt,
            [](const Bytes &file, const Conversion &c) { EXPECT_EQ(file, c.indices); }},
        {"quake picture",
            OutputFormat::QuakePicture,
            OffsetMode::None,
            6,
            "p.lmp",
            std::nullopt,
            [](const Bytes &file, const Conversion &c) {
                ASSERT_EQ(file.size(), 8U + 36U);
                EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), (Bytes {6, 0, 0, 0, 6, 0, 0, 0}));
                EXPECT_EQ(file[8 + 1 * 6 + 1], c.indices[1 * 8 + 1]);
            }},
        {"pcx",
            OutputFormat::Pcx,
            OffsetMode::Centre,
            6,
            "p.pcx",
            std::nullopt,
            [](const Bytes &file, const Conversion &c) {
                test::TempDir again;
                ReadableFile pcx(again.Write("again.pcx", file));
                LoadedImage image;
                ASSERT_EQ(DecodePcx(pcx, 512, image), "");
                EXPECT_EQ(image.pixels, c.indices);
            }},
        {"png, centre",
            OutputFormat::Png,
            OffsetMode::Centre,
            6,
            "p.png",
            PictureOffsets {3, 2},
            [](const Bytes &file, const Conversion &) {
                EXPECT_EQ(Bytes(file.begin() + 37, file.begin() + 49),
                    (Bytes {'g', 'r', 'A', 'b', 0, 0, 0, 3, 0, 0, 0, 2}));
            }},
        {"png, no offsets",
            OutputFormat::Png,
            OffsetMode::None,
            6,
            "p.png",
            std::nullopt,
            [](const Bytes &file, const Conversion &) {
                const std::string text(file.begin(), file.end());
                EXPECT_EQ(text.find("grAb"), std::string::npos);
            }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Conversion conversion(c.side);
        conversion.sink.options.outputFormat = c.format;
        conversion.sink.options.offsets = c.offsets;
        const ConversionResult result = conversion.Run();
        ASSERT_EQ(result.kind, ConversionResult::Kind::Converted);
        EXPECT_EQ(result.output, conversion.dir.File(c.result));
        EXPECT_EQ(result.format, c.format);
        EXPECT_EQ(result.offsets, c.carried);
        EXPECT_EQ(test::ReadBytes(conversion.path), conversion.input);
        c.check(test::ReadBytes(result.output), conversion);
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
