// What the engine's parts share: how a walk fails, and the bit text to
// hexadecimal text conversion. The entry point is engine/decode.h.
#pragma once

#include <stdexcept>
#include <string>

namespace qv {

// A walk that cannot go on: a format field that cannot be read or is not a
// number, a division by zero. The decode ends the whole walk silently.
class WalkAborted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A chain of nested walks reached its depth limit: the format does not fit
// the capture. The decode abandons the walk with "You have select wrong format!".
class RunawayWalk : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How many walks may be started inside a walk before it counts as runaway.
// An honest capture nests at most once per group.
constexpr int kMaxNestedWalks = 256;

// The message of a runaway walk.
inline constexpr const char* kWrongFormatMessage = "You have select wrong format!";

// Bit text to hexadecimal text; s1 is trimmed in place.
std::string bitsToHex(std::string& s1, bool rOrder);

} // namespace qv
