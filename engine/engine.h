// The decoding engine: the structure walk, the format learner, the frame
// reader and the bit step, working on the shared session and CurFormat.
#pragma once

#include "app/session.h"

#include <string>

namespace qv {

void HandleData(Session& s);
void GenelRead(Session& s);
void ReadCode(Session& s, const std::string& token);
void ReadIRData(Session& s);
std::string BToH(std::string& s1, bool& rOrder);

} // namespace qv
