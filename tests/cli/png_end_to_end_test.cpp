// PNG pictures through quorvantile-convert: results of the other format beside their inputs,
// and indexed PNG results as Pillow and ImageMagick read them.
#include "tests/cli/cli_test_support.h"
#include "tests/support/reference_decode.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

namespace fs = std::filesystem;
using qv::test::ReadBytes;
using qv::test::TempDir;

// A 7 x 5 RGBA picture (alpha 0 to 255) beside an 8-bit bitmap.
struct Scene {
    TempDir dir;
    std::string ini = dir.Write("s.ini", std::string());

    Scene()
    {
        dir.Write("sprite.png", ReadBytes(qv::test::TestDataDir() + "/png/rgba8.png"));
        test::WritePicture(dir.Path(), "b.bmp", 20, 20, 8, 2);
    }
};

// The indices of an 8-bit BMP file, top row first, unpadded.
std::vector<std::uint8_t> BmpIndices(const std::vector<std::uint8_t> &file)
{
    const test::BmpShape shape = test::ShapeOf(file);
    const std::size_t width = static_cast<std::size_t>(shape.width);
    const std::size_t stride = (width + 3) / 4 * 4;
    std::vector<std::uint8_t> indices;
    for (std::size_t y = static_cast<std::size_t>(shape.height); y-- > 0;) {
        const auto row = file.begin() + static_cast<std::ptrdiff_t>(1078 + y * stride);
        indices.insert(indices.end(), row, row + static_cast<std::ptrdiff_t>(width));
    }
    return indices;
}

TEST(PngEndToEnd, IndexedPngHoldsTheBitmapsIndicesPaletteAndOneTransparentEntry)
{
    const Scene scene;
    for (const char *format : {"bmp", "png"}) {
        const test::Run run = test::RunProgram(scene.dir.Path(),
            {"--settings", scene.ini, "--alpha", "--format", format, "--output", format, "."});
        EXPECT_EQ(run.status, 0) << run.err;
    }
    for (const char *name : {"sprite", "b"}) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> bmp =
            ReadBytes(scene.dir.File(std::string("bmp/") + name + ".bmp"));
        const std::string png = scene.dir.File(std::string("png/") + name + ".png");
        const qv::test::PillowPicture pillow = qv::test::DecodeWithPillow(png);
        ASSERT_EQ(pillow.error, "");
        EXPECT_EQ(pillow.mode, "P");
        const std::vector<std::uint8_t> indices = BmpIndices(bmp);
        EXPECT_EQ(pillow.pixels, indices);
        const std::vector<std::uint8_t> table = test::ColourTableOf(bmp);
        std::vector<std::uint8_t> rgbPalette;
        std::vector<std::uint8_t> colours;
        for (std::size_t e = 0; e < 256; ++e) {
            rgbPalette.insert(rgbPalette.end(), {table[4 * e + 2], table[4 * e + 1], table[4 * e]});
        }
        for (const std::uint8_t i : indices) {
            colours.insert(
                colours.end(), rgbPalette.begin() + 3 * i, rgbPalette.begin() + 3 * i + 3);
        }
        EXPECT_EQ(pillow.palette, rgbPalette);
        EXPECT_EQ(qv::test::DecodeWithImageMagick(png), colours);
        // The transparent entry and only it is see-through, for both readers.
        const std::string quoted = qv::test::ShellQuote(png);
        EXPECT_EQ(qv::test::CommandOutput("/usr/bin/python3 -c \"import sys; from PIL import "
                                          "Image; print(Image.open(sys.argv[1]).info.get("
                                          "'transparency'))\" "
                      + quoted),
            "255\n");
        std::string alpha = qv::test::CommandOutput(
            "convert " + quoted + " -alpha extract -depth 8 gray:- | od -An -v -tu1");
        std::vector<int> alphas;
        std::istringstream in(alpha);
        for (int a = 0; in >> a;) {
            alphas.push_back(a);
        }
        ASSERT_EQ(alphas.size(), indices.size());
        for (std::size_t p = 0; p < indices.size(); ++p) {
            EXPECT_EQ(alphas[p], indices[p] == 255 ? 0 : 255) << p;
        }
    }
    // Use Alpha made the sprite's see-through pixels transparent.
    const std::vector<std::uint8_t> sprite =
        BmpIndices(ReadBytes(scene.dir.File("bmp/sprite.bmp")));
    EXPECT_NE(std::count(sprite.begin(), sprite.end(), 255), 0);
}

TEST(PngEndToEnd, InPlaceResultOfAnotherFormatGoesBesideItsInputWhichStays)
{
    const Scene scene;
    const std::string folder = scene.dir.Path() + "/";
    const auto before = test::Snapshot(scene.dir.Path());
    // A bitmap of the result's name already stands there: it is backed up before it is replaced.
    test::WritePicture(scene.dir.Path(), "sprite.bmp", 10, 10, 24, 3);
    const std::vector<std::uint8_t> standing = ReadBytes(folder + "sprite.bmp");
    const test::Run run =
        test::RunProgram(scene.dir.Path(), {"--settings", scene.ini, "sprite.png"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder + "sprite.png"), before.at(folder + "sprite.png"));
    EXPECT_EQ(test::ShapeOf(ReadBytes(folder + "sprite.bmp")), (test::BmpShape {7, 5, 8}));
    EXPECT_EQ(ReadBytes(folder + "Quorvantile Backup/sprite.bmp"), standing);
    EXPECT_FALSE(fs::exists(folder + "Quorvantile Backup/sprite.png"));

    // Two inputs whose results share a name: the second is not converted.
    const test::Run both = test::RunProgram(scene.dir.Path(), {"--settings", scene.ini, "."});
    EXPECT_EQ(both.status, 1);
    EXPECT_EQ(both.err, "./sprite.png: an earlier input already writes ./sprite.bmp\n");
}

} // namespace
} // namespace qv::cli
