// Signals of swapped files as captures: every command that reads captures
// names a signal of a remote file as "PATH#NAME" and reads it here; any
// other path is read by capture/capture_reader.h as it always was.
#pragma once

#include "capture/capture_reader.h"
#include "exchange/signal_set.h"

#include <memory>
#include <string>
#include <vector>

namespace qv::exchange {

// "PATH#NAME" for each signal of a file of named signals (only the one
// named `only`, when given); {path} for any other file. Throws
// CaptureFormatError (a file that cannot be read, no signal of that name).
std::vector<std::string> signalLabels(const std::string& path, const std::string& only = {});

// The signal set a path holds, read once and kept while the file is
// unchanged; null for a capture file of the capture floor.
std::shared_ptr<const SignalSet> signalSetOf(const std::string& path);

// A capture by path or label: a capture file as readCapture reads it; a
// signal of a remote by its label, or the one signal of a one-signal file.
// The signal's carrier is taken where its form has one. Throws
// CaptureFormatError, also for a parsed signal that cannot be rendered.
CaptureFile readLabelledCapture(const std::string& label, Carrier carrier = {});

// Why the signal a label names cannot be made a capture (a parsed signal
// whose protocol does not render); empty when it can, or when the label
// names no signal of a remote file.
std::string whyNotRendered(const std::string& label);

// Whether the label names a parsed signal of a remote file: its times are
// rendered from the protocol, exact, with none of a receiver's excess.
bool isParsedSignal(const std::string& label);

// The capture of one signal (`label` names it in what is said).
CaptureFile captureOfSignal(const std::string& label, const NamedSignal& signal,
                            Carrier carrier = {});

// The times of a parsed signal, rendered from its protocol with the
// protocol table beside the program (exchange/parsed_render.h); throws
// CaptureFormatError when it cannot be.
NamedSignal renderParsed(const NamedSignal& signal);

} // namespace qv::exchange
