#include "waveform/waveform.h"

#include "app/session.h"

#include "app/format_selection.h"
#include "platform/basic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace qv {

namespace {

constexpr double kBurstHeight = 50;
constexpr double kRowOneBase = 90;
constexpr double kFrameRowBases[3] = {180, 270, 360};
// A frame row leaves out a gap beyond this: the drawing ends at its frame.
constexpr double kLongestFrameGap = 400000;
// The zoom bar spans four decades, the narrowest view to a second.
constexpr double kZoomBarDecades = 4;
constexpr double kWidestBarView = 1000000;
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

// Where each cell starts, in microseconds from the first burst.
class CellStarts {
public:
    explicit CellStarts(const Session& s) {
        double t = 0;
        for (long row = 1; row <= kDataRows; ++row)
            for (int col = 1; col <= kDataCols; ++col) {
                m_start[index(row, col)] = t;
                t += std::max(0.0, cellNumber(s, row, col));
            }
    }
    double operator()(const Cell& c) const { return m_start[index(c.row, c.col)]; }

private:
    static size_t index(long row, int col) {
        return static_cast<size_t>((row - 1) * kDataCols + (col - 1));
    }
    std::array<double, kDataRows * kDataCols> m_start{};
};

class Pen {
public:
    Pen(WaveformState& w, const CellStarts& starts)
        : m_out(w.lines), m_segments(w.segments), m_starts(starts) {}
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
    void burst(int row, double x, double base, double width, const Cell& cell) {
        burst(x, base, width);
        m_segments.push_back({row, x, width, true, cell.row, cell.col, m_starts(cell)});
    }
    void gap(int row, double x, double base, double width, const Cell& cell) {
        line(x, base, x + width, base, kSignalColour);
        if (width > 0)
            m_segments.push_back({row, x, width, false, cell.row, cell.col, m_starts(cell)});
    }

private:
    std::vector<LineCmd>& m_out;
    std::vector<WaveSegment>& m_segments;
    const CellStarts& m_starts;
};

void advanceDrawX(WaveformState& w, double by) {
    w.DrawX = static_cast<float>(static_cast<double>(w.DrawX) + by);
}

void drawRowOne(Session& s, Pen& pen) {
    WaveformState& w = s.wave;
    scalePicture(s);
    pen.line(0, kRowOneBase, w.DrawX, kRowOneBase, kLeadInColour);
    w.rows.push_back({kRowOneBase, "Whole capture"});
    for (long row = 1; row <= s.TimeRows; ++row) {
        for (int col = 1; col <= kDataCols; col += 2) {
            const double osc = cellNumber(s, row, col);
            if (osc > 0) {
                pen.burst(0, w.DrawX, kRowOneBase, osc, {row, col});
                advanceDrawX(w, osc);
            }
            if (w.DrawX < kRowOneGapLimit) {
                const double idle = cellNumber(s, row, col + 1);
                pen.gap(0, w.DrawX, kRowOneBase, idle, {row, col + 1});
                advanceDrawX(w, idle);
            }
        }
    }
}

// The cells of the frames the decode read: frame g spans its first to its
// last time, as table cell indexes (row - 1) * kDataCols + col - 1.
struct FrameSpan {
    bool read = false;
    long first = 0, last = 0;
    bool endsOnCycle = false; // the last time read is the gap that ends the frame
};

// Rows 2 to 4: the decode's frames 2 to 4, each from the picture's origin.
// The first frame is the start of row 1; a capture the decode read as one
// frame (or not at all) has no frame rows.
void drawFrameRows(Session& s, Pen& pen) {
    WaveformState& w = s.wave;
    std::array<FrameSpan, 3> frames{};
    for (const DecodeMark& m : s.last.marks.marks) {
        if (m.group < 2 || m.group > 4 || m.row < 1 || m.col < 1) continue;
        FrameSpan& f = frames[static_cast<size_t>(m.group - 2)];
        const long cell = (m.row - 1) * kDataCols + m.col - 1;
        f.first = f.read ? std::min(f.first, cell) : cell;
        if (!f.read || cell >= f.last) f.endsOnCycle = m.kind == MarkKind::Cycle;
        f.last = f.read ? std::max(f.last, cell) : cell;
        f.read = true;
    }
    // A frame ends with a burst: the one after a bit's gap closes it.
    for (FrameSpan& f : frames)
        if (f.read && f.last % 2 == 1 && !f.endsOnCycle && f.last + 1 < kDataRows * kDataCols)
            ++f.last;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (!frames[i].read) continue;
        const int row = static_cast<int>(w.rows.size());
        const double base = kFrameRowBases[i];
        scalePicture(s);
        pen.line(0, base, w.DrawX, base, kSignalColour);
        w.rows.push_back({base, "Frame " + std::to_string(i + 2)});
        for (long k = frames[i].first; k <= frames[i].last; ++k) {
            const Cell cell{1 + k / kDataCols, static_cast<int>(1 + k % kDataCols)};
            const double t = cellNumber(s, cell.row, cell.col);
            if (t <= 0) continue;
            if (cell.col % 2 == 1) {
                pen.burst(row, w.DrawX, base, t, cell);
            } else {
                if (t > kLongestFrameGap) break;
                pen.gap(row, w.DrawX, base, t, cell);
            }
            advanceDrawX(w, t);
        }
    }
}

} // namespace

