// The capture timer's tick: load the received capture, decode it and
// present the result (the dispatch, app/dispatch.h). Drawing it is the
// window's business, after the tick.
#pragma once

#include "capture/capture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class Session;

// Timer1's tick on the bytes received from source: loading, then the decode
// dispatch. False when the bytes were too short to load (nothing else ran).
bool captureTick(Session& s, const std::vector<uint8_t>& received, const std::string& source);
// The same on a capture read or made (a file, pasted text, a generated signal).
bool captureTick(Session& s, Capture capture);
// The same on every byte waiting at the session's port.
bool captureTick(Session& s);

} // namespace qv
