#include "engine/generate.h"

#include "engine/decode.h"
#include "engine/walk_context.h"
#include "platform/basic.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>

namespace qv::engine {

namespace {

[[noreturn]] void refuse(const FormatRow& row, const std::string& why) {
    throw GenerateError(row.key() + ": " + why);
}

std::optional<double> number(const FormatRow& row, const char* name) {
    const FieldValue* v = row.find(name);
    return v ? v->toNumber() : std::nullopt;
}

// A time the signal needs: a Null, missing or non-positive field refuses the row.
double time(const FormatRow& row, const char* name) {
    const auto v = number(row, name);
    if (!v || *v <= 0) refuse(row, std::string("the field \"") + name + "\" holds no time to send");
    return *v;
}

// A bit count; Null reads as no bits.
int count(const FormatRow& row, const char* name) {
    const auto v = number(row, name);
    if (!v) return 0;
    if (*v < 0 || *v > 1024) refuse(row, std::string("the field \"") + name + "\" is no bit count");
    return static_cast<int>(*v);
}

bool isNone(const FormatRow& row, const char* name) {
    const FieldValue* v = row.find(name);
    return v && trimBlanks(v->toText()) == "---";
}

std::string text(const FormatRow& row, const char* name) {
    const FieldValue* v = row.find(name);
    return v ? trimBlanks(v->toText()) : std::string();
}

// The row's "convert": "Y" shows a part's first bit as its lowest.
bool readsMsbFirst(const FormatRow& row) {
    return text(row, "convert") != "Y";
}

std::vector<std::string> splitTokens(const std::string& stru) {
    std::vector<std::string> out;
    size_t p = 0;
    while (p <= stru.size()) {
        size_t e = stru.find(',', p);
        if (e == std::string::npos) e = stru.size();
        out.push_back(trimBlanks(std::string_view(stru).substr(p, e - p)));
        p = e + 1;
    }
    return out;
}

// The structure's groups: the tokens up to each "X".
std::vector<std::vector<std::string>> groupsOf(const std::string& stru) {
    std::vector<std::vector<std::string>> groups(1);
    for (const auto& t : splitTokens(stru)) {
        if (t == "X")
            groups.emplace_back();
        else if (!t.empty())
            groups.back().push_back(t);
    }
    if (groups.back().empty()) groups.pop_back();
    return groups;
}

// How many bits a token carries; nullopt for a token that sends only times.
std::optional<int> bitsOf(const FormatRow& row, const std::string& token) {
    if (token == "S") return count(row, "S_Bits");
    if (token == "C") return count(row, "C");
    if (token == "~C") return count(row, "R_C");
    if (token == "D") return count(row, "D");
    if (token == "~D") return count(row, "R_D");
    if (token == "P") return count(row, "T");
    if (token == "T") {
        if (number(row, "T_Time").value_or(0) != 0)
            refuse(row, "a toggle sent as a time (\"T_Time\") cannot be generated");
        return count(row, "T");
    }
    if (token == "F") {
        if (number(row, "Fix_Time").value_or(0) != 0) {
            // A bi-phase row reads its pause or its trailer's gap there.
            if (codingRuleOf(text(row, "Type")) == CodingRule::Intervals) return std::nullopt;
            refuse(row, "a fixed part sent as a time (\"Fix_Time\") cannot be generated");
        }
        return count(row, "F");
    }
    if (token == "H" || token == "H2" || token == "E" || token == "B0") return std::nullopt;
    refuse(row, "the structure's token \"" + token + "\" cannot be generated");
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string withoutBlanks(const std::string& s) {
    std::string out;
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) out += c;
    return out;
}

// Each code part's bits in the order they are sent, from the code line:
// the inverse of the decode's hexadecimal text (a part's bits read least
// significant first, its first digit taking the bits left over from fours).
std::map<std::string, std::string> partBits(const FormatRow& row,
                                            const std::vector<std::string>& parts,
                                            const GenerateRequest& request) {
    const std::string code = withoutBlanks(request.code);
    const bool msbFirstOrder = readsMsbFirst(row);
    // An open-length data part takes what the other parts leave of the code.
    size_t fixed = 0;
    for (const auto& p : parts)
        if (!(p == "D" && quirksOf(row).openData)) {
            const int n = *bitsOf(row, p);
            fixed += request.binary ? static_cast<size_t>(n) : static_cast<size_t>((n + 3) / 4);
        }
    std::string layout;
    size_t wanted = 0;
    std::vector<int> counts;
    for (const auto& p : parts) {
        int n = *bitsOf(row, p);
        if (p == "D" && quirksOf(row).openData)
            n = code.size() > fixed
                    ? static_cast<int>(code.size() - fixed) * (request.binary ? 1 : 4)
                    : 0;
        counts.push_back(n);
        wanted += request.binary ? static_cast<size_t>(n) : static_cast<size_t>((n + 3) / 4);
        layout += (layout.empty() ? "" : ", ") + p + " " + std::to_string(n) + " bits";
    }
    const char* unit = request.binary ? "bits" : "hexadecimal digits";
    if (code.size() != wanted)
        refuse(row, "the code has " + std::to_string(code.size()) + " " + unit +
                        ", the row takes " + std::to_string(wanted) + " (" + layout + ")");
    std::map<std::string, std::string> out;
    size_t at = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        const int n = counts[i];
        std::string bits;
        if (request.binary) {
            bits = code.substr(at, static_cast<size_t>(n));
            at += static_cast<size_t>(n);
            if (bits.find_first_not_of("01") != std::string::npos)
                refuse(row, "a binary code holds only 0 and 1");
        } else {
            std::string msbFirst;
            const int digits = (n + 3) / 4;
            for (int d = 0; d < digits; ++d) {
                const int v = hexDigit(code[at++]);
                if (v < 0) refuse(row, "\"" + request.code + "\" is no hexadecimal code");
                const int width = d == 0 && n % 4 != 0 ? n % 4 : 4;
                if (v >> width)
                    refuse(row, "the code's part " + parts[i] + " has " + std::to_string(n) +
                                    " bits: its first digit is at most " +
                                    std::to_string((1 << width) - 1));
                for (int b = width - 1; b >= 0; --b)
                    msbFirst += (v >> b) & 1 ? '1' : '0';
            }
            bits = msbFirstOrder ? msbFirst : std::string(msbFirst.rbegin(), msbFirst.rend());
        }
        out[parts[i]] = bits;
    }
    return out;
}

// How a bi-phase row lays down what its fields leave open: which half of a
// bit is the burst, the value of a double-length trailer bit ("E"), whether
// its start bits are read inverted, and whether "F" is a pause. The row's
// decode is what gives its code line a meaning, so each convention is tried
// and the one it reads back as the code is kept.
struct Convention {
    bool oneMarkFirst = true;
    bool trailerOne = false;
    bool startInverted = false;
    bool pause = false;
};

std::vector<Convention> conventionsOf(const FormatRow& row,
                                      const std::vector<std::vector<std::string>>& groups) {
    if (codingRuleOf(text(row, "Type")) != CodingRule::Intervals) return {Convention{}};
    bool trailer = false, start = false, pause = false;
    for (const auto& g : groups)
        for (const auto& t : g) {
            trailer = trailer || (t == "E" && !isNone(row, "E_Osc"));
            start = start || t == "S";
            pause = pause || (t == "F" && number(row, "Fix_Time").value_or(0) != 0);
        }
    std::vector<Convention> out;
    // A one sent gap first is tried first: where both phases read back with
    // as many times, that is how RC-5 remotes send it (a one rises).
    for (int k = 0; k < 16; ++k) {
        const Convention c{(k & 1) != 0, (k & 2) != 0, (k & 4) != 0, (k & 8) != 0};
        if ((c.trailerOne && !trailer) || (c.startInverted && !start) || (c.pause && !pause))
            continue;
        out.push_back(c);
    }
    return out;
}

std::string invertedBits(std::string bits) {
    for (char& c : bits)
        c = c == '1' ? '0' : '1';
    return bits;
}

void sendMis(const FormatRow& row, irsig::FrameBuilder& b, const std::string& bits) {
    const double burst = time(row, "Zero_Osc");
    switch (quirksOf(row).mis) {
    case MisVariant::Runs:
        // A 1 is a burst at the start of its cell, a 0 a dark cell.
        for (char c : bits) {
            if (c == '1')
                b.mark(time(row, "One_Osc")).space(time(row, "One_Idle"));
            else
                b.space(time(row, "zero_Idle"));
        }
        return;
    case MisVariant::TriplePair: {
        // Two symbols a bit, b then not b; a 1 symbol is two bursts and
        // lasts as long as a 0 symbol.
        const double zeroGap = time(row, "zero_Idle"), shortGap = time(row, "One_Idle");
        const double tail = zeroGap - burst - shortGap;
        if (tail <= 0) refuse(row, "its 1 symbol does not fit in a 0 symbol's time");
        auto symbol = [&](char c) {
            if (c == '1')
                b.mark(burst).space(shortGap).mark(burst).space(tail);
            else
                b.mark(burst).space(zeroGap);
        };
        for (char c : bits) {
            symbol(c);
            symbol(c == '1' ? '0' : '1');
        }
        return;
    }
    case MisVariant::Gap:
    case MisVariant::GapExtraPair:
        for (char c : bits) {
            b.mark(burst).space(time(row, c == '1' ? "One_Idle" : "zero_Idle"));
            if (c == '1' && quirksOf(row).mis == MisVariant::GapExtraPair)
                b.mark(burst).space(time(row, "One_HL"));
        }
        return;
    }
}

void sendRcs16(const FormatRow& row, irsig::FrameBuilder& b, const std::string& bits) {
    if (bits.size() % 2) refuse(row, "a part of an odd bit count cannot be sent two bits a symbol");
    const double burst = time(row, "Zero_Osc");
    for (size_t i = 0; i < bits.size(); i += 2)
        for (const auto& s : kRcs16Symbols) {
            if (bits.compare(i, 2, s.bits) != 0) continue;
            b.space(time(row, s.gap));
            if (!s.secondGap) {
                b.mark(2 * burst);
            } else {
                b.mark(burst).space(time(row, s.secondGap)).mark(burst);
            }
        }
}

// A run of k equal bits lasts k bit times, but never past the middle of the
// run's window (the rule counts whole bits of Zero_Osc - 200).
void sendRuns(const FormatRow& row, irsig::FrameBuilder& b, const std::string& bits) {
    const double bit = time(row, "Zero_Osc"), unit = bit - 200;
    if (unit <= 0) refuse(row, "its bit time is too short for run lengths");
    for (size_t i = 0; i < bits.size();) {
        size_t j = i;
        while (j < bits.size() && bits[j] == bits[i])
            ++j;
        const double k = static_cast<double>(j - i);
        const double t = std::min(k * bit, (k + 0.5) * unit);
        if (bits[i] == '0')
            b.mark(t);
        else
            b.space(t);
        i = j;
    }
}

void sendBits(const FormatRow& row, irsig::FrameBuilder& b, const std::string& bits,
              const Convention& conv) {
    const std::string type = text(row, "Type");
    switch (codingRuleOf(type)) {
    case CodingRule::Gaps:
        for (char c : bits)
            b.mark(time(row, c == '1' ? "One_Osc" : "Zero_Osc"))
                .space(time(row, c == '1' ? "One_Idle" : "zero_Idle"));
        return;
    case CodingRule::Bursts:
        for (char c : bits)
            b.mark(time(row, c == '1' ? "One_Osc" : "Zero_Osc")).space(time(row, "zero_Idle"));
        return;
    case CodingRule::FourGaps: {
        if (bits.size() % 2)
            refuse(row, "a part of an odd bit count cannot be sent two bits a gap");
        static const std::map<std::string, const char*> gaps = {
            {"00", "zero_Idle"}, {"01", "zero_HL"}, {"10", "One_Idle"}, {"11", "One_HL"}};
        for (size_t i = 0; i < bits.size(); i += 2)
            b.mark(time(row, "Zero_Osc")).space(time(row, gaps.at(bits.substr(i, 2))));
        return;
    }
    case CodingRule::Intervals:
        b.biphase(bits, time(row, "Zero_Osc"), conv.oneMarkFirst);
        return;
    case CodingRule::Mis:
        sendMis(row, b, bits);
        return;
    case CodingRule::Rcs16:
        sendRcs16(row, b, bits);
        return;
    case CodingRule::RunLengths:
        sendRuns(row, b, bits);
        return;
    }
}

void sendHead(const FormatRow& row, irsig::FrameBuilder& b) {
    const int heads = std::max(1, count(row, "H_Bits"));
    const bool second = number(row, "HB2_Osc").value_or(0) != 0;
    const CodingRule rule = codingRuleOf(text(row, "Type"));
    for (int k = 1; k <= heads; ++k) {
        if (second && k % 2 == 0) {
            b.mark(time(row, "HB2_Osc"));
            if (number(row, "HB2_Idle").value_or(0) > 0) {
                b.space(time(row, "HB2_Idle"));
            } else if (rule == CodingRule::Mis) {
                // A start symbol 1: its gap fills a 0 symbol's time.
                const double tail = time(row, "Zero_Osc") + time(row, "zero_Idle") -
                                    time(row, "H_Osc") - time(row, "H_Idle") - time(row, "HB2_Osc");
                if (tail <= 0) refuse(row, "its second head burst leaves no gap");
                b.space(tail);
            } else {
                time(row, "HB2_Idle"); // refuses the row
            }
        } else {
            b.mark(time(row, "H_Osc")).space(time(row, "H_Idle"));
        }
    }
    // The symbols of the four-symbol rule follow a second head burst.
    if (rule == CodingRule::Rcs16) b.mark(time(row, "HB2_Osc"));
}

irsig::FrameBuilder frameOf(const FormatRow& row, const std::vector<std::string>& group,
                            const std::map<std::string, std::string>& bits,
                            const Convention& conv) {
    irsig::FrameBuilder b;
    const bool biphase = codingRuleOf(text(row, "Type")) == CodingRule::Intervals;
    for (const auto& t : group) {
        if (t == "H") {
            sendHead(row, b);
        } else if (t == "H2") {
            b.mark(time(row, "G2H_Osc")).space(time(row, "G2H_Idle"));
        } else if (t == "E") {
            if (isNone(row, "E_Osc")) continue;
            if (biphase) {
                // A trailer bit of double length.
                b.biphase(conv.trailerOne ? "1" : "0", 2 * time(row, "Zero_Osc"),
                          conv.oneMarkFirst);
                continue;
            }
            b.mark(time(row, "E_Osc"));
            if (!isNone(row, "E_Idle") && number(row, "E_Idle").value_or(0) != 0)
                b.space(time(row, "E_Idle"));
        } else if (t == "B0") {
            b.mark(time(row, "b_end"));
        } else if (t == "F" && biphase && number(row, "Fix_Time").value_or(0) != 0) {
            if (conv.pause) {
                const double toggle = number(row, "T_Time").value_or(0);
                b.space(toggle > 0 ? toggle : time(row, "Fix_Time"));
            }
        } else {
            const auto found = bits.find(t);
            if (found == bits.end()) continue;
            const bool inverted = t == "S" && conv.startInverted;
            sendBits(row, b, inverted ? invertedBits(found->second) : found->second, conv);
        }
    }
    return b;
}

std::string normalisedLine(const std::string& s) {
    std::string out;
    for (const auto& word : splitTokens([&] {
             std::string t = s;
             for (char& c : t)
                 if (std::isspace(static_cast<unsigned char>(c))) c = ',';
             return t;
         }()))
        if (!word.empty()) out += (out.empty() ? "" : " ") + word;
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t p = 0;
    while (p < text.size()) {
        size_t e = text.find('\n', p);
        if (e == std::string::npos) e = text.size();
        const std::string line = normalisedLine(text.substr(p, e - p));
        if (!line.empty()) out.push_back(line);
        p = e + 1;
    }
    return out;
}

} // namespace

