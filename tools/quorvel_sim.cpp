// A stand-in for the receiver unit: makes a pseudo-terminal, prints the
// device path for the window program's "--port COMn=DEVICE", and plays the
// unit's side of the link. It takes the program's "R" and "Z" commands and
// sends capture messages in the unit's wire format.
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "capture/capture_text.h"
#include "engine/decode.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

volatile sig_atomic_t g_stop = 0;

void onSignal(int) {
    g_stop = 1;
}

const char* const kUsage = R"(usage: quorvel-sim [options] [FILE]

Plays a receiver unit on a pseudo-terminal. The first line printed is the
device path; start the window program with --port COM1=<that path>.

  FILE              capture to play: a text time list, or a .bin receiver message
  --repeat MS       play it again every MS milliseconds (default: play once)
  --count N         with --repeat: stop playing after N messages
  --delay MS        wait MS milliseconds before the first play (default 300)
  --no-wait         play without waiting for the program's first "R" or "Z"
  --jitter US       move every burst and gap by up to +-US microseconds, anew each play
  --junk N          add N random bytes behind the decoded half of every message
  --chunk N         send every message in pieces of N bytes ...
  --chunk-gap MS    ... MS milliseconds apart (default 20)
  --carrier H,L     carrier bytes of text captures (default 16,32)
  --link PATH       also make PATH a symbolic link to the device
  --seed N          seed of --jitter and --junk (default: from the clock)

Other receivers (the capture must be text, not a .bin):
  --lirc FIFO       play a LIRC device instead: make FIFO and write 32-bit mode2
                    words into it (pulse, space, then a timeout word); open it
                    as the LIRC device. The first line printed is FIFO.
  --carrier-hz HZ   with --lirc: a frequency word before every press (default
                    38000; 0 sends none)
  --overflow-after N  with --lirc: an overflow word after N times of every
                    press, whose other times are lost as on a real overrun
  --vanish-after N  leave mid-way through the Nth press: half of it is written,
                    then the simulator ends (the device goes away)
  --dump FORM       print presses on the pseudo-terminal as a dump sketch
                    does, one line each after a comment line; FORM is rawdata
                    (a rawData[] array), signed, mode2 (a pulse/space block)
                    or pronto

Lines typed on the input play at once: a file name, or burst and gap times
("9000 4500 562 562 ..."). "quit" ends the simulator, as do SIGINT, SIGTERM.

Every event is logged on its own line: "rx R", "rx Z", "rx 0xNN" for other
bytes, "tx N bytes" for a message sent, each with its time in seconds.
)";

struct Options {
    std::string file;
    std::optional<long> repeatMs;
    long count = 0; // 0: no limit
    long delayMs = 300;
    bool waitForPoll = true;
    long jitterUs = 0;
    long junk = 0;
    long chunk = 0;
    long chunkGapMs = 20;
    qv::Carrier carrier;
    std::string link;
    std::optional<unsigned> seed;
    std::string lirc;
    long carrierHz = 38000;
    long overflowAfter = 0;
    long vanishAfter = 0;
    std::string dump;
};

// A capture as the simulator keeps it: times when it came as text (so that
// jitter moves microseconds), bytes when it came as a receiver message.
struct Capture {
    std::vector<int64_t> times;
    std::vector<uint8_t> bytes;
    std::optional<qv::Carrier> carrier; // a Pronto file's own
};

[[noreturn]] void usageError(const std::string& text) {
    std::fprintf(stderr, "quorvel-sim: %s\n\n%s", text.c_str(), kUsage);
    std::exit(2);
}

long numberArg(int argc, char** argv, int& i, long min) {
    if (i + 1 >= argc) usageError(std::string(argv[i]) + " needs a number");
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(argv[++i], &end, 10);
    if (errno != 0 || end == argv[i] || *end != '\0' || v < min)
        usageError(std::string(argv[i - 1]) + ": not a valid number: " + argv[i]);
    return v;
}

