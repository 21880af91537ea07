#include "analysis/analysis.h"
#include "analysis/analysis_internal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace qv::analysis {

const char* codingName(Coding coding) {
    switch (coding) {
    case Coding::PulseDistance:
        return "pulse-distance";
    case Coding::PulseWidth:
        return "pulse-width";
    case Coding::BiPhase:
        return "bi-phase";
    case Coding::PulsePosition:
        return "pulse-position";
    case Coding::RunLength:
        break;
    }
    return "run-length";
}

int Shape::bitCount() const {
    int n = 0;
    for (const Item& item : items)
        if (item.kind == Item::Bits) n += item.bits;
    return n;
}

int Result::bits() const {
    int n = 0;
    for (const auto* part : {&intro, &ending})
        for (const Shape& s : *part)
            n += s.bitCount();
    return n;
}

int Result::frameBits() const {
    int n = 0;
    for (const auto* part : {&intro, &ending})
        for (const Shape& s : *part)
            n = std::max(n, s.bitCount());
    return n;
}

Classes classify(const std::vector<double>& times, double grain) {
    Classes c;
    c.of.assign(times.size(), -1);
    if (times.empty()) return c;
    std::vector<size_t> order(times.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return times[a] < times[b]; });
    // Runs of sorted times without a jump; then neighbouring runs closer than
    // any two symbol times of a real code are one class (jitter and a
    // sampling grid leave holes inside a class).
    std::vector<std::pair<size_t, size_t>> runs; // [begin, end) in order
    size_t begin = 0;
    for (size_t k = 1; k <= order.size(); ++k) {
        if (k == order.size() || (times[order[k]] > times[order[k - 1]] * 1.10 + 40 &&
                                  times[order[k]] > times[order[k - 1]] + 1.01 * grain)) {
            runs.push_back({begin, k});
            begin = k;
        }
    }
    auto meanOf = [&](std::pair<size_t, size_t> r) {
        double sum = 0;
        for (size_t k = r.first; k < r.second; ++k)
            sum += times[order[k]];
        return sum / static_cast<double>(r.second - r.first);
    };
    for (;;) {
        size_t best = runs.size();
        double bestRatio = 1.22;
        for (size_t k = 0; k + 1 < runs.size(); ++k) {
            const double ratio = meanOf(runs[k + 1]) / std::max(1.0, meanOf(runs[k]));
            if (ratio < bestRatio) {
                bestRatio = ratio;
                best = k;
            }
        }
        if (best == runs.size()) break;
        runs[best].second = runs[best + 1].second;
        runs.erase(runs.begin() + static_cast<long>(best) + 1);
    }
    for (size_t r = 0; r < runs.size(); ++r) {
        c.means.push_back(meanOf(runs[r]));
        for (size_t k = runs[r].first; k < runs[r].second; ++k)
            c.of[order[k]] = static_cast<int>(r);
    }
    return c;
}

