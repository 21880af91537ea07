#include "waveform/measure.h"

#include "app/session.h"

#include "waveform/waveform.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qv {

namespace {

std::string format(const char* fmt, long long a, long long b = 0) {
    char buf[48];
    std::snprintf(buf, sizeof buf, fmt, a, b);
    return buf;
}

int clampScroll(double value) {
    return static_cast<int>(
        std::clamp<long long>(std::llround(value), 0, WaveformState::HScrollMax));
}

} // namespace

double timeOrigin(const WaveformState& w) {
    // As scalePicture computes it, in single precision.
    return static_cast<double>(static_cast<float>(kLeadInUs - w.HScroll1 * kScrollUnitUs));
}

std::vector<AxisTick> timeAxis(const WaveformState& w, double widthPx, double labelPx) {
    std::vector<AxisTick> ticks;
    if (widthPx <= 0 || w.ScaleWidth <= 0) return ticks;
    double step = 0;
    int perMajor = 5;
    for (double decade = 1; step == 0 && decade <= 1e7; decade *= 10) {
        for (int m : {1, 2, 5}) {
            if (m * decade / w.ScaleWidth * widthPx >= labelPx || decade == 1e7) {
                step = m * decade;
                perMajor = m == 2 ? 4 : 5;
                break;
            }
        }
    }
    const double minor = step / perMajor;
    const double origin = timeOrigin(w);
    const auto first = static_cast<long long>(std::ceil(-origin / minor));
    const auto last = static_cast<long long>(std::floor((w.ScaleWidth - origin) / minor));
    for (long long k = first; k <= last; ++k) {
        const double us = static_cast<double>(k) * minor;
        const bool major = k % perMajor == 0;
        ticks.push_back({origin + us, us, major, major ? axisLabel(us, step) : std::string()});
    }
    return ticks;
}

std::string axisLabel(double us, double stepUs) {
    if (us == 0) return "0";
    if (stepUs < 1000) return format("%lld µs", std::llround(us));
    if (stepUs < 1000000) return format("%lld ms", std::llround(us / 1000));
    return format("%lld s", std::llround(us / 1000000));
}

std::string durationText(double us) {
    const long long n = std::llround(us);
    const std::string sign = n < 0 ? "-" : "";
    const long long a = n < 0 ? -n : n;
    if (a < 1000) return sign + format("%lld µs", a);
    if (a < 1000000) return sign + format("%lld.%03lld ms", a / 1000, a % 1000);
    return sign + format("%lld.%06lld s", a / 1000000, a % 1000000);
}

std::string ruleBoxText(const WaveformState& w) {
    if (!w.linePlaced) return {};
    return "Δt = " + durationText(std::abs(w.Line1X - w.Line2X));
}

int rowAt(const WaveformState& w, double y) {
    int best = -1;
    double bestDistance = 0;
    for (size_t i = 0; i < w.rows.size(); ++i) {
        // The middle of the row's bursts.
        const double d = std::abs(y - (w.rows[i].base - 25));
        if (best < 0 || d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return best;
}

const WaveSegment* segmentAt(const WaveformState& w, int row, double x) {
    for (const WaveSegment& seg : w.segments)
        if (seg.row == row && x >= seg.x && x < seg.x + seg.width) return &seg;
    return nullptr;
}

std::string hoverText(const WaveformState& w, double x, double y) {
    std::string text = "t = " + durationText(x - timeOrigin(w));
    const int row = rowAt(w, y);
    if (row < 0) return text;
    text = w.rows[static_cast<size_t>(row)].label + "  " + text;
    if (const WaveSegment* seg = segmentAt(w, row, x))
        text += std::string(seg->burst ? "  burst " : "  gap ") + durationText(seg->width) +
                format(" (row %lld, col %lld)", seg->cellRow, seg->cellCol);
    return text;
}

void zoomAt(Session& s, double factor, double x) {
    WaveformState& w = s.wave;
    if (!(factor > 0) || w.ScaleWidth <= 0) return;
    const double t = x - timeOrigin(w);
    const double share = x / w.ScaleWidth;
    const double before = w.ScaleWidth;
    setViewWidth(s, w.ScaleWidth / factor);
    if (w.ScaleWidth == before) return;
    // The same time under the same share of the picture's width.
    const double origin = share * w.ScaleWidth - t;
    w.HScroll1 = clampScroll((kLeadInUs - origin) / kScrollUnitUs);
    scalePicture(s);
    drawWaveform(s);
    s.changed();
}

void panFrom(Session& s, int startScroll, double deltaUs) {
    const int scroll = clampScroll(startScroll + deltaUs / kScrollUnitUs);
    if (scroll != s.wave.HScroll1) hscrollChange(s, scroll);
}

} // namespace qv
