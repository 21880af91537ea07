// Pieces of the decode dispatch that present the result (the dispatch
// itself is decodeDispatch in capture_tick.h).
#pragma once

#include <string>

namespace qv {

// The hexadecimal code lines with every byte shown as a decimal number:
// "0A 1F " + line break becomes "10 31 " + line break; values up to 9 get a
// leading "0". Text after the last line break is dropped.
std::string octText(const std::string& hexCode, const std::string& lineBreak);

// The first code line as the sample comparison and the code recording see
// it: up to and including the carriage return of the first line break,
// blanks trimmed; empty when there is no line break.
std::string firstCodeLine(const std::string& hexCode, const std::string& lineBreak);

} // namespace qv
