// PCX pictures as input: 8-bit and 24-bit read, every other layout refused naming the file and
// the reason, broken files reported; none of it touches the file.
#include "engine/load_bmp_file.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct PcxLayout {
    int width = 2;
    int height = 2;
    int bits = 8;
    int planes = 1;
    int encoding = 0; // 0: lines stored as they are
    int lineBytes = 2;
    bool palette = true; // 0x0C and 768 bytes after the rows (entry i: i, 0, 255 - i)
};

// A PCX file of the layout whose decoded lines are data.
Bytes Pcx(const PcxLayout &l, const Bytes &data)
{
    Bytes bytes;
    bytes.reserve(128 + data.size() + 769);
    bytes.resize(128, 0);
    bytes[0] = 0x0A;
    bytes[1] = 5;
    bytes[2] = static_cast<std::uint8_t>(l.encoding);
    bytes[3] = static_cast<std::uint8_t>(l.bits);
    bytes[8] = static_cast<std::uint8_t>(l.width - 1);
    bytes[9] = static_cast<std::uint8_t>((l.width - 1) >> 8);
    bytes[10] = static_cast<std::uint8_t>(l.height - 1);
    bytes[11] = static_cast<std::uint8_t>((l.height - 1) >> 8);
    bytes[65] = static_cast<std::uint8_t>(l.planes);
    bytes[66] = static_cast<std::uint8_t>(l.lineBytes);
    bytes.insert(bytes.end(), data.begin(), data.end());
    if (l.palette) {
        bytes.push_back(0x0C);
        for (int i = 0; i < 256; ++i) {
            bytes.insert(
                bytes.end(), {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)});
        }
    }
    return bytes;
}

TEST(PcxReader, EightBitsWithTheirTableAndTwentyFourBitsFromThreePlanes)
{
    test::TempDir dir;
    const struct {
        const char *name;
        PcxLayout layout;
        Bytes data;
        std::int16_t bitCount;
        Bytes pixels; // stride rounded up to 4
    } cases[] = {
        {"8-bit stored", {}, {3, 4, 5, 6}, 8, {3, 4, 0, 0, 5, 6, 0, 0}},
        // A run of three 9s crosses into the next line; 0xC7 comes as a run of one.
        {"8-bit encoded", {.encoding = 1}, {0xC3, 9, 0xC1, 0xC7}, 8, {9, 9, 0, 0, 9, 0xC7, 0, 0}},
        // Red, green and blue planes of each line become blue, green, red pixels.
        {"24-bit",
            {.height = 1, .planes = 3, .palette = false},
            {10, 11, 20, 21, 30, 31},
            24,
            {30, 20, 10, 31, 21, 11, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Write("p.pcx", Pcx(c.layout, c.data));
        ScriptedDialogService dialogs;
        LoadedImage image;
        ASSERT_TRUE(LoadBMPFile(dialogs, 512, path, image));
        EXPECT_EQ(image.bitCount, c.bitCount);
        EXPECT_EQ(image.pixels, c.pixels);
        if (c.bitCount == 8) {
            ASSERT_EQ(image.palette.size(), 1024U);
            // Entry 7: red 7, green 0, blue 248 as blue, green, red, 0.
            EXPECT_EQ(Bytes(image.palette.begin() + 28, image.palette.begin() + 32),
                (Bytes {248, 0, 7, 0}));
        }
        EXPECT_TRUE(dialogs.Log().empty());
    }
}

TEST(PcxReader, OtherLayoutsAreRefusedAndBrokenFilesReported)
{
    test::TempDir dir;
    const std::string report = "Error in LoadBMPFile\r\nError #";
    const struct {
        const char *name;
        Bytes bytes;
        std::string message; // before the path
    } cases[] = {
        {"16 colours",
            Pcx({.bits = 1, .planes = 4, .palette = false}, Bytes(16, 0)),
            "PCX of 1 bit in 4 planes not supported: "},
        {"32-bit",
            Pcx({.planes = 4, .palette = false}, Bytes(16, 0)),
            "PCX of 8 bits in 4 planes not supported: "},
        {"no table",
            Pcx({.palette = false}, Bytes(4, 0)),
            "PCX 8-bit picture without its 256-colour palette: "},
        {"too wide", Pcx({.width = 513, .lineBytes = 0}, {}), "PCX too large: "},
        {"not a PCX", Bytes(200, 'B'), report + "9999\r\nNot a PCX picture ("},
        {"cut rows",
            Pcx({.encoding = 1}, {0xC3, 1}),
            report + "62\r\nThe PCX picture ends before its last row ("},
        {"short lines",
            Pcx({.width = 3}, Bytes(6, 0)),
            report + "9999\r\nThe PCX lines are shorter than the picture is wide ("},
        {"long lines",
            Pcx({.lineBytes = 35}, Bytes(70, 0)),
            report + "9999\r\nThe PCX lines are far longer than the picture is wide ("},
        {"cut header", Bytes {0x0A, 5, 1, 8}, report + "62\r\nThe PCX header is cut short ("},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Write("p.pcx", c.bytes);
        ScriptedDialogService dialogs;
        LoadedImage image;
        EXPECT_FALSE(LoadBMPFile(dialogs, 512, path, image));
        ASSERT_EQ(dialogs.MessageTexts().size(), 1U);
        EXPECT_EQ(dialogs.MessageTexts()[0].substr(0, c.message.size()), c.message);
        // Refusals name the path as given, as the bitmap reader's do; failures as the system
        // shows it.
        const std::string said = dialogs.MessageTexts()[0];
        EXPECT_TRUE(said.find(path) != std::string::npos
            || said.find(NativePath(path)) != std::string::npos)
            << said;
        EXPECT_EQ(test::ReadBytes(path), c.bytes);
    }
}

} // namespace
} // namespace qv
