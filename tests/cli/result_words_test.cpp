// Each kind of conversion result in the command line's words: the lines naming the file once,
// the status and the reason word of --json, from the typed result alone.
#include "cli/json.h"
#include "cli/result_words.h"
#include "platform/failure.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

using Kind = ConversionResult::Kind;

ConversionResult Of(Kind kind)
{
    ConversionResult result;
    result.kind = kind;
    return result;
}

ConversionResult NotTaken(LoadRefusal::Kind kind, std::int32_t number, const std::string &words)
{
    ConversionResult result = Of(Kind::NotAPicture);
    result.refusal = kind == LoadRefusal::Kind::Refused
        ? LoadRefusal {kind, words, {}}
        : LoadRefusal {kind, "", {"LoadBMPFile", number, words}};
    return result;
}

// The file has no folder, so its lines read the same where paths are shown with backslashes.
TEST(ResultWords, EachOutcomeIsSaidInWordsWithItsStatusAndReason)
{
    ConversionResult tooLarge = Of(Kind::TooLarge);
    tooLarge.pictureWidth = 40;
    tooLarge.pictureHeight = 100;
    tooLarge.square = 64;
    ConversionResult deep = Of(Kind::NeedsPaletteConversion);
    deep.bitCount = 32;
    ConversionResult diskFull = Of(Kind::Failed);
    diskFull.failure = {"ResizeBMP", kDiskFull, "Disk full (writing ./a.bmp)"};
    ConversionResult alongTheWay = Of(Kind::Converted);
    alongTheWay.switchedConvertPaletteAtDepth = 24;
    alongTheWay.rescaleFailure = ReportedFailure {"ResizeTo", kOverflow, "Overflow"};
    const struct {
        ConversionResult result;
        std::vector<std::string> lines;
        FileStatus status;
        std::string reason;
    } rows[] = {
        {Of(Kind::Converted), {}, FileStatus::Converted, ""},
        {tooLarge,
            {"a.bmp is larger than the output square: 40 x 100 in a square of 64; use --size "
             "100 or --find-minimum."},
            FileStatus::Refused,
            "too-large"},
        {deep,
            {"a.bmp is 32-bit and needs to have its palette converted."},
            FileStatus::Refused,
            "palette"},
        {NotTaken(LoadRefusal::Kind::Refused, 0, "BMP bitdepth 16 not supported"),
            {"BMP bitdepth 16 not supported: a.bmp"},
            FileStatus::Refused,
            "unsupported"},
        {NotTaken(LoadRefusal::Kind::Unreadable,
             kInputPastEnd,
             "Input past end of file: the file holds 7 bytes, its headers declare 18"),
            {"a.bmp: not a picture: the file holds 7 bytes, its headers declare 18"},
            FileStatus::Refused,
            "not-a-picture"},
        {NotTaken(LoadRefusal::Kind::Unreadable, kUnknownFileFormat, "Not a PNG picture"),
            {"a.bmp: not a picture: not a PNG picture"},
            FileStatus::Refused,
            "not-a-picture"},
        {NotTaken(LoadRefusal::Kind::Unreadable,
             kPermissionDenied,
             "Permission denied (reading ./a.bmp)"),
            {"a.bmp: permission denied (reading ./a.bmp)"},
            FileStatus::Refused,
            "unreadable"},
        {Of(Kind::PaletteFailed),
            {"a.bmp: the palette conversion failed"},
            FileStatus::Refused,
            "palette-failed"},
        {diskFull, {"a.bmp: disk full (writing ./a.bmp)"}, FileStatus::Failed, "failed"},
        {alongTheWay,
            {"a.bmp is 24-bit and needs to have its palette converted.",
                "a.bmp: not rescaled: overflow"},
            FileStatus::Converted,
            ""},
        {Of(Kind::Skipped),
            {"a.bmp: not converted, the run stopped"},
            FileStatus::Failed,
            "skipped"},
    };
    for (const auto &row : rows) {
        const FileResult said = DescribeConversion("a.bmp", row.result);
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(said.file, "a.bmp");
        EXPECT_EQ(said.messages, row.lines);
        EXPECT_EQ(said.status, row.status);
        EXPECT_EQ(said.reason, row.reason);
        const std::string reason = row.reason.empty() ? "null" : "\"" + row.reason + "\"";
        EXPECT_NE(ResultJson(said).find("\"reason\":" + reason + ","), std::string::npos);
    }
}

// Only a converted file names its output and carries its report; a problem found before
// converting names its file and says so.
TEST(ResultWords, OutputAndReportComeWithAConversionOnly)
{
    for (const Kind kind : {Kind::Converted, Kind::Failed}) {
        ConversionResult result = Of(kind);
        result.output = "a.png";
        result.report = MappingReport {4, 4, 0.0, 0.0};
        const FileResult said = DescribeConversion("a.bmp", result);
        EXPECT_EQ(said.output, kind == Kind::Converted ? "a.png" : "");
        EXPECT_EQ(said.report.has_value(), kind == Kind::Converted);
    }
    const FileResult problem = DescribeProblem("gone.bmp", "no such file or folder");
    EXPECT_EQ(problem.messages, std::vector<std::string> {"gone.bmp: no such file or folder"});
    EXPECT_EQ(problem.status, FileStatus::Failed);
    EXPECT_EQ(problem.reason, "not-started");
}

} // namespace
} // namespace qv::cli
