// lircd.conf: remotes of raw codes, and remotes whose codes are rendered
// from their own timing fields the way LIRC sends them (space-encoded,
// shift/RC5 and RC6 bi-phase).
#include "exchange/read_support.h"
#include "exchange/readers.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

namespace qv::exchange {

namespace {

struct Pair {
    int64_t pulse = 0, space = 0;
    bool given() const { return pulse > 0 && space > 0; }
};

struct Remote {
    std::string name;
    size_t line = 0;
    std::vector<std::string> flags;
    int bits = 0, preBits = 0, postBits = 0, minRepeat = 0;
    uint64_t preData = 0, postData = 0, rc6Mask = 0, toggleBitMask = 0, repeatMask = 0,
             toggleMask = 0;
    Pair header, one, zero, pre, post, repeat, foot;
    int64_t plead = 0, ptrail = 0, gap = 0, repeatGap = 0, frequency = 38000;
    bool has(std::string_view flag) const {
        for (const auto& f : flags)
            if (f == flag) return true;
        return false;
    }
};

// Times in the making: a time of the kind of the last one is added to it.
struct Builder {
    std::vector<int64_t> times;
    void pulse(int64_t us) {
        if (us > 0) addSigned(times, us);
    }
    void space(int64_t us) {
        if (us > 0 && !times.empty()) addSigned(times, -us);
    }
    void pair(const Pair& p) {
        if (!p.given()) return;
        pulse(p.pulse);
        space(p.space);
    }
    int64_t length() const {
        int64_t sum = 0;
        for (int64_t t : times)
            sum += t;
        return sum;
    }
};

// SHIFT_ENC is the older name of RC5.
const char* const kRendered[] = {"SPACE_ENC",   "SHIFT_ENC",    "RC5",     "RC6",
                                 "RAW_CODES",   "CONST_LENGTH", "REVERSE", "NO_HEAD_REP",
                                 "NO_FOOT_REP", "REPEAT_HEADER"};

// Bi-phase bits: RC-5 sends a one as space then pulse, RC-6 as pulse then
// space; the bits rc6_mask marks (RC-6's trailer) last twice as long.
void sendBits(const Remote& r, Builder& b, uint64_t data, int bits, int& sent, int allBits) {
    const bool rc6 = r.has("RC6");
    const bool biphase = rc6 || r.has("RC5") || r.has("SHIFT_ENC");
    for (int k = 0; k < bits; ++k) {
        const int shift = r.has("REVERSE") ? k : bits - 1 - k;
        const bool bit = (data >> shift) & 1;
        const int position = allBits - 1 - sent++;
        const int64_t wide = position < 64 && (r.rc6Mask >> position) & 1 ? 2 : 1;
        const Pair& p = bit ? r.one : r.zero;
        if (biphase && bit != rc6) {
            b.space(wide * p.space);
            b.pulse(wide * p.pulse);
        } else {
            b.pulse(wide * p.pulse);
            b.space(wide * p.space);
        }
    }
}

// One frame of the code: header, lead, pre data, the code, post data,
// trail and foot; a repeated frame leaves out what the flags say.
std::vector<int64_t> frameOf(const Remote& r, uint64_t code, bool repeated) {
    Builder frame;
    const int all = r.preBits + r.bits + r.postBits;
    int sent = 0;
    if (!repeated || !r.has("NO_HEAD_REP")) frame.pair(r.header);
    frame.pulse(r.plead);
    sendBits(r, frame, r.preData, r.preBits, sent, all);
    frame.pair(r.pre);
    sendBits(r, frame, code, r.bits, sent, all);
    frame.pair(r.post);
    sendBits(r, frame, r.postData, r.postBits, sent, all);
    frame.pulse(r.ptrail);
    if (!repeated || !r.has("NO_FOOT_REP")) frame.pair(r.foot);
    return frame.times;
}

// The repeat code a held key sends in place of the frame (NEC's 9 ms
// burst and short gap), the header first where REPEAT_HEADER says so.
std::vector<int64_t> repeatCodeOf(const Remote& r) {
    Builder rep;
    if (r.has("REPEAT_HEADER")) rep.pair(r.header);
    rep.pulse(r.plead);
    rep.pair(r.repeat);
    rep.pulse(r.ptrail);
    return rep.times;
}

// A frame and the gap after it: with CONST_LENGTH the gap fills the frame
// up to the remote's gap. A frame ending on a space (bi-phase, no trail, a
// foot) runs on into the gap.
void addWithGap(std::vector<int64_t>& out, std::vector<int64_t> frame, int64_t gap,
                bool constLength) {
    int64_t tail = 0;
    if (frame.size() % 2 == 0 && !frame.empty()) {
        tail = frame.back();
        frame.pop_back();
    }
    int64_t length = 0;
    for (int64_t t : frame)
        length += t;
    const int64_t g = constLength ? gap - length : gap + tail;
    out.insert(out.end(), frame.begin(), frame.end());
    out.push_back(std::max({g, tail, int64_t{1}}));
}

// One press of a code (a key may send several codes in turn): the frames
// and their gaps, then the min_repeat repeats every press sends; the
// repeat part is what a held key sends further (the repeat code, or the
// frame again, with repeat_mask's bits inverted). Bits of toggle_bit_mask
// change from press to press, not while a key is held: the press is the
// first, with the code as written.
NamedSignal render(const Remote& r, const std::vector<uint64_t>& codes) {
    const bool constLength = r.has("CONST_LENGTH");
    const int64_t repeatGap = r.repeatGap ? r.repeatGap : r.gap;
    NamedSignal s;
    s.kind = "codes";
    if (r.toggleBitMask) {
        char mask[48];
        std::snprintf(mask, sizeof mask, ", toggle bits 0x%llX",
                      static_cast<unsigned long long>(r.toggleBitMask));
        s.kind += mask;
    }
    s.carrierHz = static_cast<double>(r.frequency);
    for (uint64_t code : codes)
        addWithGap(s.times, frameOf(r, code, false), r.gap, constLength);
    const uint64_t last = codes.back() ^ r.repeatMask;
    std::vector<int64_t> again;
    if (r.repeat.given())
        addWithGap(again, repeatCodeOf(r), repeatGap, constLength);
    else
        addWithGap(again, frameOf(r, last, true), repeatGap, constLength);
    for (int k = 0; k < r.minRepeat; ++k)
        s.times.insert(s.times.end(), again.begin(), again.end());
    s.repeat = std::move(again);
    return s;
}

// A raw code: the times as listed and the remote's gap (unless the list
// ends on a gap of its own), then the min_repeat copies every press sends.
void finishRaw(const Remote& r, NamedSignal& s) {
    if (s.times.empty()) return;
    if (s.times.size() % 2 == 1) s.times.push_back(r.gap > 0 ? r.gap : 1);
    const std::vector<int64_t> once = s.times;
    for (int k = 0; k < r.minRepeat; ++k)
        s.times.insert(s.times.end(), once.begin(), once.end());
}

} // namespace

std::vector<NamedSignal> readLircd(const std::string& path, std::string_view text) {
    const Lines lines(text);
    std::vector<NamedSignal> out;
    std::vector<Remote> remotes;
    enum class In { Nothing, Remote, Codes, RawCodes } in = In::Nothing;
    size_t remoteStart = 0, remotesSeen = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (const size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        line = trimmed(line);
        const size_t lineNo = i + 1;
        if (line.empty()) continue;
        std::istringstream words{std::string(line)};
        std::string key;
        words >> key;
        std::vector<std::string> values;
        for (std::string w; words >> w;)
            values.push_back(w);
        const std::string lkey = lowered(key);
        const std::string second = values.empty() ? "" : lowered(values[0]);
        auto number = [&](size_t k, int64_t most = int64_t{1} << 40) -> int64_t {
            const auto v = k < values.size() ? integer(values[k], most) : std::nullopt;
            if (!v)
                throw refusal(path, lineNo,
                              "expected a number after " + key + ", found " +
                                  (k < values.size() ? quoted(values[k]) : "nothing"));
            return *v;
        };
        if (in == In::Nothing) {
            if (lkey == "begin" && second == "remote") {
                in = In::Remote;
                remotes.emplace_back();
                remotes.back().line = remoteStart = lineNo;
                ++remotesSeen;
                continue;
            }
            throw refusal(path, lineNo, "expected \"begin remote\", found " + quoted(line));
        }
        Remote& r = remotes.back();
        if (in == In::Codes || in == In::RawCodes) {
            // A raw code ends where the next begins, or the list.
            auto endRaw = [&] {
                if (in != In::RawCodes || out.empty() || out.back().line < remoteStart) return;
                finishRaw(r, out.back());
                if (out.back().times.size() > kMostTimes)
                    throw refusal(path, out.back().line,
                                  "expected at most " + std::to_string(kMostTimes) + " times");
            };
            if (lkey == "end" && (second == "codes" || second == "raw_codes")) {
                if ((second == "codes") != (in == In::Codes))
                    throw refusal(path, lineNo,
                                  std::string("expected \"end ") +
                                      (in == In::Codes ? "codes" : "raw_codes") + "\"");
                endRaw();
                in = In::Remote;
                continue;
            }
            if (in == In::Codes) {
                // A key may send several codes in turn.
                std::vector<uint64_t> codes;
                for (const auto& v : values) {
                    const auto code = integer(v, int64_t{1} << 62);
                    if (!code)
                        throw refusal(path, lineNo,
                                      "expected \"KEY 0x...\" (a name and its code), found " +
                                          quoted(line));
                    codes.push_back(static_cast<uint64_t>(*code));
                }
                if (codes.empty())
                    throw refusal(path, lineNo,
                                  "expected \"KEY 0x...\" (a name and its code), found " +
                                      quoted(line));
                NamedSignal s = render(r, codes);
                if (s.times.size() > kMostTimes)
                    throw refusal(path, lineNo,
                                  "expected at most " + std::to_string(kMostTimes) + " times");
                s.name = key;
                s.line = lineNo;
                out.push_back(std::move(s));
                continue;
            }
            if (lkey == "name") {
                endRaw();
                if (!out.empty() && out.back().line >= remoteStart && out.back().times.empty())
                    throw refusal(path, lineNo,
                                  "expected the times of raw code " + quoted(out.back().name));
                NamedSignal s;
                s.kind = "raw_codes";
                s.name = values.empty() ? std::to_string(out.size() + 1) : values[0];
                s.line = lineNo;
                s.carrierHz = static_cast<double>(r.frequency);
                out.push_back(std::move(s));
                continue;
            }
            if (out.empty() || out.back().line < remoteStart)
                throw refusal(path, lineNo, "expected \"name KEY\" before the times of a raw code");
            values.insert(values.begin(), key);
            for (const auto& v : values) {
                const auto us = decimal(v, 10000000);
                if (!us || *us == 0)
                    throw refusal(path, lineNo,
                                  "expected times in microseconds, found " + quoted(v));
                if (out.back().times.size() >= kMostTimes)
                    throw refusal(path, lineNo,
                                  "expected at most " + std::to_string(kMostTimes) + " times");
                out.back().times.push_back(*us);
            }
            continue;
        }
        // In a remote, before or between its code lists.
        if (lkey == "begin" && (second == "codes" || second == "raw_codes")) {
            in = second == "codes" ? In::Codes : In::RawCodes;
            if (in == In::Codes) {
                for (const auto& f : r.flags) {
                    bool known = false;
                    for (const char* k : kRendered)
                        known = known || f == k;
                    if (!known)
                        throw refusal(path, lineNo,
                                      "remote " + quoted(r.name) + ": flag " + f +
                                          " is not rendered: expected SPACE_ENC, SHIFT_ENC, "
                                          "RC5, RC6 or RAW_CODES");
                }
                if (r.bits <= 0 || r.bits + r.preBits + r.postBits > 64)
                    throw refusal(path, lineNo,
                                  "remote " + quoted(r.name) +
                                      ": expected bits from 1 to 64 in all");
                if (r.toggleMask)
                    throw refusal(path, lineNo,
                                  "remote " + quoted(r.name) +
                                      ": toggle_mask is not rendered: expected it 0");
                if (!r.one.given() && !r.zero.given())
                    throw refusal(path, lineNo,
                                  "remote " + quoted(r.name) +
                                      ": expected \"one\" and \"zero\" times");
            }
            continue;
        }
        if (lkey == "end" && second == "remote") {
            in = In::Nothing;
            continue;
        }
        auto pair = [&](Pair& p) {
            p.pulse = number(0, 10000000);
            p.space = number(1, 10000000);
        };
        if (lkey == "name")
            r.name = values.empty() ? "" : values[0];
        else if (lkey == "flags") {
            std::string all;
            for (const auto& v : values)
                all += v;
            std::stringstream split(all);
            for (std::string f; std::getline(split, f, '|');)
                if (!f.empty()) r.flags.push_back(f);
        } else if (lkey == "bits")
            r.bits = static_cast<int>(number(0, 64));
        else if (lkey == "pre_data_bits")
            r.preBits = static_cast<int>(number(0, 64));
        else if (lkey == "post_data_bits")
            r.postBits = static_cast<int>(number(0, 64));
        else if (lkey == "pre_data")
            r.preData = static_cast<uint64_t>(number(0, int64_t{1} << 62));
        else if (lkey == "post_data")
            r.postData = static_cast<uint64_t>(number(0, int64_t{1} << 62));
        else if (lkey == "rc6_mask")
            r.rc6Mask = static_cast<uint64_t>(number(0, int64_t{1} << 62));
        else if (lkey == "header")
            pair(r.header);
        else if (lkey == "one")
            pair(r.one);
        else if (lkey == "zero")
            pair(r.zero);
        else if (lkey == "pre")
            pair(r.pre);
        else if (lkey == "post")
            pair(r.post);
        else if (lkey == "repeat")
            pair(r.repeat);
        else if (lkey == "foot")
            pair(r.foot);
        else if (lkey == "min_repeat")
            r.minRepeat = static_cast<int>(number(0, 20));
        else if (lkey == "toggle_bit_mask")
            r.toggleBitMask = static_cast<uint64_t>(number(0, int64_t{1} << 62));
        else if (lkey == "repeat_mask")
            r.repeatMask = static_cast<uint64_t>(number(0, int64_t{1} << 62));
        else if (lkey == "toggle_mask")
            r.toggleMask = static_cast<uint64_t>(number(0, int64_t{1} << 62));
        else if (lkey == "plead")
            r.plead = number(0, 10000000);
        else if (lkey == "ptrail")
            r.ptrail = number(0, 10000000);
        else if (lkey == "gap")
            r.gap = number(0, 100000000);
        else if (lkey == "repeat_gap")
            r.repeatGap = number(0, 100000000);
        else if (lkey == "frequency") {
            r.frequency = number(0, 1000000);
            if (r.frequency == 0) r.frequency = 38000;
        }
        // eps, aeps, duty_cycle, ...: how a receiver matches, not the
        // times of a press.
    }
    if (in != In::Nothing)
        throw refusal(path, lines.size(),
                      std::string("expected \"end ") +
                          (in == In::Remote  ? "remote"
                           : in == In::Codes ? "codes"
                                             : "raw_codes") +
                          "\": the file is cut off");
    if (remotesSeen > 1) {
        size_t k = 0;
        for (auto& s : out) {
            while (k + 1 < remotes.size() && remotes[k + 1].line < s.line)
                ++k;
            s.name = remotes[k].name + "/" + s.name;
        }
    }
    for (const auto& s : out)
        if (s.times.empty())
            throw refusal(path, s.line, "expected the times of raw code " + quoted(s.name));
    if (out.empty()) throw refusal(path, lines.size(), "expected codes or raw_codes in a remote");
    return out;
}

} // namespace qv::exchange
