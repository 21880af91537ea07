// The decode's annotations as the waveform draws them: one mark per time
// the walk read, and the parts with the value the code line shows for them.
#pragma once

#include "app/marks.h"
#include "engine/decode.h"

namespace qv {

// octal: the code is shown with its bytes as decimal numbers (HEX/OCT);
// lineBreak ends the code lines.
DecodeMarks decodeMarks(const engine::DecodeResult& r, const TimeTable& times, bool octal,
                        const std::string& lineBreak);

} // namespace qv
