// Captures written as text: times in microseconds, alternating burst and
// gap. They are turned into the receiver unit's own message, so a text
// capture takes exactly the road of a received one.
#pragma once

#include "capture/capture.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {

class CaptureFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a text or a signal of no times is refused with.
inline constexpr const char* kNoTimesFound =
    "no times found: expected burst and gap times in microseconds";

// Reads times separated by blanks, commas or line breaks, starting with a
// burst; lines "pulse N" / "space N" and signed values (+burst, -gap) are
// accepted too. Throws CaptureFormatError naming the line. Two bursts or two
// gaps in a row (signed or pulse/space words) are summed into one; each sum
// is said in `sums`, naming the line, when given.
std::vector<int64_t> parseTimeList(const std::string& text,
                                   std::vector<std::string>* sums = nullptr);

// A word of a file as a message quotes it: control characters as \xNN.
std::string shownWord(const std::string& word);

struct Carrier {
    uint8_t highTicks = 16;
    uint8_t lowTicks = 32;
};

// Builds the receiver message: carrier bytes, 4-byte big-endian tick pairs
// (ticks = microseconds x the receiver's clock, rounded), long gaps as overflow pairs,
// seven overflow units after the last burst, and zero padding so that the
// whole signal lies in the part of the message that is decoded.
std::vector<uint8_t> messageFromTimes(const std::vector<int64_t>& times, Carrier carrier = {});

// The tick count a time is sent with, before any limit: microseconds x
// kReceiverTicksPerUs, halves away from zero (std::lround without the call, for the
// times a capture can hold).
inline long ticksForTime(int64_t us) {
    const double x = static_cast<double>(us) * kReceiverTicksPerUs;
    if (!(x > -4.5e15 && x < 4.5e15)) return std::lround(x);
    const double a = std::fabs(x);
    const auto whole = static_cast<long>(a);
    const long r = a - static_cast<double>(whole) >= 0.5 ? whole + 1 : whole;
    return x < 0 ? -r : r;
}
// The longest count a time may be sent with: 65535 ticks would read as a
// timer overflow.
constexpr long kLongestTicks = 65534;

} // namespace qv
