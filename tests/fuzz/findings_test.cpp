// The faults the fuzz targets found, each pinned down by a readable case
// (their raw inputs are kept in findings/ and replayed too).
#include "app/capture_loader.h"
#include "app/dispatch.h"
#include "app/format_selection.h"
#include "capture/capture_formats.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue_build.h"

#include <filesystem>
#include <unistd.h>

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

// A 5 KB Pronto file of the longest words made a message of hundreds of
// megabytes: every long gap was sent as all its timer overflows, though the
// loader stops reading at the seventh.
TEST(TextCaptureRead, HugeProntoGapsBlewTheMessageUp) {
    std::string text = "0000 FFFF 0000 01F4";
    for (int i = 0; i < 1000; ++i)
        text += " FFFF";
    const qv::ProntoCode code = qv::parsePronto(text);
    const std::vector<uint8_t> message = qv::messageFromTimes(code.times);
    EXPECT_LT(message.size(), 100u);
    EXPECT_EQ(loaded(code.times, 3), (std::vector<std::string>{"35554", "248885", ""}));
}

// The 0,1 time tolerance is typed into the code recording window; a huge
// one overflowed the learner's "a > b + tolerance" (the sanitizer build
// reports it). Now no pair differs by more than it, and nothing is learned
// from the bit times.
TEST(LearnerScan, HugeZeroOneToleranceOverflowedTheLearnersScan) {
    std::string folder =
        (std::filesystem::temp_directory_path() / "quorvel-finding-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(folder.data()));
    for (const char* tolerance : {"1e300", "-1e300", "9223372036854775807"}) {
        qv::Session s;
        s.cataloguePath = folder + "/IRTime.db";
        qv::buildCatalogueIfMissing(std::string(QV_SOURCE_DIR) + "/data/catalogue.sql",
                                    s.cataloguePath);
        qv::setIrtype(s, "IB");
        ASSERT_TRUE(s.CurFormat && s.CurFormat->hasRow());
        const std::string zeroIdle = s.CurFormat->field("zero_Idle").toText();
        const long times[] = {9000, 4500, 560, 560, 560, 1690, 560, 560, 560, 1690, 560, 248885};
        for (size_t i = 0; i < std::size(times); ++i)
            s.TTable.setCell(1 + static_cast<long>(i) / 10, 1 + static_cast<long>(i) % 10,
                             std::to_string(times[i]));
        s.code.t01Tole = tolerance;
        qv::learnIntoCatalogue(s);
        EXPECT_EQ(s.CurFormat->field("H_Osc").toText(), "9000") << tolerance;
        if (tolerance[0] != '-') {
            EXPECT_EQ(s.CurFormat->field("zero_Idle").toText(), zeroIdle);
        }
    }
    std::filesystem::remove_all(folder);
}

} // namespace
