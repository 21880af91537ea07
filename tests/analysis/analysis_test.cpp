// The analysis of presses made from protocols of each coding family, sent
// exactly and through drawn demodulating receivers.
#include "analysis/analysis.h"
#include "analysis/catalogue_row.h"
#include "engine/ir_signal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <fstream>
#include <functional>
#include <optional>
#include <random>

namespace {

using namespace qv;
using irsig::FrameBuilder;
using irsig::lsbFirst;
using irsig::msbFirst;
using Coding = analysis::Coding;
using Repeat = analysis::Result::RepeatKind;

struct Protocol {
    const char* name;
    Coding coding;
    double unit;
    int bits; // of the message
    Repeat repeat;
    // Fields in order: a address, c command, t toggle, k check; then the length.
    const char* fields;
    std::function<irsig::KeyPress(unsigned address, unsigned command, int toggle)> press;
};

std::string bits(unsigned v, int n, bool msb = false) {
    return msb ? msbFirst(v, n) : lsbFirst(v, n);
}

irsig::PulseCoding pd(double u, double one = 3) {
    return {u, u, u, one * u};
}

// An air conditioner's state: lead-in, 18 bytes, a check byte of the sum.
irsig::KeyPress airConditioner(unsigned address, unsigned command) {
    std::vector<unsigned> bytes = {0x23, 0xCB, 0x26, address & 0xFF, 0x00};
    for (int k = 0; k < 13; ++k)
        bytes.push_back((command * (k + 3) + k) & 0xFF);
    unsigned sum = 0;
    for (unsigned b : bytes)
        sum += b;
    bytes.push_back(sum & 0xFF);
    FrameBuilder f;
    f.mark(3400).space(1750);
    for (unsigned b : bytes)
        f.pulses(bits(b, 8), pd(430));
    f.mark(430);
    return {f.leadOut(20000)};
}

// An NEC1 frame and its dittos.
irsig::KeyPress nec1(unsigned a, unsigned c, int dittos) {
    FrameBuilder f, d;
    f.mark(9024).space(4512).pulses(bits(a, 8) + bits(~a & 255, 8) + bits(c, 8) + bits(~c & 255, 8),
                                    pd(564));
    f.mark(564);
    d.mark(9024).space(2256).mark(564);
    irsig::KeyPress press{f.period(108000)};
    for (int k = 0; k < dittos; ++k)
        press.push_back(d.period(108000));
    return press;
}

const std::vector<Protocol>& protocols() {
    static const std::vector<Protocol> table = {
        {"NEC1", Coding::PulseDistance, 564, 32, Repeat::Ditto, "a8 k8 c8 k8",
         [](unsigned a, unsigned c, int) { return nec1(a, c, 2); }},
        // Held for 1.7 s: the dittos' gaps outnumber every other gap.
        {"NEC1 held", Coding::PulseDistance, 564, 32, Repeat::Ditto, "a8 k8 c8 k8",
         [](unsigned a, unsigned c, int) { return nec1(a, c, 15); }},
        {"NECext", Coding::PulseDistance, 564, 32, Repeat::WholeFrame, "a8 a8 c8 k8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             f.mark(9024).space(4512).pulses(bits(a, 16) + bits(c, 8) + bits(~c & 255, 8), pd(564));
             f.mark(564);
             return irsig::KeyPress{f.period(108000), f.period(108000)};
         }},
        {"Sony12", Coding::PulseWidth, 600, 12, Repeat::WholeFrame, "c7 a5",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             f.mark(2400).space(600).pulses(bits(c, 7) + bits(a, 5), {600, 600, 1200, 600});
             return irsig::KeyPress{f.period(45000), f.period(45000), f.period(45000)};
         }},
        {"Sony20", Coding::PulseWidth, 600, 20, Repeat::WholeFrame, "c7 a13",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             f.mark(2400).space(600).pulses(bits(c, 7) + bits(a, 13), {600, 600, 1200, 600});
             return irsig::KeyPress{f.period(45000), f.period(45000), f.period(45000)};
         }},
        // Symbols of one length, two units of burst or three (pid-0003).
        {"One length", Coding::PulseWidth, 389, 16, Repeat::WholeFrame, "c8 k8",
         [](unsigned, unsigned c, int) {
             FrameBuilder f;
             f.pulses(bits(c, 8) + bits(~c & 255, 8), {778, 778, 1167, 389});
             return irsig::KeyPress{f.period(102000), f.period(102000)};
         }},
        {"RC5", Coding::BiPhase, 889, 14, Repeat::WholeFrame, "a2 t1 a5 c6",
         [](unsigned a, unsigned c, int t) {
             FrameBuilder f;
             f.biphase("11" + std::string(1, t ? '1' : '0') + bits(a, 5, true) + bits(c, 6, true),
                       889, false);
             return irsig::KeyPress{f.period(113778), f.period(113778)};
         }},
        // A pause of two bits inside the bits, the halves on either side
        // running into it.
        {"RC5x", Coding::BiPhase, 889, 20, Repeat::WholeFrame, "a2 t1 a5 a6 c6",
         [](unsigned a, unsigned c, int t) {
             FrameBuilder f;
             const unsigned s = (a >> 5) & 127;
             f.biphase(std::string("1") + (s & 64 ? '0' : '1') + (t ? '1' : '0') +
                           bits(a & 31, 5, true),
                       889, false)
                 .space(4 * 889)
                 .biphase(bits(s & 63, 6, true) + bits(c & 63, 6, true), 889, false);
             return irsig::KeyPress{f.period(113778), f.period(113778)};
         }},
        // A lead-in, a start bit, three mode bits, a trailer bit of twice
        // the length (the toggle), then address and command.
        {"RC6", Coding::BiPhase, 444, 21, Repeat::WholeFrame, "a4 t1 a8 c8",
         [](unsigned a, unsigned c, int t) {
             FrameBuilder f;
             f.mark(2664).space(888).biphase("1000", 444, true);
             f.biphase(t ? "1" : "0", 888, true)
                 .biphase(bits(a, 8, true) + bits(c, 8, true), 444, true);
             return irsig::KeyPress{f.period(106000), f.period(106000)};
         }},
        {"JVC", Coding::PulseDistance, 525, 16, Repeat::Ditto, "a8 c8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f, r;
             f.mark(8400).space(4200).pulses(bits(a, 8) + bits(c, 8), pd(525)).mark(525);
             r.pulses(bits(a, 8) + bits(c, 8), pd(525)).mark(525);
             return irsig::KeyPress{f.period(59080), r.period(59080), r.period(59080)};
         }},
        {"Samsung32", Coding::PulseDistance, 550, 32, Repeat::WholeFrame, "a8 a8 c8 k8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             f.mark(4400).space(4400).pulses(
                 bits(a, 8) + bits(a ^ 0x5A, 8) + bits(c, 8) + bits(~c & 255, 8), pd(550));
             f.mark(550);
             return irsig::KeyPress{f.period(108000), f.period(108000)};
         }},
        {"Kaseikyo", Coding::PulseDistance, 432, 48, Repeat::WholeFrame, "a8 a8 a8 a8 c8 k8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             const unsigned d = a & 255, s = (a >> 8) & 255;
             f.mark(3456).space(1728).pulses(bits(2, 8) + bits(32, 8) + bits(d, 8) + bits(s, 8) +
                                                 bits(c, 8) + bits(d ^ s ^ c, 8),
                                             pd(432));
             f.mark(432);
             return irsig::KeyPress{f.leadOut(74736), f.leadOut(74736)};
         }},
        {"Akai", Coding::PulseDistance, 289, 10, Repeat::WholeFrame, "a3 c7",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             f.pulses(bits(a, 3) + bits(c, 7), {289, 2.6 * 289, 289, 6.3 * 289}).mark(289);
             return irsig::KeyPress{f.period(25300), f.period(25300)};
         }},
        // A parity bit of the command, then a closing burst read as a bit.
        {"Parity", Coding::PulseWidth, 520, 14, Repeat::WholeFrame, "a4 c8 k1 a1",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             const char parity = std::popcount(c & 255) % 2 ? '0' : '1';
             f.mark(520).space(520);
             f.pulses(bits(a, 4) + bits(c, 8) + parity, {520, 1560, 1560, 520}).mark(520);
             return irsig::KeyPress{f.period(100000), f.period(100000)};
         }},
        // A parity of the whole frame sent before the command it covers.
        {"Parity first", Coding::PulseDistance, 564, 32, Repeat::Ditto, "a8 a8 k1 c7 a8",
         [](unsigned a, unsigned c, int) {
             const unsigned ones =
                 static_cast<unsigned>(std::popcount(a & 255) + std::popcount(c & 127) + 4 + 3);
             FrameBuilder f, d;
             f.mark(9024).space(4512);
             f.pulses(bits(a, 8) + bits(135, 8) + (ones % 2 ? "0" : "1") + bits(c, 7) +
                          bits(104, 8),
                      pd(564));
             f.mark(564);
             d.mark(9024).space(2256).mark(564);
             return irsig::KeyPress{f.period(108000), d.period(108000)};
         }},
        // A second frame sends the command XORed with a constant.
        {"XOR frame", Coding::PulseDistance, 560, 32, Repeat::NoRepeat, "a8 c8 a8 k8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f, g;
             f.mark(4480).space(4480).pulses(bits(a, 8) + bits(c, 8), pd(560)).mark(560);
             g.mark(4480).space(4480).pulses(bits(a, 8) + bits((c ^ 0x91) & 255, 8), pd(560));
             g.mark(560);
             return irsig::KeyPress{f.leadOut(20000), g.leadOut(60000)};
         }},
        {"RC-MM", Coding::PulsePosition, 166.7, 24, Repeat::NoRepeat, "a12 c12",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             f.mark(416.7).space(277.8);
             const std::string b = bits(a, 12, true) + bits(c, 12, true);
             for (size_t k = 0; k < b.size(); k += 2)
                 f.mark(166.7).space(277.8 + 166.7 * ((b[k] - '0') * 2 + (b[k + 1] - '0')));
             f.mark(166.7);
             return irsig::KeyPress{f.leadOut(30000)};
         }},
        {"AC152", Coding::PulseDistance, 430, 152, Repeat::NoRepeat,
         "a8 a8 a8 a8 a8 c8 c8 c8 c8 c8 c8 c8 c8 c8 c8 c8 c8 c8 k8",
         [](unsigned a, unsigned c, int) { return airConditioner(a, c); }},
        // A frame, then its command complemented and the frame again, in turn.
        {"Sharp", Coding::PulseDistance, 264, 15, Repeat::Ditto, "a5 c8 a2",
         [](unsigned a, unsigned c, int) {
             auto frame = [&](bool turned) {
                 FrameBuilder f;
                 f.pulses(bits(a, 5) + bits(turned ? ~c & 255 : c & 255, 8) +
                              (turned ? "01" : "10"),
                          {264, 792, 264, 1848})
                     .mark(264);
                 return f.period(67000);
             };
             return irsig::KeyPress{frame(false), frame(true), frame(false), frame(true),
                                    frame(false)};
         }},
        // Three bi-phase frames back to back, no long gap between them, the
        // last with a trailing burst (an air conditioner's).
        {"Back to back", Coding::BiPhase, 950, 32, Repeat::Ditto, "c8 c8 k8 k8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             for (int k = 0; k < 3; ++k)
                 f.mark(3000).space(3000).biphase(
                     std::string("1") + bits(a, 6, true) + bits(c, 8, true) + "1", 950, true);
             f.mark(4000);
             return irsig::KeyPress{f.leadOut(40000)};
         }},
        // Bi-phase after a lead-in that ends with a burst: the first bit's
        // burst half runs into it.
        {"Lead and half", Coding::BiPhase, 500, 17, Repeat::NoRepeat, "a9 c8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             f.mark(4000).space(3000).mark(1000).biphase(
                 std::string("1") + bits(a, 8, true) + bits(c, 8, true), 500, true);
             return irsig::KeyPress{f.leadOut(60000)};
         }},
        // A lone lead-in burst, then frames of a fixed period that carry the
        // message and repeat it.
        {"Lead apart", Coding::PulseDistance, 500, 16, Repeat::Ditto, "a8 c8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder lead, f;
             lead.mark(500);
             f.pulses(bits(a, 8) + bits(c, 8), pd(500, 4)).mark(500);
             return irsig::KeyPress{lead.leadOut(7500), f.period(45000), f.period(45000),
                                    f.period(45000)};
         }},
        // Lead-in gaps a little shorter than a symbol's: no bits.
        {"Lead near a symbol", Coding::PulseDistance, 600, 12, Repeat::WholeFrame, "a4 c8",
         [](unsigned a, unsigned c, int) {
             FrameBuilder f;
             f.mark(600).space(3000).mark(600).space(3000);
             f.pulses(bits(a, 4) + bits(c, 8), pd(600, 7)).mark(600);
             return irsig::KeyPress{f.period(120000), f.period(120000)};
         }},
        // No symbol coding: bursts and gaps of whole units, a bit each.
        {"Units", Coding::RunLength, 700, 28, Repeat::NoRepeat, "a16 c8 a4",
         [](unsigned a, unsigned c, int) {
             const std::string b = "1110" + bits(a, 8) + "0001" + bits(c, 8) + "0111";
             FrameBuilder f;
             for (size_t k = 0, run = 1; k < b.size(); k += run) {
                 for (run = 1; k + run < b.size() && b[k + run] == b[k];)
                     ++run;
                 b[k] == '1' ? f.mark(700.0 * run) : f.space(700.0 * run);
             }
             return irsig::KeyPress{f.leadOut(40000)};
         }},
        // A symbol of two bursts as long as the other's one; the last
        // symbol's gap is the frame's.
        {"Two bursts", Coding::PulseDistance, 520, 12, Repeat::WholeFrame, "a4 c8",
         [](unsigned a, unsigned c, int) {
             const std::string b = bits(a, 4) + bits(c, 8);
             FrameBuilder f;
             for (size_t k = 0; k < b.size(); ++k) {
                 if (b[k] == '1') f.mark(520).space(520);
                 f.mark(520);
                 if (k + 1 < b.size()) f.space(b[k] == '1' ? 4160 : 5200);
             }
             return irsig::KeyPress{f.leadOut(90000), f.leadOut(90000)};
         }},
        // A first frame, its repeats, and an ending frame on release.
        {"Ending", Coding::PulseDistance, 500, 32, Repeat::Ditto, "a8 c8 a8 k8",
         [](unsigned a, unsigned c, int) {
             auto frame = [&](unsigned part) {
                 FrameBuilder f;
                 f.mark(2000).space(1000).pulses(bits(a, 6) + bits(part, 2) + bits(c, 8), pd(500));
                 f.mark(500);
                 return f.leadOut(30000);
             };
             return irsig::KeyPress{frame(0), frame(1), frame(1), frame(2)};
         }},
    };
    return table;
}

