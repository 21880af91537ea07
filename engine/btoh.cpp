#include "engine/engine.h"

#include "platform/basic.h"

#include <algorithm>
#include <cstdio>

namespace qv {

std::string bitsToHex(std::string& s1, bool rOrder) {
    if (s1.empty()) return {};
    s1 = trimBlanks(s1);
    size_t k = s1.size();
    std::string w = s1;
    if (!rOrder) std::reverse(w.begin(), w.end());

    std::string r;
    r.reserve(k / 4 + k / 8 + 2);
    size_t pos = 0;
    while (k >= 1) {
        if ((r.size() + 1) % 3 == 0) r += ' ';
        // The first digit takes the bits left over when k is not a multiple of 4.
        const size_t g = k % 4 == 0 ? 4 : k % 4;
        unsigned v = 0;
        for (size_t j = 0; j < g; ++j) {
            const char c = w[pos + j];
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
