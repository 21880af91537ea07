// The decode dispatch: the result on the main window, the error record,
// automatic format selection, the sample comparison, the hand-over to the
// code recording grid and the press statistics.
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
#include <fstream>
#include <sstream>
#include <sys/resource.h>

using namespace qv;
using namespace enginetest;

namespace {

const std::string kNecHexLine = "00 FF 12 ED \r\n";
const std::string kBadBlock = "Group 1:0 Osc time is error!\r\n0 Osc standard time:562\r\n"
                              "0 Osc test time:700\r\n\r\n\r\n";

class Dispatch : public ::testing::Test {
protected:
    Dispatch() {
        s.cataloguePath = catalogue.path();
        s.errorRecord.setPath(dir.file("Error record.txt"));
        catalogue.add("Form016");
        setIrtype(s, "Form016(NEC N-8)");
    }
    void capture(const std::vector<long>& times) {
        loadTimes(s, times);
        s.setTimers(false, false);
        decodeDispatch(s);
    }
    static std::vector<long> badPress() {
        auto t = necPress(0x00, 0x12, 0);
        t[2] = 700; // the first customer bit's burst
        return t;
    }
    std::string record() const {
        std::ifstream in(dir.file("Error record.txt"), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    bool recordExists() const { return std::filesystem::exists(dir.file("Error record.txt")); }
    int failingMarks() const {
        const auto& m = s.wave.marks.marks;
        return static_cast<int>(
            std::count_if(m.begin(), m.end(), [](const auto& k) { return !k.pass; }));
    }

    TempDir dir;
    TestCatalogue catalogue{dir.file("IRTime.db")};
    Session s;
};

TEST_F(Dispatch, GoodCaptureIsShownEverywhereAndCreatesAnEmptyRecord) {
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.tHCode, kNecHexLine);
    EXPECT_EQ(s.tBcode, "00000000 11111111 01001000 10110111 \r\n");
    EXPECT_EQ(s.code.tHexCode, s.tBcode);
    EXPECT_EQ(s.help.Text1, s.tBcode + "\r\n" + s.tHCode + "\r\n\r\n");
    EXPECT_EQ(s.tTole, "3%");
    EXPECT_TRUE(s.Timer2);
    ASSERT_FALSE(s.wave.marks.marks.empty());
    EXPECT_EQ(s.wave.marks.marks.front().kind, MarkKind::HeadBurst);
    EXPECT_EQ(failingMarks(), 0);
    std::string parts;
    for (const auto& p : s.wave.marks.parts)
        parts += p.name + "=" + p.hex + " ";
    EXPECT_EQ(parts, "Customer=00 ~Customer=FF Data=12 ~Data=ED Last burst= ");
    EXPECT_TRUE(recordExists());
    EXPECT_EQ(record(), "");
}

TEST_F(Dispatch, EachFailedCaptureAppendsOneBlockAndMarksItsFailingTime) {
    capture(badPress());
    EXPECT_EQ(s.tHCode, "");
    EXPECT_EQ(record(), kBadBlock);
    ASSERT_EQ(failingMarks(), 1);
    const auto& marks = s.wave.marks.marks;
    const auto bad =
        std::find_if(marks.begin(), marks.end(), [](const auto& m) { return !m.pass; });
    EXPECT_EQ(std::pair(bad->row, bad->col), std::pair(1L, 3));
    EXPECT_EQ(bad->measuredUs, 700);
    EXPECT_LT(bad->hi, 700);
    capture(badPress());
    EXPECT_EQ(record(), kBadBlock + kBadBlock);
    // A gap that fits neither bit fails too, though it has no one standard.
    auto t = necPress(0x00, 0x12, 0);
    t[3] = 1200;
    capture(t);
    ASSERT_EQ(failingMarks(), 1);
}

TEST_F(Dispatch, IgnoreTimeShowsTheCodeAndWritesNoRecord) {
    setIgnoreTime(s, true);
    capture(badPress());
    EXPECT_FALSE(recordExists());
    EXPECT_EQ(s.tHCode, kNecHexLine);
    EXPECT_EQ(s.ErrRcd.size(), 3u);
    EXPECT_EQ(s.tTole, "15%");
}

// A full disk cut the block and the next capture continued the cut line.
// A file size limit makes the write stop part way as a full disk does.
TEST_F(Dispatch, AFailedAppendLeavesTheRecordAsItWasAndIsReportedOnce) {
    capture(badPress());
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = kBadBlock.size() + 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    capture(badPress());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(record(), kBadBlock);
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_NE(s.messages[0].find("The error record could not be written"), std::string::npos);
    EXPECT_TRUE(s.Timer2);
    capture(badPress());
    EXPECT_EQ(record(), kBadBlock + kBadBlock);
}

TEST_F(Dispatch, FewerGroupsThanQuickPressAddsTwoLines) {
    catalogue.set("Form016", {{"G_count", num(3)}});
    setIrtype(s, "Form016");
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(record(), "Quick press should send 3groups\r\nActually send 2groups\r\n\r\n\r\n");
}

TEST_F(Dispatch, OctShowsBytesInDecimal) {
    s.optOct = true;
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.tHCode, "00 255 18 237 \r\n");
}

TEST_F(Dispatch, NoRowOrARunawayWalkDecodesNothingAndTheTickGoesOn) {
    catalogue.set("Form016", {{"stru", FieldValue::text("C,D,X")}});
    setIrtype(s, "Form016");
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.messages, std::vector<std::string>{kWrongFormatMessage});
    EXPECT_TRUE(s.Timer2);
    setIrtype(s, "Form999");
    const size_t said = s.messages.size();
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.tBcode, "");
    EXPECT_EQ(s.messages.size(), said);
    EXPECT_TRUE(s.Timer2);
}

TEST(OctText, ConvertsEveryTokenOfEveryLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"0A 1F\r\n", "10 31 \r\n"},
        {"05\r\n", "05 \r\n"},
        {"1E 1\r\n", "30 01 \r\n"},
        {"0A  1F\r\n", "10 31 \r\n"},
        {"0A\r\n1F", "10 \r\n"},
        {"", ""},
        {"00 FF \r\n12 ED \r\n", "00 255 \r\n18 237 \r\n"}};
    for (auto [hex, oct] : cases)
        EXPECT_EQ(octText(hex, "\r\n"), oct) << hex;
    EXPECT_EQ(firstCodeLine(" 00 FF \r\n12 \r\n", "\r\n"), "00 FF \r");
    EXPECT_EQ(firstCodeLine("00 FF", "\r\n"), "");
}

// Form010 has NEC's head but twice its bit time: NEC presses fail there.
class AutoSelection : public Dispatch {
protected:
    AutoSelection() {
        catalogue.add("Form010", {{"Zero_Osc", num(1124)}, {"zero_Idle", num(1124)}});
        catalogue.add("Form040", {{"H_Osc", num(3000)}, {"H_Idle", num(3000)}});
        setIrtype(s, "Form010(&ITT)");
        s.mnuAuto = true;
    }
};

TEST_F(AutoSelection, WidensTheToleranceThenSkipsTheFormatThatJustFailed) {
    for (const char* tolerance : {"5%", "7%", "9%", "11%", "13%", "15%"}) {
        capture(necPress(0x00, 0x12, 0));
        EXPECT_EQ(s.tTole, tolerance);
        EXPECT_EQ(s.tHCode, "");
        EXPECT_FALSE(s.Timer2);
        EXPECT_EQ(s.irtype, "Form010(ITT)");
    }
    EXPECT_EQ(s.tTTole, "8377.143");
    // An early end of the tick still records the errors.
    EXPECT_EQ(record().substr(record().size() - 4), "\r\n\r\n");
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.tBcode, "It not this format");
    EXPECT_EQ(s.irtype, "Form016");
    EXPECT_EQ(s.AutoFormatIndex, 2);
    EXPECT_FLOAT_EQ(s.TimeTolerance, 0.05f);
    EXPECT_FLOAT_EQ(s.CycleTolerance, 500);
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.tHCode, kNecHexLine);
    EXPECT_TRUE(s.Timer2);
}

TEST_F(AutoSelection, NoFittingFormatGoesBackToTheFirst) {
    catalogue.set("Form016", {{"H_Osc", num(3000)}});
    setIrtype(s, "Form010(&ITT)");
    for (int i = 0; i < 7; ++i)
        capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.irtype, "Form001");
    EXPECT_EQ(s.AutoFormatIndex, 0);
}

// Captures alternate between storing a sample and comparing with it.
TEST_F(Dispatch, SampleComparisonBeepsOnEqualCodesOnly) {
    capture(necPress(0x00, 0x12, 0));
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.beeps, 0); // no comparison asked for
    EXPECT_FALSE(s.SampleHeld);
    s.mnuCmp = true;
    capture(necPress(0x00, 0x12, 0));
    EXPECT_TRUE(s.SampleHeld);
    EXPECT_EQ(s.SampleCode, "00 FF 12 ED \r");
    capture(necPress(0x00, 0x12, 0));
    EXPECT_EQ(s.beeps, 1);
    EXPECT_FALSE(s.SampleHeld);
    capture(necPress(0x00, 0x12, 0));
    capture(necPress(0x01, 0x12, 0));
    EXPECT_EQ(s.beeps, 1);
    EXPECT_TRUE(s.SampleHeld);
    EXPECT_EQ(s.SampleCode, "01 FE 12 ED \r");
}

