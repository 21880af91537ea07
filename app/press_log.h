// The captures of this run, for the statistics: every decode adds one.
#pragma once

#include "engine/press_stats.h"

#include "engine/decode.h"

namespace qv {

class Session;

// Adds the decode of the capture record just made with row; again: the
// capture shown was decoded again (a setting changed), which replaces the
// newest entry instead (an empty log gets it added).
void logPress(Session& s, const engine::FormatRow& row, const engine::DecodeResult& result,
              bool again = false);

// The presses of the log entries picked (indexes into s.pressLog; others are skipped).
std::vector<engine::PressRecord> pickedPresses(const Session& s, const std::vector<size_t>& picked);

} // namespace qv
