// The one way into a capture file, for the window, quorvel-cli and
// quorvel-sim alike: it opens the file, refuses what is no capture file,
// picks the kind and hands the text kinds to their readers.
#pragma once

#include "capture/capture.h"
#include "capture/capture_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// A file this long is already far more than any capture, and anything
// longer (a film, a disk image, /dev/zero) is not read.
constexpr std::uintmax_t kLargestCaptureFile = 1 << 20;

struct CaptureFile {
    std::vector<uint8_t> message; // the receiver message, loaded as a received one
    std::vector<int64_t> times;   // a text file's times as read; empty for a .bin
    Carrier carrier;              // the carrier the message was built with
    // What the capture record will not hold as the file has it, each line
    // naming the file. Empty when loading keeps every time read.
    std::vector<std::string> changes;
    // The message holds fewer times than were read: the record's first ones.
    bool cut = false;
};

// Refuses a folder, a device, a file too long, a file that cannot be read
// or parsed: CaptureFormatError naming the file and the reason. A ".bin" is
// a receiver message; a text whose first words are Pronto words a Pronto
// code (its own carrier); any other text a time list (with `carrier`).
CaptureFile readCapture(const std::string& path, Carrier carrier = {});

// The steps of readCapture, for readers of other files: the file's bytes
// (refused as readCapture refuses), the capture of bytes read from it, and
// the capture of times read (`path` names them in what is said; no times are refused).
std::string readCaptureBytes(const std::string& path);
CaptureFile captureFromBytes(const std::string& path, std::string bytes, Carrier carrier = {});
CaptureFile captureFromTimes(const std::string& path, std::vector<int64_t> times,
                             Carrier carrier = {});

// The message of readCapture, for callers that want nothing else.
std::vector<uint8_t> readCaptureFile(const std::string& path, Carrier carrier = {});

} // namespace qv
