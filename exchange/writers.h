// Signals written in the swapped forms. A form that cannot hold something
// the signals have (a carrier, a name, a repeat part) says so instead of
// dropping it silently.
#pragma once

#include "exchange/signal_set.h"
#include "irp/irp.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::exchange {

// The forms written, by the path's ending: .ir Flipper, .broadlink/.b64
// Broadlink, .sendir Global Caché, .h/.ino rawData[] snippets, .girr/.xml
// Girr, .conf/.lircd (and lircd.conf) LIRC raw codes, .csv IRDB rows,
// .tasmota Tasmota compact raw (IRsend lines).
std::optional<Form> writtenFormForPath(const std::string& path);

struct Written {
    std::string text;
    // What the form does not hold as the signals have it, one line each.
    std::vector<std::string> notHeld;
};

// The signals must hold times (parsed signals rendered first). With a
// protocol table, Flipper files get a parsed signal wherever the times
// decode as a protocol Flipper knows, Girr commands their parameters beside
// the raw times, and IRDB CSV (.csv) a row for every signal that decodes
// (it holds nothing else).
Written writeSignals(Form form, const std::vector<NamedSignal>& signals,
                     const irp::ProtocolTable* identify = nullptr);

} // namespace qv::exchange