Options parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (a == "--repeat") {
            o.repeatMs = numberArg(argc, argv, i, 1);
        } else if (a == "--count") {
            o.count = numberArg(argc, argv, i, 1);
        } else if (a == "--delay") {
            o.delayMs = numberArg(argc, argv, i, 0);
        } else if (a == "--no-wait") {
            o.waitForPoll = false;
        } else if (a == "--jitter") {
            o.jitterUs = numberArg(argc, argv, i, 0);
        } else if (a == "--junk") {
            o.junk = numberArg(argc, argv, i, 0);
        } else if (a == "--chunk") {
            o.chunk = numberArg(argc, argv, i, 1);
        } else if (a == "--chunk-gap") {
            o.chunkGapMs = numberArg(argc, argv, i, 0);
        } else if (a == "--seed") {
            o.seed = static_cast<unsigned>(numberArg(argc, argv, i, 0));
        } else if (a == "--lirc") {
            if (i + 1 >= argc) usageError("--lirc needs a path");
            o.lirc = argv[++i];
        } else if (a == "--carrier-hz") {
            o.carrierHz = numberArg(argc, argv, i, 0);
        } else if (a == "--overflow-after") {
            o.overflowAfter = numberArg(argc, argv, i, 1);
        } else if (a == "--vanish-after") {
            o.vanishAfter = numberArg(argc, argv, i, 1);
        } else if (a == "--dump") {
            if (i + 1 >= argc) usageError("--dump needs a form");
            o.dump = argv[++i];
            if (o.dump != "rawdata" && o.dump != "signed" && o.dump != "mode2" &&
                o.dump != "pronto")
                usageError("--dump takes rawdata, signed, mode2 or pronto");
        } else if (a == "--link") {
            if (i + 1 >= argc) usageError("--link needs a path");
            o.link = argv[++i];
        } else if (a == "--carrier") {
            unsigned h = 0, l = 0;
            if (i + 1 >= argc || std::sscanf(argv[i + 1], "%u,%u", &h, &l) != 2 || h < 1 ||
                h > 255 || l < 1 || l > 255)
                usageError("--carrier needs HIGH,LOW in ticks (1..255)");
            o.carrier = {static_cast<uint8_t>(h), static_cast<uint8_t>(l)};
            ++i;
        } else if (!a.empty() && a[0] == '-') {
            usageError("unknown option " + a);
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            usageError("only one FILE can be given");
        }
    }
    if (o.repeatMs && o.file.empty()) usageError("--repeat needs a FILE");
    if (!o.lirc.empty() && !o.dump.empty()) usageError("--lirc and --dump exclude each other");
    if (!o.lirc.empty()) o.waitForPoll = false; // a LIRC device is never polled
    return o;
}

Capture loadFile(const std::string& path, const qv::Carrier& carrier) {
    qv::CaptureFile file = qv::readCapture(path, carrier);
    for (const auto& change : file.changes)
        std::fprintf(stderr, "quorvel-sim: warning: %s\n", change.c_str());
    if (file.times.empty()) return {{}, std::move(file.message), {}};
    return {std::move(file.times), {}, file.carrier};
}

class Simulator {
public:
    explicit Simulator(Options o) : m_o(std::move(o)), m_start(Clock::now()) {
        m_random.seed(m_o.seed ? *m_o.seed : static_cast<unsigned>(std::random_device{}()));
    }

    int run();

private:
    bool openTerminal();
    bool openFifo();
    std::vector<uint8_t> encoded(const std::vector<int64_t>& times, double carrierPeriodUs);
    void log(const std::string& text);
    std::vector<uint8_t> message(const Capture& c);
    void queueMessage(const Capture& c);
    void readCommands();
    void readInput();
    void handleLine(const std::string& line);
    void writePending();
    int pollTimeoutMs() const;
    Clock::time_point nextChunkTime() const;

    Options m_o;
    Clock::time_point m_start;
    std::mt19937 m_random;
    int m_master = -1;
    int m_slave = -1; // kept open so the far end can come and go
    std::string m_path;
    std::optional<Capture> m_capture;
    std::optional<Clock::time_point> m_nextPlay;
    long m_plays = 0;
    long m_queued = 0; // presses queued, played or typed
    bool m_polled = false;
    bool m_inputOpen = true;
    std::string m_inputLine;
    // Pieces of messages still to send, each with the earliest time to send it.
    std::deque<std::pair<Clock::time_point, std::vector<uint8_t>>> m_out;
    bool m_quit = false;
    bool m_quitWhenWritten = false;
};

