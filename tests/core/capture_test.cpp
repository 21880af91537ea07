// Capture files and receiver messages: the text kinds and Pronto, the
// message decoded into pairs and loaded into the capture record.
#include "app/capture_loader.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "test_support.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace qv;

namespace {

const float kClock = static_cast<float>(22.1184 / 12);

// A message of the given pairs (ticks), padded with zero bytes to n bytes.
std::vector<uint8_t> message(const std::vector<std::pair<unsigned, unsigned>>& pairs, size_t n,
                             uint8_t high = 16, uint8_t low = 32) {
    std::vector<uint8_t> m = {high, low};
    for (auto [osc, idle] : pairs)
        for (unsigned v : {osc, idle})
            m.insert(m.end(), {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)});
    m.resize(std::max(n, m.size()), 0);
    return m;
}

// The capture record's data cells from (1, 1), n of them.
std::vector<std::string> cells(const Session& s, size_t n) {
    std::vector<std::string> out;
    for (size_t i = 0; i < n; ++i)
        out.push_back(s.TTable.cell(static_cast<long>(i / 10) + 1, static_cast<long>(i % 10) + 1));
    return out;
}

struct Loaded {
    Session s;
    bool ok = false;
    explicit Loaded(const std::vector<uint8_t>& m, const char* frequencyShown = nullptr) {
        if (frequencyShown) s.code.Lblcarr_f = frequencyShown;
        ok = loadCapture(s, m, "test");
    }
};

const std::vector<int64_t> kNecTwoFrames = {9000, 4500,  562,  562,  562, 1688,
                                            562,  40000, 9000, 2250, 562};

} // namespace

TEST(CaptureFiles, KindFollowsTheFileName) {
    EXPECT_EQ(captureKindForPath("a/b.BIN"), CaptureFileKind::ReceiverMessage);
    EXPECT_EQ(captureKindForPath("x.raw"), CaptureFileKind::SignedRaw);
    EXPECT_EQ(captureKindForPath("x.mode2"), CaptureFileKind::Mode2);
    EXPECT_EQ(captureKindForPath("x.pronto"), CaptureFileKind::Pronto);
    EXPECT_EQ(captureKindForPath("dir.v2/file"), CaptureFileKind::TimeList);
}

TEST(CaptureFiles, EveryTextKindReadsBackToTheSameTimes) {
    Loaded l(messageFromTimes(kNecTwoFrames));
    const auto times = captureTimes(l.s.TTable);
    ASSERT_EQ(times, kNecTwoFrames);
    for (const auto& text : {writeTimeList(times), writeSignedRaw(times), writeMode2(times)})
        EXPECT_EQ(parseTimeList(text), times) << text;
    EXPECT_EQ(writeSignedRaw({9000, 4500, 562}), "+9000 -4500\n+562\n");
    EXPECT_EQ(writeMode2({9000, 4500}), "pulse 9000\nspace 4500\n");
    // A LIRC receiver's mode2: a long leading space, a timeout line at the end.
    const std::vector<int64_t> plain = parseTimeList("9000, 4500\n562 562\n562");
    EXPECT_EQ(parseTimeList("space 16777215\npulse 9000\nspace 4500\npulse 562\nspace 562\n"
                            "pulse 562\ntimeout 9\n"),
              plain);
    EXPECT_EQ(parseTimeList("+9000 -4500 +562 -300 -262 +562"), plain);
    EXPECT_EQ(parseTimeList("pulse 560\nspace 50000000\nspace 50000000\n"),
              (std::vector<int64_t>{560, 100000000}));
}

TEST(Pronto, ReadsOnceAndRepeatSequencesWithTheirCarrier) {
    const ProntoCode code = parsePronto("0000 006D 0001 0001 0156 00AB 0015 0E4E\n");
    EXPECT_NEAR(code.carrierPeriodUs, 26.296, 0.001);
    ASSERT_EQ(code.times.size(), 4u);
    EXPECT_EQ(code.times[0], 8993); // 0x156 = 342 cycles of 26.296 us
    EXPECT_EQ(code.times[1], 4497);
    const Carrier c = carrierForPeriod(code.carrierPeriodUs);
    EXPECT_EQ(c.highTicks + c.lowTicks, 48);
}

