#include "waveform/rules.h"

#include "app/session.h"

#include "platform/basic.h"
#include "waveform/waveform.h"

namespace qv {

namespace {

bool& heldFlag(WaveformState& w, RuleButton which) {
    switch (which) {
    case RuleButton::Add:
        return w.AddHeld;
    case RuleButton::Readd:
        return w.ReaddHeld;
    case RuleButton::Dec:
        return w.DecHeld;
    case RuleButton::Redec:
        break;
    }
    return w.RedecHeld;
}

void step(Session& s, RuleButton which) {
    switch (which) {
    case RuleButton::Add:
        addRule(s);
        break;
    case RuleButton::Readd:
        readdRule(s);
        break;
    case RuleButton::Dec:
        decRule(s);
        break;
    case RuleButton::Redec:
        redecRule(s);
        break;
    }
}

// Timer3 is announced with the other timers so the window follows it.
void setTimer3(Session& s, bool on) {
    s.wave.ruleTimer = on;
    s.setIdleTimer(s.link.idleTimer);
}

void moveBy(Session& s, double delta) {
    WaveformState& w = s.wave;
    if (w.selectedLine == kRuleRed) {
        w.Line1X += delta;
    } else if (w.selectedLine == kRuleGreen) {
        w.Line2X += delta;
    } else {
        w.Line1X += delta;
        w.Line2X += delta;
    }
}

void stepBy(Session& s, double delta) {
    moveBy(s, delta);
    s.wave.linePlaced = true;
    showRuleDistance(s);
    drawWaveform(s);
    s.changed();
}

} // namespace

void showRuleDistance(Session& s) {
    s.wave.readout = wholeText(wholePart(s.wave.Line1X - s.wave.Line2X));
}

void moveRulesRight(Session& s, double distance) {
    moveBy(s, distance);
}
void moveRulesLeft(Session& s, double distance) {
    moveBy(s, -distance);
}

void addRule(Session& s) {
    stepBy(s, s.wave.ScaleWidth / 1000);
}
void readdRule(Session& s) {
    stepBy(s, s.wave.ScaleWidth / 100);
}
void decRule(Session& s) {
    stepBy(s, -s.wave.ScaleWidth / 1000);
}
void redecRule(Session& s) {
    stepBy(s, -s.wave.ScaleWidth / 100);
}

void pictureClick(Session& s, double x, MouseButton button) {
    WaveformState& w = s.wave;
    if (w.selectedLine == kRuleBoth) {
        // The right-hand line of the pair lands on the click; the distance
        // between the two stays.
        const double gap = w.Line1X - w.Line2X;
        if (gap > 0) {
            w.Line1X = x;
            w.Line2X = x - gap;
        } else {
            w.Line2X = x;
            w.Line1X = x + gap;
        }
    } else if (button == MouseButton::Left) {
        w.Line1X = x;
    } else if (button == MouseButton::Right) {
        w.Line2X = x;
    } else {
        return;
    }
    w.linePlaced = true;
    showRuleDistance(s);
    s.changed();
}

void ruleButtonDown(Session& s, RuleButton which, MouseButton button) {
    if (button != MouseButton::Left) return;
    step(s, which);
    heldFlag(s.wave, which) = true;
    setTimer3(s, true);
}

void ruleButtonUp(Session& s, RuleButton which) {
    heldFlag(s.wave, which) = false;
    setTimer3(s, false);
}

void timer3Tick(Session& s) {
    const WaveformState& w = s.wave;
    if (w.AddHeld) {
        addRule(s);
    } else if (w.ReaddHeld) {
        readdRule(s);
    } else if (w.DecHeld) {
        decRule(s);
    } else if (w.RedecHeld) {
        redecRule(s);
    } else {
        setTimer3(s, false);
    }
}

} // namespace qv
