#include "windows/main/analyse_file.h"

#include "capture/capture_reader.h"
#include "exchange/signal_set.h"

namespace qv {

std::vector<analysis::Press> pressesOfFile(const std::string& path) {
    std::vector<analysis::Press> presses;
    if (auto set = exchange::readSignalFile(path)) {
        for (const auto& signal : set->entries) {
            analysis::Press p;
            p.times = exchange::captureTimesOf(signal);
            if (p.times.empty() || signal.parsed) continue; // named by a protocol only
            p.carrierHz = signal.carrierHz.value_or(0);
            p.name = signal.name;
            presses.push_back(std::move(p));
        }
        return presses;
    }
    CaptureFile capture = readCapture(path);
    analysis::Press p;
    p.times = std::move(capture.times);
    p.name = path;
    if (!p.times.empty()) presses.push_back(std::move(p));
    return presses;
}

} // namespace qv
