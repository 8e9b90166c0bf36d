// Each kind of conversion result in the command line's words: the lines naming the file once,
// the status and the reason word of --json, built from the typed result alone.
#include "cli/json.h"
#include "cli/result_words.h"
#include "platform/failure.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

using Kind = ConversionResult::Kind;

ConversionResult Result(Kind kind, const std::function<void(ConversionResult &)> &fill = {})
{
    ConversionResult result;
    result.kind = kind;
    if (fill) {
        fill(result);
    }
    return result;
}

ReportedFailure Failed(const char *procedure, std::int32_t number, const std::string &description)
{
    return {procedure, number, description};
}

TEST(ResultWords, EachOutcomeIsSaidInWordsWithItsStatusAndReason)
{
    struct Row {
        const char *what;
        ConversionResult result;
        std::vector<std::string> lines;
        FileStatus status;
        std::string reason;
    };
    const Row rows[] = {
        {"converted", Result(Kind::Converted), {}, FileStatus::Converted, ""},
        {"too large",
            Result(Kind::TooLarge,
                [](ConversionResult &r) {
                    r.pictureWidth = 40;
                    r.pictureHeight = 100;
                    r.square = 64;
                }),
            {"./a.bmp is larger than the output square: 40 x 100 in a square of 64; use --size "
             "100 or --find-minimum."},
            FileStatus::Refused,
            "too-large"},
        {"palette needed",
            Result(Kind::NeedsPaletteConversion, [](ConversionResult &r) { r.bitCount = 32; }),
            {"./a.bmp is 32-bit and needs to have its palette converted."},
            FileStatus::Refused,
            "palette"},
        {"refused by the loader",
            Result(Kind::NotAPicture,
                [](ConversionResult &r) {
                    r.refusal = {LoadRefusal::Kind::Refused, "BMP bitdepth 16 not supported", {}};
                }),
            {"BMP bitdepth 16 not supported: ./a.bmp"},
            FileStatus::Refused,
            "unsupported"},
        {"cut short",
            Result(Kind::NotAPicture,
                [](ConversionResult &r) {
                    r.refusal = {LoadRefusal::Kind::Unreadable,
                        "",
                        Failed("LoadBMPFile",
                            kInputPastEnd,
                            "Input past end of file: the file holds 7 bytes, its headers declare "
                            "18")};
                }),
            {"./a.bmp: not a picture: the file holds 7 bytes, its headers declare 18"},
            FileStatus::Refused,
            "not-a-picture"},
        {"a PNG file",
            Result(Kind::NotAPicture,
                [](ConversionResult &r) {
                    r.refusal = {LoadRefusal::Kind::Unreadable,
                        "",
                        Failed("LoadBMPFile", kUnknownFileFormat, "Not a PNG picture")};
                }),
            {"./a.bmp: not a picture: not a PNG picture"},
            FileStatus::Refused,
            "not-a-picture"},
        {"unreadable",
            Result(Kind::NotAPicture,
                [](ConversionResult &r) {
                    r.refusal = {LoadRefusal::Kind::Unreadable,
                        "",
                        Failed("LoadBMPFile",
                            kPermissionDenied,
                            "Permission denied (reading ./a.bmp)")};
                }),
            {"./a.bmp: permission denied (reading ./a.bmp)"},
            FileStatus::Refused,
            "unreadable"},
        {"palette failed",
            Result(Kind::PaletteFailed),
            {"./a.bmp: the palette conversion failed"},
            FileStatus::Refused,
            "palette-failed"},
        {"disk full",
            Result(Kind::Failed,
                [](ConversionResult &r) {
                    r.failure = Failed("ResizeBMP", kDiskFull, "Disk full (writing ./a.bmp)");
                }),
            {"./a.bmp: disk full (writing ./a.bmp)"},
            FileStatus::Failed,
            "failed"},
        {"switched on, rescaling failed, then converted",
            Result(Kind::Converted,
                [](ConversionResult &r) {
                    r.switchedConvertPaletteAtDepth = 24;
                    r.rescaleFailure = Failed("ResizeTo", kOverflow, "Overflow");
                }),
            {"./a.bmp is 24-bit and needs to have its palette converted.",
                "./a.bmp: not rescaled: overflow"},
            FileStatus::Converted,
            ""},
        {"stopped",
            Result(Kind::Skipped),
            {"./a.bmp: not converted, the run stopped"},
            FileStatus::Failed,
            "skipped"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const FileResult said = DescribeConversion("./a.bmp", row.result);
        EXPECT_EQ(said.file, "./a.bmp");
        EXPECT_EQ(said.messages, row.lines);
        EXPECT_EQ(said.status, row.status);
        EXPECT_EQ(said.reason, row.reason);
        const std::string json = ResultJson(said);
        EXPECT_NE(json.find(row.reason.empty() ? std::string("\"reason\":null")
                                               : "\"reason\":\"" + row.reason + "\""),
            std::string::npos)
            << json;
    }
}

// Only a converted file names its output and carries its report.
TEST(ResultWords, TheOutputAndReportComeWithAConversionOnly)
{
    for (const Kind kind : {Kind::Converted, Kind::Failed}) {
        const FileResult said = DescribeConversion("a.bmp", Result(kind, [](ConversionResult &r) {
            r.output = "a.png";
            r.report = MappingReport {4, 4, 0.0, 0.0};
        }));
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
