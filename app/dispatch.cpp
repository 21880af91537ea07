#include "app/capture_tick.h"

namespace qv {

// Decoding arrives with the engine; until then a capture is only loaded.
void decodeDispatch(Session& s) {
    s.setTimers(false, true);
}

} // namespace qv
