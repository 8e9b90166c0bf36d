#include "engine/resize_bmp.h"
#include "palette/color_matching.h"
#include "palette/palette_store.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::BmpLayout;
using test::FakeSink;

constexpr std::size_t kRows = 1078;

// Every file under folder (hidden ones and subfolders included) with its bytes: what a refusal
// must leave exactly as it was.
std::map<std::string, std::vector<std::uint8_t>> Snapshot(const std::string &folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        files[entry.path().string()] = entry.is_regular_file()
            ? test::ReadBytes(entry.path().string())
            : std::vector<std::uint8_t> {'d', 'i', 'r'};
    }
    return files;
}

std::int32_t Field(const std::vector<std::uint8_t> &bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(bytes.at(offset) | bytes.at(offset + 1) << 8
        | bytes.at(offset + 2) << 16 | static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24);
}

// Index at (x, y) of an 8-bit file as AddBMPHeader writes it (rows bottom first from 1078).
int IndexAt(const std::vector<std::uint8_t> &file, int x, int y)
{
    const std::int32_t width = Field(file, 18);
    const std::int32_t height = Field(file, 22);
    const std::int32_t stride = (width + 3) / 4 * 4;
    return file.at(kRows + static_cast<std::size_t>((height - 1 - y) * stride + x));
}

// A picture folder with its backup folder, and a host matching against the grey ramp.
struct Scene {
    test::TempDir dir;
    test::TempDir paletteDir;
    FakeSink host;
    std::string backup;

    Scene()
        : backup(dir.File("Quorvantile Backup"))
    {
        CreateFolder(backup);
        host.options.palette =
            PaletteChoice::File(paletteDir.Write("grey.act", test::GreyActPalette()));
    }

    // A picture of grey levels: 8-bit ones index the grey ramp as their own colour table, 24-
    // and 32-bit ones hold the grey in every channel.
    std::string Write(const std::string &name,
        std::int32_t width,
        std::int32_t height,
        std::int16_t bitCount,
        const std::function<int(int, int)> &grey)
    {
        BmpLayout layout;
        layout.width = width;
        layout.height = height;
        layout.bitCount = bitCount;
        if (bitCount == 8) {
            layout.table = test::GreyPaletteTable();
        }
        const int bytes = bitCount / 8;
        const std::int32_t stride = test::BmpStride(width, bitCount);
        layout.pixels.assign(static_cast<std::size_t>(stride * height), 0);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < bytes; ++c) {
                    layout.pixels[static_cast<std::size_t>(y * stride + x * bytes + c)] =
                        static_cast<std::uint8_t>(grey(x, y));
                }
            }
        }
        return dir.Write(name, test::BuildBmp(layout));
    }

    ResizeResult Convert(const std::string &path, bool preview = false)
    {
        std::int32_t w = host.options.squareSize;
        std::int32_t h = host.options.squareSize;
        return ResizeBMP(host, host.store, host.options, path, w, h, Destination(preview)).Status();
    }

    ResizeDestination Destination(bool preview) const
    {
        return preview ? ResizeDestination::Preview() : ResizeDestination::ReplaceInput(backup);
    }
};

const auto kRamp = [](int x, int y) { return (x + 2 * y) % 200; };

TEST(ResizeBMP, PictureAboveEightBitsSwitchesConvertPaletteOnOnce)
{
    for (const std::int16_t bitCount : {24, 32}) {
        SCOPED_TRACE(bitCount);
        Scene scene;
        scene.host.options.convertPalette = false;
        const std::string path = scene.Write("photo.bmp", 20, 10, bitCount, kRamp);
        EXPECT_EQ(scene.Convert(path), ResizeResult::Converted);

        ASSERT_EQ(scene.host.dialogs.Log().size(), 1U);
        const auto &shown = scene.host.dialogs.Log()[0];
        EXPECT_EQ(shown.text,
            "photo.bmp is " + std::to_string(bitCount)
                + "-bit and needs to have its palette converted.");
        EXPECT_EQ(shown.title, kAppTitle);
        EXPECT_EQ(shown.icon, MessageIcon::None);
        EXPECT_EQ(scene.host.convertPaletteCommands, 1);
        EXPECT_TRUE(scene.host.options.convertPalette);

        const std::vector<std::uint8_t> out = test::ReadBytes(path);
        ASSERT_EQ(out.size(), kRows + 20 * 10);
        EXPECT_EQ(out[28], 8);
        EXPECT_EQ(IndexAt(out, 7, 3), kRamp(7, 3));
        EXPECT_EQ(IndexAt(out, 19, 9), kRamp(19, 9));
    }
}

