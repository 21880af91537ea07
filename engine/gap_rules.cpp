// The gap-coded rules of the bit step: "MIS", whose details depend on the
// row's MisVariant, and "RCS16", eight two-bit symbols per step.
#include "engine/walk_context.h"

#include <cmath>

namespace qv::engine {

namespace {

double heldBits(const Walk& w) {
    return static_cast<double>(w.d.PartBits.size());
}

// "mis-runs": runs of zeros in long gaps, ones in short bursts or gaps.
void misRuns(Walk& w, int64_t t1, int64_t t2) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const Standard dataBits = f.whole("D"), customerBits = f.whole("C");
    if (dataBits && customerBits && heldBits(w) == *dataBits + *customerBits - 1) {
        w.d.PartBits += '0'; // the last bit is implied
        return;
    }
    const Standard zeroIdle = f.whole("zero_Idle"), oneIdle = f.whole("One_Idle");
    if (win.above(t1, oneIdle)) {
        if (win.matches(t1, zeroIdle)) {
            w.d.PartBits += '0';
        } else if (win.above(t1, zeroIdle)) {
            const double unit = *zeroIdle;
            if (unit == 0) throw WalkAborted("division by zero: zero_Idle is 0");
            // A demodulating receiver's gap is off by the jitter of many
            // cells either way: the gap after a one's burst holds the rest of
            // its cell and the nearest whole number of empty cells.
            const double zeros =
                w.settings.demodulated && oneIdle
                    ? std::max(1.0, std::nearbyint((static_cast<double>(t1) - *oneIdle) / unit))
                    : std::floor(static_cast<double>(t1) / unit);
            for (double i = 0; i < zeros; ++i)
                w.d.PartBits += '0';
        } else {
            return; // fits neither: nothing appended, nothing consumed
        }
        w.advance();
        w.addTime(static_cast<double>(t1));
        return;
    }
    // A one's burst, or the rest of its cell and the next one's burst. The
    // demodulated mode's wide windows take both lengths: it goes by whether
    // the time is a burst (odd columns) or a gap.
    const Standard oneOsc = f.whole("One_Osc");
    const bool atBurst = w.state.col % 2 == 1;
    const int k = !w.settings.demodulated ? gapSymbol(w, t1, {oneOsc, oneIdle})
                  : atBurst               ? (win.matches(t1, oneOsc) ? 0 : -1)
                                          : (win.matches(t1, oneIdle) ? 1 : -1);
    if (k == 0) {
        w.d.PartBits += '1';
        w.advance();
        w.addTime(static_cast<double>(t1));
    } else if (k == 1) {
        w.d.PartBits += '1';
        w.advance(2);
        w.addTime(static_cast<float>(t1) + static_cast<float>(t2));
    } else {
        w.stopAfter({ErrorSet::MisOneOsc, w.state.group, {f.shown("One_Osc"), timeText(t1)}});
    }
}

// "mis-triple-pair": one bit, then three checked pairs.
void misTriplePair(Walk& w, int64_t t2) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const int g = w.state.group;
    if (win.matches(t2, f.whole("One_Osc")))
        w.d.PartBits += '1';
    else if (win.matches(t2, f.whole("zero_Idle")))
        w.d.PartBits += '0';

    for (w.state.runCount = 1; w.state.runCount <= 3; ++w.state.runCount) {
        const int64_t a = w.cursorTime();
        int64_t b = w.nextTime();
        const Standard zeroOsc = f.whole("Zero_Osc"), zeroIdle = f.whole("zero_Idle");
        if (win.off(a, zeroOsc))
            if (w.stopAfter({ErrorSet::MisOsc, g, {f.shown("Zero_Osc"), timeText(a)}})) return;
        const Standard dataBits = f.whole("D");
        if ((dataBits && heldBits(w) < *dataBits && win.above(b, zeroIdle)) ||
            win.below(b, zeroOsc)) {
            if (w.stopAfter({ErrorSet::MisIdle, g, {timeText(b)}})) return;
        } else if (dataBits && heldBits(w) == *dataBits && win.above(b, zeroIdle)) {
            // The long gap after the last data bit belongs to the next part.
            w.stepBack();
            b = 0;
        }
        w.addTime(static_cast<float>(a) + static_cast<float>(b));
        w.advance(2);
    }
}