double widestView(const Session& s) {
    double total = kLeadInUs;
    for (long row = 1; row <= s.TimeRows; ++row)
        for (int col = 1; col <= kDataCols; ++col)
            total += std::max(0.0, cellNumber(s, row, col));
    return std::max(kWidestBarView, total);
}

std::string zoomCaption(double widthUs) {
    const double f = kWidestBarView / widthUs;
    double shown = std::round(f * 10) / 10;
    if (f >= 10) {
        // Two significant digits: " X120", " X2200".
        const double unit = std::pow(10.0, std::floor(std::log10(f)) - 1);
        shown = std::round(f / unit) * unit;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, shown == std::round(shown) ? "%.0f" : "%.1f", shown);
    const std::string n = buf;
    // The bar's old marks keep their captions: " X 1 ", " X10 ", " X100".
    return " X" + (n.size() < 2 ? " " + n : n) + (n.size() <= 2 ? " " : "");
}

void setViewWidth(Session& s, double widthUs) {
    WaveformState& w = s.wave;
    w.ScaleWidth = std::clamp(widthUs, kNarrowestView, widestView(s));
    const double steps = std::log10(w.ScaleWidth / kNarrowestView) * kZoomBarMax / kZoomBarDecades;
    w.VScroll1 = std::clamp(static_cast<int>(std::lround(steps)), 0, kZoomBarMax);
    w.Lblzoom = zoomCaption(w.ScaleWidth);
}

void scalePicture(Session& s) {
    WaveformState& w = s.wave;
    w.DrawX = static_cast<float>(kLeadInUs - w.HScroll1 * kScrollUnitUs);
}

void drawWaveform(Session& s) {
    WaveformState& w = s.wave;
    w.lines.clear();
    w.segments.clear();
    w.rows.clear();
    const CellStarts starts(s);
    Pen pen(w, starts);
    if (cellNumber(s, 1, 1) == 0 && cellNumber(s, 1, 2) == 0) return;
    drawRowOne(s, pen);
    drawFrameRows(s, pen);
}

void hscrollChange(Session& s, int value) {
    s.wave.HScroll1 = std::clamp(value, 0, WaveformState::HScrollMax);
    scalePicture(s);
    drawWaveform(s);
    s.changed();
}

void vscrollChange(Session& s, int value) {
    // The rule lines keep microseconds: they stay on their time positions
    // at every zoom without being moved.
    const int at = std::clamp(value, 0, kZoomBarMax);
    setViewWidth(s, kNarrowestView * std::pow(10.0, at * kZoomBarDecades / kZoomBarMax));
    scalePicture(s);
    drawWaveform(s);
    s.changed();
}

void zoomKey(Session& s, int keyCode) {
    if (keyCode != kKeySubtract && keyCode != kKeyAdd) return;
    const double before = s.wave.ScaleWidth;
    setViewWidth(s, keyCode == kKeyAdd ? before / kZoomKeyFactor : before * kZoomKeyFactor);
    if (s.wave.ScaleWidth == before) return;
    scalePicture(s);
    drawWaveform(s);
    s.changed();
}

} // namespace qv
