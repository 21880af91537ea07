// The decoding engine: the structure walk, the format learner, the frame
// reader and the bit step, working on the shared session and CurFormat.
#pragma once

#include "app/session.h"

#include <stdexcept>
#include <string>

namespace qv {

// A walk that cannot go on: a format field that cannot be read or is not a
// number, a division by zero. HandleData ends the whole walk silently.
class WalkAborted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A chain of nested walks reached its depth limit: the format does not fit
// the capture. HandleData abandons the walk with "You have select wrong format!".
class RunawayWalk : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How many walks may be started inside a walk before it counts as runaway.
// An honest capture nests at most once per group.
constexpr int kMaxNestedWalks = 256;

// The message of a runaway walk.
inline constexpr const char* kWrongFormatMessage = "You have select wrong format!";

// The structure walk over FrameSpec. Catches every failure of the walk.
void HandleData(Session& s);

// The format learner of the generic formats "IB", "RIB", "HL" and "SE".
// Database errors while committing the record reach the caller.
void GenelRead(Session& s);

// The frame reader for one structure token. May throw WalkAborted or
// RunawayWalk (HandleData catches them).
void ReadCode(Session& s, const std::string& token);

// One bit step of the part being read. May throw WalkAborted.
void ReadIRData(Session& s);

// Bit text to hexadecimal text; s1 is trimmed in place.
std::string BToH(std::string& s1, bool& rOrder);

} // namespace qv
