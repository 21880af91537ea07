// The waveform read as a measurement: the time axis, time texts, what lies
// under the pointer, and zoom and pan driven by the mouse. Times are
// microseconds; a row's time 0 is its first burst.
#pragma once

#include "app/waveform_state.h"

#include <string>
#include <vector>

namespace qv {

class Session;

// Picture x where every row's time 0 stands at the current scroll.
double timeOrigin(const WaveformState& w);

struct AxisTick {
    double x;   // picture x
    double us;  // time at the tick
    bool major; // a labelled tick
    std::string label;
    bool operator==(const AxisTick&) const = default;
};

// The visible ticks for a picture widthPx pixels wide: majors at the
// smallest 1-2-5 step whose labels stand at least labelPx pixels apart,
// minors between them.
std::vector<AxisTick> timeAxis(const WaveformState& w, double widthPx, double labelPx);

// An axis label: the step chooses the unit ("0", "500 µs", "12 ms", "2 s").
std::string axisLabel(double us, double stepUs);

// A length in whole microseconds with its unit: "560 µs", "58.852 ms",
// "1.500000 s".
std::string durationText(double us);

// The rule-line box: "Δt = 58.852 ms", empty before a line is placed.
std::string ruleBoxText(const WaveformState& w);

// The drawn row nearest picture y, or -1 without rows.
int rowAt(const WaveformState& w, double y);

// The burst or gap of that row under picture x, if any.
const WaveSegment* segmentAt(const WaveformState& w, int row, double x);

// What the pointer at picture (x, y) points at: "t = 4.500 ms  gap 4.500 ms
// (row 1, col 2)", or only the time off the trace.
std::string hoverText(const WaveformState& w, double x, double y);

// The wheel or a pinch: factor > 1 zooms in (the view narrows by it),
// keeping the time under picture x where it was on the screen.
void zoomAt(Session& s, double factor, double x);

// Pans from a scroll value by deltaUs (> 0 shows later times).
void panFrom(Session& s, int startScroll, double deltaUs);

} // namespace qv
