// The link's logic on a memory port that logs what is done to it, and the
// port table behind "COM1".."COM16".
#include "app/session.h"
#include "link/link_control.h"

#include "app/capture_tick.h"
#include "app/main_state.h"
#include "catalogue/catalogue_build.h"
#include "link/port_table.h"
#include "tests/temp_dir.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

class LoggingPort : public MemoryPort {
public:
    bool open(int n) override { return log("open " + std::to_string(n)), MemoryPort::open(n); }
    void close() override { log("close"), MemoryPort::close(); }
    bool write(const std::string& text) override {
        return log("write " + text), MemoryPort::write(text);
    }
    void clearBuffers() override { log("clear"), MemoryPort::clearBuffers(); }
    void log(const std::string& what) { done.push_back(what); }
    std::vector<std::string> done;
};

// A session after start-up (format "Form016", COM1 chosen).
struct Started {
    qvtest::TempDir dir;
    Session s;
    LoggingPort port;
    explicit Started(int missingPort = 0) {
        s.format.cataloguePath = dir.file("IRTime.db");
        s.env.errorRecord.setPath(dir.file("Error record.txt"));
        buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", s.format.cataloguePath);
        s.env.port = &port;
        port.setMissingPort(missingPort);
        startUp(s);
        port.done.clear();
    }
    // What the user sees of the link.
    auto view() const {
        return std::tuple{port.isOpen(), s.link.idleTimer, s.link.iconVisible, s.out.messages,
                          port.bytesWaiting()};
    }
};

} // namespace

TEST(SwitchConnection, OpensWithOneRBeforeTheBuffersAreEmptiedAndClosesAgain) {
    Started st;
    Session& s = st.s;
    switchConnection(s); // COM1 is open after start-up: this closes it
    EXPECT_EQ(st.port.done, std::vector<std::string>{"close"});
    EXPECT_EQ(std::tuple(st.port.isOpen(), s.link.idleTimer), std::tuple(false, false));
    s.TTable.setCell(1, 1, "9000");
    switchConnection(s);
    EXPECT_EQ(st.port.done, (std::vector<std::string>{"close", "open 1", "write R", "clear"}));
    EXPECT_EQ(st.port.written(), "R");
    EXPECT_EQ(s.TTable.cell(1, 1), "");
    EXPECT_EQ(std::tuple(s.link.idleTimer, s.link.blinkPhase), std::tuple(true, 1));
    EXPECT_TRUE(s.out.messages.empty());
}

TEST(SwitchConnection, WithBytesWaitingChangesNothing) {
    Started st;
    st.port.receive({0x10, 0x20, 0x00});
    receiveEvent(st.s);
    EXPECT_TRUE(!st.s.link.idleTimer && !st.s.link.iconVisible); // the capture's wait
    const auto before = st.view();
    switchConnection(st.s);
    EXPECT_EQ(st.view(), before);
    EXPECT_TRUE(st.port.done.empty());
    st.port.read(st.port.bytesWaiting()); // once the capture has taken them, it closes
    switchConnection(st.s);
    EXPECT_FALSE(st.port.isOpen());
}

TEST(SwitchConnection, APortThatCannotOpenGivesTheMessagesAndSkipsTheRest) {
    Started st(1); // COM1 missing
    Session& s = st.s;
    EXPECT_EQ(s.out.messages,
              std::vector<std::string>{"This port is already open or doesn't exist,"
                                       "Please select another port.\nCOM1: no such port"});
    EXPECT_TRUE(s.link.idleTimer);
    for (int i = 0; i < 4; ++i) // the idle timer goes on blinking but sends nothing
        timer2Tick(s);
    s.out.messages.clear();
    s.setIdleTimer(false);
    switchConnection(s);
    EXPECT_EQ(s.out.messages, std::vector<std::string>{
                                  "The COM port is already open or not exist\nCOM1: no such port"});
    EXPECT_EQ(std::tuple(st.port.written(), s.link.idleTimer), std::tuple(std::string(), false));
}