namespace {

// A press read as whole units within this many units per time, on average;
// excesses within the margin of the best fit as well.
constexpr double kMisfitFits = 0.03, kMisfitMargin = 0.005;
// Times this far from whole units on average are not read as whole units.
constexpr double kMisfitBetween = 0.045;
// Times this far from whole units of the shortest burst at every excess are
// read at a smaller unit; nearer, a smaller unit is only a looser reading.
constexpr double kMisfitNone = 0.12;
// Receivers' bursts run from a little short (a fast output stage) to 250 us
// long.
constexpr double kLeastExcess = -100, kMostExcess = 250;
// The burst excess of a typical receiver, to choose between fits.
constexpr double kTypicalExcess = 100;

// The mean of the shortest class holding at least a twentieth of the times.
double shortestCommon(const std::vector<double>& times, double grain = 1) {
    if (times.empty()) return 0;
    const Classes c = classify(times, grain);
    std::vector<size_t> count(c.means.size());
    for (int k : c.of)
        ++count[static_cast<size_t>(k)];
    for (size_t k = 0; k < c.means.size(); ++k)
        if (count[k] * 20 >= times.size()) return c.means[k];
    return c.means.front();
}

struct ClassCount {
    double mean;
    size_t count;
};

std::vector<ClassCount> counted(const Classes& c) {
    std::vector<ClassCount> out;
    for (double m : c.means)
        out.push_back({m, 0});
    for (int k : c.of)
        ++out[static_cast<size_t>(k)].count;
    return out;
}

// How far the classes lie from whole units once the excess is taken off
// (the shortest burst this many units): the mean deviation per time, in
// units (a small unit fits any time in relative terms).
double unitMisfit(const std::vector<ClassCount>& marks, const std::vector<ClassCount>& spaces,
                  double excess, int shortestUnits = 1) {
    const double unit = (marks.front().mean - excess) / shortestUnits;
    if (unit < 20) return 1;
    double sum = 0, n = 0;
    for (int sign : {1, -1})
        for (const ClassCount& c : sign > 0 ? marks : spaces) {
            const double t = c.mean - sign * excess;
            if (t <= 0) return 1;
            const double units = std::max(1.0, std::round(t / unit));
            sum += static_cast<double>(c.count) * std::abs(t / unit - units);
            n += static_cast<double>(c.count);
        }
    return n > 0 ? sum / n : 1;
}

} // namespace

double estimateExcess(const std::vector<int64_t>& times, double grain) {
    std::vector<double> marks, spaces;
    for (size_t i = 0; i < times.size(); ++i)
        (i % 2 ? spaces : marks).push_back(static_cast<double>(times[i]));
    if (marks.size() < 4 || spaces.size() < 4) return 0;
    const double e = (shortestCommon(marks, grain) - shortestCommon(spaces, grain)) / 2;
    return e > 15 && e <= 250 ? e : 0;
}

