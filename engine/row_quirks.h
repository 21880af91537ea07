// What a row reads in its own way, beyond what its fields say: the words of
// its column "Quirks" (catalogue/catalogue.h), read once per walk. A row
// copied into another slot carries them along.
#pragma once

#include "engine/decode_values.h"

#include <string_view>

namespace qv::engine {

// How a "MIS" row codes its bits.
enum class MisVariant {
    Gap,          // one bit in each gap
    Runs,         // "mis-runs": ones as bursts in their cells, zeros as dark cells
    TriplePair,   // "mis-triple-pair": each bit a pair of symbols, the first gap tells
    GapExtraPair, // "mis-extra-pair": one bit in each gap, a 1 followed by a second pair
};

// How the hexadecimal code line is made from the parts the group read.
enum class CodeLine {
    Parts,       // each part's value, in the order read
    Rc5,         // "code-rc5": address, then the field bit inverted above the command
    Rc5x,        // "code-rc5x": as code-rc5, the extension after them
    Last5First3, // "code-5-3": an 8-bit data part shown as its last 5 bits, then its first 3
    Bit8And7,    // "code-1-8-7": a 16-bit data part shown as its first bit, the next 8, the last 7
};

struct RowQuirks {
    // "open-data": the data part runs until a time reaches the wait time
    // "X" instead of "D" bits.
    bool openData = false;
    // "head-outside-cycle": the head times are not summed into the cycle.
    bool headOutsideCycle = false;
    // "start-one": the start part begins with a 1 whose first half is the
    // frame's first burst (bi-phase with a leading half bit).
    bool startOne = false;
    // "start-inverted": an "HL" start bit merged into the head gap reads 0,
    // one after a head gap of its own length reads 1.
    bool startInverted = false;
    // "toggle-gap-inverts": a gap of the toggle time before the customer
    // part holds the inverse of the last start bit (else the same bit).
    bool toggleGapInverts = false;
    // "half-gap-keeps": a gap half a bit longer holds the same bit (else
    // its inverse).
    bool halfGapKeeps = false;
    // "customer-one": the customer part begins with a 1 read from no time.
    bool customerOne = false;
    // "data-end-bit": the data part begins with an end bit ("E_Osc").
    bool dataEndBit = false;
    // "data-lead-in-gap": a time before the data longer than a 1's burst
    // holds the data's first bit, a 1.
    bool dataLeadInGap = false;
    // "data-lead-one": the data always begins with a 1, held by a long time
    // before it or else by the time at the cursor.
    bool dataLeadOne = false;
    MisVariant mis = MisVariant::Gap;
    CodeLine codeLine = CodeLine::Parts;

    bool operator==(const RowQuirks&) const = default;
};

// The row's quirks; unknown words are left out (a newer file's words mean
// nothing to this reader).
RowQuirks quirksOf(const FormatRow& row);
RowQuirks quirksOf(std::string_view words);

// A row whose hexadecimal code line is composed by a rule of its own (its
// binary line is still the bits as read).
inline bool composesOwnCodeLine(const FormatRow& row) {
    return quirksOf(row).codeLine != CodeLine::Parts;
}

} // namespace qv::engine
