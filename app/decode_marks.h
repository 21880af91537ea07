// The decode's annotations as the waveform draws them: one mark per time
// the walk read, and the parts with their value in hexadecimal.
#pragma once

#include "app/marks.h"
#include "engine/decode.h"

namespace qv {

// msbFirst: a part's bits were read most significant first (the format's
// bit order); otherwise the first bit read is the least significant.
DecodeMarks decodeMarks(const engine::DecodeResult& r, const TimeTable& times, bool msbFirst);

} // namespace qv
