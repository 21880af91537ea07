// Captures for the benchmarks: key presses of three common protocols built
// from their public timings, and a message that fills every cell of the
// capture record.
#pragma once

#include "capture/capture_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qvbench {

// Alternating burst and gap times, burst first.
class Times {
public:
    Times& mark(int64_t us) { return add(true, us); }
    Times& space(int64_t us) { return add(false, us); }
    // Pads the frame's last gap so that the frame lasts period in all.
    Times& endFrame(int64_t period) {
        int64_t sum = 0;
        for (size_t i = m_frameStart; i < m_times.size(); ++i)
            sum += m_times[i];
        space(period - sum);
        m_frameStart = m_times.size();
        return *this;
    }
    const std::vector<int64_t>& times() const { return m_times; }

private:
    Times& add(bool burst, int64_t us) {
        const bool wantBurst = m_times.size() % 2 == 0;
        if (burst == wantBurst)
            m_times.push_back(us);
        else
            m_times.back() += us;
        return *this;
    }
    std::vector<int64_t> m_times;
    size_t m_frameStart = 0;
};

// NEC: 9 ms head, address, command and their complements LSB first, then
// two repeat heads, every 108 ms.
inline std::vector<int64_t> necPress(unsigned address, unsigned command) {
    Times t;
    t.mark(9000).space(4500);
    const unsigned bytes[] = {address, ~address & 0xFF, command, ~command & 0xFF};
    for (unsigned b : bytes)
        for (int i = 0; i < 8; ++i)
            t.mark(562).space((b >> i & 1) ? 1688 : 562);
    t.mark(562).endFrame(108000);
    for (int r = 0; r < 2; ++r)
        t.mark(9000).space(2250).mark(562).endFrame(108000);
    return t.times();
}

// RC-5: start bit, field bit, toggle, 5 address and 6 command bits MSB first,
// bi-phase with 889 us halves (a 1 is space then mark), every 113.778 ms.
inline std::vector<int64_t> rc5Press(unsigned address, unsigned command, int frames) {
    Times t;
    std::string bits = "11";
    bits += '0'; // toggle
    for (int i = 4; i >= 0; --i)
        bits += (address >> i & 1) ? '1' : '0';
    for (int i = 5; i >= 0; --i)
        bits += (command >> i & 1) ? '1' : '0';
    for (int f = 0; f < frames; ++f) {
        bool first = true;
        for (char b : bits) {
            if (b == '1') {
                if (!first) t.space(889); // the silence before the first burst is not seen
                t.mark(889);
            } else {
                t.mark(889).space(889);
            }
            first = false;
        }
        t.endFrame(113778);
    }
    return t.times();
}

// Sony 12 bits: 2.4 ms head, 7 command and 5 address bits LSB first (a 1 is a
// 1200 us burst), every 45 ms, three frames.
inline std::vector<int64_t> sonyPress(unsigned command, unsigned address) {
    Times t;
    for (int f = 0; f < 3; ++f) {
        t.mark(2400).space(600);
        for (int i = 0; i < 7; ++i)
            t.mark((command >> i & 1) ? 1200 : 600).space(600);
        for (int i = 0; i < 5; ++i)
            t.mark((address >> i & 1) ? 1200 : 600).space(600);
        t.endFrame(45000);
    }
    return t.times();
}

// A receiver message whose first half holds 320 pairs: every one of the 640
// cells of the capture record gets a time.
inline std::vector<uint8_t> fullMessage() {
    std::vector<uint8_t> m = {16, 32};
    for (int i = 0; i < 320; ++i) {
        const unsigned osc = 1036 + 7 * (i % 5);              // about 562 us
        const unsigned idle = (i % 3 == 0) ? 3111 : 1036 + i; // 1688 us, or near 562
        m.push_back(static_cast<uint8_t>(osc >> 8));
        m.push_back(static_cast<uint8_t>(osc));
        m.push_back(static_cast<uint8_t>(idle >> 8));
        m.push_back(static_cast<uint8_t>(idle));
    }
    m.resize(2 * m.size() + 8, 0);
    return m;
}

} // namespace qvbench
