#include "engine/ir_signal.h"

#include "engine/decode_values.h"

#include <cmath>
#include <cstdint>
#include <random>
#include <stdexcept>

namespace qv::irsig {

namespace {

constexpr long kTimerRange = 65536;

} // namespace

std::string lsbFirst(uint64_t value, int bits) {
    std::string s;
    for (int i = 0; i < bits; ++i)
        s += (value >> i) & 1 ? '1' : '0';
    return s;
}

std::string msbFirst(uint64_t value, int bits) {
    std::string s;
    for (int i = bits - 1; i >= 0; --i)
        s += (value >> i) & 1 ? '1' : '0';
    return s;
}

std::string inverted(const std::string& bits) {
    std::string s = bits;
    for (char& c : s)
        c = c == '1' ? '0' : '1';
    return s;
}

FrameBuilder& FrameBuilder::mark(double us) {
    m_body.push_back({true, us});
    return *this;
}

FrameBuilder& FrameBuilder::space(double us) {
    m_body.push_back({false, us});
    return *this;
}

FrameBuilder& FrameBuilder::pulses(const std::string& bits, const PulseCoding& c) {
    for (char b : bits) {
        mark(b == '1' ? c.oneMark : c.zeroMark);
        space(b == '1' ? c.oneSpace : c.zeroSpace);
    }
    return *this;
}

FrameBuilder& FrameBuilder::biphase(const std::string& bits, double half, bool oneMarkFirst) {
    for (char b : bits) {
        const bool markFirst = (b == '1') == oneMarkFirst;
        m_body.push_back({markFirst, half});
        m_body.push_back({!markFirst, half});
    }
    return *this;
}

double FrameBuilder::length() const {
    double t = 0;
    for (const auto& s : m_body)
        t += s.us;
    return t;
}

Frame FrameBuilder::period(double us) const {
    if (us <= length()) throw std::logic_error("frame longer than its period");
    return Frame{m_body, us};
}

Frame FrameBuilder::leadOut(double gap) const {
    return Frame{m_body, length() + gap};
}

Capture render(const KeyPress& press, double jitter, uint32_t seed) {
    return render(press, Receiver{jitter}, seed);
}

Receiver drawReceiver(uint32_t seed) {
    std::mt19937 rng(seed ^ 0x5eed);
    auto in = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    const double steps[] = {50, 1000.0 / 15, 100};
    Receiver r;
    r.excess = in(40, 200);
    r.jitter = 0.06;
    r.speed = rng() % 2 ? 1.04 : 0.96;
    r.step = steps[rng() % 3];
    return r;
}

// The receiver's view of exact times: bursts end late, edges fall on the
// sampling grid (from a random phase).
void demodulate(std::vector<int64_t>& times, const Receiver& r, std::mt19937& rng) {
    const double phase = std::uniform_real_distribution<double>(0, r.step)(rng);
    auto grid = [&](double t) { return std::floor((t + phase) / r.step) * r.step; };
    double edge = 0, previous = grid(0);
    for (size_t i = 0; i < times.size(); ++i) {
        const double exact = edge + static_cast<double>(times[i]);
        // A burst ends late, never past the next burst's start.
        const double gap = i + 1 < times.size() ? static_cast<double>(times[i + 1]) - 1 : r.excess;
        const double seen = i % 2 == 0 ? exact + std::min(r.excess, gap) : exact;
        edge = exact;
        const double q = std::max(grid(seen), previous + r.step);
        times[i] = static_cast<int64_t>(std::nearbyint(q - previous));
        previous = q;
    }
}

Capture render(const KeyPress& press, const Receiver& receiver, uint32_t seed) {
    std::mt19937 rng(seed);
    const double jitter = receiver.jitter;
    std::uniform_real_distribution<double> factor(1.0 - jitter, 1.0 + jitter);

    struct Piece {
        bool mark;
        int64_t us;
        size_t frame;
    };
    std::vector<Piece> pieces;
    // Each time is rounded on its own, as the receiver counts each burst and
    // gap on its own; the silence after a frame takes up what rounding and
    // jitter added, so that frames start on time.
    double frameEnd = 0;
    int64_t t = 0;
    for (size_t k = 0; k < press.size(); ++k) {
        const Frame& f = press[k];
        for (const auto& s : f.body) {
            const double us = (jitter > 0 ? s.us * factor(rng) : s.us) * receiver.speed;
            const auto d = std::max<int64_t>(1, static_cast<int64_t>(std::nearbyint(us)));
            pieces.push_back({s.mark, d, k});
            t += d;
        }
        frameEnd += f.period * receiver.speed;
        if (k + 1 < press.size()) {
            const auto gap = static_cast<int64_t>(std::nearbyint(frameEnd)) - t;
            if (gap <= 0) throw std::logic_error("jitter pushed a frame past its period");
            pieces.push_back({false, gap, k});
            t += gap;
        }
    }

    Capture c;
    std::vector<bool> level;
    size_t nextFrame = 0;
    for (const auto& p : pieces) {
        if (c.times.empty() && !p.mark) continue; // silence before the signal
        if (!level.empty() && level.back() == p.mark) {
            c.times.back() += p.us;
            continue;
        }
        if (p.mark && p.frame == nextFrame) {
            c.frameStarts.push_back(c.times.size());
            ++nextFrame;
        }
        c.times.push_back(p.us);
        level.push_back(p.mark);
    }
    if (!level.empty() && !level.back()) {
        c.times.pop_back(); // silence after the signal
        level.pop_back();
    }
    if (receiver.excess > 0 || receiver.step > 1) demodulate(c.times, receiver, rng);
    // A gap of whole overflow units would read as one unit more than sent.
    for (size_t i = 1; i < c.times.size(); i += 2)
        if (c.times[i] >= kOverflowUnit && c.times[i] % kOverflowUnit == 0) ++c.times[i];
    return c;
}

size_t receiverPairs(const Capture& capture) {
    size_t pairs = 7; // the last burst and the overflows that close the signal
    for (size_t i = 1; i < capture.times.size(); i += 2) {
        const long ticks = std::lround(static_cast<double>(capture.times[i]) * kReceiverTicksPerUs);
        pairs +=
            ticks < kTimerRange ? 1 : static_cast<size_t>(capture.times[i] / kOverflowUnit) + 1;
    }
    return pairs;
}

} // namespace qv::irsig
