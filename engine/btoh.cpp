#include "engine/engine.h"

#include "platform/basic.h"

#include <algorithm>
#include <cstdio>

namespace qv {

std::string bitsToHex(std::string& s1, bool rOrder) {
    if (s1.empty()) return {};
    // Trimmed in place and read from either end: every part of every
    // group comes here.
    const size_t first = s1.find_first_not_of(' ');
    if (first == std::string::npos) {
        s1.clear();
        return {};
    }
    s1.erase(s1.find_last_not_of(' ') + 1);
    s1.erase(0, first);
    const size_t n = s1.size();
    auto bitAt = [&](size_t p) { return rOrder ? s1[p] : s1[n - 1 - p]; };

    size_t k = n;
    std::string r;
    r.reserve(k / 4 + k / 8 + 2);
    size_t pos = 0;
    while (k >= 1) {
        if ((r.size() + 1) % 3 == 0) r += ' ';
        // The first digit takes the bits left over when k is not a multiple of 4.
        const size_t g = k % 4 == 0 ? 4 : k % 4;
        unsigned v = 0;
        for (size_t j = 0; j < g; ++j) {
            const char c = bitAt(pos + j);
            const unsigned digit = c >= '0' && c <= '9' ? static_cast<unsigned>(c - '0') : 0;
            v += digit << (g - 1 - j);
        }
        pos += g;
        k -= g;
        if (v < 16) {
            r += "0123456789ABCDEF"[v];
        } else { // digits other than 0 and 1 in the bits
            char buf[16];
            std::snprintf(buf, sizeof buf, "%X", v);
            r += buf;
        }
    }
    return r;
}

} // namespace qv
