// Captures from files: a saved receiver message or a text time list is fed
// to the capture tick exactly as if the receiver unit had just sent it.
#pragma once

#include "app/session.h"

#include <string>

namespace qv {

// Reads the file and runs the capture tick on its bytes. A file that cannot
// be read or parsed is reported as a message and nothing else changes.
// Returns whether the tick ran.
bool openCaptureFile(Session& s, const std::string& path);

} // namespace qv
