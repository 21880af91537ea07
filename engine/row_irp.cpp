#include "engine/row_irp.h"

#include "engine/generate.h"
#include "engine/walk_context.h"
#include "platform/basic.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

namespace qv::engine {

namespace {

struct Refusal {
    std::string field, why;
};

[[noreturn]] void refuse(std::string field, std::string why) {
    throw Refusal{std::move(field), std::move(why)};
}

std::optional<double> number(const FormatRow& row, const char* name) {
    const FieldValue* v = row.find(name);
    return v ? v->toNumber() : std::nullopt;
}

std::string text(const FormatRow& row, const char* name) {
    const FieldValue* v = row.find(name);
    return v ? trimBlanks(v->toText()) : std::string();
}

bool isNone(const FormatRow& row, const char* name) {
    return text(row, name) == "---";
}

// A duration as IRP writes it (the unit is one microsecond).
std::string us(double t) {
    std::string s = fixedText(t, std::abs(t - std::round(t)) < 1e-6 ? 0 : 2);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

// The same refusals the generator makes, in IRP's words.
double time(const FormatRow& row, const char* name) {
    const auto v = number(row, name);
    if (!v || *v <= 0) refuse(name, "holds no time to send");
    return *v;
}

int count(const FormatRow& row, const char* name) {
    const auto v = number(row, name);
    if (!v) return 0;
    if (*v < 0 || *v > 63) refuse(name, "is no bit count an IRP parameter can hold (0 to 63)");
    return static_cast<int>(*v);
}

std::vector<std::vector<std::string>> groupsOf(const std::string& stru) {
    std::vector<std::vector<std::string>> groups(1);
    size_t p = 0;
    while (p <= stru.size()) {
        size_t e = stru.find(',', p);
        if (e == std::string::npos) e = stru.size();
        const std::string t = trimBlanks(std::string_view(stru).substr(p, e - p));
        if (t == "X")
            groups.emplace_back();
        else if (!t.empty())
            groups.back().push_back(t);
        p = e + 1;
    }
    if (groups.back().empty()) groups.pop_back();
    return groups;
}

// A code part's parameter name and bit count; nullopt for a token of times.
std::optional<std::pair<std::string, int>> partOf(const FormatRow& row, const std::string& t) {
    if (t == "S") return std::pair{std::string("S"), count(row, "S_Bits")};
    if (t == "C") return std::pair{std::string("C"), count(row, "C")};
    if (t == "~C") return std::pair{std::string("RC"), count(row, "R_C")};
    if (t == "D") return std::pair{std::string("D"), count(row, "D")};
    if (t == "~D") return std::pair{std::string("RD"), count(row, "R_D")};
    if (t == "P") return std::pair{std::string("P"), count(row, "T")};
    if (t == "T") {
        if (number(row, "T_Time").value_or(0) != 0)
            refuse("T_Time", "a toggle sent as a time is no bit field");
        return std::pair{std::string("T"), count(row, "T")};
    }
    if (t == "F") {
        if (number(row, "Fix_Time").value_or(0) != 0)
            refuse("Fix_Time", "a fixed part sent as a time is no bit field");
        return std::pair{std::string("F"), count(row, "F")};
    }
    if (t == "H" || t == "H2" || t == "E" || t == "B0") return std::nullopt;
    refuse("stru", "the structure's token \"" + t + "\" has no IRP form");
}

// The bit alternatives of the row's coding rule; the second value is how many bits
// a symbol takes.
std::string bitAlternatives(const FormatRow& row) {
    auto pair = [&](const char* burst, const char* gap) {
        return us(time(row, burst)) + ",-" + us(time(row, gap));
    };
    switch (codingRuleOf(text(row, "Type"))) {
    case CodingRule::Gaps:
        return "<" + pair("Zero_Osc", "zero_Idle") + "|" + pair("One_Osc", "One_Idle") + ">";
    case CodingRule::Bursts:
        return "<" + pair("Zero_Osc", "zero_Idle") + "|" + pair("One_Osc", "zero_Idle") + ">";
    case CodingRule::FourGaps:
        return "<" + pair("Zero_Osc", "zero_Idle") + "|" + pair("Zero_Osc", "zero_HL") + "|" +
               pair("Zero_Osc", "One_Idle") + "|" + pair("Zero_Osc", "One_HL") + ">";
    case CodingRule::Intervals:
        refuse("Type", "a bi-phase row's fields do not say which half of a bit is the burst, "
                       "nor its trailer's value: the generator finds them by reading the "
                       "signal back with the row's decode");
    case CodingRule::RunLengths:
        refuse("Type", "a run of equal bits is cut at the middle of its window, a length that "
                       "depends on the run and no bit alternatives give");
    case CodingRule::Rcs16: {
        const std::string b = us(time(row, "Zero_Osc")), b2 = us(2 * time(row, "Zero_Osc"));
        std::string out;
        for (const char* bits : {"00", "01", "10", "11"})
            for (const auto& s : kRcs16Symbols) {
                if (std::string(s.bits) != bits) continue;
                out += out.empty() ? "<" : "|";
                out += "-" + us(time(row, s.gap)) + "," +
                       (s.secondGap ? b + ",-" + us(time(row, s.secondGap)) + "," + b : b2);
            }
        return out + ">";
    }
    case CodingRule::Mis: {
        const std::string burst = us(time(row, "Zero_Osc"));
        switch (quirksOf(row).mis) {
        case MisVariant::Runs:
            return "<-" + us(time(row, "zero_Idle")) + "|" + pair("One_Osc", "One_Idle") + ">";
        case MisVariant::TriplePair: {
            const double zeroGap = time(row, "zero_Idle"), shortGap = time(row, "One_Idle");
            const double tail = zeroGap - time(row, "Zero_Osc") - shortGap;
            if (tail <= 0) refuse("One_Idle", "its 1 symbol does not fit in a 0 symbol's time");
            const std::string zero = burst + ",-" + us(zeroGap);
            const std::string one = burst + ",-" + us(shortGap) + "," + burst + ",-" + us(tail);
            return "<" + zero + "," + one + "|" + one + "," + zero + ">";
        }
        case MisVariant::Gap:
            return "<" + burst + ",-" + us(time(row, "zero_Idle")) + "|" + burst + ",-" +
                   us(time(row, "One_Idle")) + ">";
        case MisVariant::GapExtraPair:
            return "<" + burst + ",-" + us(time(row, "zero_Idle")) + "|" + burst + ",-" +
                   us(time(row, "One_Idle")) + "," + burst + ",-" + us(time(row, "One_HL")) + ">";
        }
    }
    }
    refuse("Type", "no coding rule of this name");
}

std::string head(const FormatRow& row) {
    const int heads = std::max(1, count(row, "H_Bits"));
    const bool second = number(row, "HB2_Osc").value_or(0) != 0;
    const CodingRule rule = codingRuleOf(text(row, "Type"));
    std::string out;
    auto add = [&](const std::string& s) { out += (out.empty() ? "" : ",") + s; };
    for (int k = 1; k <= heads; ++k) {
        if (second && k % 2 == 0) {
            add(us(time(row, "HB2_Osc")));
            if (number(row, "HB2_Idle").value_or(0) > 0) {
                add("-" + us(time(row, "HB2_Idle")));
            } else if (rule == CodingRule::Mis) {
                const double tail = time(row, "Zero_Osc") + time(row, "zero_Idle") -
                                    time(row, "H_Osc") - time(row, "H_Idle") - time(row, "HB2_Osc");
                if (tail <= 0) refuse("HB2_Osc", "its second head burst leaves no gap");
                add("-" + us(tail));
            } else {
                time(row, "HB2_Idle");
            }
        } else {
            add(us(time(row, "H_Osc")) + ",-" + us(time(row, "H_Idle")));
        }
    }
    if (rule == CodingRule::Rcs16) add(us(time(row, "HB2_Osc")));
    return out;
}

std::string frame(const FormatRow& row, const std::vector<std::string>& group,
                  const std::map<std::string, std::pair<std::string, int>>& parts) {
    std::string out;
    auto add = [&](const std::string& s) {
        if (!s.empty()) out += (out.empty() ? "" : ",") + s;
    };
    for (const auto& t : group) {
        if (t == "H") {
            add(head(row));
        } else if (t == "H2") {
            add(us(time(row, "G2H_Osc")) + ",-" + us(time(row, "G2H_Idle")));
        } else if (t == "E") {
            if (isNone(row, "E_Osc")) continue;
            add(us(time(row, "E_Osc")));
            if (!isNone(row, "E_Idle") && number(row, "E_Idle").value_or(0) != 0)
                add("-" + us(time(row, "E_Idle")));
        } else if (t == "B0") {
            add(us(time(row, "b_end")));
        } else {
            const auto found = parts.find(t);
            if (found == parts.end() || found->second.second == 0) continue;
            add(found->second.first + ":" + std::to_string(found->second.second));
        }
    }
    return out;
}

RowIrp build(const FormatRow& row) {
    if (!row.present()) refuse("Format", "no such format row");
    if (isLearningRow(row)) refuse("Format", "a learning row takes its times from a capture");
    if (isPlaceholderRow(row)) refuse("Remark", "a placeholder row is no format to send");
    if (composesOwnCodeLine(row))
        refuse("Format", "its code line is composed by a rule of its own, not from bit fields");
    if (quirksOf(row).openData)
        refuse("D", "its data part has no fixed length; an IRP bit field has one");
    const auto groups = groupsOf(text(row, "stru"));
    if (groups.empty()) refuse("stru", "the row has no structure to send");

    RowIrp out;
    std::map<std::string, std::pair<std::string, int>> parts;
    for (const auto& g : groups) {
        for (const auto& t : g)
            if (const auto p = partOf(row, t)) {
                parts[t] = *p;
                out.parameters.emplace_back(t, p->first);
            }
        if (!out.parameters.empty()) break;
    }
    const CodingRule rule = codingRuleOf(text(row, "Type"));
    const bool msb = text(row, "convert") != "Y";
    const std::string bits = bitAlternatives(row);
    if (rule == CodingRule::FourGaps || rule == CodingRule::Rcs16)
        for (const auto& [token, p] : parts)
            if (p.second % 2)
                refuse(token, "a part of an odd bit count is not sent two bits a symbol");

    const double cycle = number(row, "T1").value_or(0);
    const double laterCycle = number(row, "G2_T").value_or(0);
    const double leadOut = frameGapOf(row);
    auto closed = [&](const std::vector<std::string>& g, bool later) {
        const std::string body = frame(row, g, parts);
        if (body.empty()) refuse("stru", "a group of the structure sends nothing");
        double period = later && laterCycle > 0 ? laterCycle : cycle;
        if (period > 0 && quirksOf(row).headOutsideCycle)
            for (const auto& t : g)
                if (t == "H") period += time(row, "H_Osc") + time(row, "H_Idle");
        return body + "," + (period > 0 ? "^" + us(period) : "-" + us(leadOut));
    };
    const size_t frames =
        std::max(groups.size(),
                 static_cast<size_t>(std::clamp(number(row, "G_count").value_or(0), 0.0, 50.0)));
    std::string stream;
    for (size_t k = 0; k < frames; ++k)
        stream +=
            (stream.empty() ? "" : ",") + closed(groups[std::min(k, groups.size() - 1)], k > 0);
    stream += ",(" + closed(groups.back(), true) + ")*";

    const double period = number(row, "CF_T").value_or(0);
    const std::string carrier = fixedText(period > 0 ? 1000.0 / period : 0.0, 1) + "k";
    std::string ranges;
    for (const auto& [token, name] : out.parameters) {
        const int n = parts.at(token).second;
        if (n == 0) continue;
        ranges +=
            (ranges.empty() ? "[" : ",") + name + ":0.." + std::to_string((int64_t{1} << n) - 1);
    }
    out.irp = std::string("{") + carrier + ",1," + (msb ? "msb" : "lsb") + "}" + bits + "(" +
              stream + ")" + (ranges.empty() ? "" : ranges + "]");
    return out;
}

} // namespace

RowIrp rowIrp(const FormatRow& row) {
    try {
        return build(row);
    } catch (const Refusal& r) {
        RowIrp out;
        out.field = r.field;
        out.why = r.why;
        return out;
    }
}

std::optional<std::vector<std::pair<std::string, int64_t>>>
rowIrpParameters(const FormatRow& row, const RowIrp& irp, const std::string& code) {
    std::string digits;
    for (char c : code)
        if (!std::isspace(static_cast<unsigned char>(c))) digits += c;
    std::vector<std::pair<std::string, int64_t>> out;
    size_t at = 0;
    for (const auto& [token, name] : irp.parameters) {
        int n = 0;
        try {
            const auto p = partOf(row, token);
            n = p ? p->second : 0;
        } catch (const Refusal&) {
            return std::nullopt;
        }
        const size_t width = static_cast<size_t>((n + 3) / 4);
        if (at + width > digits.size()) return std::nullopt;
        int64_t v = 0;
        for (size_t i = 0; i < width; ++i) {
            const char c =
                static_cast<char>(std::toupper(static_cast<unsigned char>(digits[at + i])));
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0) return std::nullopt;
            v = v * 16 + d;
        }
        at += width;
        if ((v >> n) != 0) return std::nullopt;
        if (n > 0) out.emplace_back(name, v);
    }
    if (at != digits.size()) return std::nullopt;
    return out;
}

} // namespace qv::engine
