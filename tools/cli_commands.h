// Subcommands of quorvel-cli kept in files of their own.
#pragma once

#include "engine/press_stats.h"

#include "analysis/analysis.h"
#include "capture/capture_text.h"

#include <string>
#include <vector>

namespace qv {

class Session;

// quorvel-cli generate --format KEY --code HEX | --bin BITS [--repeats N]
//                      [--distort excess=US,jitter=PCT,step=US,seed=N] [--catalogue PATH] -o FILE
int cmdGenerate(const std::vector<std::string>& args);

// The statistics of every press a "stats" run decoded, read in the mode
// named ("demodulated", "receiver unit" or "both").
int printStatistics(const std::vector<engine::PressRecord>& presses, const std::string& mode,
                    bool json);

// quorvel-cli analyse [--json] [--save FormNNN] [--catalogue PATH] [--protocols-out FILE]
//                     [MODE] FILE...
int cmdAnalyse(const std::vector<std::string>& args);

// Writes the analysed protocol into a user slot of the catalogue, or says
// which part of it no row field can hold (1).
int saveAnalysedRow(const analysis::Result& result, const std::string& slot,
                    const std::string& source, bool json, const std::string& catalogue);

// quorvel-cli protocols [--json] [--protocols FILE]...
int cmdProtocols(const std::vector<std::string>& args);
// quorvel-cli identify [--json] [--protocols FILE]... [MODE] [--signal NAME] FILE...
int cmdIdentify(const std::vector<std::string>& args);
// quorvel-cli generate --protocol NAME | --irp TEXT --params "D=0,F=18" [--repeats N]
//                      [--distort ...] [--protocols FILE]... -o FILE
int cmdGenerateIrp(const std::vector<std::string>& args);

// A press named by a protocol of the table (or IRP text) and its parameters.
struct ProtocolChoice {
    std::string name, irpText, params;
    std::vector<std::string> tables; // --protocols files
};
// Takes --protocol, --irp, --params and --protocols into choice.
bool protocolOption(const std::string& option, const std::string& value, ProtocolChoice& choice);
// Renders the choice: its press (burst first, ending on the final gap), its
// carrier and "NAME D=.. F=..". 0, else the exit status with the reason said.
int protocolPress(const ProtocolChoice& choice, int repeats, std::vector<int64_t>& press,
                  double& carrierHz, std::string& label);

// quorvel-cli irp --format KEY [--catalogue PATH] [--json]: the row as IRP.
int cmdIrpRow(const std::vector<std::string>& args);

struct CaptureFile;
// scan's protocol section: every IRP decode of the capture, as a JSON
// array (the "protocols" key) or as text lines.
void writeProtocolDecodes(const CaptureFile& read, bool demodulated, bool json);
// The same decodes as text, best first ("NEC1  D=0 S=255 F=18 +2 repeats").
std::vector<std::string> protocolDecodeLines(const CaptureFile& read, bool demodulated);

// quorvel-cli listen --device LIRCDEVICE | --port SERIALPORT --text [--baud N]
//                    [--format KEY] [--json] [--append FILE] [--count N] [--catalogue PATH]
// Prints each press's decode as it arrives; 0 after --count presses or
// Ctrl+C, 1 with the reason when the device goes away.
int cmdListen(const std::vector<std::string>& args);

// quorvel-cli send --device LIRCDEVICE FILE | --format KEY --code HEX|--bin BITS
//                  | --protocol NAME|--irp TEXT --params "D=0,F=18" [--protocols FILE]
//                  [--repeats N] [--carrier HZ] [--catalogue PATH]
int cmdSend(const std::vector<std::string>& args);

// quorvel-cli convert where IN or OUT is a file of named signals (Flipper,
// lircd.conf, Girr, ...): whether it is, and the conversion.
bool isSignalConvert(const std::string& in, const std::string& out);
int convertSignals(const std::string& in, const std::string& out, const std::string& only,
                   Carrier carrier, double frameGap, bool force, bool identifyFlipper);

// "quorvel-cli: 120 of 20000 captures" on stderr while a run goes on, only
// when stderr is a terminal; wiped when done == total.
void showProgress(size_t done, size_t total);

} // namespace qv
