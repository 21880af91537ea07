// The bit step: one call reads the next bit or bits of the part being
// collected, checks the times it consumes and moves the read cursor.
#include "engine/walk_context.h"
#include "platform/basic.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace qv::engine {

namespace {

// Both times of a pair consumed: burst and gap.
void pairAdvance(Walk& w, int64_t t1, int64_t t2) {
    w.addTime(static_cast<float>(t1) + static_cast<float>(t2));
    w.advance(2);
}

// Run lengths: the time at the cursor is a run of "0" bits, the next a run
// of "1" bits. Errors skip the failing action and no timing is checked.
void ruleSE(Walk& w, int64_t t1, int64_t t2) {
    WalkState& s = w.state;
    std::string& bits = w.d.PartBits;
    Standard zero, total;
    try {
        zero = w.f.whole("Zero_Osc");
    } catch (const WalkAborted&) {
    }
    try {
        total = w.f.value("Bits");
    } catch (const WalkAborted&) {
    }
    // Without a positive bit time nothing can be read; the caller sees a
    // step without progress.
    if (!zero || *zero - 200 <= 0) return;
    const double bitTime = *zero - 200;

    auto fitsCounter = [](double v) {
        return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
    };
    // Returns true when the part is full and the step ends.
    auto run = [&](int64_t t, char bit) {
        // A demodulating receiver's run is off by the excess and the remote's
        // pace either way: it is read as the nearest whole number of bits.
        const double count = w.settings.demodulated ? std::nearbyint(static_cast<double>(t) / *zero)
                                                    : std::floor(static_cast<double>(t) / bitTime);
        if (fitsCounter(count))
            s.runCount = static_cast<int32_t>(count); // an overflow keeps the old count
        if (total && s.runCount > *total) {
            const double rest = std::nearbyint(*total - static_cast<double>(bits.size()));
            if (fitsCounter(rest)) s.runCount = static_cast<int32_t>(rest);
        } else if (s.runCount > 0) {
            w.addTime(static_cast<double>(t));
            w.advance();
        }
        for (int32_t i = 0; i < s.runCount; ++i) {
            bits += bit;
            if (total && static_cast<double>(bits.size()) == *total) return true;
        }
        return false;
    };
    if (run(t1, '0')) return;
    if (run(t2, '1')) return;
    if (s.runCount == 0) w.d.DecodeOK = false;
}

// Interval lengths: a short interval repeats the previous bit, a long one
// inverts it.
void ruleHL(Walk& w, int64_t t1, int64_t t2) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const Standard zeroOsc = f.whole("Zero_Osc"), zeroIdle = f.whole("zero_Idle");
    const Standard oneOsc = f.whole("One_Osc"), oneIdle = f.whole("One_Idle"), wait = f.whole("X");
    const int g = w.state.group;

    if (win.below(t1, oneIdle) && win.below(t1, wait) && t1 > 0) {
        if (win.below(t1, zeroOsc) || win.above(t1, zeroIdle))
            if (w.stopAfter({ErrorSet::ShortInterval, g, {f.shown("Zero_Osc"), timeText(t1)}}))
                return;
    } else if (win.above(t1, zeroIdle) && win.below(t1, wait)) {
        if (win.below(t1, oneOsc) || win.above(t1, oneIdle))
            if (w.stopAfter({ErrorSet::LongInterval, g, {f.shown("One_Idle"), timeText(t1)}}))
                return;
    } else if (t1 > 0 && !win.matches(t1, oneIdle)) {
        // A time past the wait inside a part: the frame has ended (or never
        // began) before the part is full.
        if (w.stopAfter({ErrorSet::LongInterval, g, {f.shown("One_Idle"), timeText(t1)}})) return;
    }

    const Standard startBits = f.whole("S_Bits");
    if (startBits && static_cast<double>(w.d.PartBits.size()) < *startBits - 1) {
        if (win.below(t2, oneIdle) && t2 > 0 && (win.below(t2, zeroOsc) || win.above(t2, zeroIdle)))
            if (w.stopAfter({ErrorSet::ShortInterval, g, {f.shown("Zero_Osc"), timeText(t2)}}))
                return;
    }

    const std::string previous = trimBlanks(w.d.CodeText) + w.d.PartBits;
    if (win.matches(t1, zeroOsc))
        w.d.PartBits += previous.empty() ? '0' : previous.back();
    else if (win.matches(t1, oneIdle))
        w.d.PartBits += previous.empty() ? "10" : (previous.back() == '1' ? "0" : "1");

    if (win.matches(t2, zeroIdle)) {
        w.advance();
        w.addTime(static_cast<double>(t2));
    }
    w.advance();
    w.addTime(static_cast<double>(t1));
}

