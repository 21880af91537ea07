#include "link/live_press.h"

#include "capture/capture_formats.h"
#include "capture/capture_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace qv {

namespace {

// <linux/lirc.h>'s mode2 word kinds; the kernel's ABI, so kept here as
// numbers and the header is not needed to read a recording of them.
constexpr uint32_t kKindMask = 0xFF000000, kValueMask = 0x00FFFFFF;
constexpr uint32_t kSpace = 0x00000000, kPulse = 0x01000000, kFrequency = 0x02000000,
                   kTimeout = 0x03000000, kOverflow = 0x04000000;

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

bool isMode2Line(const std::string& line) {
    return line.rfind("pulse ", 0) == 0 || line.rfind("space ", 0) == 0;
}

// The line as the log shows it: printable, and not a screenful.
std::string shown(const std::string& line) {
    std::string out = shownWord(line);
    if (out.size() > 120) out = out.substr(0, 117) + "...";
    return out;
}

} // namespace

void LiveEvents::append(LiveEvents&& other) {
    for (auto& p : other.presses)
        presses.push_back(std::move(p));
    for (auto& l : other.log)
        log.push_back(std::move(l));
}

void PressBuilder::add(bool burst, int64_t us) {
    auto& t = m_press.times;
    if (t.empty() && !burst) return; // the idle time before the signal
    if (!t.empty() && (t.size() % 2 == 1) == burst)
        t.back() += us;
    else
        t.push_back(us);
}

void PressBuilder::burst(int64_t us) {
    add(true, us);
}

void PressBuilder::gap(int64_t us) {
    add(false, us);
}

std::optional<LivePress> PressBuilder::finish() {
    LivePress done = std::move(m_press);
    m_press = {};
    if (done.times.size() % 2 == 0 && !done.times.empty()) done.times.pop_back();
    if (done.times.empty()) return std::nullopt;
    return done;
}

LiveEvents Mode2Reader::take(std::span<const uint8_t> bytes) {
    LiveEvents out;
    size_t i = 0;
    // Finish a word a previous read left in pieces.
    while (!m_partial.empty() && i < bytes.size()) {
        m_partial.push_back(bytes[i++]);
        if (m_partial.size() == 4) {
            uint32_t w;
            std::memcpy(&w, m_partial.data(), 4);
            m_partial.clear();
            word(w, out);
        }
    }
    for (; i + 4 <= bytes.size(); i += 4) {
        uint32_t w;
        std::memcpy(&w, bytes.data() + i, 4);
        word(w, out);
    }
    m_partial.insert(m_partial.end(), bytes.begin() + static_cast<long>(i), bytes.end());
    return out;
}

void Mode2Reader::word(uint32_t w, LiveEvents& out) {
    const uint32_t value = w & kValueMask;
    auto finish = [&] {
        if (auto p = m_builder.finish()) {
            p->carrierHz = m_carrierHz;
            out.presses.push_back(std::move(*p));
        }
        m_carrierHz = 0;
    };
    switch (w & kKindMask) {
    case kPulse:
        m_builder.burst(value);
        break;
    case kSpace:
        if (value > kPressGapUs && !m_builder.empty())
            finish();
        else
            m_builder.gap(value);
        break;
    case kFrequency:
        m_carrierHz = value;
        break;
    case kTimeout:
        finish();
        break;
    case kOverflow: {
        // The device dropped times: the press so far is kept and says so.
        const std::string what =
            m_source + ": the receiver overflowed and lost times" +
            (m_builder.empty() ? std::string(" between presses")
                               : " after " + std::to_string(m_builder.press().times.size()) +
                                     " times of this press");
        if (m_builder.empty()) {
            out.log.push_back(what);
        } else {
            m_builder.press().errors.push_back(what);
            finish();
        }
        break;
    }
    default:
        out.log.push_back(m_source + ": unknown mode2 word 0x" + [&] {
            char hex[9];
            std::snprintf(hex, sizeof hex, "%08X", w);
            return std::string(hex);
        }());
    }
}

