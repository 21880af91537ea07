// The generic formats learn their head and bit times from the capture in
// hand and decode it with them, starting from the shipped rows.
#include "decoder.h"
#include "ir_protocols.h"
#include "protocol_cases.h"

#include "app/session.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using lines::data;

std::string field(qv::Session& s, const char* name) {
    return s.CurFormat->field(name).toText();
}

TEST(GenericIB, LearnsAnNecFrameOnTheFirstCapture) {
    const auto capture = irsig::render(irproto::nec1(0x00, 0xFF, 0x12, 2), 0, 1);
    std::map<std::string, std::string> learned;
    const auto d = qvproto::decode("IB", capture.times, 3, [&](qv::Session& s) {
        for (const char* f :
             {"stru", "H_Osc", "H_Idle", "Zero_Osc", "zero_Idle", "One_Idle", "b_end"})
            learned[f] = field(s, f);
    });
    const std::vector<lines::Part> parts = {data("00000000111111110100100010110111", true)};
    EXPECT_TRUE(d.errors.empty()) << testing::PrintToString(d.errors);
    EXPECT_EQ(d.binary, std::vector<std::string>{lines::binaryLine(parts)});
    EXPECT_EQ(d.hex, std::vector<std::string>{"ED 12 FF 00 "});
    EXPECT_EQ(learned["stru"], "H,D,B0,X");
    EXPECT_EQ(learned["H_Osc"], "9000");
    EXPECT_EQ(learned["H_Idle"], "4500");
    EXPECT_EQ(learned["Zero_Osc"], learned["b_end"]);
    EXPECT_NEAR(std::stod(learned["zero_Idle"]), 562.5, 1);
    EXPECT_NEAR(std::stod(learned["One_Idle"]), 1687.5, 1);
}

TEST(GenericRIB, LearnsASonyFrameOnTheFirstCapture) {
    const auto capture = irsig::render(irproto::sony(21, 1, 5, 3), 0, 3);
    std::map<std::string, std::string> learned;
    const auto d = qvproto::decode("RIB", capture.times, 3, [&](qv::Session& s) {
        for (const char* f : {"stru", "H_Osc", "Zero_Osc", "One_Osc"})
            learned[f] = field(s, f);
    });
    const std::vector<lines::Part> parts = {data("101010010000", true)};
    EXPECT_TRUE(d.errors.empty()) << testing::PrintToString(d.errors);
    EXPECT_EQ(d.binary, std::vector<std::string>(3, lines::binaryLine(parts)));
    EXPECT_EQ(d.hex, std::vector<std::string>(3, lines::hexLine(parts)));
    EXPECT_EQ(learned["stru"], "H,D,X");
    EXPECT_NEAR(std::stod(learned["H_Osc"]), 2400, 50);
    EXPECT_NEAR(std::stod(learned["Zero_Osc"]), 600, 15);
    EXPECT_NEAR(std::stod(learned["One_Osc"]), 1200, 25);
}

// "HL" and "SE" cannot be chosen from the menus, but their rows learn the
// same way when they are selected.
TEST(GenericHL, LearnsAnRc5FrameOnTheFirstCapture) {
    const auto capture = irsig::render(irproto::rc5(5, 53, 0, 2), 0, 1);
    std::map<std::string, std::string> learned;
    const auto d = qvproto::decode("HL", capture.times, 3, [&](qv::Session& s) {
        for (const char* f : {"stru", "Zero_Osc", "One_Idle"})
            learned[f] = field(s, f);
    });
    EXPECT_TRUE(d.errors.empty()) << testing::PrintToString(d.errors);
    EXPECT_FALSE(d.hex.empty());
    EXPECT_EQ(learned["stru"], "D,X");
    EXPECT_EQ(learned["Zero_Osc"], "889");
    EXPECT_EQ(learned["One_Idle"], "1778");
}

TEST(GenericSE, LearnsRunLengthsOnTheFirstCapture) {
    // Runs of one to three 1000 us bits, light for 0.
    const std::vector<int64_t> times = {1000, 2000, 3000, 1000, 2000, 3000, 1000, 2000, 1000};
    std::string zeroOsc;
    const auto d =
        qvproto::decode("SE", times, 3, [&](qv::Session& s) { zeroOsc = field(s, "Zero_Osc"); });
    EXPECT_TRUE(d.errors.empty()) << testing::PrintToString(d.errors);
    EXPECT_FALSE(d.hex.empty());
    EXPECT_EQ(zeroOsc, "1000");
}

} // namespace
