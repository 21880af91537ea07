// Capture files and receiver messages: the text kinds and Pronto, the
// message decoded into pairs and loaded into the capture record.
#include "app/capture_loader.h"
#include "app/capture_tick.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

using namespace qv;

namespace {

// The times a message leaves in the capture record.
std::vector<int64_t> loaded(const std::vector<uint8_t>& message) {
    Session s;
    EXPECT_TRUE(loadCapture(s, message, "test"));
    return captureTimes(s.TTable);
}

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
    const auto times = loaded(messageFromTimes(kNecTwoFrames));
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
    const auto times = loaded(messageFromTimes(kNecTwoFrames, {16, 32}));
    const std::string pronto = writePronto(
        times, carrierFigures(16, 32, kReceiverTicksPerUsSingle).period, engine::kDefaultFrameGap);
    EXPECT_EQ(pronto.substr(0, 20), "0000 006C 0004 0002 ");
    const ProntoCode back = parsePronto(pronto);
    // Frame 1 (four pairs) then the repeat frame, whose gap keeps the period.
    ASSERT_EQ(back.times.size(), 12u);
    for (size_t i = 0; i + 1 < times.size(); ++i)
        EXPECT_NEAR(back.times[i], times[i], back.carrierPeriodUs) << i;
    const int64_t period = 9000 + 4500 + 562 + 562 + 562 + 1688 + 562 + 40000;
    EXPECT_NEAR(back.times[11], period - 9000 - 2250 - 562, back.carrierPeriodUs * 8);
    EXPECT_EQ(
        writePronto(loaded(messageFromTimes(back.times, carrierForPeriod(back.carrierPeriodUs))),
                    back.carrierPeriodUs, engine::kDefaultFrameGap),
        pronto);
}

// The loading cases are data: tests/data/engine/cli/load-*. Here only what
// a fresh program cannot show: a capture replaces the one before but row 64.
TEST(CaptureLoading, ReplacesThePreviousCaptureButRow64) {
    Session s;
    s.TTable.setCell(20, 3, "stale");
    s.TTable.setCell(64, 5, "kept");
    ASSERT_TRUE(loadCapture(s, messageFromTimes(kNecTwoFrames), "test"));
    EXPECT_EQ(captureTimes(s.TTable), kNecTwoFrames);
    EXPECT_EQ(s.TTable.cell(20, 3), "");
    EXPECT_EQ(s.TTable.cell(64, 5), "kept");
}

// A capture longer than the record is kept whole: the record shows its
// first times as before, the capture value, the press log (what the
// analysis reads) and a converted file every time.
TEST(CaptureValue, KeepsEveryTimePastTheRecord) {
    struct Case {
        const char* name;
        size_t count; // times written, burst first
        bool message; // a receiver message (.bin) rather than a time list
    };
    const Case cases[] = {
        {"a time list of 5,000", 5000, false},
        {"a short time list", 11, false},
        {"a receiver message of 5,000", 5000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int64_t> times;
        for (size_t i = 0; i < c.count; ++i)
            times.push_back(i % 2 == 0       ? 400 + int64_t(i * 37 % 600)
                            : i % 200 == 199 ? 40000
                                             : 500 + int64_t(i * 53 % 1700));
        std::vector<int64_t> expected = times;
        if (expected.size() % 2 == 0) expected.pop_back(); // the last gap is not received

        qvtest::StartedSession t;
        const std::string in = t.dir.file(c.message ? "long.bin" : "long.txt");
        {
            std::ofstream f(in, std::ios::binary);
            if (c.message) {
                const auto m = messageFromTimes(times);
                f.write(reinterpret_cast<const char*>(m.data()), std::streamsize(m.size()));
            } else {
                f << writeTimeList(times);
            }
        }
        const CaptureFile file = readCapture(in);
        ASSERT_TRUE(captureTick(t.s, captureOf(file, {CaptureSource::Kind::File, "long", {}})));
        EXPECT_EQ(t.s.last.capture.times, expected);
        ASSERT_FALSE(t.s.pressLog.empty());
        EXPECT_EQ(t.s.pressLog.back().capture.times, expected);

        const std::vector<int64_t> record = captureTimes(t.s.TTable);
        if (!c.message) { // the record holds the head, as much as fits it
            ASSERT_LE(record.size(), expected.size());
            EXPECT_TRUE(std::equal(record.begin(), record.end(), expected.begin()));
            if (c.count < 600)
                EXPECT_EQ(record, expected);
            else
                EXPECT_GE(record.size(), 600u);
        }

        const std::string out = t.dir.file("out.txt");
        const auto r = qvtest::run(std::string(QV_CLI) + " convert --force " + in + " " + out);
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(parseTimeList(qvtest::fileText(out)), expected);
    }
}
