#include "waveform/waveform.h"

#include "app/format_selection.h"
#include "platform/basic.h"

#include <optional>

namespace qv {

namespace {

struct ZoomStep {
    double width;
    const char* caption;
};
constexpr ZoomStep kZoom[7] = {{10000, " X100"},  {20000, " X50 "},  {50000, " X20 "},
                               {100000, " X10 "}, {200000, " X 5 "}, {500000, " X 2 "},
                               {1000000, " X 1 "}};

constexpr double kBurstHeight = 50;
constexpr double kRowOneBase = 90;
constexpr double kFrameRowBases[3] = {180, 270, 360};
constexpr double kRulerBase = 397;
// Frames that start below this table row are not drawn in rows 2 to 4.
constexpr long kLastFrameRow = 40;
// Gaps beyond this end the frame rows: nothing after them is a frame.
constexpr double kLongestFrameGap = 400000;
// Row 1 draws no gap that starts beyond one second.
constexpr double kRowOneGapLimit = 1000000;

double cellNumber(const Session& s, long row, long col) {
    return leadingNumber(s.TTable.cell(row, col));
}

struct Cell {
    long row = 1;
    int col = 1;
    void advance() {
        if (++col > kDataCols) {
            col = 1;
            ++row;
        }
    }
};

class Pen {
public:
    explicit Pen(std::vector<LineCmd>& out) : m_out(out) {}
    // A time of 0 leaves no mark, so zero-length lines are not kept.
    void line(double x1, double y1, double x2, double y2, uint32_t rgb) {
        if (x1 == x2 && y1 == y2) return;
        m_out.push_back({x1, y1, x2, y2, rgb});
    }
    void burst(double x, double base, double width) {
        const double top = base - kBurstHeight;
        line(x, base, x, top, kSignalColour);
        line(x, top, x + width, top, kSignalColour);
        line(x + width, top, x + width, base, kSignalColour);
    }

private:
    std::vector<LineCmd>& m_out;
};

void advanceDrawX(WaveformState& w, double by) {
    w.DrawX = static_cast<float>(static_cast<double>(w.DrawX) + by);
}

void drawRuler(WaveformState& w, Pen& pen) {
    const double step = w.ScaleWidth / 100;
    int count = 0;
    for (int i = 0; i * step <= w.ScaleWidth; ++i) {
        const double x = i * step;
        if (++count == 10) {
            pen.line(x, kRulerBase, x, kRulerBase - 20, kRulerColour);
            count = 0;
        } else {
            pen.line(x, kRulerBase, x, kRulerBase - 10, kRulerColour);
        }
    }
}

void drawRowOne(Session& s, Pen& pen) {
    WaveformState& w = s.wave;
    scalePicture(s);
    pen.line(0, kRowOneBase, w.DrawX, kRowOneBase, kLeadInColour);
    for (long row = 1; row <= s.TimeRows; ++row) {
        for (int col = 1; col <= kDataCols; col += 2) {
            const double osc = cellNumber(s, row, col);
            if (osc > 0) {
                pen.burst(w.DrawX, kRowOneBase, osc);
                advanceDrawX(w, osc);
            }
            if (w.DrawX < kRowOneGapLimit) {
                const double idle = cellNumber(s, row, col + 1);
                pen.line(w.DrawX, kRowOneBase, w.DrawX + idle, kRowOneBase, kSignalColour);
                advanceDrawX(w, idle);
            }
        }
    }
}

// Rows 2 to 4: one frame each, every frame starting at the picture's origin.
void drawFrameRows(Session& s, Pen& pen, double threshold) {
    WaveformState& w = s.wave;
    Cell cur;
    bool found = false;
    for (long row = 1; row <= s.TimeRows && !found; ++row) {
        for (int col = 2; col <= kDataCols; col += 2) {
            if (cellNumber(s, row, col) > threshold) {
                cur = {row, col};
                found = true;
                break;
            }
        }
    }
    if (!found || cur.row > kLastFrameRow) return;
    cur.advance();

    for (double base : kFrameRowBases) {
        scalePicture(s);
        pen.line(0, base, w.DrawX, base, kSignalColour);
        for (;;) {
            if (cur.row > kLastFrameRow) return;
            const double osc = cellNumber(s, cur.row, cur.col);
            if (osc > 0) {
                pen.burst(w.DrawX, base, osc);
                advanceDrawX(w, osc);
            }
            cur.advance();
            const double idle = cellNumber(s, cur.row, cur.col);
            if (idle > kLongestFrameGap) return;
            pen.line(w.DrawX, base, w.DrawX + idle, base, kSignalColour);
            advanceDrawX(w, idle);
            cur.advance();
            if (idle > threshold) {
                // The next frame's first burst closes this row; the next row
                // starts again from that same cell.
                const double next = cellNumber(s, cur.row, cur.col);
                if (next > 0) pen.burst(w.DrawX, base, next);
                break;
            }
        }
        if (cur.row > kLastFrameRow) return;
    }
}

} // namespace

// The tolerance factor in single precision, as the setting is stored.
std::optional<double> frameGapThreshold(const Session& s) {
    if (!s.CurFormat || !s.CurFormat->hasRow()) return std::nullopt;
    std::optional<double> x;
    try {
        x = s.CurFormat->field("X").toNumber();
    } catch (const FieldError&) {
        return std::nullopt;
    }
    if (!x) return std::nullopt;
    const float factor = 1.0f - s.TimeTolerance;
    return (*x - 1000) * static_cast<double>(factor);
}

void scalePicture(Session& s) {
    WaveformState& w = s.wave;
    w.DrawX = static_cast<float>(
        100.0f - (static_cast<float>(w.HScroll1) / WaveformState::HScrollMax) * 1000000.0f);
    if (w.VScroll1 >= 0 && w.VScroll1 <= 6) {
        w.ScaleWidth = kZoom[w.VScroll1].width;
        w.Lblzoom = kZoom[w.VScroll1].caption;
    }
}

void drawWaveform(Session& s) {
    WaveformState& w = s.wave;
    w.lines.clear();
    Pen pen(w.lines);
    drawRuler(w, pen);
    if (cellNumber(s, 1, 1) == 0 && cellNumber(s, 1, 2) == 0) return;
    drawRowOne(s, pen);
    // Without a usable format the frames cannot be told apart (the capture
    // tick then selects one).
    if (const std::optional<double> threshold = frameGapThreshold(s))
        drawFrameRows(s, pen, *threshold);
}

void hscrollChange(Session& s, int value) {
    s.wave.HScroll1 = value;
    scalePicture(s);
    drawWaveform(s);
    s.changed();
}

void vscrollChange(Session& s, int value) {
    WaveformState& w = s.wave;
    // The rule lines keep microseconds: they stay on their time positions
    // at every zoom without being moved.
    w.VScroll1 = value;
    scalePicture(s);
    drawWaveform(s);
    s.changed();
}

void zoomKey(Session& s, int keyCode) {
    const int value = s.wave.VScroll1;
    if (keyCode == kKeySubtract && value < 6) {
        vscrollChange(s, value + 1);
    } else if (keyCode == kKeyAdd && value >= 1) {
        vscrollChange(s, value - 1);
    }
}

} // namespace qv
