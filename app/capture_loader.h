// Loading a capture into the session: the capture kept whole as the last
// one, its carrier labels and the capture record of its first times.
#pragma once

#include "capture/capture.h"
#include "capture/receiver_message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class Session;

// The pair table into the capture record at the session's cursor, which it moves.
void loadTimeTable(Session& s, const PairTable& pairs);

// The loading half of the capture tick. Returns false for a message shorter
// than kShortestMessage: it is dropped, the idle timer polls again and
// nothing else of the tick runs.
bool loadCapture(Session& s, Capture capture);
// The same on bytes received from source ("COM1 (/dev/ttyUSB0)").
bool loadCapture(Session& s, const std::vector<uint8_t>& received, const std::string& source);
// The same on the bytes waiting at the session's port.
bool loadCapture(Session& s);

} // namespace qv