TEST(Timer2, SendsZOnEverySecondTickBlinksAndShowsRecordingOnlyWithACode) {
    Started st;
    Session& s = st.s;
    std::string seen;
    for (int i = 0; i < 6; ++i) {
        timer2Tick(s);
        seen += (s.link.iconVisible ? "+" : "-") + std::to_string(st.port.written().size());
    }
    EXPECT_EQ(seen, "+1-1+2-2+3-3"); // start-up's blink phase 1: the first tick shows and polls
    EXPECT_EQ(st.port.written(), "ZZZ");
    for (auto [recording, code, shown] :
         {std::tuple{true, "00000000 \r\n", true}, std::tuple{true, "   ", false},
          std::tuple{false, "00000000 \r\n", false}}) {
        s.code.cIrRec = recording;
        s.last.decode.binary = code;
        s.code.lDspRslt = "Record success!";
        timer2Tick(s); // also on the tick that does not poll
        EXPECT_EQ(s.code.lDspRslt, shown ? "It's recording..." : "Record success!") << code;
    }
}

TEST(PortTable, ParsesComNEqualsDevice) {
    for (auto [text, port, device] : {std::tuple{"COM1=/dev/pts/3", 1, "/dev/pts/3"},
                                      {"COM16=/dev/ttyUSB4", 16, "/dev/ttyUSB4"},
                                      {"com2=/dev/ttyS1", 2, "/dev/ttyS1"},
                                      {"COM3=/tmp/a=b", 3, "/tmp/a=b"},
                                      {"COM0=/dev/x", 0, ""},
                                      {"COM01=/dev/x", 0, ""},
                                      {"COM17=/dev/x", 0, ""},
                                      {"COM1=", 0, ""},
                                      {"COM1", 0, ""},
                                      {"LPT1=/dev/x", 0, ""},
                                      {"COM=/dev/x", 0, ""},
                                      {"COM1a=/dev/x", 0, ""}}) {
        const auto entry = PortTable::parseOverride(text);
        EXPECT_EQ(entry.value_or(std::pair{0, std::string()}),
                  (std::pair<int, std::string>(port, device)))
            << text;
    }
}

TEST(PortTable, PutsAdaptersFirstKeepsPinnedEntriesAndTakesSixteen) {
    PortTable t;
    t.setOverride(3, "/dev/ttyUSB1");
    t.setOverride(17, "/dev/x");
    const std::vector<SerialDevice> found = {{"/dev/ttyS10", false},  {"/dev/ttyS2", false},
                                             {"/dev/ttyACM0", true},  {"/dev/ttyUSB10", true},
                                             {"/dev/ttyUSB1", true},  {"/dev/ttyUSB2", true},
                                             {"/dev/ttyAMA0", false}, {"/dev/rfcomm0", true}};
    EXPECT_TRUE(t.assign(found));
    std::vector<std::string> devices;
    for (int n = 0; n <= 17; ++n)
        devices.push_back(t.device(n));
    EXPECT_EQ(devices, (std::vector<std::string>{"", "/dev/ttyUSB2", "/dev/ttyUSB10",
                                                 "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/rfcomm0",
                                                 "/dev/ttyAMA0", "/dev/ttyS2", "/dev/ttyS10", "",
                                                 "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(t.describe(3), "/dev/ttyUSB1 (from --port)");
    EXPECT_EQ(t.describe(2), "/dev/ttyUSB10");
    EXPECT_EQ(t.describe(9), "no device");
    EXPECT_TRUE(t.pinned(3) && !t.pinned(4));
    EXPECT_FALSE(t.assign(found)); // nothing moved
    std::vector<SerialDevice> many;
    for (int i = 0; i < 20; ++i)
        many.push_back({"/dev/ttyS" + std::to_string(i), false});
    EXPECT_TRUE(t.assign(many));
    EXPECT_EQ(t.device(16), "/dev/ttyS14"); // COM3 stays pinned
}
