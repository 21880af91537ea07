#include "app/capture_tick.h"

#include "app/capture_loader.h"
#include "waveform/waveform.h"

namespace qv {

void captureTick(Session& s) {
    if (!loadCapture(s)) return;
    irdrw(s);
    decodeDispatch(s);
    s.changed();
}

} // namespace qv
