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
int64_t wholePartOutside(double v); // the saturated ends and NaN
inline int64_t wholePart(double v) {
    // Inline, without a library call: every time read takes this road.
    if (v > -9.2e18 && v < 9.2e18) {
        const auto t = static_cast<int64_t>(v);
        return static_cast<double>(t) > v ? t - 1 : t;
    }
    return wholePartOutside(v);
}

// Whole part of the number at the start of the text.
inline int64_t wholeOf(std::string_view text) {
    return wholePart(leadingNumber(text));
}

// Nearest whole number, halves to even (309.5 -> 310, 310.5 -> 310).
double roundHalfEvenOutside(double v); // beyond 4.5e15 either way
inline double roundHalfEven(double v) {
    // Every tick count of a capture takes this road: inline, no library calls.
    if (v > -4.5e15 && v < 4.5e15) {
        const double r = static_cast<double>(wholePart(v));
        const double diff = v - r;
        if (diff > 0.5) return r + 1;
        if (diff < 0.5) return r;
        return static_cast<int64_t>(r) % 2 == 0 ? r : r + 1;
    }
    return roundHalfEvenOutside(v);
}

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

// Decimal text with this many decimals ("%.2f" in the C locale, whatever the
// program's locale).
std::string fixedText(double v, int decimals);

// First n characters (all when shorter).
std::string leftText(std::string_view s, size_t n);

// Blanks removed at both ends (spaces only, as the text boxes trim).
std::string trimBlanks(std::string_view s);

} // namespace qv
