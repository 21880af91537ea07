// The frame reader, one token per case: what it consumes, what it keeps,
// what it reports and what its end step does.
#include "app/format_selection.h"
#include "engine/engine.h"
#include "engine_support.h"

#include <functional>

using namespace qv;
using namespace enginetest;

namespace {

const std::string kNecStructure = "H,C,~C,D,~D,B0,X,H2,B0,X";

struct TokenCase {
    std::string name{};
    std::string slot{};
    Fields format{};
    std::vector<long> times{};
    std::string token{};
    int col = 1;
    bool ignoreTime = false;
    std::function<void(WalkSession&)> setup{};
    // what the token leaves
    long row = 1;
    int endCol = 1;
    float timeSum = 0;
    int groupNo = 1;
    std::vector<std::string> errors{};
    std::string codeText{};
    std::string hexText{};
    std::function<void(const WalkSession&)> check{};
};

void PrintTo(const TokenCase& c, std::ostream* os) {
    *os << c.name;
}

// Times of bits in the common coding: burst 562, gap 562 for 0, 1688 for 1.
std::vector<long> bitTimes(const std::string& bits) {
    std::vector<long> t;
    for (char b : bits) {
        t.push_back(562);
        t.push_back(b == '1' ? 1688 : 562);
    }
    return t;
}

// The state of an NEC frame's group end: X's comma in the structure.
void atFirstGroupEnd(WalkSession& s) {
    s.FrameSpec = kNecStructure;
    s.SpecLen = static_cast<int32_t>(kNecStructure.size());
    s.SpecPos = 17;
    s.RunIndex = 16;
}

const Fields kBiPhase = {{"T_Time", num(1000)}, {"Zero_Osc", num(500)}, {"C", num(1)}};
const Fields kEndBit = {{"E_Osc", text("500")}, {"E_Idle", text("1000")}};
const Fields kCheckT1 = {{"G2_T", num(0)}};

const std::vector<TokenCase> kTokens = {
    // "H"
    {.name = "HeadFitsAndIsCounted",
     .slot = "Form016",
     .times = {9000, 4500, 562, 562},
     .token = "H",
     .endCol = 3,
     .timeSum = 13500},
    {.name = "HeadOscOffFailsAfterReadingTheHead",
     .slot = "Form016",
     .times = {8000, 4500, 562},
     .token = "H",
     .endCol = 3,
     .timeSum = 12500,
     .groupNo = 2,
     .errors = {"Group 1:The head's Osc time is error!", "The head's Osc standard time:9000",
                "The head's Osc test time:8000"}},
    {.name = "HeadIdleOffFails",
     .slot = "Form016",
     .times = {9000, 4000, 562},
     .token = "H",
     .endCol = 3,
     .timeSum = 13000,
     .groupNo = 2,
     .errors = {"Group 1:The head's Idle time is error!", "The head's Idle standard time:4500",
                "The head's Idle test time:4000"}},
    {.name = "SecondHeadBitCheckedOnlyByItsBurst",
     .slot = "Form016",
     .format = {{"H_Bits", num(2)}, {"HB2_Osc", num(4500)}},
     .times = {9000, 4500, 4500, 7000, 562},
     .token = "H",
     .endCol = 5,
     .timeSum = 25000},
    {.name = "SecondHeadBitBurstOffGivesSecondBitError",
     .slot = "Form016",
     .format = {{"H_Bits", num(2)}, {"HB2_Osc", num(4500)}},
     .times = {9000, 4500, 3000, 4500, 562},
     .token = "H",
     .endCol = 5,
     .timeSum = 21000,
     .groupNo = 2,
     .errors = {"Group 1:The head's Sec. bit's Osc time is error!",
                "The head's Osc standard time:4500", "The head's Osc test time:3000"}},
    {.name = "HeadBitsWithoutSecondBitBurstAllCheckedAgainstHead",
     .slot = "Form016",
     .format = {{"H_Bits", num(2)}},
     .times = {9000, 4500, 4500, 4500, 562},
     .token = "H",
     .endCol = 5,
     .timeSum = 22500,
     .groupNo = 2,
     .errors = {"Group 1:The head's Osc time is error!", "The head's Osc standard time:9000",
                "The head's Osc test time:4500"}},
    {.name = "Form011HeadIsNotCounted",
     .slot = "Form011",
     .times = {9000, 4500, 562},
     .token = "H",
     .endCol = 3},
    {.name = "RcsHeadTakesOneMoreBurst",
     .slot = "Form016",
     .format = {{"Type", text("RCS16")}, {"HB2_Osc", num(500)}},
     .times = {9000, 4500, 500, 300},
     .token = "H",
     .endCol = 4,
     .timeSum = 14000},
    {.name = "NoHeadBitsConsumeNothing",
     .slot = "Form016",
     .format = {{"H_Bits", num(0)}},
     .times = {9000, 4500},
     .token = "H"},
    // "H2"
    {.name = "RepeatHeadFits",
     .slot = "Form016",
     .times = {9000, 2250, 562},
     .token = "H2",
     .endCol = 3,
     .timeSum = 11250},
    {.name = "RepeatHeadOscOffGoesOnToItsGap",
     .slot = "Form016",
     .times = {8000, 2250, 562},
     .token = "H2",
     .endCol = 3,
     .timeSum = 10250,
     .groupNo = 2,
     .errors = {"Group 1:head's Osc time is error!", "The head's Osc standard time:9000",
                "The head's Osc test time:8000"}},
    {.name = "RepeatHeadIdleOffEndsTheTokenBeforeTheHead",
     .slot = "Form016",
     .times = {8000, 3000, 562},
     .token = "H2",
     .groupNo = 2,
     .errors = {"Group 1:head's Osc time is error!", "The head's Osc standard time:9000",
                "The head's Osc test time:8000", "Group 1:head's Idle time is error!",
                "head's Idle standard time:2250", "head's Idle test time:3000"}},
    // "S"
    {.name = "StartBitsFromTheBitStep",
     .slot = "Form016",
     .format = {{"S_Bits", num(2)}},
     .times = bitTimes("10"),
     .token = "S",
     .endCol = 5,
     .timeSum = 3374,
     .codeText = "10 ",
     .hexText = "1 "},
    {.name = "HlFirstStartBitMergedIntoHeadGap",
     .slot = "Form016",
     .format = {{"Type", text("HL")}, {"Zero_Osc", num(400)}, {"S_Bits", num(1)}},
     .times = {9000, 4800, 400, 600},
     .token = "S",
     .col = 3,
     .endCol = 3,
     .codeText = "1 ",
     .hexText = "1 "},
    {.name = "HlMergedStartBitOfForm046Is0",
     .slot = "Form046",
     .format = {{"Type", text("HL")}, {"Zero_Osc", num(400)}, {"S_Bits", num(1)}},
     .times = {9000, 4800, 400, 600},
     .token = "S",
     .col = 3,
     .endCol = 3,
     .codeText = "0 ",
     .hexText = "0 "},
    {.name = "HlHeadGapOfHeadIdleGives0AndMovesOn",
     .slot = "Form016",
     .format = {{"Type", text("HL")}, {"Zero_Osc", num(400)}, {"S_Bits", num(1)}},
     .times = {9000, 4500, 400, 600},
     .token = "S",
     .col = 3,
     .endCol = 4,
     .codeText = "0 ",
     .hexText = "0 "},
    {.name = "Form030StartsWith1AndTakesZeroBurst",
     .slot = "Form030",
     .format = {{"S_Bits", num(1)}},
     .times = {562, 562},
     .token = "S",
     .endCol = 2,
     .timeSum = 562,
     .codeText = "1 ",
     .hexText = "1 "},
    // "T"
    {.name = "ToggleTimeShortPairIsPassedOver",
     .slot = "Form016",
     .format = {{"T_Time", num(1000)}},
     .times = {500, 500, 1200, 1200, 600},
     .token = "T",
     .endCol = 4,
     .timeSum = 2700,
     .codeText = " ",
     .hexText = " "},
    {.name = "ToggleInstance1TakesNoExtraCell",
     .slot = "Form016",
     .format = {{"T_Time", num(1000)}, {"Instance", text("1")}},
     .times = {1200, 1200, 600},
     .token = "T",
     .endCol = 2,
     .timeSum = 2400,
     .codeText = " ",
     .hexText = " "},
    {.name = "ToggleBitsFromTheBitStep",
     .slot = "Form016",
     .format = {{"T", num(1)}},
     .times = bitTimes("1"),
     .token = "T",
     .endCol = 3,
     .timeSum = 2250,
     .codeText = "1 ",
     .hexText = "1 "},
    // "F"
    {.name = "FixedBitsFromTheBitStep",
     .slot = "Form016",
     .format = {{"F", num(2)}},
     .times = bitTimes("01"),
     .token = "F",
     .endCol = 5,
     .timeSum = 3374,
     .codeText = "01 ",
     .hexText = "2 "},
    {.name = "FixTimeTakesOneLongGap",
     .slot = "Form016",
     .format = {{"Fix_Time", num(3000)}},
     .times = {5000, 562},
     .token = "F",
     .endCol = 2,
     .timeSum = 5000},
    {.name = "FixTimeShortGapFailsWithCellText",
     .slot = "Form016",
     .format = {{"Fix_Time", num(3000)}},
     .times = {2000, 562},
     .token = "F",
     .groupNo = 2,
     .errors = {"Group 1: The fix bit's Idle time is error!", "The Fix bit's min time:3000",
                "The Fix bit's test time:2000"}},
    // "C"
    {.name = "CustomerCodeKeepsItsFirstBit",
     .slot = "Form016",
     .format = {{"C", num(2)}},
     .times = bitTimes("10"),
     .token = "C",
     .endCol = 5,
     .timeSum = 3374,
     .codeText = "10 ",
     .hexText = "1 ",
     .check = [](const WalkSession& s) { EXPECT_EQ(s.decode.FirstCustomerBit, 1); }},
    {.name = "BiPhaseGapOfToggleTimeRepeatsLastStartBit",
     .slot = "Form016",
     .format = kBiPhase,
     .times = {1000, 500, 500, 500},
     .token = "C",
     .col = 2,
     .setup = [](WalkSession& s) { s.decode.StartBits = "01"; },
     .endCol = 4,
     .timeSum = 1000,
     .codeText = "1 ",
     .hexText = "1 "},
    {.name = "BiPhaseForm031InvertsOnGapOfToggleTime",
     .slot = "Form031",
     .format = kBiPhase,
     .times = {1000, 500, 500, 500},
     .token = "C",
     .col = 2,
     .setup = [](WalkSession& s) { s.decode.StartBits = "01"; },
     .endCol = 4,
     .timeSum = 1000,
     .codeText = "0 ",
     .hexText = "0 "},
    {.name = "BiPhaseLongerGapInvertsLastStartBit",
     .slot = "Form016",
     .format = kBiPhase,
     .times = {1300, 500, 600},
     .token = "C",
     .col = 2,
     .setup = [](WalkSession& s) { s.decode.StartBits = "1"; },
     .endCol = 3,
     .timeSum = 500,
     .codeText = "0 ",
     .hexText = "0 "},
    {.name = "BiPhaseForm025KeepsLastStartBitOnLongerGap",
     .slot = "Form025",
     .format = kBiPhase,
     .times = {1300, 500, 600},
     .token = "C",
     .col = 2,
     .setup = [](WalkSession& s) { s.decode.StartBits = "1"; },
     .endCol = 3,
     .timeSum = 500,
     .codeText = "1 ",
     .hexText = "1 "},
    {.name = "BiPhaseLongestGapInverts",
     .slot = "Form016",
     .format = kBiPhase,
     .times = {1800, 500, 600},
     .token = "C",
     .col = 2,
     .setup = [](WalkSession& s) { s.decode.StartBits = "1"; },
     .endCol = 3,
     .timeSum = 500,
     .codeText = "0 ",
     .hexText = "0 "},
    {.name = "EmptyStartBitsCountAs0",
     .slot = "Form016",
     .format = kBiPhase,
     .times = {1800, 500, 600},
     .token = "C",
     .col = 2,
     .endCol = 3,
     .timeSum = 500,
     .codeText = "1 ",
     .hexText = "1 "},
    {.name = "Form029CustomerCodeStartsWith1",
     .slot = "Form029",
     .format = {{"C", num(1)}},
     .times = {562, 562},
     .token = "C",
     .endCol = 2,
     .codeText = "1 ",
     .hexText = "1 "},
    // "D"
    {.name = "TwelveDataBitsShownAsTwoBytes",
     .slot = "Form016",
     .format = {{"D", num(12)}},
     .times = bitTimes("101100111000"),
     .token = "D",
     .row = 3,
     .endCol = 5,
     .timeSum = 20244,
     .codeText = "10110011 1000  ",
     .hexText = "1C D ",
     .check = [](const WalkSession& s) { EXPECT_EQ(s.decode.DataBitsRead, "101100111000"); }},
    {.name = "TwentyDataBitsShowSixteenInBinaryAllInHex",
     .slot = "Form016",
     .format = {{"D", num(20)}},
     .times = bitTimes("11110000101000001111"),
     .token = "D",
     .row = 5,
     .endCol = 1,
     .timeSum = 33740,
     .codeText = "11110000 10100000  ",
     .hexText = "F0 50 F "},
    {.name = "OpenLengthDataEndsBeforeWaitTime",
     .slot = "IB",
     .times = {562, 562, 562, 1688, 562, 20000},
     .token = "D",
     .endCol = 5,
     .timeSum = 3374,
     .codeText = "01 ",
     .hexText = "2 "},
    {.name = "Form002DataBeginsWithCheckedEndBit",
     .slot = "Form002",
     .format = {{"E_Osc", text("500")}, {"D", num(1)}},
     .times = {700, 20000, 562, 562},
     .token = "D",
     .endCol = 5,
     .timeSum = 1124,
     .errors = {"Group 1: End bit's time is error!", "Group 1: End bi's standard time:500",
                "Group 1: End bi's test time:700"},
     .codeText = "0 ",
     .hexText = "0 "},
    {.name = "Form002WithoutEndBitReportsNothing",
     .slot = "Form002",
     .format = {{"D", num(1)}},
     .times = {700, 20000, 562, 562},
     .token = "D",
     .endCol = 5,
     .timeSum = 1124,
     .codeText = "0 ",
     .hexText = "0 "},
    {.name = "Form008FirstDataBitFromLongGap",
     .slot = "Form008",
     .format = {{"D", num(1)}},
     .times = {562, 5000, 562, 1688},
     .token = "D",
     .col = 3,
     .endCol = 4,
     .codeText = "1 ",
     .hexText = "1 "},
    // "RC0"
    {.name = "LaterGroupFirstBit1LikeCustomerCodeReported",
     .slot = "Form016",
     .times = {562, 1688, 562, 40000},
     .token = "RC0",
     .setup = [](WalkSession& s) { s.decode.FirstCustomerBit = 1; },
     .endCol = 3,
     .timeSum = 2250,
     .errors = {"The groups that behind the first group's first bit is wrong:",
                "It's not reverse each other"}},
    {.name = "LaterGroupFirstBit0LikeCustomerCodeReported",
     .slot = "Form016",
     .times = {562, 562, 562, 40000},
     .token = "RC0",
     .endCol = 3,
     .timeSum = 1124,
     .errors = {"The groups that behind the first group's first bit is wrong",
                "It's not reverse each other"}},
    {.name = "ShortGapAfterFirstBitRestartsFullStructure",
     .slot = "Form016",
     .format = {{"stru", text("Q")}},
     .times = {1, 1, 1, 1, 562, 1688, 562, 562},
     .token = "RC0",
     .col = 5,
     .endCol = 3,
     .check =
         [](const WalkSession& s) {
             EXPECT_EQ(s.FrameSpec, "Q");
             EXPECT_EQ(s.SpecPos, 2);
         }},
    {.name = "RestartNearTheStartStopsAtTheFirstCell",
     .slot = "Form016",
     .format = {{"stru", text("Q")}},
     .times = {562, 1688, 562, 562},
     .token = "RC0",
     .check = [](const WalkSession& s) { EXPECT_EQ(s.FrameSpec, "Q"); }},
    // "B0"
    {.name = "LastBurstFits",
     .slot = "Form016",
     .times = {562, 40000},
     .token = "B0",
     .endCol = 2,
     .timeSum = 562},
    {.name = "LastBurstOffFailsWithCellText",
     .slot = "Form016",
     .times = {700, 40000},
     .token = "B0",
     .groupNo = 2,
     .errors = {"Group 1:The end bit's last time is error!", "The last bit's Osc standard time:562",
                "The last bit's Osc test time:700"}},
    // "E"
    {.name = "EndBitOfDashesDoesNothing", .slot = "Form016", .times = {700, 1000}, .token = "E"},
    {.name = "EndBitBurstAndGap",
     .slot = "Form016",
     .format = kEndBit,
     .times = {500, 1000, 562},
     .token = "E",
     .endCol = 3,
     .timeSum = 1500},
    {.name = "EndBitIdleOfDashesTakesNoGap",
     .slot = "Form016",
     .format = {{"E_Osc", text("500")}, {"E_Idle", text("---")}},
     .times = {500, 1000, 562},
     .token = "E",
     .endCol = 2,
     .timeSum = 500},
    {.name = "EndBitIdleZeroTakesNoGap",
     .slot = "Form016",
     .format = {{"E_Osc", text("500")}, {"E_Idle", text("0")}},
     .times = {500, 1000, 562},
     .token = "E",
     .endCol = 2,
     .timeSum = 500},
    {.name = "EndBitOscOffFails",
     .slot = "Form016",
     .format = kEndBit,
     .times = {700, 1000, 562},
     .token = "E",
     .groupNo = 2,
     .errors = {"Group 1:The end bit's Osc time is error!", "The end bit's Osc standard time:500",
                "The end bit's Osc test time:700"}},
    {.name = "EndBitIdleOffFailsAfterTheBurst",
     .slot = "Form016",
     .format = kEndBit,
     .times = {500, 1500, 562},
     .token = "E",
     .endCol = 2,
     .timeSum = 500,
     .groupNo = 2,
     .errors = {"Group 1:The end bit's Idle time is error!",
                "The end bit's Idle standard time:1000", "The end bit's Idle test time:1500"}},
    // "P"
    {.name = "ParityWithLeadingZeroMatchesByValue",
     .slot = "Form016",
     .format = {{"T", num(8)}},
     .times = bitTimes("10100000"),
     .token = "P",
     .setup = [](WalkSession& s) { s.decode.CustomerBits = "10100000"; },
     .row = 2,
     .endCol = 7,
     .timeSum = 11244,
     .codeText = "10100000 ",
     .hexText = "05 ",
     .check = [](const WalkSession& s) { EXPECT_EQ(s.decode.ParityCalc, "5"); }},
    {.name = "ParityMismatchIsReportedOnly",
     .slot = "Form016",
     .format = {{"T", num(8)}},
     .times = bitTimes("10000000"),
     .token = "P",
     .setup = [](WalkSession& s) { s.decode.CustomerBits = "10100000"; },
     .row = 2,
     .endCol = 7,
     .timeSum = 10118,
     .errors = {"Parity verify bits is wrong"},
     .codeText = "10000000 ",
     .hexText = "01 "},
    {.name = "ParityOfNothingIsZero",
     .slot = "Form016",
     .format = {{"T", num(0)}},
     .times = {562, 562},
     .token = "P",
     .codeText = " ",
     .hexText = " "},
    {.name = "ParityOverLongDataUsesTheBitsAsRead",
     .slot = "Form016",
     .format = {{"T", num(4)}},
     .times = bitTimes("1100"),
     .token = "P",
     .setup =
         [](WalkSession& s) {
             s.decode.DataBitsRead = "1000000001000000";
             s.decode.DataBits = "10000000 01000000 ";
         },
     .endCol = 9,
     .timeSum = 6748,
     .codeText = "1100 ",
     .hexText = "3 ",
     .check = [](const WalkSession& s) { EXPECT_EQ(s.decode.ParityCalc, "3"); }},
    // entry test and end step
    {.name = "TokenAtEmptyCellDoesNothing",
     .slot = "Form016",
     .times = {},
     .token = "B0",
     .setup =
         [](WalkSession& s) {
             s.decode.DecodeOK = false;
             s.tBcode = "kept";
         },
     .check =
         [](const WalkSession& s) {
             EXPECT_FALSE(s.decode.DecodeOK);
             EXPECT_EQ(s.tBcode, "kept");
         }},
    {.name = "TokenPastRow64DoesNothing",
     .slot = "Form016",
     .times = {562},
     .token = "B0",
     .setup =
         [](WalkSession& s) {
             s.TimeRow = 65;
             s.decode.DecodeOK = false;
         },
     .row = 65,
     .check = [](const WalkSession& s) { EXPECT_FALSE(s.decode.DecodeOK); }},
    {.name = "UnknownTokenOnlyEndsTheStep",
     .slot = "Form016",
     .times = {562},
     .token = "X,",
     .setup =
         [](WalkSession& s) {
             s.decode.DecodeOK = false;
             s.tBcode = "gone";
         },
     .groupNo = 2,
     .check =
         [](const WalkSession& s) {
             EXPECT_TRUE(s.decode.DecodeOK);
             EXPECT_EQ(s.tBcode, "");
             EXPECT_EQ(s.SpecLen, 0);
         }},
    // steps that make no progress
    {.name = "StepWithoutProgressFailsThePart",
     .slot = "Form029",
     .format = {{"Type", text("MIS")}, {"zero_Idle", num(2000)}, {"One_Idle", num(1000)}},
     .times = {1500, 300},
     .token = "D",
     .groupNo = 2,
     .errors = {"Group 1:No bit can be read at this time, the part is given up!",
                "Test time:1500"}},
    {.name = "StepWithoutProgressIgnoringTimeGoesOn",
     .slot = "Form050",
     .format = {{"Type", text("MIS")}, {"zero_Idle", num(500)}, {"One_Idle", num(1500)}},
     .times = {500, 1000},
     .token = "D",
     .ignoreTime = true,
     .errors = {"Group 1:'s time is error!", "0's second Idle standard time:500",
                "1's second Idle standard time:1500", "0's second Idle test time:1000",
                "Group 1:No bit can be read at this time, the part is given up!", "Test time:500"}},
    {.name = "SeWithoutBitTimeMakesNoProgress",
     .slot = "Form016",
     .format = {{"Type", text("SE")}, {"Zero_Osc", num(150)}, {"Bits", num(8)}},
     .times = {1250, 830},
     .token = "D",
     .groupNo = 2,
     .errors = {"Group 1:No bit can be read at this time, the part is given up!",
                "Test time:1250"}},
    {.name = "CaptureEndingInsidePartFailsSilently",
     .slot = "Form016",
     .times = bitTimes("101"),
     .token = "D",
     .endCol = 7,
     .timeSum = 5624,
     .groupNo = 2},
};

class FrameReader : public EngineTest, public ::testing::WithParamInterface<TokenCase> {};

TEST_P(FrameReader, ReadsTheTokenAsTheFrameSays) {
    const TokenCase& c = GetParam();
    useFormat(c.slot, c.format);
    load(c.times, 1, c.col);
    s.cIgnoreT = c.ignoreTime;
    s.GroupNo = 1;
    s.decode.DecodeOK = true;
    s.decode.TimeSum = 0;
    if (c.setup) c.setup(s);

    ReadCode(s, c.token);

    EXPECT_EQ(s.TimeRow, c.row);
    EXPECT_EQ(s.TimeCol, c.endCol);
    EXPECT_FLOAT_EQ(s.decode.TimeSum, c.timeSum);
    EXPECT_EQ(s.GroupNo, c.groupNo);
    EXPECT_EQ(s.ErrRcd, c.errors);
    EXPECT_EQ(s.decode.CodeText, c.codeText);
    EXPECT_EQ(s.decode.HexText, c.hexText);
    if (c.check) c.check(s);
}

INSTANTIATE_TEST_SUITE_P(Tokens, FrameReader, ::testing::ValuesIn(kTokens),
                         [](const auto& info) { return info.param.name; });

// Group ends: the cycle check, the complements, the code lines and the
// structure for the next group.
struct GroupEndCase {
    std::string name{};
    std::string slot{};
    Fields format{};
    std::vector<long> times{}; // the gap at the cursor, then what follows
    bool ignoreTime = false;
    std::function<void(WalkSession&)> setup{};
    std::vector<std::string> errors{};
    std::string bin{};
    std::string hex{};
    std::vector<std::string> cycles{};
    int groupNo = 2;
};

void PrintTo(const GroupEndCase& c, std::ostream* os) {
    *os << c.name;
}

void necGroupParts(WalkSession& s) {
    atFirstGroupEnd(s);
    qv::engine::DecodeState& d = s.decode;
    d.TimeSum = 100000;
    d.CustomerBits = "00000000";
    d.RevCustomerBits = "11111111";
    d.DataBitsRead = d.DataBits = "01001000";
    d.RevDataBits = "10110111";
    d.CodeText = "00000000 11111111 01001000 10110111 ";
    d.HexText = "00 FF 12 ED ";
}

const std::vector<GroupEndCase> kGroupEnds = {
    {.name = "FirstGroupPublishesItsLines",
     .slot = "Form016",
     .times = {8000, 9000},
     .setup = necGroupParts,
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:108000"}},
    {.name = "CycleAtLowerBoundPasses",
     .slot = "Form016",
     .format = kCheckT1,
     .times = {7500, 9000},
     .setup = necGroupParts,
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:107500"}},
    {.name = "CycleAtUpperBoundPasses",
     .slot = "Form016",
     .format = kCheckT1,
     .times = {8500, 9000},
     .setup = necGroupParts,
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:108500"}},
    {.name = "CycleOneBeyondUpperBoundFails",
     .slot = "Form016",
     .format = kCheckT1,
     .times = {8501, 9000},
     .setup = necGroupParts,
     .errors = {"Group 1:Cycle's time is error!", "Group 1:Cycle's standard time:108000",
                "Group 1:Cycle's test time:108501"}},
    {.name = "CycleOneBelowLowerBoundFails",
     .slot = "Form016",
     .format = kCheckT1,
     .times = {7499, 9000},
     .setup = necGroupParts,
     .errors = {"Group 1:Cycle's time is error!", "Group 1:Cycle's standard time:108000",
                "Group 1:Cycle's test time:107499"}},
    {.name = "WrongCycleIgnoringTimeKeepsTheCode",
     .slot = "Form016",
     .format = kCheckT1,
     .times = {1000, 9000},
     .ignoreTime = true,
     .setup = necGroupParts,
     .errors = {"Group 1:Cycle's time is error!", "Group 1:Cycle's standard time:108000",
                "Group 1:Cycle's test time:101000"},
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:101000"}},
    {.name = "EmptyLaterCycleChecksFirstGroupAgainstT1",
     .slot = "Form016",
     .format = {{"G2_T", null()}},
     .times = {1000, 9000},
     .setup = necGroupParts,
     .errors = {"Group 1:Cycle's time is error!", "Group 1:Cycle's standard time:108000",
                "Group 1:Cycle's test time:101000"}},
    {.name = "LaterCycleLeavesFirstGroupUnchecked",
     .slot = "Form016",
     .times = {1000, 9000},
     .setup = necGroupParts,
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:101000"}},
    {.name = "LaterGroupCheckedAgainstLaterCycle",
     .slot = "Form016",
     .format = {{"G2_T", num(50000)}},
     .times = {1000, 9000},
     .setup =
         [](WalkSession& s) {
             s.GroupNo = 2;
             s.decode.TimeSum = 48000;
         },
     .errors = {"Group 2:Cycle's time is error!", "Group 2:Cycle's standard time:50000",
                "Group 2:Cycle's test time:49000"},
     .groupNo = 3},
    {.name = "NoCycleCheckWhenT1IsZero",
     .slot = "Form016",
     .format = {{"T1", num(0)}, {"G2_T", num(0)}},
     .times = {1000, 9000},
     .setup = necGroupParts,
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:101000"}},
    {.name = "LastGroupIsNotChecked",
     .slot = "Form016",
     .format = kCheckT1,
     .times = {1000},
     .setup = necGroupParts,
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:101000"}},
    {.name = "CellReadingZeroHoldsNoTime",
     .slot = "Form016",
     .format = kCheckT1,
     .times = {1000, 0},
     .setup = necGroupParts,
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:101000"}},
    {.name = "CustomerCodeWithEqualBitFailsComplement",
     .slot = "Form016",
     .times = {8000, 9000},
     .setup =
         [](WalkSession& s) {
             necGroupParts(s);
             s.decode.RevCustomerBits = "11101111";
         },
     .errors = {"Custom code or reverse custom code is wrong"},
     .cycles = {"Group 1:Cycle's test time:108000"},
     .groupNo = 3},
    {.name = "DataCodeWithEqualBitFailsComplement",
     .slot = "Form016",
     .times = {8000, 9000},
     .setup =
         [](WalkSession& s) {
             necGroupParts(s);
             s.decode.RevDataBits = "10110110";
         },
     .errors = {"Data code or reverse data code is wrong"},
     .cycles = {"Group 1:Cycle's test time:108000"},
     .groupNo = 3},
    {.name = "SixteenBitDataComplementPassesDespiteByteSplit",
     .slot = "Form016",
     .times = {8000, 9000},
     .setup =
         [](WalkSession& s) {
             necGroupParts(s);
             s.decode.DataBitsRead = "1010101000001111";
             s.decode.DataBits = "10101010 00001111 ";
             s.decode.RevDataBits = "0101010111110000";
         },
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:108000"}},
    {.name = "NoReverseCodeSkipsComplement",
     .slot = "Form016",
     .times = {8000, 9000},
     .setup =
         [](WalkSession& s) {
             necGroupParts(s);
             s.decode.RevCustomerBits.clear();
             s.decode.RevDataBits.clear();
         },
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:108000"}},
    {.name = "WrongComplementIgnoringTimeStillEndsTheGroup",
     .slot = "Form016",
     .times = {8000, 9000},
     .ignoreTime = true,
     .setup =
         [](WalkSession& s) {
             necGroupParts(s);
             s.decode.RevCustomerBits = "11101111";
         },
     .errors = {"Custom code or reverse custom code is wrong"},
     .bin = "00000000 11111111 01001000 10110111 \r\n",
     .hex = "00 FF 12 ED \r\n",
     .cycles = {"Group 1:Cycle's test time:108000"}},
    {.name = "Form018ComposesItsCode",
     .slot = "Form018",
     .times = {8000},
     .setup =
         [](WalkSession& s) {
             s.decode.DataBitsRead = s.decode.DataBits = "11100101";
             s.decode.CodeText = "11100101 ";
         },
     .bin = "11100101 \r\n",
     .hex = "14 7\r\n",
     .cycles = {"Group 1:Cycle's test time:8000"}},
    {.name = "Form059ComposesItsCode",
     .slot = "Form059",
     .times = {8000},
     .setup =
         [](WalkSession& s) {
             s.decode.DataBitsRead = s.decode.DataBits = "10110011";
             s.decode.CodeText = "10110011 ";
         },
     .bin = "10110011 \r\n",
     .hex = "1 66 66\r\n",
     .cycles = {"Group 1:Cycle's test time:8000"}},
    {.name = "Form059ComposesSixteenDataBitsAsRead",
     .slot = "Form059",
     .format = {{"convert", text("N")}},
     .times = {8000},
     .setup =
         [](WalkSession& s) {
             s.decode.DataBitsRead = "1011000001010000"; // toggle, command 8 bits, device 7 bits
             s.decode.DataBits = "10110000 01010000 ";
             s.decode.CodeText = "10110000 01010000  ";
         },
     .bin = "10110000 01010000  \r\n",
     .hex = "1 60 50\r\n",
     .cycles = {"Group 1:Cycle's test time:8000"}},
    {.name = "Form030ComposesItsCode",
     .slot = "Form030",
     .times = {8000},
     .setup =
         [](WalkSession& s) {
             s.decode.StartBits = "11";
             s.decode.DataBitsRead = s.decode.DataBits = "101010";
             s.decode.HexText = "1 1 05 ";
             s.decode.CodeText = "11 101010 ";
         },
     .bin = "11 101010 \r\n",
     .hex = "05 2A\r\n",
     .cycles = {"Group 1:Cycle's test time:8000"}},
    {.name = "Form031ComposesItsCode",
     .slot = "Form031",
     .times = {8000},
     .setup =
         [](WalkSession& s) {
             s.decode.StartBits = "11010011";
             s.decode.CustomerBits = "10100";
             s.decode.HexText = "3 1A 05 ";
             s.decode.CodeText = "x ";
         },
     .bin = "x \r\n",
     .hex = "19 0A 05 \r\n",
     .cycles = {"Group 1:Cycle's test time:8000"}},
};

class GroupEnd : public EngineTest, public ::testing::WithParamInterface<GroupEndCase> {};

TEST_P(GroupEnd, ChecksAndPublishesTheGroup) {
    const GroupEndCase& c = GetParam();
    useFormat(c.slot, c.format);
    load(c.times);
    s.cIgnoreT = c.ignoreTime;
    s.decode.DecodeOK = true;
    if (c.setup) c.setup(s);

    ReadCode(s, "X");

    EXPECT_EQ(s.ErrRcd, c.errors);
    EXPECT_EQ(s.tBcode, c.bin);
    EXPECT_EQ(s.tHCode, c.hex);
    EXPECT_EQ(s.code.lGCyc, c.cycles);
    EXPECT_EQ(s.GroupNo, c.groupNo);
    EXPECT_TRUE(s.decode.DecodeOK);
    if (c.bin.empty()) return;
    // A group that ended cleanly leaves nothing of its parts behind.
    EXPECT_EQ(s.decode.CodeText, "");
    EXPECT_EQ(s.decode.HexText, "");
    EXPECT_EQ(s.decode.CustomerBits, "");
    EXPECT_FLOAT_EQ(s.decode.TimeSum, 0);
}

INSTANTIATE_TEST_SUITE_P(Groups, GroupEnd, ::testing::ValuesIn(kGroupEnds),
                         [](const auto& info) { return info.param.name; });

TEST_F(EngineTest, GroupEndShortensTheStructureAndRestartsWhenATimeFollows) {
    load({8000, 9000});
    necGroupParts(s);
    ReadCode(s, "X");
    EXPECT_EQ(s.FrameSpec, "H2,B0,X");
    EXPECT_EQ(s.SpecLen, 7);
    EXPECT_EQ(s.SpecPos, 0);
    EXPECT_EQ(s.RunIndex, 1);
    EXPECT_EQ(s.TimeCol, 2);
}

TEST_F(EngineTest, GroupEndWithoutFollowingTimeDoesNotRestart) {
    load({8000});
    necGroupParts(s);
    ReadCode(s, "X");
    EXPECT_EQ(s.FrameSpec, "H2,B0,X");
    EXPECT_EQ(s.SpecPos, 17);
}

TEST_F(EngineTest, FailedCheckEmptiesTheCodeBoxesAndEndsTheWalk) {
    load({700, 40000});
    s.tBcode = "00000000 \r\n";
    s.tHCode = "00 \r\n";
    s.decode.CodeText = "00000000 ";
    s.SpecLen = 24;
    s.SpecPos = 14;
    ReadCode(s, "B0");
    EXPECT_EQ(s.tBcode, "");
    EXPECT_EQ(s.tHCode, "");
    EXPECT_EQ(s.decode.CodeText, "");
    EXPECT_EQ(s.SpecLen, 0);
    EXPECT_EQ(s.SpecPos, 0);
    EXPECT_EQ(s.GroupNo, 2);
    EXPECT_TRUE(s.decode.DecodeOK);
}

TEST_F(EngineTest, FailedCheckIgnoringTimeLeavesTheWalkGoing) {
    load({700, 40000});
    s.cIgnoreT = true;
    s.tBcode = "00000000 \r\n";
    s.SpecLen = 24;
    s.SpecPos = 14;
    ReadCode(s, "B0");
    EXPECT_EQ(s.tBcode, "00000000 \r\n");
    EXPECT_EQ(s.SpecLen, 24);
    EXPECT_EQ(s.GroupNo, 1);
    EXPECT_EQ(s.ErrRcd.size(), 3u);
}

} // namespace