std::string fieldSignature(const analysis::Result& r) {
    std::string s;
    for (const auto& f : r.fields) {
        if (!s.empty()) s += ' ';
        s += "ackt"[f.role == analysis::Field::Address   ? 0
                    : f.role == analysis::Field::Command ? 1
                    : f.role == analysis::Field::Check   ? 2
                                                         : 3];
        s += std::to_string(f.length);
    }
    return s;
}

analysis::Press pressOf(const irsig::KeyPress& kp, const irsig::Receiver& rx, uint32_t seed) {
    analysis::Press p;
    p.times = irsig::render(kp, rx, seed).times;
    return p;
}

// One press of each protocol, exactly and through twelve drawn receivers:
// the coding, the unit (at the remote's own pace), the frame's bits and the
// repeat.
TEST(Analysis, OnePressOfEveryFamily) {
    int right = 0, total = 0, protocolsRight = 0;
    for (const Protocol& p : protocols()) {
        int protocolRight = 0;
        for (uint32_t seed = 0; seed <= 12; ++seed) {
            const irsig::Receiver rx = seed ? irsig::drawReceiver(seed) : irsig::Receiver{};
            const auto r = analysis::analyse({pressOf(p.press(0x5A, 0x3C + seed, 0), rx, seed)});
            const bool ok =
                r.coding == p.coding && std::abs(r.unit / (p.unit * rx.speed) - 1) <= 0.03 &&
                r.bits() == p.bits && r.repeatKind == p.repeat && r.presses.at(0).rendersBack;
            if (!ok && (seed == 0 || getenv("ANALYSIS_VERBOSE")))
                ADD_FAILURE() << p.name << " " << seed << ": " << analysis::codingName(r.coding)
                              << " unit " << r.unit << " bits " << r.bits() << " repeat "
                              << r.repeatKind << " speed " << rx.speed << " back "
                              << r.presses.at(0).rendersBack << " worst "
                              << r.presses.at(0).worstError << " " << r.irp;
            protocolRight += ok;
            if (seed == 0) {
                // Each bit of the message is drawn once, over a time it tells.
                const analysis::PressResult& pr = r.presses.at(0);
                std::vector<analysis::TimeRole> roles;
                analysis::renderStructure(r, pr.bits, pr.repeats, &roles);
                std::string drawn;
                for (const analysis::TimeRole& role : roles)
                    if (!role.repeat) drawn += role.bits;
                EXPECT_EQ(drawn, pr.bits) << p.name;
            }
        }
        std::printf("%-10s %2d of 13 right\n", p.name, protocolRight);
        protocolsRight += protocolRight >= 12;
        right += protocolRight;
        total += 13;
    }
    std::printf("one press: %d of %d right; %d of %zu protocols in 12 of 13\n", right, total,
                protocolsRight, protocols().size());
    // A code whose short burst is no short gap (Akai, Sharp) gives no burst
    // excess to measure, and RC-MM's steps drown in it: those three fail
    // through receivers, every other protocol stands.
    EXPECT_GE(protocolsRight, static_cast<int>(protocols().size()) - 3);
}

