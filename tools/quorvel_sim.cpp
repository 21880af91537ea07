// A stand-in for the receiver unit: makes a pseudo-terminal, prints the
// device path for the window program's "--port COMn=DEVICE", and plays the
// unit's side of the link. It takes the program's "R" and "Z" commands and
// sends capture messages in the unit's wire format.
#include "app/capture_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
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

constexpr double kTicksPerMicrosecond = 1.8432;

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
    bool m_polled = false;
    bool m_inputOpen = true;
    std::string m_inputLine;
    // Pieces of messages still to send, each with the earliest time to send it.
    std::deque<std::pair<Clock::time_point, std::vector<uint8_t>>> m_out;
    bool m_quit = false;
};

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
        out = qv::messageFromTimes(times, c.carrier.value_or(m_o.carrier));
    } else {
        out = c.bytes;
        if (m_o.jitterUs > 0) {
            // Only the decoded half carries times; overflow units stay as they are.
            const long m = static_cast<long>(out.size()) / 2 - 2;
            for (long i = 2; i + 1 <= m; i += 2) {
                long v = out[i] * 256 + out[i + 1];
                if (v == 0) continue;
                v += std::lround(static_cast<double>(jitter(m_random)) * kTicksPerMicrosecond);
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
    const std::vector<uint8_t> bytes = message(c);
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
    if (!openTerminal()) return 1;
    std::printf("%s\n", m_path.c_str());
    std::fflush(stdout);
    if (m_capture && !m_o.waitForPoll) m_nextPlay = Clock::now() + milliseconds(m_o.delayMs);

    while (!g_stop && !m_quit) {
        pollfd fds[2] = {{m_master, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
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
    ::close(m_slave);
    ::close(m_master);
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
