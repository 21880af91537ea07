#include "app/generate_capture.h"


#include "app/capture_tick.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue.h"
#include "platform/basic.h"

namespace qv {

engine::FormatRow catalogueRow(const std::string& cataloguePath, const std::string& key) {
    auto cursor = openCatalogue(cataloguePath);
    if (!cursor->seek(key))
        throw engine::GenerateError("the catalogue has no format \"" + key + "\"");
    return engine::FormatRow::fromCursor(*cursor);
}

std::vector<uint8_t> generatedMessage(const engine::GeneratedSignal& signal) {
    return messageFromTimes(signal.capture.times, signal.carrierPeriodUs > 0
                                                      ? carrierForPeriod(signal.carrierPeriodUs)
                                                      : Carrier{});
}

std::string generatedFileContent(const engine::GeneratedSignal& signal, CaptureFileKind kind) {
    const auto& times = signal.capture.times;
    switch (kind) {
    case CaptureFileKind::ReceiverMessage: {
        const auto bytes = generatedMessage(signal);
        return std::string(bytes.begin(), bytes.end());
    }
    case CaptureFileKind::SignedRaw:
        return writeSignedRaw(times);
    case CaptureFileKind::Mode2:
        return writeMode2(times);
    case CaptureFileKind::Pronto:
        // Without a carrier the receiver's default one is named.
        return writePronto(times, signal.carrierPeriodUs > 0 ? signal.carrierPeriodUs : 26.0,
                           engine::kDefaultFrameGap);
    case CaptureFileKind::TimeList:
        break;
    }
    return writeTimeList(times);
}

bool parseDistortion(const std::string& text, engine::GenerateRequest& request, std::string& why) {
    size_t p = 0;
    while (p < text.size()) {
        size_t e = text.find(',', p);
        if (e == std::string::npos) e = text.size();
        const std::string item = trimBlanks(std::string_view(text).substr(p, e - p));
        p = e + 1;
        const size_t eq = item.find('=');
        const std::string name = item.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : item.substr(eq + 1);
        if (!isNumeric(value) || leadingNumber(value) < 0) {
            why = "--distort takes excess=US,jitter=PCT,step=US,seed=N with numbers, not \"" +
                  item + "\"";
            return false;
        }
        const double v = leadingNumber(value);
        if (name == "excess" && v <= 1000)
            request.receiver.excess = v;
        else if (name == "jitter" && v < 50)
            request.receiver.jitter = v / 100.0;
        else if (name == "step" && v >= 1 && v <= 1000)
            request.receiver.step = v;
        else if (name == "seed" && v <= 4294967295.0)
            request.seed = static_cast<uint32_t>(v);
        else {
            why = "--distort: \"" + item +
                  "\" is not one of excess=0..1000, jitter=0..49, step=1..1000, seed=N";
            return false;
        }
    }
    return true;
}

bool receiveGenerated(Session& s, const engine::GeneratedSignal& signal,
                      const std::string& source) {
    return captureTick(
        s, receivedCapture(generatedMessage(signal), {CaptureSource::Kind::Generator, source, {}}));
}

} // namespace qv
