#include "code_lines.h"

#include <algorithm>
#include <cmath>

namespace lines {

std::string hexOf(const std::string& bits, bool lsbFirst) {
    std::string msb = bits;
    if (lsbFirst) std::reverse(msb.begin(), msb.end());
    std::string digits;
    size_t first = msb.size() % 4 == 0 ? 4 : msb.size() % 4;
    for (size_t i = 0; i < msb.size(); first = 4) {
        int v = 0;
        for (size_t j = 0; j < first && i < msb.size(); ++j, ++i)
            v = v * 2 + (msb[i] == '1');
        digits += "0123456789ABCDEF"[v];
    }
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i % 2 == 0) out += ' ';
        out += digits[i];
    }
    return out;
}

std::string binaryLine(const std::vector<Part>& parts) {
    std::string out;
    for (const auto& p : parts) {
        if (p.data && p.bits.size() > 8) {
            // Byte by byte; a tail shorter than half a byte is not shown.
            const auto bytes = static_cast<size_t>(std::nearbyint(p.bits.size() / 8.0));
            for (size_t i = 0; i < bytes; ++i)
                out += p.bits.substr(i * 8, 8) + " ";
        } else {
            out += p.bits;
        }
        out += " ";
    }
    return out;
}

std::string hexLine(const std::vector<Part>& parts) {
    std::string out;
    for (const auto& p : parts)
        out += hexOf(p.bits, p.lsbFirst) + " ";
    return out;
}

} // namespace lines
