// What was captured, kept whole: every time as received or read, the
// carrier, where it came from and when. The capture record (TimeTable) is a
// view of its first times; what reads the capture whole reads this value.
// Beside it, the facts of the receiver unit every capture is measured by.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The receiver's clock, 22.1184 MHz / 12: its timer's ticks a microsecond.
inline constexpr double kReceiverTicksPerUs = 1.8432;
// The same in single precision, as the loader and the carrier figures reckon.
inline constexpr float kReceiverTicksPerUsSingle = static_cast<float>(kReceiverTicksPerUs);
// The timer's overflow, 65536 ticks, in whole microseconds (35555).
inline constexpr int kOverflowUnit = static_cast<int>(65536 / kReceiverTicksPerUs);
// Two carrier bytes and two time pairs: anything shorter the loader drops.
inline constexpr size_t kShortestMessage = 10;

struct CaptureSource {
    enum class Kind { None, Port, File, Text, Generator };
    Kind kind = Kind::None;
    // The port and its device ("COM1 (/dev/ttyUSB0)"), the file's name,
    // "pasted text" or what generated it.
    std::string name;
    // The signal taken from a file of named signals; empty otherwise.
    std::string signal;
    // As the title and the press log show it: "remote.ir#Power".
    std::string shown() const { return signal.empty() ? name : name + "#" + signal; }
    bool operator==(const CaptureSource&) const = default;
};

struct Capture {
    // Every time, burst first, as the receiver's road reads them from the
    // whole message: no limit of the capture record.
    std::vector<int64_t> times;
    // The receiver message the capture record is loaded from. A text file
    // longer than the record gives the message of the times the record holds.
    std::vector<uint8_t> message;
    // The carrier figures as the labels show them, µs (0: not known).
    float carrierHigh = 0;
    float carrierPeriod = 0;
    CaptureSource source;
    std::chrono::system_clock::time_point when;

    // In kHz, then Hz, as the press record reckons it.
    double carrierHz() const { return carrierPeriod > 0 ? 1000.0 / carrierPeriod * 1000 : 0; }
};

struct CaptureFile;

// A message as the receiver sent it (or as a generator made it).
Capture receivedCapture(std::vector<uint8_t> message, CaptureSource source);
// A capture file as read: its message for the record, and every time of
// the file, past what the record holds.
Capture captureOf(const CaptureFile& file, CaptureSource source);

} // namespace qv
