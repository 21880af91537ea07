#include "app/capture_loader.h"
#include "app/capture_text.h"
#include "test_support.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

using namespace qv;

namespace {

struct Loaded {
    Session s;
    MemoryPort port;
    bool ok = false;
    explicit Loaded(const std::vector<uint8_t>& message) {
        s.port = &port;
        port.open(1);
        port.receive(message);
        ok = loadCapture(s);
    }
};

// A message of the given pairs (ticks), padded with zero bytes to n bytes.
std::vector<uint8_t> message(const std::vector<std::pair<unsigned, unsigned>>& pairs, size_t n,
                             uint8_t high = 16, uint8_t low = 32) {
    std::vector<uint8_t> m = {high, low};
    for (auto [osc, idle] : pairs) {
        m.push_back(static_cast<uint8_t>(osc >> 8));
        m.push_back(static_cast<uint8_t>(osc));
        m.push_back(static_cast<uint8_t>(idle >> 8));
        m.push_back(static_cast<uint8_t>(idle));
    }
    m.resize(std::max(n, m.size()), 0);
    return m;
}

std::vector<std::string> dataCells(const Session& s) {
    std::vector<std::string> out;
    for (int r = 1; r <= kDataRows; ++r)
        for (int c = 1; c <= kDataCols; ++c)
            out.push_back(s.TTable.cell(r, c));
    return out;
}

} // namespace

TEST(CaptureLoading, NineBytesOnlyShowTheCount) {
    Session s;
    MemoryPort port;
    s.port = &port;
    s.TTable.setCell(1, 1, "777");
    s.setTimers(false, false);
    port.receive(std::vector<uint8_t>(9, 1));
    EXPECT_FALSE(loadCapture(s));
    EXPECT_EQ(s.LblRGtime, "9");
    EXPECT_EQ(s.TTable.cell(1, 1), "777");
    EXPECT_TRUE(s.Timer2); // the idle timer polls again
    EXPECT_TRUE(s.code.Lblcarr_h.empty());
}

TEST(CaptureLoading, CarrierFiguresOfSixteenAndThirtyTwoTicks) {
    Loaded l(message({{570, 0}}, 40));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.s.code.Lblcarr_h, "8.68055");
    EXPECT_EQ(l.s.code.Lblcarr_wid, "26.0416");
    EXPECT_EQ(l.s.code.Lblcarr_f, "38.4000");
    EXPECT_FLOAT_EQ(l.s.CarrierPeriod, 26.0416f);
}

TEST(CaptureLoading, ZeroCarrierKeepsTheFrequencyText) {
    Session s;
    MemoryPort port;
    s.port = &port;
    s.code.Lblcarr_f = "38.4000";
    port.receive(message({{570, 1000}}, 40, 0, 0));
    ASSERT_TRUE(loadCapture(s));
    EXPECT_EQ(s.code.Lblcarr_f, "38.4000");
    EXPECT_EQ(s.code.Lblcarr_wid, "0");
}

TEST(PairDecoding, IdleOfZeroTicksIsAnOverflowUnit) {
    const auto t = decodePairs(message({{0x023A, 0}}, 14), static_cast<float>(22.1184 / 12));
    EXPECT_EQ(t[0][0], 309);
    EXPECT_EQ(t[0][1], 35555);
}

TEST(PairDecoding, OnlyTheFirstHalfOfTheMessageIsDecoded) {
    std::vector<std::pair<unsigned, unsigned>> pairs(24, {1000, 2000}); // 98 bytes of pairs
    const auto t = decodePairs(message(pairs, 100), static_cast<float>(22.1184 / 12));
    // m = 48: pairs start at offsets 2, 6, ..., 42, that is 11 pairs.
    int decoded = 0;
    for (const auto& row : t)
        for (int c = 0; c < kDataCols; c += 2)
            decoded += row[c] != 0;
    EXPECT_EQ(decoded, 11);
    EXPECT_EQ(t[2][0], 543); // the 11th pair
    EXPECT_EQ(t[2][2], 0);
}

TEST(PairDecoding, MoreThan320PairsWrapOverTheFirstRows) {
    std::vector<std::pair<unsigned, unsigned>> pairs;
    for (unsigned k = 0; k < 330; ++k)
        pairs.push_back({k < 320 ? 1000u : 2000u, 3000});
    const auto t =
        decodePairs(message(pairs, 2 + 4 * 330 * 2 + 8), static_cast<float>(22.1184 / 12));
    EXPECT_EQ(t[0][0], 1085); // pair 321 overwrote pair 1
    EXPECT_EQ(t[1][8], 1085); // pair 330 overwrote pair 10
    EXPECT_EQ(t[2][0], 543);  // pair 11 stays
}

TEST(TimeTableLoading, OverflowUnitsAndRemainderSumIntoOneIdleCell) {
    // Osc 1000 ticks, Idle 0; overflow pair (0, 0); pair (0, 1000 ticks); then a burst.
    Loaded l(message({{1000, 0}, {0, 0}, {0, 1000}, {2000, 3000}}, 80));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.s.TTable.cell(1, 1), "543");
    EXPECT_EQ(l.s.TTable.cell(1, 2), "71653");
    EXPECT_EQ(l.s.TTable.cell(1, 3), "1085");
    EXPECT_EQ(l.s.TTable.cell(1, 4), "1628");
}

