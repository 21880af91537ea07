// The capture road in process: a session like the program's, a fresh
// catalogue made from the shipped text source, a capture handed to the
// serial port and the capture timer's tick.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {
class Session;
}

namespace qvproto {

struct Decoded {
    std::vector<std::string> binary, hex, errors, cycles, messages;
};

// The catalogue made once per test program from data/catalogue.sql.
const std::string& freshCatalogue();

// Decodes the times (burst first, microseconds) against the format key with
// the tolerance menu's 3, 5 or 8 percent.
// After the decode, inspect sees the session (the selected row included).
// prepare, when given, makes further settings after the tolerance menu.
Decoded decode(const std::string& key, const std::vector<int64_t>& times, int tolerancePercent,
               const std::function<void(qv::Session&)>& inspect = {},
               const std::function<void(qv::Session&)>& prepare = {});

// The number after the last ':' of a cycle line.
double cycleTime(const std::string& line);

} // namespace qvproto
