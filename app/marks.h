// What the decode read, as the waveform draws it: one mark per time read.
// Plain data without dependencies, so the session can hold it.
#pragma once

#include <string>
#include <vector>

namespace qv {

enum class MarkKind { HeadBurst, HeadGap, Bit, EndBit, RepeatHead, Cycle, Other };

// One time the decode read.
struct DecodeMark {
    double startUs = 0;    // from the capture's first burst
    double durationUs = 0; // of the burst or gap
    long row = 0;          // capture table cell
    int col = 0;
    MarkKind kind = MarkKind::Other;
    std::string bits;                    // the bits the time gave, if any
    double measuredUs = 0;               // what was checked: the time, or a cycle's sum
    int part = -1;                       // index into DecodeMarks::parts
    int group = 1;                       // the frame the decode was reading
    double standard = 0, lo = 0, hi = 0; // the format's time and allowed window
    bool pass = true;
    bool operator==(const DecodeMark&) const = default;
};

// A part of a frame (customer code, data, complement, parity, end bit) and
// its value as the code line shows it (hexadecimal, or decimal bytes with
// OCT); empty when the code line does not show it.
struct DecodePart {
    std::string name;
    std::string value;
    bool operator==(const DecodePart&) const = default;
};

struct DecodeMarks {
    std::vector<DecodeMark> marks;
    std::vector<DecodePart> parts;
    bool operator==(const DecodeMarks&) const = default;
};

} // namespace qv
