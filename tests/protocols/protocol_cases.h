// Every named catalogue slot with the protocol it reads: a key press for
// each of three codes (all zeros, all ones, a mixed code) and the code
// lines and cycles a clean decode of it shows.
#pragma once

#include "code_lines.h"
#include "ir_signal.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cases {

// One group (frame) of a key press as the decode shows it.
struct Group {
    Group() = default;
    Group(std::vector<lines::Part> p, std::string h = {})
        : parts(std::move(p)), hex(std::move(h)) {}
    std::vector<lines::Part> parts; // empty: the group shows no code lines
    std::string hex;                // set when the slot composes its own line
};

struct Press {
    irsig::KeyPress press;
    std::vector<Group> groups;
};

enum class Code { Zeros, Ones, Mixed };

struct ProtocolCase {
    std::string key;      // catalogue slot
    std::string protocol; // short name for the test's name
    std::function<Press(Code)> make;
    // Time of a group that the slot's reading leaves out of the cycle sum.
    std::function<double(const irsig::Capture&, size_t group)> uncounted;
    // A code the slot's reading cannot take, and why: its decode must fail
    // with error lines rather than show a wrong code.
    std::optional<Code> unreadable = std::nullopt;
    std::string why = {};
};

const std::vector<ProtocolCase>& protocolCases();
const ProtocolCase& protocolCase(const std::string& key);

std::string codeName(Code c);

} // namespace cases