std::optional<double> wholeUnitExcess(const std::vector<Press>& presses, double grain,
                                      std::vector<AlikeReading>* alike) {
    std::vector<double> marks, spaces;
    for (const Press& p : presses)
        for (size_t i = 0; i < p.times.size(); ++i)
            (i % 2 ? spaces : marks).push_back(static_cast<double>(p.times[i]));
    if (marks.size() < 4 || spaces.size() < 4) return std::nullopt;
    const Classes markClassing = classify(marks, grain);
    const std::vector<ClassCount> markClasses = counted(markClassing);
    const double shortest = markClasses.front().mean;
    // The frames' lead-outs are no symbols.
    std::vector<double> inner;
    for (double s : spaces)
        if (s < std::max(20 * shortest, 5000.0)) inner.push_back(s);
    if (inner.size() < 4) return std::nullopt;
    const Classes spaceClassing = classify(inner, grain);
    // Bursts alike to the microsecond were not measured through a
    // demodulating receiver, which always jitters: a rendering's or a
    // carrier logger's times keep what they hold, and where every class
    // of bursts and gaps is one time over a press of a dozen symbols or
    // more (a receiver's grid leaves two a class, its edges falling at
    // every phase, unless it sampled only a few), they hold no excess.
    // The largest spread of a class's times, over the first `classes`.
    auto spread = [](const std::vector<double>& times, const Classes& c, size_t classes) {
        std::vector<double> low(c.means.size(), 1e18), high(c.means.size(), 0);
        for (size_t i = 0; i < times.size(); ++i) {
            const auto k = static_cast<size_t>(c.of[i]);
            low[k] = std::min(low[k], times[i]);
            high[k] = std::max(high[k], times[i]);
        }
        double most = 0;
        for (size_t k = 0; k < std::min(classes, c.means.size()); ++k)
            most = std::max(most, high[k] - low[k]);
        return most;
    };
    constexpr size_t kAll = std::numeric_limits<size_t>::max();
    if (spread(marks, markClassing, 1) <= 1)
        return marks.size() + inner.size() >= 24 && spread(marks, markClassing, kAll) <= 1 &&
                       spread(inner, spaceClassing, kAll) <= 1
                   ? std::optional<double>(0)
                   : std::nullopt;
    const std::vector<ClassCount> spaceClasses = counted(spaceClassing);
    // The shortest burst and gap alike already read the press as whole
    // units (its shortest burst may be several: <2,-12|7,-7>).
    double e = (shortestCommon(marks, grain) - shortestCommon(inner, grain)) / 2;
    if (!(e > 15 && e <= 250)) e = 0;
    double atE = 1;
    // Counted in the shortest burst's measure: a unit a few times smaller
    // reads any time as nearly whole.
    for (int units = 1; units <= 4; ++units)
        atE = std::min(atE, units * unitMisfit(markClasses, spaceClasses, e, units));
    // The shortest burst as one unit first; as several only where no excess
    // comes near reading it as one (<2,-2|3,-1>: 3 is no multiple of 2).
    std::vector<double> misfit;
    double best = 1;
    int shortestUnits = 1;
    for (int units = 1; units <= 4 && best > (units == 1 ? kMisfitFits : kMisfitNone); ++units) {
        std::vector<double> at;
        for (double x = kLeastExcess; x <= kMostExcess; x += 1)
            at.push_back(unitMisfit(markClasses, spaceClasses, x, units));
        const double least = *std::min_element(at.begin(), at.end());
        if (least < best) {
            best = least;
            misfit = std::move(at);
            shortestUnits = units;
        }
    }
    if (best > kMisfitFits || atE <= std::max(best + kMisfitMargin, kMisfitBetween))
        return std::nullopt;
    // Several excesses can fit (a unit of 264 us at 100 us, or 352 at 12):
    // the one nearest the estimate, else nearest what receivers show.
    const double near = e > 0 ? e : kTypicalExcess;
    auto excessAt = [](size_t k) { return kLeastExcess + static_cast<double>(k); };
    auto fits = [&](size_t k) { return misfit[k] <= best + kMisfitMargin; };
    double pick = e, pickDistance = 1e9;
    for (size_t k = 0; k < misfit.size(); ++k)
        if (fits(k) && std::abs(excessAt(k) - near) < pickDistance) {
            pick = excessAt(k);
            pickDistance = std::abs(excessAt(k) - near);
        }
    // The others, each the closest fit of a run of excesses, whose unit is
    // not the one picked: the times cannot tell them apart.
    const double unit = (shortest - pick) / shortestUnits;
    for (size_t k = 0; alike && k < misfit.size();) {
        if (!fits(k)) {
            ++k;
            continue;
        }
        size_t at = k;
        for (; k < misfit.size() && fits(k); ++k)
            if (misfit[k] < misfit[at]) at = k;
        const double other = (shortest - excessAt(at)) / shortestUnits;
        if (std::abs(other - unit) > 0.03 * unit) alike->push_back({excessAt(at), other});
    }
    return pick;
}

constexpr double kLongestSymbolGap = 20000; // µs

