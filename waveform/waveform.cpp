#include "waveform/waveform.h"

#include "app/format_selection.h"
#include "platform/basic.h"

#include <algorithm>
#include <array>
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

    // Row 1 shows the first frame; the frame rows start with the second.
    int frame = 2;
    for (int row = 1; row <= 3; ++row) {
        const double base = kFrameRowBases[row - 1];
        scalePicture(s);
        pen.line(0, base, w.DrawX, base, kSignalColour);
        w.rows.push_back({base, "Frame " + std::to_string(frame++)});
        for (;;) {
            if (cur.row > kLastFrameRow) return;
            const double osc = cellNumber(s, cur.row, cur.col);
            if (osc > 0) {
                pen.burst(row, w.DrawX, base, osc, cur);
                advanceDrawX(w, osc);
            }
            cur.advance();
            const double idle = cellNumber(s, cur.row, cur.col);
            if (idle > kLongestFrameGap) return;
            pen.gap(row, w.DrawX, base, idle, cur);
            advanceDrawX(w, idle);
            cur.advance();
            if (idle > threshold) {
                // The next frame's first burst closes this row; the next row
                // starts again from that same cell.
                const double next = cellNumber(s, cur.row, cur.col);
                if (next > 0) pen.burst(row, w.DrawX, base, next, cur);
                break;
            }
        }
        if (cur.row > kLastFrameRow) return;
    }
}

} // namespace

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
    w.segments.clear();
    w.rows.clear();
    const CellStarts starts(s);
    Pen pen(w, starts);
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
