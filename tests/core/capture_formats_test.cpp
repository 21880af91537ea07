#include "app/capture_loader.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "test_support.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace qv;

namespace {

// Loads a receiver message and returns the capture record's times.
std::vector<int64_t> loadTimes(const std::vector<uint8_t>& message, Session* keep = nullptr) {
    Session local;
    Session& s = keep ? *keep : local;
    MemoryPort port;
    s.port = &port;
    port.receive(message);
    EXPECT_TRUE(loadCapture(s));
    s.port = nullptr;
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
    EXPECT_EQ(captureKindForPath("x.txt"), CaptureFileKind::TimeList);
    EXPECT_EQ(captureKindForPath("dir.v2/file"), CaptureFileKind::TimeList);
}

TEST(CaptureFiles, TextWritersReadBackToTheSameTimes) {
    const auto times = loadTimes(messageFromTimes(kNecTwoFrames));
    ASSERT_EQ(times.size(), kNecTwoFrames.size());
    for (const auto& text : {writeTimeList(times), writeSignedRaw(times), writeMode2(times)}) {
        EXPECT_EQ(parseTimeList(text), times) << text;
        EXPECT_EQ(loadTimes(messageFromTimes(parseTimeList(text))), times);
    }
    EXPECT_EQ(writeSignedRaw({9000, 4500, 562}), "+9000 -4500\n+562\n");
    EXPECT_EQ(writeMode2({9000, 4500}), "pulse 9000\nspace 4500\n");
}

TEST(CaptureFiles, Mode2AsLircWritesItIsRead) {
    // What a LIRC receiver prints: a long leading space, then pulses and
    // spaces, and a timeout line at the end.
    const std::string lirc =
        "space 16777215\npulse 9024\nspace 4473\npulse 597\nspace 535\npulse 597\n"
        "space 1650\npulse 597\ntimeout 132111\n";
    EXPECT_EQ(parseTimeList(lirc), (std::vector<int64_t>{9024, 4473, 597, 535, 597, 1650, 597}));
}

TEST(CaptureFiles, ReceiverMessageSavedAndReopenedLoadsTheSameRecord) {
    qvtest::TempDir dir;
    Session first;
    loadTimes(messageFromTimes(kNecTwoFrames), &first);
    const std::string path = dir.file("saved.bin");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(first.RxBytes.data()),
               static_cast<long>(first.RxBytes.size()));
    Session second;
    loadTimes(readCaptureFile(path), &second);
    for (int r = 0; r <= kDataRows; ++r)
        for (int c = 0; c <= kDataCols; ++c)
            ASSERT_EQ(first.TTable.cell(r, c), second.TTable.cell(r, c));
    EXPECT_EQ(first.code.Lblcarr_wid, second.code.Lblcarr_wid);
}

TEST(Pronto, ReadsOnceAndRepeatSequencesWithTheirCarrier) {
    // 38 kHz (word 006D), one once pair and one repeat pair.
    const ProntoCode code = parsePronto("0000 006D 0001 0001 0156 00AB 0015 0E4E\n");
    EXPECT_NEAR(code.carrierPeriodUs, 26.296, 0.001);
    ASSERT_EQ(code.times.size(), 4u);
    EXPECT_EQ(code.times[0], 8993); // 0x156 = 342 cycles of 26.296 us
    EXPECT_EQ(code.times[1], 4497);
    const Carrier c = carrierForPeriod(code.carrierPeriodUs);
    EXPECT_EQ(c.highTicks + c.lowTicks, 48);
}

TEST(Pronto, CaptureToProntoAndBackKeepsEveryTimeWithinOneCarrierCycle) {
    Session s;
    const auto times = loadTimes(messageFromTimes(kNecTwoFrames, {16, 32}), &s);
    const std::string pronto = writePronto(times, s.CarrierPeriod);
    EXPECT_EQ(pronto.substr(0, 20), "0000 006C 0004 0002 ");
    const ProntoCode back = parsePronto(pronto);
    // Frame 1 (four pairs) then the repeat frame, whose gap keeps the period.
    ASSERT_EQ(back.times.size(), 12u);
    for (size_t i = 0; i + 1 < times.size(); ++i)
        EXPECT_NEAR(back.times[i], times[i], back.carrierPeriodUs) << i;
    const int64_t period = 9000 + 4500 + 562 + 562 + 562 + 1688 + 562 + 40000;
    // Worked out in whole cycles: each of the frame's words may add half a cycle.
    EXPECT_NEAR(back.times[11], period - 9000 - 2250 - 562, back.carrierPeriodUs * 8);
    // And Pronto -> capture -> Pronto gives the same words.
    const auto again =
        loadTimes(messageFromTimes(back.times, carrierForPeriod(back.carrierPeriodUs)), &s);
    EXPECT_EQ(writePronto(again, back.carrierPeriodUs), pronto);
}

struct BadPronto {
    const char* text;
    const char* expected;
};
class ProntoErrors : public ::testing::TestWithParam<BadPronto> {};

TEST_P(ProntoErrors, SayWhatWasExpected) {
    try {
        parsePronto(GetParam().text);
        FAIL() << "accepted " << GetParam().text;
    } catch (const CaptureFormatError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().expected), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProntoErrors,
    ::testing::Values(BadPronto{"0000 006D 0001", "expected a Pronto header of four words"},
                      BadPronto{"0100 006D 0000 0001 0010 0010", "expected a learned Pronto code"},
                      BadPronto{"0000 006D 0002 0000 0010 0010",
                                "expected 4 burst and gap words after the header, found 2"},
                      BadPronto{"0000 006D\n0001 0000 0010 00G0", "line 2: expected a Pronto word"},
                      BadPronto{"0000 0000 0001 0000 0010 0010", "carrier frequency word"}),
    [](const auto& info) { return "n" + std::to_string(info.index); });