bool Simulator::openFifo() {
    struct stat st {};
    if (::stat(m_o.lirc.c_str(), &st) != 0 && ::mkfifo(m_o.lirc.c_str(), 0600) != 0) {
        std::perror(("quorvel-sim: " + m_o.lirc).c_str());
        return false;
    }
    // Read and write: opening does not wait for the reader, and a reader
    // that comes and goes does not end the writer.
    m_master = ::open(m_o.lirc.c_str(), O_RDWR | O_NONBLOCK);
    if (m_master < 0) {
        std::perror(("quorvel-sim: " + m_o.lirc).c_str());
        return false;
    }
    m_path = m_o.lirc;
    return true;
}

// A press in the form the other receivers give it.
std::vector<uint8_t> Simulator::encoded(const std::vector<int64_t>& times, double carrierPeriodUs) {
    std::vector<uint8_t> out;
    if (!m_o.lirc.empty()) {
        auto word = [&out](uint32_t kind, int64_t value) {
            const uint32_t w =
                kind | static_cast<uint32_t>(std::clamp<int64_t>(value, 0, 0xFFFFFF));
            const auto* b = reinterpret_cast<const uint8_t*>(&w);
            out.insert(out.end(), b, b + 4);
        };
        if (m_o.carrierHz > 0) word(0x02000000, m_o.carrierHz);
        for (size_t i = 0; i < times.size(); ++i) {
            if (m_o.overflowAfter > 0 && static_cast<long>(i) == m_o.overflowAfter) {
                word(0x04000000, 0);
                break;
            }
            word(i % 2 == 0 ? 0x01000000 : 0x00000000, times[i]);
        }
        word(0x03000000, 100000);
        return out;
    }
    std::string text;
    if (m_o.dump == "pronto") {
        text = qv::writePronto(times, carrierPeriodUs > 0 ? carrierPeriodUs : 1e6 / 38000,
                               qv::engine::kDefaultFrameGap);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
    } else if (m_o.dump == "mode2") {
        text = qv::writeMode2(times);
    } else {
        for (size_t i = 0; i < times.size(); ++i) {
            if (m_o.dump == "signed")
                text += (i ? " " : "") + std::string(i % 2 ? "-" : "+") + std::to_string(times[i]);
            else
                text += (i ? ", " : "") + std::to_string(times[i]);
        }
        if (m_o.dump == "rawdata")
            text = "uint16_t rawData[" + std::to_string(times.size()) + "] = {" + text + "};";
    }
    const std::string dump = "Protocol=UNKNOWN " + std::to_string(times.size()) +
                             " times received\r\n" + text + "\r\n\r\n";
    return {dump.begin(), dump.end()};
}

bool Simulator::openTerminal() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        std::perror("quorvel-sim: pseudo-terminal");
        return false;
    }
    const char* name = ptsname(m_master);
    if (!name) {
        std::perror("quorvel-sim: ptsname");
        return false;
    }
    m_path = name;
    m_slave = ::open(m_path.c_str(), O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        std::perror("quorvel-sim: opening the device");
        return false;
    }
    // Raw from the start: no echo of the unit's bytes back to it, no line
    // editing, whatever opens the device later.
    termios t{};
    if (tcgetattr(m_slave, &t) == 0) {
        cfmakeraw(&t);
        cfsetispeed(&t, B38400);
        cfsetospeed(&t, B38400);
        tcsetattr(m_slave, TCSANOW, &t);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (!m_o.link.empty()) {
        std::error_code ec;
        std::filesystem::remove(m_o.link, ec);
        std::filesystem::create_symlink(m_path, m_o.link, ec);
        if (ec) {
            std::fprintf(stderr, "quorvel-sim: --link %s: %s\n", m_o.link.c_str(),
                         ec.message().c_str());
            return false;
        }
    }
    return true;
}

void Simulator::log(const std::string& text) {
    const double t = std::chrono::duration<double>(Clock::now() - m_start).count();
    std::printf("%s at %.3f s\n", text.c_str(), t);
    std::fflush(stdout);
}

