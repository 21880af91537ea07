// Loading a received capture into the session: from the bytes received to
// the carrier labels and the capture record.
#pragma once

#include "app/session.h"
#include "capture/receiver_message.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace qv {

// The pair table into the capture record at the session's cursor, which it moves.
void loadTimeTable(Session& s, const PairTable& pairs);

// The loading half of the capture tick on the bytes received from source
// ("COM1 (/dev/ttyUSB0)", a file's name). Returns false for fewer than 10
// bytes: the idle timer polls again and nothing else of the tick runs.
bool loadCapture(Session& s, const std::vector<uint8_t>& received, const std::string& source);
// The same on the bytes waiting at the session's port; a message too short
// to be a capture is read and dropped.
bool loadCapture(Session& s);

} // namespace qv
