#include "app/main_state.h"

#include "app/format_selection.h"
#include "platform/basic.h"

#include <optional>

namespace qv {

void resetCapture(Session& s) {
    s.TTable.clearAll();
    s.TTable.writeHeaders();
    // Nothing of the capture that is gone stays: not its source in the
    // title, nor its times, code, error lines or marks.
    s.last.clearShown();
    s.wave.selectedMark = -1;
    s.code.Lblcarr_wid = " ";
    s.code.Lblcarr_h = " ";
    s.code.Lblcarr_f = " ";
    if (s.port) s.port->clearBuffers();
    s.BlinkPhase = 1;
}

void startUp(Session& s) {
    resetCapture(s);
    s.RecordCol = 1;
    if (s.codeGrid) s.codeGrid->setCurrentRow(3);
    // The record is empty: nothing of an earlier drawing stays.
    s.wave.lines.clear();
    s.wave.segments.clear();
    s.wave.rows.clear();
    s.LblRGtime = std::to_string(wholePart(s.wave.Line1X - s.wave.Line2X));
    s.wave.AddHeld = s.wave.ReaddHeld = s.wave.DecHeld = s.wave.RedecHeld = false;
    s.TimeTolerance = engine::kDefaultTolerance;
    s.CycleTolerance = engine::kDefaultCycleTolerance;
    s.CrLf = "\r\n";
    s.XTime = engine::kDefaultWaitTime;
    s.ZeroOneTime = 100;
    setIrtype(s, "Form016(NEC N-8)");
    selectPort(s, 0);
    s.AutoFormatIndex = 0;
    s.setTimer2(true);
    s.changed();
}

namespace {

// The boxes show the tolerances in force, whatever set them.
void showTolerances(Session& s) {
    s.tTole = singleText(single(s.TimeTolerance * 100.0f)) + "%";
    s.tTTole = singleText(s.CycleTolerance);
}

} // namespace

void toleranceMenu(Session& s, int percent) {
    switch (percent) {
    case 5:
        s.TimeTolerance = 0.05f;
        s.CycleTolerance = 1000;
        break;
    case 8:
        s.TimeTolerance = 0.08f;
        s.CycleTolerance = 1500;
        break;
    default:
        s.TimeTolerance = engine::kDefaultTolerance;
        s.CycleTolerance = engine::kDefaultCycleTolerance;
        break;
    }
    showTolerances(s);
    s.changed();
}

namespace {

// A typed number, with an optional unit mark after it ("5%").
std::optional<double> typedNumber(const std::string& text, char unit) {
    std::string t = trimBlanks(text);
    if (unit && !t.empty() && t.back() == unit) t.pop_back();
    if (!isNumeric(t)) return std::nullopt;
    return leadingNumber(t);
}

} // namespace

bool toleranceBoxEnter(Session& s) {
    const auto percent = typedNumber(s.tTole, '%');
    // A tolerance of 0 fails every capture; 100% or more accepts any time
    // at all.
    if (!percent || !(*percent > 0 && *percent < 100)) {
        s.tTole = singleText(single(s.TimeTolerance * 100.0f)) + "%";
        s.message(
            "The time tolerance must be a number of percent above 0 and below 100; it stays " +
            s.tTole + ".");
        s.changed();
        return false;
    }
    s.TimeTolerance = single(*percent / 100.0);
    s.changed();
    return true;
}

bool cycleToleranceBoxEnter(Session& s) {
    const auto us = typedNumber(s.tTTole, 0);
    if (!us || *us < 0 || *us > 1e9) {
        s.tTTole = singleText(s.CycleTolerance);
        s.message("The cycle tolerance must be a number of microseconds, 0 or more; it stays " +
                  s.tTTole + ".");
        s.changed();
        return false;
    }
    s.CycleTolerance = static_cast<float>(wholePart(*us));
    s.changed();
    return true;
}

void setDemodulated(Session& s, bool on) {
    Demodulation& d = s.demod;
    if (on == d.on) return;
    d.on = on;
    if (on) {
        d.savedTimeTolerance = s.TimeTolerance;
        d.savedCycleTolerance = s.CycleTolerance;
        s.TimeTolerance = d.settings.timeTolerance;
        s.CycleTolerance = d.settings.cycleTolerance;
        d.absoluteTolerance = d.settings.absoluteTolerance;
        d.cycleShare = d.settings.cycleShare;
        d.excessMode = d.settings.excessMode;
        d.excess = d.settings.excess;
    } else {
        s.TimeTolerance = d.savedTimeTolerance;
        s.CycleTolerance = d.savedCycleTolerance;
        d.absoluteTolerance = 0;
        d.cycleShare = 0;
        d.excessMode = ExcessMode::None;
    }
    showTolerances(s);
    s.changed();
}

void setDemodSettings(Session& s, const DemodSettings& settings) {
    const bool on = s.demod.on;
    setDemodulated(s, false);
    s.demod.settings = settings;
    setDemodulated(s, on);
}

void applyDemodSettings(engine::DecodeSettings& d, const DemodSettings& settings) {
    d.demodulated = true;
    d.window.tolerance = settings.timeTolerance;
    d.cycleTolerance = settings.cycleTolerance;
    d.window.absolute = settings.absoluteTolerance;
    d.cycleShare = settings.cycleShare;
    d.excessMode = settings.excessMode;
    d.excess = settings.excess;
}

void setIgnoreTime(Session& s, bool checked) {
    s.cIgnoreT = checked;
    // Unchecked, the wider tolerance stays in force, and the box says so.
    if (checked) s.TimeTolerance = 0.15f;
    s.tTole = singleText(single(s.TimeTolerance * 100.0f)) + "%";
    s.changed();
}

void selectPort(Session& s, int position) {
    s.SelCom = position;
    if (!s.port) return;
    if (s.port->isOpen()) s.port->close();
    if (s.port->open(position + 1)) {
        s.Image1Bitmap = "rs232.bmp";
    } else {
        s.Image1Bitmap = "rs232u.bmp";
        s.message("This port is already open or doesn't exist,Please select another port.\n" +
                  s.port->openFailure());
    }
    s.Image1Visible = true;
    s.changed();
}

} // namespace qv
