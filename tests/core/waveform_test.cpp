// The waveform drawing and the rule lines, checked as data without a screen.
#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "test_support.h"
#include "waveform/rules.h"
#include "waveform/waveform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

using namespace qv;

namespace {

// A started session (format Form016, X = 15000, tolerance 0.03) with a
// capture written straight into the capture record.
struct Drawn {
    qvtest::TempDir dir;
    Session s;
    MemoryPort port;
    Drawn() {
        s.cataloguePath = qvtest::freshCatalogue(dir);
        s.port = &port;
        startUp(s);
    }
    void capture(const std::vector<long>& times) {
        resetCapture(s);
        long row = 1;
        int col = 1;
        for (long t : times) {
            s.TTable.setCell(row, col, std::to_string(t));
            if (++col > kDataCols) col = 1, ++row;
        }
        drawWaveform(s);
    }
    // Signal lines (not the ruler) of the drawing row whose baseline is base.
    std::vector<LineCmd> onBaseline(double base) const {
        std::vector<LineCmd> out;
        auto inRow = [&](double y) { return y <= base && y >= base - 50; };
        for (const auto& l : s.wave.lines)
            if (l.rgb != kRulerColour && inRow(l.y1) && inRow(l.y2)) out.push_back(l);
        return out;
    }
    size_t rulerLines() const {
        return std::count_if(s.wave.lines.begin(), s.wave.lines.end(),
                             [](const LineCmd& l) { return l.rgb == kRulerColour; });
    }
};

// Times of frames: head, one bit, then the frame gap.
std::vector<long> frames(const std::vector<long>& gaps) {
    std::vector<long> t;
    for (long g : gaps)
        t.insert(t.end(), {9000, 4500, 560, g});
    return t;
}

// Short times that put the next time into the first Idle cell of table row `row`.
std::vector<long> padToRow(long row) {
    return std::vector<long>((row - 1) * kDataCols + 1, 560);
}

LineCmd line(double x1, double y1, double x2, double y2, uint32_t rgb = kSignalColour) {
    return {x1, y1, x2, y2, rgb};
}

} // namespace

TEST(Ruler, HasAHundredAndOneTicksWithTheTenthOfEachDecadeLong) {
    Drawn d;
    for (int zoom = 0; zoom <= 6; ++zoom) {
        d.s.wave.VScroll1 = zoom;
        scalePicture(d.s);
        drawWaveform(d.s);
        const double step = d.s.wave.ScaleWidth / 100;
        ASSERT_EQ(d.s.wave.lines.size(), 101u) << "zoom " << zoom;
        for (int i = 0; i <= 100; ++i) {
            const bool isLong = i % 10 == 9;
            EXPECT_EQ(d.s.wave.lines[i],
                      line(i * step, 397, i * step, isLong ? 377 : 387, kRulerColour))
                << "zoom " << zoom << " tick " << i;
        }
    }
}

TEST(Irdrw, AnEmptyCaptureDrawsOnlyTheRulerAlsoAfterScrollAndZoom) {
    Drawn d;
    d.capture({});
    EXPECT_EQ(d.s.wave.lines.size(), 101u);
    hscrollChange(d.s, 50);
    EXPECT_EQ(d.s.wave.lines.size(), 101u);
    vscrollChange(d.s, 6);
    EXPECT_EQ(d.s.wave.lines.size(), 101u);
    EXPECT_EQ(d.rulerLines(), 101u);
}

TEST(Irdrw, DrawsRowOneAndOneFrameRowPerFrame) {
    Drawn d;
    d.capture({1000, 2000, 500, 20000, 700, 300, 600, kEndOfSignal});
    // Origin 100 us at scroll 0.
    const std::vector<LineCmd> rowOne = {line(0, 90, 100, 90, kLeadInColour),
                                         line(100, 90, 100, 40),
                                         line(100, 40, 1100, 40),
                                         line(1100, 40, 1100, 90),
                                         line(1100, 90, 3100, 90),
                                         line(3100, 90, 3100, 40),
                                         line(3100, 40, 3600, 40),
                                         line(3600, 40, 3600, 90),
                                         line(3600, 90, 23600, 90),
                                         line(23600, 90, 23600, 40),
                                         line(23600, 40, 24300, 40),
                                         line(24300, 40, 24300, 90),
                                         line(24300, 90, 24600, 90),
                                         line(24600, 90, 24600, 40),
                                         line(24600, 40, 25200, 40),
                                         line(25200, 40, 25200, 90),
                                         line(25200, 90, 274085, 90)};
    const std::vector<LineCmd> rowTwo = {
        line(0, 180, 100, 180),     line(100, 180, 100, 130),   line(100, 130, 800, 130),
        line(800, 130, 800, 180),   line(800, 180, 1100, 180),  line(1100, 180, 1100, 130),
        line(1100, 130, 1700, 130), line(1700, 130, 1700, 180), line(1700, 180, 250585, 180)};
    const std::vector<LineCmd> rowThree = {line(0, 270, 100, 270)};

    std::vector<LineCmd> expected(d.s.wave.lines.begin(), d.s.wave.lines.begin() + 101);
    for (const auto* part : {&rowOne, &rowTwo, &rowThree})
        expected.insert(expected.end(), part->begin(), part->end());
    EXPECT_EQ(d.s.wave.lines, expected);
}

