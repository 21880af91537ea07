// One entry of the press log.
#pragma once

#include "capture/capture.h"
#include "engine/press_stats.h"
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// A capture of this run as the statistics see it: when it came, the format
// it was decoded with (the menu caption) and what the decode read.
struct LoggedPress {
    std::string time; // "HH:MM:SS", local time
    std::string caption;
    engine::PressRecord record;
    Capture capture; // whole, for the analysis
};
// The log keeps this many captures, dropping the oldest.
constexpr size_t kPressLogSize = 1000;

} // namespace qv
