// Captures from and to files. A file opened is fed to the capture tick
// exactly as if the receiver unit had just sent it; a capture saved is the
// capture record in the kind the file name's ending names.
#pragma once

#include "capture/capture_formats.h"

#include <string>

namespace qv {

class Session;

// Reads the file and runs the capture tick on its bytes. A file that cannot
// be read or parsed is reported as a message and nothing else changes.
// Returns whether the tick ran.
bool openCaptureFile(Session& s, const std::string& path);

// Pasted text read as a file would be: any capture kind or file of named
// signals. Returns whether a capture tick ran or a list of signals opened.
bool openCaptureText(Session& s, const std::string& text);

// Whether there is a capture to save or scan: a received message whose
// capture record holds at least one time.
bool hasCapture(const Session& s);

// The file's content for the kind: the received bytes for a receiver
// message, the capture record's times for every text kind. Pronto frames
// end where the waveform ends them.
std::string captureFileContent(const Session& s, CaptureFileKind kind);

// Writes the capture in the kind of the path's ending (captureKindForPath).
// No capture or a failed write is reported as a message, and an existing
// file is then left as it was. Returns whether the file was written.
bool saveCaptureFile(Session& s, const std::string& path);

// The path to save to when the kind was chosen in a dialog: a path whose
// ending names a kind keeps it; any other gets the chosen kind's ending
// unless it would read back as that kind anyway (a time list).
std::string captureSavePath(const std::string& path, CaptureFileKind chosen);

} // namespace qv
