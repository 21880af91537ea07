#include "link/link_control.h"

#include "app/capture_tick.h"
#include "link_test_support.h"

#include <gtest/gtest.h>

using namespace qv;
using linktest::StartedSession;

namespace {

// What the user sees of the link, to prove that an action changed nothing.
struct LinkView {
    bool open;
    bool timer1, timer2;
    std::string caption, bitmap;
    bool iconVisible;
    size_t waiting, messages;
    bool operator==(const LinkView&) const = default;
};

LinkView view(const StartedSession& st) {
    const Session& s = st.s;
    return {st.port.isOpen(),       s.Timer1,         s.Timer2,
            s.mumconnect,           s.Image1Bitmap,   s.Image1Visible,
            st.port.bytesWaiting(), s.messages.size()};
}

} // namespace

TEST(SwitchConnection, OpeningSendsOneRBeforeTheBuffersAreEmptied) {
    StartedSession st;
    Session& s = st.s;
    switchConnection(s); // COM1 is open after start-up: this closes it
    st.port.clearLog();
    s.TTable.setCell(1, 1, "9000");
    switchConnection(s);
    const std::vector<std::string> expected = {"open 1", "write R", "clear"};
    EXPECT_EQ(st.port.log(), expected);
    EXPECT_EQ(st.port.written(), "R");
    EXPECT_EQ(s.TTable.cell(1, 1), "");
    EXPECT_EQ(s.mumconnect, "DisConnect");
    EXPECT_EQ(s.Image1Bitmap, "rs232.bmp");
    EXPECT_TRUE(s.Timer2);
    EXPECT_EQ(s.BlinkPhase, 1);
    EXPECT_TRUE(s.messages.empty());
}

TEST(SwitchConnection, ClosingStopsTheIdleTimerAndShowsTheClosedLink) {
    StartedSession st;
    Session& s = st.s;
    switchConnection(s);
    EXPECT_FALSE(st.port.isOpen());
    EXPECT_FALSE(s.Timer2);
    EXPECT_EQ(s.mumconnect, "Connect");
    EXPECT_EQ(s.Image1Bitmap, "rs232u.bmp");
    EXPECT_EQ(st.port.written(), "");
}

TEST(SwitchConnection, WithBytesWaitingChangesNothing) {
    StartedSession st;
    st.port.receive({0x10, 0x20, 0x00});
    receiveEvent(st.s);
    const LinkView before = view(st);
    st.port.clearLog();
    switchConnection(st.s);
    EXPECT_EQ(view(st), before);
    EXPECT_TRUE(st.port.log().empty());
    // Once the capture has taken the bytes, the link can be closed.
    st.port.read(st.port.bytesWaiting());
    switchConnection(st.s);
    EXPECT_FALSE(st.port.isOpen());
    EXPECT_EQ(st.s.mumconnect, "Connect");
}

TEST(SwitchConnection, APortThatCannotOpenGivesTheMessageAndSkipsTheRest) {
    StartedSession st(1); // COM1 missing
    Session& s = st.s;
    s.messages.clear();
    s.setTimers(false, false);
    switchConnection(s);
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_EQ(s.messages[0], "The COM port is already open or not exist\nCOM1: no such port");
    EXPECT_EQ(st.port.written(), "");
    EXPECT_EQ(s.mumconnect, "Dis&Connect");
    EXPECT_EQ(s.Image1Bitmap, "rs232u.bmp");
    EXPECT_FALSE(s.Timer2);
}

TEST(StartUp, AMissingCom1LeavesTheClosedIconAndTheIdleTimerRunning) {
    StartedSession st(1);
    ASSERT_EQ(st.s.messages.size(), 1u);
    EXPECT_EQ(st.s.messages[0],
              "This port is already open or doesn't exist,Please select another port.\n"
              "COM1: no such port");
    EXPECT_EQ(st.s.Image1Bitmap, "rs232u.bmp");
    EXPECT_TRUE(st.s.Timer2);
    // The idle timer goes on blinking but sends nothing on a closed port.
    for (int i = 0; i < 4; ++i)
        timer2Tick(st.s);
    EXPECT_EQ(st.port.written(), "");
}

TEST(ReceiveEvent, StopsTheIdleTimerStartsTheCaptureTimerAndHidesTheIcon) {
    StartedSession st;
    st.port.receive({0x10});
    receiveEvent(st.s);
    EXPECT_TRUE(st.s.Timer1);
    EXPECT_FALSE(st.s.Timer2);
    EXPECT_FALSE(st.s.Image1Visible);
}

