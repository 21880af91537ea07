// The faults the fuzz targets found, each pinned down by a readable case
// (their raw inputs are kept in findings/ and replayed too).
#include "app/capture_loader.h"
#include "app/capture_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LoadCase {
    const char* name;
    std::vector<int64_t> times;
    std::vector<std::string> cells; // the capture record from (1, 1)
};

std::vector<std::string> loaded(const std::vector<int64_t>& times, size_t cells) {
    qv::MemoryPort port;
    port.receive(qv::messageFromTimes(times));
    qv::Session s;
    s.port = &port;
    qv::loadCapture(s);
    std::vector<std::string> out;
    for (size_t i = 0; i < cells; ++i)
        out.push_back(s.TTable.cell(static_cast<long>(i / 10) + 1, static_cast<long>(i % 10) + 1));
    return out;
}

class TextCaptureLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(TextCaptureLoad, EveryTimeArrivesAndNoBurstIsSwallowed) {
    const LoadCase& c = GetParam();
    EXPECT_EQ(loaded(c.times, c.cells.size()), c.cells);
}

// A time sent as 65535 ticks loads as 35555 us, which the loader takes for
// a timer overflow: it added the next burst to the gap. A gap of whole
// overflow units had no closing pair and lost the next burst the same way.
INSTANTIATE_TEST_SUITE_P(
    Findings, TextCaptureLoad,
    ::testing::Values(LoadCase{"GapOfOneOverflowUnitSwallowedTheNextBurst",
                               {560, 35555, 560, 560, 560},
                               {"560", "35556", "560", "560", "560", "248885", ""}},
                      LoadCase{"GapOfTwoWholeOverflowUnitsSwallowedTheNextBurst",
                               {560, 71110, 600, 560, 560},
                               {"560", "71111", "600", "560", "560", "248885", ""}},
                      LoadCase{"BurstOfAnOverflowUnitWasTakenForAGap",
                               {35555, 560, 560},
                               {"35554", "560", "560", "248885", ""}},
                      LoadCase{"GapJustOverAnOverflowUnitKeepsItsLength",
                               {560, 35556, 560},
                               {"560", "35556", "560", "248885", ""}},
                      LoadCase{"GapJustUnderAnOverflowUnitKeepsItsLength",
                               {560, 35554, 560},
                               {"560", "35554", "560", "248885", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

// An absurd time ("51e+5111111902") read as the largest whole number, then
// added to the gap after it: a signed overflow before the range check.
TEST(TextCaptureRead, AbsurdTimeOverflowedTheSumOfTwoGaps) {
    EXPECT_THROW(qv::parseTimeList("560 51e+5111111902\nspace 4467\n"), qv::CaptureFormatError);
    EXPECT_THROW(qv::parseTimeList("pulse 560\nspace 60000000\nspace 60000000\n"),
                 qv::CaptureFormatError);
    EXPECT_EQ(qv::parseTimeList("pulse 560\nspace 50000000\nspace 50000000\n"),
              (std::vector<int64_t>{560, 100000000}));
}

} // namespace
