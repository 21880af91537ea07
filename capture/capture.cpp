#include "capture/capture.h"

#include "capture/capture_reader.h"
#include "capture/receiver_message.h"

namespace qv {

namespace {

void setCarrier(Capture& c) {
    if (c.message.size() < 2) return;
    const CarrierFigures f = carrierFigures(c.message[0], c.message[1], kReceiverTicksPerUsSingle);
    c.carrierHigh = f.high;
    c.carrierPeriod = f.period;
}

} // namespace

Capture receivedCapture(std::vector<uint8_t> message, CaptureSource source) {
    Capture c;
    c.when = std::chrono::system_clock::now();
    c.message = std::move(message);
    c.source = std::move(source);
    if (c.message.size() >= kShortestMessage)
        c.times = receivedTimes(c.message, kReceiverTicksPerUsSingle);
    setCarrier(c);
    return c;
}

Capture captureOf(const CaptureFile& file, CaptureSource source) {
    if (!file.cut) return receivedCapture(file.message, std::move(source));
    Capture c = receivedCapture(messageFromTimes(file.times, file.carrier), std::move(source));
    c.message = file.message;
    return c;
}

} // namespace qv
