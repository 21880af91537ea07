// The analysis's steps, shared by its files.
#pragma once

#include "analysis/analysis.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qv::analysis {

// Times [begin, end) of a press make a frame (burst first, ending with a
// burst); gapAfter is the gap that follows it, -1 at the capture's end.
struct FrameSpan {
    size_t begin = 0, end = 0;
    double gapAfter = -1;
};
// backToBack: also where frames follow without a long gap between them.
std::vector<FrameSpan> splitFrames(const std::vector<double>& times, double grain,
                                   bool backToBack = true);
// Two times of copies of one frame: within 15% (or two sampling steps).
inline bool timesAlike(double a, double b, double grain) {
    return std::abs(a - b) <= std::max(0.15 * b, 2 * grain);
}
// A gap this long always ends a frame (no symbol's is as long).
constexpr double kFrameGap = 5000; // us

// Where the shortest burst and gap are not one unit alike (<1,-3|1,-7>),
// estimateExcess leaves a receiver's times between whole units: the one
// excess, shared by presses through one receiver, that makes them whole
// (nearest a typical receiver's where several do); nullopt where the
// estimate stands. alike receives the other excesses that make them as
// whole with a unit of their own.
struct AlikeReading {
    double excess, unit;
};
std::optional<double> wholeUnitExcess(const std::vector<Press>& presses, double grain,
                                      std::vector<AlikeReading>* alike = nullptr);

// A frame read with the coding: its items (times in microseconds) and bits.
struct FrameRead {
    std::vector<Item> items;
    std::string bits;
    double start = 0;     // microseconds from the press's first burst
    double gapAfter = -1; // -1: the capture ends
    double misfit = 0;    // the symbols' relative deviations, summed (pair codings)
};

// The fields of the message and their checks, from the presses' bits; runs
// are the [first, end) bit positions of each run of bits (fields stay
// inside one). Sets result.fields and result.msb.
void findFields(Result& result, const std::vector<std::string>& messages,
                const std::vector<std::pair<int, int>>& runs, bool msbFirst);

// The message of a press made from its parameters (address, command and
// toggle fields), the checks computed.
std::string composeMessage(const Result& result, const std::vector<uint64_t>& fieldValues);

// Writes result.irp.
void writeIrp(Result& result);

} // namespace qv::analysis
