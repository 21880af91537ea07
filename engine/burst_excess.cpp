#include "engine/burst_excess.h"

#include <algorithm>
#include <cmath>

namespace qv::engine {

namespace {

// The standard nearest to t among those within reach + 30% of t; 0 for none.
double nearest(double t, const std::vector<double>& standards, double reach) {
    double best = 0;
    for (double s : standards)
        if (s > 0 && std::abs(t - s) < reach + 0.3 * s &&
            (best == 0 || std::abs(t - s) < std::abs(t - best)))
            best = s;
    return best;
}

struct Fit {
    double k = 1, excess = 0;
    bool found = false;
};

// The fit from a first guess of the excess.
Fit fitFrom(const std::vector<int64_t>& times, const std::vector<double>& marks,
            const std::vector<double>& spaces, double start) {
    double k = 1, excess = start;
    // The first pass pairs the raw times, so it reaches further: an excess of
    // 200 us moves a 264 us burst by three quarters of itself.
    for (double reach : {300.0, 150.0, 100.0}) {
        // Sums of the normal equations of t = k x s + z x excess, z = +1 for
        // a burst and -1 for a gap.
        double sxx = 0, sxz = 0, szz = 0, sxy = 0, szy = 0, offs = 0;
        int bursts = 0, gaps = 0;
        for (size_t i = 0; i < times.size(); ++i) {
            const bool burst = i % 2 == 0;
            const double z = burst ? 1 : -1;
            const double t = static_cast<double>(times[i]);
            const double s = nearest((t - z * excess) / k, burst ? marks : spaces, reach);
            if (s == 0) continue;
            (burst ? bursts : gaps)++;
            sxx += s * s;
            sxz += s * z;
            szz += 1;
            sxy += s * t;
            szy += z * t;
            offs += z * (t - s);
        }
        // Too few times to tell a pace: the excess alone, at pace 1 (a
        // frame of two bursts around one long gap).
        if ((bursts < 3 || gaps < 3) && bursts > 0 && gaps > 0) {
            k = 1;
            excess = offs / (bursts + gaps);
            continue;
        }
        if (bursts < 3 || gaps < 3) return {};
        const double det = sxx * szz - sxz * sxz;
        if (std::abs(det) < 1e-9 * sxx * szz) return {};
        k = (sxy * szz - sxz * szy) / det;
        excess = (sxx * szy - sxz * sxy) / det;
        if (k < 0.5 || k > 1.5) return {}; // no bit timing of this format in the capture
    }
    return {k, excess, true};
}

// How badly a fit explains the times: each time's distance from its nearest
// standard, capped, so that heads and frame gaps weigh alike in every fit.
double misfit(const std::vector<int64_t>& times, const std::vector<double>& marks,
              const std::vector<double>& spaces, const Fit& f) {
    constexpr double cap = 150;
    double sum = 0;
    for (size_t i = 0; i < times.size(); ++i) {
        const bool burst = i % 2 == 0;
        const double t = (static_cast<double>(times[i]) - (burst ? f.excess : -f.excess)) / f.k;
        double d = cap;
        for (double s : burst ? marks : spaces)
            if (s > 0) d = std::min(d, std::abs(t - s));
        sum += d * d;
    }
    return sum;
}

} // namespace

double estimateBurstExcess(const std::vector<int64_t>& times, const std::vector<double>& marks,
                           const std::vector<double>& spaces, double* speed) {
    // Where the bit times lie close together (a bi-phase half and whole bit,
    // 444 and 888 us) a large excess pairs the raw times with the wrong
    // standards; fits from several first guesses are made and the one that
    // explains the times clearly best is kept.
    // Remotes run a few percent fast or slow: where one burst and one gap
    // length make up the bits (all ones), every pairing fits exactly, and
    // only a pace near 1 tells the right one.
    auto plausible = [](const Fit& f) { return std::abs(f.k - 1) <= 0.1; };
    Fit best;
    double bestMisfit = 0;
    for (double start : {0.0, 100.0, 200.0}) {
        const Fit f = fitFrom(times, marks, spaces, start);
        if (!f.found) continue;
        const double m = misfit(times, marks, spaces, f);
        // A later guess must explain the times clearly better, or be the
        // first of a plausible pace.
        if (!best.found || (plausible(f) && !plausible(best)) ||
            (plausible(f) == plausible(best) && m < 0.5 * bestMisfit)) {
            best = f;
            bestMisfit = m;
        }
    }
    // Receivers lengthen bursts, and a few end them early; a fit that says
    // they shorten them by more read the wrong times. A few microseconds
    // below 0 are the remote's own jitter.
    // No receiver lengthens them by more than kLatest (its own excess and
    // its sampling step): a fit beyond says the bursts are another
    // format's, and only kLatest is taken off.
    constexpr double kEarliest = -100, kJitter = -30, kLatest = 300;
    if (!best.found || best.excess < kEarliest) {
        if (speed) *speed = 1;
        return 0;
    }
    if (speed) *speed = best.k;
    return best.excess < 0 && best.excess > kJitter ? 0 : std::min(best.excess, kLatest);
}

RunFit estimateRunFit(const std::vector<int64_t>& times, double bit) {
    RunFit best;
    if (bit <= 0) return best;
    double bestMisfit = -1;
    for (double excess = 0; excess <= 200; excess += 10)
        for (double speed = 0.92; speed <= 1.08 + 1e-9; speed += 0.0025) {
            double misfit = 0;
            for (size_t i = 0; i < times.size(); ++i) {
                const double t = static_cast<double>(times[i]) + (i % 2 == 0 ? -excess : excess);
                const double bits = t / (bit * speed);
                if (bits > 40) continue;
                const double off = bits - std::max(1.0, std::nearbyint(bits));
                misfit += off * off;
            }
            // Ties go to the pace nearest 1 and the smallest excess.
            if (bestMisfit < 0 || misfit < bestMisfit - 1e-9) {
                bestMisfit = misfit;
                best = {excess, speed};
            }
        }
    return best;
}

std::vector<int64_t> withoutBurstExcess(std::vector<int64_t> times, int64_t excess) {
    for (size_t i = 0; i < times.size(); i += 2) {
        int64_t taken = std::min(excess, times[i] - 1);
        if (i + 1 < times.size()) taken = std::max(taken, 1 - times[i + 1]);
        times[i] -= taken;
        if (i + 1 < times.size()) times[i + 1] += taken;
    }
    return times;
}

double pairPace(const std::vector<int64_t>& times, std::vector<double> sums) {
    std::sort(sums.begin(), sums.end());
    if (sums.empty() || sums.front() <= 0) return 1;
    double spacing = sums.back();
    for (size_t i = 1; i < sums.size(); ++i)
        spacing = std::min(spacing, sums[i] - sums[i - 1]);
    // Heads and frame gaps lie outside the sums' range and take no part.
    std::vector<double> pairs;
    for (size_t i = 0; i + 1 < times.size(); i += 2) {
        const auto p = static_cast<double>(times[i] + times[i + 1]);
        if (p > 0.9 * sums.front() && p < 1.1 * sums.back()) pairs.push_back(p);
    }
    if (pairs.size() < 3) return 1;
    auto misfit = [&](double k) {
        double m = 0;
        for (double p : pairs) {
            double d = spacing / 2;
            for (double s : sums)
                d = std::min(d, std::abs(p / k - s));
            m += d * d;
        }
        return m;
    };
    // From 1 outwards, so that ties go to the pace nearest 1.
    double best = 1, bestMisfit = misfit(1);
    for (int i = 1; i <= 32; ++i)
        for (const double k : {1 - 0.0025 * i, 1 + 0.0025 * i})
            if (const double m = misfit(k); m < bestMisfit - 1e-9) {
                best = k;
                bestMisfit = m;
            }
    return best;
}

double samplingStep(const std::vector<int64_t>& times) {
    // Long gaps are left out: the record counts them in timer overflows,
    // which do not fall on the logger's grid.
    constexpr int64_t kLongGap = 20000;
    auto counts = [](int64_t t) { return t > 0 && t < kLongGap; };
    // Too few times fall on a coarse grid by chance.
    constexpr long kEnoughTimes = 12;
    if (std::count_if(times.begin(), times.end(), counts) < kEnoughTimes) return 1;
    for (int kHz = 5; kHz <= 50; ++kHz) {
        const double step = 1000.0 / kHz;
        const bool onGrid = std::all_of(times.begin(), times.end(), [&](int64_t t) {
            const double v = static_cast<double>(t);
            return !counts(t) || std::abs(v - std::nearbyint(v / step) * step) <= 1;
        });
        if (onGrid) return step;
    }
    return 1;
}

} // namespace qv::engine
