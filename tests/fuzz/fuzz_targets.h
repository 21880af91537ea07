// The fuzz targets. Each takes any bytes and returns 0; a broken promise
// aborts. The libFuzzer programs call one each; the replay test runs every
// kept input through all of them in the normal build.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qvfuzz {

// A receiver message through the capture tick against a chosen catalogue
// row, with "Auto select Format", "Ignore Time", "OCT", the sample
// comparison and the recording hand-over switched by the input. Layout:
// row, switches, tolerance, first recording column, then the message.
int captureDispatch(const uint8_t* data, size_t size);

// Any values in a format row (Null, empty, text, "---", negative, huge,
// fractional, any structure string) decoded against a capture, directly or
// through the format editor's save.
int formatRow(const uint8_t* data, size_t size);

// The text capture reader of quorvel-cli: time lists, signed raw, mode2 and
// Pronto texts read into a receiver message and loaded.
int captureText(const uint8_t* data, size_t size);

// Every capture file, through the one reader: the first byte picks a
// receiver message, a text kind, a folder or a device at the path.
int captureFile(const uint8_t* data, size_t size);

// Files of named signals (Flipper, lircd.conf, Girr, Broadlink, ...): the
// first byte picks the file's ending, the rest is the text.
int exchangeFile(const uint8_t* data, size_t size);

// Any text through the IRP parser; what parses is rendered from its own
// ranges and decoded back against itself.
int irpParse(const uint8_t* data, size_t size);

// Any durations decoded against the whole shipped protocol table.
int irpDecode(const uint8_t* data, size_t size);

// Any durations, cut into presses, through the analysis of an unknown
// remote.
int analysis(const uint8_t* data, size_t size);

struct Target {
    const char* name; // folder of its corpus and findings
    int (*run)(const uint8_t*, size_t);
};
inline constexpr Target kTargets[] = {
    {"capture_dispatch", captureDispatch},
    {"format_row", formatRow},
    {"capture_text", captureText},
    {"capture_file", captureFile},
    {"exchange_file", exchangeFile},
    {"irp_parse", irpParse},
    {"irp_decode", irpDecode},
    {"analysis", analysis},
};

} // namespace qvfuzz
