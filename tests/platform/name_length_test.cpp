#include "platform/name_length.h"

#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

// A name is cut between characters to fit the file system's count: bytes on Linux, UTF-16 units
// on Windows; bytes that are not UTF-8 count one each.
TEST(NameLength, CutBetweenCharactersAsTheSystemCounts)
{
    const std::string e = "\xC3\xA9"; // two bytes, one unit
    const std::string euro = "\xE2\x82\xAC"; // three bytes, one unit
    const std::string smile = "\xF0\x9F\x98\x80"; // four bytes, two units
    const struct {
        std::string text;
        std::size_t length; // the count the cut must fit
        std::size_t posixLength; // NameLength of text
        std::string posixStart; // NameStart(text, length)
        std::size_t windowsLength;
        std::string windowsStart;
    } rows[] = {
        {"abc", 2, 3, "ab", 3, "ab"},
        {"abc", 5, 3, "abc", 3, "abc"},
        {"a" + e, 2, 3, "a", 2, "a" + e},
        {e + e, 3, 4, e, 2, e + e},
        {euro + "x", 2, 4, "", 2, euro + "x"},
        {"a" + euro, 3, 4, "a", 2, "a" + euro},
        {smile + "x", 1, 5, "", 3, ""},
        {smile + "x", 2, 5, "", 3, smile},
        {"\xFF\xFE"
         "ab",
            3,
            4,
            "\xFF\xFE"
            "a",
            4,
            "\xFF\xFE"
            "a"},
        {"a\xE2\x82", 2, 3, "a\xE2", 3, "a\xE2"}, // a sequence that ends early: single bytes
        {"\x80"
         "b",
            1,
            2,
            "\x80",
            2,
            "\x80"},
        {"", 0, 0, "", 0, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
#ifdef _WIN32
        EXPECT_EQ(NameLength(row.text), row.windowsLength);
        EXPECT_EQ(NameStart(row.text, row.length), row.windowsStart);
#else
        EXPECT_EQ(NameLength(row.text), row.posixLength);
        EXPECT_EQ(NameStart(row.text, row.length), row.posixStart);
#endif
    }
}

} // namespace
} // namespace qv
