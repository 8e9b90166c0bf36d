#include "platform/name_length.h"

#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

// A name is cut to a number of bytes between two UTF-8 characters; bytes that are not UTF-8
// count as characters of one byte.
TEST(NameStart, CutBetweenCharacters)
{
    const std::string e = "\xC3\xA9"; // two bytes
    const std::string euro = "\xE2\x82\xAC"; // three bytes
    const std::string smile = "\xF0\x9F\x98\x80"; // four bytes
    const std::string notUtf8 = "\xFF\xFE";
    const std::string lone = "\x80"; // a continuation without a lead
    const struct {
        std::string text;
        std::size_t length;
        std::string start;
    } rows[] = {
        {"abc", 2, "ab"},
        {"abc", 5, "abc"},
        {"a" + e, 2, "a"},
        {e + e, 3, e},
        {euro + "x", 2, ""},
        {"a" + euro, 4, "a" + euro},
        {smile + "x", 3, ""},
        {smile + "x", 4, smile},
        {notUtf8 + "ab", 3, notUtf8 + "a"},
        {"a\xE2\x82", 2, "a\xE2"}, // a sequence that ends early: single bytes
        {lone + "b", 1, lone},
        {"", 0, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(NameStart(row.text, row.length), row.start);
    }
}

} // namespace
} // namespace qv