TEST(ResizeBMP, PictureLargerThanTheSquareIsRefusedUntouched)
{
    const std::pair<int, int> sizes[] = {{100, 40}, {40, 100}, {68, 64}};
    for (const auto &[width, height] : sizes) {
        for (const bool preview : {false, true}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            Scene scene;
            const std::string path = scene.Write("sprite.bmp", width, height, 8, kRamp);
            const auto before = Snapshot(scene.dir.Path());
            EXPECT_EQ(scene.Convert(path, preview), ResizeResult::Refused);
            EXPECT_EQ(scene.host.dialogs.MessageTexts(),
                std::vector<std::string> {"sprite.bmp is larger than the output square."});
            EXPECT_EQ(scene.host.dialogs.Log()[0].title, kAppTitle);
            EXPECT_EQ(Snapshot(scene.dir.Path()), before);
            EXPECT_TRUE(scene.host.previews.empty());
        }
    }
}

TEST(ResizeBMP, NoScalingWritesThePictureAtItsOwnSize)
{
    Scene scene;
    scene.host.options.convertPalette = false;
    scene.host.options.transparentEdges = true; // no effect without a square
    std::vector<std::uint8_t> table = test::GreyPaletteTable();
    table[4 * 9] = 200; // the picture's own table, not the target's, is written
    BmpLayout layout;
    layout.width = 50;
    layout.height = 30;
    layout.table = table;
    layout.seed = 5;
    const std::string path = scene.dir.Write("wide.bmp", test::BuildBmp(layout));
    const std::vector<std::uint8_t> rows = test::BmpRows(layout);

    std::int32_t w = 64;
    std::int32_t h = 64;
    EXPECT_EQ(
        ResizeBMP(
            scene.host, scene.host.store, scene.host.options, path, w, h, scene.Destination(false))
            .Status(),
        ResizeResult::Converted);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 64);
    const std::vector<std::uint8_t> out = test::ReadBytes(path);
    ASSERT_EQ(out.size(), kRows + 52 * 30);
    EXPECT_EQ(Field(out, 18), 50);
    EXPECT_EQ(Field(out, 22), 30);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), out.begin() + 54));
    int wrong = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 50; ++x) {
            wrong += IndexAt(out, x, y) != rows[static_cast<std::size_t>(y * 52 + x)];
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(scene.host.dialogs.Log().empty());
}

