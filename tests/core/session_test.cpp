#include "app/main_state.h"
#include "catalogue/format_selection.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

struct Started {
    qvtest::TempDir dir;
    Session s;
    MemoryPort port;
    explicit Started(int missingPort = 0) {
        s.cataloguePath = qvtest::freshCatalogue(dir);
        s.port = &port;
        port.setMissingPort(missingPort);
        startUp(s);
    }
};

} // namespace

TEST(StartUp, SetsTheDefaults) {
    Started st;
    const Session& s = st.s;
    EXPECT_FLOAT_EQ(s.TimeTolerance, 0.03f);
    EXPECT_FLOAT_EQ(s.CycleTolerance, 500);
    EXPECT_EQ(s.XTime, 15000);
    EXPECT_EQ(s.ZeroOneTime, 100);
    EXPECT_EQ(s.RecordCol, 1);
    EXPECT_EQ(s.AutoFormatIndex, 0);
    EXPECT_EQ(s.CrLf, "\r\n");
    EXPECT_EQ(s.irtype, "Form016(NEC N-8)");
    EXPECT_EQ(s.CurFormat->key(), "Form016");
    EXPECT_EQ(s.tTole, "3%");
    EXPECT_EQ(s.tTTole, "500");
    EXPECT_EQ(s.SelCom, 0);
    EXPECT_TRUE(st.port.isOpen());
    EXPECT_EQ(s.Image1Bitmap, "rs232.bmp");
    EXPECT_EQ(s.mumconnect, "Dis&Connect");
    EXPECT_TRUE(s.Timer2);
    EXPECT_FALSE(s.Timer1);
    EXPECT_EQ(s.BlinkPhase, 1);
    EXPECT_EQ(s.LblRGtime, "0");
    EXPECT_TRUE(s.messages.empty());
}

TEST(StartUp, AMissingCom1GivesThePortMessage) {
    Started st(1);
    ASSERT_EQ(st.s.messages.size(), 1u);
    EXPECT_EQ(st.s.messages[0],
              "This port is already open or doesn't exist,Please select another port.\n"
              "COM1: no such port");
    EXPECT_EQ(st.s.Image1Bitmap, "rs232u.bmp");
    EXPECT_FALSE(st.port.isOpen());
}

TEST(SelectPort, AMissingPortClosesTheOpenOneAndLeavesTheCaption) {
    Started st(7);
    selectPort(st.s, 6);
    EXPECT_FALSE(st.port.isOpen());
    EXPECT_EQ(st.s.Image1Bitmap, "rs232u.bmp");
    EXPECT_EQ(st.s.mumconnect, "Dis&Connect");
    ASSERT_EQ(st.s.messages.size(), 1u);
}

TEST(Startsub, EmptiesEveryDataCellAndRewritesTheHeaders) {
    Started st;
    Session& s = st.s;
    s.TTable.setCell(3, 4, "562");
    s.TTable.setCell(64, 10, "9");
    s.TTable.setCell(0, 2, "x");
    st.port.receive({1, 2, 3});
    startsub(s);
    for (int r = 1; r <= kDataRows; ++r)
        for (int c = 1; c <= kDataCols; ++c)
            ASSERT_EQ(s.TTable.cell(r, c), "") << r << "," << c;
    for (int c = 1; c <= kDataCols; ++c)
        EXPECT_EQ(s.TTable.cell(0, c), std::to_string(c));
    for (int r = 1; r <= kDataRows; ++r)
        EXPECT_EQ(s.TTable.cell(r, 0), std::to_string(r));
    EXPECT_EQ(st.port.bytesWaiting(), 0u);
    EXPECT_EQ(s.code.Lblcarr_h, " ");
}

// The tolerance menus, the tolerance boxes and "Ignore Time" are tested on
// the window (form_main_test), whose tables cover these functions.

TEST(Session, CursorAdvancesPastColumnTenToTheNextRow) {
    Session s;
    s.TimeRow = 3;
    s.TimeCol = 10;
    s.advanceCursor();
    EXPECT_EQ(s.TimeRow, 4);
    EXPECT_EQ(s.TimeCol, 1);
    EXPECT_EQ(s.TTable.cell(65, 1), "");
    EXPECT_EQ(s.TTable.cell(-1, 1), "");
}
