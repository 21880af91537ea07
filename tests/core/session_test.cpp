#include "app/main_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace qv;

// The port messages of the start-up are the link tests' (tests/link).
TEST(ResetCapture, EmptiesEveryDataCellRewritesTheHeadersAndDropsWhatWaits) {
    qvtest::StartedSession t;
    Session& s = t.s;
    MemoryPort& port = t.port;
    s.TTable.setCell(3, 4, "562");
    s.TTable.setCell(64, 10, "9");
    s.TTable.setCell(0, 2, "x");
    port.receive({1, 2, 3});
    resetCapture(s);
    for (int r = 1; r <= kDataRows; ++r)
        for (int c = 1; c <= kDataCols; ++c)
            ASSERT_EQ(s.TTable.cell(r, c), "") << r << "," << c;
    EXPECT_EQ(s.TTable.cell(0, 2), "2");
    EXPECT_EQ(s.TTable.cell(64, 0), "64");
    EXPECT_EQ(port.bytesWaiting(), 0u);
    EXPECT_EQ(s.code.Lblcarr_h, " ");
}
