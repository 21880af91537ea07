#include "engine/generate.h"

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
        if (number(row, "Fix_Time").value_or(0) != 0)
            refuse(row, "a fixed part sent as a time (\"Fix_Time\") cannot be generated");
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
        if (!(p == "D" && readsOpenLengthData(row.key()))) {
            const int n = *bitsOf(row, p);
            fixed += request.binary ? static_cast<size_t>(n) : static_cast<size_t>((n + 3) / 4);
        }
    std::string layout;
    size_t wanted = 0;
    std::vector<int> counts;
    for (const auto& p : parts) {
        int n = *bitsOf(row, p);
        if (p == "D" && readsOpenLengthData(row.key()))
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

void sendBits(const FormatRow& row, irsig::FrameBuilder& b, const std::string& bits) {
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
    case CodingRule::RunLengths:
    case CodingRule::Mis:
    case CodingRule::Rcs16:
    case CodingRule::Intervals:
        refuse(row, "rows of type \"" + type + "\" cannot be generated yet");
    }
}

irsig::FrameBuilder frameOf(const FormatRow& row, const std::vector<std::string>& group,
                            const std::map<std::string, std::string>& bits) {
    irsig::FrameBuilder b;
    for (const auto& t : group) {
        if (t == "H") {
            const int heads = std::max(1, count(row, "H_Bits"));
            const bool second = number(row, "HB2_Osc").value_or(0) != 0;
            for (int k = 1; k <= heads; ++k) {
                if (second && k % 2 == 0)
                    b.mark(time(row, "HB2_Osc")).space(time(row, "HB2_Idle"));
                else
                    b.mark(time(row, "H_Osc")).space(time(row, "H_Idle"));
            }
        } else if (t == "H2") {
            b.mark(time(row, "G2H_Osc")).space(time(row, "G2H_Idle"));
        } else if (t == "E") {
            if (isNone(row, "E_Osc")) continue;
            b.mark(time(row, "E_Osc"));
            if (!isNone(row, "E_Idle") && number(row, "E_Idle").value_or(0) != 0)
                b.space(time(row, "E_Idle"));
        } else if (t == "B0") {
            b.mark(time(row, "b_end"));
        } else {
            const auto found = bits.find(t);
            if (found != bits.end()) sendBits(row, b, found->second);
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
    const std::string key = row.key();
    return key == "IB" || key == "RIB" || key == "HL" || key == "SE";
}

bool isPlaceholderRow(const FormatRow& row) {
    const std::string remark = text(row, "Remark");
    // A user slot ("user slot: ...") is the user's own row: it is generated.
    return remark.find("placeholder") != std::string::npos;
}

GeneratedSignal generateSignal(const FormatRow& row, const GenerateRequest& request) {
    if (!row.present()) throw GenerateError("no such format row");
    if (isLearningRow(row))
        refuse(row, "a learning row takes its times from a capture; it has none to send");
    if (isPlaceholderRow(row))
        refuse(row, "a placeholder row (\"" + text(row, "Remark") + "\") is no format to send");
    if (request.repeats < 0 || request.repeats > 50) refuse(row, "repeats are 0 to 50");
    const std::string type = text(row, "Type");
    const CodingRule rule = codingRuleOf(type);
    if (rule != CodingRule::Gaps && rule != CodingRule::Bursts && rule != CodingRule::FourGaps)
        refuse(row, "rows of type \"" + type + "\" cannot be generated yet");
    if (!request.binary && composesOwnCodeLine(row.key()))
        refuse(row, "its code line is composed by a rule of its own: give the code as its "
                    "binary line");

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

    const double cycle = number(row, "T1").value_or(0);
    const double laterCycle = number(row, "G2_T").value_or(0);
    // Without a cycle the next frame waits well past the row's end-of-frame wait.
    const double gap = std::max(20000.0, 2 * number(row, "X").value_or(0));
    irsig::KeyPress press;
    // A key press sends at least the row's group count ("G_count").
    const size_t frames =
        std::max(groups.size() + static_cast<size_t>(request.repeats),
                 static_cast<size_t>(std::clamp(number(row, "G_count").value_or(0), 0.0, 50.0)));
    for (size_t k = 0; k < frames; ++k) {
        const auto& group = groups[std::min(k, groups.size() - 1)];
        const irsig::FrameBuilder b = frameOf(row, group, bits);
        if (b.length() <= 0) refuse(row, "a group of the structure sends nothing");
        double period = k > 0 && laterCycle > 0 ? laterCycle : cycle;
        if (period > 0 && headOutsideCycle(row.key()))
            for (const auto& t : group)
                if (t == "H") period += time(row, "H_Osc") + time(row, "H_Idle");
        if (period > 0 && period <= b.length())
            refuse(row, "the code's frame (" + std::to_string(std::lround(b.length())) +
                            " us) is longer than the row's cycle");
        press.push_back(period > 0 ? b.period(period) : b.leadOut(gap));
    }

    GeneratedSignal out;
    out.carrierPeriodUs = number(row, "CF_T").value_or(0);
    out.capture = irsig::render(press, irsig::Receiver{}, request.seed);
    if (out.capture.times.size() >= static_cast<size_t>(kDataRows * kDataCols))
        refuse(row, "the signal has " + std::to_string(out.capture.times.size()) +
                        " times, more than a capture holds");

    // The exact signal must decode to the code asked for.
    TimeTable table;
    for (size_t i = 0; i <= out.capture.times.size(); ++i) {
        const int64_t t = i < out.capture.times.size() ? out.capture.times[i] : kEndOfSignal;
        table.setCell(static_cast<long>(i / kDataCols) + 1, static_cast<long>(i % kDataCols) + 1,
                      std::to_string(t));
    }
    DecodeSettings settings;
    settings.learn = false;
    settings.lineBreak = "\n";
    settings.readOrder = readsMsbFirst(row);
    const DecodeResult d = decode(table, row, settings);
    const auto shown = lines(request.binary ? d.binary : d.hex);
    const std::string asked = normalisedLine(request.code);
    const bool same = !shown.empty() && d.errors.empty() &&
                      std::all_of(shown.begin(), shown.end(), [&](const std::string& l) {
                          return withoutBlanks(l) == withoutBlanks(asked);
                      });
    if (!same) {
        const auto errors = d.errorLines();
        refuse(row, "the signal made from its fields does not decode to this code (" +
                        (!errors.empty() ? errors.front()
                         : shown.empty() ? std::string("no code")
                                         : "it decodes as \"" + shown.front() + "\"") +
                        ")");
    }
    out.hex = lines(d.hex).front();

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