// Eight presses of different commands of one remote (toggling where it
// toggles): the address, command, toggle and check fields.
TEST(Analysis, FieldsAcrossPresses) {
    int right = 0, total = 0;
    std::mt19937 random(7);
    for (const Protocol& p : protocols()) {
        for (uint32_t seed = 0; seed <= 4; ++seed) {
            const irsig::Receiver rx = seed ? irsig::drawReceiver(seed + 100) : irsig::Receiver{};
            std::vector<analysis::Press> presses;
            for (int k = 0; k < 10; ++k)
                presses.push_back(
                    pressOf(p.press(0x15A, random() % 4096, k % 2), rx, seed * 8 + k));
            // A bi-phase code's toggle shows in presses of one button.
            for (int k = 0; k < 3 && p.coding == Coding::BiPhase; ++k)
                presses.push_back(pressOf(p.press(0x15A, 9, k % 2), rx, 90 + k));
            const auto r = analysis::analyse(presses);
            bool back = true;
            for (const auto& pr : r.presses)
                back = back && pr.rendersBack;
            const bool ok = fieldSignature(r) == p.fields && back;
            if (!ok && (seed == 0 || getenv("ANALYSIS_VERBOSE")))
                ADD_FAILURE() << p.name << " " << seed << ": " << fieldSignature(r) << " back "
                              << back << " " << r.irp;
            right += ok;
            ++total;
        }
    }
    std::printf("fields across presses: %d of %d right\n", right, total);
    EXPECT_GE(right * 100, total * 80);
}

