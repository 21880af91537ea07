// The decode dispatch: the result on the main window, the error record,
// automatic format selection, the sample comparison, the hand-over to the
// code recording grid and the press statistics.
#include "app/dispatch.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "app/session.h"
#include "catalogue/catalogue_build.h"
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

namespace {

const std::string kNecHexLine = "00 FF 12 ED \r\n";
const std::string kBadBlock = "Group 1:0 Osc time is error!\r\n0 Osc standard time:562\r\n"
                              "0 Osc test time:700\r\n\r\n\r\n";

// An NEC key press at the 108 ms frame period; the last gap ends the signal.
std::vector<long> press(unsigned address = 0, int repeats = 0, long firstBurst = 562) {
    std::vector<long> t = {9000, 4500};
    for (unsigned byte : {address, ~address & 0xFFu, 0x12u, 0xEDu})
        for (int i = 0; i < 8; ++i)
            t.insert(t.end(), {562, (byte >> i) & 1 ? 1688L : 562L});
    t[2] = firstBurst;
    t.insert(t.end(), {562, 39954});
    for (int r = 0; r < repeats; ++r)
        t.insert(t.end(), {9000, 2250, 562, 96188});
    t.back() = kEndOfSignal;
    return t;
}

// A session on a catalogue of Form016 rows under the keys a test adds.
class Dispatch : public ::testing::Test {
protected:
    Dispatch() {
        s.format.cataloguePath = dir.file("IRTime.db");
        qv::buildCatalogueIfMissing(enginetest::sourcePath("data/catalogue.sql"),
                                    s.format.cataloguePath);
        Database::open(s.format.cataloguePath)
            ->exec("DELETE FROM \"Type\" WHERE Format <> 'Form016'");
        s.env.errorRecord.setPath(dir.file("Error record.txt"));
        setIrtype(s, "Form016(NEC N-8)");
    }
    // Form016 under another key, and fields changed ("field = value, ...").
    void row(const std::string& key, const std::string& set) {
        Database::open(s.format.cataloguePath)
            ->exec("CREATE TEMP TABLE t AS SELECT * FROM Type WHERE Format = 'Form016';"
                   "UPDATE t SET Format = '" +
                   key + "', " + set + "; DELETE FROM Type WHERE Format = '" + key +
                   "'; INSERT INTO Type SELECT * FROM t; DROP TABLE t");
    }
    void capture(const std::vector<long>& times) {
        s.TTable.clearAll();
        for (size_t i = 0; i < times.size(); ++i)
            s.TTable.setCell(static_cast<long>(i / 10) + 1, static_cast<long>(i % 10) + 1,
                             std::to_string(times[i]));
        s.setIdleTimer(false);
        decodeDispatch(s);
    }
    std::string record() const { return enginetest::fileText(dir.file("Error record.txt")); }
    std::vector<DecodeMark> failing() const {
        std::vector<DecodeMark> out;
        for (const auto& m : s.last.marks.marks)
            if (!m.pass) out.push_back(m);
        return out;
    }

