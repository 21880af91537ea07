#include "app/main_state.h"

#include "app/session.h"

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
    if (s.env.port) s.env.port->clearBuffers();
    s.link.blinkPhase = 1;
}

void startUp(Session& s) {
    resetCapture(s);
    s.code.recordCol = 1;
    if (s.env.codeGrid) s.env.codeGrid->setCurrentRow(3);
    // The record is empty: nothing of an earlier drawing stays.
    s.wave.lines.clear();
    s.wave.segments.clear();
    s.wave.rows.clear();
    s.wave.readout = std::to_string(wholePart(s.wave.Line1X - s.wave.Line2X));
    s.wave.AddHeld = s.wave.ReaddHeld = s.wave.DecHeld = s.wave.RedecHeld = false;
    s.decoding.timeTolerance = engine::kDefaultTolerance;
    s.decoding.cycleTolerance = engine::kDefaultCycleTolerance;
    s.decoding.lineBreak = "\r\n";
    s.decoding.waitTime = engine::kDefaultWaitTime;
    s.decoding.zeroOneTime = 100;
    setIrtype(s, "Form016(NEC N-8)");
    selectPort(s, 0);
    s.format.autoIndex = 0;
    s.setIdleTimer(true);
    s.changed();
}

std::string toleranceText(float share) {
    return singleText(single(share * 100.0f)) + "%";
}

std::string cycleToleranceText(float us) {
    return singleText(us);
}

void showTolerances(Session& s) {
    ++s.decoding.tolerancesShown;
}

void toleranceMenu(Session& s, int percent) {
    switch (percent) {
    case 5:
        s.decoding.timeTolerance = 0.05f;
        s.decoding.cycleTolerance = 1000;
        break;
    case 8:
        s.decoding.timeTolerance = 0.08f;
        s.decoding.cycleTolerance = 1500;
        break;
    default:
        s.decoding.timeTolerance = engine::kDefaultTolerance;
        s.decoding.cycleTolerance = engine::kDefaultCycleTolerance;
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

bool toleranceBoxEnter(Session& s, const std::string& typed) {
    const auto percent = typedNumber(typed, '%');
    // A tolerance of 0 fails every capture; 100% or more accepts any time
    // at all.
    if (!percent || !(*percent > 0 && *percent < 100)) {
        showTolerances(s);
        s.message(
            "The time tolerance must be a number of percent above 0 and below 100; it stays " +
            toleranceText(s.decoding.timeTolerance) + ".");
        s.changed();
        return false;
    }
    s.decoding.timeTolerance = single(*percent / 100.0);
    s.changed();
    return true;
}

bool cycleToleranceBoxEnter(Session& s, const std::string& typed) {
    const auto us = typedNumber(typed, 0);
    if (!us || *us < 0 || *us > 1e9) {
        showTolerances(s);
        s.message("The cycle tolerance must be a number of microseconds, 0 or more; it stays " +
                  cycleToleranceText(s.decoding.cycleTolerance) + ".");
        s.changed();
        return false;
    }
    s.decoding.cycleTolerance = static_cast<float>(wholePart(*us));
    s.changed();
    return true;
}

void setDemodulated(Session& s, bool on) {
    Demodulation& d = s.decoding.demod;
    if (on == d.on) return;
    d.on = on;
    if (on) {
        d.savedTimeTolerance = s.decoding.timeTolerance;
        d.savedCycleTolerance = s.decoding.cycleTolerance;
        s.decoding.timeTolerance = d.settings.timeTolerance;
        s.decoding.cycleTolerance = d.settings.cycleTolerance;
        d.absoluteTolerance = d.settings.absoluteTolerance;
        d.cycleShare = d.settings.cycleShare;
        d.excessMode = d.settings.excessMode;
        d.excess = d.settings.excess;
    } else {
        s.decoding.timeTolerance = d.savedTimeTolerance;
        s.decoding.cycleTolerance = d.savedCycleTolerance;
        d.absoluteTolerance = 0;
        d.cycleShare = 0;
        d.excessMode = ExcessMode::None;
    }
    showTolerances(s);
    s.changed();
}

void setDemodSettings(Session& s, const DemodSettings& settings) {
    const bool on = s.decoding.demod.on;
    setDemodulated(s, false);
    s.decoding.demod.settings = settings;
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
    s.decoding.ignoreTime = checked;
    // Unchecked, the wider tolerance stays in force, and the box says so.
    if (checked) s.decoding.timeTolerance = 0.15f;
    showTolerances(s);
    s.changed();
}

void selectPort(Session& s, int position) {
    s.link.portPosition = position;
    if (!s.env.port) return;
    if (s.env.port->isOpen()) s.env.port->close();
    if (s.env.port->open(position + 1)) {
        s.link.iconFile = "rs232.bmp";
    } else {
        s.link.iconFile = "rs232u.bmp";
        s.message("This port is already open or doesn't exist,Please select another port.\n" +
                  s.env.port->openFailure());
    }
    s.link.iconVisible = true;
    s.changed();
}

} // namespace qv