// Where a receiver's bursts and gaps are not one unit alike at the shortest,
// the unit still comes from the excess that makes every time whole: a lead-in
// or two gap lengths whose sums share no divisor fix it, and bursts that end
// early (a negative excess) are made up.
TEST(Analysis, ReceiverExcessFromWholeUnits) {
    struct Case {
        const char* name;
        double unit, excess;
        std::function<irsig::KeyPress(unsigned)> press;
    };
    const std::vector<Case> cases = {
        {"RCA-like lead-in", 460, 150,
         [](unsigned c) {
             FrameBuilder f;
             f.mark(3680).space(3680).pulses(bits(c, 12, true) + bits(~c & 4095, 12, true),
                                             {460, 920, 460, 1840});
             f.mark(460);
             return irsig::KeyPress{f.leadOut(8000), f.leadOut(8000)};
         }},
        {"two gaps, no lead-in", 416, 120,
         [](unsigned c) {
             FrameBuilder f;
             f.pulses(bits(c, 12, true), {416, 2496, 416, 4992}).mark(416);
             return irsig::KeyPress{f.leadOut(20000), f.leadOut(20000)};
         }},
        {"bursts short", 564, -20, [](unsigned c) { return nec1(0x5A, c, 1); }},
    };
    // A few jitterings each: a unit a few times smaller than the burst reads
    // some of them nearly as whole.
    for (const Case& k : cases)
        for (unsigned round = 0; round < 4; ++round) {
            irsig::Receiver rx;
            rx.excess = k.excess;
            rx.jitter = 0.04;
            rx.step = 50;
            std::vector<analysis::Press> presses;
            for (unsigned c = 1; c <= 4; ++c)
                presses.push_back(pressOf(k.press(c * 37), rx, c + round));
            const auto r = analysis::analyse(presses);
            EXPECT_NEAR(r.unit, k.unit, k.unit * 0.03) << k.name << ": " << r.irp;
            EXPECT_NEAR(r.excess, k.excess, 30) << k.name;
            for (const auto& pr : r.presses)
                EXPECT_TRUE(pr.rendersBack) << k.name << ": " << r.irp;
        }
}

