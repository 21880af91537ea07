#include "exchange/read_support.h"

#include <algorithm>
#include <cctype>

namespace qv::exchange {

Lines::Lines(std::string_view text) {
    size_t p = 0;
    while (p < text.size()) {
        size_t e = text.find('\n', p);
        if (e == std::string_view::npos) e = text.size();
        std::string_view line = text.substr(p, e - p);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        m_lines.push_back(line);
        p = e + 1;
    }
}

CaptureFormatError refusal(const std::string& path, size_t line, const std::string& what) {
    return CaptureFormatError(path + ": " + (line ? "line " + std::to_string(line) + ": " : "") +
                              what);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string quoted(std::string_view word) {
    constexpr size_t kShown = 40;
    const bool cut = word.size() > kShown;
    return "\"" + shownWord(std::string(word.substr(0, kShown))) + (cut ? "...\"" : "\"");
}

std::optional<int64_t> decimal(std::string_view s, int64_t most) {
    if (s.empty() || s.size() > 18) return std::nullopt;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > most) return std::nullopt;
    return v;
}

std::optional<int64_t> integer(std::string_view s, int64_t most) {
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s.remove_prefix(2);
        while (s.size() > 1 && s[0] == '0')
            s.remove_prefix(1);
        if (s.empty() || s.size() > 15) return std::nullopt;
        int64_t v = 0;
        for (char c : s) {
            const int d = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : (std::isxdigit(static_cast<unsigned char>(c))
                                     ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                     : -1);
            if (d < 0) return std::nullopt;
            v = v * 16 + d;
        }
        if (v > most) return std::nullopt;
        return v;
    }
    return decimal(s, most);
}

void addSigned(std::vector<int64_t>& times, int64_t signedUs) {
    // A zero is no time: kept, it would part two halves of one burst or gap.
    if (signedUs == 0) return;
    const bool burst = signedUs > 0;
    const int64_t us = burst ? signedUs : -signedUs;
    if (times.empty()) {
        if (!burst) return; // the idle time before the first burst
        times.push_back(us);
        return;
    }
    const bool lastBurst = times.size() % 2 == 1;
    if (lastBurst == burst)
        times.back() += us;
    else
        times.push_back(us);
}

} // namespace qv::exchange

#include "capture/capture_formats.h"
#include "exchange/signal_set.h"

#include <sstream>

namespace qv::exchange {

NamedSignal prontoSignal(const std::string& words) {
    const ProntoCode code = parsePronto(words);
    std::istringstream in(words);
    std::string w[4];
    in >> w[0] >> w[1] >> w[2] >> w[3];
    const size_t once = 2 * std::stoul(w[2], nullptr, 16);
    NamedSignal s;
    s.kind = "pronto";
    s.carrierHz = 1e6 / code.carrierPeriodUs;
    s.times.assign(code.times.begin(), code.times.begin() + static_cast<long>(once));
    s.repeat.assign(code.times.begin() + static_cast<long>(once), code.times.end());
    if (s.times.empty()) std::swap(s.times, s.repeat);
    return s;
}

} // namespace qv::exchange
