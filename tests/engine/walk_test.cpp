// The structure walk over whole captures: groups, repeats, nested walks,
// and walks that cannot go on.
#include "app/capture_tick.h"
#include "catalogue/format_selection.h"
#include "engine/engine.h"
#include "engine_support.h"

using namespace qv;
using namespace enginetest;

namespace {

const char* kNecBinary = "00000000 11111111 01001000 10110111 \r\n";
const char* kNecHex = "00 FF 12 ED \r\n";

// The decode dispatch's preparation, then the walk.
void walk(Session& s) {
    s.FrameSpec = s.CurFormat->field("stru").toText();
    s.TimeRow = 1;
    s.TimeCol = 1;
    s.GroupNo = 1;
    HandleData(s);
}

std::vector<long> join(std::initializer_list<std::vector<long>> parts) {
    std::vector<long> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST_F(EngineTest, NecKeyPressDecodesEveryGroup) {
    load(necPress(0x00, 0x12, 2));
    walk(s);
    EXPECT_EQ(s.tBcode, kNecBinary);
    EXPECT_EQ(s.tHCode, kNecHex);
    EXPECT_TRUE(s.ErrRcd.empty());
    EXPECT_EQ(s.code.lGCyc, (std::vector<std::string>{"Group 1:Cycle's test time:108000",
                                                      "Group 2:Cycle's test time:108000",
                                                      "Group 3:Cycle's test time:260697"}));
    EXPECT_EQ(s.GroupNo, 4);
}

TEST_F(EngineTest, RepeatGroupWithWrongCycleFailsTheCapture) {
    auto times = necPress(0x00, 0x12, 2);
    times[71] -= 600; // the first repeat group's gap
    load(times);
    walk(s);
    EXPECT_EQ(s.tBcode, "");
    EXPECT_EQ(s.tHCode, "");
    EXPECT_EQ(s.ErrRcd, (std::vector<std::string>{"Group 2:Cycle's time is error!",
                                                  "Group 2:Cycle's standard time:108000",
                                                  "Group 2:Cycle's test time:107400"}));
}

TEST_F(EngineTest, CaptureBeginningWithRepeatHeadIsReadAsLaterGroups) {
    load({9000, 2250, 562, 96188, 9000, 2250, 562, kEndOfSignal});
    walk(s);
    EXPECT_EQ(s.tBcode, "");
    EXPECT_TRUE(s.ErrRcd.empty());
    // The head token adds nothing: the first group's total is the repeat group alone.
    EXPECT_EQ(s.code.lGCyc, (std::vector<std::string>{"Group 1:Cycle's test time:108000",
                                                      "Group 2:Cycle's test time:260697"}));
}

TEST_F(EngineTest, FullFramesMetAtTheCustomerCodeNestOncePerGroup) {
    useFormat("Form016", {{"stru", text("H,C,~C,D,~D,B0,X,C,~C,D,~D,B0,X")}});
    std::vector<long> times;
    for (int i = 0; i < 9; ++i) {
        auto frame = necPress(0x00, 0x12, 0);
        frame.back() = 39954;
        times.insert(times.end(), frame.begin(), frame.end());
    }
    times.back() = kEndOfSignal;
    load(times);
    walk(s);
    std::string hex;
    for (int i = 0; i < 9; ++i)
        hex += kNecHex;
    EXPECT_EQ(s.tHCode, hex);
    EXPECT_TRUE(s.messages.empty());
}

TEST_F(EngineTest, RunawayWalkIsAbandonedWithOneMessage) {
    // The customer code finds a head where it begins, and the structure
    // starts with the customer code again: every walk starts another.
    useFormat("Form016", {{"stru", text("C,D,X")}});
    load(necPress(0x00, 0x12, 0));
    walk(s);
    EXPECT_EQ(s.messages, std::vector<std::string>{kWrongFormatMessage});
    EXPECT_EQ(s.tHCode, "");
}

TEST_F(EngineTest, RunawayWalkLetsTheTickGoOn) {
    useFormat("Form016", {{"stru", text("C,D,X")}});
    load(necPress(0x00, 0x12, 0));
    decodeDispatch(s);
    EXPECT_EQ(s.messages, std::vector<std::string>{kWrongFormatMessage});
    EXPECT_TRUE(s.Timer2);
    EXPECT_EQ(s.tTole, "3%");
}

TEST_F(EngineTest, FieldThatIsNotANumberEndsTheWalkSilently) {
    useFormat("Form016", {{"stru", text("H,C,~C,D,~D,E,B0,X")}, {"E_Osc", text("abc")}});
    load(necPress(0x00, 0x12, 0));
    walk(s);
    EXPECT_TRUE(s.messages.empty());
    EXPECT_TRUE(s.code.lGCyc.empty());
    EXPECT_EQ(s.tBcode, "");
    // The tokens before it keep what they did.
    EXPECT_EQ(s.decode.CodeText, "00000000 11111111 01001000 10110111 ");
}

TEST_F(EngineTest, WalkWithoutAFormatEndsSilently) {
    setIrtype(s, "Form999"); // the selection says the row is missing, the walk nothing
    const size_t said = s.messages.size();
    load(necPress(0x00, 0x12, 0));
    s.FrameSpec = "H,C,X";
    EXPECT_NO_THROW(HandleData(s));
    EXPECT_EQ(s.messages.size(), said);
    EXPECT_EQ(s.tBcode, "");
}

TEST_F(EngineTest, StructureEndingInCommaNeverEndsItsGroup) {
    useFormat("Form016", {{"stru", text("H,C,~C,D,~D,B0,X,")}});
    load(necPress(0x00, 0x12, 0));
    walk(s);
    EXPECT_EQ(s.tBcode, "");
    EXPECT_TRUE(s.code.lGCyc.empty());
}

TEST_F(EngineTest, WrongBitIgnoringTimeKeepsDecoding) {
    auto times = necPress(0x00, 0x12, 0);
    times[2] = 700; // first customer bit's burst
    load(times);
    s.cIgnoreT = true;
    walk(s);
    EXPECT_EQ(s.ErrRcd,
              (std::vector<std::string>{"Group 1:0 Osc time is error!", "0 Osc standard time:562",
                                        "0 Osc test time:700"}));
    EXPECT_EQ(s.tHCode, kNecHex);
}

struct SplitCase {
    std::string name;
    std::string structure;
    int endCol;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class StructureSplit : public EngineTest, public ::testing::WithParamInterface<SplitCase> {};

// Each "B0" that fits takes one cell; other tokens take none.
TEST_P(StructureSplit, HandsEachTokenToTheFrameReader) {
    useFormat("Form016", {{"stru", text(GetParam().structure)}});
    load({562, 562, 562, 562, 562});
    walk(s);
    EXPECT_EQ(s.TimeCol, GetParam().endCol);
}

INSTANTIATE_TEST_SUITE_P(Walk, StructureSplit,
                         ::testing::Values(SplitCase{"ThreeTokens", "B0,B0,B0", 4},
                                           SplitCase{"EmptyTokenBetween", "B0,,B0", 3},
                                           SplitCase{"TrailingCommaJoinsLastToken", "B0,B0,", 2},
                                           SplitCase{"LeadingComma", ",B0", 2},
                                           SplitCase{"EmptyStructure", "", 1},
                                           SplitCase{"LowerCaseIsNoToken", "b0,B0", 2}),
                         [](const auto& info) { return info.param.name; });

TEST_F(EngineTest, FullFrameAmongRepeatsIsReadAgainFromItsHead) {
    // Later groups are a head and one bit; a short gap after that bit means
    // a whole frame follows, read again from its head with the full structure.
    useFormat("Form016", {{"stru", text("H,C,~C,B0,X,H2,RC0,B0,X")},
                          {"G2H_Idle", num(4500)},
                          {"C", num(2)},
                          {"R_C", num(2)},
                          {"T1", num(0)}});
    const std::vector<long> frame = {9000, 4500, 562, 1688, 562, 562,
                                     562,  562,  562, 1688, 562, 30000};
    const std::vector<long> repeat = {9000, 4500, 562, 562, 562, 30000}; // first bit inverted
    std::vector<long> last = frame;
    last.back() = kEndOfSignal;
    load(join({frame, repeat, last}));
    walk(s);
    EXPECT_EQ(s.tBcode, "10 01 \r\n10 01 \r\n");
    // Its first bit equals the first customer bit: reported, not failed.
    EXPECT_EQ(s.ErrRcd, (std::vector<std::string>{
                            "The groups that behind the first group's first bit is wrong:",
                            "It's not reverse each other"}));
    EXPECT_EQ(s.code.lGCyc.size(), 3u);
    EXPECT_TRUE(s.messages.empty());
}

} // namespace
