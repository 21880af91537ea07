// Pieces of the decode dispatch that present the result (the dispatch
// itself is decodeDispatch in capture_tick.h).
#pragma once

#include "app/session.h"
#include "engine/decode.h"

#include <optional>
#include <string>

namespace qv {

using engine::octText;

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
