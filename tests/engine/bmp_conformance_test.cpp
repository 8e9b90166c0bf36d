#include "engine/load_bmp_file.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/reference_decode.h"
#include "tests/support/temp_dir.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// One line of the suite's EXPECTED.tsv: file, load|refuse|either, why.
struct SuiteFile {
    std::string file;
    std::string expect;
    std::string why;
};

std::string SuiteDir()
{
    return test::TestDataDir() + "/bmpsuite";
}

std::vector<SuiteFile> ReadExpected()
{
    std::vector<SuiteFile> files;
    std::ifstream in(SuiteDir() + "/EXPECTED.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        SuiteFile f;
        std::getline(fields, f.file, '\t');
        std::getline(fields, f.expect, '\t');
        std::getline(fields, f.why);
        files.push_back(f);
    }
    return files;
}

bool StartsWith(const std::string &text, const std::string &prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// Our loaded picture as red, green, blue per pixel, top row first, unpadded; 8-bit pixels
// through the palette.
std::vector<std::uint8_t> OurRgb(const LoadedImage &image)
{
    const auto width = static_cast<std::size_t>(image.width);
    const auto height = static_cast<std::size_t>(image.height);
    const std::size_t bytesPerPixel = static_cast<std::size_t>(image.bitCount) / 8;
    const std::size_t stride = (width * bytesPerPixel + 3) / 4 * 4;
    std::vector<std::uint8_t> rgb;
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t at = y * stride + x * bytesPerPixel;
            const std::uint8_t *bgr = bytesPerPixel == 1
                ? &image.palette.at(image.pixels.at(at) * std::size_t {4})
                : &image.pixels.at(at);
            rgb.insert(rgb.end(), {bgr[2], bgr[1], bgr[0]});
        }
    }
    return rgb;
}

// Position of the first difference, for a readable failure instead of two long dumps.
std::string FirstDifference(const std::vector<std::uint8_t> &a, const std::vector<std::uint8_t> &b)
{
    if (a.size() != b.size()) {
        return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return "byte " + std::to_string(i);
        }
    }
    return "";
}

void ExpectSamePixelsAsPillow(const LoadedImage &image, const test::PillowPicture &pillow)
{
    ASSERT_EQ(pillow.width, image.width);
    ASSERT_EQ(pillow.height, image.height);
    if (image.bitCount == 8) {
        ASSERT_EQ(pillow.mode, "P");
        const std::size_t entries = pillow.palette.size() / 3;
        ASSERT_LE(entries, 256U);
        ASSERT_EQ(image.palette.size(), 1024U);
        for (std::size_t e = 0; e < 256; ++e) {
            const std::vector<std::uint8_t> ours {
                image.palette[e * 4 + 2], image.palette[e * 4 + 1], image.palette[e * 4]};
            const std::vector<std::uint8_t> theirs = e < entries
                ? std::vector<std::uint8_t>(
                    pillow.palette.begin() + e * 3, pillow.palette.begin() + e * 3 + 3)
                : std::vector<std::uint8_t> {0, 0, 0}; // entries the file lacks stay zero
            ASSERT_EQ(ours, theirs) << "palette entry " << e;
        }
        const auto width = static_cast<std::size_t>(image.width);
        const std::size_t stride = (width + 3) / 4 * 4;
        std::vector<std::uint8_t> indices;
        for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
            const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y * stride);
            indices.insert(indices.end(), row, row + static_cast<std::ptrdiff_t>(width));
        }
        EXPECT_EQ(FirstDifference(indices, pillow.pixels), "") << "indices";
        return;
    }
    ASSERT_EQ(pillow.mode, "RGB");
    EXPECT_EQ(FirstDifference(OurRgb(image), pillow.pixels), "") << "colours";
}

TEST(BmpSuite, IsThere)
{
    const std::vector<SuiteFile> files = ReadExpected();
    ASSERT_FALSE(files.empty()) << SuiteDir();
    for (const SuiteFile &f : files) {
        EXPECT_TRUE(f.expect == "load" || f.expect == "refuse" || f.expect == "either") << f.file;
    }
}

class BmpSuiteFile : public testing::TestWithParam<SuiteFile>
{
};

TEST_P(BmpSuiteFile, LoadsLikePillowOrIsTurnedAway)
{
    const SuiteFile &f = GetParam();
    const std::string path = SuiteDir() + "/" + f.file;
    const std::vector<std::uint8_t> before = test::ReadBytes(path);
    ASSERT_FALSE(before.empty()) << path;
    ScriptedDialogService dialogs;
    LoadedImage image;

    const bool ok = LoadBMPFile(dialogs, 512, path, image);

    EXPECT_EQ(test::ReadBytes(path), before);
    if (ok) {
        EXPECT_NE(f.expect, "refuse") << f.why;
        EXPECT_TRUE(dialogs.Log().empty());
        const test::PillowPicture pillow = test::DecodeWithPillow(path);
        if (pillow.error.empty()) {
            ExpectSamePixelsAsPillow(image, pillow);
            return;
        }
        // Only files we may load or turn away get here; Pillow gives up on some of them.
        ASSERT_NE(f.expect, "load") << "Pillow cannot decode it: " << pillow.error;
        const std::vector<std::uint8_t> magick = test::DecodeWithImageMagick(path);
        if (!magick.empty()) {
            EXPECT_EQ(FirstDifference(OurRgb(image), magick), "") << "colours";
            return;
        }
        // Nothing to compare with: at least the layout must hold.
        EXPECT_EQ(image.pixels.size(),
            static_cast<std::size_t>(image.width * image.bitCount + 31) / 32 * 4 * image.height);
        return;
    }
    EXPECT_NE(f.expect, "load") << f.why;
    ASSERT_EQ(dialogs.Log().size(), 1U);
    const ScriptedDialogService::Shown &shown = dialogs.Log()[0];
    const bool refusal = StartsWith(shown.text, "BMP ") && shown.text.ends_with(": " + path)
        && shown.icon == MessageIcon::None;
    const bool report = StartsWith(shown.text, "Error in LoadBMPFile\r\nError #")
        && shown.icon == MessageIcon::Error;
    EXPECT_TRUE(refusal || report) << shown.text;
}

INSTANTIATE_TEST_SUITE_P(Files,
    BmpSuiteFile,
    testing::ValuesIn(ReadExpected()),
    [](const testing::TestParamInfo<SuiteFile> &p) {
        std::string name = p.param.file;
        for (char &c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

} // namespace
} // namespace qv
