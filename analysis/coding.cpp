// The coding of the presses: which pairs of times are the symbols (or the
// half-bit unit of a bi-phase code), each frame read with it, the frames
// grouped into shapes, and the intro and repeat of a press.
#include "analysis/analysis.h"
#include "analysis/analysis_internal.h"
#include "engine/burst_excess.h"
#include "irp/irp.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace qv::analysis {

namespace {

struct PressTimes {
    std::vector<double> t;
    std::vector<FrameSpan> frames;
    std::vector<int> cls; // class of each time: of the bursts or of the gaps
    size_t input = 0;     // the press it is, of those given
    size_t skipped = 0;   // times left out at its start
};

// A ratio written with one decimal unless it is within a tenth of a whole number.
double nice(double r) {
    const double whole = std::round(r);
    return std::abs(r - whole) < 0.1 ? whole : std::round(r * 10) / 10;
}

bool near(double a, double b, double grain) {
    return std::abs(a - b) <= std::max(std::max(100.0, 2 * grain), 0.2 * std::abs(b));
}

struct Candidate {
    Coding coding = Coding::RunLength;
    std::vector<std::pair<int, int>> pairs; // pair codings: (burst class, gap class) of each symbol
    int bitsPerSymbol = 1;
    double half = 0;        // bi-phase
    int oneSpaceFirst = -1; // bi-phase: 1 when a 1 is gap then burst; -1 not yet known
    // Pulse-position of many levels: each symbol's burst and gap (microseconds),
    // the step between the gaps; the pairs are not used then.
    std::vector<std::pair<double, double>> times;
    double step = 0;
    // Symbol 1 of two bursts: times[1], then this burst and gap, as long as
    // symbol 0 (<1,-10|1,-1,1,-8>); times then holds symbols 0 and 1.
    std::optional<std::pair<double, double>> secondPair;
};

// The burst and gap of each symbol of a pair coding.
std::vector<std::pair<double, double>> symbolTimes(const Candidate& c, const Classes& marks,
                                                   const Classes& spaces) {
    if (!c.times.empty()) return c.times;
    std::vector<std::pair<double, double>> out;
    for (auto [m, g] : c.pairs)
        out.push_back({marks.means[static_cast<size_t>(m)], spaces.means[static_cast<size_t>(g)]});
    return out;
}

void addBits(std::vector<Item>& items, std::string& bits, const std::string& more, int width = 1) {
    if (items.empty() || items.back().kind != Item::Bits || items.back().width != width)
        items.push_back({Item::Bits, 0, 0, width});
    items.back().bits += static_cast<int>(more.size());
    bits += more;
}

std::string symbolBits(int value, int width) {
    std::string s;
    for (int b = width - 1; b >= 0; --b)
        s += (value >> b & 1) ? '1' : '0';
    return s;
}

// A frame read yet without items: where it starts and the gap after it.
FrameRead frameAt(const PressTimes& p, const FrameSpan& f) {
    FrameRead r;
    for (size_t i = 0; i < f.begin; ++i)
        r.start += p.t[i];
    r.gapAfter = f.gapAfter;
    return r;
}

FrameRead readPairs(const PressTimes& p, const FrameSpan& f, const Candidate& c,
                    const Classes& marks, const Classes& spaces) {
    FrameRead r = frameAt(p, f);
    const bool marksDiffer = c.pairs.size() == 2 && c.pairs[0].first != c.pairs[1].first;
    const std::vector<std::pair<double, double>> symbols = symbolTimes(c, marks, spaces);
    // A time nearer a level of its own that the frame sends now and then (a
    // lead-in's gap a little shorter than a symbol's) is not that symbol: a
    // class of several times that lies apart is no jitter. A level sent often
    // may be a symbol the pairs do not hold, better read loosely than not at
    // all.
    auto ownLevel = [&](const Classes& k, size_t at, double level) {
        const double t = p.t[at];
        for (size_t cls = 0; cls < k.means.size(); ++cls) {
            const double m = k.means[cls];
            if (std::abs(t - m) >= std::abs(t - level) || std::abs(m - level) <= 0.2 * level ||
                std::count(k.of.begin(), k.of.end(), static_cast<int>(cls)) < 2)
                continue;
            int sent = 0, all = 0;
            for (size_t j = f.begin + (at - f.begin) % 2; j < f.end; j += 2, ++all)
                sent += std::abs(p.t[j] - m) < 0.1 * m;
            if (sent * 4 <= all) return true;
        }
        return false;
    };
    // Symbol 1 of two bursts: its times from i, the last gap where whole
    // (at the frame's end it is the frame's gap); -1 where they are not it.
    auto second = [&](size_t i, bool whole) {
        const auto [m1, g1] = symbols[1];
        const auto [m2, g2] = *c.secondPair;
        const double want[] = {m1, g1, m2, g2};
        double off = 0;
        for (size_t k = 0; k < (whole ? 4u : 3u); ++k) {
            const double d = std::abs(p.t[i + k] - want[k]);
            if (d > std::max(120.0, 0.3 * want[k])) return -1.0;
            off += d / want[k];
        }
        return off / 2;
    };
    for (size_t i = f.begin; i < f.end;) {
        const bool mark = (i - f.begin) % 2 == 0;
        if (mark && c.secondPair && i + 3 < f.end) {
            if (const double off = second(i, true); off >= 0) {
                r.misfit += off;
                addBits(r.items, r.bits, "1");
                i += 4;
                continue;
            }
        } else if (mark && c.secondPair && !r.bits.empty() && (i + 1 == f.end || i + 3 == f.end)) {
            // The frame's last symbol lends its last gap to the frame's end.
            const double off = i + 3 == f.end ? second(i, false) : -1;
            const auto [m0, g0] = symbols[0];
            const bool zero = i + 1 == f.end && std::abs(p.t[i] - m0) <= std::max(120.0, 0.3 * m0);
            const double g = off >= 0 ? c.secondPair->second : zero ? g0 : -1;
            if (g > 0 && (f.gapAfter < 0 || f.gapAfter >= g)) {
                r.misfit += std::max(0.0, off);
                addBits(r.items, r.bits, off >= 0 ? "1" : "0");
                if (r.gapAfter >= 0) r.gapAfter -= g;
                break;
            }
        }
        if (mark && i + 1 < f.end) {
            // The nearest symbol within the tolerance: classes alone split
            // a jittered time off its symbol now and then.
            int value = -1;
            double best = 1e18;
            for (size_t s = 0; s < symbols.size(); ++s) {
                if (c.secondPair && s == 1) continue;
                const auto [m, g] = symbols[s];
                const double dm = std::abs(p.t[i] - m), dg = std::abs(p.t[i + 1] - g);
                if (dm > std::max(120.0, 0.3 * m) || dg > std::max(120.0, 0.3 * g)) continue;
                if (ownLevel(marks, i, m) || ownLevel(spaces, i + 1, g)) continue;
                if (dm / m + dg / g < best) {
                    best = dm / m + dg / g;
                    value = static_cast<int>(s);
                }
            }
            if (value >= 0) {
                r.misfit += best;
                addBits(r.items, r.bits, symbolBits(value, c.bitsPerSymbol));
                i += 2;
                continue;
            }
        } else if (mark && marksDiffer) {
            // A pulse-width code's last bit lends its gap to the frame's end.
            auto markNear = [&](int s) {
                const double m =
                    marks.means[static_cast<size_t>(c.pairs[static_cast<size_t>(s)].first)];
                return std::abs(p.t[i] - m) <= std::max(120.0, 0.3 * m);
            };
            for (int s = 0; s < 2; ++s) {
                const int g = c.pairs[static_cast<size_t>(s)].second;
                if (!markNear(s) || markNear(1 - s)) continue;
                if (f.gapAfter >= 0 && f.gapAfter < spaces.means[static_cast<size_t>(g)]) continue;
                addBits(r.items, r.bits, symbolBits(s, 1));
                if (r.gapAfter >= 0) r.gapAfter -= spaces.means[static_cast<size_t>(g)];
                ++i;
                break;
            }
            if (i == f.end) continue;
        }
        r.items.push_back({Item::Time, mark ? p.t[i] : -p.t[i], 0});
        ++i;
    }
    return r;
}

// Durations as half-bit counts of 1 to most; false where one is not.
bool halves(const PressTimes& p, size_t from, size_t to, size_t frameBegin, double h, int most,
            std::vector<bool>& out) {
    for (size_t i = from; i < to; ++i) {
        const double n = std::round(p.t[i] / h);
        if (n < 1 || n > most || std::abs(p.t[i] - n * h) > 0.35 * h) return false;
        for (int k = 0; k < n; ++k)
            out.push_back((i - frameBegin) % 2 == 0);
    }
    return true;
}

// Halves paired into bits, runs of one width each: a burst half then a gap
// half or the other way round, one bit of twice the length (four halves) a
// frame at most. False when the halves are no bits.
struct BiphaseBits {
    std::vector<std::pair<std::string, int>> runs; // bits and their width
    bool doubled = false;
    int firstSpaceFirst = -1;
    bool add(const std::vector<bool>& h, const Candidate& c) {
        for (size_t i = 0; i + 1 < h.size();) {
            int width = 1;
            if (h[i] == h[i + 1]) {
                // One such bit a frame: more are another code's times.
                if (doubled || i + 3 >= h.size() || h[i + 2] != h[i + 3] || h[i] == h[i + 2])
                    return false;
                doubled = true;
                width = 2;
            }
            const int spaceFirst = h[i] ? 0 : 1;
            if (firstSpaceFirst < 0) firstSpaceFirst = spaceFirst;
            const int one = c.oneSpaceFirst < 0 ? firstSpaceFirst : c.oneSpaceFirst;
            if (runs.empty() || runs.back().second != width) runs.push_back({"", width});
            runs.back().first += spaceFirst == one ? '1' : '0';
            i += 2 * static_cast<size_t>(width);
        }
        return true;
    }
    void write(FrameRead& r) {
        for (const auto& [bits, width] : runs)
            addBits(r.items, r.bits, bits, width);
        runs.clear();
    }
};

// The leading times of a bi-phase frame, the last holding the first half
// where prefix says so.
void leadingTimes(const PressTimes& p, const FrameSpan& f, const Candidate& c, size_t k,
                  bool prefix, FrameRead& r) {
    for (size_t i = f.begin; i < f.begin + k; ++i)
        r.items.push_back({Item::Time, (i - f.begin) % 2 == 0 ? p.t[i] : -p.t[i], 0});
    if (prefix && k > 0) r.items.back().us += k % 2 == 0 ? c.half : -c.half;
}

// The frame read as bi-phase after k leading times, to its end or, with
// trail, to a last long burst. prefix: the first half-bit stands before the
// body, in the last leading time (of its kind) or, with none, in unseen
// silence. A bit of twice the length (a trailer bit) is read where its four
// halves stand: it leaves times of three halves.
std::optional<FrameRead> readBiphaseAs(const PressTimes& p, const FrameSpan& f, Candidate& c,
                                       size_t k, bool prefix, bool trail, int most) {
    const size_t end = f.end - (trail ? 1 : 0);
    const bool bodyMark = k % 2 == 0;
    std::vector<bool> h; // true: burst
    if (prefix) h.push_back(!bodyMark);
    if (!halves(p, f.begin + k, end, f.begin, c.half, most, h)) return std::nullopt;
    bool appended = false;
    if (h.size() % 2) {
        h.push_back(false);
        appended = true;
    }
    BiphaseBits b;
    if (!b.add(h, c) || b.runs.empty()) return std::nullopt;
    if (c.oneSpaceFirst < 0) c.oneSpaceFirst = b.firstSpaceFirst;
    FrameRead r = frameAt(p, f);
    if (f.gapAfter >= 0 && appended) r.gapAfter -= c.half;
    leadingTimes(p, f, c, k, prefix, r);
    b.write(r);
    if (trail) {
        // The last half-bit gap, when the bits end with one, stands before it.
        if (appended) r.items.push_back({Item::Time, -c.half, 0});
        r.items.push_back({Item::Time, p.t[f.end - 1], 0});
        r.gapAfter = f.gapAfter;
    }
    return r;
}

// The same with one pause inside the bits: a gap of four halves or more,
// which the last bit before it and the first after it may each lend a
// half (RC5x's four halves between its address and command). The pause is
// taken as a whole number of bits where the halves allow either.
std::optional<FrameRead> readBiphasePaused(const PressTimes& p, const FrameSpan& f, Candidate& c,
                                           size_t k, bool prefix, int most) {
    size_t at = 0;
    for (size_t i = f.begin + k + 1; i + 1 < f.end; ++i) {
        if ((i - f.begin) % 2 == 0 || std::round(p.t[i] / c.half) < std::max(4, most + 1)) continue;
        if (at || p.t[i] > 16 * c.half) return std::nullopt;
        at = i;
    }
    if (!at) return std::nullopt;
    const double n = std::round(p.t[at] / c.half);
    std::vector<bool> before;
    if (prefix) before.push_back(k % 2 != 0);
    if (!halves(p, f.begin + k, at, f.begin, c.half, most, before)) return std::nullopt;
    const int lent = static_cast<int>(before.size() % 2);
    if (lent) before.push_back(false);
    std::vector<bool> after;
    if (!halves(p, at + 1, f.end, f.begin, c.half, most, after)) return std::nullopt;
    BiphaseBits first;
    if (!first.add(before, c) || first.runs.empty()) return std::nullopt;
    const int even = static_cast<int>(n - lent) % 2;
    for (int lends : {even, 1 - even}) {
        std::vector<bool> h = after;
        if (lends) h.insert(h.begin(), false);
        const bool appended = h.size() % 2 != 0;
        if (appended) h.push_back(false);
        BiphaseBits second;
        second.doubled = first.doubled;
        second.firstSpaceFirst = first.firstSpaceFirst;
        if (!second.add(h, c) || second.runs.empty()) continue;
        if (c.oneSpaceFirst < 0) c.oneSpaceFirst = first.firstSpaceFirst;
        FrameRead r = frameAt(p, f);
        if (f.gapAfter >= 0 && appended) r.gapAfter -= c.half;
        leadingTimes(p, f, c, k, prefix, r);
        first.write(r);
        r.items.push_back({Item::Time, -(p.t[at] - (lent + lends) * c.half), 0});
        second.write(r);
        return r;
    }
    return std::nullopt;
}

// A bi-phase frame: up to three leading times, then bits. A first half-bit
// in a leading burst is tried last: where a reading without it fits, it is
// the lead-in as sent.
std::optional<FrameRead> readBiphase(const PressTimes& p, const FrameSpan& f, Candidate& c) {
    for (int inBurst = 0; inBurst <= 1; ++inBurst)
        for (size_t trail = 0; trail <= 1; ++trail)
            for (int most = 2; most <= 3; ++most)
                for (size_t k = 0; k <= 3 && f.begin + k + trail < f.end; ++k) {
                    // A trailing time is a burst (the frame ends with one) longer than a bit.
                    if (trail &&
                        ((f.end - f.begin) % 2 == 0 || p.t[f.end - 1] < (most + 0.5) * c.half))
                        continue;
                    const bool bodyMark = k % 2 == 0;
                    for (int variant = 0; variant < 2; ++variant) {
                        const bool prefix = (k == 0) == (variant == 0);
                        if ((prefix && !bodyMark) != (inBurst == 1)) continue;
                        if (inBurst && (k == 0 || p.t[f.begin + k - 1] < 1.5 * c.half)) continue;
                        if (auto r = readBiphaseAs(p, f, c, k, prefix, trail == 1, most)) return r;
                    }
                }
    for (size_t k = 0; k <= 3 && f.begin + k < f.end; ++k)
        for (int variant = 0; variant < 2; ++variant) {
            const bool prefix = (k == 0) == (variant == 0);
            if (prefix && k % 2 != 0) continue;
            if (auto r = readBiphasePaused(p, f, c, k, prefix, 2)) return r;
        }
    return std::nullopt;
}

FrameRead readLiteral(const PressTimes& p, const FrameSpan& f) {
    FrameRead r = frameAt(p, f);
    for (size_t i = f.begin; i < f.end; ++i)
        r.items.push_back({Item::Time, (i - f.begin) % 2 == 0 ? p.t[i] : -p.t[i], 0});
    return r;
}

// Run-length where no symbol coding fits: every time a whole number of one
// unit, read as that many bits (a burst's 1s, a gap's 0s). Each frame is
// filled out to the longest frame's count with 0s taken from the gap after
// it, so that presses of one remote are frames of one shape. Empty when a
// time is no whole number of units.
std::vector<std::vector<FrameRead>> readUnits(const std::vector<PressTimes>& presses, double grain,
                                              double& unit) {
    std::vector<double> times;
    for (const PressTimes& p : presses)
        for (const FrameSpan& f : p.frames)
            times.insert(times.end(), p.t.begin() + static_cast<long>(f.begin),
                         p.t.begin() + static_cast<long>(f.end));
    if (times.size() < 4) return {};
    const Classes c = classify(times, grain);
    std::vector<size_t> count(c.means.size());
    for (int k : c.of)
        ++count[static_cast<size_t>(k)];
    double u = c.means.front();
    for (size_t k = 0; k < c.means.size(); ++k)
        if (count[k] * 20 >= times.size()) {
            u = c.means[k];
            break;
        }
    // A unit finer than a receiver's jitter or the logger's step tells runs
    // of it apart by chance.
    if (u < 250 || u < 3 * grain) return {};
    // The unit refined over every time, then each checked against it.
    for (int pass = 0; pass < 2; ++pass) {
        double sum = 0, units = 0;
        for (double t : times) {
            const double k = std::round(t / u);
            if (k < 1 || k > 16 || (pass && std::abs(t - k * u) > 0.3 * u)) return {};
            sum += t;
            units += k;
        }
        if (pass == 0) u = sum / units;
    }
    unit = u;
    std::vector<std::vector<FrameRead>> out;
    size_t longest = 0;
    for (const PressTimes& p : presses) {
        std::vector<FrameRead> frames;
        for (const FrameSpan& f : p.frames) {
            FrameRead r = frameAt(p, f);
            for (size_t i = f.begin; i < f.end; ++i)
                r.bits.append(static_cast<size_t>(std::max(1.0, std::round(p.t[i] / unit))),
                              (i - f.begin) % 2 == 0 ? '1' : '0');
            longest = std::max(longest, r.bits.size());
            frames.push_back(std::move(r));
        }
        out.push_back(std::move(frames));
    }
    for (auto& frames : out)
        for (FrameRead& r : frames) {
            const double fill = static_cast<double>(longest - r.bits.size()) * unit;
            if (r.gapAfter < 0 || r.gapAfter > fill + unit) {
                r.bits.append(longest - r.bits.size(), '0');
                if (r.gapAfter >= 0) r.gapAfter -= fill;
            }
            r.items = {{Item::Bits, 0, static_cast<int>(r.bits.size())}};
        }
    return out;
}

std::vector<std::vector<FrameRead>> readAll(const std::vector<PressTimes>& presses, Candidate& c,
                                            const Classes& marks, const Classes& spaces) {
    std::vector<std::vector<FrameRead>> out;
    for (const PressTimes& p : presses) {
        std::vector<FrameRead> frames;
        for (const FrameSpan& f : p.frames) {
            if (c.coding == Coding::BiPhase) {
                auto r = readBiphase(p, f, c);
                frames.push_back(r ? *r : readLiteral(p, f));
            } else if (c.coding == Coding::RunLength) {
                frames.push_back(readLiteral(p, f));
            } else {
                frames.push_back(readPairs(p, f, c, marks, spaces));
            }
        }
        out.push_back(std::move(frames));
    }
    return out;
}

// Symbols read, less three for each time left unread: a symbol of two bits
// counts once, so that a bi-phase frame's pairs of times are not taken for
// four symbols of two bits.
double score(const std::vector<std::vector<FrameRead>>& reads, const Candidate& c) {
    double s = 0;
    for (const auto& press : reads)
        for (const FrameRead& f : press) {
            for (const Item& item : f.items)
                s += item.kind == Item::Bits ? item.bits / c.bitsPerSymbol : -3;
            // A symbol of two bursts reads as much as two pairs do.
            if (c.secondPair)
                s += static_cast<double>(std::count(f.bits.begin(), f.bits.end(), '1'));
        }
    return s;
}

std::vector<Candidate> candidates(const std::vector<PressTimes>& presses, const Classes& marks,
                                  const Classes& spaces, double grain) {
    std::map<std::pair<int, int>, int> pairCount;
    std::vector<int> markCount(marks.means.size()), spaceCount(spaces.means.size());
    int totalMarks = 0, totalSpaces = 0;
    for (const PressTimes& p : presses)
        for (const FrameSpan& f : p.frames)
            for (size_t i = f.begin; i < f.end; ++i) {
                // The times of the body: a lead-in is not the body's symbols.
                const bool body = i >= f.begin + 2;
                if ((i - f.begin) % 2 == 0) {
                    markCount[static_cast<size_t>(p.cls[i])] += body;
                    totalMarks += body;
                    if (i + 1 < f.end) ++pairCount[{p.cls[i], p.cls[i + 1]}];
                } else {
                    spaceCount[static_cast<size_t>(p.cls[i])] += body;
                    totalSpaces += body;
                }
            }
    std::vector<std::pair<int, std::pair<int, int>>> byCount;
    for (const auto& [pair, n] : pairCount)
        byCount.push_back({n, pair});
    std::sort(byCount.begin(), byCount.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<Candidate> out;
    auto total = [&](std::pair<int, int> pr) {
        return marks.means[static_cast<size_t>(pr.first)] +
               spaces.means[static_cast<size_t>(pr.second)];
    };
    if (byCount.size() >= 2 && byCount[1].first * 12 >= byCount[0].first) {
        Candidate c;
        auto a = byCount[0].second, b = byCount[1].second;
        const bool sameMark = a.first == b.first;
        const bool sameSpace = a.second == b.second;
        const double markA = marks.means[static_cast<size_t>(a.first)],
                     markB = marks.means[static_cast<size_t>(b.first)];
        const double ratio = std::max(markA, markB) / std::min(markA, markB);
        // Symbols of one length whose bursts differ plainly are widths (an
        // excess left on the bursts narrows their ratio, not their sums).
        const bool oneLength = std::abs(total(a) - total(b)) <= 0.1 * std::max(total(a), total(b));
        if (sameMark || (!sameSpace && ratio < 1.5 && !(oneLength && ratio >= 1.25))) {
            c.coding = Coding::PulseDistance;
            if (spaces.means[static_cast<size_t>(a.second)] >
                spaces.means[static_cast<size_t>(b.second)])
                std::swap(a, b);
        } else {
            c.coding = Coding::PulseWidth;
            if (marks.means[static_cast<size_t>(a.first)] >
                marks.means[static_cast<size_t>(b.first)])
                std::swap(a, b);
        }
        c.pairs = {a, b};
        out.push_back(c);
    }
    // A symbol of two bursts: a pair always followed by one of one class,
    // the two as long as the pairs sent otherwise, which are of one class
    // (that one too where a receiver's jitter joins their gaps); a frame's
    // first pair may be a lead-in (<1,-10|1,-1,1,-8>). A frame's last burst
    // may stand for the first of the two, its gap the frame's.
    const size_t tops = std::min<size_t>(byCount.size(), 4);
    for (size_t bi = 0; bi < tops; ++bi) {
        const auto b = byCount[bi].second;
        if (byCount[bi].first < 2) continue;
        std::optional<std::pair<int, int>> follower, other;
        bool fits = true;
        int pairs = 0, inside = 0;
        double sums[3][3] = {}; // per symbol part (0, 1, 1's second): burst, gap, count
        auto add = [&](int part, const PressTimes& p, size_t i) {
            sums[part][0] += p.t[i];
            sums[part][1] += p.t[i + 1];
            sums[part][2] += 1;
        };
        for (const PressTimes& p : presses)
            for (const FrameSpan& f : p.frames)
                for (size_t i = f.begin; fits && i + 1 < f.end; i += 2) {
                    ++pairs;
                    const std::pair<int, int> pr{p.cls[i], p.cls[i + 1]};
                    if (pr == b) {
                        // Its follower, or the frame's last burst.
                        if (i + 3 < f.end) {
                            const std::pair<int, int> next{p.cls[i + 2], p.cls[i + 3]};
                            fits = next != b && (!follower || *follower == next);
                            follower = next;
                            add(1, p, i);
                            add(2, p, i + 2);
                            i += 2;
                            ++pairs;
                        } else {
                            fits = i + 3 == f.end;
                        }
                    } else if (i > f.begin || other == pr) {
                        fits = !other || *other == pr;
                        other = pr;
                        add(0, p, i);
                        ++inside;
                    } else {
                        --pairs; // a lead-in
                    }
                }
        if (!fits || !follower || !other || inside < 2 || sums[1][2] < 2) continue;
        double t[3][2];
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 2; ++j)
                t[k][j] = sums[k][j] / sums[k][2];
        const double both = t[1][0] + t[1][1] + t[2][0] + t[2][1], zero = t[0][0] + t[0][1];
        // One burst for all, and the other symbol's gap not the second's.
        if (std::abs(zero - both) > 0.1 * both || std::abs(t[0][1] - t[2][1]) < 0.1 * t[0][1] ||
            other->first != b.first || 10 * (inside + 2 * static_cast<int>(sums[1][2])) < 9 * pairs)
            continue;
        Candidate c;
        c.coding = Coding::PulseDistance;
        c.pairs = {*other, b};
        c.times = {{t[0][0], t[0][1]}, {t[1][0], t[1][1]}};
        c.secondPair = std::pair<double, double>{t[2][0], t[2][1]};
        out.push_back(c);
    }
    if (byCount.size() >= 4) {
        // Four symbols of two bits: one burst and four gaps a step apart
        // (pulse-position), or two bursts by two gaps.
        // The four commonest pairs; where four share the commonest burst,
        // those (a lead-in's pair is no symbol).
        std::vector<std::pair<int, int>> four;
        for (size_t k = 0; k < byCount.size() && four.size() < 4; ++k)
            if (byCount[k].second.first == byCount[0].second.first)
                four.push_back(byCount[k].second);
        if (four.size() < 4) {
            four.clear();
            for (size_t k = 0; k < 4; ++k)
                four.push_back(byCount[k].second);
        }
        std::sort(four.begin(), four.end(), [&](auto x, auto y) {
            const double mx = marks.means[static_cast<size_t>(x.first)];
            const double my = marks.means[static_cast<size_t>(y.first)];
            if (mx != my) return mx < my;
            return spaces.means[static_cast<size_t>(x.second)] <
                   spaces.means[static_cast<size_t>(y.second)];
        });
        auto gap = [&](size_t k) { return spaces.means[static_cast<size_t>(four[k].second)]; };
        const bool shareMark = std::all_of(four.begin(), four.end(),
                                           [&](auto pr) { return pr.first == four[0].first; });
        bool stepped = shareMark;
        for (size_t k = 2; k < 4 && stepped; ++k)
            stepped =
                std::abs((gap(k) - gap(k - 1)) - (gap(1) - gap(0))) < 0.25 * (gap(1) - gap(0)) + 40;
        const bool grid = four[0].first == four[1].first && four[2].first == four[3].first &&
                          four[0].first != four[2].first && four[0].second == four[2].second &&
                          four[1].second == four[3].second && four[0].second != four[1].second;
        double lo = 1e18, hi = 0;
        for (auto pr : four)
            for (double v : {marks.means[static_cast<size_t>(pr.first)],
                             spaces.means[static_cast<size_t>(pr.second)]}) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        int least = byCount[0].first;
        for (auto pr : four)
            least = std::min(least, pairCount[pr]);
        if ((stepped || grid) && hi <= 6 * lo && least * 25 >= byCount[0].first) {
            Candidate c;
            c.coding = Coding::PulsePosition;
            c.bitsPerSymbol = 2;
            c.pairs = four;
            out.push_back(c);
        }
    }
    // Pulse-position of more levels: one burst, then gaps of five to sixteen
    // levels a step apart (the step found from the gaps' differences).
    const size_t dominant = static_cast<size_t>(
        std::max_element(markCount.begin(), markCount.end()) - markCount.begin());
    if (!markCount.empty() && markCount[dominant] * 10 >= totalMarks * 9) {
        std::vector<double> gaps;
        double markSum = 0;
        for (const PressTimes& p : presses)
            for (const FrameSpan& f : p.frames)
                for (size_t i = f.begin + 2; i + 1 < f.end; i += 2)
                    if (static_cast<size_t>(p.cls[i]) == dominant) {
                        gaps.push_back(p.t[i + 1]);
                        markSum += p.t[i];
                    }
        std::sort(gaps.begin(), gaps.end());
        // Grids the gaps may sit on: level n at origin + n * step, n <= top.
        struct Grid {
            double step, origin, top = 63;
            double tolerance = 0.3; // of a step, each gap from its level
        };
        // The least-squares line through gaps at their levels.
        struct Line {
            double sn = 0, sg = 0, sng = 0, snn = 0, count = 0;
            void add(double n, double g) {
                sn += n;
                sg += g;
                sng += n * g;
                snn += n * n;
                ++count;
            }
            double slope() const { return (sng - sn * sg / count) / (snn - sn * sn / count); }
            double base(double slope) const { return (sg - slope * sn) / count; }
        };
        std::vector<Grid> grids;
        // The largest step that every gap sits on (a jittered neighbour's
        // difference is a smaller one that fits too).
        for (size_t k = 1; k < gaps.size(); ++k)
            if (gaps[k] - gaps[k - 1] > std::max(50.0, 1.5 * grain))
                grids.push_back({gaps[k] - gaps[k - 1], gaps.front()});
        std::sort(grids.begin(), grids.end(),
                  [](const Grid& a, const Grid& b) { return a.step > b.step; });
        // Where a receiver's jitter fills the space between levels, the step
        // between the classes' means, from the first class's mean; three
        // means may lie three steps apart (a level the press never sent).
        // Then the line through the levels so found: a class's mean is not its
        // level where the receiver's grid rounds more of it one way.
        if (const Classes c = classify(gaps, grain); c.means.size() >= 3 && c.means.size() <= 4)
            for (size_t apart = c.means.size() - 1; apart <= 3; ++apart) {
                const double front = c.means.front();
                const double step = (c.means.back() - front) / static_cast<double>(apart);
                const bool evenly = apart == c.means.size() - 1;
                // Levels a step apart above a first gap shorter than a step
                // are two codes' gaps, not one burst's positions.
                if (evenly || step <= front)
                    grids.push_back({step, front, evenly ? 63 : static_cast<double>(apart)});
                if (step > front) continue;
                Line line;
                for (double g : gaps)
                    line.add(std::max(0.0, std::round((g - front) / step)), g);
                const double slope = line.slope();
                if (std::isfinite(slope) && std::abs(slope / step - 1) < 0.1)
                    grids.push_back({slope, line.base(slope), static_cast<double>(apart)});
            }
        // Where the jitter spreads each level over most of a step (so that
        // the classes join), the levels are the runs of gaps between empty
        // bands: a grid where every run lies near one level of its own, and
        // then each gap counts at its run's level however far it strays.
        if (gaps.size() >= 8) {
            std::vector<std::pair<size_t, size_t>> runs; // [first, end) of the sorted gaps
            for (size_t k = 1, first = 0; k <= gaps.size(); ++k)
                if (k == gaps.size() || gaps[k] - gaps[k - 1] > std::max(50.0, 1.5 * grain)) {
                    runs.push_back({first, k});
                    first = k;
                }
            auto meanOf = [&](std::pair<size_t, size_t> r) {
                return std::accumulate(gaps.begin() + static_cast<long>(r.first),
                                       gaps.begin() + static_cast<long>(r.second), 0.0) /
                       static_cast<double>(r.second - r.first);
            };
            std::vector<double> means;
            for (auto r : runs)
                means.push_back(meanOf(r));
            double least = 1e18;
            for (size_t k = 1; k < means.size(); ++k)
                least = std::min(least, means[k] - means[k - 1]);
            const double span = means.empty() ? 0 : means.back() - means.front();
            const double step = means.size() >= 3 ? span / std::round(span / least) : 0;
            bool apart = means.size() >= 3 && means.size() <= 16 && step <= means.front();
            Line line;
            std::vector<double> levelOf(means.size());
            for (size_t k = 0; apart && k < means.size(); ++k) {
                levelOf[k] = std::round((means[k] - means.front()) / step);
                apart = std::abs(means[k] - means.front() - levelOf[k] * step) <= 0.15 * step &&
                        (k == 0 || levelOf[k] > levelOf[k - 1]);
                for (size_t i = runs[k].first; i < runs[k].second; ++i)
                    line.add(levelOf[k], gaps[i]);
            }
            if (apart) {
                const double slope = line.slope(), base = line.base(slope);
                // Each run nearer its own level than any other.
                for (size_t k = 0; apart && k < runs.size(); ++k)
                    apart =
                        std::abs(gaps[runs[k].first] - base - levelOf[k] * slope) < 0.5 * slope &&
                        std::abs(gaps[runs[k].second - 1] - base - levelOf[k] * slope) <
                            0.5 * slope;
                if (apart && std::isfinite(slope)) grids.push_back({slope, base, 63, 0.5});
            }
        }
        double top = 0;
        Line line; // through the gaps at the levels found
        long levels = 0;
        bool fits = false, rare = false;
        for (size_t k = 0; k < grids.size() && !fits && gaps.size() >= 8; ++k) {
            const double step = grids[k].step, g0 = grids[k].origin;
            std::vector<int> seen(64);
            fits = true;
            top = 0;
            line = {};
            for (double g : gaps) {
                const double n = std::round((g - g0) / step);
                fits = std::abs(g - g0 - n * step) <= grids[k].tolerance * step && n >= 0 &&
                       n <= grids[k].top;
                if (!fits) break;
                ++seen[static_cast<size_t>(n)];
                line.add(n, g);
                top = std::max(top, n);
            }
            levels = 64 - std::count(seen.begin(), seen.end(), 0);
            // Four levels, three of them sent (a press need not hold every
            // symbol): each of those common, not a lone separator on the grid.
            rare = std::any_of(seen.begin(), seen.begin() + 4, [&](int count) {
                return count > 0 && count * 10 < static_cast<int>(gaps.size());
            });
        }
        // Most levels in use: a pulse-distance code's odd gap on the grid of
        // its two is no level of its own.
        const bool fourLevels = top >= 2 && top <= 3 && levels >= 3 && !rare;
        if (fits && ((top >= 4 && top <= 15 && levels >= 5 && 2 * levels > top) || fourLevels)) {
            Candidate c;
            c.coding = Coding::PulsePosition;
            c.bitsPerSymbol = top <= 3 ? 2 : top <= 7 ? 3 : 4;
            const double n = static_cast<double>(gaps.size());
            c.step = line.slope();
            const double base = line.base(c.step);
            const double mark = markSum / n;
            for (int k = 0; k < 1 << c.bitsPerSymbol; ++k)
                c.times.push_back({mark, base + k * c.step});
            out.push_back(c);
        }
    }
    // Bi-phase: every common time one or two half bits, bursts and gaps of both;
    // a longer gap sent once a frame at most is a pause inside the bits.
    std::vector<double> common, pauses;
    for (size_t k = 0; k < marks.means.size(); ++k)
        if (markCount[k] * 20 >= totalMarks) common.push_back(marks.means[k]);
    const size_t commonMarks = common.size();
    size_t frames = 0;
    for (const PressTimes& p : presses)
        frames += p.frames.size();
    for (size_t k = 0; k < spaces.means.size(); ++k)
        if (spaceCount[k] * 20 >= totalSpaces)
            (static_cast<size_t>(spaceCount[k]) <= frames ? pauses : common)
                .push_back(spaces.means[k]);
    if (!common.empty() && commonMarks > 0) {
        const double h = *std::min_element(common.begin(), common.end());
        bool fits = true;
        for (double m : pauses)
            if (m < 3.5 * h || m > 16 * h) common.push_back(m);
        for (double m : common)
            fits = fits && (std::abs(m - h) < 0.3 * h || std::abs(m - 2 * h) < 0.35 * h ||
                            std::abs(m - 3 * h) < 0.35 * h);
        if (fits) {
            Candidate c;
            c.coding = Coding::BiPhase;
            c.half = h;
            out.push_back(c);
        }
    }
    return out;
}

// A frame of a shape already seen: the same items, times near.
bool sameShape(const std::vector<Item>& a, const std::vector<Item>& b, double grain) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].bits != b[i].bits || a[i].width != b[i].width)
            return false;
        if (a[i].kind == Item::Time &&
            ((a[i].us < 0) != (b[i].us < 0) || !near(a[i].us, b[i].us, grain)))
            return false;
    }
    return true;
}

