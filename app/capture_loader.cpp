#include "app/capture_loader.h"

#include "capture/receiver_message.h"

#include "platform/basic.h"

namespace qv {

void loadTimeTable(Session& s, const PairTable& pairs) {
    const auto [row, col] = loadTimeTable(s.TTable, pairs, s.TimeRow, s.TimeCol);
    s.TimeRow = row;
    s.TimeCol = static_cast<int16_t>(col);
}

bool loadCapture(Session& s) {
    // Every byte waiting is taken: one too short for a capture is dropped,
    // or it would spoil the next one.
    const size_t n = s.env.port ? s.env.port->bytesWaiting() : 0;
    return loadCapture(s, n > 0 ? s.env.port->read(n) : std::vector<uint8_t>(),
                       s.env.port ? s.env.port->source() : std::string());
}

bool loadCapture(Session& s, const std::vector<uint8_t>& received, const std::string& source) {
    s.TimeRows = kDataRows;
    s.captureLoaded();
    s.wave.readout = std::to_string(received.size());
    if (received.size() < 10) {
        // Too short for a capture: dropped. The link goes on polling as
        // after any finished capture.
        s.setIdleTimer(true);
        s.changed();
        return false;
    }
    s.CarrierPeriod = 0;
    s.RxBytes = received;
    s.captureSource = source;

    const CarrierFigures f = carrierFigures(s.RxBytes[0], s.RxBytes[1], s.TicksPerMicrosecond);
    s.CarrierHigh = f.high;
    s.CarrierPeriod = f.period;
    s.code.Lblcarr_h = f.highText;
    s.code.Lblcarr_wid = f.periodText;
    if (s.CarrierPeriod > 0) s.code.Lblcarr_f = f.frequencyText;

    s.TimeRow = 1;
    s.TimeCol = 1;
    const auto [row, col] = loadTimeTable(s.TTable, s.RxBytes, s.TicksPerMicrosecond, 1, 1);
    s.TimeRow = row;
    s.TimeCol = static_cast<int16_t>(col);
    return true;
}

} // namespace qv
