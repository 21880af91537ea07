// A key press of one protocol does not decode cleanly against the row of a
// clearly different protocol: either error lines or no code at all.
#include "app/main_state.h"
#include "app/session.h"
#include "decoder.h"
#include "protocol_cases.h"

#include <gtest/gtest.h>

namespace {

struct Cross {
    const char* signal; // slot whose protocol sends
    const char* row;    // slot the capture is decoded against
    const char* name;
};

const Cross kCrosses[] = {
    {"Form016", "Form034", "NEC_against_Sony12"},
    {"Form034", "Form016", "Sony12_against_NEC"},
    {"Form030", "Form016", "RC5_against_NEC"},
    {"Form016", "Form030", "NEC_against_RC5"},
    {"Form012", "Form016", "Panasonic_against_NEC"},
    {"Form016", "Form012", "NEC_against_Panasonic"},
    {"Form052", "Form016", "Samsung_against_NEC"},
    {"Form016", "Form052", "NEC_against_Samsung"},
    {"Form046", "Form030", "RC6_against_RC5"},
    {"Form030", "Form046", "RC5_against_RC6"},
    {"Form034", "Form030", "Sony12_against_RC5"},
    {"Form033", "Form013", "Sharp_against_Mitsubishi"},
    {"Form137", "Form016", "Nokia_against_NEC"},
    {"Form042", "Form059", "Zenith_against_Grundig16"},
    // RC-6 mode 0 with the other toggle value than the slot reads.
    {"Form127", "Form047", "RC6toggle1_against_RC6toggle0"},
    {"Form047", "Form127", "RC6toggle0_against_RC6toggle1"},
};

// Rows that timing alone cannot tell apart, so no pair of them is listed
// above. Every named slot's receiver-model capture was decoded against every
// other named slot in the demodulated mode; it decoded clean only within these
// groups: the NEC rows (Form016, 017, 041, 043, 060: one frame, read with or
// without an address complement), Kaseikyo / AEHA (Form012, 014, 063, 098,
// 132, 144), Sharp and Denon (Form033, 048, 062: only the frame bits differ),
// RCA (Form032, 058), Thomson (Form005, 006, 039), RECS80 (Form007, 038), old
// Panasonic (Form020-022), RC-5 (Form030, 128), Grundig (Form008, 009), RC-MM
// of one length (Form137/141, Form138/026) and the double-pulse slots
// (Form086, 089, 090).

// tolerance 0: a receiver-model capture decoded in the demodulated mode.
struct Param {
    Cross cross;
    int tolerance;
};

class CrossProtocol : public testing::TestWithParam<Param> {};

TEST_P(CrossProtocol, DoesNotDecodeCleanly) {
    const Param p = GetParam();
    const auto press = cases::protocolCase(p.cross.signal).make(cases::Code::Mixed);
    for (uint32_t seed = 11; seed < (p.tolerance ? 12u : 31u); ++seed) {
        const auto capture = p.tolerance
                                 ? irsig::render(press.press, 0.02, seed)
                                 : irsig::render(press.press, irsig::drawReceiver(seed), seed);
        const qvproto::Decoded d =
            qvproto::decode(p.cross.row, capture.times, p.tolerance ? p.tolerance : 3, {},
                            [&](qv::Session& s) { qv::setDemodulated(s, p.tolerance == 0); });
        EXPECT_TRUE(!d.errors.empty() || d.hex.empty()) << testing::PrintToString(d.hex);
    }
}

std::vector<Param> params() {
    std::vector<Param> out;
    for (const auto& c : kCrosses)
        for (int tolerance : {3, 8, 0})
            out.push_back({c, tolerance});
    return out;
}

INSTANTIATE_TEST_SUITE_P(Rows, CrossProtocol, testing::ValuesIn(params()),
                         [](const testing::TestParamInfo<Param>& info) {
                             const int t = info.param.tolerance;
                             return std::string(info.param.cross.name) +
                                    (t ? "_at" + std::to_string(t) + "pct" : "_demodulated");
                         });

} // namespace
