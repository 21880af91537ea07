#include "app/analysis_marks.h"

#include "irp/irp.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace qv {

namespace {

// The structure that fits the press, and the press's place among its
// fitting presses (a field holds one value per fitting press).
const analysis::Result* fitted(const analysis::Result& r, size_t press, size_t& index,
                               size_t& fitting) {
    if (press >= r.presses.size()) return nullptr;
    const analysis::PressResult& p = r.presses[press];
    if (p.fits) {
        index = press;
        fitting = 0;
        for (size_t i = 0; i < press; ++i)
            fitting += r.presses[i].fits;
        return &r;
    }
    for (const analysis::Result& other : r.others)
        for (size_t i = 0; i < other.presses.size(); ++i)
            if (other.presses[i].input == p.input && other.presses[i].fits)
                return fitted(other, i, index, fitting);
    return nullptr;
}

} // namespace

DecodeMarks analysisMarks(const analysis::Result& r, size_t press,
                          const std::vector<int64_t>& capture) {
    DecodeMarks out;
    size_t index = 0, fitting = 0;
    const analysis::Result* of = fitted(r, press, index, fitting);
    if (!of) return out;
    const analysis::PressResult& p = of->presses[index];
    // Marked as analysed: a glitch is part of the time it splits.
    std::optional<std::vector<int64_t>> merged;
    if (p.glitches > 0) merged = irp::withoutGlitches(capture);
    const std::vector<int64_t>& times = merged ? *merged : capture;
    std::vector<analysis::TimeRole> roles;
    const std::vector<double> rendered = analysis::renderStructure(*of, p.bits, p.repeats, &roles);

    std::vector<int> fieldOf(p.bits.size(), -1);
    for (size_t f = 0; f < of->fields.size(); ++f) {
        const analysis::Field& field = of->fields[f];
        char value[24] = "";
        if (fitting < field.values.size())
            std::snprintf(value, sizeof value, "0x%llX",
                          static_cast<unsigned long long>(field.values[fitting]));
        out.parts.push_back({field.name, value});
        for (int b = field.first; b < field.first + field.length; ++b)
            if (b >= 0 && static_cast<size_t>(b) < fieldOf.size())
                fieldOf[static_cast<size_t>(b)] = static_cast<int>(f);
    }
    double start = 0;
    for (size_t i = 0; i < p.skipped && i < times.size(); ++i)
        start += static_cast<double>(std::llabs(times[i]));
    for (size_t i = 0; i + p.skipped < times.size() && i < roles.size(); ++i) {
        const analysis::TimeRole& role = roles[i];
        const bool burst = i % 2 == 0;
        DecodeMark m;
        m.startUs = start;
        m.durationUs = static_cast<double>(std::llabs(times[i + p.skipped]));
        m.measuredUs = m.durationUs;
        m.standard = rendered[i];
        m.group = role.frame + 1;
        m.bits = role.bits;
        if (role.lead && role.repeat)
            m.kind =
                burst && (i == 0 || !roles[i - 1].lead) ? MarkKind::RepeatHead : MarkKind::Other;
        else if (role.lead && role.frame == 0)
            m.kind = burst ? MarkKind::HeadBurst : MarkKind::HeadGap;
        else
            m.kind = role.bits.empty() ? MarkKind::Other : MarkKind::Bit;
        // A bracket spans a field where the message sends it, not its copies while held.
        if (!role.repeat && role.firstBit >= 0)
            m.part = fieldOf[static_cast<size_t>(role.firstBit)];
        out.marks.push_back(std::move(m));
        start += m.durationUs;
    }
    return out;
}

} // namespace qv
