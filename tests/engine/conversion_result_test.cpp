// What a conversion returns: each outcome as a value with the fields a front end needs to say
// it, beside the message boxes it shows; a refusal changes no file.
#include "engine/resize_bmp.h"
#include "platform/failure.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;
using Kind = ConversionResult::Kind;
using Refusal = LoadRefusal::Kind;

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

std::vector<std::uint8_t> Picture(std::int32_t width, std::int32_t height, std::int16_t depth)
{
    return test::BuildBmp({.width = width, .height = height, .bitCount = depth});
}

TEST(ConversionResult, EachOutcomeComesBackAsAValue)
{
    const auto junk = std::vector<std::uint8_t> {'B', 'M', ' ', 'j', 'u', 'n', 'k'};
    const std::string depth16 = "BMP bitdepth 16 not supported";
    const std::string cutShort =
        "Input past end of file: the file holds 7 bytes, its headers declare 18";
    const struct {
        const char *what;
        std::vector<std::uint8_t> file;
        bool convertPalette; // as the conversion starts
        bool sinkSwitches; // the front end's Convert Palette command switches it on
        Kind kind;
        std::int32_t width; // as loaded
        std::int16_t switchedAt;
        Refusal refusal;
        std::string why; // the refusal's reason or its failure's description
    } rows[] = {
        // clang-format off
        {"converted", Picture(30, 20, 24), true, true, Kind::Converted, 30, 0, Refusal::None, ""},
        {"switched on", Picture(30, 20, 32), false, true, Kind::Converted, 30, 32, Refusal::None, ""},
        {"too large", Picture(100, 40, 8), true, true, Kind::TooLarge, 100, 0, Refusal::None, ""},
        {"palette", Picture(10, 20, 24), false, false, Kind::NeedsPaletteConversion, 10, 0,
            Refusal::None, ""},
        {"depth", Picture(10, 20, 16), true, true, Kind::NotAPicture, 10, 0, Refusal::Refused,
            depth16},
        {"cut short", junk, true, true, Kind::NotAPicture, 0, 0, Refusal::Unreadable, cutShort},
        // clang-format on
    };
    for (const auto &row : rows) {
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
        const ConversionResult r = ResizeBMP(sink,
            sink.store,
            sink.options,
            path,
            side,
            side,
            ResizeDestination::ReplaceInput(dir.File("backup")));
        const bool converted = row.kind == Kind::Converted;
        EXPECT_EQ(r.kind, row.kind);
        EXPECT_EQ(r.pictureWidth, row.width);
        EXPECT_EQ(r.switchedConvertPaletteAtDepth, row.switchedAt);
        EXPECT_EQ(r.square, row.kind == Kind::TooLarge ? 64 : 0);
        EXPECT_EQ(r.refusal.kind, row.refusal);
        EXPECT_EQ(
            row.refusal == Refusal::Refused ? r.refusal.reason : r.refusal.failure.description,
            row.why);
        EXPECT_EQ(r.output, converted ? path : "");
        EXPECT_EQ(r.outputHeight, converted ? 20 : 0); // no scaling: the picture's own size
        EXPECT_FALSE(r.report); // the sink asked for none
        EXPECT_EQ(Files(dir.Path()) != before, converted);
        // The window's message boxes are still shown: one per refusal or switch.
        EXPECT_EQ(sink.dialogs.Log().empty(), converted && row.switchedAt == 0);
    }
}

// A failure while writing comes back with its procedure, number and description; the input is
// left as it was.
TEST(ConversionResult, AFailureCarriesItsNumberAndDescription)
{
    const test::TempDir dir;
    const std::string path = dir.Write("p.bmp", Picture(8, 8, 8));
    const auto before = Files(dir.Path());
    test::FakeSink sink;
    std::int32_t side = 64;
    const ConversionResult r = ResizeBMP(sink,
        sink.store,
        sink.options,
        path,
        side,
        side,
        ResizeDestination::OutputFile(dir.File("missing/p.bmp")));
    EXPECT_EQ(r.kind, Kind::Failed);
    EXPECT_EQ(r.Status(), ResizeResult::Failed);
    EXPECT_EQ(r.failure.procedure, "ResizeBMP");
    EXPECT_NE(r.failure.number, 0);
    EXPECT_NE(r.failure.description.find("missing"), std::string::npos) << r.failure.description;
    EXPECT_EQ(Files(dir.Path()), before);
}

} // namespace
} // namespace qv
