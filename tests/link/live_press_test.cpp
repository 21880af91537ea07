// Presses from receivers that demodulate: mode2 words and dump text read
// in pieces of any size, and a LIRC device played by a FIFO (which refuses
// every ioctl, as a device without the features would).
#include "link/live_device.h"
#include "link/live_port.h"
#include "tests/temp_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include <gtest/gtest.h>

using namespace qv;

namespace {

constexpr uint32_t P = 0x01000000, S = 0, F = 0x02000000, T = 0x03000000, O = 0x04000000;

std::vector<uint8_t> bytesOf(const std::vector<uint32_t>& words) {
    std::vector<uint8_t> out(words.size() * 4);
    std::memcpy(out.data(), words.data(), out.size());
    return out;
}

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// What a reader gave for the input in pieces of `piece` bytes, then idle.
struct Read {
    std::vector<std::vector<int64_t>> times;
    std::vector<uint32_t> carriers;
    size_t errors = 0, log = 0;
    bool operator==(const Read&) const = default;
};
Read readAll(PressReader& r, const std::vector<uint8_t>& in, size_t piece, bool idle = true) {
    LiveEvents all;
    for (size_t i = 0; i < in.size(); i += piece)
        all.append(r.take(std::span(in).subspan(i, std::min(piece, in.size() - i))));
    if (idle) all.append(r.idle());
    Read out;
    for (const auto& p : all.presses) {
        out.times.push_back(p.times);
        out.carriers.push_back(p.carrierHz);
        out.errors += p.errors.size();
    }
    out.log = all.log.size();
    return out;
}

} // namespace

TEST(Mode2Reader, WordsBecomePressesWhateverPiecesTheyArriveIn) {
    const std::vector<int64_t> nec = {9000, 4500, 560};
    const struct {
        const char* name;
        std::vector<uint32_t> words;
        bool idle;
        Read expected;
    } rows[] = {
        {"TimeoutEndsAPressAndTheFrequencyIsItsCarrier",
         {F | 38000, P | 9000, S | 4500, P | 560, S | 30000, T | 100000},
         false,
         {{nec}, {38000}, 0, 0}},
        {"AGapLongerThanThePressGapEndsOne",
         {P | 560, S | 100001, P | 600, S | 99999, P | 700, T},
         false,
         {{{560}, {600, 99999, 700}}, {0, 0}, 0, 0}},
        {"LeadingGapDroppedNeighboursOfAKindSummed",
         {S | 0xFFFFFF, P | 500, P | 60, S | 100, S | 20, P | 500, T},
         false,
         {{{560, 120, 500}}, {0}, 0, 0}},
        {"OverflowKeepsWhatCameAndSaysSo",
         {P | 9000, S | 4500, P | 560, S | 560, O, P | 1, T},
         false,
         {{nec, {1}}, {0, 0}, 1, 0}},
        {"OverflowBetweenPressesIsLogged", {O, P | 560, T}, false, {{{560}}, {0}, 0, 1}},
        {"AnUnknownWordIsLogged", {0x07000001, P | 560, T}, false, {{{560}}, {0}, 0, 1}},
        {"NoTimeoutWordThePressEndsWhenIdle",
         {P | 9000, S | 4500, P | 560},
         true,
         {{nec}, {0}, 0, 0}},
        {"SpacesAloneAreNoPress", {S | 5000, T, S | 100}, true, {}},
    };
    for (const auto& row : rows)
        for (size_t piece : {1u, 3u, 4u, 7u, 1000u}) {
            Mode2Reader reader("LIRC test");
            EXPECT_EQ(readAll(reader, bytesOf(row.words), piece, row.idle), row.expected)
                << row.name << " in pieces of " << piece;
        }
}

