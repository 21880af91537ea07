#include "app/capture_tick.h"

#include "app/session.h"

#include "app/capture_loader.h"
#include "app/dispatch.h"
#include "app/main_state.h"

namespace qv {

namespace {

void afterLoading(Session& s) {
    s.last.decode.lastFrameLeftOut = false; // until this capture's decode says so
    s.wave.HScroll1 = 0;                    // a new capture shows from its beginning
    keepADrawableFormat(s);
    decodeDispatch(s);
    s.changed();
}

} // namespace

bool captureTick(Session& s) {
    if (s.env.port && s.env.port->demodulates() && s.env.port->bytesWaiting() > 0)
        setDemodulated(s, true);
    if (!loadCapture(s)) return false;
    afterLoading(s);
    if (s.env.port) {
        const auto report = s.env.port->takeReport();
        s.last.errorLines.insert(s.last.errorLines.end(), report.begin(), report.end());
        if (!report.empty()) try {
                s.env.errorRecord.appendBlock(report, s.decoding.lineBreak);
            } catch (const ErrorRecordError& e) {
                s.message(e.what());
            }
    }
    return true;
}

bool captureTick(Session& s, const std::vector<uint8_t>& received, const std::string& source) {
    if (!loadCapture(s, received, source)) return false;
    afterLoading(s);
    return true;
}

bool captureTick(Session& s, Capture capture) {
    if (!loadCapture(s, std::move(capture))) return false;
    afterLoading(s);
    return true;
}

} // namespace qv