TEST(Timer2, SendsZOnEverySecondTickAndBlinksTheIcon) {
    StartedSession st;
    Session& s = st.s;
    std::vector<bool> visible;
    std::vector<size_t> polls;
    for (int i = 0; i < 6; ++i) {
        timer2Tick(s);
        visible.push_back(s.Image1Visible);
        polls.push_back(st.port.written().size());
    }
    // startsub set BlinkPhase 1: the first tick shows the icon and polls.
    EXPECT_EQ(visible, (std::vector<bool>{true, false, true, false, true, false}));
    EXPECT_EQ(polls, (std::vector<size_t>{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(st.port.written(), "ZZZ");
}

struct RecordingStatusCase {
    const char* name;
    bool cIrRec;
    const char* tBcode;
    bool shown;
};

class Timer2RecordingStatus : public ::testing::TestWithParam<RecordingStatusCase> {};

TEST_P(Timer2RecordingStatus, ShowsTheStatusOnlyWhileRecordingACode) {
    StartedSession st;
    Session& s = st.s;
    s.code.cIrRec = GetParam().cIrRec;
    s.tBcode = GetParam().tBcode;
    s.code.lDspRslt = "Record success!";
    s.code.lDspRsltColor = "red";
    timer2Tick(s);
    timer2Tick(s); // also on the tick that does not poll
    if (GetParam().shown) {
        EXPECT_EQ(s.code.lDspRslt, "It's recording...");
        EXPECT_EQ(s.code.lDspRsltColor, "black");
    } else {
        EXPECT_EQ(s.code.lDspRslt, "Record success!");
        EXPECT_EQ(s.code.lDspRsltColor, "red");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Timer2RecordingStatus,
    ::testing::Values(RecordingStatusCase{"RecordingWithACode", true, "00000000 \r\n", true},
                      RecordingStatusCase{"RecordingWithBlanksOnly", true, "   ", false},
                      RecordingStatusCase{"NotRecording", false, "00000000 \r\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

// The short message used to stay in the receive buffer and was read as the
// head of the next capture, and then it stopped the polling.
TEST(CaptureRoad, ANineByteCaptureIsDroppedAndDoesNotSpoilTheNextOne) {
    StartedSession st;
    Session& s = st.s;
    st.port.receive({16, 32, 0, 1, 0, 2, 0, 3, 0});
    receiveEvent(s);
    captureTick(s);
    EXPECT_EQ(s.LblRGtime, "9");
    EXPECT_FALSE(s.Timer1);
    EXPECT_TRUE(s.Timer2); // polling resumes as after any finished capture
    EXPECT_EQ(s.TTable.cell(1, 1), "");
    EXPECT_EQ(st.port.bytesWaiting(), 0u);

    const auto nec = linktest::necMessage();
    st.port.receive(nec);
    receiveEvent(s);
    captureTick(s);
    EXPECT_EQ(s.LblRGtime, std::to_string(nec.size()));
    EXPECT_EQ(s.TTable.cell(1, 1), "9000");
    EXPECT_EQ(s.TTable.cell(1, 2), "4500");
    EXPECT_TRUE(s.Timer2);
    EXPECT_EQ(st.port.bytesWaiting(), 0u);
}

TEST(CaptureRoad, BytesArrivingInSeveralPiecesMakeOneCapture) {
    StartedSession st;
    Session& s = st.s;
    const auto nec = linktest::necMessage();
    for (size_t i = 0; i < nec.size(); i += 50) {
        st.port.receive({nec.begin() + static_cast<long>(i),
                         nec.begin() + static_cast<long>(std::min(nec.size(), i + 50))});
        receiveEvent(s);
    }
    captureTick(s);
    EXPECT_EQ(s.LblRGtime, std::to_string(nec.size()));
    EXPECT_EQ(s.TTable.cell(1, 1), "9000");
    EXPECT_EQ(st.port.bytesWaiting(), 0u);
}

TEST(PortLost, ClosesTheLinkOnceAndLeavesItReadyToConnectAgain) {
    StartedSession st;
    Session& s = st.s;
    st.port.receive({16, 32, 0});
    receiveEvent(s);
    portLost(s, "The receiver on COM1 (/dev/pts/9) was disconnected.");
    EXPECT_FALSE(st.port.isOpen());
    EXPECT_EQ(s.Image1Bitmap, "rs232u.bmp");
    EXPECT_TRUE(s.Image1Visible);
    EXPECT_EQ(s.mumconnect, "Connect");
    EXPECT_FALSE(s.Timer2);
    EXPECT_TRUE(s.Timer1); // the capture already received is still processed
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_EQ(s.messages[0], "The receiver on COM1 (/dev/pts/9) was disconnected.");

    captureTick(s);
    switchConnection(s);
    EXPECT_TRUE(st.port.isOpen());
    EXPECT_EQ(st.port.written(), "R");
    EXPECT_EQ(s.mumconnect, "DisConnect");
    EXPECT_EQ(s.Image1Bitmap, "rs232.bmp");
}
