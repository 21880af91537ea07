#include "app/capture_loader.h"
#include "platform/basic.h"
#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace qv;

struct NumberCase {
    const char* text;
    double value;
    bool numeric;
};

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsTheNumberAtTheStart) {
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
    EXPECT_EQ(isNumeric(c.text), c.numeric) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    ::testing::Values(NumberCase{"5%", 5, false}, NumberCase{"abc", 0, false},
                      NumberCase{"750.9", 750.9, true}, NumberCase{"", 0, false},
                      NumberCase{"  12.5", 12.5, true}, NumberCase{"12.5  ", 12.5, true},
                      NumberCase{"-3x", -3, false}, NumberCase{".5", 0.5, true},
                      NumberCase{"1e3", 1000, true}, NumberCase{"1e", 1, false},
                      NumberCase{"---", 0, false}, NumberCase{"+7", 7, true},
                      NumberCase{"1.2.3", 1.2, false},
                      NumberCase{"1e999", 1.7976931348623157e308, true}),
    [](const auto& info) { return qvtest::caseName(info.index, info.param.text); });

TEST(WholePart, TruncatesTowardMinusInfinityAndSaturates) {
    EXPECT_EQ(wholePart(2.7), 2);
    EXPECT_EQ(wholePart(-2.5), -3);
    EXPECT_EQ(wholePart(-0.1), -1);
    EXPECT_EQ(wholeOf("750.9"), 750);
    EXPECT_EQ(wholePart(1e300), INT64_MAX);
    EXPECT_EQ(wholePart(-1e300), INT64_MIN);
    EXPECT_EQ(wholePart(std::nan("")), 0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(309.5), 310);
    EXPECT_EQ(roundHalfEven(310.5), 310);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(309.2441), 309);
    EXPECT_EQ(roundHalfEven(542.53), 543);
}

TEST(NumberText, SingleHasSevenDigitsDoubleFifteen) {
    EXPECT_EQ(singleText(single(0.03f * 100.0f)), "3");
    EXPECT_EQ(singleText(single(0.125 * 100)), "12.5");
    EXPECT_EQ(singleText(single(16 / static_cast<float>(22.1184 / 12))), "8.680555");
    EXPECT_EQ(singleText(500), "500");
    EXPECT_EQ(doubleText(1000 / 26.0416), "38.4000983042517");
    EXPECT_EQ(doubleText(-0.0), "0");
    EXPECT_EQ(leftText("abc", 7), "abc");
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
}

TEST(TicksToMicroseconds, UsesTheSinglePrecisionTickRateAndRoundsHalvesToEven) {
    const float t = static_cast<float>(22.1184 / 12);
    EXPECT_EQ(ticksToMicroseconds(570, t), 309);
    EXPECT_EQ(ticksToMicroseconds(576, t), 313);
    EXPECT_EQ(ticksToMicroseconds(1728, t), 938);
    EXPECT_EQ(ticksToMicroseconds(1000, t), 543);
    EXPECT_EQ(ticksToMicroseconds(0, t), 0);
}

TEST(CarrierFigures, SixteenAndThirtyTwoTicks) {
    const auto f = carrierFigures(16, 32, static_cast<float>(22.1184 / 12));
    EXPECT_EQ(f.highText, "8.68055");
    EXPECT_EQ(f.periodText, "26.0416");
    EXPECT_EQ(f.frequencyText, "38.4000");
    EXPECT_FLOAT_EQ(f.high, 8.68055f);
}

TEST(CarrierFigures, ZeroPeriodGivesNoFrequency) {
    const auto f = carrierFigures(0, 0, static_cast<float>(22.1184 / 12));
    EXPECT_EQ(f.periodText, "0");
    EXPECT_TRUE(f.frequencyText.empty());
}
