// Key presses of the public remote-control protocols, written from their
// published descriptions (timings, layouts, bit orders, frame periods and
// repeat forms) and independent of the catalogue rows that read them.
// Shapes that no public description gives are marked as chosen here.
#pragma once

#include "ir_signal.h"

#include <cstdint>
#include <vector>

namespace irproto {

using irsig::KeyPress;

// NEC family.
KeyPress nec1(unsigned a, unsigned s, unsigned f, int repeats); // ditto repeats
KeyPress nec2(unsigned a, unsigned s, unsigned f, int frames);  // full frames
KeyPress dgtec(unsigned d, unsigned f, int repeats);
KeyPress nec16Irmp(unsigned a, unsigned f, int repeats);
KeyPress necDna(uint32_t c16, uint32_t d16, int frames); // shape chosen here
KeyPress nec8x8(unsigned c, unsigned d, int repeats);    // shape chosen here
KeyPress samsung32(unsigned c16, unsigned f, int frames);
KeyPress aiwa(unsigned d, unsigned s, unsigned f, int repeats);

// Kaseikyo / AEHA family: any bytes after the header, LSB first.
KeyPress kaseikyo(const std::vector<uint8_t>& bytes, int frames);
KeyPress panasonic(unsigned d, unsigned s, unsigned f, int frames);
KeyPress jvc48(unsigned d, unsigned s, unsigned f, int frames);
KeyPress jvc56(unsigned d, unsigned s, unsigned e, unsigned f, int frames);
KeyPress mitsubishiK(unsigned d, unsigned s, unsigned f, int frames);
KeyPress panasonicAc(const std::vector<uint8_t>& section2);
KeyPress aehaAnyLength(const std::vector<uint8_t>& bytes, int frames);

// Other pulse-distance and pulse-width formats.
KeyPress jvc(unsigned d, unsigned f, int repeats);
KeyPress sharp(unsigned a, unsigned f, int halves);
KeyPress denon(unsigned a, unsigned f, int halves);
KeyPress mitsubishi(unsigned d, unsigned f, int frames);
KeyPress rca(unsigned a, unsigned f, int frames, double carrierUnit = 460);
KeyPress rcaOld(unsigned a, unsigned f, int frames);
KeyPress bose(unsigned f, int frames);
KeyPress thomson7(unsigned d, unsigned t, unsigned f, int frames);
KeyPress thomson(unsigned d, unsigned t, unsigned f, int frames);
KeyPress recs80(unsigned t, unsigned d, unsigned f, int frames);
KeyPress telefunken(unsigned command, int frames);
KeyPress paceMss(unsigned t, unsigned d, unsigned f, int frames);
KeyPress dishNetwork(unsigned f, unsigned s, unsigned d, int frames);
KeyPress itt(unsigned address, unsigned command);
KeyPress delonghi(uint64_t state);
KeyPress sanyoAc(const std::vector<uint8_t>& bytes);
KeyPress daikin(const std::vector<uint8_t>& s1, const std::vector<uint8_t>& s2,
                const std::vector<uint8_t>& s3);
KeyPress panasonicOld(unsigned d, unsigned f, int frames);
KeyPress sony(unsigned f, unsigned address, int addressBits, int frames);
KeyPress sony8(unsigned f, int frames);

// Bi-phase formats.
KeyPress rc5(unsigned address, unsigned command7, unsigned toggle, int frames);
KeyPress rc5x(unsigned d, unsigned s7, unsigned f, unsigned toggle, int frames);
KeyPress rc6Mode0(unsigned a, unsigned f, unsigned toggle, int frames);
KeyPress rc6Mce(unsigned oem2, unsigned toggle, unsigned d7, unsigned f, int frames);
KeyPress rc6Replay(unsigned d, unsigned s, unsigned f, unsigned trailer, int frames);
KeyPress blaupunkt(unsigned f, unsigned d, int infoFrames);
KeyPress nrc17(unsigned command, unsigned address, unsigned subcode, int keyFrames);

// Two bits per gap.
KeyPress rcmm(const std::string& bits, int frames);
KeyPress grundig16(unsigned t, unsigned f, unsigned d, int frames);

// Zenith's symbols and the shapes of the unnamed slot rules.
KeyPress zenith(unsigned s, int bits, unsigned f, int frames);
KeyPress doublePulse(const std::string& symbols, int frames);   // shape chosen here
KeyPress pulsePerOne(unsigned data, int frames);                // shape chosen here
KeyPress async3(const std::vector<uint8_t>& bytes, int frames); // shape chosen here

} // namespace irproto