    enginetest::TempDir dir;
    Session s;
};

TEST_F(Dispatch, GoodCaptureIsShownEverywhereAndTheRecordStaysEmpty) {
    capture(press());
    EXPECT_EQ(s.last.decode.shown, kNecHexLine);
    EXPECT_EQ(s.last.decode.binary, "00000000 11111111 01001000 10110111 \r\n");
    EXPECT_EQ(s.help.Text1, s.last.decode.binary + "\r\n" + s.last.decode.shown + "\r\n\r\n");
    EXPECT_EQ(toleranceText(s.decoding.timeTolerance), "3%");
    EXPECT_TRUE(s.link.idleTimer);
    ASSERT_FALSE(s.last.marks.marks.empty());
    EXPECT_EQ(s.last.marks.marks.front().kind, MarkKind::HeadBurst);
    EXPECT_TRUE(failing().empty());
    std::string parts;
    for (const auto& p : s.last.marks.parts)
        parts += p.name + "=" + p.value + " ";
    EXPECT_EQ(parts, "Customer=00 ~Customer=FF Data=12 ~Data=ED Last burst= ");
    EXPECT_TRUE(std::filesystem::exists(dir.file("Error record.txt")));
    EXPECT_EQ(record(), "");
    s.decoding.octal = true;
    capture(press());
    EXPECT_EQ(s.last.decode.shown, "00 255 18 237 \r\n");
}

TEST_F(Dispatch, EachFailedCaptureAppendsOneBlockAndMarksItsFailingTime) {
    capture(press(0, 0, 700));
    EXPECT_EQ(s.last.decode.shown, "");
    EXPECT_EQ(record(), kBadBlock);
    ASSERT_EQ(failing().size(), 1u);
    EXPECT_EQ(std::pair(failing()[0].row, failing()[0].col), std::pair(1L, 3));
    EXPECT_EQ(failing()[0].measuredUs, 700);
    EXPECT_LT(failing()[0].hi, 700);
    capture(press(0, 0, 700));
    EXPECT_EQ(record(), kBadBlock + kBadBlock);
    // A gap that fits neither bit fails too, though it has no one standard.
    auto t = press();
    t[3] = 1200;
    capture(t);
    ASSERT_EQ(failing().size(), 1u);
    EXPECT_EQ(failing()[0].col, 4);
    // "Ignore Time" shows the code and writes no record.
    std::filesystem::remove(dir.file("Error record.txt"));
    setIgnoreTime(s, true);
    capture(press(0, 0, 700));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Error record.txt")));
    EXPECT_EQ(s.last.decode.shown, kNecHexLine);
    EXPECT_EQ(s.last.errorLines.size(), 3u);
    EXPECT_EQ(toleranceText(s.decoding.timeTolerance), "15%");
}

// A full disk cut the block and the next capture continued the cut line.
// A file size limit makes the write stop part way as a full disk does.
TEST_F(Dispatch, AFailedAppendLeavesTheRecordAsItWasAndIsReportedOnce) {
    capture(press(0, 0, 700));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = kBadBlock.size() + 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    capture(press(0, 0, 700));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(record(), kBadBlock);
    ASSERT_EQ(s.out.messages.size(), 1u);
    EXPECT_NE(s.out.messages[0].find("The error record could not be written"), std::string::npos);
    EXPECT_TRUE(s.link.idleTimer);
    capture(press(0, 0, 700));
    EXPECT_EQ(record(), kBadBlock + kBadBlock);
}

TEST_F(Dispatch, FewerGroupsARunawayWalkOrNoRowEndTheTickSoundly) {
    row("Form016", "G_count = 3");
    setIrtype(s, "Form016");
    capture(press());
    EXPECT_EQ(record(), "Quick press should send 3groups\r\nActually send 2groups\r\n\r\n\r\n");
    row("Form016", "stru = 'C,D,X'");
    setIrtype(s, "Form016");
    capture(press());
    EXPECT_EQ(s.out.messages, std::vector<std::string>{kWrongFormatMessage});
    EXPECT_TRUE(s.link.idleTimer);
    setIrtype(s, "Form999");
    const size_t said = s.out.messages.size();
    capture(press());
    EXPECT_EQ(s.last.decode.binary, "");
    EXPECT_EQ(s.out.messages.size(), said);
    EXPECT_TRUE(s.link.idleTimer);
}

// Form010 has NEC's head but twice its bit time: NEC presses fail there.
TEST_F(Dispatch, AutoSelectionWidensTheToleranceThenSkipsTheFormatThatJustFailed) {
    row("Form010", "Zero_Osc = 1124, zero_Idle = 1124");
    row("Form040", "H_Osc = 3000, H_Idle = 3000");
    setIrtype(s, "Form010(&ITT)");
    s.format.automatic = true;
    for (const char* tolerance : {"5%", "7%", "9%", "11%", "13%", "15%"}) {
        capture(press());
        EXPECT_EQ(toleranceText(s.decoding.timeTolerance), tolerance);
        EXPECT_EQ(s.last.decode.shown, "");
        EXPECT_FALSE(s.link.idleTimer);
        EXPECT_EQ(s.format.name, "Form010(ITT)");
    }
    EXPECT_EQ(cycleToleranceText(s.decoding.cycleTolerance), "8377.143");
    EXPECT_EQ(record().substr(record().size() - 4), "\r\n\r\n"); // an early end still records
    capture(press());
    EXPECT_EQ(s.last.binaryShown(), "It not this format");
    EXPECT_EQ(s.format.name, "Form016");
    EXPECT_EQ(s.format.autoIndex, 2);
    EXPECT_FLOAT_EQ(s.decoding.timeTolerance, 0.05f);
    EXPECT_FLOAT_EQ(s.decoding.cycleTolerance, 500);
    capture(press());
    EXPECT_EQ(s.last.decode.shown, kNecHexLine);
    EXPECT_TRUE(s.link.idleTimer);
    // No fitting format: back to the first.
    row("Form016", "H_Osc = 3000");
    setIrtype(s, "Form010(&ITT)");
    for (int i = 0; i < 7; ++i)
        capture(press());
    EXPECT_EQ(s.format.name, "Form001");
    EXPECT_EQ(s.format.autoIndex, 0);
}

// The demodulated mode switched off gives back the receiver unit's
// settings, with the tolerances the user had before.
TEST_F(Dispatch, DemodulatedModeOffGivesBackTheSettingsBefore) {
    toleranceMenu(s, 8);
    auto shown = [](const engine::DecodeSettings& d) {
        return std::to_string(d.window.tolerance) + " " + std::to_string(d.window.absolute) + " " +
               std::to_string(d.cycleTolerance) + " " + std::to_string(d.cycleShare) + " " +
               std::to_string(int(d.excessMode)) + " " + std::to_string(d.demodulated);
    };
    const std::string before = shown(decodeSettings(s));
    setDemodulated(s, true);
    EXPECT_NE(shown(decodeSettings(s)), before);
    setDemodulated(s, false);
    EXPECT_EQ(shown(decodeSettings(s)), before);
}

// Captures alternate between storing a sample and comparing with it.
TEST_F(Dispatch, SampleComparisonBeepsOnEqualCodesOnly) {
    capture(press());
    capture(press());
    EXPECT_EQ(s.out.beeps, 0); // no comparison asked for
    EXPECT_FALSE(s.sample.held);
    s.sample.on = true;
    capture(press());
    EXPECT_TRUE(s.sample.held);
    EXPECT_EQ(s.sample.code, "00 FF 12 ED \r");
    capture(press());
    EXPECT_EQ(s.out.beeps, 1);
    EXPECT_FALSE(s.sample.held);
    capture(press());
    capture(press(1));
    EXPECT_EQ(s.out.beeps, 1);
    EXPECT_TRUE(s.sample.held);
    EXPECT_EQ(s.sample.code, "01 FE 12 ED \r");
}

// The hand-over to the code recording grid of 12 columns.
TEST_F(Dispatch, HandOverFillsTheGridAndMovesOn) {
    // From column, decoded, to column, grid row and left column after.
    const int cases[][5] = {{3, 1, 9, 0, 0}, {11, 1, 1, 1, 0}, {10, 1, 11, 0, 0},
                            {7, 1, 8, 0, 4}, {6, 1, 7, 0, 0},  {5, 0, 5, 0, 0}};
    for (const auto& [from, good, to, row, left] : cases) {
        MemoryCodeGrid grid{12, 5};
        s.env.codeGrid = &grid;
        s.code.cIrRec = true;
        s.code.recordCol = static_cast<int16_t>(from);
        s.out.beeps = 0;
        capture(press(0, 0, good ? 562 : 700));
        SCOPED_TRACE(from);
        EXPECT_EQ(s.code.recordCol, to);
        EXPECT_EQ(grid.currentRow(), row);
        EXPECT_EQ(grid.leftColumn(), left);
        EXPECT_EQ(grid.cell(0, from == 3 ? 8 : from), good ? "00 FF 12 ED \r" : "");
        EXPECT_EQ(s.out.beeps, good ? 1 : 0);
    }
    MemoryCodeGrid grid{12, 5};
    s.env.codeGrid = &grid;
    s.code.recordCol = 3;
    capture(press());
    EXPECT_EQ(grid.cell(0, 3), "Form016");
    EXPECT_EQ(grid.cell(0, 4), "0.03");
    EXPECT_EQ(s.code.lDspRslt, "Record success!");
    EXPECT_EQ(std::pair(s.code.tRow, s.code.tCol), std::pair(std::string("1"), std::string("9")));
}

// Three presses of one code with their head and one bit gap moved by hand,
// and a press of another code: the figures are worked out by hand.
TEST_F(Dispatch, PressStatisticsMatchFiguresWorkedOutByHand) {
    for (const auto& changes : std::vector<std::vector<std::pair<size_t, long>>>{
             {{0, 9090}}, {{0, 8910}, {1, 4545}}, {{1, 4590}, {2 + 2 * 8 + 1, 1738}}}) {
        auto times = press(0, 2);
        for (const auto& [cell, time] : changes)
            times[cell] = time;
        capture(times);
    }
    capture(press(1));
    std::vector<engine::PressRecord> records;
    for (const auto& p : s.pressLog)
        records.push_back(p.record);
    const auto groups = engine::pressStatistics(records);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(std::tuple(groups[1].code, groups[1].presses), std::tuple("01 FE 12 ED", 1));
    const engine::PressGroupStats& g = groups[0];
    EXPECT_EQ(std::tuple(g.format, g.code, g.presses, g.clean),
              std::tuple("Form016", "00 FF 12 ED", 3, 3));
    // 16 zeros and 16 ones a frame; of three groups one cycle is checked.
    const double m = 50.0 / 48, oneGapSd = std::sqrt((47 * m * m + (50 - m) * (50 - m)) / 47);
    const std::tuple<const char*, int, double, double, double, double, double> expected[] = {
        {"head burst", 3, 9000, 90, 8910, 9090, 9000},
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
        const auto& [kind, count, mean, sd, min, max, standard] = expected[i];
        const auto& k = g.kinds[i];
        EXPECT_EQ(std::tuple(k.kind, k.count, k.min, k.max, k.standard),
                  std::tuple(kind, count, min, max, standard));
        EXPECT_NEAR(k.mean, mean, 1e-9) << kind;
        EXPECT_NEAR(k.sd, sd, 1e-9) << kind;
    }
    EXPECT_NEAR(*g.kinds[1].deviationUs(), 45, 1e-9);
    EXPECT_NEAR(*g.kinds[1].deviationPercent(), 1, 1e-9);
    EXPECT_NEAR(g.tolerancePercent, 50.0 / 1688 * 100, 1e-9);
    EXPECT_NEAR(g.absoluteUs, 90, 1e-9);
    EXPECT_EQ(g.cycleUs, 0);
}

} // namespace