// Real presses whose receiver moved its bursts by more than 100 us: frames
// after the first 85 us shorter (its gain settling), one burst 124 us long
// and its gap as much short, a first frame's bursts 150 us longer than the
// rest's. Each still renders back.
TEST(Analysis, ReceiverDriftStillRendersBack) {
    for (const char* file : {"ir-74b2c7448c.txt", "ir-9562f1b4c3.txt", "ir-ed78bcc34d.txt"}) {
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/tests/data/real/" + file);
        analysis::Press p;
        for (int64_t t; in >> t;)
            p.times.push_back(t);
        const auto r = analysis::analyse({p});
        EXPECT_TRUE(r.presses.at(0).rendersBack) << file << ": " << r.irp;
    }
}

// A receiver's glitch (30 us) splitting a burst or a gap of a real JVC
// press is part of that time: the analysis is the untouched press's. A
// unit that measures bursts itself keeps every time, and so does a press
// whose short time comes once a frame (pid-0001's 1 us flash).
TEST(Analysis, AReceiversGlitchIsPartOfItsTime) {
    std::ifstream in(std::string(QV_SOURCE_DIR) + "/tests/data/real/ir-00e496346b.txt");
    analysis::Press jvc;
    for (int64_t t; in >> t;)
        jvc.times.push_back(t);
    const auto whole = analysis::analyse({jvc});
    auto split = [&](size_t at) {
        analysis::Press p = jvc;
        const int64_t first = p.times[at] / 2;
        p.times[at] = first;
        p.times.insert(p.times.begin() + long(at) + 1, {30, jvc.times[at] - first - 30});
        return p;
    };
    analysis::Press flash;
    for (int frame = 0; frame < 3; ++frame) {
        flash.times.insert(flash.times.end(), {24, 21148});
        for (int bit : {1, 0, 1, 1, 0})
            flash.times.insert(flash.times.end(), {24, bit ? 13486 : 9314});
        flash.times.insert(flash.times.end(), {1, 28000});
    }
    struct Row {
        const char* what;
        analysis::Press press;
        std::optional<double> excess;
        size_t glitches;
    };
    const Row rows[] = {{"a burst split", split(10), std::nullopt, 1},
                        {"a gap split", split(21), std::nullopt, 1},
                        {"measured bursts", split(10), 0.0, 0},
                        {"a flash a frame", flash, std::nullopt, 0}};
    for (const Row& row : rows) {
        analysis::Options options;
        options.excess = row.excess;
        const auto r = analysis::analyse({row.press}, options);
        EXPECT_EQ(r.presses.at(0).glitches, row.glitches) << row.what;
        const bool noted = std::any_of(r.notes.begin(), r.notes.end(), [](const std::string& n) {
            return n.find("glitch") != std::string::npos;
        });
        EXPECT_EQ(noted, row.glitches > 0) << row.what;
        if (row.glitches > 0) {
            EXPECT_EQ(r.irp, whole.irp) << row.what;
            EXPECT_EQ(r.presses.at(0).bits, whole.presses.at(0).bits) << row.what;
            EXPECT_TRUE(r.presses.at(0).rendersBack) << row.what;
        } else if (row.excess) {
            EXPECT_NE(r.irp, whole.irp) << row.what;
        } else {
            EXPECT_EQ(r.bits(), 5) << row.what << ": " << r.irp;
        }
    }
}