struct FrameCase {
    const char* name;
    std::vector<long> times;
    bool rowTwo, rowThree, rowFour;
};

void PrintTo(const FrameCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameRows : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameRows, AppearAsTheGapsAllow) {
    Drawn d;
    d.capture(GetParam().times);
    EXPECT_FALSE(d.onBaseline(90).empty());
    EXPECT_EQ(!d.onBaseline(180).empty(), GetParam().rowTwo);
    EXPECT_EQ(!d.onBaseline(270).empty(), GetParam().rowThree);
    EXPECT_EQ(!d.onBaseline(360).empty(), GetParam().rowFour);
}

std::vector<long> concat(std::vector<long> a, const std::vector<long>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, FrameRows,
    ::testing::Values(FrameCase{"OneFrameWithoutFrameGapDrawsOnlyRowOne",
                                {9000, 4500, 560, 1690, 560, 5000},
                                false,
                                false,
                                false},
                      FrameCase{"GapOf13580IsNoFrameGap", frames({13580}), false, false, false},
                      FrameCase{"GapOf13581EndsTheFrame", frames({13581}), true, false, false},
                      FrameCase{"ThreeFrameGapsFillRowsTwoToFour",
                                frames({40000, 40000, 40000, 40000}), true, true, true},
                      FrameCase{"GapInRow41DrawsOnlyRowOne",
                                concat(padToRow(41), {20000, 560, 20000}), false, false, false},
                      // Row 3 then shows only its lead-in: the frame after the second gap is empty.
                      FrameCase{"GapInRow40StillStartsRowTwo",
                                concat(padToRow(40), {20000, 560, 20000}), true, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Irdrw, AGapOver400000StopsTheFrameRowsButNotRowOne) {
    Drawn d;
    d.capture({9000, 4500, 560, 20000, 9000, 400001, 560, 20000});
    const auto rowOne = d.onBaseline(90);
    EXPECT_TRUE(std::any_of(rowOne.begin(), rowOne.end(),
                            [](const LineCmd& l) { return l.x2 - l.x1 == 400001; }));
    // Row 2 has its lead-in and the first burst, then stops at the long gap.
    const auto rowTwo = d.onBaseline(180);
    ASSERT_EQ(rowTwo.size(), 4u);
    EXPECT_EQ(rowTwo.back(), line(9100, 130, 9100, 180));
    EXPECT_TRUE(d.onBaseline(270).empty());
}

TEST(Irdrw, AGapOfExactly400000IsDrawnInAFrameRow) {
    Drawn d;
    d.capture({9000, 4500, 560, 20000, 9000, 400000, 560, 20000});
    const auto rowTwo = d.onBaseline(180);
    EXPECT_TRUE(std::any_of(rowTwo.begin(), rowTwo.end(),
                            [](const LineCmd& l) { return l.x2 - l.x1 == 400000; }));
    EXPECT_FALSE(d.onBaseline(270).empty());
}

TEST(Irdrw, RowOneDrawsNoGapStartingBeyondOneSecondButStillItsBursts) {
    Drawn d;
    d.capture({999800, 5000, 300, 7000});
    const auto rowOne = d.onBaseline(90);
    // 100 + 999800 = 999900: the gap is drawn; then 1004900 + 300: the
    // burst is drawn, the gap after it is not.
    EXPECT_EQ(rowOne[4], line(999900, 90, 1004900, 90));
    EXPECT_EQ(rowOne.back(), line(1005200, 40, 1005200, 90));
}

TEST(Irdrw, ScrollMovesTheOriginAHundredMicrosecondsPerUnit) {
    Drawn d;
    d.capture({1000, 2000});
    for (int value : {0, 1, 2, 10000}) {
        vscrollChange(d.s, 6);
        hscrollChange(d.s, value);
        const double origin = 100 - value * 100.0;
        const auto rowOne = d.onBaseline(90);
        // The first burst's rising edge stands at the origin.
        EXPECT_TRUE(
            std::any_of(rowOne.begin(), rowOne.end(),
                        [&](const LineCmd& l) { return l == line(origin, 90, origin, 40); }))
            << "scroll " << value;
        EXPECT_EQ(d.s.wave.ScaleWidth, 1000000);
    }
}

TEST(Irdrw, WithoutAFormatRowDrawsRowOneAndTheTickSelectsForm016) {
    Drawn d;
    setIrtype(d.s, "Form999");
    ASSERT_FALSE(d.s.CurFormat->hasRow());
    d.capture(frames({40000, 40000}));
    EXPECT_FALSE(d.onBaseline(90).empty());
    EXPECT_TRUE(d.onBaseline(180).empty());
    EXPECT_EQ(d.s.irtype, "Form999"); // drawing selects nothing
    keepADrawableFormat(d.s);
    EXPECT_EQ(d.s.irtype, "Form016(NEC N-8)");
    EXPECT_EQ(d.s.CurFormat->key(), "Form016");
}

struct ZoomKeyCase {
    const char* name;
    int from, key, to;
    const char* caption;
};

void PrintTo(const ZoomKeyCase& c, std::ostream* os) {
    *os << c.name;
}

class ZoomKeys : public ::testing::TestWithParam<ZoomKeyCase> {};

TEST_P(ZoomKeys, StepWithinTheSevenZooms) {
    Drawn d;
    vscrollChange(d.s, GetParam().from);
    zoomKey(d.s, GetParam().key);
    EXPECT_EQ(d.s.wave.VScroll1, GetParam().to);
    EXPECT_EQ(d.s.wave.Lblzoom, GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, ZoomKeys,
    ::testing::Values(ZoomKeyCase{"PlusAtX100ChangesNothing", 0, kKeyAdd, 0, " X100"},
                      ZoomKeyCase{"MinusAtX1ChangesNothing", 6, kKeySubtract, 6, " X 1 "},
                      ZoomKeyCase{"PlusZoomsIn", 3, kKeyAdd, 2, " X20 "},
                      ZoomKeyCase{"MinusZoomsOut", 5, kKeySubtract, 6, " X 1 "},
                      ZoomKeyCase{"OtherKeysAreIgnored", 3, 108, 3, " X10 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Zoom, SetsScaleWidth) {
    Drawn d;
    vscrollChange(d.s, 6);
    vscrollChange(d.s, 3);
    EXPECT_EQ(d.s.wave.ScaleWidth, 100000);
}

TEST(Zoom, ARuleLineOnABurstEdgeStaysOnItAcrossZoomChanges) {
    Drawn d;
    d.capture({1000, 2000, 500, 3000});
    vscrollChange(d.s, 6);
    pictureClick(d.s, 3100, MouseButton::Left); // the second burst's rising edge
    for (int zoom : {3, 6, 0}) {
        vscrollChange(d.s, zoom);
        const double x = d.s.wave.Line1X;
        const auto rowOne = d.onBaseline(90);
        EXPECT_TRUE(std::any_of(rowOne.begin(), rowOne.end(),
                                [&](const LineCmd& l) { return l == line(x, 90, x, 40); }))
            << "zoom " << zoom << " line at " << x;
    }
}

// --- rule lines ---

struct StepCase {
    const char* name;
    int zoom;
    int selected;
    void (*op)(Session&);
    double red, green; // expected positions, starting from red 0, green 0
    const char* label;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.name;
}

class RuleSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(RuleSteps, MoveTheSelectedLinesByTheirShareOfTheScale) {
    Drawn d;
    vscrollChange(d.s, GetParam().zoom);
    d.s.wave.selectedLine = GetParam().selected;
    GetParam().op(d.s);
    EXPECT_EQ(d.s.wave.Line1X, GetParam().red);
    EXPECT_EQ(d.s.wave.Line2X, GetParam().green);
    EXPECT_EQ(d.s.LblRGtime, GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, RuleSteps,
    ::testing::Values(
        StepCase{"AddAtX1MovesRed1000", 6, kRuleRed, addRule, 1000, 0, "1000"},
        StepCase{"RedecAtX1MovesRed10000Left", 6, kRuleRed, redecRule, -10000, 0, "-10000"},
        StepCase{"AddAtX100MovesRed10", 0, kRuleRed, addRule, 10, 0, "10"},
        StepCase{"ReaddAtX10MovesGreen1000", 3, kRuleGreen, readdRule, 0, 1000, "-1000"},
        StepCase{"DecAtX5MovesGreen200Left", 4, kRuleGreen, decRule, 0, -200, "200"},
        StepCase{"BothMoveTogetherAndKeepTheLabel", 6, kRuleBoth, addRule, 1000, 1000, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClickCase {
    const char* name;
    int selected;
    MouseButton button;
    double red, green, x;
    double wantRed, wantGreen;
    const char* label;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class PictureClicks : public ::testing::TestWithParam<ClickCase> {};

TEST_P(PictureClicks, PlaceTheLines) {
    Drawn d;
    const ClickCase& c = GetParam();
    d.s.wave.selectedLine = c.selected;
    d.s.wave.Line1X = c.red;
    d.s.wave.Line2X = c.green;
    const auto before = d.s.wave.lines;
    pictureClick(d.s, c.x, c.button);
    EXPECT_EQ(d.s.wave.Line1X, c.wantRed);
    EXPECT_EQ(d.s.wave.Line2X, c.wantGreen);
    EXPECT_EQ(d.s.LblRGtime, c.label);
    EXPECT_EQ(d.s.wave.lines, before); // a click does not redraw
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, PictureClicks,
    ::testing::Values(ClickCase{"BothRedRightOfGreenPutsRedOnTheClick", kRuleBoth,
                                MouseButton::Left, 5000, 2000, 10000, 10000, 7000, "3000"},
                      ClickCase{"BothRedLeftOfGreenPutsGreenOnTheClick", kRuleBoth,
                                MouseButton::Right, 2000, 5000, 10000, 7000, 10000, "-3000"},
                      ClickCase{"BothMovesWithTheMiddleButtonToo", kRuleBoth, MouseButton::Middle,
                                0, 0, 300, 300, 300, "0"},
                      ClickCase{"GreenSelectedLeftClickStillMovesRed", kRuleGreen,
                                MouseButton::Left, 0, 0, 4000, 4000, 0, "4000"},
                      ClickCase{"RedSelectedRightClickMovesGreen", kRuleRed, MouseButton::Right, 0,
                                0, 4000, 0, 4000, "-4000"},
                      ClickCase{"SingleLineMiddleClickMovesNothing", kRuleRed, MouseButton::Middle,
                                100, 200, 4000, 100, 200, "0"},
                      ClickCase{"NegativeFractionalDistanceRoundsDown", kRuleRed, MouseButton::Left,
                                0, 0.5, 0.25, 0.25, 0.5, "-1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuleButtons, APressStepsOnceAndStartsTheRepeatTheReleaseStopsIt) {
    Drawn d;
    vscrollChange(d.s, 6);
    ruleButtonDown(d.s, RuleButton::Add, MouseButton::Left);
    EXPECT_EQ(d.s.wave.Line1X, 1000);
    EXPECT_TRUE(d.s.wave.AddHeld);
    EXPECT_TRUE(d.s.Timer3);
    timer3Tick(d.s);
    timer3Tick(d.s);
    EXPECT_EQ(d.s.wave.Line1X, 3000);
    ruleButtonUp(d.s, RuleButton::Add);
    EXPECT_FALSE(d.s.wave.AddHeld);
    EXPECT_FALSE(d.s.Timer3);
}

TEST(RuleButtons, AMiddlePressDoesNothingButItsReleaseStopsTheTimer) {
    Drawn d;
    ruleButtonDown(d.s, RuleButton::Dec, MouseButton::Left);
    const double x = d.s.wave.Line1X;
    ruleButtonDown(d.s, RuleButton::Add, MouseButton::Middle);
    EXPECT_EQ(d.s.wave.Line1X, x);
    EXPECT_FALSE(d.s.wave.AddHeld);
    ruleButtonUp(d.s, RuleButton::Add);
    EXPECT_FALSE(d.s.Timer3);
    EXPECT_TRUE(d.s.wave.DecHeld); // only a new press re-enables the timer
}

TEST(RuleButtons, TheTickServesTheFirstHeldButtonInTheOrderAddReaddDecRedec) {
    Drawn d;
    vscrollChange(d.s, 6);
    ruleButtonDown(d.s, RuleButton::Redec, MouseButton::Left); // -10000
    ruleButtonDown(d.s, RuleButton::Dec, MouseButton::Left);   // -1000
    timer3Tick(d.s);                                           // "<" before "<<"
    EXPECT_EQ(d.s.wave.Line1X, -12000);
    ruleButtonDown(d.s, RuleButton::Readd, MouseButton::Left); // +10000
    timer3Tick(d.s);                                           // ">>" before "<"
    EXPECT_EQ(d.s.wave.Line1X, 8000);
}

TEST(RuleButtons, ATickWithNothingHeldSwitchesTheTimerOff) {
    Drawn d;
    d.s.Timer3 = true;
    timer3Tick(d.s);
    EXPECT_FALSE(d.s.Timer3);
    EXPECT_EQ(d.s.wave.Line1X, 0);
}
