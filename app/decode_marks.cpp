#include "app/decode_marks.h"

#include "platform/basic.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace qv {

namespace {

using engine::Part;
using engine::ReadAs;

MarkKind kindOf(ReadAs as) {
    switch (as) {
    case ReadAs::HeadBurst:
        return MarkKind::HeadBurst;
    case ReadAs::HeadGap:
        return MarkKind::HeadGap;
    case ReadAs::RepeatHeadBurst:
        return MarkKind::RepeatHead;
    case ReadAs::BitBurst:
    case ReadAs::BitGap:
    case ReadAs::ToggleTime:
    case ReadAs::FixedTime:
        return MarkKind::Bit;
    case ReadAs::EndBitBurst:
    case ReadAs::EndBitGap:
    case ReadAs::LastBurst:
        return MarkKind::EndBit;
    case ReadAs::GroupEnd:
        return MarkKind::Cycle;
    case ReadAs::HeadSecondBurst:
    case ReadAs::RepeatHeadGap:
        break;
    }
    return MarkKind::Other;
}

// The bracket's caption of a part; none for the head and the frame's end.
const char* partLabel(Part part) {
    switch (part) {
    case Part::Start:
        return "Start";
    case Part::Toggle:
        return "Toggle";
    case Part::Fixed:
        return "Fixed";
    case Part::Customer:
        return "Customer";
    case Part::ReverseCustomer:
        return "~Customer";
    case Part::FirstBitAgain:
        return "First bit";
    case Part::Data:
        return "Data";
    case Part::ReverseData:
        return "~Data";
    case Part::LastBurst:
        return "Last burst";
    case Part::EndBit:
        return "End bit";
    case Part::Parity:
        return "Parity";
    case Part::None:
    case Part::Head:
    case Part::RepeatHead:
    case Part::GroupEnd:
        break;
    }
    return nullptr;
}

std::string hexOf(const std::string& bits, bool msbFirst) {
    const size_t n = std::min<size_t>(bits.size(), 64);
    if (n == 0) return {};
    unsigned long long v = 0;
    for (size_t i = 0; i < n; ++i)
        v = (v << 1) | (bits[msbFirst ? i : n - 1 - i] == '1' ? 1u : 0u);
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*llX", static_cast<int>((n + 3) / 4), v);
    return buf;
}

} // namespace

DecodeMarks decodeMarks(const engine::DecodeResult& r, const TimeTable& times, bool msbFirst) {
    DecodeMarks out;
    std::vector<std::string> partBits;
    std::pair<int, Part> current{0, Part::None};
    out.marks.reserve(r.annotations.size());
    for (const engine::Annotation& a : r.annotations) {
        DecodeMark m;
        m.startUs = static_cast<double>(a.startUs);
        m.measuredUs = static_cast<double>(a.measured);
        // A group's end is checked as the cycle's sum; it is drawn as its gap.
        m.durationUs = a.as == ReadAs::GroupEnd ? leadingNumber(times.cell(a.row, a.col))
                                                : static_cast<double>(a.measured);
        m.row = a.row;
        m.col = a.col;
        m.kind = kindOf(a.as);
        m.bits = a.bits;
        m.standard = a.standard.value_or(0);
        m.lo = a.lo;
        m.hi = a.hi;
        // A bit time that fits neither bit's window fails without one standard.
        m.pass = a.pass;
        if (const char* label = partLabel(a.part)) {
            if (current != std::pair{a.group, a.part} || partBits.empty()) {
                out.parts.push_back({label, ""});
                partBits.emplace_back();
                current = {a.group, a.part};
            }
            m.part = static_cast<int>(out.parts.size()) - 1;
            partBits.back() += a.bits;
        } else {
            current = {0, Part::None};
        }
        out.marks.push_back(std::move(m));
    }
    for (size_t i = 0; i < out.parts.size(); ++i)
        out.parts[i].hex = hexOf(partBits[i], msbFirst);
    return out;
}

} // namespace qv