bool isLearningRow(const FormatRow& row) {
    return genericRowOf(row.key()).has_value();
}

double frameGapOf(const FormatRow& row) {
    return std::max(20000.0, 2 * number(row, "X").value_or(0));
}

bool isPlaceholderRow(const FormatRow& row) {
    const std::string remark = text(row, "Remark");
    // A user slot ("user slot: ...") is the user's own row: it is generated.
    return remark.find("placeholder") != std::string::npos;
}

namespace {

// The key press: every frame sends the code; adjust[k] moves frame k's
// period (see generateSignal).
irsig::KeyPress pressOf(const FormatRow& row, const std::vector<std::vector<std::string>>& groups,
                        const std::map<std::string, std::string>& bits, const Convention& conv,
                        const GenerateRequest& request, const std::vector<double>& adjust) {
    const double cycle = number(row, "T1").value_or(0);
    const double laterCycle = number(row, "G2_T").value_or(0);
    double gap = frameGapOf(row);
    if (codingRuleOf(text(row, "Type")) == CodingRule::RunLengths) {
        // A run-length reader tells the frame's end by a silence longer than
        // a run of all its bits.
        size_t all = 0;
        for (const auto& [part, b] : bits)
            all += b.size();
        gap = std::max(gap, static_cast<double>(all + 1) * time(row, "Zero_Osc"));
    }
    irsig::KeyPress press;
    // A key press sends at least the row's group count ("G_count").
    const size_t frames =
        std::max(groups.size() + static_cast<size_t>(request.repeats),
                 static_cast<size_t>(std::clamp(number(row, "G_count").value_or(0), 0.0, 50.0)));
    for (size_t k = 0; k < frames; ++k) {
        const auto& group = groups[std::min(k, groups.size() - 1)];
        const irsig::FrameBuilder b = frameOf(row, group, bits, conv);
        if (b.length() <= 0) refuse(row, "a group of the structure sends nothing");
        double period = k > 0 && laterCycle > 0 ? laterCycle : cycle;
        if (period > 0 && quirksOf(row).headOutsideCycle)
            for (const auto& t : group)
                if (t == "H") period += time(row, "H_Osc") + time(row, "H_Idle");
        if (period > 0 && k < adjust.size()) period += adjust[k];
        if (period > 0 && period <= b.length())
            refuse(row, "the code's frame (" + std::to_string(std::lround(b.length())) +
                            " us) is longer than the row's cycle");
        press.push_back(period > 0 ? b.period(period) : b.leadOut(gap));
    }
    return press;
}

DecodeResult decodeExact(const FormatRow& row, const irsig::Capture& capture,
                         float cycleTolerance) {
    TimeTable table;
    for (size_t i = 0; i <= capture.times.size(); ++i) {
        const int64_t t = i < capture.times.size() ? capture.times[i] : kEndOfSignal;
        table.setCell(static_cast<long>(i / kDataCols) + 1, static_cast<long>(i % kDataCols) + 1,
                      std::to_string(t));
    }
    DecodeSettings settings;
    settings.learn = false;
    settings.lineBreak = "\n";
    settings.readOrder = readsMsbFirst(row);
    settings.cycleTolerance = cycleTolerance;
    return decode(table, row, settings);
}

bool decodesTo(const DecodeResult& d, const GenerateRequest& request) {
    const auto shown = lines(request.binary ? d.binary : d.hex);
    const std::string asked = normalisedLine(request.code);
    return !shown.empty() && d.errors.empty() &&
           std::all_of(shown.begin(), shown.end(), [&](const std::string& l) {
               return withoutBlanks(l) == withoutBlanks(asked);
           });
}

std::string whyNot(const DecodeResult& d, const GenerateRequest& request) {
    const auto errors = d.errorLines();
    const auto shown = lines(request.binary ? d.binary : d.hex);
    return !errors.empty() ? errors.front()
           : shown.empty() ? std::string("no code")
                           : "it decodes as \"" + shown.front() + "\"";
}

struct Made {
    irsig::KeyPress press;
    irsig::Capture capture;
    std::string hex;
};

// The exact signal of one convention, when it reads back as the code. Some
// rows' cycle sums leave a time of the frame out: a signal that fails is
// sent again with each period moved by what its sum missed. The first
// failure is kept for the message.
std::optional<Made> tryConvention(const FormatRow& row,
                                  const std::vector<std::vector<std::string>>& groups,
                                  const std::map<std::string, std::string>& bits,
                                  const Convention& conv, const GenerateRequest& request,
                                  std::optional<GenerateError>& first) {
    std::vector<double> adjust;
    for (int attempt = 0; attempt < 2; ++attempt) {
        Made m;
        m.press = pressOf(row, groups, bits, conv, request, adjust);
        m.capture = irsig::render(m.press, irsig::Receiver{}, request.seed);
        if (m.capture.times.size() >= static_cast<size_t>(kDataRows * kDataCols))
            refuse(row, "the signal has " + std::to_string(m.capture.times.size()) +
                            " times, more than a capture holds");
        const DecodeResult d = decodeExact(row, m.capture, 500);
        if (decodesTo(d, request)) {
            const auto hex = lines(d.hex);
            m.hex = hex.empty() ? std::string() : hex.front();
            return m;
        }
        if (!first)
            first = GenerateError(row.key() +
                                  ": the signal made from its fields does not decode to this "
                                  "code (" +
                                  whyNot(d, request) + ")");
        if (attempt > 0) break;
        const DecodeResult loose = decodeExact(row, m.capture, 1e9f);
        for (const Annotation& a : loose.annotations) {
            if (a.as != ReadAs::GroupEnd || !a.standard || a.group < 1) continue;
            adjust.resize(std::max(adjust.size(), static_cast<size_t>(a.group)), 0.0);
            adjust[static_cast<size_t>(a.group - 1)] =
                *a.standard - static_cast<double>(a.measured);
        }
        if (std::all_of(adjust.begin(), adjust.end(), [](double v) { return v == 0; })) break;
    }
    return std::nullopt;
}

// The code line's digits as bits, four a digit; nullopt for a line that
// is no hexadecimal text.
std::optional<std::vector<bool>> lineBits(const std::string& line) {
    std::vector<bool> out;
    for (char c : withoutBlanks(line)) {
        const int v = hexDigit(c);
        if (v < 0) return std::nullopt;
        for (int b = 3; b >= 0; --b)
            out.push_back(((v >> b) & 1) != 0);
    }
    return out;
}

// A row whose code line is composed by its own rule shows each digit's bits
// as some of the binary line's bits, reordered, one of them inverted: the
// line is an affine map of the bits. It is found by sending a binary line
// and each line with one bit changed; the binary line that shows the code
// asked for is then solved for bit by bit (over GF(2)).
GenerateRequest binaryRequestFor(const FormatRow& row, const GenerateRequest& request) {
    const auto groups = groupsOf(text(row, "stru"));
    size_t total = 0;
    for (const auto& g : groups) {
        for (const auto& t : g)
            if (const auto n = bitsOf(row, t)) total += static_cast<size_t>(*n);
        if (total > 0) break;
    }
    const auto asked = lineBits(request.code);
    if (!asked) refuse(row, "\"" + request.code + "\" is no hexadecimal code");
    if (total == 0 || total > 64) refuse(row, "the row's code parts hold no bits to send");
    auto shown = [&](const std::string& bits) -> std::optional<std::vector<bool>> {
        GenerateRequest probe;
        probe.code = bits;
        probe.binary = true;
        try {
            return lineBits(generateSignal(row, probe).hex);
        } catch (const GenerateError&) {
            return std::nullopt; // a line the row cannot send
        }
    };
    // A binary line the row sends, to start from.
    std::string base;
    std::optional<std::vector<bool>> baseLine;
    for (const std::string& b :
         {std::string(total, '0'), "1" + std::string(total - 1, '0'), std::string(total, '1'),
          "11" + std::string(total - std::min<size_t>(total, 2), '0')})
        if (b.size() == total && (baseLine = shown(b))) {
            base = b;
            break;
        }
    if (!baseLine) refuse(row, "no binary line of the row can be sent");
    if (asked->size() != baseLine->size())
        refuse(row, "the code has " + std::to_string(asked->size() / 4) +
                        " hexadecimal digits, the row shows " +
                        std::to_string(baseLine->size() / 4));
    // One column per bit the line changes with; the asked line's difference
    // from the base line is the right-hand side.
    const size_t rows = asked->size();
    std::vector<std::vector<bool>> m(rows);
    std::vector<size_t> columns;
    for (size_t i = 0; i < total; ++i) {
        std::string flipped = base;
        flipped[i] = flipped[i] == '1' ? '0' : '1';
        const auto line = shown(flipped);
        if (!line || line->size() != rows) continue;
        columns.push_back(i);
        for (size_t r = 0; r < rows; ++r)
            m[r].push_back((*line)[r] != (*baseLine)[r]);
    }
    for (size_t r = 0; r < rows; ++r)
        m[r].push_back((*asked)[r] != (*baseLine)[r]);
    const size_t n = columns.size();
    std::vector<long> pivotRow(n, -1);
    size_t next = 0;
    for (size_t c = 0; c < n && next < rows; ++c) {
        size_t r = next;
        while (r < rows && !m[r][c])
            ++r;
        if (r == rows) continue;
        std::swap(m[r], m[next]);
        for (size_t k = 0; k < rows; ++k)
            if (k != next && m[k][c])
                for (size_t j = c; j <= n; ++j)
                    m[k][j] = m[k][j] != m[next][j];
        pivotRow[c] = static_cast<long>(next++);
    }
    for (size_t r = next; r < rows; ++r)
        if (m[r][n])
            refuse(row, "no binary line of the row shows the code \"" + request.code + "\"");
    GenerateRequest out = request;
    out.binary = true;
    out.code = base;
    for (size_t c = 0; c < n; ++c)
        if (pivotRow[c] >= 0 && m[static_cast<size_t>(pivotRow[c])][n])
            out.code[columns[c]] = base[columns[c]] == '1' ? '0' : '1';
    return out;
}

} // namespace

