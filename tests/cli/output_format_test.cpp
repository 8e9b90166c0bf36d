#include "cli/json.h"
#include "cli/message_line.h"
#include "cli/result_printer.h"

#include <sstream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

TEST(OutputFormat, JsonStringsStayValidWhateverTheBytes)
{
    const std::pair<std::string, std::string> rows[] = {
        {"plain.bmp", "\"plain.bmp\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\r\n\t", "\"\\r\\n\\t\""},
        {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
        {std::string(1, '\0'), "\"\\u0000\""},
        {"caf\xc3\xa9", "\"caf\xc3\xa9\""}, // UTF-8 passes
        {"\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\""},
        {"caf\xe9", "\"caf\\udce9\""}, // not UTF-8: each byte escaped to come back
        {"\xc3", "\"\\udcc3\""}, // cut short
        {"\xc3(", "\"\\udcc3(\""},
        {"\xc0\xaf", "\"\\udcc0\\udcaf\""}, // overlong
        {"\xed\xa0\x80", "\"\\udced\\udca0\\udc80\""}, // surrogate
        {"\xf4\x90\x80\x80", "\"\\udcf4\\udc90\\udc80\\udc80\""}, // above U+10FFFF
    };
    for (const auto &[text, json] : rows) {
        EXPECT_EQ(JsonString(text), json);
    }
}

TEST(OutputFormat, MessagesBecomeOneLine)
{
    const std::pair<std::string, std::string> rows[] = {
        {"Error in LoadBMPFile\r\nError #53\r\nFile not found",
            "Error in LoadBMPFile: Error #53: File not found"},
        {"a\nb", "a: b"},
        {"a\rb", "a: b"},
        {"a\r\n\r\nb", "a: : b"},
        {"no break", "no break"},
    };
    for (const auto &[text, line] : rows) {
        EXPECT_EQ(OneLine(text), line);
    }
    // A name with a line break of its own stays whole; the report's breaks still go.
    EXPECT_EQ(OneLine("Error in X\r\nError #9\r\nSubscript out of range (d/a\nb.bmp)", "a\nb.bmp"),
        "Error in X: Error #9: Subscript out of range (d/a\nb.bmp)");
}

TEST(OutputFormat, MessagesNameTheirFileOnce)
{
    struct Row {
        std::string path;
        std::string message;
        std::string line;
    };
    const Row rows[] = {
        {"./big.bmp",
            "big.bmp is larger than the output square.",
            "./big.bmp is larger than the output square."},
        {"d/x.bmp", "BMP too large: d/x.bmp", "BMP too large: d/x.bmp"},
        {"d/x.bmp",
            "Error in LoadBMPFile: Error #62: Input past end of file (d/x.bmp)",
            "Error in LoadBMPFile: Error #62: Input past end of file (d/x.bmp)"},
        {"d/x.bmp",
            "Error converting the palette for: x.bmp",
            "d/x.bmp: Error converting the palette for: x.bmp"},
        // A name that merely starts the message's first word is not the file's name.
        {"d/x.bmp", "x.bmpfoo is other", "d/x.bmp: x.bmpfoo is other"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(NamingTheFileOnce(row.path, row.message), row.line) << row.message;
    }
}

TEST(OutputFormat, TerminalTextIsEscapedAndCut)
{
    const std::pair<std::string, std::string> escaped[] = {
        {"plain caf\xc3\xa9.bmp", "plain caf\xc3\xa9.bmp"},
        {"a\nb\tc\rd", "a\\nb\\tc\\rd"},
        {"\x1b[2Jx.bmp", "\\x1b[2Jx.bmp"},
        {std::string("\x7f\x01", 2), "\\x7f\\x01"},
    };
    for (const auto &[text, shown] : escaped) {
        EXPECT_EQ(Printable(text), shown);
    }
    const std::tuple<std::string, std::size_t, std::string> cuts[] = {
        {"[1/2] abc", 5, "[1/2]"},
        {"short", 80, "short"},
        {"\xc3\xa9\xc3\xa9\xc3\xa9", 2, "\xc3\xa9\xc3\xa9"}, // never inside a character
        {"abc", 0, ""},
    };
    for (const auto &[line, columns, cut] : cuts) {
        EXPECT_EQ(CutToColumns(line, columns), cut) << line;
    }
}

TEST(OutputFormat, ProgressLineIsClearedBeforeMessagesAndAtTheEnd)
{
    for (const std::size_t columns : {std::size_t {0}, std::size_t {80}}) {
        const bool progress = columns > 0;
        std::ostringstream out;
        std::ostringstream err;
        ResultPrinter printer(out, err, true, columns, 2);
        printer.Print({"a.bmp", FileStatus::Converted, {}, "a.bmp", {}, "", "", {}});
        printer.Print({"b.bmp",
            FileStatus::Refused,
            {"b.bmp is larger than the output square."},
            "",
            {},
            "too-large",
            "",
            {}});
        printer.Finish();
        const std::string clear = "\r\x1b[K";
        EXPECT_EQ(err.str(),
            progress ? clear + "[1/2] a.bmp" + clear + "b.bmp is larger than the output square.\n"
                    + clear + "[2/2] b.bmp" + clear
                     : "b.bmp is larger than the output square.\n");
        EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
        EXPECT_EQ(printer.Converted(), 1U);
        EXPECT_FALSE(printer.AllConverted());
    }
}

// Each JSON line carries the file's mapping report (null without one), and the summary adds up
// the pixels of every file, the largest difference being the largest of any file.
TEST(OutputFormat, JsonLinesCarryTheReportAndTheSummaryAddsThemUp)
{
    const MappingReport first {10, 10, 0.0, 0.0};
    const MappingReport second {30, 10, 60.0, 7.5};
    std::ostringstream out;
    std::ostringstream err;
    ResultPrinter printer(out, err, true, 0, 3);
    printer.Print({"a.bmp", FileStatus::Converted, {}, "a.bmp", first, "", "", {}});
    printer.Print({"b.bmp", FileStatus::Converted, {}, "b.bmp", second, "", "", {}});
    printer.Print({"c.bmp", FileStatus::Failed, {"gone"}, "", {}, "failed", "", {}});
    EXPECT_EQ(out.str(),
        "{\"file\":\"a.bmp\",\"status\":\"converted\",\"reason\":null,\"message\":\"\","
        "\"output\":\"a.bmp\","
        "\"exact_percent\":100.0000,\"mean_de2000\":0.0000,\"max_de2000\":0.0000,"
        "\"format\":null,\"offsets\":null}\n"
        "{\"file\":\"b.bmp\",\"status\":\"converted\",\"reason\":null,\"message\":\"\","
        "\"output\":\"b.bmp\","
        "\"exact_percent\":33.3333,\"mean_de2000\":2.0000,\"max_de2000\":7.5000,"
        "\"format\":null,\"offsets\":null}\n"
        "{\"file\":\"c.bmp\",\"status\":\"failed\",\"reason\":\"failed\",\"message\":\"gone\","
        "\"output\":null,"
        "\"exact_percent\":null,\"mean_de2000\":null,\"max_de2000\":null,"
        "\"format\":null,\"offsets\":null}\n");
    EXPECT_EQ(printer.Summary(), (MappingReport {40, 20, 60.0, 7.5}));
    EXPECT_EQ(MappingReportText(printer.Summary()), "exact 50.0 %, mean dE00 1.50, max dE00 7.50");
}

} // namespace
} // namespace qv::cli
