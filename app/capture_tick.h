// The capture timer's tick: load the received capture, draw it, decode it
// and present the result.
#pragma once

#include "app/session.h"

namespace qv {

// Timer1's tick: loading, drawing, then the decode dispatch.
void captureTick(Session& s);

// The second half of the tick: decode against the selected format and
// present the result.
void decodeDispatch(Session& s);

// A setting changed (format, a tolerance, Ignore Time, HEX/OCT): the
// capture on screen is decoded again as it would be on arrival, but it is
// not compared with the sample, not handed to the recording, writes no
// second block to the error record and starts no automatic selection.
void redecodeShown(Session& s);

} // namespace qv
