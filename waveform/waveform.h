// The waveform drawing as data: a list of line commands in picture
// coordinates (x in microseconds from the picture's left edge, y in picture
// units 0..400). The window only paints the list.
#pragma once

#include "app/session.h"

#include <cstdint>
#include <optional>

namespace qv {

// Picture height in picture units; the drawing uses y 40..360.
constexpr double kPictureHeight = 400;

constexpr uint32_t kLeadInColour = 0x00FF00;
constexpr uint32_t kSignalColour = 0x0000FF;

// Sets DrawX to the scroll origin and the scale width and zoom caption from
// the zoom step.
void scalePicture(Session& s);

// Clears and redraws the waveform into s.wave.lines, with the bursts and
// gaps drawn in s.wave.segments and the rows in s.wave.rows.
void drawWaveform(Session& s);

// HScroll1 moved to value (0..HScrollMax): redraw from the new origin.
void hscrollChange(Session& s, int value);

// VScroll1 moved to value (0..6): new scale, redraw, rule lines kept on
// their time positions.
void vscrollChange(Session& s, int value);

// Key codes of the numeric keypad's "+" and "-".
constexpr int kKeyAdd = 107;
constexpr int kKeySubtract = 109;

// A key pressed in the main window or the picture: keypad "-" zooms out one
// step, keypad "+" zooms in one step; every other key is ignored.
void zoomKey(Session& s, int keyCode);

} // namespace qv
