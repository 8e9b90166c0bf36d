#include "engine/load_bmp_file.h"
#include "platform/app_info.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::BmpLayout;

std::set<std::string> FolderEntries(const std::string &folder)
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

enum class Outcome { Loads, Refused, Reported };

struct LoadCase {
    std::string name;
    BmpLayout layout;
    Outcome outcome;
    // Refused: the message before the path. Reported: the whole error report.
    std::string message;
    std::size_t cutTo = SIZE_MAX; // keep only this many bytes of the file
    int largestSize = 512;
    std::int32_t claimedWidth = 0; // written over a valid small file's width and height
    std::int32_t claimedHeight = 0;
};

const std::vector<std::uint32_t> kStandardMasks {0x00FF0000, 0x0000FF00, 0x000000FF};
const std::string kPastEnd = "Error in LoadBMPFile\r\nError #62\r\nInput past end of file";

const std::vector<LoadCase> kCases {
    {"Square512", {.width = 512, .height = 512}, Outcome::Loads, ""},
    {"Wide513", {.width = 513, .height = 10}, Outcome::Refused, "BMP too large: "},
    {"Tall513", {.width = 3, .height = 513, .bitCount = 24}, Outcome::Refused, "BMP too large: "},
    {"LimitReadPerCall",
        {.width = 300, .height = 2},
        Outcome::Refused,
        "BMP too large: ",
        SIZE_MAX,
        256},
    {"SixteenBit",
        {.width = 100, .height = 100, .bitCount = 16},
        Outcome::Refused,
        "BMP bitdepth 16 not supported: "},
    {"OneBit", {.bitCount = 1}, Outcome::Refused, "BMP bitdepth 1 not supported: "},
    {"ZeroBits", {.bitCount = 0}, Outcome::Refused, "BMP bitdepth 0 not supported: "},
    {"SixtyFourBits", {.bitCount = 64}, Outcome::Refused, "BMP bitdepth 64 not supported: "},
    {"FourBit600IsTooLargeFirst",
        {.width = 600, .height = 600, .bitCount = 4},
        Outcome::Refused,
        "BMP too large: "},
    // Run-length data is shorter than the rows it stands for.
    {"RunLength8",
        {.width = 40, .height = 30, .compression = 1},
        Outcome::Refused,
        "BMP compression 1 not supported: ",
        1078 + 90},
    {"RunLength8TooLargeFirst",
        {.width = 600, .height = 20, .compression = 1},
        Outcome::Refused,
        "BMP too large: ",
        1078 + 90},
    {"BitFields16DepthFirst",
        {.bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}},
        Outcome::Refused,
        "BMP bitdepth 16 not supported: "},
    {"BitFields32Unusual",
        {.bitCount = 32, .compression = 3, .masks = {0xFF000000, 0x00FF0000, 0x0000FF00}},
        Outcome::Refused,
        "BMP compression 3 not supported: "},
    {"BitFields32StandardBehindHeader",
        {.bitCount = 32, .compression = 3, .masks = kStandardMasks},
        Outcome::Loads,
        ""},
    {"BitFields32StandardInsideV5",
        {.bitCount = 32, .infoHeaderSize = 124, .compression = 3, .masks = kStandardMasks},
        Outcome::Loads,
        ""},
    {"Jpeg",
        {.bitCount = 24, .compression = 4},
        Outcome::Refused,
        "BMP compression 4 (JPEG) not supported: "},
    {"Png",
        {.bitCount = 24, .compression = 5},
        Outcome::Refused,
        "BMP compression 5 (PNG) not supported: "},
    {"TopDown",
        {.width = 20, .height = -20},
        Outcome::Reported,
        "Error in LoadBMPFile\r\nError #9\r\nStored top row first (negative height -20): only "
        "bitmaps stored bottom row first are read"},
    {"TopDownOneRow",
        {.width = 3, .height = -1, .bitCount = 24},
        Outcome::Reported,
        "Error in LoadBMPFile\r\nError #9\r\nStored top row first (negative height -1): only "
        "bitmaps stored bottom row first are read"},
    // A 4-bit table shorter than 16 entries is the depth's business, not a read past the end.
    {"FourBitShortTable",
        {.bitCount = 4, .colorsUsed = 5},
        Outcome::Refused,
        "BMP bitdepth 4 not supported: "},
    {"OneBitShortTable",
        {.bitCount = 1, .colorsUsed = 1},
        Outcome::Refused,
        "BMP bitdepth 1 not supported: "},
    // The old core header: 16-bit sizes and 3-byte entries, read as such.
    {"CoreHeader127By64", {.width = 127, .height = 64, .infoHeaderSize = 12}, Outcome::Loads, ""},
    {"CoreHeader24Bit",
        {.width = 30, .height = 7, .bitCount = 24, .infoHeaderSize = 12},
        Outcome::Loads,
        ""},
    {"HeaderOnly",
        {.bitCount = 24},
        Outcome::Reported,
        kPastEnd + ": the file holds 54 bytes, its headers declare 102",
        54},
    {"LastRowCut",
        {.width = 5, .height = 5, .bitCount = 24},
        Outcome::Reported,
        kPastEnd + ": the file holds 133 bytes, its headers declare 134",
        54 + 16 * 5 - 1},
    // Sizes far beyond the limit are refused from the header, whatever the rest holds.
    {"ReallyBig",
        {.bitCount = 24},
        Outcome::Refused,
        "BMP too large: ",
        SIZE_MAX,
        512,
        3000000,
        2000000},
    {"BigAndShort",
        {.bitCount = 8},
        Outcome::Refused,
        "BMP too large: ",
        SIZE_MAX,
        512,
        20000,
        20000},
};