std::vector<FrameSpan> splitFrames(const std::vector<double>& t, double grain, bool backToBack) {
    std::vector<double> marks, spaces;
    for (size_t i = 0; i < t.size(); ++i)
        (i % 2 ? spaces : marks).push_back(t[i]);
    const double shortestMark = shortestCommon(marks, grain);
    const double shortest = std::min(shortestMark, shortestCommon(spaces, grain));
    // A gap as common as a symbol's is one (a code of long gaps, 5 to 12 ms,
    // keeps its frames whole); one of 20 ms or more is a frame's end however
    // often it comes (a key held, many repeats).
    double longestCommon = 0;
    if (spaces.size() >= 8) {
        const Classes c = classify(spaces, grain);
        std::vector<size_t> count(c.means.size());
        for (int k : c.of)
            ++count[static_cast<size_t>(k)];
        for (size_t k = 0; k < c.means.size(); ++k)
            if (count[k] * 6 >= spaces.size() && c.means[k] < kLongestSymbolGap)
                longestCommon = std::max(longestCommon, c.means[k]);
    }
    const double separator = std::max({kFrameGap, 10 * shortest, 1.5 * longestCommon});
    std::vector<FrameSpan> frames;
    size_t start = 0;
    for (size_t i = 1; start < t.size(); i += 2) {
        if (i >= t.size()) {
            frames.push_back({start, t.size(), -1});
            break;
        }
        if (t[i] < separator && i + 1 < t.size()) continue;
        frames.push_back({start, i, t[i]});
        start = i + 1;
    }
    if (!backToBack) return frames;
    // Frames sent back to back, without a long gap between them: the
    // frame's lead-in comes again at a fixed distance, parts of one length
    // (the last perhaps with a trailer).
    auto alike = [&](double a, double b) { return timesAlike(a, b, grain); };
    std::vector<FrameSpan> parts;
    for (const FrameSpan& f : frames) {
        const size_t b = f.begin;
        size_t period = 0;
        if (f.end - b >= 12 && t[b] >= 2.5 * shortestMark)
            for (size_t q = b + 6; q + 1 < f.end && !period; q += 2)
                if (alike(t[q], t[b]) && alike(t[q + 1], t[b + 1])) period = q - b;
        // No burst like the lead-in's but where a part begins (or the trailer).
        bool regular = period > 0;
        for (size_t q = b + 2; regular && q + 1 < f.end; q += 2)
            regular = !alike(t[q], t[b]) || (q - b) % period == 0;
        size_t q = b;
        for (; regular && f.end - q > period + 3; q += period)
            regular = alike(t[q], t[b]) && alike(t[q + 1], t[b + 1]);
        regular = regular && alike(t[q], t[b]) && f.end - q + 1 >= period;
        if (regular) {
            for (q = b; f.end - q > period + 3; q += period)
                parts.push_back({q, q + period - 1, t[q + period - 1]});
            parts.push_back({q, f.end, f.gapAfter});
            continue;
        }
        // Or each part ends with a trailer burst twice as long as any other:
        // the frame's last burst, and the same at a fixed distance before.
        const size_t last = f.end - 1;
        if ((last - b) % 2 == 0 && last - b >= 12 && t[last] >= 2.5 * shortestMark) {
            period = 0;
            for (size_t q2 = last - 6; q2 > b && q2 < last && !period; q2 -= 2)
                if (alike(t[q2], t[last])) period = last - q2;
            regular = period > 0 && (last - b + 2) % period == 0;
            for (size_t k = b; regular && k < last; k += 2)
                regular = (last - k) % period == 0 ? alike(t[k], t[last]) : t[k] * 2 <= t[last];
        }
        if (!regular) {
            // Or the frame is copies of one, each after a gap longer than any
            // inside it (a lead-out cut short by a fixed period): no lead-in
            // marks where a copy begins, but the copies are alike time by time.
            for (size_t g = b + 1; g + 1 < f.end && !regular; g += 2) {
                period = g - b + 1;
                if (period < 8 || (f.end - b + 1) % period != 0 || f.end - b + 1 < 2 * period)
                    continue;
                bool copies = true;
                for (size_t k = b; copies && k < g; ++k)
                    copies = t[g] > 2 * t[k] || k % 2 == b % 2;
                for (size_t k = b + period; copies && k < f.end; ++k)
                    copies = alike(t[k], t[b + (k - b) % period]);
                regular = copies;
            }
        }
        if (!regular) {
            parts.push_back(f);
            continue;
        }
        for (q = b; q + period <= last; q += period)
            parts.push_back({q, q + period - 1, t[q + period - 1]});
        parts.push_back({q, f.end, f.gapAfter});
    }
    return parts;
}

} // namespace qv::analysis
