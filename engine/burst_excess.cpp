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

} // namespace

double estimateBurstExcess(const std::vector<int64_t>& times, const std::vector<double>& marks,
                           const std::vector<double>& spaces) {
    double k = 1, excess = 0;
    // The first pass pairs the raw times, so it reaches further: an excess of
    // 200 us moves a 264 us burst by three quarters of itself.
    for (double reach : {300.0, 150.0, 100.0}) {
        // Sums of the normal equations of t = k x s + z x excess, z = +1 for
        // a burst and -1 for a gap.
        double sxx = 0, sxz = 0, szz = 0, sxy = 0, szy = 0;
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
        }
        if (bursts < 3 || gaps < 3) return 0;
        const double det = sxx * szz - sxz * sxz;
        if (std::abs(det) < 1e-9 * sxx * szz) return 0;
        k = (sxy * szz - sxz * szy) / det;
        excess = (sxx * szy - sxz * sxy) / det;
        if (k < 0.5 || k > 1.5) return 0; // no bit timing of this format in the capture
    }
    // Receivers lengthen bursts; a fit that says otherwise read the wrong times.
    return std::max(excess, 0.0);
}

std::vector<int64_t> withoutBurstExcess(std::vector<int64_t> times, int64_t excess) {
    for (size_t i = 0; i < times.size(); i += 2) {
        const int64_t taken = std::min(excess, times[i] - 1);
        times[i] -= taken;
        if (i + 1 < times.size()) times[i + 1] += taken;
    }
    return times;
}

} // namespace qv::engine
