// Parsed signals (a protocol and its parameters) rendered into times with
// the IRP engine. Each form names protocols and parameters its own way;
// the mapping to the protocol table's names is a table here.
#pragma once

#include "exchange/signal_set.h"
#include "irp/irp.h"

#include <optional>
#include <string>

namespace qv::exchange {

// The protocol and parameters of the table a parsed code means; throws
// CaptureFormatError naming what has no mapping.
struct IrpCode {
    std::string protocol;
    irp::Params params;
};
IrpCode irpCodeOf(const ParsedCode& code);

// The protocols Flipper names that the protocol table lacks, rendered and
// decoded from here.
const irp::ProtocolTable& flipperExtras();

// The Flipper parsed signal (scheme "flipper", address and command) a
// decode of the table or of flipperExtras() is; none for a protocol Flipper
// does not name.
std::optional<ParsedCode> flipperCodeOf(const irp::Decode& decode);

// Renders with the given table (and flipperExtras()); throws CaptureFormatError.
NamedSignal renderParsed(const NamedSignal& signal, const irp::ProtocolTable& table);

// The table beside the program (or in share/quorvel/), loaded once; null
// when there is none.
const irp::ProtocolTable* shippedProtocolTable();

} // namespace qv::exchange