TEST(ResizeBMP, ScaledSquareGetsTransparentEdgeColumns)
{
    for (const bool edges : {true, false}) {
        SCOPED_TRACE(edges);
        Scene scene;
        scene.host.options.convertPalette = false;
        scene.host.options.squareSize = 128;
        scene.host.options.scaling = Scaling::Square64;
        scene.host.options.transparentEdges = edges;
        const std::string path = scene.Write("big.bmp", 128, 128, 8, kRamp);
        std::int32_t w = 128;
        std::int32_t h = 128;
        EXPECT_EQ(ResizeBMP(scene.host,
                      scene.host.store,
                      scene.host.options,
                      path,
                      w,
                      h,
                      scene.Destination(false))
                      .Status(),
            ResizeResult::Converted);
        EXPECT_EQ(w, 64);
        EXPECT_EQ(h, 64);
        const std::vector<std::uint8_t> out = test::ReadBytes(path);
        ASSERT_EQ(out.size(), kRows + 64 * 64);
        int wrong = 0;
        for (int y = 0; y < 64; ++y) {
            wrong += IndexAt(out, 0, y) != (edges ? 255 : kRamp(0, 2 * y));
            wrong += IndexAt(out, 63, y) != (edges ? 255 : kRamp(126, 2 * y));
            wrong += IndexAt(out, 1, y) != kRamp(2, 2 * y);
            wrong += IndexAt(out, 62, y) != kRamp(124, 2 * y);
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(ResizeBMP, WritingKeepsTheOriginalInTheBackupAndAddsNumberedCopies)
{
    Scene scene;
    scene.host.options.scaling = Scaling::Square64;
    const std::string path = scene.Write("sprite.bmp", 40, 30, 24, kRamp);
    const std::vector<std::uint8_t> original = test::ReadBytes(path);

    EXPECT_EQ(scene.Convert(path), ResizeResult::Converted);
    const std::vector<std::uint8_t> once = test::ReadBytes(path);
    EXPECT_EQ(test::ReadBytes(scene.backup + "/sprite.bmp"), original);
    ASSERT_EQ(once.size(), kRows + 64 * 64);
    EXPECT_EQ(once[28], 8);

    EXPECT_EQ(scene.Convert(path), ResizeResult::Converted);
    EXPECT_EQ(test::ReadBytes(scene.backup + "/sprite.bmp"), original);
    EXPECT_EQ(test::ReadBytes(scene.backup + "/sprite (2).bmp"), once);
    EXPECT_TRUE(scene.host.dialogs.Log().empty());
}

TEST(ResizeBMP, PreviewShowsWhatWritingWritesAndTouchesNoFile)
{
    struct Case {
        const char *name;
        int scaling;
        int square;
        std::int32_t width, height;
        PreviewBox box;
        std::int32_t outSide;
    };
    const Case cases[] = {
        {"128 to 64x64", 1, 128, 100, 90, {true, 3840.0F}, 64},
        {"64 to 32x32", 3, 64, 20, 64, {true, 3840.0F}, 32},
        {"None on 48", 0, 48, 40, 20, {true, 2880.0F}, 48},
        {"None on 100", 0, 100, 40, 20, {false, 0.0F}, 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Scene scene;
        scene.host.options.scaling = static_cast<Scaling>(c.scaling);
        scene.host.options.squareSize = c.square;
        const std::string path = scene.Write("shot.bmp", c.width, c.height, 24, kRamp);
        const auto before = Snapshot(scene.dir.Path());

        std::int32_t w = c.square;
        std::int32_t h = c.square;
        EXPECT_EQ(ResizeBMP(scene.host,
                      scene.host.store,
                      scene.host.options,
                      path,
                      w,
                      h,
                      scene.Destination(true))
                      .Status(),
            ResizeResult::Previewed);
        EXPECT_EQ(w, c.outSide);
        EXPECT_EQ(Snapshot(scene.dir.Path()), before);
        ASSERT_EQ(scene.host.previews.size(), 1U);
        const PreviewPicture &preview = scene.host.previews[0];
        EXPECT_EQ(preview.box.stretch, c.box.stretch);
        if (c.box.stretch) {
            EXPECT_FLOAT_EQ(preview.box.boxTwips, c.box.boxTwips);
        }
        EXPECT_EQ(preview.paletteTable, test::GreyPaletteTable());

        EXPECT_EQ(scene.Convert(path), ResizeResult::Converted);
        EXPECT_EQ(test::ReadBytes(path), preview.fileBytes);
        EXPECT_EQ(scene.host.previews.size(), 1U);
    }
}

TEST(ResizeBMP, OutputPathLeavesInputAndBackupAlone)
{
    Scene scene;
    test::TempDir out;
    const std::string path = scene.Write("a.bmp", 30, 20, 24, kRamp);
    const auto before = Snapshot(scene.dir.Path());
    std::int32_t w = 64;
    std::int32_t h = 64;
    const std::string target = out.File("a.bmp");
    EXPECT_EQ(ResizeBMP(scene.host,
                  scene.host.store,
                  scene.host.options,
                  path,
                  w,
                  h,
                  ResizeDestination::OutputFile(target))
                  .Status(),
        ResizeResult::Converted);
    EXPECT_EQ(Snapshot(scene.dir.Path()), before);
    const std::vector<std::uint8_t> written = test::ReadBytes(target);
    ASSERT_EQ(written.size(), kRows + 32 * 20);
    EXPECT_EQ(IndexAt(written, 29, 19), kRamp(29, 19));
}

TEST(ResizeBMP, FailuresAreReportedWithTheLoopCountersAndLeaveTheInput)
{
    struct Case {
        const char *name;
        std::function<void(Scene &)> spoil;
        int scaling;
        bool edges;
        bool toMissingFolder; // write to an output path whose folder does not exist
        std::string failureName;
        std::int32_t number;
    };
    const Case cases[] = {
        // The backup comes before the placement: nothing has counted yet.
        {"backup folder is a file",
            [](Scene &s) {
                fs::remove(s.backup);
                s.dir.Write("Quorvantile Backup", std::string("not a folder"));
            },
            1,
            true,
            false,
            "ResizeBMP at line 0, pixel 0 , 0 , 64 , 64 , 0 , 0",
            kPathNotFound},
        {"folder stands at the backup name",
            [](Scene &s) { CreateFolder(s.backup + "/sprite.bmp"); },
            1,
            true,
            false,
            "ResizeBMP at line 0, pixel 0 , 0 , 64 , 64 , 0 , 0",
            kPathFileAccessError},
        {"backup folder missing",
            [](Scene &s) { fs::remove(s.backup); },
            0,
            true,
            false,
            "ResizeBMP at line 0, pixel 0 , 0 , 64 , 64 , 0 , 0",
            kPathNotFound},
        // A failed write comes last: the copy loop left x one past the picture, the edge loop y
        // one past the last row.
        {"write fails after edges",
            [](Scene &) {},
            1,
            true,
            true,
            "ResizeBMP at line 0, pixel 52 , 64 , 64 , 64 , 12 , 17",
            kFileNotFound},
        {"write fails without edges",
            [](Scene &) {},
            1,
            false,
            true,
            "ResizeBMP at line 0, pixel 52 , 47 , 64 , 64 , 12 , 17",
            kFileNotFound},
        {"write fails after a rescale",
            [](Scene &) {},
            3,
            false,
            true,
            "ResizeBMP at line 0, pixel 52 , 47 , 32 , 32 , 12 , 17",
            kFileNotFound},
        {"write fails under None",
            [](Scene &) {},
            0,
            true,
            true,
            "ResizeBMP at line 0, pixel 0 , 0 , 64 , 64 , 0 , 0",
            kFileNotFound},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Scene scene;
        scene.host.options.scaling = static_cast<Scaling>(c.scaling);
        scene.host.options.transparentEdges = c.edges;
        scene.host.options.verticalAlignment =
            VerticalAlignment::Center; // Center: the copy and edge loops end on different rows
        const std::string path = scene.Write("sprite.bmp", 40, 30, 24, kRamp);
        c.spoil(scene);
        const auto before = Snapshot(scene.dir.Path());

        std::int32_t w = 64;
        std::int32_t h = 64;
        const ResizeDestination destination = c.toMissingFolder
            ? ResizeDestination::OutputFile(scene.dir.File("gone/sprite.bmp"))
            : scene.Destination(false);
        EXPECT_EQ(scene.host.Resize(path, w, h, destination), ResizeResult::Failed);
        EXPECT_EQ(Snapshot(scene.dir.Path()), before);
        ASSERT_EQ(scene.host.dialogs.Log().size(), 1U);
        const auto &shown = scene.host.dialogs.Log()[0];
        EXPECT_EQ(shown.title, c.failureName + " Error");
        EXPECT_EQ(shown.icon, MessageIcon::Error);
        EXPECT_TRUE(shown.text.starts_with(
            "Error in " + c.failureName + "\r\nError #" + std::to_string(c.number) + "\r\n"))
            << shown.text;
    }
}

TEST(ResizeBMP, FailedPaletteConversionShowsWhyAndWritesNothing)
{
    Scene scene;
    // A brightness no scroll bar gives (a hand-edited settings file) overflows the offset.
    scene.host.options.brightness[0] = 2000000000;
    const std::string path = scene.Write("bright.bmp", 8, 8, 8, kRamp);
    const auto before = Snapshot(scene.dir.Path());
    EXPECT_EQ(scene.Convert(path), ResizeResult::Refused);
    EXPECT_EQ(Snapshot(scene.dir.Path()), before);
    const std::vector<std::string> texts = scene.host.dialogs.MessageTexts();
    ASSERT_EQ(texts.size(), 2U); // the report of ConvertPalette, then the plain message
    EXPECT_TRUE(texts[0].starts_with("Error in ConvertPalette\r\n")) << texts[0];
    EXPECT_EQ(texts[1], "Error converting the palette for: bright.bmp");
    EXPECT_EQ(scene.host.dialogs.Log()[1].title, kAppTitle);
}

TEST(ResizeBMP, EachBrightnessControlBrightensItsOwnChannel)
{
    // A black picture on WOLF3D: full red, green or blue brightness each lead to another entry.
    std::vector<int> seen;
    for (int channel = 0; channel < 3; ++channel) {
        SCOPED_TRACE(channel);
        Scene scene;
        scene.host.options.palette = PaletteChoice::BuiltIn("WOLF3D");
        scene.host.options.brightness[static_cast<std::size_t>(channel)] = 200;
        const std::string path = scene.Write("black.bmp", 4, 4, 24, [](int, int) { return 0; });
        ASSERT_EQ(scene.Convert(path), ResizeResult::Converted);
        // Pixels are blue, green, red: channel 0 (red) is byte 2.
        std::array<std::uint8_t, 3> bgr {};
        bgr[static_cast<std::size_t>(2 - channel)] = 255;
        const PaletteStore &store = scene.host.store;
        const int expected = FindNearestColorPlain(
            store.MatchColors(), store.UsableColors(), bgr[0], bgr[1], bgr[2]);
        EXPECT_EQ(IndexAt(test::ReadBytes(path), 2, 2), expected);
        seen.push_back(expected);
    }
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_NE(seen[1], seen[2]);
    EXPECT_NE(seen[0], seen[2]);
}

TEST(ResizeBMP, TrueColourPictureWithAnUnreadablePaletteStillGetsAFullTable)
{
    Scene scene;
    scene.host.options.palette = PaletteChoice::File(scene.dir.File("no-such.pal"));
    const std::string path = scene.Write("photo.bmp", 12, 4, 24, kRamp);
    EXPECT_EQ(scene.Convert(path), ResizeResult::Converted);
    const std::vector<std::uint8_t> out = test::ReadBytes(path);
    ASSERT_EQ(out.size(), kRows + 12 * 4);
    EXPECT_EQ(Field(out, 10), 1078);
    EXPECT_TRUE(
        std::all_of(out.begin() + 54, out.begin() + 1078, [](std::uint8_t b) { return b == 0; }));
}

} // namespace
} // namespace qv
