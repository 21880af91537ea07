// Subcommands of quorvel-cli kept in files of their own.
#pragma once

#include "app/session.h"

#include <string>
#include <vector>

namespace qv {

// quorvel-cli generate --format KEY --code HEX | --bin BITS [--repeats N]
//                      [--distort excess=US,jitter=PCT,step=US,seed=N] [--catalogue PATH] -o FILE
int cmdGenerate(const std::vector<std::string>& args);

// quorvel-cli listen --device LIRCDEVICE | --port SERIALPORT --text [--baud N]
//                    [--format KEY] [--json] [--append FILE] [--count N] [--catalogue PATH]
// Prints each press's decode as it arrives; 0 after --count presses or
// Ctrl+C, 1 with the reason when the device goes away.
int cmdListen(const std::vector<std::string>& args);

// quorvel-cli send --device LIRCDEVICE FILE | --format KEY --code HEX|--bin BITS
//                  [--repeats N] [--carrier HZ] [--catalogue PATH]
int cmdSend(const std::vector<std::string>& args);

// The statistics of the presses a "stats" run decoded (the session's log).
int printStatistics(const Session& s, bool json);

} // namespace qv
