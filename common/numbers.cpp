#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace qv {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Scans a decimal number at text[pos]: sign, digits, point, exponent. Returns the end of the
// longest prefix that forms a number with at least one mantissa digit, or pos when none does.
std::size_t ScanDecimal(std::string_view text, std::size_t pos)
{
    std::size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return pos;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// True when a decimal number that does not fit a double is too large rather than too small:
// the power of ten of its first significant digit, plus its exponent, is positive.
bool TooLarge(std::string_view mantissa, std::string_view exponent)
{
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) {
        return false;
    }
    std::int64_t power = first < point ? static_cast<std::int64_t>(point - first - 1)
                                       : -static_cast<std::int64_t>(first - point);
    std::int64_t shift = 0;
    const bool negative = !exponent.empty() && exponent[0] == '-';
    for (char c : exponent) {
        // Saturates far beyond any double's range; only the sign of the sum matters.
        if (IsDigit(c) && shift < 100000000) {
            shift = shift * 10 + (c - '0');
        }
    }
    power += negative ? -shift : shift;
    return power > 0;
}

// The value of a text that ScanDecimal accepted in full. Read with from_chars because strtod
// follows the C locale, which a desktop program sets from the user's environment: under a
// locale with a decimal comma "2.5" would read as 2.
double DecimalValue(std::string_view number)
{
    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    std::string copy(number);
    const std::size_t mark = copy.find_first_of("eEdD");
    if (mark != std::string::npos) {
        copy[mark] = 'e';
    }
    double value = 0;
    const auto result = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view text(copy);
        const std::string_view mantissa = text.substr(0, std::min(mark, text.size()));
        const std::string_view exponent =
            mark == std::string::npos ? std::string_view() : text.substr(mark + 1);
        value = TooLarge(mantissa, exponent) ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

} // namespace

bool IsNumeric(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    const std::string_view core = text.substr(begin, end - begin);
    return !core.empty() && ScanDecimal(core, 0) == core.size();
}

std::optional<double> ParseNumber(std::string_view text)
{
    if (!IsNumeric(text)) {
        return std::nullopt;
    }
    std::size_t begin = 0;
    while (IsBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = text.size();
    while (IsBlank(text[end - 1])) {
        --end;
    }
    return DecimalValue(text.substr(begin, end - begin));
}

double LeadingNumber(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact += c;
        }
    }
    if (compact.size() >= 2 && compact[0] == '&') {
        const char kind = compact[1];
        const int base = (kind == 'h' || kind == 'H') ? 16 : (kind == 'o' || kind == 'O') ? 8 : 0;
        if (base == 0) {
            return 0;
        }
        double value = 0;
        for (std::size_t i = 2; i < compact.size(); ++i) {
            const char c = compact[i];
            int digit = -1;
            if (IsDigit(c)) {
                digit = c - '0';
            } else if (base == 16 && c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (base == 16 && c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            }
            if (digit < 0 || digit >= base) {
                break;
            }
            value = value * base + digit;
        }
        return value;
    }
    const std::size_t end = ScanDecimal(compact, 0);
    if (end == 0) {
        return 0;
    }
    return DecimalValue(std::string_view(compact).substr(0, end));
}

double RoundHalfEven(double value)
{
    // The default floating-point rounding mode rounds halves to the even neighbour.
    return std::nearbyint(value);
}

std::optional<std::int32_t> RoundToInt32(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

} // namespace qv
