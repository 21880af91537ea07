// Error reports as data: each report is a typed record (which set, which
// group, the values it shows), and one formatter turns it into the lines of
// the error list. The wording of every line lives in error_report.cpp only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

enum class ErrorSet {
    // bit step
    ShortInterval, // "HL": short interval out of range
    LongInterval,  // "HL": long interval out of range
    BurstBit,      // "RIB": burst fits neither standard
    BurstGap,      // "RIB": gap check
    ZeroOsc,       // "DNA" and common rule: burst check
    ZeroOneIdle,   // "DNA" and common rule: gap fits no standard
    MisOneOsc,     // "MIS" A
    MisOsc,        // "MIS" B and C: burst check
    MisIdle,       // "MIS" B: gap check
    MisSecondIdle, // "MIS" C: gap fits neither standard
    MisExtraIdle,  // "MIS" C: extra pair's gap
    RcsOsc,        // "RCS16": burst check
    RcsIdle,       // "RCS16": second gap check
    RcsSymbol,     // "RCS16": first gap fits no symbol
    NoProgress,    // a bit step that reads nothing and does not move
    // frame reader
    HeadSecondBit,
    HeadOsc,
    HeadIdle,
    RepeatHeadOsc,
    RepeatHeadIdle,
    FixedBit,
    FixedCode, // the fixed part's bits are none the row allows ("f_sit")
    FirstBitOne,
    FirstBitZero,
    EndBitForm002,
    LastBurst,
    Cycle,
    CustomerComplement,
    DataComplement,
    EndBitOsc,
    EndBitIdle,
    Parity,
    // decode dispatch
    QuickPress,
};

struct ErrorReport {
    ErrorSet set;
    int group = 0;                   // GroupNo when the report was made
    std::vector<std::string> values; // one per line that shows a value, in order
};

// The lines of a report, in list order.
std::vector<std::string> formatReport(const ErrorReport& r);

// The line the code recording window's cycle list gets for each group.
std::string cycleLine(int group, float timeSum);

} // namespace qv
