#include "waveform/waveform.h"

namespace qv {

namespace {
struct ZoomStep {
    double width;
    const char* caption;
};
constexpr ZoomStep kZoom[7] = {{10000, " X100"}, {20000, " X50 "},   {50000, " X20 "},
                               {100000, " X10 "}, {200000, " X 5 "}, {500000, " X 2 "},
                               {1000000, " X 1 "}};
} // namespace

void pictscal(Session& s) {
    WaveformState& w = s.wave;
    w.DrawX = static_cast<float>(100.0f - (static_cast<float>(w.HScroll1) / WaveformState::HScrollMax) * 1000000.0f);
    if (w.VScroll1 >= 0 && w.VScroll1 <= 6) {
        w.ScaleWidth = kZoom[w.VScroll1].width;
        w.Lblzoom = kZoom[w.VScroll1].caption;
    }
}

// The drawing itself comes with the main window.
void irdrw(Session& s) { s.wave.lines.clear(); }

} // namespace qv
