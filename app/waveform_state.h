// The waveform's view and its last drawing, kept in picture units.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// One line of the waveform drawing, in picture coordinates (x in
// microseconds from the picture's left edge, y in picture units).
struct LineCmd {
    double x1, y1, x2, y2;
    uint32_t rgb;
    bool operator==(const LineCmd&) const = default;
};

// One burst or gap as drawn: its row (0 the whole capture, 1 to 3 the frame
// rows), its place and length in picture x, its capture table cell and its
// start in microseconds from the capture's first burst.
struct WaveSegment {
    int row;
    double x, width;
    bool burst;
    long cellRow;
    int cellCol;
    double startUs;
    bool operator==(const WaveSegment&) const = default;
};

// A drawn row: its baseline in picture units and its label.
struct WaveRow {
    double base;
    std::string label;
    bool operator==(const WaveRow&) const = default;
};

struct WaveformState {
    int VScroll1 = 300; // the zoom bar, 0..400 (waveform/waveform.h)
    int HScroll1 = 0;   // tenths of a microsecond scrolled, 0..HScrollMax (a second)
    static constexpr int HScrollMax = 10000000;
    double ScaleWidth = 100000; // visible width in microseconds
    float DrawX = 0;
    std::string Lblzoom = " X10 ";
    double Line1X = 0;    // red rule line
    double Line2X = 0;    // green rule line
    int selectedLine = 1; // Option1 RED, Option2 GREEN, Option3 Both
    bool AddHeld = false, ReaddHeld = false, DecHeld = false, RedecHeld = false;
    bool ruleTimer = false; // a rule button held: the line moves on
    // The read-out beside the rule buttons: the rule lines' gap, or the
    // bytes of the capture received.
    std::string readout = "0";
    bool linePlaced = false;    // a rule line was clicked or nudged into place
    std::vector<LineCmd> lines; // the last drawing
    std::vector<WaveSegment> segments;
    std::vector<WaveRow> rows;
    int selectedMark = -1; // the mark (LastCapture::marks) of the error line chosen
};

} // namespace qv
