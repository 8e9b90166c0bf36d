// --report-entries and --heatmap through the built quorvantile-convert.
#include "engine/resize_bmp.h"
#include "palette/difference_picture.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/fake_sink.h"
#include "tests/support/reference_decode.h"
#include "tests/support/temp_dir.h"

#include <map>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

using qv::test::ReadBytes;
using qv::test::TempDir;

// Two 24-bit pictures that need their palette converted, and an empty settings file (the
// first-start settings).
struct Scene {
    TempDir dir;
    std::string ini = dir.Write("s.ini", std::string());
    std::string a = test::WritePicture(dir.Path(), "a.bmp", 10, 9, 24, 3);
    std::string b = test::WritePicture(dir.Path(), "b.bmp", 6, 6, 24, 4);
};

TEST(EntriesAndHeatmap, EachSwitchWritesWhatItSaysOrRefusesBeforeAnythingIsTouched)
{
    const struct {
        const char *name;
        std::vector<std::string> args; // after --settings s.ini
        int status;
        const char *out; // a part of stdout; empty: anything
        const char *err; // a part of stderr; empty: anything
        bool touches; // false: no file may change
    } rows[] = {
        {"entries in --json",
            {"--json", "--report-entries", "--output", "o", "a.bmp"},
            0,
            "\"entries_used\":",
            "",
            true},
        {"no entries without the switch",
            {"--json", "--output", "o", "a.bmp"},
            0,
            "\"offsets\":null}",
            "",
            true},
        {"heatmap of one picture",
            {"--heatmap", "h.png", "--output", "o", "a.bmp"},
            0,
            "",
            "",
            true},
        {"heatmap of two pictures",
            {"--heatmap", "h.png", "--output", "o", "a.bmp", "b.bmp"},
            2,
            "",
            "--heatmap takes the difference picture of one picture; this run has 2",
            false},
        {"heatmap of a folder of two", {"--heatmap", "h.png", "."}, 2, "", "this run has 2", false},
        {"heatmap over the picture",
            {"--heatmap", "a.bmp", "a.bmp"},
            2,
            "",
            "would replace the picture or its result",
            false},
        {"heatmap over the result",
            {"--heatmap", "o/a.bmp", "--output", "o", "a.bmp"},
            2,
            "",
            "would replace the picture or its result",
            false},
        {"heatmap into a folder", {"--heatmap", ".", "a.bmp"}, 2, "", "is a folder", false},
        {"heatmap without a file", {"a.bmp", "--heatmap"}, 2, "", "--heatmap needs a value", false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const Scene scene;
        const auto before = test::Snapshot(scene.dir.Path());
        std::vector<std::string> args = {"--settings", scene.ini};
        args.insert(args.end(), row.args.begin(), row.args.end());

        const test::Run run = test::RunProgram(scene.dir.Path(), args);

        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE(run.out.find(row.out), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
        if (!row.touches) {
            EXPECT_EQ(test::Snapshot(scene.dir.Path()), before);
        }
    }
}

// The counts of the JSON line are those of the indices in the written result.
TEST(EntriesAndHeatmap, EntryCountsAreThoseOfTheResultsPixels)
{
    const Scene scene;
    const test::Run run = test::RunProgram(scene.dir.Path(),
        {"--settings", scene.ini, "--json", "--report-entries", "--output", "o", "a.bmp"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::uint8_t> bmp = ReadBytes(scene.dir.File("o/a.bmp"));
    const test::BmpShape shape = test::ShapeOf(bmp);
    ASSERT_EQ(shape.bitCount, 8);
    const std::size_t stride = (static_cast<std::size_t>(shape.width) + 3) / 4 * 4;
    std::map<int, long> expected;
    for (std::size_t y = 0; y < static_cast<std::size_t>(shape.height); ++y) {
        for (std::size_t x = 0; x < static_cast<std::size_t>(shape.width); ++x) {
            ++expected[bmp.at(1078 + y * stride + x)];
        }
    }
    std::map<int, long> counted;
    std::smatch counts;
    ASSERT_TRUE(std::regex_search(run.out, counts, std::regex("\"entry_counts\":\\{([^}]*)\\}")));
    const std::string inside = counts[1];
    const std::regex pair("\"([0-9]+)\":([0-9]+)");
    for (auto it = std::sregex_iterator(inside.begin(), inside.end(), pair);
         it != std::sregex_iterator();
         ++it) {
        counted[std::stoi((*it)[1])] = std::stol((*it)[2]);
    }
    EXPECT_EQ(counted, expected);
    EXPECT_GT(expected.size(), 2U);
    EXPECT_NE(run.out.find("\"entries_used\":" + std::to_string(expected.size()) + ","),
        std::string::npos)
        << run.out;
}

// What the palette conversion of a picture saw, as the engine gives it to a front end.
struct MappingSink : qv::test::FakeSink {
    bool WantsMappedPixels() const override { return true; }
};

// The PNG, as ImageMagick reads it, is the difference picture of what the conversion saw.
TEST(EntriesAndHeatmap, HeatmapIsTheDifferencePictureOfThePicture)
{
    const Scene scene;
    const test::Run run = test::RunProgram(scene.dir.Path(),
        {"--settings", scene.ini, "--heatmap", "h.png", "--output", "o", "a.bmp"});
    ASSERT_EQ(run.status, 0) << run.err;
    MappingSink sink;
    std::int32_t outW = sink.options.squareSize;
    std::int32_t outH = sink.options.squareSize;
    const ConversionResult result = ResizeBMP(
        sink, sink.store, sink.options, scene.a, outW, outH, ResizeDestination::Preview());
    ASSERT_TRUE(result.mapped);
    const DifferencePicture expected = MakeDifferencePicture(*result.mapped);
    ASSERT_EQ(expected.width, 10);
    ASSERT_EQ(expected.height, 9);

    EXPECT_EQ(qv::test::DecodeWithImageMagick(scene.dir.File("h.png")), expected.rgb);
}

} // namespace
} // namespace qv::cli
