// The last capture and its decode as the program shows them: written once a
// capture by the loader and the dispatch, read by the windows, the waveform,
// the code recording window and the command line.
#pragma once

#include "app/marks.h"
#include "capture/capture.h"
#include "engine/decode.h"

#include <string>
#include <vector>

namespace qv {

struct LastCapture {
    // The capture shown, whole: the capture record holds its first times.
    // Empty before the first capture and after a new connection.
    Capture capture;
    // The decode of the capture shown. Its code lines are the ones shown:
    // `binary` the binary lines, `shown` the hexadecimal ones (decimal bytes
    // with OCT); automatic selection and a new connection clear them.
    engine::DecodeResult decode;
    // The error lines as shown: the decode's, the quick-press check's and
    // what a demodulating receiver reported of the press.
    std::vector<std::string> errorLines;
    // What the decode read, drawn over the trace (none where nothing draws).
    DecodeMarks marks;
    // Automatic selection found no code: the binary box says so.
    bool notThisFormat = false;
    // Decodes so far: the code recording window takes the binary lines
    // afresh after each.
    unsigned long decodes = 0;

    // The binary code lines as the main window shows them.
    const std::string& binaryShown() const;
    // Both code lines for the zoomed view: binary, then hexadecimal.
    std::string codeLines(const std::string& lineBreak) const;
    // A new connection: nothing of the capture that is gone stays shown; what
    // the decode carries to the next one stays.
    void clearShown();
};

} // namespace qv
