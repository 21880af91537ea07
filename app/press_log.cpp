#include "app/press_log.h"

#include <chrono>
#include <ctime>

namespace qv {

void logPress(Session& s, const engine::FormatRow& row, const engine::DecodeResult& result,
              bool again) {
    LoggedPress p;
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%H:%M:%S", &local);
    p.time = buf;
    p.caption = s.format.name;
    const std::optional<double> carrier =
        s.CarrierPeriod > 0 ? std::optional<double>(1000.0 / s.CarrierPeriod) : std::nullopt;
    p.record = engine::pressRecord(result, row, carrier);
    p.source = s.captureSource;
    p.carrierHz = carrier ? *carrier * 1000 : 0;
    // The record in reading order up to its first empty cell.
    for (long i = 0; i < long(kDataRows) * kDataCols; ++i) {
        const int64_t t = s.TTable.time(1 + i / kDataCols, 1 + i % kDataCols);
        if (t <= 0) break;
        p.times.push_back(t);
    }
    if (again && !s.pressLog.empty()) {
        p.time = s.pressLog.back().time; // when it came, not when it was decoded again
        s.pressLog.back() = std::move(p);
        return;
    }
    if (s.pressLog.size() >= kPressLogSize) {
        s.pressLog.erase(s.pressLog.begin());
        ++s.pressesDropped;
    }
    s.pressLog.push_back(std::move(p));
}

std::vector<engine::PressRecord> pickedPresses(const Session& s,
                                               const std::vector<size_t>& picked) {
    std::vector<engine::PressRecord> out;
    for (size_t i : picked)
        if (i < s.pressLog.size()) out.push_back(s.pressLog[i].record);
    return out;
}

} // namespace qv
