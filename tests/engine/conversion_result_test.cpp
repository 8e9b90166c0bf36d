// What a conversion returns: each outcome as a value with the fields a front end needs to say
// it, beside the message boxes it shows; a refusal changes no file.
#include "engine/resize_bmp.h"
#include "platform/failure.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;
using Kind = ConversionResult::Kind;

std::map<std::string, std::vector<std::uint8_t>> Files(const std::string &folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().string()] = test::ReadBytes(entry.path().string());
        }
    }
    return files;
}

TEST(ConversionResult, EachOutcomeComesBackAsAValue)
{
    struct Row {
        const char *what;
        std::vector<std::uint8_t> file;
        bool convertPalette; // as the conversion starts
        bool sinkSwitches; // the front end's Convert Palette command switches it on
        std::function<void(const ConversionResult &, const std::string &path)> check;
        bool changesFiles;
    };
    const auto picture = [](std::int32_t w, std::int32_t h, std::int16_t depth) {
        return test::BuildBmp({.width = w, .height = h, .bitCount = depth});
    };
    const Row rows[] = {
        {"converted",
            picture(30, 20, 24),
            true,
            true,
            [](const ConversionResult &r, const std::string &path) {
                EXPECT_EQ(r.kind, Kind::Converted);
                EXPECT_EQ(r.output, path);
                EXPECT_EQ(r.outputWidth, 30); // no scaling: the picture's own size
                EXPECT_EQ(r.outputHeight, 20);
                EXPECT_EQ(r.switchedConvertPaletteAtDepth, 0);
                EXPECT_FALSE(r.report); // the sink asked for none
            },
            true},
        {"switched on along the way",
            picture(30, 20, 32),
            false,
            true,
            [](const ConversionResult &r, const std::string &) {
                EXPECT_EQ(r.kind, Kind::Converted);
                EXPECT_EQ(r.switchedConvertPaletteAtDepth, 32);
            },
            true},
        {"too large",
            picture(100, 40, 8),
            true,
            true,
            [](const ConversionResult &r, const std::string &) {
                EXPECT_EQ(r.kind, Kind::TooLarge);
                EXPECT_EQ(r.pictureWidth, 100);
                EXPECT_EQ(r.pictureHeight, 40);
                EXPECT_EQ(r.square, 64);
            },
            false},
        {"needs its palette converted",
            picture(10, 10, 24),
            false,
            false,
            [](const ConversionResult &r, const std::string &) {
                EXPECT_EQ(r.kind, Kind::NeedsPaletteConversion);
                EXPECT_EQ(r.bitCount, 24);
                EXPECT_EQ(r.switchedConvertPaletteAtDepth, 0);
            },
            false},
        {"refused depth",
            picture(10, 10, 16),
            true,
            true,
            [](const ConversionResult &r, const std::string &) {
                EXPECT_EQ(r.kind, Kind::NotAPicture);
                EXPECT_EQ(r.refusal.kind, LoadRefusal::Kind::Refused);
                EXPECT_EQ(r.refusal.reason, "BMP bitdepth 16 not supported");
            },
            false},
        {"cut short",
            std::vector<std::uint8_t> {'B', 'M', ' ', 'j', 'u', 'n', 'k'},
            true,
            true,
            [](const ConversionResult &r, const std::string &) {
                EXPECT_EQ(r.kind, Kind::NotAPicture);
                EXPECT_EQ(r.refusal.kind, LoadRefusal::Kind::Unreadable);
                EXPECT_EQ(r.refusal.failure.procedure, "LoadBMPFile");
                EXPECT_EQ(r.refusal.failure.number, kInputPastEnd);
                EXPECT_EQ(r.refusal.failure.description,
                    "Input past end of file: the file holds 7 bytes, its headers declare 18");
            },
            false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const test::TempDir dir;
        const std::string path = dir.Write("p.bmp", row.file);
        fs::create_directories(dir.File("backup"));
        const auto before = Files(dir.Path());
        test::FakeSink sink;
        sink.options.convertPalette = row.convertPalette;
        sink.duringConvertPaletteCommand = [&](ConversionOptions &options) {
            options.convertPalette = row.sinkSwitches;
        };
        std::int32_t side = 64;
        const ConversionResult result = ResizeBMP(sink,
            sink.store,
            sink.options,
            path,
            side,
            side,
            ResizeDestination::ReplaceInput(dir.File("backup")));
        row.check(result, path);
        EXPECT_EQ(Files(dir.Path()) != before, row.changesFiles);
        // The window's message boxes are shown as before: one per refusal or switch.
        EXPECT_EQ(sink.dialogs.Log().empty(),
            result.kind == Kind::Converted && result.switchedConvertPaletteAtDepth == 0);
    }
}

// A failure while writing comes back with its procedure, number and description; the input is
// left as it was.
TEST(ConversionResult, AFailureCarriesItsNumberAndDescription)
{
    const test::TempDir dir;
    const std::string path = dir.Write("p.bmp", test::BuildBmp({.width = 8, .height = 8}));
    const auto before = test::ReadBytes(path);
    test::FakeSink sink;
    std::int32_t side = 64;
    const ConversionResult result = ResizeBMP(sink,
        sink.store,
        sink.options,
        path,
        side,
        side,
        ResizeDestination::OutputFile(dir.File("missing/p.bmp")));
    EXPECT_EQ(result.kind, Kind::Failed);
    EXPECT_EQ(result.Status(), ResizeResult::Failed);
    EXPECT_EQ(result.failure.procedure, "ResizeBMP");
    EXPECT_NE(result.failure.number, 0);
    EXPECT_NE(result.failure.description.find("missing"), std::string::npos)
        << result.failure.description;
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_FALSE(fs::exists(dir.File("missing")));
}

} // namespace
} // namespace qv
