#include "waveform/overlay.h"

#include "app/session.h"

#include "waveform/measure.h"
#include "waveform/waveform.h"

#include <algorithm>

namespace qv {

namespace {

// Where a row shows the capture's times: time t stands at x0 + (t - t0),
// for t in t0..t1.
struct RowSpan {
    bool drawn = false;
    double t0 = 0, t1 = 0, x0 = 0;
};

std::vector<RowSpan> spans(const WaveformState& w) {
    std::vector<RowSpan> out(w.rows.size());
    for (const WaveSegment& seg : w.segments) {
        if (seg.row < 0 || static_cast<size_t>(seg.row) >= out.size()) continue;
        RowSpan& r = out[static_cast<size_t>(seg.row)];
        if (!r.drawn) {
            r = {true, seg.startUs, seg.startUs, seg.x};
        }
        r.t1 = std::max(r.t1, seg.startUs + seg.width);
    }
    return out;
}

// Drawing and decode agree to the microsecond; this absorbs rounding.
constexpr double kSlackUs = 0.5;

} // namespace

std::vector<OverlayItem> overlay(const WaveformState& w, const DecodeMarks& d, double pxPerUs,
                                 const TextWidth& width) {
    std::vector<OverlayItem> items;
    const std::vector<RowSpan> rowSpans = spans(w);
    const std::vector<DecodeMark>& marks = d.marks;
    for (size_t r = 0; r < rowSpans.size(); ++r) {
        const RowSpan& span = rowSpans[r];
        if (!span.drawn) continue;
        const int row = static_cast<int>(r);
        struct Range {
            bool any = false;
            double x1 = 0, x2 = 0;
        };
        std::vector<Range> parts(d.parts.size());
        for (size_t i = 0; i < marks.size(); ++i) {
            const DecodeMark& m = marks[i];
            if (m.startUs < span.t0 - kSlackUs || m.startUs + m.durationUs > span.t1 + kSlackUs)
                continue;
            const double x1 = span.x0 + (m.startUs - span.t0), x2 = x1 + m.durationUs;
            auto fits = [&](const std::string& text) {
                return (x2 - x1) * pxPerUs >= width(text) + 2;
            };
            if (m.kind == MarkKind::HeadBurst && fits("Head")) {
                items.push_back({OverlayKind::Head, row, x1, x2, "Head", ""});
            } else if (m.kind == MarkKind::RepeatHead) {
                for (const char* text : {"Repeat", "R"})
                    if (fits(text)) {
                        items.push_back({OverlayKind::Repeat, row, x1, x2, text, ""});
                        break;
                    }
            } else if (!m.bits.empty() && fits(m.bits)) {
                items.push_back({OverlayKind::Bit, row, x1, x2, m.bits, ""});
            }
            if (!m.pass) {
                const double measured = m.kind == MarkKind::Cycle ? m.measuredUs : m.durationUs;
                // A bit time that fits neither bit has no one standard.
                const std::string standard =
                    m.standard > 0 ? "standard " + durationText(m.standard) + ", " : "";
                items.push_back({OverlayKind::Fail, row, x1, x2,
                                 standard + "measured " + durationText(measured), ""});
                // A cycle's window is about the frame's sum, not where this gap ends.
                if (m.kind != MarkKind::Cycle && m.hi > m.lo)
                    items.push_back({OverlayKind::Window, row, x1 + m.lo, x1 + m.hi, "", ""});
            }
            if (static_cast<int>(i) == w.selectedMark)
                items.push_back({OverlayKind::Selected, row, x1, x2, "", ""});
            if (m.part >= 0 && static_cast<size_t>(m.part) < parts.size()) {
                Range& p = parts[static_cast<size_t>(m.part)];
                p.x1 = p.any ? std::min(p.x1, x1) : x1;
                p.x2 = p.any ? std::max(p.x2, x2) : x2;
                p.any = true;
            }
        }
        for (size_t p = 0; p < parts.size(); ++p) {
            if (!parts[p].any) continue;
            const DecodePart& part = d.parts[p];
            const double px = (parts[p].x2 - parts[p].x1) * pxPerUs;
            const std::string full = part.value.empty() ? part.name : part.name + " " + part.value;
            std::string text;
            for (const std::string& t : {full, part.value})
                if (text.empty() && !t.empty() && px >= width(t) + 2) text = t;
            items.push_back({OverlayKind::Part, row, parts[p].x1, parts[p].x2, text,
                             text == full ? part.value : std::string()});
        }
    }
    return items;
}

int markOfErrorLine(const std::vector<std::string>& errorLines, int line, const DecodeMarks& d) {
    // Reports about a time open with "Group n:...!"; the others (a wrong
    // complement, a parity) name no time.
    int report = -1;
    for (int i = 0; i <= line && i < static_cast<int>(errorLines.size()); ++i) {
        const std::string& text = errorLines[static_cast<size_t>(i)];
        if (text.rfind("Group ", 0) == 0 && !text.empty() && text.back() == '!') ++report;
    }
    if (report < 0) return -1;
    int failing = 0;
    for (size_t i = 0; i < d.marks.size(); ++i)
        if (!d.marks[i].pass && failing++ == report) return static_cast<int>(i);
    return -1;
}

void showMark(Session& s, int mark) {
    WaveformState& w = s.wave;
    const std::vector<DecodeMark>& marks = s.last.marks.marks;
    if (mark < 0 || static_cast<size_t>(mark) >= marks.size()) return;
    w.selectedMark = mark;
    const double origin = w.ScaleWidth / 5 - marks[static_cast<size_t>(mark)].startUs;
    panFrom(s, 0, kLeadInUs - origin);
    s.changed();
}

} // namespace qv