class LoadBMPFileCases : public testing::TestWithParam<LoadCase>
{
};

TEST_P(LoadBMPFileCases, AcceptsRefusesOrReports)
{
    const LoadCase &c = GetParam();
    const BmpLayout &layout = c.layout;
    std::vector<std::uint8_t> bytes = test::BuildBmp(layout);
    bytes.resize(std::min(bytes.size(), c.cutTo));
    if (c.claimedWidth != 0) {
        test::PutField(bytes, 18, static_cast<std::uint32_t>(c.claimedWidth));
        test::PutField(bytes, 22, static_cast<std::uint32_t>(c.claimedHeight));
    }
    test::TempDir dir;
    const std::string path = dir.Write("picture.bmp", bytes);
    const std::set<std::string> entries = FolderEntries(dir.Path());
    ScriptedDialogService dialogs;
    LoadedImage image;

    const bool ok = LoadBMPFile(dialogs, c.largestSize, path, image);

    EXPECT_EQ(ok, c.outcome == Outcome::Loads);
    EXPECT_EQ(image.width, c.claimedWidth != 0 ? c.claimedWidth : layout.width)
        << "read first, kept in every case";
    EXPECT_EQ(image.height, c.claimedWidth != 0 ? c.claimedHeight : layout.height);
    EXPECT_EQ(image.bitCount, layout.bitCount);
    EXPECT_EQ(test::ReadBytes(path), bytes) << "the file is only read";
    EXPECT_EQ(FolderEntries(dir.Path()), entries);
    const auto &log = dialogs.Log();
    if (c.outcome == Outcome::Loads) {
        EXPECT_TRUE(log.empty()) << log.front().text;
        EXPECT_EQ(image.pixels, test::BmpRows(layout));
        return;
    }
    ASSERT_EQ(log.size(), 1U);
    EXPECT_EQ(log[0].kind, ScriptedDialogService::Kind::Message);
    if (c.outcome == Outcome::Refused) {
        EXPECT_EQ(log[0].text, c.message + path);
        EXPECT_EQ(log[0].title, kAppTitle);
        EXPECT_EQ(log[0].icon, MessageIcon::None);
    } else {
        EXPECT_EQ(log[0].text, c.message + " (" + NativePath(path) + ")");
        EXPECT_EQ(log[0].title, "LoadBMPFile Error");
        EXPECT_EQ(log[0].icon, MessageIcon::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(Files,
    LoadBMPFileCases,
    testing::ValuesIn(kCases),
    [](const testing::TestParamInfo<LoadCase> &p) { return p.param.name; });

TEST(LoadBMPFile, MissingEmptyOrOtherFileIsReported)
{
    struct Case {
        std::string name;
        bool create;
        std::string text;
        std::string content = {};
    };
    const std::string notBitmap = "Error in LoadBMPFile\r\nError #9999\r\nNot a bitmap file (";
    for (const Case &c :
        {Case {
             "absent.bmp", false, "Error in LoadBMPFile\r\nError #53\r\nFile not found (reading "},
            Case {"empty.bmp", true, kPastEnd + ": the file is empty ("},
            // Other files renamed to .bmp.
            Case {"png.bmp", true, notBitmap, "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"},
            Case {"notes.bmp", true, notBitmap, "Bitmaps to do:\n"},
            Case {"b.bmp", true, notBitmap, "B"}}) {
        test::TempDir dir;
        const std::string path = c.create ? dir.Write(c.name, c.content) : dir.File(c.name);
        const std::set<std::string> entries = FolderEntries(dir.Path());
        ScriptedDialogService dialogs;
        LoadedImage image;
        EXPECT_FALSE(LoadBMPFile(dialogs, 512, path, image));
        EXPECT_EQ(
            dialogs.MessageTexts(), std::vector<std::string> {c.text + NativePath(path) + ")"})
            << c.name;
        EXPECT_EQ(FolderEntries(dir.Path()), entries);
        EXPECT_EQ(test::ReadBytes(path).size(), c.content.size());
    }
}

} // namespace
} // namespace qv
