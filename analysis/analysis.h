// What an unknown remote sends, found from its key presses: the time classes,
// the coding and its unit, the frames and their repeat, the bits, and across
// presses which bits are an address, a command, a toggle or a check. The
// result is a value; its protocol is written as IRP text (irpText).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::analysis {

enum class Coding { PulseDistance, PulseWidth, BiPhase, PulsePosition, RunLength };
// "pulse-distance", "pulse-width", "bi-phase", "pulse-position", "run-length".
const char* codingName(Coding coding);

// One key press as it was captured: burst first, alternating burst and gap
// (microseconds); the carrier when the capture knows it.
struct Press {
    std::vector<int64_t> times;
    double carrierHz = 0;
    std::string name; // file or signal name, for the user
};

struct Options {
    // The burst excess of a demodulating receiver: estimated from each
    // press (nullopt) or the given microseconds taken off every burst.
    std::optional<double> excess;
};

// A piece of a frame: a fixed time (microseconds, + burst, - gap), a gap
// that ends the frame a fixed time after its start (extent), or a run of
// bits.
struct Item {
    enum Kind { Time, Extent, Bits } kind = Time;
    double us = 0;
    int bits = 0;
    int width = 1; // bits this many times their symbol's length (a bi-phase trailer bit)
};

// The frames of one shape: what they are made of, and how often each press
// sends them.
struct Shape {
    std::vector<Item> items;
    int bitCount() const;
};

// A field of the message (the bits of the intro, in the order sent).
struct Field {
    enum Role { Address, Command, Toggle, Check } role = Command;
    std::string name;
    int first = 0, length = 0; // bit positions in the message
    // For a check: how it is made from other fields (indexes into fields).
    enum Rule { None, Complement, Copy, Sum, Xor, NibbleSum, Parity, Weighted } rule = None;
    std::vector<int> sources;
    // Weighted: a weight for each 2-bit group of the sources, in their order
    // and each from its lowest bits.
    std::vector<int> weights;
    int64_t offset = 0;           // added to a sum, or XORed into a XOR
    bool inverted = false;        // the check is sent complemented
    std::vector<uint64_t> values; // per press
};

struct PressResult {
    std::string name;
    size_t input = 0;   // the press it is, of those given
    size_t skipped = 0; // times at its start left out (a stray burst and its gap)
    // A receiver's glitches taken as part of the burst or gap each splits
    // (irp::withoutGlitches): the times analysed are the capture's so merged.
    size_t glitches = 0;
    std::string bits;  // the message, bits in the order sent
    int repeats = 0;   // copies of the repeat part the press holds
    bool fits = false; // its frames are of the fitted shape
    bool rendersBack = false;
    double worstError = 0; // largest time difference of the rendering, microseconds
    std::vector<std::pair<std::string, uint64_t>> params;
};

struct Result {
    Coding coding = Coding::RunLength;
    double unit = 0;      // microseconds
    double carrierHz = 0; // 0: unknown
    double excess = 0;    // the burst excess taken off (mean of the presses)
    double grain = 1;     // the sampling step of the logger, 1 when it has none
    bool msb = false;     // the order bits of a field are sent in
    int bitsPerSymbol = 1;
    // Each symbol as times in units (+ burst, - gap); symbol i is the value i.
    std::vector<std::vector<double>> symbols;
    std::vector<Shape> intro;  // frames sent once
    std::vector<Shape> repeat; // frames sent in turn while the key is held (empty: none)
    std::vector<Shape> ending; // a frame sent once after the repeat; its bits end the message
    enum RepeatKind { NoRepeat, WholeFrame, Ditto } repeatKind = NoRepeat;
    std::string repeatBits;          // bits the repeat sends when they are not the message's
    bool repeatSendsMessage = false; // the repeat sends the message's bits again
    // Where the repeat is two or more frames that are neither: per bit of
    // them, a copy ('=') or complement ('~') of message bit `from`, or a
    // constant ('0', '1').
    struct RepeatBit {
        char how = '0';
        int from = -1;
    };
    std::vector<RepeatBit> repeatMap;
    std::vector<Field> fields;
    std::vector<PressResult> presses;
    std::vector<std::string> notes; // what did not fit, in words
    // The presses of another structure, each structure analysed apart.
    std::vector<Result> others;
    int bits() const;      // bits of the message
    int frameBits() const; // bits of its longest frame
    std::string irp;       // the protocol as IRP text
};

// The classes of a list of times: each time's class, the classes' means.
// grain is the sampling step of the logger that took them (1: none); times
// a step apart are never told apart.
struct Classes {
    std::vector<double> means;
    std::vector<int> of;
};
Classes classify(const std::vector<double>& times, double grain = 1);

// A check in words and IRP: "S=~D", "C=D+S+F+3", "C=D:4+D:4:4".
std::string checkText(const Result& result, const Field& field);
// "address", "command", "toggle", "check".
const char* roleName(Field::Role role);

// The burst excess of one press: half the difference of its shortest burst
// and shortest gap classes, 0 when the bursts are not the longer ones or it
// is more than 250 us.
double estimateExcess(const std::vector<int64_t>& times, double grain = 1);

// The analysis of presses that are taken to be of one remote. Unless the
// excess is given as none (a unit that measures the bursts themselves),
// a demodulating receiver's glitches are merged first.
Result analyse(const std::vector<Press>& presses, const Options& options = {});

// What a time of renderStructure's rendering is made of: the bits whose
// symbols it holds (their text, and the message bit the first stands for,
// -1 where none does), or a frame's fixed time; the frame, and whether it
// is sent while the key is held.
struct TimeRole {
    std::string bits; // the bits that the time tells apart (where the symbols differ)
    int firstBit = -1;
    int frame = 0;
    bool repeat = false;
    bool lead = false; // a fixed time before the frame's first bit
};

// The times a press of the result sends for the given message bits and repeat count,
// burst first, ending with a gap (the structure read back, not an IRP rendering).
// roles, when given, receives each time's role.
std::vector<double> renderStructure(const Result& result, const std::string& bits, int repeats,
                                    std::vector<TimeRole>* roles = nullptr);

// Whether a capture's times (excess taken off) are the rendering within the
// usual tolerance: absolute (100 us, or more for a coarse logger) or a
// quarter, whichever is larger; its last gap, often cut, is not compared.
// worst receives the largest difference. Drifting: each frame compared with
// the excess its own bursts show (a receiver's follows the signal's strength).
bool timesMatch(const std::vector<double>& rendered, const std::vector<double>& captured,
                double* worst = nullptr, double absolute = 100, bool drifting = false);

} // namespace qv::analysis