struct ShapeSum {
    std::vector<Item> items; // times summed
    int count = 0;
    std::vector<double> periods, gaps, trailing;
    double gapAfter = -1;     // the first gap seen after a frame of it (-1: none yet)
    double startToStart = -1; // and from its start to the next frame's
};

// The items of a shape, its times the mean of its frames'.
std::vector<Item> meanItems(const ShapeSum& s) {
    std::vector<Item> mean = s.items;
    for (Item& item : mean)
        item.us /= s.count;
    return mean;
}

// Frames alike but for the gap after them are of two shapes where one gap is
// more than twice the other (a start frame before a long pause, say); -1, the
// capture's end, fits any, and so do two gaps of a few hundred microseconds
// (frames back to back).
bool gapsAlike(double a, double b) {
    return a < 0 || b < 0 || (a <= 2 * b && b <= 2 * a) || std::abs(a - b) < 250;
}

} // namespace

namespace {

// A structure analysed from some of the presses: their places among all.
void inputsOf(Result& r, const std::vector<size_t>& places) {
    for (PressResult& p : r.presses)
        if (p.input < places.size()) p.input = places[p.input];
    for (Result& other : r.others)
        inputsOf(other, places);
}

// structures: how many structures the presses may still be split into.
// Literal: each time written out, no coding tried (a press no coding's
// reading renders back).
Result analyseStructures(const std::vector<Press>& input, const Options& options, int structures,
                         bool literal = false) {
    Result result;
    std::vector<PressTimes> presses;
    double excessSum = 0, grain = 1;
    for (const Press& in : input)
        grain = std::max(grain, engine::samplingStep(in.times));
    std::vector<AlikeReading> alike;
    const std::optional<double> shared =
        options.excess ? std::nullopt : wholeUnitExcess(input, grain, &alike);
    for (const AlikeReading& a : alike)
        result.notes.push_back(
            "the times fit as well at a unit of " + std::to_string(std::lround(a.unit)) +
            " us with " + std::to_string(std::lround(a.excess)) +
            " us of burst excess (the times alone cannot tell a receiver's excess)");
    for (const Press& in : input) {
        PressTimes p;
        const double e = options.excess ? *options.excess
                         : shared       ? *shared
                                        : estimateExcess(in.times, grain);
        excessSum += e;
        for (size_t i = 0; i < in.times.size(); ++i) {
            const double v = static_cast<double>(in.times[i]) + (i % 2 ? e : -e);
            p.t.push_back(std::max(1.0, v));
        }
        if (p.t.empty()) continue;
        p.frames = splitFrames(p.t, grain);
        // A lone burst far ahead of the press is a stray, not its first frame.
        if (p.frames.size() >= 2 && p.frames[0].end - p.frames[0].begin == 1 &&
            p.frames[0].gapAfter > 50000) {
            result.notes.push_back((in.name.empty() ? std::string("a press") : in.name) +
                                   ": a lone burst " +
                                   std::to_string(std::lround(p.frames[0].gapAfter / 1000)) +
                                   " ms ahead of it is left out");
            p.t.erase(p.t.begin(), p.t.begin() + 2);
            p.skipped = 2;
            p.frames = splitFrames(p.t, grain);
        }
        p.input = static_cast<size_t>(&in - input.data());
        presses.push_back(std::move(p));
        if (result.carrierHz == 0) result.carrierHz = in.carrierHz;
    }
    if (presses.empty()) {
        result.notes.push_back("no times to analyse");
        return result;
    }
    // Frames back to back that most presses do not send, and that are no
    // copies of one another: a press whose second half happens to begin as
    // its first did is one frame still.
    {
        size_t whole = 0;
        std::vector<std::vector<FrameSpan>> atGaps;
        for (const PressTimes& p : presses) {
            atGaps.push_back(splitFrames(p.t, grain, false));
            whole += atGaps.back().size() == p.frames.size();
        }
        auto copies = [&](const PressTimes& p) {
            const FrameSpan& a = p.frames.front();
            for (const FrameSpan& f : p.frames) {
                if (f.end - f.begin != a.end - a.begin) return false;
                for (size_t k = 0; k < f.end - f.begin; ++k)
                    if (!timesAlike(p.t[f.begin + k], p.t[a.begin + k], grain)) return false;
            }
            return true;
        };
        if (presses.size() >= 3 && 2 * whole > presses.size())
            for (size_t pi = 0; pi < presses.size(); ++pi)
                if (atGaps[pi].size() != presses[pi].frames.size() && !copies(presses[pi]))
                    presses[pi].frames = std::move(atGaps[pi]);
    }
    result.excess = excessSum / static_cast<double>(input.size());
    result.grain = grain;

    // The classes of all bursts and of all gaps inside frames, pooled.
    std::vector<double> markTimes, spaceTimes;
    std::vector<std::pair<size_t, size_t>> markAt, spaceAt;
    for (size_t pi = 0; pi < presses.size(); ++pi) {
        PressTimes& p = presses[pi];
        p.cls.assign(p.t.size(), -1);
        for (const FrameSpan& f : p.frames)
            for (size_t i = f.begin; i < f.end; ++i) {
                auto& times = (i - f.begin) % 2 == 0 ? markTimes : spaceTimes;
                auto& at = (i - f.begin) % 2 == 0 ? markAt : spaceAt;
                times.push_back(p.t[i]);
                at.push_back({pi, i});
            }
    }
    const Classes marks = classify(markTimes, grain), spaces = classify(spaceTimes, grain);
    for (size_t k = 0; k < markAt.size(); ++k)
        presses[markAt[k].first].cls[markAt[k].second] = marks.of[k];
    for (size_t k = 0; k < spaceAt.size(); ++k)
        presses[spaceAt[k].first].cls[spaceAt[k].second] = spaces.of[k];

    // Each coding read over every frame; the one that reads most bits with fewest odd times wins.
    Candidate best;
    std::vector<std::vector<FrameRead>> reads = readAll(presses, best, marks, spaces);
    // Where two read as much, the one whose symbols lie nearer the times.
    auto misfit = [](const std::vector<std::vector<FrameRead>>& r) {
        double sum = 0;
        for (const auto& press : r)
            for (const FrameRead& f : press)
                sum += f.misfit;
        return sum;
    };
    double bestScore = score(reads, best), bestMisfit = misfit(reads);
    for (Candidate c :
         literal ? std::vector<Candidate>{} : candidates(presses, marks, spaces, grain)) {
        auto r = readAll(presses, c, marks, spaces);
        const double s = score(r, c);
        if (s > bestScore || (s == bestScore && misfit(r) < bestMisfit)) {
            bestScore = s;
            bestMisfit = misfit(r);
            best = c;
            reads = std::move(r);
        }
    }
    size_t totalBits = 0;
    for (const auto& press : reads)
        for (const FrameRead& f : press)
            totalBits += f.bits.size();
    if (totalBits < 4 * presses.size() && best.coding != Coding::RunLength) {
        best = Candidate{};
        reads = readAll(presses, best, marks, spaces);
    }
    // Where no coding fits, or the best leaves more times of its frames of
    // bits unread than it reads symbols, whole units may.
    double runUnit = 0, unread = 0, symbols = 0;
    for (const auto& press : reads)
        for (const FrameRead& f : press)
            if (!f.bits.empty())
                for (const Item& item : f.items)
                    (item.kind == Item::Time ? unread : symbols) +=
                        item.kind == Item::Time ? 1 : item.bits / best.bitsPerSymbol;
    if (!literal && (best.coding == Coding::RunLength || unread >= symbols)) {
        auto units = readUnits(presses, grain, runUnit);
        if (!units.empty()) {
            reads = std::move(units);
            best = Candidate{};
        }
    }
    result.coding = best.coding;
    result.bitsPerSymbol = best.bitsPerSymbol;
    result.msb = best.coding == Coding::BiPhase || best.coding == Coding::PulsePosition;

    // The unit: the symbols' times as small multiples of it.
    if (best.coding == Coding::BiPhase) {
        double sum = 0, n = 0;
        for (const PressTimes& p : presses)
            for (double v : p.t) {
                const double k = std::round(v / best.half);
                if (k >= 1 && k <= 2 && std::abs(v - k * best.half) < 0.35 * best.half) {
                    sum += v;
                    n += k;
                }
            }
        result.unit = n > 0 ? sum / n : best.half;
        const double one = best.oneSpaceFirst == 1 ? 1 : -1;
        result.symbols = {{one, -one}, {-one, one}};
    } else if (!best.times.empty() && !best.secondPair) {
        result.unit = best.step;
        for (auto [m, g] : best.times)
            result.symbols.push_back({m / best.step, -g / best.step});
    } else if (!best.pairs.empty()) {
        // Each symbol's burst and gap; a symbol of two bursts has its
        // second pair's last, joined to it below.
        std::vector<double> parts;
        if (best.secondPair) {
            for (auto [m, g] : best.times)
                parts.insert(parts.end(), {m, g});
            parts.insert(parts.end(), {best.secondPair->first, best.secondPair->second});
        } else {
            for (auto [m, s] : best.pairs) {
                parts.push_back(marks.means[static_cast<size_t>(m)]);
                parts.push_back(spaces.means[static_cast<size_t>(s)]);
            }
        }
        const double u0 = *std::min_element(parts.begin(), parts.end());
        double sum = 0, n = 0;
        for (double v : parts) {
            sum += v;
            n += nice(v / u0);
        }
        result.unit = sum / n;
        for (size_t k = 0; k < parts.size(); k += 2)
            result.symbols.push_back(
                {nice(parts[k] / result.unit), -nice(parts[k + 1] / result.unit)});
        if (best.secondPair) {
            result.symbols[1].insert(result.symbols[1].end(), result.symbols[2].begin(),
                                     result.symbols[2].end());
            result.symbols.pop_back();
        }
    } else if (runUnit > 0) {
        result.unit = runUnit;
        result.symbols = {{-1}, {1}};
    } else {
        std::vector<double> all = markTimes;
        all.insert(all.end(), spaceTimes.begin(), spaceTimes.end());
        const Classes c = classify(all);
        result.unit = c.means.empty() ? 1 : c.means.front();
    }

    // Frames of one shape across all presses.
    std::vector<ShapeSum> shapes;
    std::vector<std::vector<int>> shapeOf(reads.size());
    for (size_t pi = 0; pi < reads.size(); ++pi)
        for (const FrameRead& f : reads[pi]) {
            // A capture's last gap is often cut: it tells no shape apart.
            const bool last = &f == &reads[pi].back();
            const double gapAfter = last ? -1 : f.gapAfter;
            const double startToStart = last ? -1 : (&f + 1)->start - f.start;
            // Frames sent at a fixed period leave gaps as long as the
            // period leaves them.
            auto periodic = [&](const ShapeSum& s) {
                return s.startToStart > 0 && startToStart > 0 &&
                       std::abs(s.startToStart - startToStart) <=
                           std::max(250.0, 0.03 * startToStart);
            };
            int id = -1;
            for (size_t s = 0; s < shapes.size() && id < 0; ++s)
                if (sameShape(meanItems(shapes[s]), f.items, grain) &&
                    (gapsAlike(shapes[s].gapAfter, gapAfter) || periodic(shapes[s])))
                    id = static_cast<int>(s);
            if (id < 0) {
                shapes.push_back({f.items, 0, {}, {}, {}, -1, -1});
                for (Item& item : shapes.back().items)
                    item.us = 0;
                id = static_cast<int>(shapes.size() - 1);
            }
            ShapeSum& s = shapes[static_cast<size_t>(id)];
            if (s.gapAfter < 0) s.gapAfter = gapAfter;
            if (s.startToStart < 0) s.startToStart = startToStart;
            for (size_t k = 0; k < f.items.size(); ++k)
                s.items[k].us += f.items[k].us;
            ++s.count;
            shapeOf[pi].push_back(id);
        }
    // A press's last frame, whose gap is unknown, is of the shape of an
    // earlier frame of the press that sent the same bits.
    for (size_t pi = 0; pi < reads.size(); ++pi) {
        const auto& f = reads[pi];
        for (size_t j = f.size() > 0 ? f.size() - 1 : 0; j-- > 0;) {
            const ShapeSum& s = shapes[static_cast<size_t>(shapeOf[pi][j])];
            if (f[j].bits == f.back().bits && sameShape(meanItems(s), f.back().items, grain)) {
                shapeOf[pi].back() = shapeOf[pi][j];
                break;
            }
        }
    }

    // Per press: the intro frames, then copies of a repeated frame or of a
    // cycle of two or three frames (a frame, then its complement, in turn),
    // then perhaps an ending frame sent once on release.
    struct Split {
        std::vector<int> intro, repeat, ending;
        int repeats = 0;
        bool whole = false;
    };
    std::vector<Split> splits;
    for (size_t pi = 0; pi < reads.size(); ++pi) {
        const auto& f = reads[pi];
        const auto& ids = shapeOf[pi];
        Split sp;
        const size_t n = f.size();
        auto same = [&](size_t a, size_t b) { return ids[a] == ids[b] && f[a].bits == f[b].bits; };
        // The repeat at the end of frames [0, m): copies of one frame, or
        // cycles of two or three frames, two of them at least. Its start,
        // period and copies; period 0 where there is none.
        struct Tail {
            size_t from, period, copies;
        };
        auto tail = [&](size_t m) -> Tail {
            if (m >= 2) {
                size_t k = m;
                while (k > 0 && same(k - 1, m - 1))
                    --k;
                if (m - k >= 2) return {k, 1, m - k};
            }
            for (size_t p = 2; p <= 3 && m >= 2 * p; ++p) {
                size_t s = m - p;
                while (s > 0 && same(s - 1, s - 1 + p))
                    --s;
                if (const size_t c = (m - s) / p; c >= 2) return {m - c * p, p, c};
            }
            return {m, 0, 0};
        };
        auto take = [&](Tail t) {
            sp.intro.assign(ids.begin(), ids.begin() + static_cast<long>(t.from));
            sp.repeat.assign(ids.begin() + static_cast<long>(t.from),
                             ids.begin() + static_cast<long>(t.from + t.period));
            sp.repeats = static_cast<int>(t.copies);
            if (sp.intro.empty()) {
                sp.intro = sp.repeat;
                --sp.repeats;
                sp.whole = true;
            }
        };
        if (const Tail t = tail(n); t.period > 0) {
            take(t);
        } else {
            // The repeat, then an ending of one or two frames sent once.
            for (size_t e = 1; e <= 2 && e < n && sp.repeat.empty(); ++e)
                if (const Tail te = tail(n - e); te.period > 0) {
                    take(te);
                    sp.whole = false;
                    sp.ending.assign(ids.end() - static_cast<long>(e), ids.end());
                }
            // One copy of a frame no longer than the first, or the first's
            // bits again; not other bits, at least half as many, without the
            // lead-in the first has: those go on with the message.
            const size_t k = n - 1;
            const bool goesOn = n >= 2 && !f[0].items.empty() && !f[k].items.empty() &&
                                f[0].items.front().kind == Item::Time &&
                                f[k].items.front().kind == Item::Bits &&
                                2 * f[k].bits.size() >= f[0].bits.size();
            if (sp.repeat.empty()) {
                if (n >= 2 &&
                    (f[k].bits == f[0].bits || (f[k].bits.size() < f[0].bits.size() && !goesOn)))
                    take({k, 1, 1});
                else
                    sp.intro = ids;
            }
        }
        // A lead-in sent once before frames of bits: the first of them
        // carries the message, the rest repeat it.
        if (!sp.whole && sp.repeat.size() == 1 && sp.repeats >= 2 &&
            !f[sp.intro.size()].bits.empty() &&
            std::all_of(f.begin(), f.begin() + static_cast<long>(sp.intro.size()),
                        [](const FrameRead& r) { return r.bits.empty(); })) {
            sp.intro.push_back(sp.repeat[0]);
            --sp.repeats;
        }
        splits.push_back(sp);
    }
    // The structure most presses show.
    std::vector<int> intro, repeat, ending;
    int votes = 0, wholeVotes = 0;
    // The repeat and ending only of presses with that intro: a stray
    // capture's odd frames are no part of the remote's.
    using Votes = std::map<std::vector<int>, int>;
    // The sequence most voted for (the first of a tie), and its votes.
    auto winner = [](const Votes& v, std::vector<int>& seq) {
        int most = 0;
        seq.clear();
        for (const auto& [s, n] : v)
            if (n > most) {
                most = n;
                seq = s;
            }
        return most;
    };
    auto vote = [&] {
        Votes introVotes, repeatVotes, endingVotes;
        for (const Split& sp : splits)
            ++introVotes[sp.intro];
        winner(introVotes, intro);
        wholeVotes = 0;
        for (const Split& sp : splits) {
            if (sp.intro != intro) continue;
            ++endingVotes[sp.ending];
            if (!sp.repeat.empty()) ++repeatVotes[sp.repeat];
            if (sp.whole) ++wholeVotes;
        }
        winner(endingVotes, ending);
        votes = winner(repeatVotes, repeat);
    };
    auto isWhole = [&] { return !repeat.empty() && wholeVotes * 2 >= votes && intro == repeat; };
    vote();
    bool whole = isWhole();
    // The repeat's bits, per bit, as a copy or complement of the message bit
    // in the same place of the intro frame of its shape, else a constant;
    // false where a bit is none of these across the presses.
    auto shapeBits = [&](int id) {
        return Shape{shapes[static_cast<size_t>(id)].items}.bitCount();
    };
    // The bits of frames [from, from + n) of press pi.
    auto bitsOf = [&](size_t pi, size_t from, size_t n) {
        std::string bits;
        for (size_t i = from; i < from + n && i < reads[pi].size(); ++i)
            bits += reads[pi][i].bits;
        return bits;
    };
    auto mapCycle = [&](std::vector<Result::RepeatBit>& map) {
        map.clear();
        std::vector<std::pair<std::string, std::string>> sent; // message, cycle per press
        for (size_t pi = 0; pi < reads.size(); ++pi) {
            const Split& sp = splits[pi];
            if (sp.whole || sp.intro != intro || sp.repeat != repeat) continue;
            if (reads[pi].size() < intro.size() + repeat.size()) return false;
            sent.emplace_back(bitsOf(pi, 0, intro.size()), bitsOf(pi, intro.size(), repeat.size()));
        }
        // A repeat frame of a shape of its own may send a run of the
        // message's bits (a command without the address): where the bits
        // that change from press to press are that run's, copied or
        // complemented, in every press.
        auto runOf = [&](size_t first, size_t n) {
            if (sent.empty()) return -1;
            const std::string &message0 = sent.front().first, &cycle0 = sent.front().second;
            for (const auto& [message, cycle] : sent)
                if (message.size() != message0.size() || cycle.size() < first + n) return -1;
            std::vector<size_t> varying;
            for (size_t b = first; b < first + n; ++b)
                if (std::any_of(sent.begin(), sent.end(),
                                [&](const auto& mc) { return mc.second[b] != cycle0[b]; }))
                    varying.push_back(b);
            if (varying.empty()) return -1;
            for (size_t o = 0; o + n <= message0.size(); ++o) {
                bool fits = true;
                for (size_t b : varying) {
                    const size_t m = o + b - first;
                    const bool flip = message0[m] != cycle0[b];
                    for (const auto& [message, cycle] : sent)
                        fits = fits && (message[m] != cycle[b]) == flip;
                }
                if (fits) return static_cast<int>(o);
            }
            return -1;
        };
        for (size_t j = 0; j < repeat.size(); ++j) {
            int source = -1;
            for (size_t i = 0, at = 0; i < intro.size() && source < 0;
                 at += static_cast<size_t>(shapeBits(intro[i])), ++i)
                if (intro[i] == repeat[j]) source = static_cast<int>(at);
            if (source < 0) source = runOf(map.size(), static_cast<size_t>(shapeBits(repeat[j])));
            for (int b = 0; b < shapeBits(repeat[j]); ++b)
                map.push_back({'?', source < 0 ? -1 : source + b});
        }
        std::vector<int> eq(map.size(), 1), ne(map.size(), 1), zero(map.size(), 1),
            one(map.size(), 1);
        for (const auto& [message, cycle] : sent) {
            if (cycle.size() != map.size()) return false;
            for (size_t b = 0; b < map.size(); ++b) {
                const int from = map[b].from;
                const bool inMessage = from >= 0 && static_cast<size_t>(from) < message.size();
                eq[b] &= inMessage && message[static_cast<size_t>(from)] == cycle[b];
                ne[b] &= inMessage && message[static_cast<size_t>(from)] != cycle[b];
                zero[b] &= cycle[b] == '0';
                one[b] &= cycle[b] == '1';
            }
        }
        for (size_t b = 0; b < map.size(); ++b) {
            map[b].how = eq[b] ? '=' : ne[b] ? '~' : zero[b] ? '0' : one[b] ? '1' : '?';
            if (map[b].how == '?') return false;
        }
        return true;
    };
    // A repeated frame whose bits change from button to button, and are
    // not the message's, is a frame of the message (an air conditioner's
    // second frame), not a repeat; so is a cycle whose bits are not the
    // message's.
    auto fold = [&](size_t pi) {
        Split& sp = splits[pi];
        sp.intro = shapeOf[pi];
        sp.repeat.clear();
        sp.ending.clear();
        sp.repeats = 0;
        sp.whole = false;
    };
    std::vector<Result::RepeatBit> cycleMap;
    if (!repeat.empty() && !whole) {
        bool own = false;
        if (repeat.size() == 1) {
            std::string first;
            for (size_t pi = 0; pi < reads.size(); ++pi) {
                if (splits[pi].repeat != repeat || splits[pi].whole) continue;
                const std::string& bits = reads[pi][splits[pi].intro.size()].bits;
                if (bits.empty() || bits == bitsOf(pi, 0, splits[pi].intro.size())) continue;
                if (first.empty()) first = bits;
                own = own || bits != first;
            }
            // Bits that change with the message's are still a repeat.
            if (own) own = !mapCycle(cycleMap);
            // A frame of bits that never change, then copies of one that
            // does: the first copy sends the message, the rest repeat it.
            if (own) {
                const std::vector<Split> before = splits;
                std::vector<std::string> sent;
                for (size_t pi = 0; pi < reads.size(); ++pi)
                    if (splits[pi].intro == intro) sent.push_back(bitsOf(pi, 0, intro.size()));
                if (sent.size() >= 2 && std::all_of(sent.begin(), sent.end(), [&](const auto& b) {
                        return b == sent.front();
                    })) {
                    for (Split& sp : splits)
                        if (sp.intro == intro && sp.repeat == repeat && !sp.whole) {
                            sp.intro.push_back(repeat[0]);
                            if (--sp.repeats == 0) sp.repeat.clear();
                        }
                    vote();
                    whole = isWhole();
                    own = repeat.empty() || whole || !mapCycle(cycleMap);
                    if (own) {
                        splits = before;
                        vote();
                        whole = isWhole();
                        cycleMap.clear();
                    }
                }
            }
        } else {
            own = !mapCycle(cycleMap);
        }
        if (own) {
            for (size_t pi = 0; pi < reads.size(); ++pi)
                if (!splits[pi].repeat.empty() && !splits[pi].whole) fold(pi);
            vote();
            whole = isWhole();
            cycleMap.clear();
            if (repeat.size() > 1 && !whole && !mapCycle(cycleMap)) {
                for (size_t pi = 0; pi < reads.size(); ++pi)
                    if (splits[pi].repeat == repeat) fold(pi);
                vote();
                whole = isWhole();
            }
        }
    }

    // How each frame ends: at a fixed time after its start (its length
    // varies, the period does not) or after a fixed gap.
    for (size_t pi = 0; pi < reads.size(); ++pi) {
        const auto& f = reads[pi];
        for (size_t i = 0; i < f.size(); ++i) {
            ShapeSum& s = shapes[static_cast<size_t>(shapeOf[pi][i])];
            if (i + 1 < f.size()) {
                s.periods.push_back(f[i + 1].start - f[i].start);
                s.gaps.push_back(f[i].gapAfter);
            } else if (f[i].gapAfter >= 0) {
                s.trailing.push_back(f[i].gapAfter);
            }
        }
    }
    auto spread = [](const std::vector<double>& v) {
        if (v.size() < 2) return 0.0;
        auto [lo, hi] = std::minmax_element(v.begin(), v.end());
        double mean = 0;
        for (double x : v)
            mean += x;
        mean /= static_cast<double>(v.size());
        return (*hi - *lo) / std::max(1.0, mean);
    };
    auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double x : v)
            sum += x;
        return v.empty() ? 0 : sum / static_cast<double>(v.size());
    };
    // own: the gaps after the frame at one place of the intro, where a
    // shape sent twice there ends each time with a gap of its own (-100m,
    // then -60m).
    auto finish = [&](int id, const std::vector<double>& own = {}) {
        const ShapeSum& s = shapes[static_cast<size_t>(id)];
        Shape shape;
        shape.items = meanItems(s);
        // A remote's jitter moves a long gap by several percent; the period
        // still holds where the gaps vary far more (frames of other lengths).
        const double periods = spread(s.periods), gaps = spread(s.gaps);
        if (s.periods.size() >= 2 &&
            ((periods < 0.02 && gaps > periods) || (periods < 0.1 && gaps > 3 * periods)))
            shape.items.push_back({Item::Extent, mean(s.periods), 0});
        else if (!own.empty())
            shape.items.push_back({Item::Time, -std::max(mean(own), 1.0), 0});
        else if (!s.gaps.empty())
            shape.items.push_back({Item::Time, -std::max(mean(s.gaps), 1.0), 0});
        else if (!s.trailing.empty())
            shape.items.push_back({Item::Time, -std::max(mean(s.trailing), 1.0), 0});
        else
            shape.items.push_back({Item::Time, -100000, 0});
        return shape;
    };
    for (size_t k = 0; k < intro.size(); ++k) {
        std::vector<double> own;
        if (std::count(intro.begin(), intro.end(), intro[k]) > 1)
            for (size_t pi = 0; pi < reads.size(); ++pi)
                if (splits[pi].intro == intro && k + 1 < reads[pi].size())
                    own.push_back(reads[pi][k].gapAfter);
        result.intro.push_back(finish(intro[k], own));
    }
    for (int id : repeat)
        result.repeat.push_back(finish(id));
    for (int id : ending)
        result.ending.push_back(finish(id));
    if (!repeat.empty()) result.repeatKind = whole ? Result::WholeFrame : Result::Ditto;

    // The repeat sends the message again, or bits of its own.
    if (!cycleMap.empty() && !whole) {
        result.repeatMap = cycleMap;
    } else if (!repeat.empty() && !whole) {
        result.repeatSendsMessage = true;
        for (size_t pi = 0; pi < reads.size(); ++pi) {
            if (splits[pi].repeat != repeat) continue;
            const std::string& own = reads[pi][splits[pi].intro.size()].bits;
            if (own != bitsOf(pi, 0, splits[pi].intro.size())) result.repeatSendsMessage = false;
            if (result.repeatBits.empty()) result.repeatBits = own;
        }
        if (result.repeatSendsMessage) result.repeatBits.clear();
    }

    // The message of each press and the runs of bits in it.
    std::vector<std::pair<int, int>> runs;
    int at = 0;
    for (const auto* part : {&result.intro, &result.ending})
        for (const Shape& s : *part)
            for (const Item& item : s.items)
                if (item.kind == Item::Bits) {
                    runs.push_back({at, at + item.bits});
                    at += item.bits;
                }
    std::vector<std::string> messages;
    std::vector<size_t> fitting;
    for (size_t pi = 0; pi < reads.size(); ++pi) {
        PressResult pr;
        pr.name = input[presses[pi].input].name;
        pr.input = presses[pi].input;
        pr.skipped = presses[pi].skipped;
        const Split& sp = splits[pi];
        // A press without the repeat, or a whole-frame repeat, still fits.
        std::vector<int> ids = sp.intro;
        int repeats = sp.repeats;
        if (!whole && sp.whole && !sp.repeat.empty()) {
            for (int k = 0; k < sp.repeats; ++k)
                ids.insert(ids.end(), sp.repeat.begin(), sp.repeat.end());
            repeats = 0;
        }
        pr.fits = ids == intro && sp.ending == ending &&
                  (sp.repeat.empty() || sp.repeat == repeat || (!whole && sp.whole));
        pr.repeats = repeats;
        for (size_t i = 0; i < ids.size() && i < reads[pi].size(); ++i)
            pr.bits += reads[pi][i].bits;
        for (size_t i = reads[pi].size() - sp.ending.size(); i < reads[pi].size(); ++i)
            pr.bits += reads[pi][i].bits;
        if (pr.fits) {
            messages.push_back(pr.bits);
            fitting.push_back(pi);
        } else {
            result.notes.push_back((pr.name.empty() ? "a press" : pr.name) +
                                   " has frames of another shape");
        }
        result.presses.push_back(pr);
    }
    findFields(result, messages, runs, result.msb);
    writeIrp(result);
    // Each press rendered from the IRP with its parameters and compared
    // with its times; the structure read back stands in where the IRP
    // cannot be rendered.
    std::optional<irp::Protocol> protocol;
    try {
        protocol = irp::parse(result.irp);
    } catch (const std::exception& e) {
        result.notes.push_back(std::string("the IRP cannot be read back: ") + e.what());
    }
    // A receiver's excess follows the signal's strength from burst to burst
    // and frame to frame: presses taken through one are held to the
    // tolerance its decodes are, each frame with its own excess.
    const bool throughReceiver = result.excess != 0;
    const double absolute = std::max(
        1.5 * grain, throughReceiver ? irp::DecodeOptions{}.receiverAbsoluteTolerance : 0.0);
    for (size_t k = 0; k < fitting.size(); ++k) {
        PressResult& pr = result.presses[fitting[k]];
        std::vector<uint64_t> values;
        irp::Params params;
        for (const Field& f : result.fields) {
            values.push_back(f.values[k]);
            if (f.role == Field::Check) continue;
            pr.params.push_back({f.name, f.values[k]});
            params.set(f.name, static_cast<int64_t>(f.values[k]));
        }
        const std::vector<double>& captured = presses[fitting[k]].t;
        std::vector<double> rendered;
        if (protocol) {
            try {
                for (int64_t t : irp::render(*protocol, params, {pr.repeats}).press(pr.repeats))
                    rendered.push_back(static_cast<double>(t));
            } catch (const std::exception& e) {
                result.notes.push_back(pr.name + ": " + e.what());
            }
        } else {
            const std::string composed = composeMessage(result, values);
            if (composed == pr.bits) rendered = renderStructure(result, composed, pr.repeats);
        }
        pr.rendersBack = timesMatch(rendered, captured, &pr.worstError, absolute, throughReceiver);
    }
    // A press whose reading is half a unit or more off somewhere (symbols
    // closer than the tolerance tells apart) is written out time for time
    // rather than misread; nearer, the reading stands (a time a receiver
    // moved), not rendered back.
    if (!literal && presses.size() == 1 && fitting.size() == 1 &&
        !result.presses[fitting[0]].rendersBack &&
        result.presses[fitting[0]].worstError >= 0.5 * result.unit) {
        Result plain = analyseStructures(input, options, structures, true);
        if (plain.presses.size() == 1 && plain.presses[0].rendersBack) {
            plain.notes.push_back(
                std::string("read as ") + codingName(result.coding) + " of " +
                std::to_string(result.bits()) + " bits, the press does not render back (a time " +
                std::to_string(std::lround(result.presses[fitting[0]].worstError)) +
                " us off): its times are written out");
            return plain;
        }
    }
    // Presses of another shape (buttons that send fewer frames, say) are
    // a structure of their own: analysed apart, and this one again without
    // them, so that their times do not blur its classes.
    // A capture of a few times is no key press (a stray flash): it is left
    // out, and makes no structure.
    constexpr size_t kFewestTimes = 8;
    std::vector<bool> inMain(presses.size());
    for (size_t pi = 0; pi < presses.size(); ++pi)
        inMain[pi] = result.presses[pi].fits;
    std::vector<Press> fit, others;
    std::vector<size_t> fitInput, otherInput;
    auto split = [&] {
        fit.clear();
        others.clear();
        fitInput.clear();
        otherInput.clear();
        for (size_t pi = 0; pi < presses.size(); ++pi) {
            const Press& in = input[presses[pi].input];
            if (inMain[pi]) {
                fit.push_back(in);
                fitInput.push_back(presses[pi].input);
            } else if (in.times.size() >= kFewestTimes) {
                others.push_back(in);
                otherInput.push_back(presses[pi].input);
            }
        }
    };
    split();
    if (fit.empty() || fit.size() == presses.size() || structures <= 1) return result;
    Result main = analyseStructures(fit, options, 1);
    inputsOf(main, fitInput);
    // The shape analysed without the others may leave a press it no longer
    // renders back (its classes narrowed): that one joins them.
    const bool mainBack = std::any_of(main.presses.begin(), main.presses.end(),
                                      [](const PressResult& p) { return p.rendersBack; });
    bool moved = false;
    for (size_t pi = 0; pi < presses.size() && mainBack; ++pi) {
        const auto mp =
            std::find_if(main.presses.begin(), main.presses.end(),
                         [&](const PressResult& p) { return p.input == presses[pi].input; });
        if (inMain[pi] && mp != main.presses.end() && !mp->rendersBack) {
            inMain[pi] = false;
            moved = true;
        }
    }
    if (moved) {
        split();
        main = analyseStructures(fit, options, 1);
        inputsOf(main, fitInput);
    }
    std::vector<PressResult> all;
    for (size_t pi = 0, k = 0; pi < presses.size(); ++pi) {
        if (inMain[pi] && k < main.presses.size()) {
            all.push_back(main.presses[k++]);
            continue;
        }
        // Not of this structure: nothing read by its IRP.
        PressResult apart = result.presses[pi];
        apart.fits = apart.rendersBack = false;
        apart.params.clear();
        apart.worstError = 0;
        all.push_back(std::move(apart));
    }
    main.presses = std::move(all);
    for (size_t pi = 0; pi < presses.size(); ++pi)
        if (!inMain[pi]) {
            const size_t times = input[presses[pi].input].times.size();
            main.notes.push_back(
                (result.presses[pi].name.empty() ? "a press" : result.presses[pi].name) +
                (result.presses[pi].fits ? " is not rendered back by the IRP: analysed apart"
                 : times >= kFewestTimes ? " has frames of another shape"
                                         : " holds " + std::to_string(times) + " times: no press"));
        }
    if (others.empty()) return main;
    Result other = analyseStructures(others, options, structures - 1);
    inputsOf(other, otherInput);
    std::vector<Result> nested = std::move(other.others);
    other.others.clear();
    main.others.push_back(std::move(other));
    for (Result& n : nested)
        main.others.push_back(std::move(n));
    return main;
}

} // namespace

