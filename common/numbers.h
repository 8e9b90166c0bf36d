#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Numbers in text, as the whole program reads them: the numeric test of the prompts, the
// lenient leading-number reading of the settings store, and rounding halves to the even
// neighbour.
namespace qv {

// The text reads in full as a number: optional blanks and tabs around it, an optional sign,
// digits with at most one decimal point (at least one digit), and an optional exponent
// (E or D, optional sign, digits). "12", " -3 ", "2.5", "1E3", ".5" are numbers; "", "abc",
// "1 000", "12abc" are not.
bool IsNumeric(std::string_view text);

// The value of a text for which IsNumeric is true; nothing otherwise.
std::optional<double> ParseNumber(std::string_view text);

// The longest leading part of text that forms a number, with blanks, tabs and line feeds
// ignored wherever they stand: sign, digits, decimal point, exponent (E or D), or a number in
// the &H (hexadecimal) and &O (octal) notations. No number at all reads as 0.
// "12abc" -> 12, "1 000" -> 1000, "  -7xyz" -> -7, "&H1F" -> 31, "" -> 0.
double LeadingNumber(std::string_view text);

// The nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
double RoundHalfEven(double value);

// RoundHalfEven as a 32-bit integer; nothing when the result does not fit (or is not finite).
std::optional<std::int32_t> RoundToInt32(double value);

} // namespace qv
