#include "capture/receiver_message.h"
#include "platform/basic.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace qv;

TEST(Numbers, LeadingNumberAndNumericText) {
    const struct {
        const char* text;
        double value;
        bool numeric;
    } cases[] = {{"5%", 5, false},       {"abc", 0, false},
                 {"750.9", 750.9, true}, {"", 0, false},
                 {"  12.5", 12.5, true}, {"12.5  ", 12.5, true},
                 {"-3x", -3, false},     {".5", 0.5, true},
                 {"1e3", 1000, true},    {"1e", 1, false},
                 {"---", 0, false},      {"+7", 7, true},
                 {"1.2.3", 1.2, false},  {"1e999", 1.7976931348623157e308, true}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
        EXPECT_EQ(isNumeric(c.text), c.numeric) << c.text;
    }
}

TEST(Numbers, WholePartsRoundingAndTexts) {
    EXPECT_EQ(wholePart(2.7), 2);
    EXPECT_EQ(wholePart(-2.5), -3);
    EXPECT_EQ(wholePart(-0.1), -1);
    EXPECT_EQ(wholeOf("750.9"), 750);
    EXPECT_EQ(wholePart(1e300), INT64_MAX);
    EXPECT_EQ(wholePart(-1e300), INT64_MIN);
    EXPECT_EQ(wholePart(std::nan("")), 0);
    for (auto [v, want] :
         {std::pair{309.5, 310}, {310.5, 310}, {2.5, 2}, {309.2441, 309}, {542.53, 543}})
        EXPECT_EQ(roundHalfEven(v), want) << v;
    EXPECT_EQ(singleText(single(0.03f * 100.0f)), "3");
    EXPECT_EQ(singleText(single(0.125 * 100)), "12.5");
    EXPECT_EQ(singleText(single(16 / static_cast<float>(22.1184 / 12))), "8.680555");
    EXPECT_EQ(singleText(500), "500");
    EXPECT_EQ(doubleText(1000 / 26.0416), "38.4000983042517");
    EXPECT_EQ(doubleText(-0.0), "0");
    EXPECT_EQ(leftText("abc", 7), "abc");
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
}

TEST(ReceiverClock, TicksToMicrosecondsAndCarrierFigures) {
    const float t = static_cast<float>(22.1184 / 12);
    for (auto [ticks, us] :
         {std::pair{570u, 309}, {576u, 313}, {1728u, 938}, {1000u, 543}, {0u, 0}})
        EXPECT_EQ(ticksToMicroseconds(ticks, t), us) << ticks;
    auto f = carrierFigures(16, 32, t);
    EXPECT_EQ(f.highText, "8.68055");
    EXPECT_EQ(f.periodText, "26.0416");
    EXPECT_EQ(f.frequencyText, "38.4000");
    EXPECT_FLOAT_EQ(f.high, 8.68055f);
    f = carrierFigures(0, 0, t);
    EXPECT_EQ(f.periodText, "0");
    EXPECT_TRUE(f.frequencyText.empty());
}
