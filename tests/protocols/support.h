// What the protocol tests share: the capture road in process (a session like
// the program's with a fresh catalogue, the capture handed to the serial port
// and the capture timer's tick), and the key presses of every named slot kept
// in tests/data/protocols.
#pragma once

#include "engine/generate.h"
#include "engine/ir_signal.h"

#include <functional>
#include <string>
#include <vector>

namespace qv {
class Session;
}

namespace qvproto {

namespace irsig = qv::irsig;

std::string dataPath(const std::string& file); // under tests/data
const std::string& freshCatalogue();           // made once from data/catalogue.sql

struct Decoded {
    std::vector<std::string> binary, hex, errors, cycles, messages;
    bool clean() const { return errors.empty() && messages.empty() && !hex.empty(); }
};

// Decodes the times (burst first, microseconds) against the format key with
// the tolerance menu's 3, 5 or 8 percent; prepare makes further settings,
// inspect sees the session after the decode.
Decoded decode(const std::string& key, const std::vector<int64_t>& times, int tolerancePercent,
               const std::function<void(qv::Session&)>& inspect = {},
               const std::function<void(qv::Session&)>& prepare = {});
void demodulated(qv::Session& s);

// The number after the last ':' of a cycle line.
double cycleTime(const std::string& line);

// A key press of a named slot's protocol, sent as all zeros, all ones or a
// mixed code, with the code lines each of its groups shows.
struct Press {
    std::string key, protocol, code;
    bool readable = true;  // false: the slot's reading cannot take this code
    std::string uncounted; // "everyN": cell N of each group; "firstN-C": C cells of group 0
    std::vector<std::string> binary, hex; // one per group, empty when it shows none
    irsig::KeyPress press;

    // The non-empty code lines of the first frames groups.
    std::vector<std::string> binaryLines(size_t frames) const;
    std::vector<std::string> hexLines(size_t frames) const;
    // Time of group g that the slot's reading leaves out of its cycle.
    double uncountedTime(const irsig::Capture& c, size_t g) const;
};
const std::vector<Press>& presses();
const Press& press(const std::string& key, const std::string& code = "mixed");

// Whether the shipped row of key composes its code line by a rule of its own
// (it is then generated from its binary line).
bool composesOwnCodeLine(const std::string& key);

// The generator's signal of the press's first code line; throws GenerateError.
qv::engine::GeneratedSignal generate(const Press& p, int repeats,
                                     const irsig::Receiver& receiver = {}, uint32_t seed = 1);

} // namespace qvproto
