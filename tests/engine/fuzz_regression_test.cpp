// Inputs that once made the bitmap reader misbehave, kept as files under
// tests/data/fuzz-regressions/ or rebuilt here from their few fields.
#include "engine/load_bmp_file.h"
#include "engine/remove_bmp_header.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/temp_dir.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

std::string RegressionFile(const std::string &name)
{
    return std::string(QV_TEST_DATA_DIR) + "/fuzz-regressions/" + name;
}

// A 54-byte file: a 40-byte info header and no table or rows.
std::vector<std::uint8_t> HeaderOnly(std::int32_t width, std::int32_t height, std::int16_t bits)
{
    std::vector<std::uint8_t> bytes(54, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    test::PutField(bytes, 14, 40);
    test::PutField(bytes, 18, static_cast<std::uint32_t>(width));
    test::PutField(bytes, 22, static_cast<std::uint32_t>(height));
    test::PutField(bytes, 26, 1, 2);
    test::PutField(bytes, 28, static_cast<std::uint16_t>(bits), 2);
    return bytes;
}

struct ZeroByteRowsCase {
    std::string name;
    std::int32_t width;
    std::int32_t height;
    std::int16_t bitCount;
    std::string refusal; // the message before the path
};

void PrintTo(const ZeroByteRowsCase &c, std::ostream *out)
{
    *out << c.name;
}

class ZeroByteRows : public ::testing::TestWithParam<ZeroByteRowsCase>
{
};

// A depth of 0 bits or below gives rows of no bytes. The header may still claim two billion of
// them: the reader must not walk them one by one before the picture is refused.
TEST_P(ZeroByteRows, AreRefusedWithoutWalkingEveryRow)
{
    const ZeroByteRowsCase &c = GetParam();
    test::TempDir dir;
    const std::vector<std::uint8_t> bytes = HeaderOnly(c.width, c.height, c.bitCount);
    const std::string path = dir.Write("picture.bmp", bytes);

    LoadedImage parsed;
    RemoveBMPHeader(bytes, parsed);
    ScriptedDialogService dialogs;
    LoadedImage loaded;
    const bool accepted = LoadBMPFile(dialogs, 512, path, loaded);

    EXPECT_TRUE(parsed.pixels.empty());
    EXPECT_EQ(parsed.height, c.height);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(dialogs.MessageTexts(), std::vector<std::string> {c.refusal + path});
    EXPECT_EQ(loaded.width, c.width);
    EXPECT_EQ(loaded.height, c.height);
    EXPECT_EQ(loaded.bitCount, c.bitCount);
    EXPECT_EQ(test::ReadBytes(path), bytes); // reading never writes
}

INSTANTIATE_TEST_SUITE_P(FuzzRegression,
    ZeroByteRows,
    ::testing::Values(ZeroByteRowsCase {"ZeroBitsTallest", 7, 2147483647, 0, "BMP too large: "},
        // Negative depths round a narrow row down to no bytes too.
        ZeroByteRowsCase {"MinusOneBitTall", 5, 2000000000, -1, "BMP too large: "},
        ZeroByteRowsCase {"MinusSixteenBitsOneColumn", 1, 2147483647, -16, "BMP too large: "},
        // Within the size limit the depth is what is refused.
        ZeroByteRowsCase {"ZeroBitsSmall", 512, 512, 0, "BMP bitdepth 0 not supported: "}),
    [](const testing::TestParamInfo<ZeroByteRowsCase> &p) { return p.param.name; });

// The file the fuzzer found has the 12-byte core header, whose sizes are 16-bit: 1 x 0 pixels.
TEST(FuzzRegression, CoreHeaderOfNoPixelsIsReported)
{
    test::TempDir dir;
    const std::vector<std::uint8_t> bytes =
        test::ReadBytes(RegressionFile("bmp-zero-depth-tall.bmp"));
    ASSERT_EQ(bytes.size(), 30U);
    const std::string path = dir.Write("picture.bmp", bytes);
    ScriptedDialogService dialogs;
    LoadedImage loaded;

    EXPECT_FALSE(LoadBMPFile(dialogs, 512, path, loaded));
    EXPECT_EQ(dialogs.MessageTexts(),
        std::vector<std::string> {"Error in LoadBMPFile\r\nError #9\r\nSubscript out of range: a "
                                  "picture of no pixels (1 x 0) ("
            + NativePath(path) + ")"});
    EXPECT_EQ(test::ReadBytes(path), bytes);
}

} // namespace
} // namespace qv
