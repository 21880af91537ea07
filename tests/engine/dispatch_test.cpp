// The decode dispatch: the result on the main window and beside it, the
// error record, automatic format selection, the sample comparison and the
// hand-over to the code recording grid.
#include "app/capture_tick.h"
#include "app/dispatch.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "engine/engine.h"
#include "engine_support.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>

using namespace qv;
using namespace enginetest;

namespace {

const std::string kNecHexLine = "00 FF 12 ED \r\n";

class Dispatch : public EngineTest {
protected:
    // One capture's tick after loading: the capture in the time table, then
    // the dispatch.
    void capture(const std::vector<long>& times) {
        loadTimes(s, times);
        s.setTimers(false, false);
        decodeDispatch(s);
    }
    std::vector<long> goodPress() { return necPress(0x00, 0x12, 0); }
    std::vector<long> badPress() {
        auto t = necPress(0x00, 0x12, 0);
        t[2] = 700; // the first customer bit's burst
        return t;
    }
    bool recordExists() const { return std::filesystem::exists(dir.file("Error record.txt")); }
};

TEST_F(Dispatch, GoodCaptureIsShownEverywhere) {
    capture(goodPress());
    EXPECT_EQ(s.tHCode, kNecHexLine);
    EXPECT_EQ(s.tBcode, "00000000 11111111 01001000 10110111 \r\n");
    EXPECT_EQ(s.code.tHexCode, s.tBcode);
    EXPECT_EQ(s.help.Text1, s.tBcode + "\r\n" + s.tHCode + "\r\n\r\n");
    EXPECT_EQ(s.tTole, "3%");
    EXPECT_EQ(s.tTTole, "500");
    EXPECT_TRUE(s.Timer2);
    // The waveform's marks: the head first, each part with its byte of the code.
    ASSERT_FALSE(s.wave.marks.marks.empty());
    EXPECT_EQ(s.wave.marks.marks.front().kind, MarkKind::HeadBurst);
    std::string parts;
    for (const auto& p : s.wave.marks.parts)
        parts += p.name + "=" + p.hex + " ";
    EXPECT_EQ(parts, "Customer=00 ~Customer=FF Data=12 ~Data=ED Last burst= ");
}

TEST_F(Dispatch, FailedCaptureAppendsOneBlockOfItsErrorLines) {
    capture(badPress());
    EXPECT_EQ(s.tHCode, "");
    EXPECT_EQ(errorRecordText(), "Group 1:0 Osc time is error!\r\n"
                                 "0 Osc standard time:562\r\n"
                                 "0 Osc test time:700\r\n"
                                 "\r\n\r\n");
    // The failing burst is the one mark that did not pass, in its cell.
    const auto& marks = s.wave.marks.marks;
    ASSERT_EQ(std::count_if(marks.begin(), marks.end(), [](const auto& m) { return !m.pass; }), 1);
    const auto bad =
        std::find_if(marks.begin(), marks.end(), [](const auto& m) { return !m.pass; });
    EXPECT_EQ(std::pair(bad->row, bad->col), std::pair(1L, 3));
    EXPECT_EQ(bad->measuredUs, 700);
    EXPECT_LT(bad->hi, 700);
    // A gap that fits neither bit fails too, though it has no one standard.
    auto t = goodPress();
    t[3] = 1200;
    capture(t);
    ASSERT_EQ(std::count_if(marks.begin(), marks.end(), [](const auto& m) { return !m.pass; }), 1);
    EXPECT_EQ(std::find_if(marks.begin(), marks.end(), [](const auto& m) { return !m.pass; })->col,
              4);
}

TEST_F(Dispatch, ErrorRecordGetsEachFailedCaptureOnce) {
    capture(badPress());
    capture(badPress());
    const std::string block = "Group 1:0 Osc time is error!\r\n0 Osc standard time:562\r\n"
                              "0 Osc test time:700\r\n\r\n\r\n";
    EXPECT_EQ(errorRecordText(), block + block);
}

TEST_F(Dispatch, GoodCaptureCreatesTheRecordButWritesNothing) {
    capture(goodPress());
    EXPECT_TRUE(recordExists());
    EXPECT_EQ(errorRecordText(), "");
}

TEST_F(Dispatch, IgnoreTimeWritesNoRecord) {
    setIgnoreTime(s, true);
    capture(badPress());
    EXPECT_FALSE(recordExists());
    EXPECT_EQ(s.tHCode, kNecHexLine);
    EXPECT_EQ(s.ErrRcd.size(), 3u);
    EXPECT_EQ(s.tTole, "15%");
}

TEST_F(Dispatch, UnwritableRecordIsReported) {
    s.errorRecord.setPath(dir.path()); // a folder cannot be appended to
    capture(badPress());
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_NE(s.messages[0].find("The error record could not be written"), std::string::npos);
    EXPECT_TRUE(s.Timer2);
}

// A full disk cut the block and the next capture continued the cut line.
// A file size limit makes the write stop part way as a full disk does.
TEST_F(Dispatch, AFailedAppendLeavesTheRecordAsItWasAndIsReportedOnce) {
    capture(badPress());
    const std::string before = errorRecordText();
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = before.size() + 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    capture(badPress());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(errorRecordText(), before);
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_NE(s.messages[0].find("The error record could not be written"), std::string::npos);
    capture(badPress());
    EXPECT_EQ(errorRecordText(), before + before);
}

TEST_F(Dispatch, FewerGroupsThanQuickPressAddsTwoLines) {
    useFormat("Form016", {{"G_count", num(3)}});
    capture(goodPress());
    EXPECT_EQ(s.ErrRcd, (std::vector<std::string>{"Quick press should send 3groups",
                                                  "Actually send 2groups"}));
    EXPECT_EQ(errorRecordText(),
              "Quick press should send 3groups\r\nActually send 2groups\r\n\r\n\r\n");
}

TEST_F(Dispatch, OctShowsBytesInDecimal) {
    s.optOct = true;
    capture(goodPress());
    EXPECT_EQ(s.tHCode, "00 255 18 237 \r\n");
}

TEST_F(Dispatch, FormatWithoutRowDecodesNothingAndEndsTheTick) {
    setIrtype(s, "Form999"); // the selection says the row is missing, the tick nothing
    const size_t said = s.messages.size();
    capture(goodPress());
    EXPECT_EQ(s.tBcode, "");
    EXPECT_EQ(s.messages.size(), said);
    EXPECT_TRUE(s.Timer2);
}

struct OctCase {
    std::string name;
    std::string hex;
    std::string oct;
};

void PrintTo(const OctCase& c, std::ostream* os) {
    *os << c.name;
}

class Oct : public ::testing::TestWithParam<OctCase> {};

TEST_P(Oct, ConvertsEveryTokenOfEveryLine) {
    EXPECT_EQ(octText(GetParam().hex, "\r\n"), GetParam().oct);
}

INSTANTIATE_TEST_SUITE_P(
    Display, Oct,
    ::testing::Values(OctCase{"TwoBytes", "0A 1F\r\n", "10 31 \r\n"},
                      OctCase{"SmallValueGetsLeadingZero", "05\r\n", "05 \r\n"},
                      OctCase{"LastOneDigitTokenIsKept", "1E 1\r\n", "30 01 \r\n"},
                      OctCase{"EveryLine", "00 FF \r\n12 ED \r\n", "00 255 \r\n18 237 \r\n"},
                      OctCase{"DoubleBlankIsNoToken", "0A  1F\r\n", "10 31 \r\n"},
                      OctCase{"TextAfterLastBreakIsDropped", "0A\r\n1F", "10 \r\n"},
                      OctCase{"Nothing", "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(FirstCodeLine, KeepsTheCarriageReturnOfTheFirstLine) {
    EXPECT_EQ(firstCodeLine(" 00 FF \r\n12 \r\n", "\r\n"), "00 FF \r");
    EXPECT_EQ(firstCodeLine("00 FF", "\r\n"), "");
}

// Automatic format selection over successive captures.
class AutoSelection : public Dispatch {
protected:
    AutoSelection() {
        // Form010 has NEC's head but twice its bit time: NEC presses fail there.
        catalogue.add("Form010", {{"Zero_Osc", num(1124)}, {"zero_Idle", num(1124)}});
        catalogue.add("Form040", {{"H_Osc", num(3000)}, {"H_Idle", num(3000)}});
        setIrtype(s, "Form010(&ITT)");
        s.mnuAuto = true;
    }
};

TEST_F(AutoSelection, WidensTheToleranceThenSkipsTheFormatThatJustFailed) {
    const std::vector<std::string> shown = {"5%", "7%", "9%", "11%", "13%", "15%"};
    for (const auto& tolerance : shown) {
        capture(goodPress());
        EXPECT_EQ(s.tTole, tolerance);
        EXPECT_EQ(s.tHCode, "");
        EXPECT_FALSE(s.Timer2);
        EXPECT_EQ(s.irtype, "Form010(ITT)");
    }
    EXPECT_EQ(s.tTTole, "8377.143");

    capture(goodPress());
    EXPECT_EQ(s.tBcode, "It not this format");
    // The format that just failed matches its own head; the search goes on
    // past it to the next one.
    EXPECT_EQ(s.irtype, "Form016");
    EXPECT_EQ(s.AutoFormatIndex, 2);
    EXPECT_FLOAT_EQ(s.TimeTolerance, 0.05f);
    EXPECT_FLOAT_EQ(s.CycleTolerance, 500);
    EXPECT_EQ(s.tTole, "5%");

    capture(goodPress());
    EXPECT_EQ(s.tHCode, kNecHexLine);
    EXPECT_TRUE(s.Timer2);
}

TEST_F(AutoSelection, NoFittingFormatGoesBackToTheFirst) {
    catalogue.set("Form016", {{"H_Osc", num(3000)}});
    setIrtype(s, "Form010(&ITT)");
    for (int i = 0; i < 7; ++i)
        capture(goodPress());
    EXPECT_EQ(s.irtype, "Form001");
    EXPECT_EQ(s.AutoFormatIndex, 0);
    EXPECT_EQ(s.tHCode, "");
}

TEST_F(AutoSelection, EarlyEndOfTheTickStillRecordsTheErrors) {
    capture(goodPress());
    EXPECT_NE(errorRecordText(), "");
    EXPECT_EQ(errorRecordText().substr(errorRecordText().size() - 4), "\r\n\r\n");
}

// The sample comparison: captures alternate between storing and comparing.
TEST_F(Dispatch, SampleComparisonBeepsOnEqualCodes) {
    s.mnuCmp = true;
    capture(goodPress());
    EXPECT_TRUE(s.SampleHeld);
    EXPECT_EQ(s.SampleCode, "00 FF 12 ED \r");
    EXPECT_EQ(s.beeps, 0);
    capture(goodPress());
    EXPECT_EQ(s.beeps, 1);
    EXPECT_FALSE(s.SampleHeld);
    capture(goodPress());
    EXPECT_EQ(s.beeps, 1); // stores a new sample
    EXPECT_TRUE(s.SampleHeld);
}

TEST_F(Dispatch, MismatchingCaptureBecomesTheNewSample) {
    s.mnuCmp = true;
    capture(goodPress());
    capture(necPress(0x01, 0x12, 0));
    EXPECT_EQ(s.beeps, 0);
    EXPECT_TRUE(s.SampleHeld);
    EXPECT_EQ(s.SampleCode, "01 FE 12 ED \r");
}

TEST_F(Dispatch, SampleIsUpdatedWithoutComparison) {
    capture(goodPress());
    capture(goodPress());
    EXPECT_EQ(s.beeps, 0);
    EXPECT_FALSE(s.SampleHeld);
}

// The hand-over to the code recording grid.
class HandOver : public Dispatch {
protected:
    HandOver() {
        s.codeGrid = &grid;
        s.code.cIrRec = true;
    }
    MemoryCodeGrid grid{12, 5};
};

TEST_F(HandOver, ColumnThreeStartsWithFormatAndTolerance) {
    s.RecordCol = 3;
    capture(goodPress());
    EXPECT_EQ(grid.cell(0, 3), "Form016");
    EXPECT_EQ(grid.cell(0, 4), "0.03");
    EXPECT_EQ(grid.cell(0, 8), "00 FF 12 ED \r");
    EXPECT_EQ(s.RecordCol, 9);
    EXPECT_EQ(s.code.lDspRslt, "Record success!");
    EXPECT_EQ(s.code.lDspRsltColor, "red");
    EXPECT_EQ(s.beeps, 1);
    EXPECT_EQ(s.code.tRow, "1");
    EXPECT_EQ(s.code.tCol, "9");
}

TEST_F(HandOver, LastColumnMovesToTheNextRow) {
    s.RecordCol = 11;
    capture(goodPress());
    EXPECT_EQ(grid.cell(0, 11), "00 FF 12 ED \r");
    EXPECT_EQ(s.RecordCol, 1);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(s.code.tRow, "2");
}

TEST_F(HandOver, EveryFourthColumnScrollsTheGrid) {
    s.RecordCol = 7;
    capture(goodPress());
    EXPECT_EQ(s.RecordCol, 8);
    EXPECT_EQ(grid.leftColumn(), 4);
}

TEST_F(HandOver, NothingDecodedHandsNothingOver) {
    s.RecordCol = 5;
    capture(badPress());
    EXPECT_EQ(grid.cell(0, 5), "");
    EXPECT_EQ(s.RecordCol, 5);
}

} // namespace

namespace {

// Three presses of one code with their head and one bit gap moved by hand,
// and a press of another code: the figures below are worked out by hand.
TEST_F(Dispatch, PressStatisticsMatchFiguresWorkedOutByHand) {
    struct Change {
        size_t cell;
        long time;
    };
    const std::vector<std::vector<Change>> presses = {
        {{0, 9090}},                         // head burst +90
        {{0, 8910}, {1, 4545}},              // head burst -90, head gap +45
        {{1, 4590}, {2 + 2 * 8 + 1, 1738}}}; // head gap +90; the first 1 gap (~C bit 0) +50
    for (const auto& changes : presses) {
        auto times = necPress(0x00, 0x12, 2);
        for (const auto& c : changes)
            times[c.cell] = c.time;
        capture(times);
    }
    capture(necPress(0x01, 0x12, 0));
    ASSERT_EQ(s.pressLog.size(), 4u);
    std::vector<engine::PressRecord> records;
    for (const auto& p : s.pressLog)
        records.push_back(p.record);
    const auto groups = engine::pressStatistics(records);
    ASSERT_EQ(groups.size(), 2u); // the other code is listed apart
    EXPECT_EQ(groups[1].code, "01 FE 12 ED");
    EXPECT_EQ(groups[1].presses, 1);

    const engine::PressGroupStats& g = groups[0];
    EXPECT_EQ(g.format, "Form016");
    EXPECT_EQ(g.code, "00 FF 12 ED");
    EXPECT_EQ(g.presses, 3);
    EXPECT_EQ(g.clean, 3);
    // 00 FF 12 ED sends 16 zeros and 16 ones; three groups, one cycle
    // checked (the second group's; the first has no standard of its own, the
    // last is followed by nothing).
    struct Expected {
        const char* kind;
        int count;
        double mean, sd, min, max, standard;
    };
    const double oneGapMean = 1688 + 50.0 / 48;
    const double oneGapSd =
        std::sqrt((47 * (50.0 / 48) * (50.0 / 48) + (50 - 50.0 / 48) * (50 - 50.0 / 48)) / 47);
    const Expected expected[] = {
        {"head burst", 3, 9000, 90, 8910, 9090, 9000},
        {"head gap", 3, 4545, 45, 4500, 4590, 4500},
        {"repeat head burst", 6, 9000, 0, 9000, 9000, 9000},
        {"repeat head gap", 6, 2250, 0, 2250, 2250, 2250},
        {"0 burst", 48, 562, 0, 562, 562, 562},
        {"0 gap", 48, 562, 0, 562, 562, 562},
        {"1 burst", 48, 562, 0, 562, 562, 562},
        {"1 gap", 48, oneGapMean, oneGapSd, 1688, 1738, 1688},
        {"end bit", 9, 562, 0, 562, 562, 562},
        {"cycle", 3, 108000, 0, 108000, 108000, 108000},
    };
    ASSERT_EQ(g.kinds.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& k = g.kinds[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.kind);
        EXPECT_EQ(k.kind, e.kind);
        EXPECT_EQ(k.count, e.count);
        EXPECT_NEAR(k.mean, e.mean, 1e-9);
        EXPECT_NEAR(k.sd, e.sd, 1e-9);
        EXPECT_EQ(k.min, e.min);
        EXPECT_EQ(k.max, e.max);
        EXPECT_EQ(k.standard, e.standard);
    }
    EXPECT_NEAR(*g.kinds[1].deviationUs(), 45, 1e-9);
    EXPECT_NEAR(*g.kinds[1].deviationPercent(), 1, 1e-9);
    // The widest time: the 1 gap 50 us over 1688; the widest in microseconds: the heads' 90.
    EXPECT_NEAR(g.tolerancePercent, 50.0 / 1688 * 100, 1e-9);
    EXPECT_NEAR(g.absoluteUs, 90, 1e-9);
    EXPECT_EQ(g.cycleUs, 0);
}

} // namespace