// One frame sent twice, ending with 100 ms of silence, then 60 ms, before
// its dittos: each keeps its own gap, exactly and through receivers.
TEST(Analysis, AFrameSentTwiceKeepsEachGap) {
    FrameBuilder f, d;
    f.mark(2340).space(780).pulses(bits(0x5A, 7) + bits(0x3C, 8), pd(780, 2)).mark(780);
    d.mark(2340).space(780).mark(780).space(1560).mark(780);
    const irsig::KeyPress press{f.leadOut(100000), f.leadOut(60000), d.leadOut(60000),
                                d.leadOut(60000)};
    for (uint32_t seed = 0; seed <= 3; ++seed) {
        const irsig::Receiver rx = seed ? irsig::drawReceiver(seed) : irsig::Receiver{};
        const auto r = analysis::analyse({pressOf(press, rx, seed)});
        EXPECT_TRUE(r.presses.at(0).rendersBack) << seed << ": " << r.irp;
    }
}

// A short press through a receiver of a coarse grid may show every class as
// one time, as a rendering does; it still holds the receiver's excess (here
// 117 us, a 417 us unit at 96%).
TEST(Analysis, AShortPressOnAGridKeepsItsExcess) {
    analysis::Press p;
    p.times = {2000, 300, 900, 700, 500, 1400, 500, 300, 900, 300, 1200, 300, 500, 700, 900};
    const auto r = analysis::analyse({p});
    EXPECT_NEAR(r.unit, 400, 12) << r.irp;
    EXPECT_NEAR(r.excess, 117, 30) << r.irp;
}

// A press of two frames: a second frame without the first's lead-in is its
// repeat where it sends the first's bits again (JVC), and goes on with the
// message where it sends other bits, at least half as many.
TEST(Analysis, ALastFrameSentOnce) {
    struct Row {
        const char* what;
        unsigned second;
        int secondBits, bits;
        Repeat repeat;
    };
    const Row rows[] = {
        {"the first's bits again", 0x3C5A, 16, 16, Repeat::Ditto},
        {"bits of its own", 0xA53, 12, 28, Repeat::NoRepeat},
    };
    for (const Row& row : rows) {
        FrameBuilder f, g;
        f.mark(8440).space(4220).pulses(bits(0x3C5A, 16), pd(527)).mark(527);
        g.pulses(bits(row.second, row.secondBits), pd(527)).mark(527);
        const auto r = analysis::analyse(
            {pressOf(irsig::KeyPress{f.leadOut(22000), g.leadOut(60000)}, {}, 0)});
        EXPECT_EQ(r.bits(), row.bits) << row.what << ": " << r.irp;
        EXPECT_EQ(r.repeatKind, row.repeat) << row.what << ": " << r.irp;
        EXPECT_TRUE(r.presses.at(0).rendersBack) << row.what << ": " << r.irp;
    }
}

// Four levels 167 us apart, three of them sent, through a receiver whose
// jitter fills the space between them (a real RC-MM press): the step
// between the levels' means still shows.
TEST(Analysis, LevelsBlurredByJitterKeepTheirStep) {
    struct Row {
        const char* what;
        std::vector<int64_t> times; // empty: the real RC-MM capture
        int bits;
    };
    // Four-level presses (a 1000 us lead-in, bursts of 580 us, gaps of 2, 3
    // and 5 steps of 290 us, the 4-step gap never sent) through receivers:
    // the three classes of gaps lie three steps apart, not two, and a grid
    // rounds a class's mean off its level.
    const std::vector<Row> rows = {
        {"real RC-MM capture", {}, 32},
        {"50 us grid",
         {950, 550, 550, 800, 600, 750,  550, 500,   600,  800, 550, 800, 600, 1300, 600, 550,
          600, 550, 600, 550, 550, 1400, 550, 12700, 1050, 550, 550, 850, 600, 750,  600, 500,
          600, 800, 550, 800, 650, 1350, 600, 500,   600,  500, 600, 500, 650, 1350, 650},
         20},
        {"67 us grid",
         {1133, 467, 667, 733, 733, 600,  733, 400,   800,  667, 733, 667, 733, 1133, 733, 400,
          733,  400, 733, 400, 800, 1267, 667, 12667, 1200, 400, 733, 667, 667, 667,  733, 400,
          733,  667, 667, 667, 733, 1200, 733, 333,   800,  333, 733, 333, 733, 1200, 733},
         20},
    };
    for (const Row& row : rows) {
        analysis::Press p;
        p.times = row.times;
        if (p.times.empty()) {
            std::ifstream in(std::string(QV_SOURCE_DIR) + "/tests/data/real/ir-3dc427cd90.txt");
            for (int64_t t; in >> t;)
                p.times.push_back(t);
        }
        const auto r = analysis::analyse({p});
        EXPECT_EQ(r.coding, Coding::PulsePosition) << row.what << ": " << r.irp;
        EXPECT_EQ(r.bits(), row.bits) << row.what << ": " << r.irp;
        EXPECT_TRUE(r.presses.at(0).rendersBack) << row.what << ": " << r.irp;
    }
    // Eight presses of such a code through one receiver: pooled, each
    // level's gaps spread over most of a step and the classes join, but
    // empty bands still part the levels (a 100 us grid fills them).
    for (const double step : {50.0, 1000.0 / 15}) {
        const irsig::Receiver rx{0.06, 1.04, 170, step};
        std::vector<analysis::Press> presses;
        for (unsigned c : {0x1B4, 0xE27, 0x5C9, 0x93E, 0x2D6, 0xC71, 0x7A3, 0x48F}) {
            FrameBuilder f;
            f.mark(1000).space(580);
            const std::string b = bits(0x51, 8, true) + bits(c, 12, true);
            for (size_t k = 0; k < b.size(); k += 2)
                f.mark(580).space(580 + 290 * ((b[k] - '0') * 2 + (b[k + 1] - '0')));
            f.mark(580);
            presses.push_back(pressOf({f.period(30000), f.period(30000)}, rx, c));
        }
        const auto r = analysis::analyse(presses);
        EXPECT_EQ(r.coding, Coding::PulsePosition) << step << ": " << r.irp;
        EXPECT_EQ(r.bits(), 20) << step << ": " << r.irp;
        for (const auto& p : r.presses)
            EXPECT_TRUE(p.rendersBack) << step << ": " << r.irp;
    }
}

