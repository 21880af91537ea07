// The capture timer's tick: load the received capture, draw it, decode it
// and present the result.
#pragma once

#include "app/session.h"

namespace qv {

// Timer1's tick: loading, drawing, then the decode dispatch.
void captureTick(Session& s);

// The second half of the tick: decode against the selected format and
// present the result.
void decodeDispatch(Session& s);

} // namespace qv
