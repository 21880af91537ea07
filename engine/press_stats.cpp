#include "engine/press_stats.h"

#include "engine/walk_context.h"
#include "platform/basic.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace qv::engine {

namespace {

// The bits a bit burst stands for: a gap-coded bit learns them from its gap.
std::string burstBits(const std::vector<Annotation>& notes, size_t i) {
    const Annotation& a = notes[i];
    if (!a.bits.empty() || i + 1 >= notes.size()) return a.bits;
    const Annotation& b = notes[i + 1];
    if (b.as == ReadAs::BitGap && b.group == a.group && b.part == a.part && b.bit == a.bit)
        return b.bits;
    return {};
}

} // namespace

const std::vector<std::string>& timeKinds() {
    static const std::vector<std::string> kinds = {"head burst",
                                                   "head gap",
                                                   "second head burst",
                                                   "repeat head burst",
                                                   "repeat head gap",
                                                   "0 burst",
                                                   "0 gap",
                                                   "1 burst",
                                                   "1 gap",
                                                   "00 gap",
                                                   "01 gap",
                                                   "10 gap",
                                                   "11 gap",
                                                   "half-bit",
                                                   "bit burst",
                                                   "bit gap",
                                                   "toggle",
                                                   "fixed time",
                                                   "stop bit burst",
                                                   "stop bit gap",
                                                   "end bit",
                                                   "cycle",
                                                   "carrier frequency"};
    return kinds;
}

std::vector<TimeSample> timeSamples(const DecodeResult& result, const FormatRow& row,
                                    std::optional<double> carrierKHz) {
    std::vector<TimeSample> out;
    const FieldValue* type = row.find("Type");
    const bool biphase = type && codingRuleOf(trimBlanks(type->toText())) == CodingRule::Intervals;
    const FieldValue* half = row.find("Zero_Osc");
    const double halfBit = half ? half->toNumber().value_or(0) : 0;
    const auto& notes = result.annotations;
    out.reserve(notes.size() + 1);
    for (size_t i = 0; i < notes.size(); ++i) {
        const Annotation& a = notes[i];
        TimeSample s{readAsName(a.as), static_cast<double>(a.measured), a.standard, true};
        const bool bitTime = a.as == ReadAs::BitBurst || a.as == ReadAs::BitGap;
        if (bitTime && biphase && halfBit > 0) {
            // A bi-phase time is one or two half-bits long.
            const double halves = std::max(1.0, std::round(s.measured / halfBit));
            s = {"half-bit", s.measured / halves, halfBit, true};
        } else if (bitTime) {
            const std::string bits = a.as == ReadAs::BitBurst ? burstBits(notes, i) : a.bits;
            if (!bits.empty()) s.kind = bits + (a.as == ReadAs::BitBurst ? " burst" : " gap");
        }
        if (a.as == ReadAs::GroupEnd || a.as == ReadAs::FixedTime) s.windowed = false;
        out.push_back(std::move(s));
    }
    if (carrierKHz && *carrierKHz > 0) {
        const FieldValue* period = row.find("CF_T");
        const double p = period ? period->toNumber().value_or(0) : 0;
        TimeSample carrier{"carrier frequency", *carrierKHz, std::nullopt, false};
        if (p > 0) carrier.standard = 1000.0 / p;
        out.push_back(carrier);
    }
    return out;
}

PressRecord pressRecord(const DecodeResult& result, const FormatRow& row,
                        std::optional<double> carrierKHz) {
    PressRecord r;
    r.format = row.key();
    std::string line = result.hex.substr(0, result.hex.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    r.code = trimBlanks(line);
    r.samples = timeSamples(result, row, carrierKHz);
    r.clean = !r.code.empty() && result.errors.empty();
    return r;
}

std::optional<double> KindStats::deviationUs() const {
    if (!standard || count == 0) return std::nullopt;
    return mean - *standard;
}

std::optional<double> KindStats::deviationPercent() const {
    if (!standard || *standard == 0 || count == 0) return std::nullopt;
    return (mean - *standard) / *standard * 100.0;
}

std::vector<PressGroupStats> pressStatistics(const std::vector<PressRecord>& presses) {
    std::vector<PressGroupStats> groups;
    std::vector<std::map<std::string, std::vector<const TimeSample*>>> byKind;
    for (const auto& p : presses) {
        auto g = std::find_if(groups.begin(), groups.end(), [&](const PressGroupStats& s) {
            return s.format == p.format && s.code == p.code;
        });
        if (g == groups.end()) {
            PressGroupStats fresh;
            fresh.format = p.format;
            fresh.code = p.code;
            groups.push_back(std::move(fresh));
            byKind.emplace_back();
            g = groups.end() - 1;
        }
        auto& kinds = byKind[static_cast<size_t>(g - groups.begin())];
        ++g->presses;
        g->clean += p.clean;
        for (const auto& s : p.samples) {
            kinds[s.kind].push_back(&s);
            if (!s.standard || *s.standard <= 0) continue;
            const double off = std::abs(s.measured - *s.standard);
            if (s.kind == "cycle")
                g->cycleUs = std::max(g->cycleUs, off);
            else if (s.windowed) {
                g->absoluteUs = std::max(g->absoluteUs, off);
                g->tolerancePercent = std::max(g->tolerancePercent, off / *s.standard * 100.0);
            }
        }
    }
    for (size_t i = 0; i < groups.size(); ++i) {
        for (const auto& kind : timeKinds()) {
            const auto found = byKind[i].find(kind);
            if (found == byKind[i].end()) continue;
            const auto& samples = found->second;
            KindStats k;
            k.kind = kind;
            k.count = static_cast<int>(samples.size());
            std::vector<double> values;
            std::map<double, int> standards;
            for (const TimeSample* s : samples) {
                values.push_back(s->measured);
                if (s->standard) ++standards[*s->standard];
            }
            double sum = 0;
            for (double v : values)
                sum += v;
            k.mean = sum / static_cast<double>(values.size());
            double squares = 0;
            for (double v : values)
                squares += (v - k.mean) * (v - k.mean);
            k.sd =
                values.size() > 1 ? std::sqrt(squares / static_cast<double>(values.size() - 1)) : 0;
            k.min = *std::min_element(values.begin(), values.end());
            k.max = *std::max_element(values.begin(), values.end());
            int most = 0;
            for (const auto& [standard, n] : standards)
                if (n > most) {
                    most = n;
                    k.standard = standard;
                }
            groups[i].kinds.push_back(k);
            groups[i].values.push_back(std::move(values));
        }
    }
    return groups;
}

} // namespace qv::engine
