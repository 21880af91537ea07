// The waveform drawing as data: a list of line commands in picture
// coordinates (x in microseconds from the picture's left edge, y in picture
// units 0..400). The window only paints the list.
#pragma once

#include "app/waveform_state.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

class Session;

// Picture height in picture units; the drawing uses y 40..360.
constexpr double kPictureHeight = 400;

constexpr uint32_t kLeadInColour = 0x00FF00;
constexpr uint32_t kSignalColour = 0x0000FF;

// Time 0 of every row stands this far into the picture at scroll 0; a
// scroll unit (HScroll1) moves it by kScrollUnitUs.
constexpr double kLeadInUs = 100;
constexpr double kScrollUnitUs = 0.1;

// The zoom is the visible width in microseconds, from kNarrowestView (a
// fraction of a microsecond a pixel) to the whole capture (a second at
// least). The zoom bar VScroll1 shows it on a logarithmic scale of
// 0..kZoomBarMax, a second at the top.
constexpr double kNarrowestView = 100;
constexpr int kZoomBarMax = 400;
// A keypad press zooms by this factor, a wheel notch by kWheelNotchFactor.
constexpr double kZoomKeyFactor = 2;
constexpr double kWheelNotchFactor = 1.5;

// The widest view: the whole capture with its lead-in, at least a second.
double widestView(const Session& s);

// The zoom caption: how many times a second the view is (" X 1 ", " X10 ",
// " X100", " X2200").
std::string zoomCaption(double widthUs);

// Sets the visible width within its limits, with the zoom bar's value and
// the caption; the picture is not redrawn.
void setViewWidth(Session& s, double widthUs);

// Sets DrawX to the scroll origin.
void scalePicture(Session& s);

// Clears and redraws the waveform into s.wave.lines, with the bursts and
// gaps drawn in s.wave.segments and the rows in s.wave.rows: the whole
// capture, then the frames 2 to 4 the last decode read (s.last.marks).
void drawWaveform(Session& s);

// HScroll1 moved to value (0..HScrollMax): redraw from the new origin.
void hscrollChange(Session& s, int value);

// VScroll1 moved to value (0..kZoomBarMax): new width, the left edge kept,
// redraw; the rule lines stay on their time positions.
void vscrollChange(Session& s, int value);

// Key codes of the numeric keypad's "+" and "-".
constexpr int kKeyAdd = 107;
constexpr int kKeySubtract = 109;

// A key pressed in the main window or the picture: keypad "+" zooms in,
// "-" out, by kZoomKeyFactor, the left edge kept; every other key is ignored.
void zoomKey(Session& s, int keyCode);

} // namespace qv