GeneratedSignal generateSignal(const FormatRow& row, const GenerateRequest& request) {
    if (!row.present()) throw GenerateError("no such format row");
    if (isLearningRow(row))
        refuse(row, "a learning row takes its times from a capture; it has none to send");
    if (isPlaceholderRow(row))
        refuse(row, "a placeholder row (\"" + text(row, "Remark") + "\") is no format to send");
    if (request.repeats < 0 || request.repeats > 50) refuse(row, "repeats are 0 to 50");
    if (!request.binary && composesOwnCodeLine(row)) {
        GeneratedSignal out = generateSignal(row, binaryRequestFor(row, request));
        if (withoutBlanks(out.hex) != withoutBlanks(normalisedLine(request.code)))
            refuse(row, "no binary line of the row shows the code \"" + request.code + "\"");
        return out;
    }

    const auto groups = groupsOf(text(row, "stru"));
    if (groups.empty()) refuse(row, "the row has no structure to send");
    // The code line is the first group's code parts; every group sends them.
    std::vector<std::string> parts;
    for (const auto& g : groups) {
        for (const auto& t : g)
            if (bitsOf(row, t)) parts.push_back(t);
        if (!parts.empty()) break;
    }
    const auto bits = partBits(row, parts, request);

    // The exact signal must decode to the code asked for. Of the conventions
    // that give it, the one with the fewest times wins (a bi-phase code sent
    // the wrong way round can still read back, with an extra half bit).
    std::optional<GenerateError> first;
    std::optional<Made> best;
    for (const Convention& conv : conventionsOf(row, groups)) {
        try {
            std::optional<Made> m = tryConvention(row, groups, bits, conv, request, first);
            if (m && (!best || m->capture.times.size() < best->capture.times.size()))
                best = std::move(m);
        } catch (const GenerateError& e) {
            if (!first) first = e;
        }
    }
    if (!best) throw *first;
    GeneratedSignal out;
    out.carrierPeriodUs = number(row, "CF_T").value_or(0);
    out.capture = std::move(best->capture);
    out.hex = best->hex;
    const irsig::KeyPress& press = best->press;

    if (request.receiver.jitter > 0 || request.receiver.speed != 1 || request.receiver.excess > 0 ||
        request.receiver.step > 1) {
        try {
            out.capture = irsig::render(press, request.receiver, request.seed);
        } catch (const std::logic_error&) {
            refuse(row, "the jitter asked for pushes a frame past its cycle");
        }
    }
    return out;
}

} // namespace qv::engine
