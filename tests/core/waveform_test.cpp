// The waveform drawing and the rule lines, checked as data without a screen.
#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "test_support.h"
#include "waveform/measure.h"
#include "waveform/overlay.h"
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
    // Lines of the drawing row whose baseline is base.
    std::vector<LineCmd> onBaseline(double base) const {
        std::vector<LineCmd> out;
        auto inRow = [&](double y) { return y <= base && y >= base - 50; };
        for (const auto& l : s.wave.lines)
            if (inRow(l.y1) && inRow(l.y2)) out.push_back(l);
        return out;
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

struct AxisCase {
    const char* name;
    int zoom, scroll;
    double widthPx, labelPx;
    double firstMajorX, majorStep;
    int minorsPerMajor;
    std::vector<std::string> labels;
};

void PrintTo(const AxisCase& c, std::ostream* os) {
    *os << c.name;
}

class TimeAxis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(TimeAxis, PutsRoundStepsWhereTheirLabelsFitAndFollowsTheScroll) {
    const AxisCase& c = GetParam();
    Drawn d;
    vscrollChange(d.s, c.zoom);
    hscrollChange(d.s, c.scroll);
    const std::vector<AxisTick> ticks = timeAxis(d.s.wave, c.widthPx, c.labelPx);
    std::vector<std::string> labels;
    std::vector<double> majors;
    for (const AxisTick& t : ticks) {
        EXPECT_GE(t.x, 0);
        EXPECT_LE(t.x, d.s.wave.ScaleWidth);
        EXPECT_DOUBLE_EQ(t.x - t.us, timeOrigin(d.s.wave));
        if (t.major)
            labels.push_back(t.label), majors.push_back(t.x);
        else
            EXPECT_EQ(t.label, "");
    }
    EXPECT_EQ(labels, c.labels);
    ASSERT_FALSE(majors.empty());
    EXPECT_DOUBLE_EQ(majors.front(), c.firstMajorX);
    EXPECT_DOUBLE_EQ(majors[1] - majors[0], c.majorStep);
    for (size_t i = 1; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i].x - ticks[i - 1].x, c.majorStep / c.minorsPerMajor, 1e-6);
    EXPECT_GE(c.majorStep / d.s.wave.ScaleWidth * c.widthPx, c.labelPx);
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, TimeAxis,
    ::testing::Values(
        AxisCase{
            "X10In900PixelsStepsTenMilliseconds",
            3,
            0,
            900,
            80,
            100,
            10000,
            5,
            {"0", "10 ms", "20 ms", "30 ms", "40 ms", "50 ms", "60 ms", "70 ms", "80 ms", "90 ms"}},
        AxisCase{"X100StepsOneMillisecond",
                 0,
                 0,
                 900,
                 80,
                 100,
                 1000,
                 5,
                 {"0", "1 ms", "2 ms", "3 ms", "4 ms", "5 ms", "6 ms", "7 ms", "8 ms", "9 ms"}},
        AxisCase{"AWidePictureStepsInMicroseconds",
                 0,
                 0,
                 2000,
                 80,
                 100,
                 500,
                 5,
                 {"0",       "500 µs",  "1000 µs", "1500 µs", "2000 µs", "2500 µs", "3000 µs",
                  "3500 µs", "4000 µs", "4500 µs", "5000 µs", "5500 µs", "6000 µs", "6500 µs",
                  "7000 µs", "7500 µs", "8000 µs", "8500 µs", "9000 µs", "9500 µs"}},
        AxisCase{"ANarrowPictureTakesLongerSteps", 3, 0, 300, 80, 100, 50000, 5, {"0", "50 ms"}},
        AxisCase{
            "ScrolledTheTicksStayOnRoundTimes",
            1,
            3,
            900,
            80,
            1800,
            2000,
            4,
            {"2 ms", "4 ms", "6 ms", "8 ms", "10 ms", "12 ms", "14 ms", "16 ms", "18 ms", "20 ms"}},
        AxisCase{"X1ScrolledHalfASecond",
                 6,
                 5000,
                 900,
                 80,
                 100,
                 100000,
                 5,
                 {"500 ms", "600 ms", "700 ms", "800 ms", "900 ms", "1000 ms", "1100 ms", "1200 ms",
                  "1300 ms", "1400 ms"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Irdrw, AnEmptyCaptureDrawsNothingAlsoAfterScrollAndZoom) {
    Drawn d;
    d.capture({});
    EXPECT_TRUE(d.s.wave.lines.empty());
    hscrollChange(d.s, 50);
    vscrollChange(d.s, 6);
    EXPECT_TRUE(d.s.wave.lines.empty());
    EXPECT_TRUE(d.s.wave.rows.empty());
    EXPECT_TRUE(d.s.wave.segments.empty());
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

    std::vector<LineCmd> expected;
    for (const auto* part : {&rowOne, &rowTwo, &rowThree})
        expected.insert(expected.end(), part->begin(), part->end());
    EXPECT_EQ(d.s.wave.lines, expected);
    const std::vector<WaveRow> rows = {{90, "Whole capture"}, {180, "Frame 2"}, {270, "Frame 3"}};
    EXPECT_EQ(d.s.wave.rows, rows);
    // Each burst and gap drawn, with its cell; the last row-two burst closes the frame.
    const std::vector<WaveSegment> segments = {
        {0, 100, 1000, true, 1, 1, 0},      {0, 1100, 2000, false, 1, 2, 1000},
        {0, 3100, 500, true, 1, 3, 3000},   {0, 3600, 20000, false, 1, 4, 3500},
        {0, 23600, 700, true, 1, 5, 23500}, {0, 24300, 300, false, 1, 6, 24200},
        {0, 24600, 600, true, 1, 7, 24500}, {0, 25200, 248885, false, 1, 8, 25100},
        {1, 100, 700, true, 1, 5, 23500},   {1, 800, 300, false, 1, 6, 24200},
        {1, 1100, 600, true, 1, 7, 24500},  {1, 1700, 248885, false, 1, 8, 25100}};
    EXPECT_EQ(d.s.wave.segments, segments);
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
    const char* box;
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
    EXPECT_EQ(ruleBoxText(d.s.wave), GetParam().box);
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, RuleSteps,
    ::testing::Values(
        StepCase{"AddAtX1MovesRed1000", 6, kRuleRed, addRule, 1000, 0, "1000", "Δt = 1.000 ms"},
        StepCase{"RedecAtX1MovesRed10000Left", 6, kRuleRed, redecRule, -10000, 0, "-10000",
                 "Δt = 10.000 ms"},
        StepCase{"AddAtX100MovesRed10", 0, kRuleRed, addRule, 10, 0, "10", "Δt = 10 µs"},
        StepCase{"ReaddAtX10MovesGreen1000", 3, kRuleGreen, readdRule, 0, 1000, "-1000",
                 "Δt = 1.000 ms"},
        StepCase{"DecAtX5MovesGreen200Left", 4, kRuleGreen, decRule, 0, -200, "200", "Δt = 200 µs"},
        StepCase{"BothMoveTogetherAndKeepTheLabel", 6, kRuleBoth, addRule, 1000, 1000, "0",
                 "Δt = 0 µs"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClickCase {
    const char* name;
    int selected;
    MouseButton button;
    double red, green, x;
    double wantRed, wantGreen;
    const char* label;
    const char* box;
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
    EXPECT_EQ(ruleBoxText(d.s.wave), c.box);
    EXPECT_EQ(d.s.wave.lines, before); // a click does not redraw
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, PictureClicks,
    ::testing::Values(ClickCase{"BothRedRightOfGreenPutsRedOnTheClick", kRuleBoth,
                                MouseButton::Left, 5000, 2000, 10000, 10000, 7000, "3000",
                                "Δt = 3.000 ms"},
                      ClickCase{"BothRedLeftOfGreenPutsGreenOnTheClick", kRuleBoth,
                                MouseButton::Right, 2000, 5000, 10000, 7000, 10000, "-3000",
                                "Δt = 3.000 ms"},
                      ClickCase{"BothMovesWithTheMiddleButtonToo", kRuleBoth, MouseButton::Middle,
                                0, 0, 300, 300, 300, "0", "Δt = 0 µs"},
                      ClickCase{"GreenSelectedLeftClickStillMovesRed", kRuleGreen,
                                MouseButton::Left, 0, 0, 4000, 4000, 0, "4000", "Δt = 4.000 ms"},
                      ClickCase{"RedSelectedRightClickMovesGreen", kRuleRed, MouseButton::Right, 0,
                                0, 4000, 0, 4000, "-4000", "Δt = 4.000 ms"},
                      ClickCase{"SingleLineMiddleClickMovesNothing", kRuleRed, MouseButton::Middle,
                                100, 200, 4000, 100, 200, "0", ""},
                      ClickCase{"NegativeFractionalDistanceRoundsDown", kRuleRed, MouseButton::Left,
                                0, 0.5, 0.25, 0.25, 0.5, "-1", "Δt = 0 µs"}),
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

// --- measuring ---

TEST(Measure, DurationsCarryTheirUnitInWholeMicroseconds) {
    const std::pair<double, const char*> cases[] = {{0, "0 µs"},
                                                    {-0.4, "0 µs"},
                                                    {999.4, "999 µs"},
                                                    {999.5, "1.000 ms"},
                                                    {58852, "58.852 ms"},
                                                    {-58852, "-58.852 ms"},
                                                    {999999, "999.999 ms"},
                                                    {1500000, "1.500000 s"}};
    for (auto [us, text] : cases)
        EXPECT_EQ(durationText(us), text) << us;
}

TEST(Measure, HoverNamesTheRowTheTimeAndTheBurstOrGapUnderThePointer) {
    Drawn d;
    d.capture({9000, 4500, 560, 560, 560, 1690, 560, 40000, 9000, 2250, 560, 96000});
    vscrollChange(d.s, 6);
    const std::tuple<double, double, const char*> cases[] = {
        {600, 60, "Whole capture  t = 500 µs  burst 9.000 ms (row 1, col 1)"},
        {9200, 88, "Whole capture  t = 9.100 ms  gap 4.500 ms (row 1, col 2)"},
        {9100, 88, "Whole capture  t = 9.000 ms  gap 4.500 ms (row 1, col 2)"}, // an edge
        {50, 70, "Whole capture  t = -50 µs"},
        {10100, 160, "Frame 2  t = 10.000 ms  gap 2.250 ms (row 1, col 10)"},
        {11400, 260, "Frame 3  t = 11.300 ms"}};
    for (auto [x, y, text] : cases)
        EXPECT_EQ(hoverText(d.s.wave, x, y), text) << x << "," << y;
    hscrollChange(d.s, 10);
    EXPECT_EQ(hoverText(d.s.wave, 9200 - 1000, 88), std::get<2>(cases[1]));
}

struct WheelCase {
    const char* name;
    int zoom, scroll;
    int notches;
    double x;
    int wantZoom;
    bool keepsTime; // false where the scroll stops at its start
};

void PrintTo(const WheelCase& c, std::ostream* os) {
    *os << c.name;
}

class WheelZoom : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelZoom, StepsLikeTheZoomBarAndKeepsTheTimeUnderThePointer) {
    const WheelCase& c = GetParam();
    Drawn d;
    vscrollChange(d.s, c.zoom);
    hscrollChange(d.s, c.scroll);
    const double t = c.x - timeOrigin(d.s.wave), share = c.x / d.s.wave.ScaleWidth;
    wheelZoom(d.s, c.notches, c.x);
    EXPECT_EQ(d.s.wave.VScroll1, c.wantZoom);
    const double x = timeOrigin(d.s.wave) + t;
    if (c.keepsTime)
        EXPECT_NEAR(x, share * d.s.wave.ScaleWidth, 50) << "scroll " << d.s.wave.HScroll1;
    else
        EXPECT_EQ(d.s.wave.HScroll1, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, WheelZoom,
    ::testing::Values(WheelCase{"InOneStepAroundTheMiddle", 3, 0, 1, 50100, 2, true},
                      WheelCase{"ThreeNotchesThreeSteps", 5, 400, 3, 123456, 2, true},
                      WheelCase{"OutFromAScrolledView", 1, 2000, -1, 15000, 2, true},
                      WheelCase{"OutNearTheStartStopsAtTheStart", 3, 0, -2, 90000, 5, false},
                      WheelCase{"InAtX100StaysPut", 0, 70, 4, 5000, 0, true},
                      WheelCase{"OutPastX1StopsAtX1", 5, 0, -9, 0, 6, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Measure, PanMovesTheScrollByItsTimeWithinItsRange) {
    Drawn d;
    const std::tuple<int, double, int> cases[] = {
        {100, 2500, 125}, {100, -2549, 75}, {10, -5000, 0}, {9990, 5000, 10000}};
    for (auto [from, us, want] : cases) {
        panFrom(d.s, from, us);
        EXPECT_EQ(d.s.wave.HScroll1, want) << from << " + " << us;
    }
}

// --- the decode on the trace ---

namespace {

DecodeMark mark(double start, double length, long row, int col, MarkKind kind,
                const char* bits = "", int part = -1) {
    DecodeMark m;
    m.startUs = start, m.durationUs = length, m.row = row, m.col = col, m.kind = kind;
    m.bits = bits, m.part = part;
    return m;
}

DecodeMark failing(DecodeMark m, double standard, double lo, double hi) {
    m.pass = false, m.standard = standard, m.lo = lo, m.hi = hi;
    return m;
}

struct OverlayCase {
    const char* name;
    std::vector<long> times;
    std::vector<DecodeMark> marks;
    std::vector<DecodePart> parts;
    int selected;
    double pxPerUs; // 0.09: X100 on 900 pixels; 0.009: X10
    std::vector<OverlayItem> want;
};

void PrintTo(const OverlayCase& c, std::ostream* os) {
    *os << c.name;
}

using K = MarkKind;
using O = OverlayKind;

} // namespace

class Overlay : public ::testing::TestWithParam<OverlayCase> {};

TEST_P(Overlay, PlacesTheMarksOnTheirRowsAndKeepsTheLabelsThatFit) {
    const OverlayCase& c = GetParam();
    Drawn d;
    d.capture(c.times);
    d.s.wave.marks = {c.marks, c.parts};
    d.s.wave.selectedMark = c.selected;
    EXPECT_EQ(overlay(d.s.wave, c.pxPerUs, 7), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Waveform, Overlay,
    ::testing::Values(
        // Gap-coded: the gap decides the bit; the end bit carries no value.
        OverlayCase{"NecHeadBitsAndPart",
                    {9000, 4500, 560, 560, 560, 1690, 560, 40000},
                    {mark(0, 9000, 1, 1, K::HeadBurst), mark(9000, 4500, 1, 2, K::HeadGap),
                     mark(14060, 560, 1, 4, K::Bit, "0", 0),
                     mark(15180, 1690, 1, 6, K::Bit, "1", 0), mark(16870, 560, 1, 7, K::EndBit)},
                    {{"Customer", "2"}},
                    -1,
                    0.09,
                    {{O::Head, 0, 100, 9100, "Head"},
                     {O::Bit, 0, 14160, 14720, "0"},
                     {O::Bit, 0, 15280, 16970, "1"},
                     {O::Part, 0, 14160, 16970, "Customer 2"}}},
        OverlayCase{"NecZoomedOutKeepsOnlyTheBracket",
                    {9000, 4500, 560, 560, 560, 1690, 560, 40000},
                    {mark(0, 9000, 1, 1, K::HeadBurst), mark(14060, 560, 1, 4, K::Bit, "0", 0),
                     mark(15180, 1690, 1, 6, K::Bit, "1", 0)},
                    {{"Customer", "2"}},
                    -1,
                    0.0009,
                    {{O::Part, 0, 14160, 16970, ""}}},
        // Bi-phase: bits straddle the bursts and gaps; a half bit is too
        // narrow for its value at X10, the part keeps only its value.
        OverlayCase{"Rc5BitsAcrossCells",
                    {889, 889, 1778, 889, 889, 1778, 889, 100000},
                    {mark(0, 889, 1, 1, K::Bit, "1", 0), mark(889, 1778, 1, 2, K::Bit, "1", 0),
                     mark(2667, 1778, 1, 3, K::Bit, "0", 0)},
                    {{"Address", "6"}},
                    -1,
                    0.009,
                    {{O::Bit, 0, 989, 2767, "1"},
                     {O::Bit, 0, 2767, 4545, "0"},
                     {O::Part, 0, 100, 4545, "6"}}},
        // Burst-coded, with a repeat frame drawn in row 1 and in its own row.
        OverlayCase{"SonyBurstBitsTwoPartsAndARepeat",
                    {2400, 600, 1200, 600, 600, 600, 1200, 30000, 2400, 600, 1200, 30000},
                    {mark(0, 2400, 1, 1, K::HeadBurst), mark(3000, 1200, 1, 3, K::Bit, "1", 0),
                     mark(4800, 600, 1, 5, K::Bit, "0", 0), mark(6000, 1200, 1, 7, K::Bit, "1", 1),
                     mark(37200, 2400, 1, 9, K::RepeatHead)},
                    {{"Command", "5"}, {"Device", "1"}},
                    -1,
                    0.09,
                    {{O::Head, 0, 100, 2500, "Head"},
                     {O::Bit, 0, 3100, 4300, "1"},
                     {O::Bit, 0, 4900, 5500, "0"},
                     {O::Bit, 0, 6100, 7300, "1"},
                     {O::Repeat, 0, 37300, 39700, "Repeat"},
                     {O::Part, 0, 3100, 5500, "Command 5"},
                     {O::Part, 0, 6100, 7300, "Device 1"},
                     {O::Repeat, 1, 100, 2500, "Repeat"}}},
        // A failing gap: red, its allowed window shaded, chosen in the error list.
        OverlayCase{"FailingGapWithItsWindowAndAFailingCycle",
                    {9000, 4500, 560, 1200, 560, 40000},
                    {mark(0, 9000, 1, 1, K::HeadBurst),
                     failing(mark(14060, 1200, 1, 4, K::Bit, "", 0), 560, 543, 577),
                     [] { // the cycle's sum is checked, so no window on its gap
                         DecodeMark m = failing(mark(15820, 40000, 1, 6, K::Cycle), 108000, 0, 0);
                         m.measuredUs = 55820;
                         return m;
                     }()},
                    {{"Customer", "00"}},
                    1,
                    0.09,
                    {{O::Head, 0, 100, 9100, "Head"},
                     {O::Fail, 0, 14160, 15360, "standard 560 µs, measured 1.200 ms"},
                     {O::Window, 0, 14703, 14737, ""},
                     {O::Selected, 0, 14160, 15360, ""},
                     {O::Fail, 0, 15920, 55920, "standard 108.000 ms, measured 55.820 ms"},
                     {O::Part, 0, 14160, 15360, "Customer 00"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Overlay, AnErrorLineLeadsToTheFailingMarkOfItsReportAndScrollsToIt) {
    Drawn d;
    DecodeMarks marks;
    marks.marks = {mark(0, 9000, 1, 1, K::HeadBurst),
                   failing(mark(14060, 1200, 1, 4, K::Bit), 560, 543, 577),
                   failing(mark(250000, 9000, 7, 9, K::RepeatHead), 9000, 8730, 9270)};
    const std::vector<std::string> lines = {
        "Custom code or reverse custom code is wrong", "Group 1:0 or 1's Idle time is error!",
        "0 Idle standard time:562", "Group 2:head's Osc time is error!",
        "Group 3:Cycle's time is error!"};
    const std::pair<int, int> cases[] = {{0, -1}, {1, 1}, {2, 1}, {3, 2}, {4, -1}, {-1, -1}};
    for (auto [line, want] : cases)
        EXPECT_EQ(markOfErrorLine(lines, line, marks), want) << line;

    d.s.wave.marks = marks;
    vscrollChange(d.s, 3);
    showMark(d.s, 2);
    EXPECT_EQ(d.s.wave.selectedMark, 2);
    // 250 ms stands a fifth into the 100 ms wide picture.
    EXPECT_DOUBLE_EQ(timeOrigin(d.s.wave) + 250000, 20000);
    showMark(d.s, 1); // near the start the scroll stops at 0
    EXPECT_EQ(d.s.wave.HScroll1, 0);
}