// Every other "MIS" row: one bit in the gap, and with "mis-extra-pair" an
// extra pair after a "1".
void misGap(Walk& w, int64_t t1, int64_t t2) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const int g = w.state.group;
    if (win.matches(t2, f.whole("One_Idle"))) {
        w.d.PartBits += '1';
        w.addTime(static_cast<float>(t1) + static_cast<float>(t2));
        w.advance(2);
    } else if (win.matches(t2, f.whole("zero_Idle"))) {
        w.d.PartBits += '0';
        w.addTime(static_cast<float>(t1) + static_cast<float>(t2));
        w.advance(2);
        return;
    } else if (w.stopAfter({ErrorSet::MisSecondIdle,
                            g,
                            {f.shown("zero_Idle"), f.shown("One_Idle"), timeText(t2)}})) {
        return;
    }

    if (w.quirks.mis != MisVariant::GapExtraPair) return;
    const int64_t a = w.cursorTime();
    int64_t b = w.nextTime();
    if (win.off(a, f.whole("Zero_Osc")))
        if (w.stopAfter({ErrorSet::MisOsc, g, {f.shown("Zero_Osc"), timeText(a)}})) return;
    const Standard dataBits = f.whole("D"), oneHL = f.whole("One_HL");
    const double held = heldBits(w);
    if ((dataBits && held < *dataBits - 1 && win.above(b, oneHL)) ||
        win.below(b, f.whole("One_Osc"))) {
        if (w.stopAfter({ErrorSet::MisExtraIdle, g, {f.shown("One_HL"), timeText(b)}})) return;
    } else if (dataBits && held == *dataBits && win.above(b, f.whole("zero_Idle"))) {
        w.stepBack();
        b = 0;
    } else if (dataBits && held == *dataBits - 1 && win.above(b, oneHL)) {
        w.d.PartBits += '0';
        w.stepBack();
        b = 0;
    }
    w.addTime(static_cast<float>(a) + static_cast<float>(b));
    w.advance(2);
}

} // namespace

void ruleMIS(Walk& w, int64_t t1, int64_t t2) {
    switch (w.quirks.mis) {
    case MisVariant::Runs:
        misRuns(w, t1, t2);
        break;
    case MisVariant::TriplePair:
        misTriplePair(w, t2);
        break;
    case MisVariant::Gap:
    case MisVariant::GapExtraPair:
        misGap(w, t1, t2);
        break;
    }
}

void ruleRCS16(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const int g = w.state.group;
    for (w.state.runCount = 1; w.state.runCount <= 8; ++w.state.runCount) {
        const int64_t gap = w.cursorTime(), burst = w.nextTime();
        const Standard gaps[] = {f.whole(kRcs16Symbols[0].gap), f.whole(kRcs16Symbols[1].gap),
                                 f.whole(kRcs16Symbols[2].gap), f.whole(kRcs16Symbols[3].gap)};
        int k = gapSymbol(w, gap, {gaps[0], gaps[1], gaps[2], gaps[3]});
        if (w.settings.demodulated && k >= 0) {
            // The wide windows take neighbouring gaps; the burst after the
            // gap, one unit or two, tells them apart too.
            auto misfit = [&](int i) {
                const Standard b =
                    kRcs16Symbols[i].secondGap ? f.whole("Zero_Osc") : 2.0 * f.whole("Zero_Osc");
                return std::abs(static_cast<double>(gap) - *gaps[i]) +
                       (b ? std::abs(static_cast<double>(burst) - *b) : 0.0);
            };
            for (int i = 0; i < 4; ++i)
                if (win.matches(static_cast<double>(gap), gaps[i]) && misfit(i) < misfit(k)) k = i;
        }
        const Rcs16Symbol* symbol = k >= 0 ? &kRcs16Symbols[k] : nullptr;
        if (!symbol) {
            if (w.stopAfter({ErrorSet::RcsSymbol, g, {timeText(gap)}})) return;
            continue; // the next round reads the same pair again
        }
        w.d.PartBits += symbol->bits;
        const Standard burstStandard =
            symbol->secondGap ? f.whole("Zero_Osc") : 2.0 * f.whole("Zero_Osc");
        if (win.off(burst, burstStandard))
            if (w.stopAfter({ErrorSet::RcsOsc, g, {timeText(burst)}})) return;
        w.addTime(static_cast<float>(gap) + static_cast<float>(burst));
        w.advance(2);
        if (!symbol->secondGap) continue;

        const int64_t gap2 = w.cursorTime(), burst2 = w.nextTime();
        if (win.off(gap2, f.whole(symbol->secondGap)))
            if (w.stopAfter({ErrorSet::RcsIdle, g, {timeText(gap2)}})) return;
        if (win.off(burst2, f.whole("Zero_Osc")))
            if (w.stopAfter({ErrorSet::RcsOsc, g, {timeText(burst2)}})) return;
        w.addTime(static_cast<float>(gap2) + static_cast<float>(burst2));
        w.advance(2);
    }
}

} // namespace qv::engine
