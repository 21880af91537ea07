#include "app/capture_tick.h"

#include "app/capture_loader.h"
#include "app/dispatch.h"

namespace qv {

namespace {

void afterLoading(Session& s) {
    s.demod.lastFrameLeftOut = false; // until this capture's decode says so
    s.wave.HScroll1 = 0;              // a new capture shows from its beginning
    keepADrawableFormat(s);
    decodeDispatch(s);
    s.changed();
}

} // namespace

bool captureTick(Session& s) {
    if (!loadCapture(s)) return false;
    afterLoading(s);
    return true;
}

bool captureTick(Session& s, const std::vector<uint8_t>& received, const std::string& source) {
    if (!loadCapture(s, received, source)) return false;
    afterLoading(s);
    return true;
}

} // namespace qv
