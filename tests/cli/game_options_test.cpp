// The games' formats on the command line: --format and --offsets, the results' names and the
// collision rule that .lmp names share with .bmp and .png, and what --json says of them.
#include "cli/cli_options.h"
#include "cli/convert_jobs.h"
#include "cli/convert_settings.h"
#include "cli/json.h"
#include "engine/result_path.h"
#include "platform/files.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

TEST(GameOptions, FormatAndOffsetsTakeEffectOrNameWhatIsWrong)
{
    const std::string offsetsWanted =
        " (none, sprite, centre, custom or X,Y, each -32768 to 32767)";
    const struct {
        std::vector<std::string> args;
        std::string error; // empty: parses
        OutputFormat format = OutputFormat::Bmp;
        OffsetMode offsets = OffsetMode::None;
        std::pair<int, int> custom = {5, 6};
    } cases[] = {
        {{"--format", "doom-picture"}, "", OutputFormat::DoomPicture, OffsetMode::None, {5, 6}},
        {{"--format", "doom-flat"}, "", OutputFormat::DoomFlat, OffsetMode::None, {5, 6}},
        {{"--format", "quake-picture"}, "", OutputFormat::QuakePicture, OffsetMode::None, {5, 6}},
        {{"--format=pcx"}, "", OutputFormat::Pcx, OffsetMode::None, {5, 6}},
        {{"--offsets", "sprite"}, "", OutputFormat::Bmp, OffsetMode::Sprite, {5, 6}},
        {{"--offsets", "centre"}, "", OutputFormat::Bmp, OffsetMode::Centre, {5, 6}},
        // "custom" takes the stored numbers, X,Y its own.
        {{"--offsets", "custom"}, "", OutputFormat::Bmp, OffsetMode::Custom, {5, 6}},
        {{"--offsets", "-12, 40"}, "", OutputFormat::Bmp, OffsetMode::Custom, {-12, 40}},
        {{"--offsets", "32767,-32768"}, "", OutputFormat::Bmp, OffsetMode::Custom, {32767, -32768}},
        {{"--offsets", "sprite", "--offsets", "none"},
            "",
            OutputFormat::Bmp,
            OffsetMode::None,
            {5, 6}},
        {{"--offsets", "32768,0"}, "invalid value for --offsets: 32768,0" + offsetsWanted},
        {{"--offsets", "1,2,3"}, "invalid value for --offsets: 1,2,3" + offsetsWanted},
        {{"--offsets", "center"}, "invalid value for --offsets: center" + offsetsWanted},
        {{"--offsets", "1"}, "invalid value for --offsets: 1" + offsetsWanted},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.back());
        std::vector<std::string> args = c.args;
        args.emplace_back("x.png");
        const ParseResult r = ParseCommandLine(args);
        EXPECT_EQ(r.error, c.error);
        if (!c.error.empty()) {
            continue;
        }
        ConversionOptions options;
        options.offsetX = 5;
        options.offsetY = 6;
        ASSERT_EQ(ApplyOptions(r.options, options), "");
        EXPECT_EQ(options.outputFormat, c.format);
        EXPECT_EQ(options.offsets, c.offsets);
        EXPECT_EQ(std::make_pair(options.offsetX, options.offsetY), c.custom);
    }
}

TEST(GameOptions, ResultNamesPerFormat)
{
    const struct {
        const char *input;
        OutputFormat format;
        const char *result;
    } cases[] = {
        {"a/b.bmp", OutputFormat::DoomPicture, "a/b.lmp"},
        {"a/b.png", OutputFormat::DoomFlat, "a/b.lmp"},
        {"a/b.PCX", OutputFormat::QuakePicture, "a/b.lmp"},
        {"a/b.LMP", OutputFormat::DoomPicture, "a/b.LMP"},
        {"a/b.bmp", OutputFormat::Pcx, "a/b.pcx"},
        {"a/b.Pcx", OutputFormat::Pcx, "a/b.Pcx"},
        {"a/b.pcx", OutputFormat::Png, "a/b.png"},
        // BMP keeps every name but those of the other pictures it reads.
        {"a/b.pcx", OutputFormat::Bmp, "a/b.bmp"},
        {"a/b.dat", OutputFormat::Bmp, "a/b.dat"},
        {"a.d/b", OutputFormat::DoomPicture, "a.d/b.lmp"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(ResultPath(c.input, c.format), c.result);
    }
}

TEST(GameOptions, InputsOfOneStemCollideOnTheirLumpAsOnTheirBitmap)
{
    const qv::test::TempDir dir;
    std::vector<InputFile> inputs;
    for (const char *file : {"a.bmp", "a.png", "a.pcx", "b.png"}) {
        inputs.push_back({dir.Write(file, std::string("x")), "", {}});
    }
    const std::vector<ConvertJob> jobs = PrepareJobs(inputs, "", OutputFormat::QuakePicture);
    ASSERT_EQ(jobs.size(), 4U);
    EXPECT_EQ(jobs[0].problem, "");
    EXPECT_EQ(jobs[1].problem, "an earlier input already writes " + NativePath(dir.File("a.lmp")));
    EXPECT_EQ(jobs[2].problem, "an earlier input already writes " + NativePath(dir.File("a.lmp")));
    EXPECT_EQ(jobs[3].problem, "");
}

TEST(GameOptions, JsonNamesTheFormatAndTheOffsets)
{
    FileResult lump {
        "s.png", FileStatus::Converted, {}, "s.lmp", {}, "", "doom-picture", {{-3, 40}}};
    EXPECT_EQ(ResultJson(lump),
        "{\"file\":\"s.png\",\"status\":\"converted\",\"reason\":null,\"message\":\"\","
        "\"output\":\"s.lmp\",\"exact_percent\":null,\"mean_de2000\":null,\"max_de2000\":null,"
        "\"format\":\"doom-picture\",\"offsets\":[-3,40]}");
    const FileResult refused {
        "f.png", FileStatus::Refused, {"f.png comes out 6 x 6, ..."}, "", {}, "format", "", {}};
    EXPECT_NE(ResultJson(refused).find("\"reason\":\"format\""), std::string::npos);
    EXPECT_NE(ResultJson(refused).find("\"format\":null,\"offsets\":null}"), std::string::npos);
}

} // namespace
} // namespace qv::cli
