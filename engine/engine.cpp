#include "engine/engine.h"

namespace qv {
// The engine is being written; these do nothing yet.
void HandleData(Session&) {}
void GenelRead(Session&) {}
void ReadCode(Session&, const std::string&) {}
void ReadIRData(Session&) {}
std::string BToH(std::string&, bool&) { return {}; }
} // namespace qv
