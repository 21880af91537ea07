// The receiver's message: two carrier bytes, then Osc/Idle tick pairs.
// From it come the carrier figures and the capture record.
#pragma once

#include "capture/capture_record.h"
#include "platform/basic.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qv {

using PairTable = std::array<std::array<int32_t, kDataCols>, kDataRows>;

// The carrier figures as shown: high time, period and frequency texts.
struct CarrierFigures {
    float high = 0;
    float period = 0;
    std::string highText, periodText, frequencyText; // frequencyText empty when period is 0
};
CarrierFigures carrierFigures(uint8_t highTicks, uint8_t lowTicks, float ticksPerMicrosecond);

// Ticks to whole microseconds (halves to even).
inline int32_t ticksToMicroseconds(unsigned ticks, float ticksPerMicrosecond) {
    return static_cast<int32_t>(
        roundHalfEven(static_cast<double>(ticks) / static_cast<double>(ticksPerMicrosecond)));
}
// The same for a loop over many counts, microsecondsPerTick being
// 1 / ticksPerMicrosecond: a product instead of a quotient. The two differ by
// far less than 1e-9 us, so they round apart only within that of a half;
// there the quotient decides.
inline int32_t ticksToMicroseconds(unsigned ticks, float ticksPerMicrosecond,
                                   double microsecondsPerTick) {
    const double us = static_cast<double>(ticks) * microsecondsPerTick;
    const auto whole = static_cast<int32_t>(us); // us >= 0
    const double part = us - whole;
    if (part > 0.5 - 1e-6 && part < 0.5 + 1e-6)
        return ticksToMicroseconds(ticks, ticksPerMicrosecond);
    return part < 0.5 ? whole : whole + 1;
}

// Decodes the Osc/Idle pairs of the message's first half into the pair table.
PairTable decodePairs(const std::vector<uint8_t>& bytes, float ticksPerMicrosecond);

// Writes the pair table into the capture record from (row, col) on,
// summing overflow units; returns where the cursor stopped.
std::pair<long, int> loadTimeTable(TimeTable& table, const PairTable& pairs, long row = 1,
                                   int col = 1);
// The same straight from the message's bytes, as decodePairs reads them.
std::pair<long, int> loadTimeTable(TimeTable& table, const std::vector<uint8_t>& bytes,
                                   float ticksPerMicrosecond, long row = 1, int col = 1);

// The times a capture record loaded from (1, 1) with the pair table would
// hold, as captureTimes reads them, without making the record.
std::vector<int64_t> loadedTimes(const PairTable& pairs);
// The same straight from a receiver message, without the pair table.
std::vector<int64_t> loadedTimes(const std::vector<uint8_t>& bytes, float ticksPerMicrosecond);
// Every time of a receiver message, read as the loader reads them but with
// no limit of the record: for a message the record holds, loadedTimes.
std::vector<int64_t> receivedTimes(const std::vector<uint8_t>& bytes, float ticksPerMicrosecond);

} // namespace qv
