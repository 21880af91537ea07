// The bit step, one case per row: a small capture, the format's standards,
// and what one call leaves behind.
#include "app/format_selection.h"
#include "engine/engine.h"
#include "engine_support.h"

using namespace qv;
using namespace enginetest;

namespace {

struct StepCase {
    std::string name{};
    std::string slot{};
    Fields format{};
    std::vector<long> times{};
    int col = 1; // where the cursor starts, in row 1
    bool ignoreTime = false;
    float tolerance = 0.03f;
    std::string before{};   // PartBits before the step
    std::string codeText{}; // bits of the group so far ("HL")
    // what the step leaves
    std::string bits{};
    long row = 1;
    int endCol = 1;
    float timeSum = 0;
    bool ok = true;
    std::vector<std::string> errors{};
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.name;
}

const Fields kCommon = {{"Zero_Osc", num(560)}, {"zero_Idle", num(560)}, {"One_Idle", num(1690)}};
const Fields kDna = {{"Type", text("DNA")},  {"Zero_Osc", num(500)},  {"zero_Idle", num(500)},
                     {"zero_HL", num(1000)}, {"One_Idle", num(1500)}, {"One_HL", num(2000)}};
const Fields kRib = {{"Type", text("RIB")},   {"Zero_Osc", num(500)}, {"One_Osc", num(1000)},
                     {"zero_Idle", num(500)}, {"X", num(15000)},      {"Bits", num(8)}};
const Fields kHl = {{"Type", text("HL")},  {"Zero_Osc", num(400)},  {"zero_Idle", num(600)},
                    {"One_Osc", num(800)}, {"One_Idle", num(1200)}, {"X", num(15000)}};
const Fields kSe = {{"Type", text("SE")}, {"Zero_Osc", num(600)}, {"Bits", num(8)}};
const Fields kMisRuns = {{"Type", text("MIS")},   {"zero_Idle", num(2000)},
                         {"One_Idle", num(1000)}, {"One_Osc", num(500)},
                         {"D", num(8)},           {"C", num(8)}};
const Fields kMisTriple = {{"Type", text("MIS")},
                           {"Zero_Osc", num(500)},
                           {"One_Osc", num(500)},
                           {"zero_Idle", num(1000)},
                           {"D", num(8)}};
const Fields kMisGap = {{"Type", text("MIS")},
                        {"Zero_Osc", num(500)},
                        {"zero_Idle", num(500)},
                        {"One_Idle", num(1500)},
                        {"One_Osc", num(500)},
                        {"One_HL", num(3000)},
                        {"D", num(8)}};
const Fields kRcs = {{"Type", text("RCS16")}, {"zero_Idle", num(300)}, {"zero_HL", num(600)},
                     {"One_Osc", num(900)},   {"One_Idle", num(1200)}, {"Zero_Osc", num(200)}};

std::vector<long> repeated(std::vector<long> unit, int times) {
    std::vector<long> out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

const std::vector<StepCase> kSteps = {
    // the common rule and the time window
    {.name = "CommonGapOfOneAppends1",
     .slot = "Form016",
     .format = kCommon,
     .times = {560, 1650},
     .bits = "1",
     .endCol = 3,
     .timeSum = 2210},
    {.name = "Burst576IsInsideUpperBound",
     .slot = "Form016",
     .format = kCommon,
     .times = {576, 560},
     .bits = "0",
     .endCol = 3,
     .timeSum = 1136},
    {.name = "Burst577GivesD1",
     .slot = "Form016",
     .format = kCommon,
     .times = {577, 560},
     .ok = false,
     .errors = {"Group 2:0 Osc time is error!", "0 Osc standard time:560", "0 Osc test time:577"}},
    {.name = "Burst544IsInsideLowerBound",
     .slot = "Form016",
     .format = kCommon,
     .times = {544, 560},
     .bits = "0",
     .endCol = 3,
     .timeSum = 1104},
    {.name = "Burst543GivesD1",
     .slot = "Form016",
     .format = kCommon,
     .times = {543, 560},
     .ok = false,
     .errors = {"Group 2:0 Osc time is error!", "0 Osc standard time:560", "0 Osc test time:543"}},
    {.name = "GapFittingNoStandardGivesD2",
     .slot = "Form016",
     .format = kCommon,
     .times = {560, 1200},
     .ok = false,
     .errors = {"Group 2:0 or 1's Idle time is error!", "0 Idle standard time:560",
                "1 Idle standard time:1690", "0 or 1's Idle test time:1200"}},
    {.name = "IgnoreTimeConsumesBadPairWithoutBit",
     .slot = "Form016",
     .format = kCommon,
     .times = {560, 1200},
     .ignoreTime = true,
     .endCol = 3,
     .timeSum = 1760,
     .errors = {"Group 2:0 or 1's Idle time is error!", "0 Idle standard time:560",
                "1 Idle standard time:1690", "0 or 1's Idle test time:1200"}},
    {.name = "IgnoreTimeGoesOnAfterD1",
     .slot = "Form016",
     .format = kCommon,
     .times = {700, 1690},
     .ignoreTime = true,
     .bits = "1",
     .endCol = 3,
     .timeSum = 2390,
     .errors = {"Group 2:0 Osc time is error!", "0 Osc standard time:560", "0 Osc test time:700"}},
    {.name = "GapOnUpperBoundIsNeitherBit",
     .slot = "Form016",
     .format = kCommon,
     .times = {560, 840},
     .tolerance = 0.5f,
     .ok = false,
     .errors = {"Group 2:0 or 1's Idle time is error!", "0 Idle standard time:560",
                "1 Idle standard time:1690", "0 or 1's Idle test time:840"}},
    {.name = "ToleranceZeroRejectsExactTime",
     .slot = "Form016",
     .format = kCommon,
     .times = {560, 560},
     .tolerance = 0.0f,
     .ok = false,
     .errors = {"Group 2:0 or 1's Idle time is error!", "0 Idle standard time:560",
                "1 Idle standard time:1690", "0 or 1's Idle test time:560"}},
    {.name = "PairFromColumn9ContinuesInNextRow",
     .slot = "Form016",
     .format = kCommon,
     .times = {1, 1, 1, 1, 1, 1, 1, 1, 560, 560},
     .col = 9,
     .bits = "0",
     .row = 2,
     .endCol = 1,
     .timeSum = 1120},
    {.name = "GapOfColumn10ComesFromNextRow",
     .slot = "Form016",
     .format = kCommon,
     .times = {1, 1, 1, 1, 1, 1, 1, 1, 1, 560, 1690},
     .col = 10,
     .bits = "1",
     .row = 2,
     .endCol = 2,
     .timeSum = 2250},
    {.name = "EndMarkerEndsTheData",
     .slot = "Form016",
     .format = kCommon,
     .times = {248885, 560},
     .ok = false},
    {.name = "EmptyCellEndsTheData",
     .slot = "Form016",
     .format = kCommon,
     .times = {},
     .ok = false},
    {.name = "ZeroCellEndsTheData",
     .slot = "Form016",
     .format = kCommon,
     .times = {0, 560},
     .ok = false},
    {.name = "NullStandardIsNeverOff",
     .slot = "Form016",
     .format = {{"Zero_Osc", null()}, {"zero_Idle", num(560)}},
     .times = {9999, 560},
     .bits = "0",
     .endCol = 3,
     .timeSum = 10559},
    // "DNA"
    {.name = "DnaGap500Gives00",
     .slot = "Form016",
     .format = kDna,
     .times = {500, 500},
     .bits = "00",
     .endCol = 3,
     .timeSum = 1000},
    {.name = "DnaGap1000Gives01",
     .slot = "Form016",
     .format = kDna,
     .times = {500, 1000},
     .bits = "01",
     .endCol = 3,
     .timeSum = 1500},
    {.name = "DnaGap1500Gives10",
     .slot = "Form016",
     .format = kDna,
     .times = {500, 1500},
     .bits = "10",
     .endCol = 3,
     .timeSum = 2000},
    {.name = "DnaGap2000Gives11",
     .slot = "Form016",
     .format = kDna,
     .times = {500, 2000},
     .bits = "11",
     .endCol = 3,
     .timeSum = 2500},
    {.name = "DnaOverlappingWindowsTakeFirstInOrder",
     .slot = "Form016",
     .format = {{"Type", text("DNA")},
                {"Zero_Osc", num(500)},
                {"zero_Idle", num(500)},
                {"zero_HL", num(520)}},
     .times = {500, 510},
     .bits = "00",
     .endCol = 3,
     .timeSum = 1010},
    {.name = "DnaGapFittingNoneGivesD2",
     .slot = "Form016",
     .format = kDna,
     .times = {500, 1250},
     .ok = false,
     .errors = {"Group 2:0 or 1's Idle time is error!", "0 Idle standard time:500",
                "1 Idle standard time:1500", "0 or 1's Idle test time:1250"}},
    // "RIB"
    {.name = "RibShortBurstGives0",
     .slot = "Form016",
     .format = kRib,
     .times = {500, 500},
     .bits = "0",
     .endCol = 3,
     .timeSum = 1000},
    {.name = "RibLongBurstGives1",
     .slot = "Form016",
     .format = kRib,
     .times = {1000, 500},
     .bits = "1",
     .endCol = 3,
     .timeSum = 1500},
    {.name = "RibBurstFittingNoneGivesB1",
     .slot = "Form016",
     .format = kRib,
     .times = {750, 500},
     .ok = false,
     .errors = {"Group 2:0 or 1's Osc time is error!", "0 Osc standard time:500",
                "1 Osc standard time:1000", "0 or 1's Osc test time:750"}},
    {.name = "RibGapOffGivesB2AfterTheBit",
     .slot = "Form016",
     .format = kRib,
     .times = {500, 700},
     .bits = "0",
     .ok = false,
     .errors = {"Group 2:0 and 1 Idle time is error!", "0 and 1 Idle standard time:500",
                "0 and 1 Idle test time:700"}},
    {.name = "RibGapAfterBitsMinus2IsTakenAsStandard",
     .slot = "Form016",
     .format = kRib,
     .times = {500, 9999},
     .before = "000000",
     .bits = "0000000",
     .endCol = 2,
     .timeSum = 500},
    {.name = "RibGapBeyondWaitTimeConsumesOnlyBurst",
     .slot = "Form016",
     .format = kRib,
     .times = {1000, 20000},
     .bits = "1",
     .endCol = 2,
     .timeSum = 1000},
    // "HL"
    {.name = "HlShortIntervalAtStartGives0",
     .slot = "Form016",
     .format = kHl,
     .times = {400, 3000},
     .bits = "0",
     .endCol = 2,
     .timeSum = 400},
    {.name = "HlLongIntervalAtStartGives10",
     .slot = "Form016",
     .format = kHl,
     .times = {1200, 3000},
     .bits = "10",
     .endCol = 2,
     .timeSum = 1200},
    {.name = "HlShortIntervalRepeatsPrevious1",
     .slot = "Form016",
     .format = kHl,
     .times = {400, 3000},
     .codeText = "01 ",
     .bits = "1",
     .endCol = 2,
     .timeSum = 400},
    {.name = "HlLongIntervalInvertsPrevious1",
     .slot = "Form016",
     .format = kHl,
     .times = {1200, 3000},
     .before = "1",
     .bits = "10",
     .endCol = 2,
     .timeSum = 1200},
    {.name = "HlShortSecondIntervalIsConsumedToo",
     .slot = "Form016",
     .format = kHl,
     .times = {400, 600},
     .bits = "0",
     .endCol = 3,
     .timeSum = 1000},
    {.name = "HlShortIntervalOutOfRangeGivesH1",
     .slot = "Form016",
     .format = kHl,
     .times = {350, 3000},
     .ok = false,
     .errors = {"Group 2:0,1 data time is error!", "Short time range:400", "Test time:350"}},
    {.name = "HlLongIntervalOutOfRangeGivesH2",
     .slot = "Form016",
     .format = kHl,
     .times = {1300, 3000},
     .ok = false,
     .errors = {"Group 2:0,1 data time is error!", "Long time range:1200", "Test time:1300"}},
    // "SE"
    {.name = "SeRunsOfZerosThenOnes",
     .slot = "Form016",
     .format = kSe,
     .times = {1250, 830},
     .bits = "00011",
     .endCol = 3,
     .timeSum = 2080},
    {.name = "SeRunLongerThanBitsFillsThePart",
     .slot = "Form016",
     .format = kSe,
     .times = {4000, 830},
     .bits = "00000000"},
    {.name = "SeOneRunShorterThanBitTimeFails",
     .slot = "Form016",
     .format = kSe,
     .times = {1250, 300},
     .bits = "000",
     .endCol = 2,
     .timeSum = 1250,
     .ok = false},
    // "MIS", slot "Form029"
    {.name = "MisRunsImpliedLastBit",
     .slot = "Form029",
     .format = kMisRuns,
     .times = {500, 500},
     .before = "000000000000000",
     .bits = "0000000000000000"},
    {.name = "MisRunsLongGapOfZeros",
     .slot = "Form029",
     .format = kMisRuns,
     .times = {7000, 500},
     .bits = "000",
     .endCol = 2,
     .timeSum = 7000},
    {.name = "MisRunsGapOfOneZero",
     .slot = "Form029",
     .format = kMisRuns,
     .times = {2000, 500},
     .bits = "0",
     .endCol = 2,
     .timeSum = 2000},
    {.name = "MisRunsBurstOfOne",
     .slot = "Form029",
     .format = kMisRuns,
     .times = {500, 300},
     .bits = "1",
     .endCol = 2,
     .timeSum = 500},
    {.name = "MisRunsGapOfOne",
     .slot = "Form029",
     .format = kMisRuns,
     .times = {1000, 300},
     .bits = "1",
     .endCol = 3,
     .timeSum = 1300},
    {.name = "MisRunsTimeFittingNoneGivesM1",
     .slot = "Form029",
     .format = kMisRuns,
     .times = {700, 300},
     .ok = false,
     .errors = {"Group 2: 1's Osc time is error!", "1's Osc standard time:500",
                "1's Osc test time:700"}},
    {.name = "MisRunsGapBetweenWindowsReadsNothing",
     .slot = "Form029",
     .format = kMisRuns,
     .times = {1500, 300}},
    // "MIS", slots "Form042", "Form126", "Form131", "Form135"
    {.name = "MisTripleBitThenThreePairs",
     .slot = "Form042",
     .format = kMisTriple,
     .times = {500, 500, 500, 1000, 500, 500},
     .bits = "1",
     .endCol = 7,
     .timeSum = 3500},
    {.name = "MisTripleLastBitLeavesLongGap",
     .slot = "Form131",
     .format = kMisTriple,
     .times = {500, 500, 500, 500, 500, 20000},
     .before = "1111111",
     .bits = "11111111",
     .endCol = 6,
     .timeSum = 2500},
    {.name = "MisTripleBurstOffGivesM2",
     .slot = "Form126",
     .format = kMisTriple,
     .times = {700, 500, 500, 500, 500, 500},
     .bits = "1",
     .ok = false,
     .errors = {"Group 2: Osc time is error!", "Osc standard time:500", "Osc test time:700"}},
    {.name = "MisTripleLongGapBeforeLastBitGivesM3",
     .slot = "Form135",
     .format = kMisTriple,
     .times = {500, 500, 500, 3000, 500, 500},
     .bits = "1",
     .endCol = 3,
     .timeSum = 1000,
     .ok = false,
     .errors = {"Group 2: Idle time is error!", "The Idle test time:3000"}},
    // "MIS", every other slot
    {.name = "MisGapOfOne",
     .slot = "Form050",
     .format = kMisGap,
     .times = {500, 1500},
     .bits = "1",
     .endCol = 3,
     .timeSum = 2000},
    {.name = "MisGapOfZero",
     .slot = "Form050",
     .format = kMisGap,
     .times = {500, 500},
     .bits = "0",
     .endCol = 3,
     .timeSum = 1000},
    {.name = "MisGapFittingNoneGivesM4",
     .slot = "Form050",
     .format = kMisGap,
     .times = {500, 1000},
     .ok = false,
     .errors = {"Group 2:'s time is error!", "0's second Idle standard time:500",
                "1's second Idle standard time:1500", "0's second Idle test time:1000"}},
    {.name = "MisGapIgnoringTimeReadsNothing",
     .slot = "Form050",
     .format = kMisGap,
     .times = {500, 1000},
     .ignoreTime = true,
     .errors = {"Group 2:'s time is error!", "0's second Idle standard time:500",
                "1's second Idle standard time:1500", "0's second Idle test time:1000"}},
    {.name = "MisExtraPairAfterOne",
     .slot = "Form086",
     .format = kMisGap,
     .times = {500, 1500, 500, 2000},
     .bits = "1",
     .endCol = 5,
     .timeSum = 4500},
    {.name = "MisExtraPairLongGapGivesM5",
     .slot = "Form089",
     .format = kMisGap,
     .times = {500, 1500, 500, 4000},
     .bits = "1",
     .endCol = 3,
     .timeSum = 2000,
     .ok = false,
     .errors = {"Group 2: Idle time is error!", "The Idle standard time:3000",
                "The Idle test time:4000"}},
    {.name = "MisExtraPairLastButOneBitAppendsZero",
     .slot = "Form090",
     .format = kMisGap,
     .times = {500, 1500, 500, 4000},
     .before = "000000",
     .bits = "00000010",
     .endCol = 4,
     .timeSum = 2500},
    // "RCS16"
    {.name = "RcsEightSymbolsGiveSixteenBits",
     .slot = "Form059",
     .format = kRcs,
     .times =
         [] {
             std::vector<long> t = {300, 200, 900, 200, 600, 200, 600, 200, 900, 200, 300, 200};
             auto zeros = repeated({1200, 400}, 5);
             t.insert(t.end(), zeros.begin(), zeros.end());
             return t;
         }(),
     .bits = "1110010000000000",
     .row = 3,
     .endCol = 3,
     .timeSum = 12800},
    {.name = "RcsBurstOffGivesR1",
     .slot = "Form059",
     .format = kRcs,
     .times = {1200, 250},
     .bits = "00",
     .ok = false,
     .errors = {"Group 2: Osc time is error!", "The Osc test time:250"}},
    {.name = "RcsSecondGapOffGivesR2",
     .slot = "Form059",
     .format = kRcs,
     .times = {300, 200, 700, 200},
     .bits = "11",
     .endCol = 3,
     .timeSum = 500,
     .ok = false,
     .errors = {"Group 2: Idle time is error!", "The Idle test time:700"}},
    {.name = "RcsGapFittingNoSymbolGivesR3",
     .slot = "Form059",
     .format = kRcs,
     .times = {450, 200},
     .ok = false,
     .errors = {"Group 2:0,1 data time is error!", "Test time:450"}},
};

class BitStep : public EngineTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(BitStep, ReadsAndConsumesAsTheRuleSays) {
    const StepCase& c = GetParam();
    useFormat(c.slot, c.format);
    load(c.times, 1, c.col);
    s.cIgnoreT = c.ignoreTime;
    s.TimeTolerance = c.tolerance;
    s.GroupNo = 2;
    s.decode.PartBits = c.before;
    s.decode.CodeText = c.codeText;
    s.decode.DecodeOK = true;
    s.decode.TimeSum = 0;

    ReadIRData(s);

    EXPECT_EQ(s.decode.PartBits, c.bits);
    EXPECT_EQ(s.TimeRow, c.row);
    EXPECT_EQ(s.TimeCol, c.endCol);
    EXPECT_FLOAT_EQ(s.decode.TimeSum, c.timeSum);
    EXPECT_EQ(s.decode.DecodeOK, c.ok);
    EXPECT_EQ(s.ErrRcd, c.errors);
}

INSTANTIATE_TEST_SUITE_P(Rules, BitStep, ::testing::ValuesIn(kSteps),
                         [](const auto& info) { return info.param.name; });

// With eight symbols a step reads eight rounds; a symbol that fits nothing
// is read again in the next round when "Ignore Time" is checked.
TEST_F(EngineTest, RcsUnfitSymbolIsReportedInEveryRoundWhenIgnoringTime) {
    useFormat("Form059", kRcs);
    load({450, 200});
    s.cIgnoreT = true;
    ReadIRData(s);
    EXPECT_EQ(s.ErrRcd.size(), 16u);
    EXPECT_EQ(s.decode.PartBits, "");
    EXPECT_EQ(s.TimeCol, 1);
}

TEST_F(EngineTest, SeStepWithoutPositiveBitTimeReadsNothing) {
    useFormat("Form016", {{"Type", text("SE")}, {"Zero_Osc", num(200)}, {"Bits", num(8)}});
    load({1250, 830});
    ReadIRData(s);
    EXPECT_TRUE(s.decode.DecodeOK);
    EXPECT_EQ(s.decode.PartBits, "");
    EXPECT_EQ(s.TimeCol, 1);
}

TEST_F(EngineTest, StandardThatIsNotANumberAbortsTheStep) {
    catalogue.add("Form077");
    qv::Database::open(catalogue.path())
        ->exec("UPDATE \"Type\" SET \"Zero_Osc\" = 'abc' WHERE \"Format\" = 'Form077'");
    setIrtype(s, "Form077");
    load({560, 560});
    EXPECT_THROW(ReadIRData(s), WalkAborted);
}

} // namespace
