// The last capture and its decode, as the dispatch leaves them: written
// once a capture, read by the windows, the waveform, the code recording
// window and the command line.
#pragma once

#include "engine/decode.h"

namespace qv {

struct LastCapture {
    engine::DecodeResult decode; // of the capture shown, against the format selected
};

} // namespace qv
