#include "platform/basic.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace qv {

namespace {

// Length of the numeric prefix of s starting at i, or 0 when there is none.
size_t numberLength(std::string_view s, size_t i) {
    size_t j = i;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t digits = 0;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
        ++j, ++digits;
    if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
            ++j, ++digits;
    }
    if (digits == 0) return 0;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        size_t expDigits = 0;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k])))
            ++k, ++expDigits;
        if (expDigits > 0) j = k;
    }
    return j - i;
}

size_t skipBlanks(std::string_view s, size_t i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    return i;
}

// The C locale's numbers: a window program runs in the user's locale, where
// strtod reads "12.5" as 12 and printf writes "12,5".
locale_t cLocale() {
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    return c;
}

// As printf's "%.{precision}g" in the C locale, whatever the program's
// locale (a window program takes the user's, where 12.5 prints "12,5").
// A whole number below limit (1e7 for 7 digits, 1e15 for 15) prints as its
// digits.
std::string trimmedNumber(int precision, double v, double limit) {
    if (std::isnan(v)) return "0";
    if (v == 0) return "0"; // also folds -0
    if (v > -limit && v < limit) {
        const auto whole = static_cast<int64_t>(v);
        if (static_cast<double>(whole) == v) return std::to_string(whole);
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision);
    return std::string(buf, r.ptr);
}

} // namespace

double leadingNumber(std::string_view text) {
    size_t i = skipBlanks(text, 0);
    // Nearly every number read is a whole number of microseconds: read it
    // straight; up to 15 digits a double holds it exactly, as strtod would.
    {
        size_t j = i;
        const bool negative = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const size_t first = j;
        int64_t v = 0;
        while (j < text.size() && j - first < 16 && text[j] >= '0' && text[j] <= '9')
            v = v * 10 + (text[j++] - '0');
        const bool more = j < text.size() && (text[j] == '.' || text[j] == 'e' || text[j] == 'E' ||
                                              (text[j] >= '0' && text[j] <= '9'));
        if (j > first && j - first <= 15 && !more)
            return negative ? (v == 0 ? -0.0 : -static_cast<double>(v)) : static_cast<double>(v);
    }
    size_t len = numberLength(text, i);
    if (len == 0) return 0.0;
    std::string part(text.substr(i, len));
    double v = strtod_l(part.c_str(), nullptr, cLocale());
    if (!std::isfinite(v))
        return v > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    return v;
}

bool isNumeric(std::string_view text) {
    size_t i = skipBlanks(text, 0);
    size_t len = numberLength(text, i);
    if (len == 0) return false;
    return skipBlanks(text, i + len) == text.size();
}

int64_t wholePartOutside(double v) {
    if (v > -9.2e18 && v < 9.2e18) return wholePart(v);
    if (std::isnan(v)) return 0;
    return v > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

double roundHalfEvenOutside(double v) {
    if (v > -4.5e15 && v < 4.5e15) return roundHalfEven(v);
    double r = std::floor(v);
    double diff = v - r;
    if (diff > 0.5) return r + 1;
    if (diff < 0.5) return r;
    return std::fmod(r, 2.0) == 0 ? r : r + 1;
}

std::string fixedText(double v, int decimals) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : doubleText(v);
}

std::string singleText(float v) {
    return trimmedNumber(7, static_cast<double>(v), 1e7);
}

std::string doubleText(double v) {
    return trimmedNumber(15, v, 1e15);
}

std::string wholeText(int64_t v) {
    return std::to_string(v);
}

std::string leftText(std::string_view s, size_t n) {
    return std::string(s.substr(0, n));
}

std::string trimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return std::string(s.substr(b, e - b));
}

} // namespace qv
