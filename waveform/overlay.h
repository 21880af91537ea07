// The decode drawn on the trace. The decode reports every time it read as
// a mark; the overlay places the marks on the drawn rows and decides which
// of their labels fit at the current zoom. Everything is in picture x, so
// it follows zoom and scroll with the drawing.
#pragma once

#include "app/marks.h"
#include "app/waveform_state.h"

#include <functional>
#include <string>
#include <vector>

namespace qv {

class Session;

enum class OverlayKind {
    Head,     // "Head" over the head burst
    Bit,      // a bit's value over the time that decided it
    Part,     // a bracket under a part, with its name and value
    Repeat,   // a repeat frame's head
    Fail,     // a failing time, drawn in red, with standard and measured time
    Window,   // the allowed window of a failing time's end, shaded over it
    Selected, // the time of the error line chosen in the error list
};

struct OverlayItem {
    OverlayKind kind;
    int row;       // index into WaveformState::rows
    double x1, x2; // picture x
    std::string text;
    std::string shortText; // a part's value alone, for where its name does not fit
    bool operator==(const OverlayItem&) const = default;
};

// The width of a label text in pixels.
using TextWidth = std::function<double(const std::string&)>;

// The overlay of the marks d (LastCapture::marks) on the drawn rows. pxPerUs is the picture's
// pixels per microsecond: a text that does not fit over its time is left out (a part keeps its
// bracket, with its value alone where name and value do not fit).
std::vector<OverlayItem> overlay(const WaveformState& w, const DecodeMarks& d, double pxPerUs,
                                 const TextWidth& width);

// The mark an error list line speaks of: the n-th error report (a report
// starts at a "Group" line) is about the n-th failing mark. -1 if none.
int markOfErrorLine(const std::vector<std::string>& errorLines, int line, const DecodeMarks& d);

// Scrolls the waveform so that a time from the capture's first burst stands
// a fifth into the picture (as far as the scroll reaches) and marks it.
void showMark(Session& s, int mark);

} // namespace qv
