// Statistics across presses: how a remote really times its signal. Every
// time the decode read is sorted into a kind (head burst, 0 gap, cycle, ...)
// and the presses of one format and code are summed up kind by kind.
#pragma once

#include "engine/decode_values.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::engine {

// One time of a press, with the standard it was checked against.
struct TimeSample {
    std::string kind;
    double measured = 0;
    std::optional<double> standard;
    // Judged by the time window (a share of the standard) rather than the
    // cycle tolerance; those decide the tolerance a press needs.
    bool windowed = true;
};

// What one decoded press gives the statistics.
struct PressRecord {
    std::string format; // the row's key
    std::string code;   // the first hexadecimal code line ("" when none)
    std::vector<TimeSample> samples;
    bool clean = false; // a code and no error line
};

// The kinds, in the order they are listed.
const std::vector<std::string>& timeKinds();

// The samples of a decode: bit times by the bits they gave, a bi-phase
// row's times as half-bits (a full bit counts as two halves), cycles as
// the sums of their groups; carrierKHz, when known, as "carrier frequency"
// against the row's carrier period "CF_T".
std::vector<TimeSample> timeSamples(const DecodeResult& result, const FormatRow& row,
                                    std::optional<double> carrierKHz = std::nullopt);

PressRecord pressRecord(const DecodeResult& result, const FormatRow& row,
                        std::optional<double> carrierKHz = std::nullopt);

struct KindStats {
    std::string kind;
    int count = 0;
    double mean = 0, sd = 0, min = 0, max = 0; // sd: the sample deviation (0 for one time)
    std::optional<double> standard;            // the standard most of its times had
    std::optional<double> deviationUs() const;
    std::optional<double> deviationPercent() const;
};

struct PressGroupStats {
    std::string format, code;
    int presses = 0, clean = 0;
    std::vector<KindStats> kinds; // in timeKinds() order, only kinds with times
    // The smallest settings under which every windowed time would have
    // passed: a time tolerance above this share (percent) of the standard,
    // an absolute tolerance above this many microseconds, and a cycle
    // tolerance of at least this many microseconds.
    double tolerancePercent = 0, absoluteUs = 0, cycleUs = 0;
    // Every sample by kind, for plotting.
    std::vector<std::vector<double>> values; // parallel to kinds
};

// Presses grouped by format and code, groups in the order first seen.
std::vector<PressGroupStats> pressStatistics(const std::vector<PressRecord>& presses);

} // namespace qv::engine
