// Loading a received capture: from the bytes waiting at the port to the
// carrier figures and the capture record.
#pragma once

#include "app/session.h"

#include <array>
#include <cstdint>
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
int32_t ticksToMicroseconds(unsigned ticks, float ticksPerMicrosecond);

// Decodes the Osc/Idle pairs of the message's first half into the pair table.
PairTable decodePairs(const std::vector<uint8_t>& bytes, float ticksPerMicrosecond);

// Writes the pair table into the capture record, summing overflow units.
void loadTimeTable(Session& s, const PairTable& pairs);

// The loading half of the capture tick. Returns false when fewer than 10
// bytes were waiting: they are dropped, the idle timer polls again and
// nothing else of the tick runs.
bool loadCapture(Session& s);

} // namespace qv
