// The format learner: what a capture writes into a generic format's row.
#include "app/format_selection.h"
#include "engine/engine.h"
#include "engine_support.h"

#include <map>

using namespace qv;
using namespace enginetest;

namespace {

class Learner : public EngineTest {
protected:
    // Selects a generic format whose row holds the NEC parameters.
    void generic(const std::string& key) {
        catalogue.add(key, {{"stru", text("D,X")}, {"H_Bits", num(0)}});
        setIrtype(s, key);
    }
    // The stored row as text, field by field.
    std::map<std::string, std::string> row(const std::string& key) {
        auto cursor = openCatalogue(catalogue.path());
        EXPECT_TRUE(cursor->seek(key));
        std::map<std::string, std::string> out;
        for (const auto& name : cursor->fieldNames())
            out[name] = cursor->field(name).toText();
        return out;
    }
};

TEST_F(Learner, IbWithHeadLearnsHeadBurstAndBitGaps) {
    generic("IB");
    load({9000, 4500, 560, 560, 560, 1690, 560, 560, 560, kEndOfSignal});
    GenelRead(s);
    auto r = row("IB");
    EXPECT_EQ(r["stru"], "H,D,B0,X");
    EXPECT_EQ(r["X"], "15000");
    EXPECT_EQ(r["H_Bits"], "1");
    EXPECT_EQ(r["H_Osc"], "9000");
    EXPECT_EQ(r["H_Idle"], "4500");
    EXPECT_EQ(r["One_Osc"], "560");
    EXPECT_EQ(r["Zero_Osc"], "560");
    EXPECT_EQ(r["b_end"], "560");
    EXPECT_EQ(r["zero_Idle"], "560");
    EXPECT_EQ(r["One_Idle"], "1690");
    // The walk then decodes with what was just written.
    EXPECT_EQ(s.CurFormat->field("stru").toText(), "H,D,B0,X");
}

TEST_F(Learner, RibWithoutHeadScansBurstsIntoTheNextRow) {
    generic("RIB");
    load(
        {560, 700, 565, 700, 560, 700, 570, 700, 560, 700, 560, 700, 1200, 700, 560, kEndOfSignal});
    GenelRead(s);
    auto r = row("RIB");
    EXPECT_EQ(r["stru"], "D,X");
    EXPECT_EQ(r["H_Osc"], "0");
    EXPECT_EQ(r["H_Idle"], "0");
    EXPECT_EQ(r["H_Bits"], "0"); // not written without a head
    EXPECT_EQ(r["One_Idle"], "700");
    EXPECT_EQ(r["zero_Idle"], "700");
    EXPECT_EQ(r["Zero_Osc"], "560");
    EXPECT_EQ(r["One_Osc"], "1200"); // from the second row
}

TEST_F(Learner, HlWritesShortTimeThriceAndLongTimeOnce) {
    generic("HL");
    load({9000, 4500, 560, 600, 560, 1200, 560, kEndOfSignal});
    GenelRead(s);
    auto r = row("HL");
    EXPECT_EQ(r["stru"], "D,X");
    EXPECT_EQ(r["Zero_Osc"], "600");
    EXPECT_EQ(r["zero_Idle"], "600");
    EXPECT_EQ(r["One_Osc"], "600");
    EXPECT_EQ(r["One_Idle"], "1200");
}

TEST_F(Learner, SeWritesShortTimeAndZeros) {
    generic("SE");
    load({560, 1200, 560, 600, 560, kEndOfSignal});
    GenelRead(s);
    auto r = row("SE");
    EXPECT_EQ(r["Zero_Osc"], "600");
    EXPECT_EQ(r["zero_Idle"], "0");
    EXPECT_EQ(r["One_Osc"], "0");
    EXPECT_EQ(r["One_Idle"], "600");
}

TEST_F(Learner, EvenBitTimesLeaveTheBitFieldsAlone) {
    generic("IB");
    load({9000, 4500, 560, 600, 560, 640, 560, 610, 560, 600, 560, kEndOfSignal});
    GenelRead(s);
    auto r = row("IB");
    EXPECT_EQ(r["zero_Idle"], "562");
    EXPECT_EQ(r["One_Idle"], "1688");
    EXPECT_EQ(r["stru"], "H,D,B0,X");
    EXPECT_EQ(r["H_Osc"], "9000");
}

TEST_F(Learner, ScanStopsAtTheEndOfTheSignal) {
    generic("IB");
    load({9000, 4500, 560, kEndOfSignal, 560, 1690, 560, 560});
    GenelRead(s);
    EXPECT_EQ(row("IB")["One_Idle"], "1688");
}

TEST_F(Learner, OtherFormatsAreLeftAlone) {
    load({9000, 4500, 560, 560, 560, 1690});
    s.TimeRow = 5;
    GenelRead(s);
    EXPECT_EQ(row("Form016")["stru"], "H,C,~C,D,~D,B0,X,H2,B0,X");
    EXPECT_EQ(s.TimeRow, 5);
}

TEST_F(Learner, EachCaptureDecodesWithWhatItTaught) {
    generic("IB");
    // Four bits without a head, then the end of the signal.
    load({560, 560, 560, 1690, 560, 1690, 560, 560, 560, kEndOfSignal});
    GenelRead(s);
    s.FrameSpec = s.CurFormat->field("stru").toText();
    s.TimeRow = 1;
    s.TimeCol = 1;
    HandleData(s);
    EXPECT_EQ(s.FrameSpec, "D,B0,X");
    EXPECT_EQ(s.tBcode, "0110 \r\n");
}

} // namespace
