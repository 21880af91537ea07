// Subcommands of quorvel-cli kept in files of their own.
#pragma once

#include "app/session.h"

#include <string>
#include <vector>

namespace qv {

// quorvel-cli generate --format KEY --code HEX | --bin BITS [--repeats N]
//                      [--distort excess=US,jitter=PCT,step=US,seed=N] [--catalogue PATH] -o FILE
int cmdGenerate(const std::vector<std::string>& args);

// quorvel-cli protocols [--json] [--protocols FILE]...
int cmdProtocols(const std::vector<std::string>& args);
// quorvel-cli identify [--json] [--protocols FILE]... [DEMODULATED] FILE...
int cmdIdentify(const std::vector<std::string>& args);
// quorvel-cli generate --protocol NAME | --irp TEXT --params "D=0,F=18" [--repeats N]
//                      [--distort ...] [--protocols FILE]... -o FILE
int cmdGenerateIrp(const std::vector<std::string>& args);

// quorvel-cli irp --format KEY [--catalogue PATH] [--json]: the row as IRP.
int cmdIrpRow(const std::vector<std::string>& args);

struct CaptureFile;
// scan's protocol section: every IRP decode of the capture, as a JSON
// array (the "protocols" key) or as text lines.
void writeProtocolDecodes(const CaptureFile& read, bool demodulated, bool json);

// The statistics of the presses a "stats" run decoded (the session's log).
int printStatistics(const Session& s, bool json);

} // namespace qv
