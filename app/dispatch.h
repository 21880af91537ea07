// The decode dispatch: the loaded capture decoded against the selected
// format and the result presented, and the pieces it presents with.
#pragma once

#include "engine/decode.h"

#include <optional>
#include <string>

namespace qv {

class Session;

using engine::octText;

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

// The "Quick press" report when the walk ended before the row's group
// count ("G_count").
std::optional<ErrorReport> quickPressReport(const engine::FormatRow& row, int groupNo);

// A generic row ("IB", "RIB", "HL", "SE") selected: it learns its times
// from the capture record and keeps them in the catalogue. FieldError
// without a row to learn into; DatabaseError when the catalogue refuses.
void learnIntoCatalogue(Session& s);

// The decode settings the session's controls make.
engine::DecodeSettings decodeSettings(const Session& s);

// The first code line as the sample comparison and the code recording see
// it: up to and including the carriage return of the first line break,
// blanks trimmed; empty when there is no line break.
std::string firstCodeLine(const std::string& hexCode, const std::string& lineBreak);

} // namespace qv
