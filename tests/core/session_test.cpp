#include "app/format_selection.h"
#include "app/main_state.h"
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

TEST(StartUp, OpensCom1OnForm016OrSaysThePortIsMissing) {
    Started ok;
    EXPECT_EQ(ok.s.CurFormat->key(), "Form016");
    EXPECT_TRUE(ok.port.isOpen());
    EXPECT_EQ(ok.s.Image1Bitmap, "rs232.bmp");
    EXPECT_TRUE(ok.s.messages.empty());
    Started missing(1);
    EXPECT_EQ(missing.s.messages,
              std::vector<std::string>{"This port is already open or doesn't exist,Please select "
                                       "another port.\nCOM1: no such port"});
    EXPECT_EQ(missing.s.Image1Bitmap, "rs232u.bmp");
    EXPECT_FALSE(missing.port.isOpen());
    Started other(7);
    selectPort(other.s, 6);
    EXPECT_FALSE(other.port.isOpen());
    EXPECT_EQ(other.s.Image1Bitmap, "rs232u.bmp");
    EXPECT_EQ(other.s.mumconnect, "Dis&Connect");
    EXPECT_EQ(other.s.messages.size(), 1u);
}

TEST(ResetCapture, EmptiesEveryDataCellAndRewritesTheHeaders) {
    Started st;
    Session& s = st.s;
    s.TTable.setCell(3, 4, "562");
    s.TTable.setCell(64, 10, "9");
    s.TTable.setCell(0, 2, "x");
    st.port.receive({1, 2, 3});
    resetCapture(s);
    for (int r = 1; r <= kDataRows; ++r)
        for (int c = 1; c <= kDataCols; ++c)
            ASSERT_EQ(s.TTable.cell(r, c), "") << r << "," << c;
    EXPECT_EQ(s.TTable.cell(0, 2), "2");
    EXPECT_EQ(s.TTable.cell(64, 0), "64");
    EXPECT_EQ(st.port.bytesWaiting(), 0u);
    EXPECT_EQ(s.code.Lblcarr_h, " ");
    s.TimeRow = 3;
    s.TimeCol = 10;
    s.advanceCursor();
    EXPECT_EQ(std::pair(s.TimeRow, s.TimeCol), std::pair(4L, int16_t{1}));
    EXPECT_EQ(s.TTable.cell(65, 1), "");
}
