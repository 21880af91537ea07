// The serial link's control logic on the session: connect/disconnect, the
// receive event and the idle timer. The port itself is behind SerialPort.
#pragma once

#include <string>

namespace qv {

class Session;

// Toggles the link (menu "Connect"/"DisConnect" and a click on the icon).
void switchConnection(Session& s);

// The port's receive event: the idle timer off, the icon hidden (the
// capture's wait starts beside it, link/capture_wait.h).
void receiveEvent(Session& s);

// Timer2's tick: blink, "Z" every second tick, the recording status.
void timer2Tick(Session& s);

// The open port's device went away (unplugged, or the far end of a
// pseudo-terminal closed). Leaves the link as a disconnect does, so that
// "Connect" or choosing a port brings it back; bytes already received stay
// for a capture in progress. Reported with the given text.
void portLost(Session& s, const std::string& text);

} // namespace qv
