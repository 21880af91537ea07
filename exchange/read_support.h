// What every reader of a swapped form shares: the text as lines, a refusal
// naming the file and the line, numbers read with their bounds.
#pragma once

#include "capture/capture_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::exchange {

class Lines {
public:
    explicit Lines(std::string_view text);
    size_t size() const { return m_lines.size(); }
    std::string_view operator[](size_t i) const { return m_lines[i]; }

private:
    std::vector<std::string_view> m_lines;
};

// "PATH: line N: WHAT"; line 0 leaves the line out.
CaptureFormatError refusal(const std::string& path, size_t line, const std::string& what);

std::string_view trimmed(std::string_view s);
bool startsWith(std::string_view s, std::string_view prefix);
std::string lowered(std::string_view s);
// The word as a message quotes it, cut to a readable length.
std::string quoted(std::string_view word);

// A whole decimal number (no sign) up to `most`; none for anything else.
std::optional<int64_t> decimal(std::string_view s, int64_t most = int64_t{1} << 40);
// 0x... hexadecimal or decimal.
std::optional<int64_t> integer(std::string_view s, int64_t most = int64_t{1} << 62);

// Adds a time to a signal's list: burst first, alternating. A time of the
// same sign as the last one is added to it (a list may split a burst).
void addSigned(std::vector<int64_t>& times, int64_t signedUs);

} // namespace qv::exchange

namespace qv::exchange {
struct NamedSignal;
// A Pronto learned code: once part, repeat part and carrier; throws a bare
// CaptureFormatError as parsePronto does.
NamedSignal prontoSignal(const std::string& words);
} // namespace qv::exchange
