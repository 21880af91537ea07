// The main window's own operations on the session: resetting the capture
// record, start-up, and the controls that set the tolerances.
#pragma once

#include "app/session.h"

namespace qv {

// Resets the capture record and the receiver buffers.
void startsub(Session& s);

// The main window's load event: defaults, format "Form016", port "COM1".
void startUp(Session& s);

// "Time tolerance &3%" / "&5%" / "&8%".
void toleranceMenu(Session& s, int percent);

// Enter in tTole / tTTole: take the box's text as the new tolerance. Text
// that is no number, or out of range, is refused with a message and the
// box shows the tolerance in force again; false then.
bool toleranceBoxEnter(Session& s);
bool cycleToleranceBoxEnter(Session& s);

// "Ignore Time" clicked to the given state.
void setIgnoreTime(Session& s, bool checked);

// SelCom click: opens port number position + 1.
void selectPort(Session& s, int position);

} // namespace qv
