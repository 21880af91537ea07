#include "analysis/analysis.h"
#include "irp/irp.h"
#include "platform/basic.h"
#include "tests/temp_dir.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

namespace {

// The C library's numbers in a locale that writes 12.5 as "12,5", as a
// window program's are under a German or French desktop (Qt takes the
// user's locale). Made with localedef where the system has none; false
// where that cannot be done either.
class CommaLocale {
public:
    CommaLocale() : m_saved(std::setlocale(LC_NUMERIC, nullptr)) {
        if (take("de_DE.UTF-8") || take("fr_FR.UTF-8")) return;
        const std::string made = m_dir.file("de_DE.UTF-8");
        const std::string command = "localedef -i de_DE -f UTF-8 " + made + " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) return;
        setenv("LOCPATH", m_dir.path().c_str(), 1);
        m_locpath = true;
        take("de_DE.UTF-8");
    }
    ~CommaLocale() {
        std::setlocale(LC_NUMERIC, m_saved.c_str());
        if (m_locpath) unsetenv("LOCPATH");
    }
    explicit operator bool() const { return m_comma; }

private:
    bool take(const char* name) {
        char text[16];
        m_comma = std::setlocale(LC_NUMERIC, name) &&
                  std::snprintf(text, sizeof text, "%.1f", 1.5) > 0 && std::string(text) == "1,5";
        return m_comma;
    }
    std::string m_saved;
    qvtest::TempDir m_dir;
    bool m_locpath = false, m_comma = false;
};

} // namespace

// Whatever the C locale, numbers read and written keep their point: a
// catalogue value, a capture's time, an IRP's 2.6 units, an analysis's IRP.
TEST(Numbers, KeepTheirPointInAnyLocale) {
    CommaLocale comma;
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma here";
    EXPECT_EQ(leadingNumber("12.5"), 12.5);
    EXPECT_EQ(leadingNumber("-0.25e1"), -2.5);
    EXPECT_EQ(doubleText(12.5), "12.5");
    EXPECT_EQ(singleText(8.680555f), "8.680555");
    EXPECT_EQ(fixedText(38.4, 1), "38.4");
    const irp::Rendered r =
        irp::render(irp::parse("{38.4k,289}<1,-2.6|1,-6.3>(F:2,1,-10m)[F:0..3]"), {{"F", 2}});
    EXPECT_NEAR(r.carrierHz, 38400, 1);
    EXPECT_EQ(r.press(), (std::vector<int64_t>{289, 751, 289, 1821, 289, 10000}));
    analysis::Press press;
    for (int k = 0; k < 4; ++k)
        for (int64_t t : {289, 1821, 289, 751})
            press.times.push_back(t);
    press.times.push_back(289);
    press.carrierHz = 38400;
    const std::string text = analysis::analyse({press}).irp;
    EXPECT_NE(text.find("{38.4k,289}<1,-2.6|1,-6.3>"), std::string::npos) << text;
}