std::vector<uint8_t> Simulator::message(const Capture& c) {
    std::uniform_int_distribution<long> jitter(-m_o.jitterUs, m_o.jitterUs);
    std::vector<uint8_t> out;
    if (!c.times.empty()) {
        std::vector<int64_t> times = c.times;
        if (m_o.jitterUs > 0)
            for (auto& t : times)
                t = std::max<int64_t>(1, t + jitter(m_random));
        if (!m_o.lirc.empty() || !m_o.dump.empty()) {
            const qv::Carrier carrier = c.carrier.value_or(m_o.carrier);
            return encoded(times, (carrier.highTicks + carrier.lowTicks) / qv::kReceiverTicksPerUs);
        }
        out = qv::messageFromTimes(times, c.carrier.value_or(m_o.carrier));
    } else {
        out = c.bytes;
        if (m_o.jitterUs > 0) {
            // Only the decoded half carries times; overflow units stay as they are.
            const long m = static_cast<long>(out.size()) / 2 - 2;
            for (long i = 2; i + 1 <= m; i += 2) {
                long v = out[i] * 256 + out[i + 1];
                if (v == 0) continue;
                v += std::lround(static_cast<double>(jitter(m_random)) * qv::kReceiverTicksPerUs);
                v = std::clamp<long>(v, 1, 65535);
                out[i] = static_cast<uint8_t>(v >> 8);
                out[i + 1] = static_cast<uint8_t>(v & 0xFF);
            }
        }
    }
    if (m_o.junk > 0) {
        // As many zeros as junk bytes first: the decoded half grows by half
        // the added length, so the junk stays wholly behind it.
        out.resize(out.size() + static_cast<size_t>(m_o.junk), 0);
        std::uniform_int_distribution<int> byte(0, 255);
        for (long i = 0; i < m_o.junk; ++i)
            out.push_back(static_cast<uint8_t>(byte(m_random)));
    }
    return out;
}

void Simulator::queueMessage(const Capture& c) {
    if (c.times.empty() && (!m_o.lirc.empty() || !m_o.dump.empty())) {
        std::fprintf(stderr, "quorvel-sim: --lirc and --dump play text captures, not .bin\n");
        return;
    }
    std::vector<uint8_t> bytes = message(c);
    if (m_o.vanishAfter > 0 && ++m_queued == m_o.vanishAfter) {
        // The device goes away in the middle of this press.
        bytes.resize(bytes.size() / 2 / 4 * 4);
        m_quitWhenWritten = true;
    }
    const size_t piece = m_o.chunk > 0 ? static_cast<size_t>(m_o.chunk) : bytes.size();
    auto at = std::max(Clock::now(), nextChunkTime());
    for (size_t i = 0; i < bytes.size(); i += piece) {
        m_out.emplace_back(at, std::vector<uint8_t>(bytes.begin() + static_cast<long>(i),
                                                    bytes.begin() + static_cast<long>(std::min(
                                                                        bytes.size(), i + piece))));
        at += milliseconds(m_o.chunkGapMs);
    }
    log("tx " + std::to_string(bytes.size()) + " bytes");
}

Clock::time_point Simulator::nextChunkTime() const {
    return m_out.empty() ? Clock::now() : m_out.back().first + milliseconds(m_o.chunkGapMs);
}

void Simulator::writePending() {
    while (!m_out.empty() && m_out.front().first <= Clock::now()) {
        auto& bytes = m_out.front().second;
        const ssize_t n = ::write(m_master, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) return; // the far end is not reading yet
            std::perror("quorvel-sim: write");
            m_quit = true;
            return;
        }
        bytes.erase(bytes.begin(), bytes.begin() + n);
        if (!bytes.empty()) return;
        m_out.pop_front();
    }
    if (m_out.empty() && m_quitWhenWritten) m_quit = true;
}

void Simulator::readCommands() {
    uint8_t buf[256];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0) return;
        for (ssize_t i = 0; i < n; ++i) {
            char text[16];
            if (buf[i] == 'R' || buf[i] == 'Z')
                std::snprintf(text, sizeof text, "rx %c", buf[i]);
            else
                std::snprintf(text, sizeof text, "rx 0x%02X", buf[i]);
            log(text);
            if (!m_polled && (buf[i] == 'R' || buf[i] == 'Z')) {
                m_polled = true;
                if (m_capture && m_o.waitForPoll)
                    m_nextPlay = Clock::now() + milliseconds(m_o.delayMs);
            }
        }
    }
}