// A remote's presses of other shapes (a few buttons that send fewer frames)
// are split off, up to this many structures in all.
constexpr int kStructures = 8;

namespace {

void countGlitches(Result& r, const std::vector<size_t>& glitches) {
    for (PressResult& p : r.presses)
        p.glitches = p.input < glitches.size() ? glitches[p.input] : 0;
    for (Result& other : r.others)
        countGlitches(other, glitches);
}

} // namespace

Result analyse(const std::vector<Press>& input, const Options& options) {
    if (options.excess && *options.excess == 0)
        return analyseStructures(input, options, kStructures);
    std::vector<Press> merged;
    std::vector<size_t> glitches(input.size());
    std::vector<std::string> notes;
    for (size_t i = 0; i < input.size(); ++i) {
        auto times = irp::withoutGlitches(input[i].times);
        if (!times) continue;
        if (merged.empty()) merged = input;
        glitches[i] = (input[i].times.size() - times->size()) / 2;
        merged[i].times = std::move(*times);
        notes.push_back((input[i].name.empty() ? std::string("a press") : input[i].name) +
                        (glitches[i] == 1
                             ? ": a time of 40 us or less taken as part of the burst or gap it "
                               "splits (a receiver's glitch)"
                             : ": " + std::to_string(glitches[i]) +
                                   " times of 40 us or less taken as part of the bursts or gaps "
                                   "they split (a receiver's glitches)"));
    }
    if (merged.empty()) return analyseStructures(input, options, kStructures);
    Result r = analyseStructures(merged, options, kStructures);
    countGlitches(r, glitches);
    r.notes.insert(r.notes.begin(), notes.begin(), notes.end());
    return r;
}

} // namespace qv::analysis
