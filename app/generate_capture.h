// Captures made to order from a catalogue row: written to a capture file,
// or taken through the capture tick as if the receiver unit had sent them.
#pragma once

#include "capture/capture_formats.h"
#include "engine/generate.h"

#include <string>
#include <vector>

namespace qv {

class Session;

// The row of the key in the catalogue file. GenerateError when the
// catalogue has no such row; DatabaseError when it cannot be read.
engine::FormatRow catalogueRow(const std::string& cataloguePath, const std::string& key);

// The receiver unit's message of a signal, its carrier taken from the row.
std::vector<uint8_t> generatedMessage(const engine::GeneratedSignal& signal);

// The file content of a signal in a capture file kind.
std::string generatedFileContent(const engine::GeneratedSignal& signal, CaptureFileKind kind);

// Parses "--distort" text: "excess=US,jitter=PCT,step=US,seed=N" in any
// order, any of them left out. False, with why set, for anything else.
bool parseDistortion(const std::string& text, engine::GenerateRequest& request, std::string& why);

// Runs the capture tick on the signal's message, as if it had just been
// received from source (what the window names as the capture's origin);
// the session's own port is left alone. False when nothing was loaded.
bool receiveGenerated(Session& s, const engine::GeneratedSignal& signal, const std::string& source);

} // namespace qv
