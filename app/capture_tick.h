// The capture timer's tick: load the received capture, decode it and
// present the result. Drawing it is the window's business, after the tick.
#pragma once

#include "app/session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Timer1's tick on the bytes received from source: loading, then the decode
// dispatch. False when the bytes were too short to load (nothing else ran).
bool captureTick(Session& s, const std::vector<uint8_t>& received, const std::string& source);
// The same on every byte waiting at the session's port.
bool captureTick(Session& s);

// The dispatch's first step in the tick: without a format whose wait time
// tells the frames of the capture apart, "Form016(NEC N-8)" is selected
// before the decode (and so before the window draws the capture).
void keepADrawableFormat(Session& s);

// The second half of the tick: decode against the selected format and
// present the result.
void decodeDispatch(Session& s);

// A setting changed (format, a tolerance, Ignore Time, HEX/OCT): the
// capture on screen is decoded again as it would be on arrival, but it is
// not compared with the sample, not handed to the recording, writes no
// second block to the error record and starts no automatic selection.
void redecodeShown(Session& s);

} // namespace qv
