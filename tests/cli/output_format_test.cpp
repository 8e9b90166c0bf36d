#include "cli/json.h"
#include "cli/message_line.h"
#include "cli/result_printer.h"

#include <sstream>

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
        {"caf\xe9", "\"caf\\u00e9\""}, // Latin-1
        {"\xc3", "\"\\u00c3\""}, // cut short
        {"\xc3(", "\"\\u00c3(\""},
        {"\xc0\xaf", "\"\\u00c0\\u00af\""}, // overlong
        {"\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\""}, // surrogate
        {"\xf4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""}, // above U+10FFFF
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
}

TEST(OutputFormat, ProgressLineIsClearedBeforeMessagesAndAtTheEnd)
{
    for (const bool progress : {false, true}) {
        std::ostringstream out;
        std::ostringstream err;
        ResultPrinter printer(out, err, true, progress, 2);
        printer.Print({"a.bmp", FileStatus::Converted, {}, "a.bmp"});
        printer.Print(
            {"b.bmp", FileStatus::Refused, {"b.bmp is larger than the output square."}, ""});
        printer.Finish();
        const std::string clear = "\r\x1b[K";
        EXPECT_EQ(err.str(),
            progress
                ? clear + "[1/2] a.bmp" + clear + "b.bmp: b.bmp is larger than the output square.\n"
                    + clear + "[2/2] b.bmp" + clear
                : "b.bmp: b.bmp is larger than the output square.\n");
        EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
        EXPECT_EQ(printer.Converted(), 1U);
        EXPECT_FALSE(printer.AllConverted());
    }
}

} // namespace
} // namespace qv::cli
