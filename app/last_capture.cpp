#include "app/last_capture.h"

namespace qv {

const std::string& LastCapture::binaryShown() const {
    static const std::string kNotThisFormat = "It not this format";
    return notThisFormat ? kNotThisFormat : decode.binary;
}

std::string LastCapture::codeLines(const std::string& lineBreak) const {
    std::string lines;
    lines.reserve(decode.binary.size() + decode.shown.size() + 3 * lineBreak.size());
    return lines.append(decode.binary)
        .append(lineBreak)
        .append(decode.shown)
        .append(lineBreak)
        .append(lineBreak);
}

void LastCapture::clearShown() {
    capture = {};
    decode.binary.clear();
    decode.shown.clear();
    decode.burstExcess = 0;
    decode.lastFrameLeftOut = false;
    errorLines.clear();
    marks = {};
    notThisFormat = false;
}

} // namespace qv
