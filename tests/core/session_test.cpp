#include "app/main_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(StartUp, AMissingPortIsSaidAndTheCaptureResetEmptiesTheRecord) {
    qvtest::TempDir dir;
    Session s;
    MemoryPort port;
    s.cataloguePath = qvtest::freshCatalogue(dir);
    s.port = &port;
    port.setMissingPort(1);
    startUp(s);
    EXPECT_EQ(s.messages,
              std::vector<std::string>{"This port is already open or doesn't exist,"
                                       "Please select another port.\nCOM1: no such port"});
    EXPECT_EQ(s.Image1Bitmap, "rs232u.bmp");
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(s.CurFormat->key(), "Form016");

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
