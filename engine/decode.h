// The decode as a value: a capture record, one format row and the settings
// in, everything the walk found out. The engine keeps no state between
// calls except what DecodeCarry hands back, and writes nowhere: the caller
// shows the result, writes the error record and stores learned fields.
#pragma once

#include "engine/decode_values.h"

#include <string>
#include <utility>
#include <vector>

namespace qv::engine {

// The learner of the generic rows: the fields "IB", "RIB", "HL" or "SE"
// takes from the capture, in the order it sets them; nothing for other kinds.
std::vector<std::pair<std::string, FieldValue>>
learnFields(const TimeTable& times, const std::string& kind, const DecodeSettings& settings);

// The decode. row.find("stru") is the structure walked; a generic row
// learns first when settings.learn is set.
DecodeResult decode(const TimeTable& times, const FormatRow& row, const DecodeSettings& settings);

// The hexadecimal code lines with every byte shown as a decimal number:
// "0A 1F " + line break becomes "10 31 " + line break; values up to 9 get a
// leading "0". Text after the last line break is dropped.
std::string octText(const std::string& hexCode, const std::string& lineBreak);

} // namespace qv::engine