// Burst lengths: the burst carries the bit.
void ruleRIB(Walk& w, int64_t t1, int64_t t2) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const int g = w.state.group;
    auto heldBits = [&] { return static_cast<double>(w.d.DataBits.size() + w.d.PartBits.size()); };
    const Standard total = f.value("Bits");

    // The gap after the last-but-one bit is taken to be standard.
    if (total && heldBits() == *total - 2) {
        t2 = wholePart(f.required("zero_Idle"));
        w.d.PairTime2 = static_cast<float>(t2);
    }
    const int bit = static_cast<int>(w.d.PartBits.size());
    const Standard zeroOsc = f.whole("Zero_Osc");
    Standard oneOsc;
    if (win.matches(t1, zeroOsc)) {
        w.d.PartBits += '0';
        w.note(ReadAs::BitBurst, 0, t1, zeroOsc, true, bit, "0");
    } else if (win.matches(t1, oneOsc = f.whole("One_Osc"))) {
        w.d.PartBits += '1';
        w.note(ReadAs::BitBurst, 0, t1, oneOsc, true, bit, "1");
    } else if (!w.note(ReadAs::BitBurst, 0, t1, std::nullopt, false, bit) &&
               w.stopAfter({ErrorSet::BurstBit,
                            g,
                            {f.shown("Zero_Osc"), f.shown("One_Osc"), timeText(t1)}}))
        return;

    const Standard wait = f.value("X");
    if (wait && static_cast<double>(t2) < *wait) {
        const Standard gap = f.whole("zero_Idle");
        w.note(ReadAs::BitGap, 1, t2, gap, !win.off(t2, gap), bit);
    }
    if (wait && static_cast<double>(t2) < *wait && win.off(t2, f.whole("zero_Idle")))
        if (w.stopAfter({ErrorSet::BurstGap, g, {f.shown("zero_Idle"), timeText(t2)}})) return;

    if ((total && heldBits() == *total - 1) || (wait && static_cast<double>(t2) > *wait)) {
        // Only the burst: the gap belongs to whatever follows.
        w.addTime(static_cast<double>(t1));
        w.advance();
        return;
    }
    pairAdvance(w, t1, t2);
}

// A four-level gap as a demodulating logger saw it. The burst and its gap
// are read together: their sum keeps no burst excess, and is off by less
// than one sampling step (both its edges fall on the logger's grid) and the
// remote's jitter. A sum is read as the nearest length only where no other
// length could have given it; where the lengths lie closer than that (RC-MM
// at 10 kHz) it is an error rather than a guess. -1 for none.
int demodulatedGapSymbol(const Walk& w, int64_t t1, int64_t t2, Standard burst,
                         const Standard (&gaps)[4]) {
    constexpr double kJitter = 0.04; // of a burst and gap's sum, from the remote
    if (!burst) return -1;
    const double sum = static_cast<double>(t1) + static_cast<double>(t2);
    int best = -1;
    double spacing = std::numeric_limits<double>::infinity();
    for (int i = 0; i < 4; ++i) {
        if (!gaps[i]) return -1;
        for (int j = 0; j < i; ++j)
            spacing = std::min(spacing, std::abs(*gaps[i] - *gaps[j]));
        if (best < 0 || std::abs(sum - *burst - *gaps[i]) < std::abs(sum - *burst - *gaps[best]))
            best = i;
    }
    const double length = *burst + *gaps[best];
    const double reach = std::min(spacing / 2, spacing - w.samplingStep - kJitter * length);
    return std::abs(sum - length) <= reach ? best : -1;
}

// Four gap lengths, two bits each.
void ruleDNA(Walk& w, int64_t t1, int64_t t2) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const int g = w.state.group;
    const int bit = static_cast<int>(w.d.PartBits.size());
    const Standard zeroOsc = f.whole("Zero_Osc");
    if (!w.note(ReadAs::BitBurst, 0, t1, zeroOsc, !win.off(t1, zeroOsc), bit))
        if (w.stopAfter({ErrorSet::ZeroOsc, g, {f.shown("Zero_Osc"), timeText(t1)}})) return;

    static const std::pair<const char*, const char*> symbols[] = {
        {"zero_Idle", "00"}, {"zero_HL", "01"}, {"One_Idle", "10"}, {"One_HL", "11"}};
    const Standard gaps[] = {f.whole(symbols[0].first), f.whole(symbols[1].first),
                             f.whole(symbols[2].first), f.whole(symbols[3].first)};
    const int k = w.settings.demodulated ? demodulatedGapSymbol(w, t1, t2, zeroOsc, gaps)
                                         : gapSymbol(w, t2, {gaps[0], gaps[1], gaps[2], gaps[3]});
    const bool found = k >= 0;
    if (found) {
        const auto& [field, symbol] = symbols[k];
        w.d.PartBits += symbol;
        w.note(ReadAs::BitGap, 1, t2, f.whole(field), true, bit, symbol);
    }
    if (!found && !w.note(ReadAs::BitGap, 1, t2, std::nullopt, false, bit) &&
        w.stopAfter(
            {ErrorSet::ZeroOneIdle, g, {f.shown("zero_Idle"), f.shown("One_Idle"), timeText(t2)}}))
        return;
    pairAdvance(w, t1, t2);
}

