#include "protocol_cases.h"

#include "ir_protocols.h"

#include <stdexcept>

namespace cases {

namespace {

using irsig::inverted;
using lines::data;
using lines::Part;
using lines::plain;
namespace P = irproto;

std::string L(uint64_t v, int n) {
    return irsig::lsbFirst(v, n);
}
std::string M(uint64_t v, int n) {
    return irsig::msbFirst(v, n);
}

template <class T> T pick(Code c, T zeros, T ones, T mixed) {
    return c == Code::Zeros ? zeros : c == Code::Ones ? ones : mixed;
}

std::vector<Group> every(size_t n, const Group& g) {
    return std::vector<Group>(n, g);
}

// The first group shows the code; repeat groups (ditto frames) show nothing.
std::vector<Group> firstOnly(size_t n, const Group& g) {
    std::vector<Group> out(n);
    out[0] = g;
    return out;
}

std::string bytesL(const std::vector<uint8_t>& bytes) {
    std::string s;
    for (auto b : bytes)
        s += L(b, 8);
    return s;
}

double noneUncounted(const irsig::Capture&, size_t) {
    return 0;
}

// A time of every group, by its place in the group.
std::function<double(const irsig::Capture&, size_t)> cellOfEveryGroup(size_t cell) {
    return [cell](const irsig::Capture& c, size_t g) {
        return static_cast<double>(c.times[c.frameStarts[g] + cell]);
    };
}

// Times of the first group only.
std::function<double(const irsig::Capture&, size_t)> cellsOfFirstGroup(size_t first, size_t count) {
    return [first, count](const irsig::Capture& c, size_t g) {
        double t = 0;
        if (g == 0)
            for (size_t i = 0; i < count; ++i)
                t += static_cast<double>(c.times[c.frameStarts[0] + first + i]);
        return t;
    };
}

// --------------------------------------------------------------- NEC family

Press nec1Case(unsigned a, unsigned f) {
    const unsigned s = ~a & 0xFF;
    return {P::nec1(a, s, f, 2),
            firstOnly(3, {{plain(L(a, 8), true), plain(L(s, 8), true), data(L(f, 8), true),
                           plain(L(~f & 0xFF, 8), true)}})};
}

Press nec1Devices(Code c, unsigned device) {
    return nec1Case(pick<unsigned>(c, 0x00, 0xFF, device), pick<unsigned>(c, 0x00, 0xFF, 0x12));
}

std::vector<ProtocolCase> makeCases() {
    std::vector<ProtocolCase> v;
    auto add = [&](std::string key, std::string name, std::function<Press(Code)> make,
                   std::function<double(const irsig::Capture&, size_t)> uncounted = noneUncounted) {
        ProtocolCase pc;
        pc.key = std::move(key);
        pc.protocol = std::move(name);
        pc.make = std::move(make);
        pc.uncounted = std::move(uncounted);
        v.push_back(std::move(pc));
    };

    add("Form016", "NEC", [](Code c) {
        return nec1Case(pick<unsigned>(c, 0, 0xFF, 0x04), pick<unsigned>(c, 0, 0xFF, 0x08));
    });
    add("Form041", "ToshibaNEC", [](Code c) { return nec1Devices(c, 0x40); });
    add("Form060", "KenwoodNEC", [](Code c) { return nec1Devices(c, 0xB8); });
    add("Form043", "NEC16", [](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 0xFFFF, 0x1204),
                       f = pick<unsigned>(c, 0, 0xFF, 0x08);
        return Press{P::nec1(a & 0xFF, a >> 8, f, 2),
                     firstOnly(3, {{plain(L(a, 16), true), data(L(f, 8), true),
                                    plain(L(~f & 0xFF, 8), true)}})};
    });
    add("Form017", "NEC2", [](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 0xFF, 0x04), f = pick<unsigned>(c, 0, 0xFF, 0x08);
        return Press{P::nec2(a, ~a & 0xFF, f, 3),
                     every(3, {{plain(L(a, 8), true), plain(L(~a & 0xFF, 8), true),
                                data(L(f, 8), true), plain(L(~f & 0xFF, 8), true)}})};
    });
    add("Form129", "Dgtec", [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 0xFF, 0x04), f = pick<unsigned>(c, 0, 0xFF, 0x08);
        return Press{P::dgtec(d, f, 2), firstOnly(3, {{plain(L(d, 8), true), data(L(f, 8), true),
                                                       plain(L(~f & 0xFF, 8), true)}})};
    });
    add("Form133", "NEC8x8", [](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 0xFF, 0x5A), d = pick<unsigned>(c, 0, 0xFF, 0x31);
        return Press{P::nec8x8(a, d, 2),
                     firstOnly(3, {{plain(L(a, 8), true), data(L(d, 8), true)}})};
    });
    add("Form134", "NEC16IRMP", [](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 0xFF, 0x2C), f = pick<unsigned>(c, 0, 0xFF, 0x91);
        return Press{P::nec16Irmp(a, f, 2),
                     firstOnly(3, {{plain(L(a, 8), true), data(L(f, 8), true)}})};
    });
    add("Form142", "NECDNA", [](Code c) {
        const uint32_t a = pick<uint32_t>(c, 0, 0xFFFF, 0x1B4E),
                       d = pick<uint32_t>(c, 0, 0xFFFF, 0x9C27);
        return Press{P::necDna(a, d, 3),
                     every(3, {{plain(M(a, 16), false), data(M(d, 16), false)}})};
    });
    add("Form052", "Samsung32", [](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 0xFFFF, 0x0707),
                       f = pick<unsigned>(c, 0, 0xFF, 0x02);
        return Press{P::samsung32(a, f, 3), every(3, {{plain(L(a, 16), true), data(L(f, 8), true),
                                                       plain(L(~f & 0xFF, 8), true)}})};
    });
    add("Form001", "AiwaNEC42", [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 0xFF, 110), s = pick<unsigned>(c, 0, 31, 0),
                       f = pick<unsigned>(c, 0, 0xFF, 12);
        const std::string custom = L(d, 8) + L(s, 5);
        return Press{P::aiwa(d, s, f, 2),
                     firstOnly(3, {{plain(custom, true), plain(inverted(custom), true),
                                    data(L(f, 8), true), plain(L(~f & 0xFF, 8), true)}})};
    });

    // ------------------------------------------------ Kaseikyo / AEHA family
    auto kaseikyo48 = [](Code c, uint8_t m, uint8_t n, auto make) {
        const unsigned d = pick<unsigned>(c, 0, 0xFF, 0x10), s = pick<unsigned>(c, 0, 0xFF, 0xFF),
                       f = pick<unsigned>(c, 0, 0xFF, 0x76);
        return Press{make(d, s, f, 3),
                     every(3, {{plain(L(m, 8) + L(n, 8), true), plain(L(d, 8) + L(s, 8), true),
                                data(L(f, 8), true), plain(L(d ^ s ^ f, 8), true)}})};
    };
    add("Form012", "Panasonic", [=](Code c) { return kaseikyo48(c, 0x02, 0x20, P::panasonic); });
    add("Form132", "JVC48", [=](Code c) { return kaseikyo48(c, 0x03, 0x01, P::jvc48); });
    add("Form144", "JVC56", [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 0xFF, 0x21), s = pick<unsigned>(c, 0, 0xFF, 0x43),
                       e = pick<unsigned>(c, 0, 0xFF, 0x65), f = pick<unsigned>(c, 0, 0xFF, 0x87);
        return Press{
            P::jvc56(d, s, e, f, 3),
            every(3, {{plain(L(3, 8) + L(1, 8), true), plain(L(d, 8) + L(s, 8) + L(e, 8), true),
                       data(L(f, 8), true), plain(L(d ^ s ^ e ^ f, 8), true)}})};
    });
    add("Form014", "MitsubishiK", [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 0xFF, 0x12), s = pick<unsigned>(c, 0, 0xFF, 0x34),
                       f = pick<unsigned>(c, 0, 0xFF, 0x56);
        const unsigned check = (15u - (s & 15) - (s >> 4) - (f & 15) - (f >> 4)) & 15u;
        return Press{
            P::mitsubishiK(d, s, f, 3),
            every(3, {{plain(L(35, 8) + L(203, 8), true), plain(L(6, 4) + L(d, 8) + L(s, 8), true),
                       data(L(f, 8) + L(check, 4), true)}})};
    });
    add("Form063", "PanasonicAC", [](Code c) {
        std::vector<uint8_t> s2 = {0x02, 0x20, 0xE0, 0x04, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00,
                                   0x00, 0x0E, 0xE0, 0x00, 0x00, 0x81, 0x00, 0x00, 0x00};
        if (c == Code::Ones)
            for (size_t i = 5; i < 18; ++i)
                s2[i] = 0xFF;
        if (c == Code::Mixed) {
            s2[5] = 0x39; // power on, cool
            s2[6] = 0x30; // 24 degrees
            s2[8] = 0xA3; // fan auto, swing 3
        }
        unsigned sum = 0;
        for (size_t i = 0; i < 18; ++i)
            sum += s2[i];
        s2[18] = static_cast<uint8_t>(sum);
        const std::vector<uint8_t> s1 = {0x02, 0x20, 0xE0, 0x04, 0x00, 0x00, 0x00, 0x06};
        return Press{P::panasonicAc(s2), {{{data(bytesL(s1), true)}}, {{data(bytesL(s2), true)}}}};
    });
    add("Form098", "AEHAanyLength", [](Code c) {
        const auto bytes = pick<std::vector<uint8_t>>(c, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
                                                      std::vector<uint8_t>(9, 0xFF),
                                                      {0x02, 0x20, 0xE0, 0x04, 0x1F, 0x2E, 0x93});
        return Press{P::aehaAnyLength(bytes, 2), every(2, {{data(bytesL(bytes), true)}})};
    });
    add("Form064", "DaikinAC", [](Code c) {
        std::vector<uint8_t> s1 = {0x11, 0xDA, 0x27, 0x00, 0xC5, 0x00, 0x00, 0x00};
        std::vector<uint8_t> s2 = {0x11, 0xDA, 0x27, 0x00, 0x42, 0x00, 0x00, 0x00};
        std::vector<uint8_t> s3 = {0x11, 0xDA, 0x27, 0x00, 0x00, 0x49, 0x1E, 0x00, 0xB0, 0x00,
                                   0x00, 0x06, 0x60, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00};
        if (c == Code::Zeros)
            for (auto* s : {&s1, &s2, &s3})
                std::fill(s->begin() + 3, s->end(), 0);
        if (c == Code::Ones)
            for (auto* s : {&s1, &s2, &s3})
                std::fill(s->begin() + 3, s->end(), 0xFF);
        for (auto* s : {&s1, &s2, &s3}) {
            unsigned sum = 0;
            for (size_t i = 0; i + 1 < s->size(); ++i)
                sum += (*s)[i];
            s->back() = static_cast<uint8_t>(sum);
        }
        return Press{P::daikin(s1, s2, s3),
                     {{{data("00000", true)}},
                      {{data(bytesL(s1), true)}},
                      {{data(bytesL(s2), true)}},
                      {{data(bytesL(s3), true)}}}};
    });
    add("Form057", "Delonghi", [](Code c) {
        const uint64_t state = pick<uint64_t>(c, 0, ~0ull, 0x5400000000000153ull);
        return Press{P::delonghi(state), {{{data(L(state, 64), true)}}}};
    });
    add("Form143", "SanyoAC", [](Code c) {
        const auto bytes = pick<std::vector<uint8_t>>(
            c, std::vector<uint8_t>(9, 0x00), std::vector<uint8_t>(9, 0xFF),
            {0x6A, 0x71, 0x00, 0x00, 0x47, 0x16, 0x00, 0x20, 0x6E});
        return Press{P::sanyoAc(bytes), {{{data(bytesL(bytes), true)}}}};
    });

    // ----------------------------------------------- other pulse-distance
    add(
        "Form011", "JVC",
        [](Code c) {
            const unsigned d = pick<unsigned>(c, 0, 0xFF, 0x03),
                           f = pick<unsigned>(c, 0, 0xFF, 0x17);
            return Press{P::jvc(d, f, 2), every(3, {{plain(L(d, 8), true), data(L(f, 8), true)}})};
        },
        cellsOfFirstGroup(0, 2));
    auto sharpCase = [](Code c, unsigned frameBits, auto make) {
        const unsigned a = pick<unsigned>(c, 0, 31, 3), f = pick<unsigned>(c, 0, 0xFF, 0x11);
        const Group normal{
            {plain(L(a, 5), true), data(L(f, 8), true), plain(L(frameBits, 2), true)}};
        const Group inv{
            {plain(L(a, 5), true), data(L(~f & 0xFF, 8), true), plain(L(~frameBits & 3, 2), true)}};
        return Press{make(a, f, 3), {normal, inv, normal}};
    };
    add("Form033", "Sharp", [=](Code c) { return sharpCase(c, 1, P::sharp); });
    add("Form062", "SharpCopy", [=](Code c) { return sharpCase(c, 1, P::sharp); });
    add("Form048", "Denon", [=](Code c) { return sharpCase(c, 0, P::denon); });
    add("Form013", "Mitsubishi", [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 0xFF, 0x01), f = pick<unsigned>(c, 0, 0xFF, 0x2A);
        return Press{P::mitsubishi(d, f, 3),
                     every(3, {{plain(L(d, 8), true), data(L(f, 8), true)}})};
    });
    auto rcaGroup = [](unsigned a, unsigned f) {
        return Group{{plain(M(a, 4), false), data(M(f, 8), false), plain(M(~a & 15, 4), false),
                      plain(M(~f & 0xFF, 8), false)}};
    };
    add("Form032", "RCA", [=](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 15, 0xA), f = pick<unsigned>(c, 0, 0xFF, 0x68);
        return Press{P::rca(a, f, 3), every(3, rcaGroup(a, f))};
    });
    add("Form058", "RCA38", [=](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 15, 0x5), f = pick<unsigned>(c, 0, 0xFF, 0xC3);
        return Press{P::rca(a, f, 3), every(3, rcaGroup(a, f))};
    });
    add("Form061", "RCAold", [=](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 15, 0xA), f = pick<unsigned>(c, 0, 0xFF, 0x68);
        return Press{P::rcaOld(a, f, 3), every(3, rcaGroup(a, f))};
    });
    add("Form044", "Bose", [](Code c) {
        const unsigned f = pick<unsigned>(c, 0, 0xFF, 0x4C);
        return Press{P::bose(f, 3),
                     every(3, {{data(M(f, 8), false), plain(M(~f & 0xFF, 8), false)}})};
    });
    add("Form005", "Thomson", [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 31, 0x13), t = pick<unsigned>(c, 0, 1, 0),
                       f = pick<unsigned>(c, 0, 63, 46);
        return Press{P::thomson(d, t, f, 3),
                     every(3, {{plain(L(d & 15, 4), true), plain(L(t, 1), true),
                                plain(L(d >> 4, 1), true), data(L(f, 6), true)}})};
    });
    auto thomson7 = [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 15, 0x6), t = pick<unsigned>(c, 0, 1, 1),
                       f = pick<unsigned>(c, 0, 127, 92);
        return Press{P::thomson7(d, t, f, 3),
                     every(3, {{plain(L(d, 4), true), plain(L(t, 1), true), data(L(f, 7), true)}})};
    };
    add("Form006", "Thomson7", thomson7);
    add("Form039", "Thomson7", thomson7);
    auto recs80 = [](Code c) {
        const unsigned t = pick<unsigned>(c, 0, 1, 1), d = pick<unsigned>(c, 0, 7, 5),
                       f = pick<unsigned>(c, 0, 63, 0x2B);
        return Press{P::recs80(t, d, f, 3),
                     every(3, {{plain("1", false), plain(M(t, 1), false), plain(M(d, 3), false),
                                data(M(f, 6), false)}})};
    };
    add("Form007", "RECS80", recs80);
    add("Form038", "RECS80", recs80);
    add("Form037", "Telefunken", [](Code c) {
        const unsigned cmd = pick<unsigned>(c, 0, 0x7FFF, 0x1234);
        return Press{P::telefunken(cmd, 3), every(3, {{data(M(cmd, 15), false)}})};
    });
    add("Form023", "PaceMSS", [](Code c) {
        const unsigned t = pick<unsigned>(c, 0, 1, 0), d = pick<unsigned>(c, 0, 1, 1),
                       f = pick<unsigned>(c, 0, 0xFF, 0x26);
        return Press{
            P::paceMss(t, d, f, 3),
            every(3, {{plain(M(t, 1), false), plain(M(d, 1), false), data(M(f, 8), false)}})};
    });
    add(
        "Form002", "DishNetwork",
        [](Code c) {
            const unsigned f = pick<unsigned>(c, 0, 63, 16), s = pick<unsigned>(c, 0, 31, 3),
                           d = pick<unsigned>(c, 0, 31, 21);
            return Press{P::dishNetwork(f, s, d, 4),
                         every(4, {{data(M(f, 6) + L(s, 5) + L(d, 5), false)}})};
        },
        cellsOfFirstGroup(0, 2));
    add("Form010", "ITT", [](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 15, 5), cmd = pick<unsigned>(c, 0, 63, 0x2A);
        return Press{P::itt(a, cmd),
                     {{{plain("0", true), plain(L(a, 4), true), data(L(cmd, 6), true)}}}};
    });
    auto panaOld = [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 31, 0x0B), f = pick<unsigned>(c, 0, 63, 0x25);
        return Press{P::panasonicOld(d, f, 3),
                     every(3, {{plain(L(d, 5), true), data(L(f, 6), true),
                                plain(L(~d & 31, 5), true), plain(L(~f & 63, 6), true)}})};
    };
    add("Form022", "PanasonicOld", panaOld);
    add("Form020", "PanasonicOld", panaOld);
    add("Form021", "PanasonicOld", panaOld);

    // ----------------------------------------------------- Sony (burst coding)
    auto sonyCase = [](int addressBits, unsigned mixedAddress) {
        return [=](Code c) {
            const unsigned f = pick<unsigned>(c, 0, 127, 21);
            const unsigned a = pick<unsigned>(c, 0, (1u << addressBits) - 1, mixedAddress);
            return Press{P::sony(f, a, addressBits, 3),
                         every(3, {{data(L(f, 7), true), plain(L(a, addressBits), true)}})};
        };
    };
    add("Form034", "Sony12", sonyCase(5, 1));
    add("Form065", "Sony15", sonyCase(8, 0x97));
    add("Form035", "Sony20", sonyCase(13, 0x4B9));
    add("Form018", "Sony8", [](Code c) {
        const unsigned f = pick<unsigned>(c, 0, 0xFF, 0x5A);
        const std::string bits = L(f, 8);
        const std::string hex =
            lines::hexOf(bits.substr(3), true) + " " + lines::hexOf(bits.substr(0, 3), true);
        return Press{P::sony8(f, 3), every(3, {{data(bits, true)}, hex})};
    });

    // -------------------------------------------------------------- bi-phase
    add("Form030", "RC5", [](Code c) {
        const unsigned a = pick<unsigned>(c, 0, 31, 5), cmd = pick<unsigned>(c, 0, 127, 53),
                       t = pick<unsigned>(c, 0, 1, 0);
        const std::string start = "1" + M(~(cmd >> 6) & 1, 1);
        const std::string hex = lines::hexOf(M(a, 5), false) + " " + lines::hexOf(M(cmd, 7), false);
        return Press{P::rc5(a, cmd, t, 3),
                     every(3, {{plain(start, false), plain(M(t, 1), false), plain(M(a, 5), false),
                                data(M(cmd & 63, 6), false)},
                               hex})};
    });
    add("Form031", "RC5x", [](Code c) {
        const unsigned d = pick<unsigned>(c, 0, 31, 16), s = pick<unsigned>(c, 0, 127, 12),
                       f = pick<unsigned>(c, 0, 63, 2), t = pick<unsigned>(c, 0, 1, 0);
        const std::string start = "1" + M(~(s >> 6) & 1, 1) + M(t, 1) + M(d, 5);
        const std::string hex = lines::hexOf(M(d, 5), false) + " " + lines::hexOf(M(s, 7), false) +
                                " " + lines::hexOf(M(f, 6), false) + " ";
        return Press{
            P::rc5x(d, s, f, t, 3),
            every(3,
                  {{plain(start, false), plain(M(s & 63, 6), false), data(M(f, 6), false)}, hex})};
    });
    add(
        "Form128", "RC5",
        [](Code c) {
            // The slot's start-bit rule reads only the classic commands (field bit 1).
            const unsigned a = pick<unsigned>(c, 0, 31, 5), cmd = pick<unsigned>(c, 0, 63, 53),
                           t = pick<unsigned>(c, 0, 1, 0);
            return Press{P::rc5(a, cmd, t, 3),
                         every(3, {{data("11" + M(t, 1), false), plain(M(a, 5), false),
                                    plain(M(cmd, 6), false)}})};
        },
        cellsOfFirstGroup(0, 1));
    v.back().unreadable = Code::Ones;
    v.back().why = "a repeat frame starts after a long gap, where the slot's start-bit rule does "
                   "not step past the first burst; when all 14 bits are 1 the group then ends on "
                   "the frame's last burst instead of its gap";
    add(
        "Form046", "RC6MCE",
        [](Code c) {
            const unsigned t = pick<unsigned>(c, 0, 1, 0), d = pick<unsigned>(c, 0, 127, 4),
                           f = pick<unsigned>(c, 0, 0xFF, 0x0D);
            return Press{P::rc6Mce(0x0F, t, d, f, 3),
                         every(3, {{plain("1110", false), plain(M(0x800F, 16), false),
                                    data(M(t, 1) + M(d, 7) + M(f, 8), false)}})};
        },
        cellOfEveryGroup(2));
    auto rc6Mode0 = [](unsigned toggle) {
        return [=](Code c) {
            const unsigned a = pick<unsigned>(c, 0, 0xFF, 0xF1),
                           f = pick<unsigned>(c, 0, 0xFF, 0x76);
            // The slot reads the start and mode bits the other way round for toggle 1.
            const std::string start = toggle ? "0111" : "1000";
            return Press{
                P::rc6Mode0(a, f, toggle, 3),
                every(3, {{plain(start, false), plain(M(a, 8), false), data(M(f, 8), false)}})};
        };
    };
    add("Form047", "RC6mode0toggle0", rc6Mode0(0), cellOfEveryGroup(2));
    v.back().unreadable = Code::Zeros;
    v.back().why =
        "after a first data bit 0 the slot's first-bit rule leaves the reader half a bit "
        "behind; when every later bit is 0 as well, the group ends on the frame's last "
        "burst instead of its gap";
    add("Form127", "RC6mode0toggle1", rc6Mode0(1), cellOfEveryGroup(2));
    add(
        "Form025", "RC6Replay",
        [](Code c) {
            const unsigned d = pick<unsigned>(c, 0, 0xFF, 0x2A),
                           s = pick<unsigned>(c, 0, 0xFF, 0x0C),
                           f = pick<unsigned>(c, 0, 0xFF, 0xE5);
            return Press{P::rc6Replay(d, s, f, 1, 3),
                         every(3, {{plain("0001", false), plain(M(d, 8), false),
                                    data(M(s, 8) + M(f, 8), false)}})};
        },
        cellOfEveryGroup(2));
    auto grundig = [](Code c) {
        const unsigned f = pick<unsigned>(c, 0, 63, 0x15), d = pick<unsigned>(c, 0, 7, 3);
        const Group ones{{data(L(1023, 10), true)}};
        const Group info{{data("1" + L(f, 6) + L(d, 3), true)}};
        return Press{P::blaupunkt(f, d, 2), {ones, info, info, ones}};
    };
    add("Form008", "GrundigBiphase", grundig, cellOfEveryGroup(2));
    add("Form009", "GrundigBiphase", grundig, cellOfEveryGroup(2));
    add("Form019", "NokiaNRC17", [](Code c) {
        const unsigned cmd = pick<unsigned>(c, 0, 0xFF, 0x5C), a = pick<unsigned>(c, 0, 15, 6),
                       sub = pick<unsigned>(c, 0, 15, 1);
        const Group startStop{{plain("1", true), data(L(254, 8), true), plain(L(255, 8), true)}};
        const Group key{{plain("1", true), data(L(cmd, 8), true), plain(L(a + 16 * sub, 8), true)}};
        return Press{P::nrc17(cmd, a, sub, 2), {startStop, key, key, startStop}};
    });

    // -------------------------------------------------------- two bits a gap
    auto rcmm = [](int customerBits, int dataBits) {
        return [=](Code c) {
            const uint64_t all = (1ull << (customerBits + dataBits)) - 1;
            const uint64_t v = pick<uint64_t>(c, 0, all, 0x23402601ull & all);
            const std::string bits = M(v, customerBits + dataBits);
            std::vector<Part> parts;
            if (customerBits) parts.push_back(plain(bits.substr(0, customerBits), false));
            parts.push_back(data(bits.substr(customerBits), false));
            return Press{P::rcmm(bits, 3), every(3, {parts})};
        };
    };
    add("Form137", "Nokia24", rcmm(16, 8));
    add("Form138", "Nokia32", rcmm(24, 8));
    add("Form140", "Nokia12", rcmm(4, 8));
    add("Form141", "RCMM24", rcmm(0, 24));
    add("Form026", "RCMM32", rcmm(0, 32));
    add("Form059", "Grundig16", [](Code c) {
        const unsigned t = pick<unsigned>(c, 0, 1, 1), f = pick<unsigned>(c, 0, 0xFF, 0x00),
                       d = pick<unsigned>(c, 0, 127, 127);
        const std::string hex =
            M(t, 1) + " " + lines::hexOf(M(f, 8), false) + " " + lines::hexOf(M(d, 7), false);
        return Press{P::grundig16(t, f, d, 3),
                     every(3, {{data(M(t, 1) + M(f, 8) + M(d, 7), false)}, hex})};
    });

    // -------------------------------------------------- Zenith and slot rules
    auto zenith = [](unsigned s, int bits) {
        return [=](Code c) {
            const unsigned f = pick<unsigned>(c, 0, (1u << bits) - 1, 0x2D & ((1u << bits) - 1));
            return Press{P::zenith(s, bits, f, 3), every(3, {{data(M(f, bits), false)}})};
        };
    };
    add("Form042", "Zenith7double", zenith(1, 7));
    add("Form131", "Zenith8double", zenith(1, 8));
    add("Form135", "Zenith7single", zenith(0, 7));
    add("Form126", "Zenith6single", zenith(0, 6));
    auto doublePulse = [](int symbols) {
        return [=](Code c) {
            const uint64_t all = (1ull << symbols) - 1;
            const std::string bits = M(pick<uint64_t>(c, 0, all, 0xB2C5 & all), symbols);
            return Press{P::doublePulse(bits, 3), every(3, {{data(bits, false)}})};
        };
    };
    add("Form086", "DoublePulse16", doublePulse(16));
    add("Form089", "DoublePulse8", doublePulse(8));
    add("Form090", "DoublePulse12", doublePulse(12));
    add(
        "Form029", "PulsePerOne",
        [](Code c) {
            const unsigned d = pick<unsigned>(c, 0, 0xFF, 0xA6);
            return Press{P::pulsePerOne(d, 3),
                         every(3, {{plain("1", true), data(L(d, 8), true), plain("1", true)}})};
        },
        cellOfEveryGroup(0));
    add("Form130", "Async3", [](Code c) {
        const auto bytes = pick<std::vector<uint8_t>>(c, {0x00, 0x00, 0x00}, {0xFF, 0xFF, 0xFF},
                                                      {0x5A, 0x0F, 0xC3});
        std::string bits;
        for (auto b : bytes)
            bits += "0" + L(b, 8) + "1";
        return Press{P::async3(bytes, 2), every(2, {{data(bits, true)}})};
    });
    return v;
}

} // namespace

const std::vector<ProtocolCase>& protocolCases() {
    static const std::vector<ProtocolCase> all = makeCases();
    return all;
}

const ProtocolCase& protocolCase(const std::string& key) {
    for (const auto& c : protocolCases())
        if (c.key == key) return c;
    throw std::out_of_range("no protocol case for " + key);
}

std::string codeName(Code c) {
    return c == Code::Zeros ? "zeros" : c == Code::Ones ? "ones" : "mixed";
}

} // namespace cases
