#include "common/numbers.h"

#include <cmath>
#include <cstdlib>
#include <string>

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

double DecimalValue(std::string_view number)
{
    std::string copy(number);
    for (char &c : copy) {
        if (c == 'd' || c == 'D') {
            c = 'e';
        }
    }
    return std::strtod(copy.c_str(), nullptr);
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