TEST(Pronto, CaptureToProntoAndBackKeepsEveryTimeWithinOneCarrierCycle) {
    Loaded l(messageFromTimes(kNecTwoFrames, {16, 32}));
    const auto times = captureTimes(l.s.TTable);
    const std::string pronto = writePronto(times, l.s.CarrierPeriod);
    EXPECT_EQ(pronto.substr(0, 20), "0000 006C 0004 0002 ");
    const ProntoCode back = parsePronto(pronto);
    // Frame 1 (four pairs) then the repeat frame, whose gap keeps the period.
    ASSERT_EQ(back.times.size(), 12u);
    for (size_t i = 0; i + 1 < times.size(); ++i)
        EXPECT_NEAR(back.times[i], times[i], back.carrierPeriodUs) << i;
    const int64_t period = 9000 + 4500 + 562 + 562 + 562 + 1688 + 562 + 40000;
    EXPECT_NEAR(back.times[11], period - 9000 - 2250 - 562, back.carrierPeriodUs * 8);
    Loaded again(messageFromTimes(back.times, carrierForPeriod(back.carrierPeriodUs)));
    EXPECT_EQ(writePronto(captureTimes(again.s.TTable), back.carrierPeriodUs), pronto);
    // The longest words: each long gap is sent as no more overflows than the loader reads.
    std::string longest = "0000 FFFF 0000 01F4";
    for (int i = 0; i < 1000; ++i)
        longest += " FFFF";
    const auto huge = messageFromTimes(parsePronto(longest).times);
    EXPECT_LT(huge.size(), 100u);
    EXPECT_EQ(cells(Loaded(huge).s, 3), (std::vector<std::string>{"35554", "248885", ""}));
}

TEST(CaptureLoading, NineBytesAreDroppedAndOnlyCounted) {
    Session s;
    s.TTable.setCell(1, 1, "777");
    s.setTimers(false, false);
    EXPECT_FALSE(loadCapture(s, std::vector<uint8_t>(9, 1), "test"));
    EXPECT_EQ(s.LblRGtime, "9");
    EXPECT_EQ(s.TTable.cell(1, 1), "777");
    EXPECT_TRUE(s.Timer2); // the idle timer polls again
    EXPECT_TRUE(s.code.Lblcarr_h.empty());
    EXPECT_TRUE(loadCapture(s, message({{1000, 2000}}, 10), "test"));
    EXPECT_EQ(s.LblRGtime, "10");
}

TEST(CaptureLoading, CarrierFiguresOfTheFirstTwoBytes) {
    Loaded l(message({{570, 0}}, 40));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.s.code.Lblcarr_h, "8.68055");
    EXPECT_EQ(l.s.code.Lblcarr_wid, "26.0416");
    EXPECT_EQ(l.s.code.Lblcarr_f, "38.4000");
    EXPECT_FLOAT_EQ(l.s.CarrierPeriod, 26.0416f);
    // A zero carrier keeps the frequency shown before.
    Loaded zero(message({{570, 1000}}, 40, 0, 0), "38.4000");
    EXPECT_EQ(zero.s.code.Lblcarr_f, "38.4000");
    EXPECT_EQ(zero.s.code.Lblcarr_wid, "0");
    EXPECT_EQ(zero.s.CarrierPeriod, 0);
}

TEST(PairDecoding, OverflowUnitsHalfTheMessageAndWrapping) {
    auto t = decodePairs(message({{0x023A, 0}}, 14), kClock);
    EXPECT_EQ(t[0][0], 309);
    EXPECT_EQ(t[0][1], 35555); // an idle of zero ticks is an overflow unit
    // m = 48: pairs start at offsets 2, 6, ..., 42, that is 11 pairs.
    t = decodePairs(message(std::vector<std::pair<unsigned, unsigned>>(24, {1000, 2000}), 100),
                    kClock);
    int decoded = 0;
    for (const auto& row : t)
        for (int c = 0; c < kDataCols; c += 2)
            decoded += row[c] != 0;
    EXPECT_EQ(decoded, 11);
    EXPECT_EQ(t[2][0], 543);
    EXPECT_EQ(t[2][1], 1085);
    std::vector<std::pair<unsigned, unsigned>> pairs;
    for (unsigned k = 0; k < 330; ++k)
        pairs.push_back({k < 320 ? 1000u : 2000u, 3000});
    t = decodePairs(message(pairs, 2 + 4 * 330 * 2 + 8), kClock);
    EXPECT_EQ(t[0][0], 1085); // pair 321 overwrote pair 1
    EXPECT_EQ(t[1][8], 1085); // pair 330 overwrote pair 10
    EXPECT_EQ(t[2][0], 543);  // pair 11 stays
    EXPECT_EQ(t[63][8], 543); // pair 320
}

