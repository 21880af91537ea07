#include "app/decode_marks.h"

#include "platform/basic.h"

#include <algorithm>
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

// The value the code line shows for the n-th run of a part in a group.
std::string shownValue(const engine::DecodeResult& r, int group, Part part, int nth, bool octal,
                       const std::string& lineBreak) {
    for (const engine::PartValue& v : r.partValues)
        if (v.group == group && v.part == part && nth-- == 0) {
            if (!octal) return v.text;
            const std::string oct = engine::octText(v.text + " " + lineBreak, lineBreak);
            return trimBlanks(oct.substr(0, oct.size() - lineBreak.size()));
        }
    return {};
}

} // namespace

DecodeMarks decodeMarks(const engine::DecodeResult& r, const TimeTable& times, bool octal,
                        const std::string& lineBreak) {
    DecodeMarks out;
    std::vector<std::pair<int, Part>> partOf; // each part's group and kind
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
        m.group = a.group;
        if (const char* label = partLabel(a.part)) {
            if (current != std::pair{a.group, a.part} || partOf.empty()) {
                out.parts.push_back({label, ""});
                current = {a.group, a.part};
                partOf.push_back(current);
            }
            m.part = static_cast<int>(out.parts.size()) - 1;
        } else {
            current = {0, Part::None};
        }
        out.marks.push_back(std::move(m));
    }
    for (size_t i = 0; i < out.parts.size(); ++i) {
        const auto [group, part] = partOf[i];
        const auto nth =
            std::count(partOf.begin(), partOf.begin() + static_cast<long>(i), partOf[i]);
        out.parts[i].value = shownValue(r, group, part, static_cast<int>(nth), octal, lineBreak);
    }
    return out;
}

} // namespace qv
