// Capture files other tools use: plain microsecond lists, signed raw
// (+burst -gap), LIRC mode2 (pulse/space) and Pronto learned codes. Every
// reader ends in a receiver message, so a file takes the road of a received
// capture; the writers start from the capture record.
#pragma once

#include "capture/capture_record.h"
#include "capture/capture_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

enum class CaptureFileKind { ReceiverMessage, TimeList, SignedRaw, Mode2, Pronto };

// By the file name's ending: .bin, .raw (signed), .mode2, .pronto/.ccf;
// anything else is a time list.
CaptureFileKind captureKindForPath(const std::string& path);

// Whether a capture file is read as made through a demodulating receiver:
// every kind but the receiver unit's own message, which measures its
// bursts. The window and quorvel-cli both decide by this.
bool readsDemodulated(CaptureFileKind kind);

// A Pronto learned code ("0000 FFFF ..."): its times (once-sequence, then
// repeat-sequence) and the carrier period it names.
struct ProntoCode {
    std::vector<int64_t> times;
    double carrierPeriodUs = 0;
};
bool looksLikePronto(const std::string& text);
ProntoCode parsePronto(const std::string& text);

// Carrier bytes for a carrier period in microseconds (a third of it high).
Carrier carrierForPeriod(double periodUs);

// The times of the capture record: from the first cell to the last time
// before an empty cell, a cell reading 0 or the end marker.
std::vector<int64_t> captureTimes(const TimeTable& table);

std::string writeTimeList(const std::vector<int64_t>& times);
std::string writeSignedRaw(const std::vector<int64_t>& times);
std::string writeMode2(const std::vector<int64_t>& times);

// Frames end at gaps longer than frameGap. The first frame is the
// once-sequence, the second (when there is one) the repeat-sequence. The
// capture's last gap is not received; the last frame keeps the period of
// the frame before it (or leadOut when it is the only frame).
std::string writePronto(const std::vector<int64_t>& times, double carrierPeriodUs, double frameGap,
                        int64_t leadOut = 100000);

} // namespace qv
