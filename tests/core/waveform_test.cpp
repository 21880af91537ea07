// The waveform drawing, the rule lines, measuring and the decode drawn on
// the trace, checked as data without a screen: each case of
// tests/data/core/waveform.cases is a list of steps on a started session
// (Form016) and what the steps print.
#include "app/dispatch.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "case_file.h"
#include "test_support.h"
#include "waveform/measure.h"
#include "waveform/overlay.h"
#include "waveform/rules.h"
#include "waveform/waveform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace qv;

namespace {

std::string num(double v) {
    std::ostringstream o;
    o << v;
    return o.str();
}

// The index of name in names (one past them when it is not there).
template <class E, size_t N> E named(const char* const (&names)[N], const std::string& name) {
    return static_cast<E>(std::find(names, names + N, name) - names);
}

const char* const kMouse[] = {"left", "right", "middle"};
const char* const kRuleButtons[] = {"add", "readd", "dec", "redec"};
const char* const kMarkKinds[] = {"head", "headgap", "bit", "endbit", "repeat", "cycle", "other"};
const char* const kOverlayKinds[] = {"Head", "Bit", "Part", "Repeat", "Fail", "Window", "Selected"};

// Runs one case's steps; what they print, a line each.
std::string run(const std::vector<std::string>& steps) {
    qvtest::StartedSession t;
    Session& s = t.s;
    WaveformState& w = s.wave;
    std::vector<std::string> errorLines;
    std::ostringstream out;
    for (const auto& step : steps) {
        std::istringstream in(step);
        std::string op, a, b;
        in >> op;
        auto d = [&] {
            double v = 0;
            in >> v;
            return v;
        };
        if (op == "capture") {
            resetCapture(s);
            long i = 0;
            for (std::string t; in >> t; ++i)
                s.TTable.setCell(1 + i / kDataCols, 1 + i % kDataCols, t);
            drawWaveform(s);
        } else if (op == "zoom") {
            vscrollChange(s, static_cast<int>(d()));
        } else if (op == "scroll") {
            hscrollChange(s, static_cast<int>(d()));
        } else if (op == "lines" || op == "rows") {
            for (const auto& l : w.lines)
                if (op == "lines")
                    out << "line " << num(l.x1) << "," << num(l.y1) << " " << num(l.x2) << ","
                        << num(l.y2) << (l.rgb == kLeadInColour ? " lead-in" : "")
                        << (l.rgb != kLeadInColour && l.rgb != kSignalColour ? " other" : "")
                        << "\n";
            for (const auto& r : w.rows)
                out << "row " << num(r.base) << " " << r.label << "\n";
            for (const auto& g : w.segments)
                out << "segment " << g.row << " " << num(g.x) << " " << num(g.width)
                    << (g.burst ? " burst " : " gap ") << g.cellRow << "," << g.cellCol << " @"
                    << num(g.startUs) << "\n";
        } else if (op == "axis") {
            const double width = d();
            // The labelled ticks, and how many lie between two of them.
            int between = 0;
            for (const auto& t : timeAxis(w, width, 80)) {
                if (!t.major) {
                    ++between;
                    continue;
                }
                out << "tick " << num(t.x) << " " << num(t.us) << " " << t.label << " after "
                    << between << "\n";
                between = 0;
            }
        } else if (op == "view") {
            out << "view zoom " << w.VScroll1 << "" << w.Lblzoom << " scroll " << w.HScroll1
                << " width " << num(w.ScaleWidth) << " origin " << num(timeOrigin(w)) << " mark "
                << w.selectedMark << "\n";
        } else if (op == "draw") {
            drawWaveform(s);
        } else if (op == "key") {
            in >> a;
            zoomKey(s, a == "+" ? kKeyAdd : a == "-" ? kKeySubtract : 0);
        } else if (op == "group") {
            s.last.marks.marks.back().group = static_cast<int>(d());
        } else if (op == "zoom-at") {
            const double factor = d();
            zoomAt(s, factor, d());
        } else if (op == "pan") {
            const int from = static_cast<int>(d());
            panFrom(s, from, d());
        } else if (op == "hover") {
            const double x = d(), y = d();
            out << "hover " << num(x) << "," << num(y) << " " << hoverText(w, x, y) << "\n";
        } else if (op == "duration") {
            const double us = d();
            out << "duration " << num(us) << " " << durationText(us) << "\n";
        } else if (op == "select") {
            w.selectedLine = static_cast<int>(d());
        } else if (op == "lines-at") {
            w.Line1X = d();
            w.Line2X = d();
        } else if (op == "add" || op == "readd" || op == "dec" || op == "redec") {
            (op == "add"     ? addRule
             : op == "readd" ? readdRule
             : op == "dec"   ? decRule
                             : redecRule)(s);
        } else if (op == "click") {
            const double x = d();
            in >> a;
            pictureClick(s, x, named<MouseButton>(kMouse, a));
        } else if (op == "down" || op == "up") {
            in >> a >> b;
            if (op == "up") ruleButtonUp(s, named<RuleButton>(kRuleButtons, a));
            if (op == "down")
                ruleButtonDown(s, named<RuleButton>(kRuleButtons, a),
                               named<MouseButton>(kMouse, b));
        } else if (op == "timer") {
            s.wave.ruleTimer = true;
        } else if (op == "tick") {
            timer3Tick(s);
        } else if (op == "rules") {
            out << "rules red " << num(w.Line1X) << " green " << num(w.Line2X) << " label "
                << s.wave.readout << " box " << ruleBoxText(w) << " timer " << s.wave.ruleTimer
                << " held " << w.AddHeld << w.ReaddHeld << w.DecHeld << w.RedecHeld << "\n";
        } else if (op == "mark") {
            DecodeMark m;
            m.startUs = d(), m.durationUs = d(), m.row = static_cast<long>(d());
            m.col = static_cast<int>(d());
            in >> a;
            m.kind = named<MarkKind>(kMarkKinds, a);
            m.part = static_cast<int>(in >> m.part ? m.part : -1);
            if (in >> a) m.bits = a;
            s.last.marks.marks.push_back(m);
        } else if (op == "fail") {
            DecodeMark& m = s.last.marks.marks.back();
            m.pass = false, m.standard = d(), m.lo = d(), m.hi = d(), m.measuredUs = d();
        } else if (op == "part") {
            in >> a >> b;
            s.last.marks.parts.push_back({a, b == "-" ? "" : b});
        } else if (op == "overlay") {
            w.selectedMark = static_cast<int>(d());
            for (const auto& o : overlay(w, s.last.marks, d(), [](const std::string& t) {
                     return 7.0 * double(t.size());
                 }))
                out << "overlay " << kOverlayKinds[static_cast<int>(o.kind)] << " " << o.row << " "
                    << num(o.x1) << " " << num(o.x2) << " " << o.text << "\n";
        } else if (op == "error") {
            std::getline(in >> std::ws, a);
            errorLines.push_back(a);
        } else if (op == "error-mark") {
            const int line = static_cast<int>(d());
            out << "error-mark " << line << " " << markOfErrorLine(errorLines, line, s.last.marks)
                << "\n";
        } else if (op == "show") {
            showMark(s, static_cast<int>(d()));
        } else if (op == "format") {
            in >> a;
            setIrtype(s, a);
        } else if (op == "keep") {
            keepADrawableFormat(s);
        } else if (op == "irtype") {
            out << "irtype " << s.format.name << " row "
                << (s.format.cursor && s.format.cursor->hasRow()) << "\n";
        } else {
            ADD_FAILURE() << "unknown step " << step;
        }
    }
    return out.str();
}

TEST(Waveform, EveryCaseDrawsAndMeasuresAsExpected) {
    qvtest::checkCaseFile(qvtest::sourcePath("tests/data/core/waveform.cases"),
                          [](const auto&, const auto& steps) { return run(steps); });
}

} // namespace
