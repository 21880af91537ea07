// The files and texts people swap signals in: whole remotes of named
// signals (Flipper .ir, lircd.conf, Girr, Broadlink, sendir, dump pastes,
// Tasmota, ESPHome logs). Each is read into one value, a SignalSet; the
// capture floor's five kinds stay with capture/capture_reader.h.
#pragma once

#include "capture/capture_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv::exchange {

enum class Form {
    FlipperIr,
    Broadlink,
    Sendir,
    DumpArray, // rawData[] / rawTicks[] / signed lists of the dump sketches
    Lircd,
    Girr,
    Tasmota,
    EspHome,
    IrdbCsv,
};
const char* formName(Form form);

// A protocol and its parameters, as a parsed form names a signal.
struct ParsedCode {
    // Whose names the protocol and parameters are: "irp" (Girr, IRDB CSV:
    // the protocol table's names and D, S, F, ...), "flipper", "esphome",
    // "tasmota" (their own names, mapped when rendered).
    std::string scheme = "irp";
    std::string protocol; // as the file writes it ("NEC", "nec1", "Samsung32")
    std::vector<std::pair<std::string, int64_t>> parameters; // "D", "F", or "address", ...
};

struct NamedSignal {
    std::string name;
    std::string kind;                // "raw", "parsed", "ccf", "codes", ...
    std::vector<int64_t> times;      // µs, burst first, alternating; the once part
    std::vector<int64_t> repeat;     // the part a held key repeats, if the form has one
    std::optional<double> carrierHz; // when the form holds one
    std::optional<ParsedCode> parsed;
    size_t line = 0; // where the signal starts in its file (1-based)
};

struct SignalSet {
    Form form = Form::FlipperIr;
    std::vector<NamedSignal> entries; // in file order
};

// Times of one signal: far beyond any remote's frame, well short of memory trouble.
constexpr size_t kMostTimes = 20000;
// One burst or gap, microseconds: no remote's lasts 100 s. Girr and the
// pasted logs read times up to it, and times of one kind in a row added up
// are held to it, so that whatever is read can be written as Girr again.
constexpr int64_t kLongestTime = 100000000;

// The form a text is in, by its content and then by the path's ending;
// none when it is one of the capture floor's own kinds.
std::optional<Form> formOf(const std::string& path, const std::string& text);

// Reads the text as its form. Refusals are CaptureFormatError
// "PATH: line N: expected ...".
SignalSet readSignalText(const std::string& path, const std::string& text);

// Reads the file; none when it is not a swapped form (then it is one of the
// capture floor's kinds and readCapture reads it).
std::optional<SignalSet> readSignalFile(const std::string& path);

// The times a capture takes of a signal: the once part, then one repeat.
std::vector<int64_t> captureTimesOf(const NamedSignal& signal);

} // namespace qv::exchange
