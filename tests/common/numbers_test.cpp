#include "common/numbers.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Numbers, IsNumericAcceptsWholeNumbersOnly)
{
    // clang-format off
    const std::pair<const char *, bool> cases[] = {
        {"12", true}, {" -3 ", true}, {"\t+4\t", true}, {"2.5", true}, {".5", true},
        {"5.", true}, {"1E3", true}, {"1e+3", true}, {"1D-2", true},
        {"", false}, {"  ", false}, {"abc", false}, {"1 000", false}, {"12abc", false},
        {"1E", false}, {".", false}, {"-", false}, {"--1", false}, {"1.2.3", false},
        {"1e3.5", false}, {"&H1F", false}, {"0x10", false}};
    // clang-format on
    for (const auto &[text, numeric] : cases) {
        EXPECT_EQ(IsNumeric(text), numeric) << '"' << text << '"';
        EXPECT_EQ(ParseNumber(text).has_value(), numeric) << '"' << text << '"';
    }
    // clang-format off
    const std::pair<const char *, double> values[] = {
        {"2.5", 2.5}, {" -3 ", -3}, {"+7", 7}, {"1E3", 1000}, {"1d2", 100}, {".25", 0.25},
        {"-1e400", -kInf}, {"1e-400", 0}};
    // clang-format on
    for (const auto &[text, value] : values) {
        EXPECT_EQ(ParseNumber(text), std::optional<double>(value)) << text;
    }
}

TEST(Numbers, LeadingNumberReadsTheLongestNumericPrefix)
{
    // clang-format off
    const std::pair<std::string, double> cases[] = {
        {"12abc", 12}, {"1 000", 1000}, {"  -7xyz", -7}, {"- 7", -7}, {"\n5\t", 5},
        {"&H1F", 31}, {"&hff", 255}, {"&o17", 15}, {"&O18", 1}, {"&O8", 0}, {"&H", 0},
        {"&X1", 0}, {"", 0}, {"abc", 0}, {"1.5.5", 1.5}, {"1e3x", 1000}, {"1e", 1}, {"1e+", 1},
        {"2.5E-1", 0.25}, {"1D2", 100}, {"1e400", kInf}, {"-1e400", -kInf}, {"1e-400", 0},
        {"0.0001e-400", 0}, {"123456e-330", 0}, {"0.000001e310", 1e304},
        {std::string(400, '9'), kInf}, {"0." + std::string(400, '0') + "1", 0}};
    // clang-format on
    for (const auto &[text, value] : cases) {
        EXPECT_EQ(LeadingNumber(text), value) << '"' << text << '"';
    }
}

TEST(Numbers, RoundingGoesToTheEvenNeighbour)
{
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    // clang-format off
    const std::pair<double, std::optional<std::int32_t>> cases[] = {
        {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-0.4, 0}, {0.4999, 0}, {255.5, 256},
        {2147483647.4, 2147483647}, {2147483647.5, std::nullopt}, {-2147483648.5, kMin},
        {-2147483649.0, std::nullopt}, {kInf, std::nullopt}, {std::nan(""), std::nullopt}};
    // clang-format on
    for (const auto &[value, rounded] : cases) {
        EXPECT_EQ(RoundToInt32(value), rounded) << value;
        if (rounded) {
            EXPECT_EQ(RoundHalfEven(value), *rounded) << value;
        }
    }
}

// The desktop toolkit sets the C locale from the environment; the decimal point must stay ".".
TEST(Numbers, DecimalPointIgnoresTheLocale)
{
    bool switched = false;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        switched = switched || std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    if (!switched) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    const double parsed = ParseNumber("2.5").value_or(0);
    const double leading = LeadingNumber("3.75x");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(parsed, 2.5);
    EXPECT_EQ(leading, 3.75);
}

} // namespace
} // namespace qv