struct LoadCase {
    const char* name;
    std::vector<uint8_t> message;
    std::vector<std::string> cells; // the capture record from (1, 1)
};

// A time sent as 65535 ticks loads as 35555 us, which the loader takes for
// a timer overflow: it added the next burst to the gap. A gap of whole
// overflow units had no closing pair and lost the next burst the same way.
TEST(TimeTableLoading, EveryTimeArrivesAndNoBurstIsSwallowed) {
    std::vector<std::pair<unsigned, unsigned>> seven = {{1000, 2000}, {1000, 0}};
    seven.insert(seven.end(), 6, {0, 0});
    seven.push_back({3000, 3000}); // after the end: not loaded
    const LoadCase cases[] = {
        {"OverflowUnitsAndRemainderSumIntoOneIdleCell",
         message({{1000, 0}, {0, 0}, {0, 1000}, {2000, 3000}}, 80),
         {"543", "71653", "1085", "1628"}},
        {"SevenOverflowUnitsEndTheSignal",
         message(seven, 2 + 4 * seven.size() * 2 + 8),
         {"543", "1085", "543", "248885", ""}},
        {"WithoutClosingOverflowsTheZerosCollectInOneCell",
         message({{1000, 2000}}, 22),
         {"543", "1085", "0", ""}},
        {"TwoFrames",
         messageFromTimes(kNecTwoFrames),
         {"9000", "4500", "562", "562", "562", "1688", "562", "40000", "9000", "2250", "562",
          "248885", ""}},
        {"GapOfOneOverflowUnit",
         messageFromTimes({560, 35555, 560, 560, 560}),
         {"560", "35556", "560", "560", "560", "248885", ""}},
        {"GapOfTwoOverflowUnits",
         messageFromTimes({560, 71110, 600, 560, 560}),
         {"560", "71111", "600", "560", "560", "248885", ""}},
        {"BurstOfAnOverflowUnit",
         messageFromTimes({35555, 560, 560}),
         {"35554", "560", "560", "248885", ""}},
        {"GapJustOverAnOverflowUnit",
         messageFromTimes({560, 35556, 560}),
         {"560", "35556", "560", "248885", ""}},
        {"GapJustUnderAnOverflowUnit",
         messageFromTimes({560, 35554, 560}),
         {"560", "35554", "560", "248885", ""}},
    };
    for (const auto& c : cases) {
        Session s;
        s.TTable.setCell(20, 3, "stale");
        s.TTable.setCell(64, 5, "kept");
        ASSERT_TRUE(loadCapture(s, c.message, "test")) << c.name;
        EXPECT_EQ(cells(s, c.cells.size()), c.cells) << c.name;
        EXPECT_EQ(s.TTable.cell(20, 3), "") << c.name;
        EXPECT_EQ(s.TTable.cell(64, 5), "kept") << c.name; // row 64 is not cleared
    }
}

TEST(CommandLine, LoadJsonShowsTheCarrierLabels) {
    qvtest::TempDir dir;
    const std::string bin = dir.file("capture.bin");
    auto load = [&](const std::vector<uint8_t>& m) {
        std::ofstream(bin, std::ios::binary)
            .write(reinterpret_cast<const char*>(m.data()), static_cast<std::streamsize>(m.size()));
        const auto r = qvtest::run(std::string(QV_CLI) + " load --json '" + bin + "'");
        EXPECT_EQ(r.status, 0) << r.out;
        return r.out;
    };
    std::string out = load(message({{0x023A, 0}, {0, 0}, {0, 1000}}, 60));
    EXPECT_NE(out.find("\"bytes\": 60"), std::string::npos) << out;
    EXPECT_NE(out.find("\"carrier_high\": \"8.68055\", \"carrier_period\": \"26.0416\", "
                       "\"carrier_frequency\": \"38.4000\""),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("[\"309\", \"71653\", \"0\", \"\""), std::string::npos) << out;
    // A dropped capture, or one without a carrier period, shows the single
    // blank of the start-up, not "".
    out = load({16, 32, 1, 2});
    EXPECT_NE(out.find("\"carrier_high\": \" \", \"carrier_period\": \" \", "
                       "\"carrier_frequency\": \" \""),
              std::string::npos)
        << out;
    out = load(message({{0x023A, 0}, {0, 0}, {0, 1000}}, 60, 0, 0));
    EXPECT_NE(out.find("\"carrier_frequency\": \" \""), std::string::npos) << out;
}
