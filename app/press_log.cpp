#include "app/press_log.h"

#include "app/session.h"

#include <chrono>
#include <ctime>

namespace qv {

void logPress(Session& s, const engine::FormatRow& row, const engine::DecodeResult& result,
              bool again) {
    LoggedPress p;
    p.capture = s.last.capture;
    const std::time_t when = std::chrono::system_clock::to_time_t(p.capture.when);
    std::tm local{};
    localtime_r(&when, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%H:%M:%S", &local);
    p.time = buf;
    p.caption = s.format.name;
    const float period = p.capture.carrierPeriod;
    const std::optional<double> carrier =
        period > 0 ? std::optional<double>(1000.0 / period) : std::nullopt;
    p.record = engine::pressRecord(result, row, carrier);
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
