// --report-entries and --heatmap through the built quorvantile-convert.
#include "engine/resize_bmp.h"
#include "palette/difference_picture.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/fake_sink.h"
#include "tests/support/game_lump_reader.h"
#include "tests/support/reference_decode.h"
#include "tests/support/temp_dir.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

// What the palette conversion of a picture saw, as the engine gives it to a front end.
struct MappingSink : qv::test::FakeSink {
    bool WantsMappedPixels() const override { return true; }
};

// The entry counts of the JSON line are those of the result's pixels; the heatmap, as ImageMagick
// reads it, is the difference picture of what the conversion saw; each refusal touches nothing.
TEST(EntriesAndHeatmap, EachSwitchWritesWhatItSaysOrRefusesBeforeAnythingIsTouched)
{
    const struct {
        std::vector<std::string> args; // after --settings s.ini
        int status;
        const char *err; // a part of stderr
    } rows[] = {
        {{"--json", "--report-entries", "--heatmap", "h.png", "--output", "o", "a.bmp"}, 0, ""},
        {{"--heatmap", "h.png", "--output", "o", "a.bmp", "b.bmp"},
            2,
            "--heatmap takes the difference picture of one picture; this run has 2"},
        {{"--heatmap", "h.png", "."}, 2, "this run has 2"},
        {{"--heatmap", "a.bmp", "a.bmp"}, 2, "would replace the picture or its result"},
        {{"--heatmap", "o/a.bmp", "--output", "o", "a.bmp"},
            2,
            "would replace the picture or its result"},
        {{"--heatmap", ".", "a.bmp"}, 2, "is a folder"},
        {{"a.bmp", "--heatmap"}, 2, "--heatmap needs a value"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const qv::test::TempDir dir;
        std::vector<std::string> args = {"--settings", dir.Write("s.ini", std::string())};
        const std::string a = test::WritePicture(dir.Path(), "a.bmp", 10, 9, 24, 3);
        test::WritePicture(dir.Path(), "b.bmp", 6, 6, 24, 4);
        const auto before = test::Snapshot(dir.Path());
        args.insert(args.end(), row.args.begin(), row.args.end());

        const test::Run run = test::RunProgram(dir.Path(), args);

        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
        if (row.status != 0) {
            EXPECT_EQ(test::Snapshot(dir.Path()), before);
            continue;
        }
        const std::vector<std::uint8_t> bmp = qv::test::ReadBytes(dir.File("o/a.bmp"));
        const test::BmpShape shape = test::ShapeOf(bmp);
        ASSERT_EQ(shape.bitCount, 8);
        std::map<int, long> pixels; // each entry's pixels in the result
        for (const int index :
            qv::test::Drawn({bmp.begin() + 1078, bmp.end()}, shape.width, shape.height, -1)) {
            ++pixels[index];
        }
        ASSERT_GT(pixels.size(), 2U);
        std::string entries =
            "\"entries_used\":" + std::to_string(pixels.size()) + ",\"entry_counts\":{";
        for (const auto &[index, count] : pixels) {
            entries += "\"" + std::to_string(index) + "\":" + std::to_string(count) + ",";
        }
        entries.back() = '}';
        EXPECT_NE(run.out.find(entries), std::string::npos) << entries << "\n" << run.out;

        MappingSink sink;
        std::int32_t outW = sink.options.squareSize;
        std::int32_t outH = sink.options.squareSize;
        const ConversionResult result =
            ResizeBMP(sink, sink.store, sink.options, a, outW, outH, ResizeDestination::Preview());
        ASSERT_TRUE(result.mapped);
        const std::vector<std::uint8_t> heatmap = MakeDifferencePicture(*result.mapped).rgb;
        ASSERT_EQ(heatmap.size(), 3U * 10 * 9);
        EXPECT_EQ(qv::test::DecodeWithImageMagick(dir.File("h.png")), heatmap);
    }
}

} // namespace
} // namespace qv::cli
