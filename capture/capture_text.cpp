#include "capture/capture_text.h"

#include "capture/capture_formats.h"
#include "capture/capture_record.h"

#include "platform/basic.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace qv {

namespace {

constexpr int64_t kLongestTimeUs = 100000000;

} // namespace

std::string shownWord(const std::string& word) {
    std::string out;
    for (char c : word) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

// Blanks as a stream reads words, and the separators a list may use.
constexpr auto kSeparators = [] {
    std::array<bool, 256> table{};
    for (char c : {' ', '\t', '\r', '\v', '\f', ',', ';'})
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();
bool separates(char c) {
    return kSeparators[static_cast<unsigned char>(c)];
}

bool sameWord(std::string_view word, std::string_view lowerName) {
    return word.size() == lowerName.size() &&
           std::equal(word.begin(), word.end(), lowerName.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

std::vector<int64_t> parseTimeList(const std::string& text, std::vector<std::string>* sums) {
    std::vector<int64_t> times; // even index: burst, odd: gap
    // Every time takes two characters at least; a capture holds 640.
    times.reserve(std::min<size_t>(text.size() / 2 + 1, 2 * kDataRows * kDataCols));
    int lineNo = 0;
    auto where = [&] { return "line " + std::to_string(lineNo) + ": "; };
    // Checked as each time is read, on the value as written: two of a kind
    // in a row are added, and an absurd value must not overflow the sum.
    auto inRange = [&](double us, auto written) {
        const int64_t t = wholePart(us);
        if (t < 0 || t > kLongestTimeUs)
            throw CaptureFormatError(
                where() + "time out of range: " + shownWord(std::string(written())) +
                " (expected 0 to " + std::to_string(kLongestTimeUs) + " microseconds)");
        return t;
    };
    auto add = [&](bool burst, double us, std::string_view written) {
        const int64_t t = inRange(us, [written] { return std::string(written); });
        bool wantBurst = times.size() % 2 == 0;
        if (burst == wantBurst)
            times.push_back(t);
        else if (!times.empty()) {
            const int64_t before = times.back();
            times.back() = inRange(static_cast<double>(before + t), [&] {
                return std::to_string(before) + " + " + std::string(written);
            });
            if (sums)
                sums->push_back(where() + "two " + (burst ? "bursts" : "gaps") + " in a row (" +
                                std::to_string(before) + " and " + std::to_string(t) +
                                " us) are summed into one of " + std::to_string(times.back()) +
                                " us");
        }
        // a gap before the first burst is the idle time before the signal
    };
    // The usual line (plain numbers, blanks, perhaps a comment) is read in
    // one pass; any other is read word by word below. Returns where the next
    // line starts, or npos, having read nothing, for another line.
    auto plainLine = [&](size_t i) -> size_t {
        const size_t mark = times.size(), n = text.size();
        while (i < n) {
            const char c = text[i];
            if (c == '\n') return i + 1;
            if (separates(c)) {
                ++i;
                continue;
            }
            if (c == '#') {
                const size_t e = text.find('\n', i);
                return e == std::string::npos ? n + 1 : e + 1;
            }
            const size_t from = i, stop = std::min(n, i + 16);
            int64_t v = 0;
            for (unsigned digit;
                 i < stop && (digit = static_cast<unsigned char>(text[i] - '0')) <= 9; ++i)
                v = v * 10 + digit;
            const bool ends = i == n || separates(text[i]) || text[i] == '\n' || text[i] == '#';
            if (i == from || i - from > 15 || v > kLongestTimeUs || !ends) {
                times.resize(mark);
                return std::string::npos;
            }
            times.push_back(v); // a plain number is always the next time
        }
        return n + 1;
    };
    // Words are read in place: the file's text is not copied line by line.
    size_t start = 0;
    while (start < text.size()) {
        if (const size_t next = plainLine(start); next != std::string::npos) {
            ++lineNo;
            start = next;
            continue;
        }
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        size_t i = 0;
        auto nextWord = [&]() -> std::string_view {
            while (i < line.size() && separates(line[i]))
                ++i;
            const size_t from = i;
            while (i < line.size() && !separates(line[i]))
                ++i;
            return line.substr(from, i - from);
        };
        for (;;) {
            // Nearly every word is a plain whole number: read it as it is found.
            while (i < line.size() && separates(line[i]))
                ++i;
            if (i == line.size()) break;
            const size_t from = i;
            int64_t v = 0;
            while (i < line.size() && i - from < 16 && line[i] >= '0' && line[i] <= '9')
                v = v * 10 + (line[i++] - '0');
            if (i - from <= 15 && (i == line.size() || separates(line[i]))) {
                // A plain number is always the next time, burst or gap.
                if (v <= kLongestTimeUs)
                    times.push_back(v);
                else
                    add(times.size() % 2 == 0, static_cast<double>(v), line.substr(from, i - from));
                continue;
            }
            i = from;
            const std::string_view word = nextWord();
            const bool pulse = sameWord(word, "pulse"), space = sameWord(word, "space");
            if (pulse || space || sameWord(word, "timeout")) {
                const std::string_view value = nextWord();
                if (value.empty() || !isNumeric(value))
                    throw CaptureFormatError(where() + "expected a time after \"" +
                                             shownWord(std::string(word)) + "\"");
                if (!pulse && !space) continue;
                add(pulse, leadingNumber(value), value);
                continue;
            }
            if (!isNumeric(word))
                throw CaptureFormatError(where() + "expected a time in microseconds, found \"" +
                                         shownWord(std::string(word)) + "\"");
            const double us = leadingNumber(word);
            if (word[0] == '+' || word[0] == '-')
                add(word[0] == '+', std::fabs(us), word);
            else
                add(times.size() % 2 == 0, us, word);
        }
    }
    if (times.empty()) throw CaptureFormatError(kNoTimesFound);
    return times;
}

std::vector<uint8_t> messageFromTimes(const std::vector<int64_t>& times, Carrier carrier) {
    const size_t bursts = (times.size() + 1) / 2;
    // Sized for a pair a burst and the seven closing units, with the zero
    // padding: written in place, grown only for gaps longer than a count.
    std::vector<uint8_t> out(2 + 8 * (bursts + 7) + 4, 0);
    out[0] = carrier.highTicks;
    out[1] = carrier.lowTicks;
    size_t at = 2;
    auto pushPair = [&](long osc, long idle) {
        if (at + 4 > out.size()) out.resize(2 * out.size(), 0);
        uint8_t* p = out.data() + at;
        p[0] = static_cast<uint8_t>(osc >> 8);
        p[1] = static_cast<uint8_t>(osc & 0xFF);
        p[2] = static_cast<uint8_t>(idle >> 8);
        p[3] = static_cast<uint8_t>(idle & 0xFF);
        at += 4;
    };
    const auto ticks = ticksForTime;
    for (size_t k = 0; k < bursts; ++k) {
        // A zero count would read as a timer overflow: the shortest time is one tick.
        long osc = std::clamp<long>(ticks(times[2 * k]), 1, kLongestTicks);
        bool last = k + 1 == bursts;
        if (last) {
            // Seven overflow units close the signal.
            pushPair(osc, 0);
            for (int i = 0; i < 6; ++i)
                pushPair(0, 0);
            break;
        }
        const int64_t us = times[2 * k + 1];
        const long gap = ticks(us);
        if (gap <= kLongestTicks) {
            pushPair(osc, std::max<long>(gap, 1));
            continue;
        }
        // The loader counts every overflow as kOverflowUnit: send the rest
        // so that the sum comes out as the gap itself. The rest pair also
        // ends the gap (the loader skips the burst after an overflow), so it
        // is sent even for a whole number of units, one tick long.
        const int64_t full = us / kOverflowUnit;
        if (full >= 7) {
            // Seven overflow units end the signal when it is loaded: nothing
            // after them is read, so a huge gap costs no more than that.
            pushPair(osc, 0);
            for (int i = 0; i < 6; ++i)
                pushPair(0, 0);
            break;
        }
        const long rest = ticks(us - full * kOverflowUnit);
        pushPair(osc, 0);
        for (int64_t i = 1; i < full; ++i)
            pushPair(0, 0);
        pushPair(0, std::clamp<long>(rest, 1, kLongestTicks));
    }
    // Only the first half of a message is decoded: pad with zeros (nothing
    // past the pairs was written).
    const size_t pairs = (at - 2) / 4;
    out.resize(at + 4 * pairs + 4, 0);
    return out;
}

} // namespace qv
