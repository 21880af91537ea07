// The two measurement rule lines over the waveform: red Line1 and green
// Line2, placed by clicks in the picture and nudged by four buttons that
// repeat while held (Timer3). Positions are microseconds in picture
// coordinates.
#pragma once

namespace qv {

class Session;

enum class MouseButton { Left, Right, Middle, Other };

// The four nudge buttons: ">" Cmdadd, ">>" Cmdreadd, "<" Cmddec, "<<" Cmdredec.
enum class RuleButton { Add, Readd, Dec, Redec };

// Option1 "RED", Option2 "GREEN", Option3 "Both" (the value of wave.selectedLine).
constexpr int kRuleRed = 1;
constexpr int kRuleGreen = 2;
constexpr int kRuleBoth = 3;

// LblRGtime = red x - green x, rounded down.
void showRuleDistance(Session& s);

// Move the selected line(s) right / left by distance microseconds.
void moveRulesRight(Session& s, double distance);
void moveRulesLeft(Session& s, double distance);

// One step of a button: a thousandth (">", "<") or a hundredth (">>", "<<")
// of the scale width, then the distance label and a redraw.
void addRule(Session& s);
void readdRule(Session& s);
void decRule(Session& s);
void redecRule(Session& s);

// A mouse button pressed in the picture at picture x.
void pictureClick(Session& s, double x, MouseButton button);

// A nudge button pressed: the left mouse button steps once and starts the
// repeat; other buttons do nothing.
void ruleButtonDown(Session& s, RuleButton which, MouseButton button);
// A nudge button released (any mouse button): its repeat stops.
void ruleButtonUp(Session& s, RuleButton which);
// Timer3's tick: repeats the step of the first held button.
void timer3Tick(Session& s);

} // namespace qv
