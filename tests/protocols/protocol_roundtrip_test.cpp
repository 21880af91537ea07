// Every named slot decodes a clean key press of its protocol: no error
// line, the code lines of every group, and one cycle line per group that
// sums the group's times.
#include "decoder.h"
#include "protocol_cases.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using cases::Code;

struct Mode {
    const char* name;
    double jitter;
    int tolerance;
};

const Mode kModes[] = {
    {"exact_at3pct", 0.0, 3},
    {"jitter2pct_at3pct", 0.02, 3},
    {"jitter5pct_at8pct", 0.05, 8},
};

struct Param {
    size_t protocol;
    Code code;
    size_t mode;
};

std::string paramName(const Param& p) {
    const auto& c = cases::protocolCases()[p.protocol];
    return c.key + "_" + c.protocol + "_" + cases::codeName(p.code) + "_" + kModes[p.mode].name;
}

std::vector<Param> allParams() {
    std::vector<Param> out;
    for (size_t i = 0; i < cases::protocolCases().size(); ++i)
        for (Code code : {Code::Zeros, Code::Ones, Code::Mixed})
            for (size_t m = 0; m < std::size(kModes); ++m)
                out.push_back({i, code, m});
    return out;
}

std::vector<std::string> nonEmpty(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (!l.empty()) out.push_back(l);
    return out;
}

class RoundTrip : public testing::TestWithParam<Param> {};

TEST_P(RoundTrip, DecodesWithoutErrorsWithItsCodeLinesAndCycles) {
    const Param p = GetParam();
    const auto& pc = cases::protocolCases()[p.protocol];
    const Mode& mode = kModes[p.mode];
    const cases::Press press = pc.make(p.code);
    const auto seed = static_cast<uint32_t>(std::hash<std::string>{}(paramName(p)));
    const irsig::Capture capture = irsig::render(press.press, mode.jitter, seed);
    ASSERT_EQ(capture.frameStarts.size(), press.groups.size());
    ASSERT_LE(irsig::receiverPairs(capture), 320u)
        << "the key press does not fit one receiver message";

    const qvproto::Decoded d = qvproto::decode(pc.key, capture.times, mode.tolerance);

    if (pc.unreadable == p.code) {
        // A code the slot cannot take fails loudly instead of showing a wrong code.
        EXPECT_FALSE(d.errors.empty()) << pc.why;
        EXPECT_TRUE(d.hex.empty()) << pc.why;
        return;
    }
    EXPECT_TRUE(d.messages.empty()) << d.messages.front();
    EXPECT_TRUE(d.errors.empty()) << testing::PrintToString(d.errors);

    std::vector<std::string> binary, hex;
    for (const auto& g : press.groups) {
        if (g.parts.empty()) continue;
        binary.push_back(lines::binaryLine(g.parts));
        hex.push_back(g.hex.empty() ? lines::hexLine(g.parts) : g.hex);
    }
    EXPECT_EQ(d.binary, nonEmpty(binary));
    EXPECT_EQ(d.hex, nonEmpty(hex));

    // Each group's cycle: its times up to the next group, the last one with
    // the end-of-signal cell, less what the slot's reading leaves out.
    ASSERT_EQ(d.cycles.size(), press.groups.size()) << testing::PrintToString(d.cycles);
    for (size_t g = 0; g < press.groups.size(); ++g) {
        const size_t from = capture.frameStarts[g];
        const size_t to =
            g + 1 < press.groups.size() ? capture.frameStarts[g + 1] : capture.times.size();
        double expected = g + 1 < press.groups.size() ? 0 : 248885;
        for (size_t i = from; i < to; ++i)
            expected += static_cast<double>(capture.times[i]);
        expected -= pc.uncounted(capture, g);
        // Each time may come back one microsecond off from the receiver's ticks.
        EXPECT_NEAR(qvproto::cycleTime(d.cycles[g]), expected, static_cast<double>(to - from) + 1)
            << d.cycles[g];
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, RoundTrip, testing::ValuesIn(allParams()),
                         [](const testing::TestParamInfo<Param>& info) {
                             return paramName(info.param);
                         });

} // namespace