// Bursts of one unit and gaps of three and seven at 264 us send the same
// burst+gap sums as two and five at 352 us with 88 us less excess: through
// a receiver the analysis picks one and names the other.
TEST(Analysis, AUnitTheTimesCannotDecideIsNamed) {
    FrameBuilder f;
    f.pulses(bits(0x5A3, 12), {264, 792, 264, 1848}).mark(264);
    irsig::Receiver rx;
    rx.excess = 150;
    rx.jitter = 0.02;
    rx.step = 10;
    const auto r = analysis::analyse({pressOf(irsig::KeyPress{f.leadOut(40000)}, rx, 1)});
    std::vector<double> units = {r.unit};
    for (const std::string& note : r.notes)
        if (const size_t at = note.find("fit as well at a unit of "); at != std::string::npos)
            units.push_back(std::stod(note.substr(at + 25)));
    for (double want : {264.0, 352.0})
        EXPECT_TRUE(std::any_of(units.begin(), units.end(),
                                [&](double u) { return std::abs(u - want) <= 0.03 * want; }))
            << want << ": " << r.irp;
}

// A frame's bursts all longer by the same and its gaps as much shorter is a
// receiver's excess, within the tolerance; a time off on its own, or a frame
// shifted by more, is not.
TEST(Analysis, TimesMatchAFrameWithItsOwnExcess) {
    const std::vector<double> sent = {9000, 4500, 560, 560, 560, 1690, 560, 40000, 9000, 2250, 560};
    auto moved = [&](double first, double second, size_t odd = 0, double by = 0) {
        std::vector<double> t = sent;
        for (size_t i = 0; i < t.size(); ++i)
            t[i] += (i % 2 ? -1 : 1) * (i < 8 ? first : second) + (i == odd ? by : 0);
        return t;
    };
    struct Case {
        const char* what;
        std::vector<double> captured;
        bool drifting, match;
    };
    const Case cases[] = {
        {"frames 200 and -100 us off, drifting", moved(200, -100), true, true},
        {"the same, held to one excess", moved(200, -100), false, false},
        {"a gap a level off", moved(0, 0, 5, -1130), true, false},
        {"a frame 400 us off", moved(400, 0), true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(analysis::timesMatch(sent, c.captured, nullptr, 150, c.drifting), c.match)
            << c.what;
}

// A symbol of two bursts is written whole, and no catalogue row takes it
// (a row's bit is one burst and one gap).
TEST(Analysis, ASymbolOfTwoBurstsIsNoRow) {
    const auto& all = protocols();
    const auto two = std::find_if(all.begin(), all.end(), [](const Protocol& p) {
        return p.name == std::string("Two bursts");
    });
    ASSERT_NE(two, all.end());
    const auto r = analysis::analyse({pressOf(two->press(0x5, 0xA3, 0), irsig::Receiver{}, 1)});
    EXPECT_EQ(r.symbols, (std::vector<std::vector<double>>{{1, -10}, {1, -1, 1, -8}})) << r.irp;
    EXPECT_EQ(r.presses.at(0).bits, "101011000101");
    EXPECT_EQ(analysis::catalogueRow(r, "test").cannot,
              "the symbol of 2 bursts (a row's bit is one burst and one gap)");
}

// A lead-in of a short burst as long as a 0 and a 1 together, before bits
// that alternate, is still a lead-in: a symbol of two bursts has its other
// symbol sent among them.
TEST(Analysis, ALeadInAsLongAsTwoSymbolsIsNone) {
    FrameBuilder f;
    f.mark(500).space(2500).pulses("01010101", pd(500)).mark(500);
    const auto r =
        analysis::analyse({pressOf(irsig::KeyPress{f.leadOut(40000), f.leadOut(40000)}, {}, 1)});
    EXPECT_EQ(r.coding, Coding::PulseDistance) << r.irp;
    EXPECT_EQ(r.bits(), 8) << r.irp;
}

// Codes the common families do not name at a glance: pulse-position of
// four levels where a press sends only three of them, and a burst far from
// any tenth of the unit (written in microseconds, so that the IRP renders
// it). Sent exactly: coding, unit, bits, and the press rendered back.
TEST(Analysis, UnusualSymbols) {
    struct Case {
        const char* name;
        Coding coding;
        double unit;
        int bits;
        std::vector<int> levels; // gap of each symbol, in units
        double burst, lead;
    };
    const std::vector<Case> cases = {
        {"four levels, three sent",
         Coding::PulsePosition,
         290,
         24,
         {2, 3, 4, 3, 2, 2, 4, 3, 2, 4, 4, 2},
         580,
         1000},
        {"short bursts, long unit",
         Coding::PulsePosition,
         3125,
         24,
         {1, 2, 3, 2, 1, 1, 3, 2, 1, 3, 3, 1},
         200,
         1000},
    };
    for (const Case& k : cases) {
        FrameBuilder f;
        f.mark(k.lead).space(2 * k.unit);
        for (int level : k.levels)
            f.mark(k.burst).space(level * k.unit);
        f.mark(k.burst);
        analysis::Press p;
        p.times = irsig::render(irsig::KeyPress{f.leadOut(40000)}, irsig::Receiver{}, 1).times;
        const auto r = analysis::analyse({p});
        EXPECT_EQ(r.coding, k.coding) << k.name << ": " << r.irp;
        EXPECT_NEAR(r.unit, k.unit, k.unit * 0.03) << k.name << ": " << r.irp;
        EXPECT_EQ(r.bits(), k.bits) << k.name << ": " << r.irp;
        EXPECT_TRUE(r.presses.at(0).rendersBack) << k.name << ": " << r.irp;
    }
}

// A press no pair coding reads within its tolerance (four-phase symbols of
// 105 us, each two bits at one of four edges) is written out time for time,
// saying what it was read as; one whose reading is right but for a time
// moved less than half a unit keeps its reading, not rendered back.
TEST(Analysis, APressNoCodingReadsIsWrittenOut) {
    std::vector<int64_t> fourPhase, moved = {2400, 600};
    for (int k = 0; k < 3; ++k) {
        fourPhase.insert(fourPhase.end(), {210, 525, 105, 315, 105, 210, 210, 315, 315, 525, 105,
                                           k ? 315 : 210, k ? 105 : 210, 210, 315, 630, 210});
        if (k < 2) fourPhase.push_back(90275);
    }
    for (int bit : {1, 0, 1, 1, 0, 0, 1, 0, 1, 1, 1, 0})
        moved.insert(moved.end(), {bit ? 1200 : 600, 600});
    moved[9] = 430; // a 0's gap
    moved.pop_back();
    for (const auto& [times, writtenOut] : {std::pair{fourPhase, true}, std::pair{moved, false}}) {
        analysis::Press p;
        p.times = times;
        const auto r = analysis::analyse({p});
        EXPECT_EQ(r.coding == Coding::RunLength, writtenOut) << r.irp;
        EXPECT_EQ(r.presses.at(0).rendersBack, writtenOut) << r.irp;
        EXPECT_EQ(std::any_of(r.notes.begin(), r.notes.end(),
                              [](const std::string& n) {
                                  return n.find("its times are written out") != std::string::npos;
                              }),
                  writtenOut)
            << r.irp;
    }
}

// A burst of a microsecond after bursts of 24 beside gaps of 9 and 13 ms:
// written in microseconds, never as no time at all.
TEST(Analysis, ATimeFarBelowTheUnitIsKept) {
    analysis::Press p;
    p.times = {24, 21148};
    for (int bit : {1, 0, 1, 1, 0})
        p.times.insert(p.times.end(), {24, bit ? 13486 : 9314});
    p.times.push_back(1);
    const auto r = analysis::analyse({p});
    EXPECT_TRUE(r.presses.at(0).rendersBack) << r.irp;
}

// A stray capture among a remote's presses (two bursts of noise) is left
// out of the fit: it lends the remote no repeat.
TEST(Analysis, StrayCaptureLendsNoRepeat) {
    std::vector<analysis::Press> presses;
    for (unsigned c = 1; c <= 4; ++c)
        presses.push_back(pressOf(nec1(0x5A, c, 0), irsig::Receiver{}, 0));
    presses.push_back({{216, 8360, 138}, 0, "noise"});
    const auto r = analysis::analyse(presses);
    EXPECT_EQ(r.repeatKind, analysis::Result::NoRepeat) << r.irp;
    EXPECT_FALSE(r.presses.back().fits);
    EXPECT_EQ(r.bits(), 32);
}

} // namespace

// Frames of a fixed period with no lead-in: a long frame leaves less than
// the usual pause before the next, which is still a copy, not more bits.
TEST(Analysis, CopiesCloseTogetherAreFrames) {
    std::vector<analysis::Press> presses;
    for (unsigned c : {1u, 20u, 127u, 64u}) {
        FrameBuilder f;
        f.pulses(bits(6, 3) + bits(c, 7), irsig::PulseCoding{289, 751, 289, 1821}).mark(289);
        presses.push_back(pressOf({f.period(25300), f.period(25300)}, irsig::Receiver{}, 0));
    }
    const auto r = analysis::analyse(presses);
    EXPECT_TRUE(r.others.empty()) << r.irp;
    EXPECT_EQ(r.bits(), 10) << r.irp;
    for (const auto& pr : r.presses)
        EXPECT_TRUE(pr.rendersBack) << r.irp;
}