LiveEvents Mode2Reader::idle() {
    LiveEvents out;
    if (auto p = m_builder.finish()) {
        p->carrierHz = m_carrierHz;
        out.presses.push_back(std::move(*p));
    }
    m_carrierHz = 0;
    return out;
}

std::optional<std::vector<int64_t>> parseRawDataArray(const std::string& line) {
    const auto name = line.find("rawData[");
    if (name == std::string::npos) return std::nullopt;
    const auto open = line.find('{', name), close = line.find('}', name);
    if (open == std::string::npos || close == std::string::npos || close < open)
        return std::nullopt;
    std::string inside = line.substr(open + 1, close - open - 1);
    // Every word a number: "9000, 4500, 560" (a trailing comma allowed).
    for (char c : inside)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != ',' && c != ' ' && c != '\t')
            return std::nullopt;
    try {
        auto times = parseTimeList(inside);
        if (times.empty()) return std::nullopt;
        return times;
    } catch (const CaptureFormatError&) {
        return std::nullopt;
    }
}

std::optional<LivePress> pressFromLine(const std::string& line) {
    LivePress p;
    try {
        if (auto raw = parseRawDataArray(line)) {
            p.times = std::move(*raw);
        } else if (looksLikePronto(line)) {
            const ProntoCode code = parsePronto(line);
            p.times = code.times;
            if (code.carrierPeriodUs > 0)
                p.carrierHz = static_cast<uint32_t>(std::lround(1e6 / code.carrierPeriodUs));
        } else if (line[0] == '+' || line[0] == '-') {
            p.times = parseTimeList(line);
        } else {
            return std::nullopt;
        }
    } catch (const CaptureFormatError&) {
        return std::nullopt;
    }
    if (p.times.size() % 2 == 0 && !p.times.empty()) p.times.pop_back();
    if (p.times.empty()) return std::nullopt;
    return p;
}

LiveEvents TextPressReader::take(std::span<const uint8_t> bytes) {
    LiveEvents out;
    for (uint8_t b : bytes) {
        if (b == '\n') {
            line(trimmed(m_line), out);
            m_line.clear();
        } else if (m_line.size() < 64 * 1024) {
            // A line without end is not a capture anyone prints; its head is
            // enough to show in the log.
            m_line.push_back(static_cast<char>(b));
        }
    }
    return out;
}

void TextPressReader::endMode2Block(LiveEvents& out) {
    if (m_mode2.empty()) return;
    std::string block;
    for (const auto& l : m_mode2)
        block += l + "\n";
    m_mode2.clear();
    try {
        auto times = parseTimeList(block);
        if (times.size() % 2 == 0 && !times.empty()) times.pop_back();
        if (!times.empty()) {
            out.presses.push_back({std::move(times), 0, {}});
            return;
        }
    } catch (const CaptureFormatError& e) {
        out.log.push_back(m_source + ": not read as a capture: " + e.what());
        return;
    }
    out.log.push_back(m_source + ": a mode2 block without a pulse");
}

void TextPressReader::line(const std::string& text, LiveEvents& out) {
    if (isMode2Line(text)) {
        m_mode2.push_back(text);
        return;
    }
    endMode2Block(out); // a blank line, a timeout line or other text ends it
    if (text.empty() || text.rfind("timeout", 0) == 0) return;
    if (auto p = pressFromLine(text))
        out.presses.push_back(std::move(*p));
    else
        out.log.push_back(m_source + ": not read as a capture: " + shown(text));
}

LiveEvents TextPressReader::idle() {
    LiveEvents out;
    // A last line the sender did not end, and a mode2 block that stopped.
    if (!m_line.empty()) {
        line(trimmed(m_line), out);
        m_line.clear();
    }
    endMode2Block(out);
    return out;
}

std::vector<uint32_t> sendWords(const std::vector<int64_t>& times) {
    std::vector<uint32_t> out;
    size_t n = times.size();
    if (n % 2 == 0 && n > 0) --n;
    for (size_t i = 0; i < n; ++i)
        out.push_back(static_cast<uint32_t>(std::clamp<int64_t>(times[i], 1, kValueMask)));
    return out;
}

} // namespace qv
