// The main window's own operations on the session: resetting the capture
// record, start-up, and the controls that set the tolerances.
#pragma once

#include "app/demodulation.h"
#include "engine/decode_values.h"
#include <string>

namespace qv {

class Session;

// Resets the capture record and the receiver buffers.
void resetCapture(Session& s);

// The main window's load event: defaults, format "Form016", port "COM1".
void startUp(Session& s);

// "Time tolerance &3%" / "&5%" / "&8%".
void toleranceMenu(Session& s, int percent);

// The tolerances as their boxes show them: "3%", "500".
std::string toleranceText(float share);
std::string cycleToleranceText(float us);
// The tolerance boxes are to show the tolerances in force again.
void showTolerances(Session& s);

// Enter in tTole / tTTole: take the typed text as the new tolerance. Text
// that is no number, or out of range, is refused with a message and the
// boxes show the tolerances in force again; false then.
bool toleranceBoxEnter(Session& s, const std::string& typed);
bool cycleToleranceBoxEnter(Session& s, const std::string& typed);

// IRMenu "Demodulated capture" set to the given state. On, it puts the
// mode's settings in force (the time and cycle tolerances as their boxes
// show them); off, it gives back the tolerances it found and reads times as
// the receiver unit's again.
void setDemodulated(Session& s, bool on);
// The settings dialog's OK: new settings for the mode, in force at once when it is on.
void setDemodSettings(Session& s, const DemodSettings& settings);
// What the mode puts in force, on decode settings without a session (the
// scan): its tolerances replace those the settings had.
void applyDemodSettings(engine::DecodeSettings& d, const DemodSettings& settings);

// "Ignore Time" clicked to the given state.
void setIgnoreTime(Session& s, bool checked);

// SelCom click: opens port number position + 1.
void selectPort(Session& s, int position);

} // namespace qv
