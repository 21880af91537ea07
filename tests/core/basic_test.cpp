#include "platform/basic.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace qv;

// The number forms of the catalogue and the boxes; the receiver's clock and
// carrier figures are in the load cases (tests/data/engine/cli/load-*).
TEST(Numbers, LeadingNumberWholePartsAndRounding) {
    const std::tuple<const char*, double, bool> cases[] = {
        {"5%", 5, false},       {"abc", 0, false},
        {"750.9", 750.9, true}, {"", 0, false},
        {"  12.5", 12.5, true}, {"12.5  ", 12.5, true},
        {"-3x", -3, false},     {".5", 0.5, true},
        {"1e3", 1000, true},    {"1e", 1, false},
        {"---", 0, false},      {"+7", 7, true},
        {"1.2.3", 1.2, false},  {"1e999", 1.7976931348623157e308, true}};
    for (const auto& [text, value, numeric] : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
        EXPECT_EQ(isNumeric(text), numeric) << text;
    }
    for (auto [v, whole] : {std::pair{2.7, 2L}, {-2.5, -3L}, {-0.1, -1L}, {std::nan(""), 0L}})
        EXPECT_EQ(wholePart(v), whole) << v;
    EXPECT_EQ(wholePart(1e300), INT64_MAX);
    EXPECT_EQ(wholePart(-1e300), INT64_MIN);
    for (auto [v, even] : {std::pair{309.5, 310}, {310.5, 310}, {2.5, 2}, {542.53, 543}})
        EXPECT_EQ(roundHalfEven(v), even) << v;
    EXPECT_EQ(singleText(single(0.125 * 100)), "12.5");
    EXPECT_EQ(singleText(single(16 / static_cast<float>(22.1184 / 12))), "8.680555");
    EXPECT_EQ(doubleText(1000 / 26.0416), "38.4000983042517");
    EXPECT_EQ(doubleText(-0.0), "0");
}
