// Signals written in the swapped forms. A form that cannot hold something
// the signals have (a carrier, a name, a repeat part) says so instead of
// dropping it silently.
#pragma once

#include "exchange/signal_set.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::exchange {

// The forms written, by the path's ending: .ir Flipper, .broadlink/.b64
// Broadlink, .sendir Global Caché, .h/.ino rawData[] snippets, .girr/.xml
// Girr, .conf/.lircd (and lircd.conf) LIRC raw codes.
std::optional<Form> writtenFormForPath(const std::string& path);

struct Written {
    std::string text;
    // What the form does not hold as the signals have it, one line each.
    std::vector<std::string> notHeld;
};

// The signals must hold times (parsed signals rendered first).
Written writeSignals(Form form, const std::vector<NamedSignal>& signals);

// Written beside and renamed over the path: a failed write leaves the old
// file whole. Empty on success, else why it failed.
std::string writeFileReplacing(const std::string& path, const std::string& content);

} // namespace qv::exchange
