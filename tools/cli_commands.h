// Subcommands of quorvel-cli kept in files of their own.
#pragma once

#include "analysis/analysis.h"
#include "app/session.h"
#include "capture/capture_text.h"

#include <string>
#include <vector>

namespace qv {

// quorvel-cli generate --format KEY --code HEX | --bin BITS [--repeats N]
//                      [--distort excess=US,jitter=PCT,step=US,seed=N] [--catalogue PATH] -o FILE
int cmdGenerate(const std::vector<std::string>& args);

// quorvel-cli analyse [--json] [--save FormNNN] [--catalogue PATH] [--protocols-out FILE]
//                     [DEMODULATED] FILE...
int cmdAnalyse(const std::vector<std::string>& args);

// Writes the analysed protocol into a user slot of the catalogue, or says
// which part of it no row field can hold (1).
int saveAnalysedRow(const analysis::Result& result, const std::string& slot,
                    const std::string& source, bool json, const std::string& catalogue);

// quorvel-cli protocols [--json] [--protocols FILE]...
int cmdProtocols(const std::vector<std::string>& args);
// quorvel-cli identify [--json] [--protocols FILE]... [DEMODULATED] FILE...
int cmdIdentify(const std::vector<std::string>& args);
// quorvel-cli generate --protocol NAME | --irp TEXT --params "D=0,F=18" [--repeats N]
//                      [--distort ...] [--protocols FILE]... -o FILE
int cmdGenerateIrp(const std::vector<std::string>& args);

// The statistics of the presses a "stats" run decoded (the session's log).
int printStatistics(const Session& s, bool json);

// quorvel-cli convert where IN or OUT is a file of named signals (Flipper,
// lircd.conf, Girr, ...): whether it is, and the conversion.
bool isSignalConvert(const std::string& in, const std::string& out);
int convertSignals(const std::string& in, const std::string& out, const std::string& only,
                   Carrier carrier, double frameGap, bool force);

// "quorvel-cli: 120 of 20000 captures" on stderr while a run goes on, only
// when stderr is a terminal; wiped when done == total.
void showProgress(size_t done, size_t total);

} // namespace qv