// The hand-over to the code recording grid of 12 columns.
TEST_F(Dispatch, HandOverFillsTheGridAndMovesOn) {
    struct Case {
        int16_t from;
        bool good;
        int16_t to;
        int row, left;
    };
    for (const Case c : {Case{3, true, 9, 0, 0}, Case{11, true, 1, 1, 0}, Case{10, true, 11, 0, 0},
                         Case{7, true, 8, 0, 4}, Case{6, true, 7, 0, 0}, Case{5, false, 5, 0, 0}}) {
        MemoryCodeGrid grid{12, 5};
        s.codeGrid = &grid;
        s.code.cIrRec = true;
        s.RecordCol = c.from;
        s.beeps = 0;
        capture(c.good ? necPress(0x00, 0x12, 0) : badPress());
        SCOPED_TRACE(c.from);
        EXPECT_EQ(s.RecordCol, c.to);
        EXPECT_EQ(grid.currentRow(), c.row);
        EXPECT_EQ(grid.leftColumn(), c.left);
        EXPECT_EQ(grid.cell(0, c.from == 3 ? 8 : c.from), c.good ? "00 FF 12 ED \r" : "");
        EXPECT_EQ(s.beeps, c.good ? 1 : 0);
        if (c.from != 3) continue;
        EXPECT_EQ(grid.cell(0, 3), "Form016");
        EXPECT_EQ(grid.cell(0, 4), "0.03");
        EXPECT_EQ(s.code.lDspRslt, "Record success!");
        EXPECT_EQ(s.code.tRow, "1");
        EXPECT_EQ(s.code.tCol, "9");
    }
}

// Three presses of one code with their head and one bit gap moved by hand,
// and a press of another code: the figures are worked out by hand.
TEST_F(Dispatch, PressStatisticsMatchFiguresWorkedOutByHand) {
    const std::vector<std::vector<std::pair<size_t, long>>> presses = {
        {{0, 9090}}, {{0, 8910}, {1, 4545}}, {{1, 4590}, {2 + 2 * 8 + 1, 1738}}};
    for (const auto& changes : presses) {
        auto times = necPress(0x00, 0x12, 2);
        for (const auto& [cell, time] : changes)
            times[cell] = time;
        capture(times);
    }
    capture(necPress(0x01, 0x12, 0));
    std::vector<engine::PressRecord> records;
    for (const auto& p : s.pressLog)
        records.push_back(p.record);
    const auto groups = engine::pressStatistics(records);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[1].code, "01 FE 12 ED");
    EXPECT_EQ(groups[1].presses, 1);
    const engine::PressGroupStats& g = groups[0];
    EXPECT_EQ(g.format, "Form016");
    EXPECT_EQ(g.code, "00 FF 12 ED");
    EXPECT_EQ(g.presses, 3);
    EXPECT_EQ(g.clean, 3);
    // 16 zeros and 16 ones a frame; of three groups one cycle is checked.
    const double m = 50.0 / 48, oneGapSd = std::sqrt((47 * m * m + (50 - m) * (50 - m)) / 47);
    const struct {
        const char* kind;
        int count;
        double mean, sd, min, max, standard;
    } expected[] = {{"head burst", 3, 9000, 90, 8910, 9090, 9000},
                    {"head gap", 3, 4545, 45, 4500, 4590, 4500},
                    {"repeat head burst", 6, 9000, 0, 9000, 9000, 9000},
                    {"repeat head gap", 6, 2250, 0, 2250, 2250, 2250},
                    {"0 burst", 48, 562, 0, 562, 562, 562},
                    {"0 gap", 48, 562, 0, 562, 562, 562},
                    {"1 burst", 48, 562, 0, 562, 562, 562},
                    {"1 gap", 48, 1688 + m, oneGapSd, 1688, 1738, 1688},
                    {"end bit", 9, 562, 0, 562, 562, 562},
                    {"cycle", 3, 108000, 0, 108000, 108000, 108000}};
    ASSERT_EQ(g.kinds.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& k = g.kinds[i];
        SCOPED_TRACE(expected[i].kind);
        EXPECT_EQ(k.kind, expected[i].kind);
        EXPECT_EQ(k.count, expected[i].count);
        EXPECT_NEAR(k.mean, expected[i].mean, 1e-9);
        EXPECT_NEAR(k.sd, expected[i].sd, 1e-9);
        EXPECT_EQ(k.min, expected[i].min);
        EXPECT_EQ(k.max, expected[i].max);
        EXPECT_EQ(k.standard, expected[i].standard);
    }
    EXPECT_NEAR(*g.kinds[1].deviationUs(), 45, 1e-9);
    EXPECT_NEAR(*g.kinds[1].deviationPercent(), 1, 1e-9);
    EXPECT_NEAR(g.tolerancePercent, 50.0 / 1688 * 100, 1e-9);
    EXPECT_NEAR(g.absoluteUs, 90, 1e-9);
    EXPECT_EQ(g.cycleUs, 0);
}

} // namespace