TEST(TimeTableLoading, SevenOverflowUnitsEndTheSignal) {
    std::vector<std::pair<unsigned, unsigned>> pairs = {{1000, 2000}, {1000, 0}};
    for (int i = 0; i < 6; ++i)
        pairs.push_back({0, 0});
    pairs.push_back({3000, 3000}); // after the end: not loaded
    Session s;
    MemoryPort port;
    s.port = &port;
    s.TTable.setCell(64, 5, "kept");
    s.TTable.setCell(20, 3, "stale");
    port.receive(message(pairs, 2 + 4 * pairs.size() * 2 + 8));
    ASSERT_TRUE(loadCapture(s));
    EXPECT_EQ(s.TTable.cell(1, 3), "543");
    EXPECT_EQ(s.TTable.cell(1, 4), "248885");
    const auto cells = dataCells(s);
    for (size_t i = 4; i < 63 * 10; ++i)
        EXPECT_EQ(cells[i], "") << "cell " << i;
    EXPECT_EQ(s.TTable.cell(64, 5), "kept"); // row 64 is not cleared
}

TEST(TimeTableLoading, MessageWithoutClosingOverflowsEndsWhereTheDataEnds) {
    Loaded l(message({{1000, 2000}}, 22));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.s.TTable.cell(1, 1), "543");
    EXPECT_EQ(l.s.TTable.cell(1, 2), "1085");
    // The zeros after the data collect in one cell that holds no time.
    EXPECT_EQ(l.s.TTable.cell(1, 3), "0");
    EXPECT_EQ(l.s.TTable.cell(1, 4), "");
}

TEST(TextCaptures, RoundTripThroughTheReceiverMessage) {
    const std::vector<int64_t> times = {9000, 4500,  562,  562,  562, 1688,
                                        562,  40000, 9000, 2250, 562};
    Loaded l(messageFromTimes(times));
    ASSERT_TRUE(l.ok);
    std::vector<std::string> expected = {"9000", "4500",  "562",  "562",  "562", "1688",
                                         "562",  "40000", "9000", "2250", "562", "248885"};
    const auto cells = dataCells(l.s);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(cells[i], expected[i]) << "cell " << i;
    EXPECT_EQ(cells[expected.size()], "");
}

struct BadText {
    const char* text;
    const char* expected;
};
class TextCaptureErrors : public ::testing::TestWithParam<BadText> {};

TEST_P(TextCaptureErrors, NameTheLineAndWhatWasExpected) {
    try {
        parseTimeList(GetParam().text);
        FAIL() << "accepted " << GetParam().text;
    } catch (const CaptureFormatError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().expected), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextCaptureErrors,
    ::testing::Values(BadText{"9000 4500\n562 abc\n", "line 2: expected a time in microseconds"},
                      BadText{"pulse\n", "line 1: expected a time after \"pulse\""},
                      BadText{"pulse 9000\nspace -3\n", "line 2: time out of range: -3"},
                      BadText{"# only a comment\n", "no times found"},
                      BadText{"", "no times found"}),
    [](const auto& info) { return qvtest::caseName(info.index, info.param.text); });

TEST(TextCaptures, Mode2AndSignedFormsReadTheSameTimes) {
    const std::vector<int64_t> plain = parseTimeList("9000, 4500\n562 562\n562");
    EXPECT_EQ(
        parseTimeList(
            "space 100000\npulse 9000\nspace 4500\npulse 562\nspace 562\npulse 562\ntimeout 9\n"),
        plain);
    EXPECT_EQ(parseTimeList("+9000 -4500 +562 -300 -262 +562"), plain);
}

TEST(CommandLine, LoadJsonReproducesTheCarrierFigures) {
    qvtest::TempDir dir;
    const std::string bin = dir.file("capture.bin");
    auto load = [&](const std::vector<uint8_t>& m) {
        std::ofstream(bin, std::ios::binary)
            .write(reinterpret_cast<const char*>(m.data()), static_cast<std::streamsize>(m.size()));
        std::string cmd = std::string(QV_CLI) + " load --json '" + bin + "'";
        FILE* p = popen(cmd.c_str(), "r");
        std::string out;
        char buf[4096];
        size_t n;
        while (p && (n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        EXPECT_TRUE(p && pclose(p) == 0);
        return out;
    };
    std::string out = load(message({{0x023A, 0}, {0, 0}, {0, 1000}}, 60));
    EXPECT_NE(out.find("\"bytes\": 60"), std::string::npos) << out;
    EXPECT_NE(out.find("\"carrier_high\": \"8.68055\""), std::string::npos);
    EXPECT_NE(out.find("\"carrier_period\": \"26.0416\""), std::string::npos);
    EXPECT_NE(out.find("\"carrier_frequency\": \"38.4000\""), std::string::npos);
    EXPECT_NE(out.find("[\"309\", \"71653\", \"0\", \"\""), std::string::npos) << out;

    // Regression: a dropped capture, or one without a carrier period, left
    // the labels "" instead of the single blank start-up sets.
    out = load({16, 32, 1, 2});
    EXPECT_NE(out.find("\"carrier_high\": \" \", \"carrier_period\": \" \", "
                       "\"carrier_frequency\": \" \""),
              std::string::npos)
        << out;
    out = load(message({{0x023A, 0}, {0, 0}, {0, 1000}}, 60, 0, 0));
    EXPECT_NE(out.find("\"carrier_frequency\": \" \""), std::string::npos) << out;
}
