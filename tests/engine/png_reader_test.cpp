// PNG pictures of every colour type, depth, transparency and interlacing, read against the pixels
// Pillow reads from them (tests/data/png, written by make_cases.py there), and broken PNGs.
#include "engine/load_bmp_file.h"
#include "engine/resize_bmp.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

std::string PngCase(const std::string &name)
{
    return test::TestDataDir() + "/png/" + name;
}

// Red, green, blue, alpha per pixel, top row first: 8-bit pixels through the table and its
// alpha, pictures without alpha opaque.
std::vector<std::uint8_t> Rgba(const LoadedImage &image)
{
    std::vector<std::uint8_t> out;
    const std::size_t bytes = static_cast<std::size_t>(image.bitCount) / 8;
    const std::size_t stride = (static_cast<std::size_t>(image.width) * bytes + 3) / 4 * 4;
    for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
        for (std::size_t x = 0; x < static_cast<std::size_t>(image.width); ++x) {
            const std::uint8_t *p = &image.pixels.at(y * stride + x * bytes);
            if (image.bitCount == 8) {
                const std::size_t e = 4 * std::size_t {p[0]};
                out.insert(out.end(),
                    {image.palette.at(e + 2),
                        image.palette.at(e + 1),
                        image.palette.at(e),
                        image.hasAlpha ? image.alpha.at(p[0]) : std::uint8_t {255}});
            } else {
                out.insert(out.end(), {p[2], p[1], p[0], bytes == 4 ? p[3] : std::uint8_t {255}});
            }
        }
    }
    return out;
}

class PngReadsAsPillow : public testing::TestWithParam<std::string>
{
};

TEST_P(PngReadsAsPillow, SameDepthAndPixels)
{
    const std::vector<std::uint8_t> expect = test::ReadBytes(PngCase(GetParam() + ".expect"));
    ASSERT_FALSE(expect.empty());
    ScriptedDialogService dialogs;
    LoadedImage image;
    ASSERT_TRUE(LoadBMPFile(dialogs, 512, PngCase(GetParam() + ".png"), image));
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(image.width, 7);
    EXPECT_EQ(image.height, 5);
    EXPECT_EQ(image.bitCount, expect[0]);
    EXPECT_EQ(image.hasAlpha, expect[0] == 32 || !image.alpha.empty());
    EXPECT_EQ(Rgba(image), std::vector<std::uint8_t>(expect.begin() + 1, expect.end()));
}

INSTANTIATE_TEST_SUITE_P(EveryKind,
    PngReadsAsPillow,
    testing::Values("grey1",
        "grey2",
        "grey4",
        "grey8",
        "grey16",
        "grey8_trns",
        "grey16_trns",
        "grey_alpha8",
        "grey_alpha16",
        "rgb8",
        "rgb16",
        "rgb8_trns",
        "rgba8",
        "rgba16",
        "indexed1",
        "indexed2",
        "indexed4",
        "indexed8",
        "indexed8_trns",
        "indexed2_trns",
        "indexed1_interlaced",
        "grey4_interlaced",
        "rgb8_interlaced",
        "rgba16_interlaced"));

// A broken PNG is refused or reported, and converting it in place writes nothing: the folder
// keeps exactly the picture and the (empty) backup folder.
TEST(PngReader, BrokenPicturesAreRefusedAndWriteNothing)
{
    const struct {
        const char *file;
        const char *message; // the start of the one message shown
    } cases[] = {
        {"broken_too_large.png", "PNG too large: "},
        {"broken_crc.png", "Error in LoadBMPFile\r\nError #9999\r\nBroken PNG picture (chunks): "},
        {"broken_truncated.png", "Error in LoadBMPFile\r\nError #62\r\nBroken PNG picture"},
        {"broken_bomb.png", "Error in LoadBMPFile\r\nError #9999\r\nBroken PNG picture"},
        {"empty.png", "Error in LoadBMPFile\r\nError #62\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        test::TempDir dir;
        const std::string path = std::string(c.file) == "empty.png"
            ? dir.Write(c.file, std::vector<std::uint8_t> {})
            : dir.Write(c.file, test::ReadBytes(PngCase(c.file)));
        const std::vector<std::uint8_t> before = test::ReadBytes(path);
        std::filesystem::create_directory(dir.File("backup"));
        test::FakeSink sink;
        std::int32_t w = 64;
        std::int32_t h = 64;
        EXPECT_NE(sink.Resize(path, w, h, ResizeDestination::ReplaceInput(dir.File("backup"))),
            ResizeResult::Converted);
        ASSERT_EQ(sink.dialogs.Log().size(), 1U);
        EXPECT_EQ(sink.dialogs.Log()[0].text.rfind(c.message, 0), 0U) << sink.dialogs.Log()[0].text;
        EXPECT_EQ(test::ReadBytes(path), before);
        EXPECT_TRUE(std::filesystem::is_empty(dir.File("backup")));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                      std::filesystem::directory_iterator()),
            2);
    }
}

} // namespace
} // namespace qv