// Every other coding type: one bit in each gap.
void ruleCommon(Walk& w, int64_t t1, int64_t t2) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const int g = w.state.group;
    const int bit = static_cast<int>(w.d.PartBits.size());
    using BitTime = FormatFields::BitTime;
    const Standard zeroOsc = f.bitTime(BitTime::ZeroOsc);
    if (!w.note(ReadAs::BitBurst, 0, t1, zeroOsc, !win.off(t1, zeroOsc), bit))
        if (w.stopAfter({ErrorSet::ZeroOsc, g, {f.shown("Zero_Osc"), timeText(t1)}})) return;

    const Standard zeroIdle = f.bitTime(BitTime::ZeroIdle);
    Standard oneIdle;
    // The demodulated mode's wide windows may take both (ITT's 90 and
    // 190 us): it reads the nearest.
    const bool nearerOne = w.settings.demodulated && win.matches(t2, zeroIdle) &&
                           gapSymbol(w, t2, {zeroIdle, oneIdle = f.bitTime(BitTime::OneIdle)}) == 1;
    if (!nearerOne && win.matches(t2, zeroIdle)) {
        w.d.PartBits += '0';
        w.note(ReadAs::BitGap, 1, t2, zeroIdle, true, bit, "0");
    } else if (win.matches(t2, oneIdle = f.bitTime(BitTime::OneIdle))) {
        w.d.PartBits += '1';
        w.note(ReadAs::BitGap, 1, t2, oneIdle, true, bit, "1");
    } else if (!w.note(ReadAs::BitGap, 1, t2, std::nullopt, false, bit) &&
               w.stopAfter({ErrorSet::ZeroOneIdle,
                            g,
                            {f.shown("zero_Idle"), f.shown("One_Idle"), timeText(t2)}}))
        return;
    pairAdvance(w, t1, t2);
}

} // namespace

void readByRule(Walk& w, int64_t t1, int64_t t2);

CodingRule codingRuleOf(std::string_view type) {
    if (type == "SE") return CodingRule::RunLengths;
    if (type == "MIS") return CodingRule::Mis;
    if (type == "RCS16") return CodingRule::Rcs16;
    if (type == "HL") return CodingRule::Intervals;
    if (type == "RIB") return CodingRule::Bursts;
    if (type == "DNA") return CodingRule::FourGaps;
    return CodingRule::Gaps; // every other type codes one bit in each gap
}

void readIRData(Walk& w) {
    const int64_t first = w.cursorTime();
    if (first == 0 || first == kEndOfSignal) {
        w.d.DecodeOK = false; // the capture has run out
        if (!w.ranOut) w.ranOut = {w.state.group, first};
        return;
    }
    const int64_t t1 = first, t2 = w.nextTime();
    w.d.PairTime1 = static_cast<float>(t1);
    w.d.PairTime2 = static_cast<float>(t2);

    const size_t notesBefore = w.out.annotations.size();
    const size_t bitsBefore = w.d.PartBits.size();
    const long atRow = w.state.row;
    const int16_t atCol = w.state.col, atGroup = w.state.group;
    readByRule(w, t1, t2);
    if (w.settings.annotate && w.out.annotations.size() == notesBefore &&
        (w.state.row != atRow || w.state.col != atCol)) {
        // Rules that judge their times in their own way: the first time, and the bits it gave.
        Annotation a;
        a.row = atRow;
        a.col = atCol;
        a.measured = t1;
        a.as = atCol % 2 == 1 ? ReadAs::BitBurst : ReadAs::BitGap;
        a.part = w.part;
        a.group = atGroup;
        a.bit = static_cast<int>(bitsBefore);
        if (w.d.PartBits.size() > bitsBefore) a.bits = w.d.PartBits.substr(bitsBefore);
        a.pass = w.d.DecodeOK;
        w.out.annotations.push_back(std::move(a));
    }
}

void readByRule(Walk& w, int64_t t1, int64_t t2) {
    if (!w.codingRule) w.codingRule = codingRuleOf(w.f.text("Type"));
    switch (*w.codingRule) {
    case CodingRule::RunLengths:
        ruleSE(w, t1, t2);
        break;
    case CodingRule::Mis:
        ruleMIS(w, t1, t2);
        break;
    case CodingRule::Rcs16:
        ruleRCS16(w);
        break;
    case CodingRule::Intervals:
        ruleHL(w, t1, t2);
        break;
    case CodingRule::Bursts:
        ruleRIB(w, t1, t2);
        break;
    case CodingRule::FourGaps:
        ruleDNA(w, t1, t2);
        break;
    case CodingRule::Gaps:
        ruleCommon(w, t1, t2);
        break;
    }
}

} // namespace qv::engine
