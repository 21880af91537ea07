#include "app/capture_loader.h"

#include "app/session.h"

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
    return loadCapture(s, receivedCapture(received, {CaptureSource::Kind::Port, source, {}}));
}

bool loadCapture(Session& s, Capture capture) {
    s.TimeRows = kDataRows;
    s.captureLoaded();
    s.wave.readout = std::to_string(capture.message.size());
    if (capture.message.size() < kShortestMessage) {
        // Too short for a capture: dropped. The link goes on polling as
        // after any finished capture.
        s.setIdleTimer(true);
        s.changed();
        return false;
    }
    s.last.capture = std::move(capture);
    const Capture& c = s.last.capture;

    const CarrierFigures f = carrierFigures(c.message[0], c.message[1], kReceiverTicksPerUsSingle);
    s.code.Lblcarr_h = f.highText;
    s.code.Lblcarr_wid = f.periodText;
    if (c.carrierPeriod > 0) s.code.Lblcarr_f = f.frequencyText;

    s.TimeRow = 1;
    s.TimeCol = 1;
    const auto [row, col] = loadTimeTable(s.TTable, c.message, kReceiverTicksPerUsSingle, 1, 1);
    s.TimeRow = row;
    s.TimeCol = static_cast<int16_t>(col);
    return true;
}

} // namespace qv
