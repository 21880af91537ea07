// The waveform drawing as data: a list of line commands in picture
// coordinates (x in microseconds from the picture's left edge, y in picture
// units 0..400). The window only paints the list.
#pragma once

#include "app/session.h"

namespace qv {

// Sets DrawX to the scroll origin and the scale width and zoom caption from
// the zoom step.
void pictscal(Session& s);

// Clears and redraws the waveform into s.wave.lines.
void irdrw(Session& s);

} // namespace qv
