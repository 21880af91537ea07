// Signals made to order: the key press of a code as a catalogue row would
// send it, built from the row's own fields, so that a user's rows can be
// generated as well as the shipped ones.
#pragma once

#include "engine/decode_values.h"
#include "engine/ir_signal.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::engine {

// Why a signal cannot be made, in words for the user.
class GenerateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct GenerateRequest {
    // The code as the decode's hexadecimal line shows it ("00 FF 12 ED"),
    // or with binary set as its binary line ("00000000 11111111 ...").
    std::string code;
    bool binary = false;
    // The structure's last group is sent this many more times.
    int repeats = 0;
    irsig::Receiver receiver; // the default is an exact signal
    uint32_t seed = 1;
};

struct GeneratedSignal {
    irsig::Capture capture;
    double carrierPeriodUs = 0; // the row's "CF_T"; 0 when it has none
    std::string hex;            // the code line a decode of it shows
};

// A learning row (its times are read from a capture, there are none to send)
// and a placeholder row (its remark says "placeholder") cannot be generated;
// the user slots can.
bool isLearningRow(const FormatRow& row);
bool isPlaceholderRow(const FormatRow& row);

// The gap after a frame of a row without a cycle ("T1" 0): well past the
// row's end-of-frame wait "X", so that a reader ends the frame there.
double frameGapOf(const FormatRow& row);

// The key press of the request. The exact signal is decoded with the row
// before it is distorted: a row whose coding the generator cannot send (or
// a code that does not fit the row) is refused with GenerateError instead
// of writing a signal that decodes to something else.
GeneratedSignal generateSignal(const FormatRow& row, const GenerateRequest& request);

} // namespace qv::engine
