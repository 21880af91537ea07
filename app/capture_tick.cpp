#include "app/capture_tick.h"

#include "app/capture_loader.h"
#include "catalogue/format_selection.h"
#include "platform/basic.h"
#include "waveform/waveform.h"

namespace qv {

void keepADrawableFormat(Session& s) {
    const bool drawn =
        !(leadingNumber(s.TTable.cell(1, 1)) == 0 && leadingNumber(s.TTable.cell(1, 2)) == 0);
    if (drawn && !frameGapThreshold(s)) setIrtype(s, "Form016(NEC N-8)");
}

void captureTick(Session& s) {
    if (!loadCapture(s)) return;
    irdrw(s);
    keepADrawableFormat(s);
    decodeDispatch(s);
    s.changed();
}

} // namespace qv
