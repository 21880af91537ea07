// Presses from receivers that demodulate: a LIRC device's mode2 words and a
// microcontroller's dump text. Both readers take bytes as they are read, in
// pieces of any size, and give whole presses as times in microseconds
// (burst first, ending with a burst). No device here: see live_device.h.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qv {

// The gap that ends a press when the device sends no timeout word. Longer
// than the gap between a frame and its repeats, so a held key stays one
// press; the receive timeout asked of a LIRC device is the same.
constexpr int64_t kPressGapUs = 100000;

struct LivePress {
    std::vector<int64_t> times;
    uint32_t carrierHz = 0;          // 0: the device reported none
    std::vector<std::string> errors; // what the device reported about this press
};

// What a piece of input gave: finished presses, and lines for the log
// (refused text, reports of the device).
struct LiveEvents {
    std::vector<LivePress> presses;
    std::vector<std::string> log;
    void append(LiveEvents&& other);
};

class PressReader {
public:
    virtual ~PressReader() = default;
    virtual LiveEvents take(std::span<const uint8_t> bytes) = 0;
    // Nothing arrived for kPressGapUs: a press still open is finished.
    virtual LiveEvents idle() = 0;
    // Whether a press is open (the caller waits at most kPressGapUs for more).
    virtual bool pending() const = 0;
};

// Times into a press: leading gaps dropped, neighbours of one kind summed,
// a trailing gap dropped when the press ends.
class PressBuilder {
public:
    void burst(int64_t us);
    void gap(int64_t us);
    bool empty() const { return m_press.times.empty(); }
    LivePress& press() { return m_press; }
    // The press so far, ended; nullopt when it holds no burst.
    std::optional<LivePress> finish();

private:
    void add(bool burst, int64_t us);
    LivePress m_press;
};

// 32-bit mode2 words in the host's byte order: pulse, space, frequency,
// timeout, overflow; the value in the low 24 bits.
class Mode2Reader : public PressReader {
public:
    explicit Mode2Reader(std::string source) : m_source(std::move(source)) {}
    LiveEvents take(std::span<const uint8_t> bytes) override;
    LiveEvents idle() override;
    bool pending() const override { return !m_builder.empty(); }

private:
    void word(uint32_t w, LiveEvents& out);
    std::string m_source;
    std::vector<uint8_t> m_partial; // a word split across reads
    PressBuilder m_builder;
    uint32_t m_carrierHz = 0;
};

// Lines of text: every line (or block of mode2 lines) that reads as a
// capture becomes a press; every other non-empty line goes to the log.
class TextPressReader : public PressReader {
public:
    explicit TextPressReader(std::string source) : m_source(std::move(source)) {}
    LiveEvents take(std::span<const uint8_t> bytes) override;
    LiveEvents idle() override;
    bool pending() const override { return !m_line.empty() || !m_mode2.empty(); }

private:
    void line(const std::string& text, LiveEvents& out);
    void endMode2Block(LiveEvents& out);
    std::string m_source;
    std::string m_line;
    std::vector<std::string> m_mode2; // lines of a mode2 block so far
};

// The times of one printed line: a `rawData[N] = {...};` array, a signed
// list, a Pronto code; nullopt when it reads as none. Pronto also gives its
// carrier.
std::optional<LivePress> pressFromLine(const std::string& line);

// The microseconds inside the braces of `... rawData[N] = {9000, 4500, ...};`.
std::optional<std::vector<int64_t>> parseRawDataArray(const std::string& line);

// What to write to a LIRC device to send the times: an odd count of
// microsecond values, burst first (a trailing gap is not sent).
std::vector<uint32_t> sendWords(const std::vector<int64_t>& times);

} // namespace qv
