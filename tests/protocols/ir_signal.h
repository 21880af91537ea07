// Infrared key presses as burst and gap times: frames are built from the
// coding rules of the public protocol descriptions, then rendered with
// bounded jitter the way a receiver would report them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace irsig {

struct Segment {
    bool mark; // carrier on
    double us;
};

// One frame: what is sent, and the time from its start to the start of the
// next frame. The silence that follows the last segment fills that time.
struct Frame {
    std::vector<Segment> body;
    double period = 0;
};
using KeyPress = std::vector<Frame>;

// The bits of a field in the order they are sent.
std::string lsbFirst(uint64_t value, int bits);
std::string msbFirst(uint64_t value, int bits);
std::string inverted(const std::string& bits);

struct PulseCoding {
    double zeroMark, zeroSpace, oneMark, oneSpace;
};

class FrameBuilder {
public:
    FrameBuilder& mark(double us);
    FrameBuilder& space(double us);
    // Each bit as a mark and a space (pulse-distance or pulse-width codes).
    FrameBuilder& pulses(const std::string& bits, const PulseCoding& coding);
    // Manchester halves of length half; oneMarkFirst: a 1 is mark then space.
    FrameBuilder& biphase(const std::string& bits, double half, bool oneMarkFirst);
    double length() const;
    // The frame with a fixed start-to-start period.
    Frame period(double us) const;
    // The frame followed by a silence of gap.
    Frame leadOut(double gap) const;

private:
    std::vector<Segment> m_body;
};

// What the receiver reports: alternating burst and gap times in whole
// microseconds, starting with a burst and ending with the last burst.
struct Capture {
    std::vector<int64_t> times;
    std::vector<size_t> frameStarts; // index of each frame's first burst
};

// Every segment is stretched or shrunk by a factor drawn from
// [1 - jitter, 1 + jitter]; the silence after a frame takes up the
// difference so that frames start on time. Touching segments of the same
// level become one time; silence before the first and after the last
// burst is dropped.
Capture render(const KeyPress& press, double jitter, uint32_t seed);

// A remote seen through a demodulating receiver: the remote's clock runs
// speed times slow, every time is off by up to jitter, every burst ends
// excess late (its gap is as much shorter), and every edge falls on a
// sampling grid of step microseconds.
struct Receiver {
    double jitter = 0, speed = 1, excess = 0, step = 1;
};
// One drawn from the ranges such receivers show: excess 40-200 us, jitter up
// to 6%, steps of 50, 67 or 100 us, remotes 4% fast or slow.
Receiver drawReceiver(uint32_t seed);
Capture render(const KeyPress& press, const Receiver& receiver, uint32_t seed);

// How many Osc/Idle pairs the receiver message of the capture needs
// (long gaps take one pair per timer overflow).
size_t receiverPairs(const Capture& capture);

} // namespace irsig
