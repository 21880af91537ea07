// Numbers and layouts come from the public descriptions named at each
// protocol (IRP = IrpTransmogrifier's protocol database, DIR = DecodeIR,
// SBP = SB-Projects, IRMP, AIR = Arduino-IRremote, ESP = IRremoteESP8266,
// LNX = Linux rc-core).
#include "ir_protocols.h"

#include <stdexcept>

namespace irproto {

using irsig::Frame;
using irsig::FrameBuilder;
using irsig::inverted;
using irsig::lsbFirst;
using irsig::msbFirst;
using irsig::PulseCoding;

namespace {

KeyPress repeated(const Frame& first, const Frame& later, int laterCount) {
    KeyPress press{first};
    for (int i = 0; i < laterCount; ++i)
        press.push_back(later);
    return press;
}

std::string bytesLsbFirst(const std::vector<uint8_t>& bytes) {
    std::string bits;
    for (uint8_t b : bytes)
        bits += lsbFirst(b, 8);
    return bits;
}

// NEC: unit 562.5 (SBP), header 16T -8T, <1,-1|1,-3>, stop 1T, ^108m;
// ditto 16T -4T 1T (SBP, IRP NEC1).
constexpr double kNec = 562.5;
const PulseCoding kNecBits{kNec, kNec, kNec, 3 * kNec};

Frame necDitto(double unit) {
    return FrameBuilder().mark(16 * unit).space(4 * unit).mark(unit).period(108000);
}

Frame necFrame(const std::string& bits, double unit = kNec) {
    const PulseCoding c{unit, unit, unit, 3 * unit};
    return FrameBuilder().mark(16 * unit).space(8 * unit).pulses(bits, c).mark(unit).period(108000);
}

} // namespace

KeyPress nec1(unsigned a, unsigned s, unsigned f, int repeats) {
    const std::string bits =
        lsbFirst(a, 8) + lsbFirst(s, 8) + lsbFirst(f, 8) + lsbFirst(~f & 0xFF, 8);
    return repeated(necFrame(bits), necDitto(kNec), repeats);
}

KeyPress nec2(unsigned a, unsigned s, unsigned f, int frames) {
    const std::string bits =
        lsbFirst(a, 8) + lsbFirst(s, 8) + lsbFirst(f, 8) + lsbFirst(~f & 0xFF, 8);
    return repeated(necFrame(bits), necFrame(bits), frames - 1);
}

// Dgtec (IRP): {38k,560} (16,-8,D:8,F:8,~F:8,1,^108m,(16,-4,1,^108m)*).
KeyPress dgtec(unsigned d, unsigned f, int repeats) {
    const std::string bits = lsbFirst(d, 8) + lsbFirst(f, 8) + lsbFirst(~f & 0xFF, 8);
    return repeated(necFrame(bits, 560), necDitto(560), repeats);
}

// IRMP NEC16: NEC header and bits, 8-bit address, a sync bit of a 560 mark
// and a 4500 space, 8-bit command, stop. Repeats: NEC ditto frames (chosen
// here; IRMP does not say).
KeyPress nec16Irmp(unsigned a, unsigned f, int repeats) {
    const PulseCoding c{560, 560, 560, 1690};
    const Frame first = FrameBuilder()
                            .mark(9000)
                            .space(4500)
                            .pulses(lsbFirst(a, 8), c)
                            .mark(560)
                            .space(4500)
                            .pulses(lsbFirst(f, 8), c)
                            .mark(560)
                            .period(108000);
    return repeated(first, necDitto(kNec), repeats);
}

// Shape chosen here (no public "NEC DNA"): NEC header and unit, two bits per
// gap of 1T, 2T, 3T or 4T for 00, 01, 10, 11, MSB first, full frames at 108 ms.
KeyPress necDna(uint32_t c16, uint32_t d16, int frames) {
    const std::string bits = msbFirst(c16, 16) + msbFirst(d16, 16);
    FrameBuilder b;
    b.mark(16 * kNec).space(8 * kNec);
    for (size_t i = 0; i < bits.size(); i += 2) {
        const int symbol = (bits[i] - '0') * 2 + (bits[i + 1] - '0');
        b.mark(kNec).space((symbol + 1) * kNec);
    }
    const Frame f = b.mark(kNec).period(108000);
    return repeated(f, f, frames - 1);
}

// Shape chosen here: 8-bit custom and data codes with NEC timing, no
// complements, NEC ditto repeats.
KeyPress nec8x8(unsigned c, unsigned d, int repeats) {
    return repeated(necFrame(lsbFirst(c, 8) + lsbFirst(d, 8)), necDitto(kNec), repeats);
}

// Samsung32 (AIR, ESP): +4500 -4500, 560 marks, spaces 560 / 1690, 16-bit
// custom code low byte first, F, ~F, stop, 108 ms; the frame is sent again.
KeyPress samsung32(unsigned c16, unsigned f, int frames) {
    const std::string bits = lsbFirst(c16, 16) + lsbFirst(f, 8) + lsbFirst(~f & 0xFF, 8);
    const Frame fr = FrameBuilder()
                         .mark(4500)
                         .space(4500)
                         .pulses(bits, {560, 560, 560, 1690})
                         .mark(560)
                         .period(108000);
    return repeated(fr, fr, frames - 1);
}

// Aiwa (IRP): {38.123k,550} (16,-8,D:8,S:5,~D:8,~S:5,F:8,~F:8,1,-42,(16,-8,1,-165)*).
KeyPress aiwa(unsigned d, unsigned s, unsigned f, int repeats) {
    const double t = 550;
    const std::string custom = lsbFirst(d, 8) + lsbFirst(s, 5);
    const std::string bits = custom + inverted(custom) + lsbFirst(f, 8) + lsbFirst(~f & 0xFF, 8);
    const Frame first = FrameBuilder()
                            .mark(16 * t)
                            .space(8 * t)
                            .pulses(bits, {t, t, t, 3 * t})
                            .mark(t)
                            .leadOut(42 * t);
    const Frame ditto = FrameBuilder().mark(16 * t).space(8 * t).mark(t).leadOut(165 * t);
    return repeated(first, ditto, repeats);
}

// Kaseikyo (IRP): {37k,432} (8,-4, bytes LSB first, 1,-173).
KeyPress kaseikyo(const std::vector<uint8_t>& bytes, int frames) {
    const double t = 432;
    const Frame f = FrameBuilder()
                        .mark(8 * t)
                        .space(4 * t)
                        .pulses(bytesLsbFirst(bytes), {t, t, t, 3 * t})
                        .mark(t)
                        .leadOut(173 * t);
    return repeated(f, f, frames - 1);
}

// Panasonic (IRP): 2:8, 32:8, D:8, S:8, F:8, (D^S^F):8.
KeyPress panasonic(unsigned d, unsigned s, unsigned f, int frames) {
    return kaseikyo({0x02, 0x20, uint8_t(d), uint8_t(s), uint8_t(f), uint8_t(d ^ s ^ f)}, frames);
}

// JVC-48 (IRP): 3:8, 1:8, D:8, S:8, F:8, (D^S^F):8.
KeyPress jvc48(unsigned d, unsigned s, unsigned f, int frames) {
    return kaseikyo({0x03, 0x01, uint8_t(d), uint8_t(s), uint8_t(f), uint8_t(d ^ s ^ f)}, frames);
}

// JVC-56: JVC-48 with one more byte before F; its check byte taken as the
// XOR of the four bytes after the OEM code.
KeyPress jvc56(unsigned d, unsigned s, unsigned e, unsigned f, int frames) {
    return kaseikyo(
        {0x03, 0x01, uint8_t(d), uint8_t(s), uint8_t(e), uint8_t(f), uint8_t(d ^ s ^ e ^ f)},
        frames);
}

// Mitsubishi-K (IRP): (8,-4,35:8,203:8,X:4,D:8,S:8,F:8,T:4,1,-100)
// {X=6, T=-S:4:0-S:4:4-F:4:0-F:4:4+15}.
KeyPress mitsubishiK(unsigned d, unsigned s, unsigned f, int frames) {
    const double t = 432;
    const unsigned check = (15u - (s & 15) - (s >> 4) - (f & 15) - (f >> 4)) & 15u;
    const std::string bits = lsbFirst(35, 8) + lsbFirst(203, 8) + lsbFirst(6, 4) + lsbFirst(d, 8) +
                             lsbFirst(s, 8) + lsbFirst(f, 8) + lsbFirst(check, 4);
    const Frame fr = FrameBuilder()
                         .mark(8 * t)
                         .space(4 * t)
                         .pulses(bits, {t, t, t, 3 * t})
                         .mark(t)
                         .leadOut(100 * t);
    return repeated(fr, fr, frames - 1);
}

// Panasonic air conditioner (ESP): section 1 is 02 20 E0 04 00 00 00 06 and
// +432 -10000, section 2 holds the 19 bytes of the state; AEHA timing.
KeyPress panasonicAc(const std::vector<uint8_t>& section2) {
    const double t = 432;
    const PulseCoding c{t, t, t, 3 * t};
    const std::vector<uint8_t> section1 = {0x02, 0x20, 0xE0, 0x04, 0x00, 0x00, 0x00, 0x06};
    return {FrameBuilder()
                .mark(3456)
                .space(1728)
                .pulses(bytesLsbFirst(section1), c)
                .mark(t)
                .leadOut(10000),
            FrameBuilder()
                .mark(3456)
                .space(1728)
                .pulses(bytesLsbFirst(section2), c)
                .mark(t)
                .leadOut(100000)};
}

// The generic AEHA frame (ESPH): header, any number of bytes, trailer.
KeyPress aehaAnyLength(const std::vector<uint8_t>& bytes, int frames) {
    return kaseikyo(bytes, frames);
}

// JVC (IRP): {37.9k,527} (16,-8,D:8,F:8,1,^59.08m,(D:8,F:8,1,^46.42m)*).
KeyPress jvc(unsigned d, unsigned f, int repeats) {
    const double t = 527;
    const std::string bits = lsbFirst(d, 8) + lsbFirst(f, 8);
    const PulseCoding c{t, t, t, 3 * t};
    const Frame first =
        FrameBuilder().mark(16 * t).space(8 * t).pulses(bits, c).mark(t).period(59080);
    const Frame later = FrameBuilder().pulses(bits, c).mark(t).period(46420);
    return repeated(first, later, repeats);
}

namespace {

// Sharp and Denon (IRP): {38k,264}<1,-3|1,-7>(D:5,F:8,E:2,1,^67m) halves,
// alternately with the command and the frame bits inverted.
KeyPress sharpFamily(unsigned a, unsigned f, unsigned frameBits, int halves) {
    const double t = 264;
    const PulseCoding c{t, 3 * t, t, 7 * t};
    KeyPress press;
    for (int i = 0; i < halves; ++i) {
        const bool inv = i % 2 == 1;
        const std::string bits = lsbFirst(a, 5) + lsbFirst(inv ? ~f & 0xFF : f, 8) +
                                 lsbFirst(inv ? ~frameBits & 3 : frameBits, 2);
        press.push_back(FrameBuilder().pulses(bits, c).mark(t).period(67000));
    }
    return press;
}

} // namespace

KeyPress sharp(unsigned a, unsigned f, int halves) {
    return sharpFamily(a, f, 1, halves);
}

KeyPress denon(unsigned a, unsigned f, int halves) {
    return sharpFamily(a, f, 0, halves);
}

// Mitsubishi (IRP): {32.6k,300}<1,-3|1,-7>(D:8,F:8,1,-80)*.
KeyPress mitsubishi(unsigned d, unsigned f, int frames) {
    const double t = 300;
    const Frame fr = FrameBuilder()
                         .pulses(lsbFirst(d, 8) + lsbFirst(f, 8), {t, 3 * t, t, 7 * t})
                         .mark(t)
                         .leadOut(80 * t);
    return repeated(fr, fr, frames - 1);
}

// RCA (IRP): {58k,460,msb}<1,-2|1,-4>(8,-8,D:4,F:8,~D:4,~F:8,1,-16)*.
KeyPress rca(unsigned a, unsigned f, int frames, double t) {
    const std::string bits =
        msbFirst(a, 4) + msbFirst(f, 8) + msbFirst(~a & 15, 4) + msbFirst(~f & 0xFF, 8);
    const Frame fr = FrameBuilder()
                         .mark(8 * t)
                         .space(8 * t)
                         .pulses(bits, {t, 2 * t, t, 4 * t})
                         .mark(t)
                         .leadOut(16 * t);
    return repeated(fr, fr, frames - 1);
}

// RCA(Old) (IRP): ([40][8],-8,D:4,F:8,~D:4,~F:8,2,-16)+.
KeyPress rcaOld(unsigned a, unsigned f, int frames) {
    const double t = 460;
    const std::string bits =
        msbFirst(a, 4) + msbFirst(f, 8) + msbFirst(~a & 15, 4) + msbFirst(~f & 0xFF, 8);
    auto frame = [&](double head) {
        return FrameBuilder()
            .mark(head * t)
            .space(8 * t)
            .pulses(bits, {t, 2 * t, t, 4 * t})
            .mark(2 * t)
            .leadOut(16 * t);
    };
    return repeated(frame(40), frame(8), frames - 1);
}

// Bose (IRP): {38.0k,500,msb}<1,-1|1,-3>(2,-3,F:8,~F:8,1,-50m)*.
KeyPress bose(unsigned f, int frames) {
    const double t = 500;
    const Frame fr = FrameBuilder()
                         .mark(2 * t)
                         .space(3 * t)
                         .pulses(msbFirst(f, 8) + msbFirst(~f & 0xFF, 8), {t, t, t, 3 * t})
                         .mark(t)
                         .leadOut(50000);
    return repeated(fr, fr, frames - 1);
}

// Thomson7 / Thomson (IRP): {33k,500}<1,-4|1,-9>(D:4,T:1,F:7,1,^80m) and
// (D:4,T:1,D:1:4,F:6,1,^80m).
KeyPress thomson7(unsigned d, unsigned t, unsigned f, int frames) {
    const Frame fr =
        FrameBuilder()
            .pulses(lsbFirst(d, 4) + lsbFirst(t, 1) + lsbFirst(f, 7), {500, 2000, 500, 4500})
            .mark(500)
            .period(80000);
    return repeated(fr, fr, frames - 1);
}

KeyPress thomson(unsigned d, unsigned t, unsigned f, int frames) {
    const std::string bits =
        lsbFirst(d & 15, 4) + lsbFirst(t, 1) + lsbFirst(d >> 4, 1) + lsbFirst(f, 6);
    const Frame fr = FrameBuilder().pulses(bits, {500, 2000, 500, 4500}).mark(500).period(80000);
    return repeated(fr, fr, frames - 1);
}

// RECS80 (IRP, UEI 0045): {38k,158,msb}<1,-31|1,-47>(1:1,T:1,D:3,F:6,1,-45m)*.
KeyPress recs80(unsigned t, unsigned d, unsigned f, int frames) {
    const double u = 158;
    const Frame fr =
        FrameBuilder()
            .pulses("1" + msbFirst(t, 1) + msbFirst(d, 3) + msbFirst(f, 6), {u, 31 * u, u, 47 * u})
            .mark(u)
            .leadOut(45000);
    return repeated(fr, fr, frames - 1);
}

// Telefunken (IRMP): +600 -1500, 15 command bits MSB first, 0 = +600 -600,
// 1 = +600 -1500, stop, 22 ms pause before a repeat.
KeyPress telefunken(unsigned command, int frames) {
    const Frame fr = FrameBuilder()
                         .mark(600)
                         .space(1500)
                         .pulses(msbFirst(command, 15), {600, 600, 600, 1500})
                         .mark(600)
                         .leadOut(22000);
    return repeated(fr, fr, frames - 1);
}

// PaceMSS (IRP): {38k,630,msb}<1,-7|1,-11>(1,-5,1,-5,T:1,D:1,F:8,1,^120m)*.
KeyPress paceMss(unsigned t, unsigned d, unsigned f, int frames) {
    const double u = 630;
    const Frame fr =
        FrameBuilder()
            .mark(u)
            .space(5 * u)
            .mark(u)
            .space(5 * u)
            .pulses(msbFirst(t, 1) + msbFirst(d, 1) + msbFirst(f, 8), {u, 7 * u, u, 11 * u})
            .mark(u)
            .period(120000);
    return repeated(fr, fr, frames - 1);
}

// Dish_Network (IRP): {57.6k,406}<1,-7|1,-4>(1,-15,(F:-6,S:5,D:5,1,-15)+):
// the lead-in only once, then frames that each end with +406 -6090.
KeyPress dishNetwork(unsigned f, unsigned s, unsigned d, int frames) {
    const double t = 406;
    const std::string bits = msbFirst(f, 6) + lsbFirst(s, 5) + lsbFirst(d, 5);
    const PulseCoding c{t, 7 * t, t, 4 * t};
    const Frame first =
        FrameBuilder().mark(t).space(15 * t).pulses(bits, c).mark(t).leadOut(15 * t);
    const Frame later = FrameBuilder().pulses(bits, c).mark(t).leadOut(15 * t);
    return repeated(first, later, frames - 1);
}

// ITT (SBP): 14 pulses of 10 us; pulse-to-pulse intervals 100 = 0, 200 = 1,
// 300 before the start pulse and before the final pulse; start bit 0,
// address 4 and command 6 bits, LSB first (the current SBP page).
KeyPress itt(unsigned address, unsigned command) {
    FrameBuilder b;
    b.mark(10).space(290).mark(10);
    for (char bit : "0" + lsbFirst(address, 4) + lsbFirst(command, 6))
        b.space(bit == '1' ? 190 : 90).mark(10);
    return {b.space(290).mark(10).leadOut(100000)};
}

// De'Longhi (ESP): +8984 -4200, 64 bits LSB first, mark 572, 1 = -1558,
// 0 = -510, stop; sent once.
KeyPress delonghi(uint64_t state) {
    return {FrameBuilder()
                .mark(8984)
                .space(4200)
                .pulses(lsbFirst(state, 64), {572, 510, 572, 1558})
                .mark(572)
                .leadOut(100000)};
}

// SanyoAc (ESP): +8500 -4200, mark 500, 1 = -1600, 0 = -550, 9 bytes LSB first.
KeyPress sanyoAc(const std::vector<uint8_t>& bytes) {
    return {FrameBuilder()
                .mark(8500)
                .space(4200)
                .pulses(bytesLsbFirst(bytes), {500, 550, 500, 1600})
                .mark(500)
                .leadOut(100000)};
}

// Daikin ARC433 (ESP): five 0 bits and +428 -29428, then each section
// +3650 -1623, its bytes LSB first (1 = +428 -1280, 0 = +428 -428), +428 -29428.
KeyPress daikin(const std::vector<uint8_t>& s1, const std::vector<uint8_t>& s2,
                const std::vector<uint8_t>& s3) {
    const PulseCoding c{428, 428, 428, 1280};
    KeyPress press{FrameBuilder().pulses("00000", c).mark(428).leadOut(29000)};
    for (const auto* s : {&s1, &s2, &s3})
        press.push_back(FrameBuilder()
                            .mark(3650)
                            .space(1623)
                            .pulses(bytesLsbFirst(*s), c)
                            .mark(428)
                            .leadOut(29000));
    return press;
}

// IRP "Panasonic_Old" as recalled, not checked against the file (unverified):
// {57.6k,833}<1,-1|1,-3>(4,-4,D:5,F:6,~D:5,~F:6,1,-44m)*.
KeyPress panasonicOld(unsigned d, unsigned f, int frames) {
    const double t = 833;
    const std::string bits =
        lsbFirst(d, 5) + lsbFirst(f, 6) + lsbFirst(~d & 31, 5) + lsbFirst(~f & 63, 6);
    const Frame fr = FrameBuilder()
                         .mark(4 * t)
                         .space(4 * t)
                         .pulses(bits, {t, t, t, 3 * t})
                         .mark(t)
                         .leadOut(44000);
    return repeated(fr, fr, frames - 1);
}

// Sony SIRC (SBP, IRP): {40k,600}<1,-1|2,-1>(4,-1,F:7,D:n,^45m)*, no stop bit.
KeyPress sony(unsigned f, unsigned address, int addressBits, int frames) {
    const Frame fr =
        FrameBuilder()
            .mark(2400)
            .space(600)
            .pulses(lsbFirst(f, 7) + lsbFirst(address, addressBits), {600, 600, 1200, 600})
            .period(45000);
    return repeated(fr, fr, frames - 1);
}

// Sony8 (IRP): (4,-1,F:8,^45m)*.
KeyPress sony8(unsigned f, int frames) {
    const Frame fr = FrameBuilder()
                         .mark(2400)
                         .space(600)
                         .pulses(lsbFirst(f, 8), {600, 600, 1200, 600})
                         .period(45000);
    return repeated(fr, fr, frames - 1);
}

// RC-5 (SBP, IRP): {36k,msb,889}<1,-1|-1,1>(1,~F:1:6,T:1,D:5,F:6,^114m);
// the period is 64 bit cells, 113.778 ms (SBP).
KeyPress rc5(unsigned address, unsigned command7, unsigned toggle, int frames) {
    const std::string bits = "1" + msbFirst(~(command7 >> 6) & 1, 1) + msbFirst(toggle, 1) +
                             msbFirst(address, 5) + msbFirst(command7 & 63, 6);
    const Frame fr = FrameBuilder().biphase(bits, 889, false).period(113778);
    return repeated(fr, fr, frames - 1);
}

// RC5x (IRP, LNX): (1,~S:1:6,T:1,D:5,-4,S:6,F:6,^114m).
KeyPress rc5x(unsigned d, unsigned s7, unsigned f, unsigned toggle, int frames) {
    const std::string head =
        "1" + msbFirst(~(s7 >> 6) & 1, 1) + msbFirst(toggle, 1) + msbFirst(d, 5);
    const Frame fr = FrameBuilder()
                         .biphase(head, 889, false)
                         .space(4 * 889)
                         .biphase(msbFirst(s7 & 63, 6) + msbFirst(f, 6), 889, false)
                         .period(113778);
    return repeated(fr, fr, frames - 1);
}

namespace {

// RC-6 (SBP, IRP): {36k,444,msb}<-1,1|1,-1>, leader 6T -2T, start 1, three
// mode bits, a trailer bit of double length.
FrameBuilder rc6Start(unsigned mode, unsigned trailer) {
    FrameBuilder b;
    b.mark(6 * 444).space(2 * 444).biphase("1" + msbFirst(mode, 3), 444, true);
    b.biphase(msbFirst(trailer, 1), 888, true);
    return b;
}

} // namespace

KeyPress rc6Mode0(unsigned a, unsigned f, unsigned toggle, int frames) {
    const Frame fr =
        rc6Start(0, toggle).biphase(msbFirst(a, 8) + msbFirst(f, 8), 444, true).period(107000);
    return repeated(fr, fr, frames - 1);
}

// MCE (IRP): (6,-2,1:1,6:3,-2,2,OEM1:8,S:8,T:1,D:7,F:8,^107m) {OEM1=128}.
KeyPress rc6Mce(unsigned oem2, unsigned toggle, unsigned d7, unsigned f, int frames) {
    const std::string bits = msbFirst(128, 8) + msbFirst(oem2, 8) + msbFirst(toggle, 1) +
                             msbFirst(d7, 7) + msbFirst(f, 8);
    const Frame fr = rc6Start(6, 0).biphase(bits, 444, true).period(107000);
    return repeated(fr, fr, frames - 1);
}

// Replay / RC6-6-24 (IRP): (6,-2,1:1,6:3,<-2,2|2,-2>(T:1),D:8,S:8,F:8,-100m).
KeyPress rc6Replay(unsigned d, unsigned s, unsigned f, unsigned trailer, int frames) {
    const Frame fr = rc6Start(6, trailer)
                         .biphase(msbFirst(d, 8) + msbFirst(s, 8) + msbFirst(f, 8), 444, true)
                         .leadOut(100000);
    return repeated(fr, fr, frames - 1);
}

// Blaupunkt / Grundig bi-phase (IRP): {30.3k,512}<-1,1|1,-1>(1,-5,1023:10,-44,
// (1,-5,1:1,F:6,D:3,-236)+,1,-5,1023:10,-44).
KeyPress blaupunkt(unsigned f, unsigned d, int infoFrames) {
    const double t = 512;
    auto frame = [&](const std::string& bits, double gapUnits) {
        return FrameBuilder().mark(t).space(5 * t).biphase(bits, t, true).leadOut(gapUnits * t);
    };
    KeyPress press{frame(lsbFirst(1023, 10), 44)};
    for (int i = 0; i < infoFrames; ++i)
        press.push_back(frame("1" + lsbFirst(f, 6) + lsbFirst(d, 3), 236));
    press.push_back(frame(lsbFirst(1023, 10), 44));
    return press;
}

// NRC17 (SBP, IRP): {500,38k}<-1,1|1,-1>(1,-5,1:1,254:8,255:8,-28,
// (1,-5,1:1,F:8,D:8,-220)*,1,-5,1:1,254:8,255:8,-200); D = address + 16 * subcode.
KeyPress nrc17(unsigned command, unsigned address, unsigned subcode, int keyFrames) {
    const double t = 500;
    auto frame = [&](unsigned f, unsigned d, double gapUnits) {
        return FrameBuilder()
            .mark(t)
            .space(5 * t)
            .biphase("1" + lsbFirst(f, 8) + lsbFirst(d, 8), t, true)
            .leadOut(gapUnits * t);
    };
    KeyPress press{frame(254, 255, 28)};
    for (int i = 0; i < keyFrames; ++i)
        press.push_back(frame(command, address + 16 * subcode, 220));
    press.push_back(frame(254, 255, 200));
    return press;
}

// RC-MM (IRP Nokia*, ESP): {36k,1p,msb}<6,-10|6,-16|6,-22|6,-28>(15,-10,bits,6,^100m).
KeyPress rcmm(const std::string& bits, int frames) {
    const double p = 1000.0 / 36.0;
    FrameBuilder b;
    b.mark(15 * p).space(10 * p);
    for (size_t i = 0; i + 1 < bits.size(); i += 2) {
        const int symbol = (bits[i] - '0') * 2 + (bits[i + 1] - '0');
        b.mark(6 * p).space((10 + 6 * symbol) * p);
    }
    const Frame fr = b.mark(6 * p).period(100000);
    return repeated(fr, fr, frames - 1);
}

// Grundig16 (IRP): {35.7k,578,msb}<-4,2|-3,1,-1,1|-2,1,-2,1|-1,1,-3,1>
// (806u,-2960u,1346u,T:1,F:8,D:7,-100).
KeyPress grundig16(unsigned t, unsigned f, unsigned d, int frames) {
    const double u = 578;
    const std::string bits = msbFirst(t, 1) + msbFirst(f, 8) + msbFirst(d, 7);
    FrameBuilder b;
    b.mark(806).space(2960).mark(1346);
    for (size_t i = 0; i < bits.size(); i += 2) {
        switch ((bits[i] - '0') * 2 + (bits[i + 1] - '0')) {
        case 0:
            b.space(4 * u).mark(2 * u);
            break;
        case 1:
            b.space(3 * u).mark(u).space(u).mark(u);
            break;
        case 2:
            b.space(2 * u).mark(u).space(2 * u).mark(u);
            break;
        default:
            b.space(u).mark(u).space(3 * u).mark(u);
            break;
        }
    }
    const Frame fr = b.leadOut(100 * u);
    return repeated(fr, fr, frames - 1);
}

namespace {

void zenithSymbol(FrameBuilder& b, char symbol) {
    if (symbol == '1')
        b.mark(520).space(520).mark(520).space(4160);
    else
        b.mark(520).space(5200);
}

} // namespace

// Zenith (IRP): {40k,520,msb}<1,-10|1,-1,1,-8>(S:1,<1:2|2:2>(F:D),-90m):
// a data 0 is the symbols 0 1, a data 1 the symbols 1 0.
KeyPress zenith(unsigned s, int bits, unsigned f, int frames) {
    FrameBuilder b;
    zenithSymbol(b, s ? '1' : '0');
    for (char bit : msbFirst(f, bits)) {
        zenithSymbol(b, bit == '1' ? '1' : '0');
        zenithSymbol(b, bit == '1' ? '0' : '1');
    }
    const Frame fr = b.leadOut(90000);
    return repeated(fr, fr, frames - 1);
}

// Shape chosen here for the extra-pair rule: Zenith's symbols sent one per
// bit after a +520 -2600 lead-in, then a stop mark, 150 ms frames.
KeyPress doublePulse(const std::string& symbols, int frames) {
    FrameBuilder b;
    b.mark(520).space(2600);
    for (char s : symbols)
        zenithSymbol(b, s);
    const Frame fr = b.mark(520).period(150000);
    return repeated(fr, fr, frames - 1);
}

// Shape chosen here for the run rule: 1000 us cells, a 1 is a 450 us burst
// at the start of its cell, a 0 cell stays dark; start 1, 8 data bits LSB
// first, stop 1, 50 ms frames.
KeyPress pulsePerOne(unsigned data, int frames) {
    FrameBuilder b;
    for (char bit : "1" + lsbFirst(data, 8) + "1") {
        if (bit == '1')
            b.mark(450).space(550);
        else
            b.space(1000);
    }
    const Frame fr = b.period(50000);
    return repeated(fr, fr, frames - 1);
}

// Shape chosen here for "SE 30 bits": three async characters (start 0, 8
// data bits LSB first, stop 1), 3.6 ms per bit, light for 0, 300 ms frames: the silence after a
// frame is longer than a frame, so a run-length reader can tell where it ends.
KeyPress async3(const std::vector<uint8_t>& bytes, int frames) {
    FrameBuilder b;
    for (uint8_t byte : bytes)
        for (char bit : "0" + lsbFirst(byte, 8) + "1") {
            if (bit == '0')
                b.mark(3600);
            else
                b.space(3600);
        }
    const Frame fr = b.period(300000);
    return repeated(fr, fr, frames - 1);
}

} // namespace irproto