TEST(TextPressReader, EveryFormADumpPrintsIsReadAndOtherTextIsLogged) {
    const std::vector<int64_t> nec = {9000, 4500, 560};
    const struct {
        const char* name;
        std::string text;
        Read expected;
    } rows[] = {
        {"RawDataArray",
         "uint16_t rawData[4] = {9000, 4500, 560, 40000};  // NEC\r\n",
         {{nec}, {0}}},
        {"SignedList", "+9000 -4500 +560 -40000\n", {{nec}, {0}}},
        {"SignedListWithTheIdleBefore", "-3276750 +9000,-4500 +560\n", {{nec}, {0}}},
        {"Mode2BlockEndedByABlankLine", "pulse 9000\nspace 4500\npulse 560\n\n", {{nec}, {0}}},
        {"Mode2BlockEndedByATimeoutLine",
         "pulse 9000\nspace 4500\npulse 560\ntimeout 100\n",
         {{nec}, {0}}},
        {"Mode2BlockEndedByIdle", "pulse 9000\nspace 4500\npulse 560", {{nec}, {0}}},
        {"Pronto", "0000 006D 0002 0000 0156 00AB 0015 05E8\n", {{{8993, 4496, 552}}, {38029}}},
        {"TwoPressesAndTheLinesAroundThem",
         "Protocol=NEC Address=0x0\n+9000 -4500 +560\nrawData[3] = {9000, 4500, 560};\nbye\n",
         {{nec, nec}, {0, 0}, 0, 2}},
        {"ARawDataArrayWithAWordThatIsNoNumber", "rawData[3] = {9000, x, 560};\n", {{}, {}, 0, 1}},
        {"AMode2BlockWithAnAbsurdTime", "pulse 9000\nspace 99999999999\n\n", {{}, {}, 0, 1}},
    };
    for (const auto& row : rows)
        for (size_t piece : {1u, 5u, 1000u}) {
            TextPressReader reader("text test");
            Read got = readAll(reader, bytesOf(row.text), piece);
            if (std::string(row.name) == "Pronto" && got.times.size() == 1) {
                // Pronto times are carrier periods: within a period of the code.
                ASSERT_EQ(got.times[0].size(), 3u);
                for (size_t i = 0; i < 3; ++i)
                    EXPECT_NEAR(double(got.times[0][i]), double(row.expected.times[0][i]), 27);
                EXPECT_NEAR(got.carriers[0], row.expected.carriers[0], 100);
                continue;
            }
            EXPECT_EQ(got, row.expected) << row.name << " in pieces of " << piece;
        }
}

TEST(SendWords, AnOddCountBurstFirstAndNoZero) {
    EXPECT_EQ(sendWords({9000, 4500, 560, 40000}), (std::vector<uint32_t>{9000, 4500, 560}));
    EXPECT_EQ(sendWords({9000, 0, 560}), (std::vector<uint32_t>{9000, 1, 560}));
    EXPECT_TRUE(sendWords({}).empty());
}

// A FIFO stands for the device: it refuses every ioctl, gives what is
// written to it, and its writer closing is the device going away.
TEST(LiveDevice, AFifoThatRefusesEveryIoctlIsReadAndItsLossLosesNothing) {
    qvtest::TempDir dir;
    const std::string fifo = dir.file("lirc0");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);

    LivePort port;
    port.aimAtLirc(fifo);
    ASSERT_TRUE(port.open(17)) << port.openFailure();
    EXPECT_TRUE(port.demodulates());
    const auto notes = port.pump();
    EXPECT_EQ(notes.size(), 4u); // features, mode, timeout, carrier: each refused, said once
    for (const auto& n : notes)
        EXPECT_NE(n.find("refused"), std::string::npos) << n;
    EXPECT_NE(port.sendRefusal().find("nothing was sent"), std::string::npos);

    auto put = [&](const std::vector<uint32_t>& words) {
        const auto b = bytesOf(words);
        ASSERT_EQ(::write(writer, b.data(), b.size()), ssize_t(b.size()));
    };
    put({F | 36000, P | 9000, S | 4500, P | 560, T});
    put({P | 2400, S | 600}); // then the device goes away mid-press
    ::close(writer);
    EXPECT_TRUE(port.pump(1000).empty());
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.lost(), "LIRC " + fifo + " went away (its sender closed it)");
    const auto first = port.read(port.bytesWaiting());
    EXPECT_EQ(first, liveMessage({{9000, 4500, 560}, 36000, {}}));
    EXPECT_TRUE(port.takeReport().empty());
    EXPECT_EQ(port.read(port.bytesWaiting()), liveMessage({{2400}, 0, {}}));
    EXPECT_EQ(port.takeReport(), std::vector<std::string>{
                                     "LIRC " + fifo + ": the device went away during this press"});
    EXPECT_EQ(port.bytesWaiting(), 0u);
}

TEST(LiveDevice, WhatCannotBeOpenedSaysWhy) {
    std::string why;
    EXPECT_EQ(LiveDevice::openLirc("/nonexistent/lirc9", why), nullptr);
    EXPECT_EQ(why, "LIRC /nonexistent/lirc9: No such file or directory");
    EXPECT_EQ(LiveDevice::openText("/dev/null", 12345, why), nullptr);
    EXPECT_EQ(why, "/dev/null (text): 12345 is no baud rate this port can take");
}
