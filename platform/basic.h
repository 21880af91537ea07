// Number handling of the receiver software: times and settings travel as
// decimal text, and every reader converts them the same way. One set of
// helpers keeps all readers in agreement.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The number at the start of the text: optional blanks, sign, digits, a
// decimal point and an exponent. Text without a number reads 0 ("5%" -> 5,
// "abc" -> 0).
double leadingNumber(std::string_view text);

// True when the whole text (blanks around it allowed) is a number.
bool isNumeric(std::string_view text);

// Whole part toward minus infinity (2.7 -> 2, -2.5 -> -3), saturated to the
// 64-bit range so absurd values cannot overflow.
int64_t wholePart(double v);

// Whole part of the number at the start of the text.
inline int64_t wholeOf(std::string_view text) {
    return wholePart(leadingNumber(text));
}

// Nearest whole number, halves to even (309.5 -> 310, 310.5 -> 310).
double roundHalfEven(double v);

// Single precision value, as the 4-byte settings store it.
inline float single(double v) {
    return static_cast<float>(v);
}

// Decimal text of a single: at most 7 significant digits, no trailing zeros
// ("3", "12.5", "8.680555").
std::string singleText(float v);

// Decimal text of a double: at most 15 significant digits, no trailing zeros.
std::string doubleText(double v);

// Decimal text of a whole number.
std::string wholeText(int64_t v);

// First n characters (all when shorter).
std::string leftText(std::string_view s, size_t n);

// Blanks removed at both ends (spaces only, as the text boxes trim).
std::string trimBlanks(std::string_view s);

} // namespace qv
