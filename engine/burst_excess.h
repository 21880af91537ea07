// A demodulating receiver reports every burst longer, and the gap after it
// shorter, by about the same time (the burst excess). Taking it off before
// the decode gives back times close to what the remote sent.
#pragma once

#include <cstdint>
#include <vector>

namespace qv::engine {

// The excess of a capture (burst first, microseconds) read against the
// burst and gap times of a format's bits. Each time is paired with the
// nearest of those standards, and bursts = k x standard + excess, gaps =
// k x standard - excess is fitted by least squares (k takes up a remote that
// runs fast or slow); times far from every standard (heads, frame gaps) take
// no part. With fewer than three bit bursts or gaps the excess alone is
// fitted, at k = 1; 0 when there is not one of each. A few receivers end
// bursts early: a fit from -100 to -30 us stands, one from -30 to 0 is
// jitter and gives 0, one below -100 read the wrong times and gives 0, one
// above 300 us (more than receivers add) gives 300.
// speed, when given, receives k (1 when there is no fit).
double estimateBurstExcess(const std::vector<int64_t>& times, const std::vector<double>& marks,
                           const std::vector<double>& spaces, double* speed = nullptr);

// A run-length code's excess and pace: every burst and gap of the capture
// is a whole number of bit times, bursts longer and gaps shorter by the
// excess (0 to 200 us), all of them speed times the bit (0.92 to 1.08).
// Times of more than 40 bits (frame gaps) take no part.
struct RunFit {
    double excess = 0, speed = 1;
};
RunFit estimateRunFit(const std::vector<int64_t>& times, double bit);

// The pace of a remote whose bursts and gaps make up a few known sums (the
// four-level codes: one burst, four gaps): the pace, 0.92 to 1.08, at which
// the capture's burst-and-gap sums lie nearest those. The sums keep no
// burst excess, so they tell the pace where the times alone, close
// together, let the excess fit pair them wrongly. 1 for too few sums.
double pairPace(const std::vector<int64_t>& times, std::vector<double> sums);

// The sampling step of a logger that sees edges only at its ticks (a
// sampling rate of 5 to 50 kHz): the longest step of which every time is a
// whole multiple, to within a microsecond. 1 when there is none, as for a
// receiver that times each edge to the microsecond.
double samplingStep(const std::vector<int64_t>& times);

// The times with each burst shortened by excess and the gap after it
// lengthened by as much, so a burst and its gap keep their sum. Neither
// becomes shorter than 1 microsecond.
std::vector<int64_t> withoutBurstExcess(std::vector<int64_t> times, int64_t excess);

} // namespace qv::engine