void Simulator::handleLine(const std::string& raw) {
    std::string line = raw;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    while (!line.empty() && line.front() == ' ')
        line.erase(line.begin());
    if (line.empty()) return;
    if (line == "quit" || line == "exit") {
        m_quit = true;
        return;
    }
    try {
        std::error_code ec;
        if (std::filesystem::is_regular_file(line, ec))
            queueMessage(loadFile(line, m_o.carrier));
        else
            queueMessage({qv::parseTimeList(line), {}, {}});
    } catch (const qv::CaptureFormatError& e) {
        std::fprintf(stderr, "quorvel-sim: %s\n", e.what());
    }
}

void Simulator::readInput() {
    char buf[512];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        if (n < 0 && errno == EINTR) return;
        m_inputOpen = false; // the simulator goes on with its schedule
        if (!m_inputLine.empty()) handleLine(m_inputLine);
        m_inputLine.clear();
        return;
    }
    m_inputLine.append(buf, static_cast<size_t>(n));
    for (size_t eol; (eol = m_inputLine.find('\n')) != std::string::npos;) {
        const std::string line = m_inputLine.substr(0, eol);
        m_inputLine.erase(0, eol + 1);
        handleLine(line);
    }
}

int Simulator::pollTimeoutMs() const {
    auto next = Clock::now() + milliseconds(200);
    if (m_nextPlay) next = std::min(next, *m_nextPlay);
    if (!m_out.empty()) next = std::min(next, m_out.front().first);
    const auto ms = std::chrono::ceil<milliseconds>(next - Clock::now()).count();
    return static_cast<int>(std::max<long>(0, ms));
}

int Simulator::run() {
    if (!m_o.file.empty()) {
        try {
            m_capture = loadFile(m_o.file, m_o.carrier);
        } catch (const qv::CaptureFormatError& e) {
            std::fprintf(stderr, "quorvel-sim: %s\n", e.what());
            return 1;
        }
    }
    if (!(m_o.lirc.empty() ? openTerminal() : openFifo())) return 1;
    std::printf("%s\n", m_path.c_str());
    std::fflush(stdout);
    if (m_capture && !m_o.waitForPoll) m_nextPlay = Clock::now() + milliseconds(m_o.delayMs);

    while (!g_stop && !m_quit) {
        // The FIFO's reading side is the product's: the simulator only writes.
        pollfd fds[2] = {{m_master, static_cast<short>(m_o.lirc.empty() ? POLLIN : 0), 0},
                         {STDIN_FILENO, POLLIN, 0}};
        if (!m_out.empty() && m_out.front().first <= Clock::now()) fds[0].events |= POLLOUT;
        const int n = poll(fds, m_inputOpen ? 2 : 1, pollTimeoutMs());
        if (n < 0 && errno != EINTR) {
            std::perror("quorvel-sim: poll");
            break;
        }
        if (fds[0].revents & POLLIN) readCommands();
        if (m_inputOpen && (fds[1].revents & (POLLIN | POLLHUP))) readInput();
        if (m_nextPlay && Clock::now() >= *m_nextPlay) {
            queueMessage(*m_capture);
            ++m_plays;
            if (m_o.repeatMs && (m_o.count == 0 || m_plays < m_o.count))
                m_nextPlay = Clock::now() + milliseconds(*m_o.repeatMs);
            else
                m_nextPlay.reset();
        }
        writePending();
    }
    if (!m_o.link.empty()) {
        std::error_code ec;
        if (std::filesystem::is_symlink(m_o.link, ec)) std::filesystem::remove(m_o.link, ec);
    }
    if (m_slave >= 0) ::close(m_slave);
    ::close(m_master);
    // The device is gone with the simulator: a FIFO it made goes too.
    if (!m_o.lirc.empty()) ::unlink(m_o.lirc.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
#ifdef __linux__
    // A simulator whose starter died (a script, a test) ends with it.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) return 0;
#endif
    return Simulator(std::move(options)).run();
}
