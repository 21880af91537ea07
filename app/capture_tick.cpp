#include "app/capture_tick.h"

#include "app/capture_loader.h"
#include "app/dispatch.h"
#include "app/format_selection.h"
#include "platform/basic.h"
#include "waveform/waveform.h"

namespace qv {

void keepADrawableFormat(Session& s) {
    const bool drawn =
        !(leadingNumber(s.TTable.cell(1, 1)) == 0 && leadingNumber(s.TTable.cell(1, 2)) == 0);
    if (drawn && !frameGapThreshold(s)) setIrtype(s, "Form016(NEC N-8)");
}

namespace {

void afterLoading(Session& s) {
    if (s.drawsWaveform) drawWaveform(s);
    keepADrawableFormat(s);
    decodeDispatch(s);
    s.changed();
}

} // namespace

void captureTick(Session& s) {
    if (loadCapture(s)) afterLoading(s);
}

void captureTick(Session& s, const std::vector<uint8_t>& received, const std::string& source) {
    if (loadCapture(s, received, source)) afterLoading(s);
}

} // namespace qv
