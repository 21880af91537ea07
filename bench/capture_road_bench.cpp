// The road of one capture on this platform, measured: the receiver's bytes
// cross a pseudo-terminal into the Qt serial port, and the capture tick
// loads, draws, decodes and presents them. The tick's own 900 ms wait is
// left out: the clock runs from the last byte received to the code shown.
#include "app/capture_tick.h"
#include "app/main_state.h"
#include "app/session.h"
#include "capture/capture_reader.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue_build.h"
#include "link/link_control.h"
#include "link/link_window.h"
#include "link/qt_serial_port.h"
#include "windows/main/form_main.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <memory>
#include <stdlib.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The unit's side of a pseudo-terminal.
class Unit {
public:
    Unit() {
        m_fd = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_fd >= 0 && grantpt(m_fd) == 0 && unlockpt(m_fd) == 0 && ptsname(m_fd))
            m_path = QString::fromLocal8Bit(ptsname(m_fd));
    }
    ~Unit() {
        if (m_fd >= 0) ::close(m_fd);
    }
    const QString& path() const { return m_path; }
    bool send(const std::vector<uint8_t>& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }
    // Drains what the program wrote ("R", "Z") so the device never fills up.
    void drain() {
        char buf[256];
        const int flags = fcntl(m_fd, F_GETFL);
        fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
        while (::read(m_fd, buf, sizeof buf) > 0) {
        }
        fcntl(m_fd, F_SETFL, flags);
    }

private:
    int m_fd = -1;
    QString m_path;
};

// A started session whose COM1 is the unit's pseudo-terminal.
struct Road {
    QTemporaryDir dir;
    Unit unit;
    qv::QtSerialPort port;
    qv::Session s;
    std::vector<uint8_t> message = qv::readCaptureFile(QV_SOURCE_DIR "/data/samples/nec-00-12.txt");

    Road() {
        s.format.cataloguePath = dir.filePath("IRTime.db").toStdString();
        qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", s.format.cataloguePath);
        port.setOverride(1, unit.path());
        s.env.port = &port;
        qv::connectLink(port, s);
        qv::startUp(s);
    }

    // Sends one capture and waits until its last byte is in the receive
    // buffer. Returns when that happened.
    Clock::time_point receive(Clock::time_point* sent = nullptr) {
        if (sent) *sent = Clock::now();
        unit.send(message);
        while (port.bytesWaiting() < message.size())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return Clock::now();
    }
};

// The window program over its own pseudo-terminal, wired as main() wires it.
struct WindowRoad {
    QTemporaryDir dir;
    Unit unit;
    qv::Session s;
    qv::QtSerialPort port;
    std::unique_ptr<qv::Form_main> window;
    QPlainTextEdit* tHCode = nullptr;
    std::vector<uint8_t> message = qv::readCaptureFile(QV_SOURCE_DIR "/data/samples/nec-00-12.txt");

    WindowRoad() {
        s.format.cataloguePath = dir.filePath("IRTime.db").toStdString();
        qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", s.format.cataloguePath);
        port.setOverride(1, unit.path());
        s.env.port = &port;
        window = std::make_unique<qv::Form_main>(s);
        qv::attachReceiverLink(port, s, window->portList());
        window->startUp();
        window->show();
        tHCode = window->findChild<QPlainTextEdit*>(QStringLiteral("tHCode"));
        // The capture timer's 900 ms are left out of the measure.
        window->findChild<QTimer*>(QStringLiteral("Timer1"))->setInterval(0);
    }
};

std::unique_ptr<Road> g_road; // both live within the application object
std::unique_ptr<WindowRoad> g_window;

Road& road() {
    if (!g_road) g_road = std::make_unique<Road>();
    return *g_road;
}

WindowRoad& windowRoad() {
    if (!g_window) g_window = std::make_unique<WindowRoad>();
    return *g_window;
}

void lastByteToCodeShown(benchmark::State& state) {
    Road& r = road();
    if (!r.port.isOpen()) {
        state.SkipWithError("the pseudo-terminal could not be opened");
        return;
    }
    for (auto _ : state) {
        const auto lastByte = r.receive();
        qv::captureTick(r.s); // Timer1's tick, 900 ms early
        const auto shown = Clock::now();
        if (r.s.last.decode.shown.rfind("00 FF 12 ED ", 0) != 0) {
            state.SkipWithError("the capture did not decode");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - lastByte).count());
        r.unit.drain();
    }
    state.SetLabel("NEC 00 12, " + std::to_string(r.message.size()) + " bytes");
}

// The same road through the main window: the receive event, the capture
// timer, the tick and the window's refresh, until the code box shows it.
void lastByteToCodeShownInTheWindow(benchmark::State& state) {
    WindowRoad& r = windowRoad();
    if (!r.port.isOpen() || !r.tHCode) {
        state.SkipWithError("the window could not open the pseudo-terminal");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        r.s.last.decode.shown.clear(); // so that the next code is a change on the screen
        r.s.changed();
        while (!r.tHCode->toPlainText().isEmpty())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        r.unit.drain();
        state.ResumeTiming();

        r.unit.send(r.message);
        while (r.port.bytesWaiting() < r.message.size() && r.s.last.decode.shown.empty())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const auto lastByte = Clock::now();
        // A message split by the pseudo-terminal would be taken in part.
        const auto deadline = lastByte + std::chrono::seconds(5);
        while (!r.tHCode->toPlainText().startsWith(QStringLiteral("00 FF 12 ED"))) {
            if (Clock::now() > deadline) {
                state.SkipWithError("the capture did not decode");
                return;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - lastByte).count());
    }
    state.SetLabel("Timer1 at 0 ms instead of 900");
}

void unitToReceiveBuffer(benchmark::State& state) {
    Road& r = road();
    if (!r.port.isOpen()) {
        state.SkipWithError("the pseudo-terminal could not be opened");
        return;
    }
    for (auto _ : state) {
        Clock::time_point sent;
        const auto lastByte = r.receive(&sent);
        state.SetIterationTime(std::chrono::duration<double>(lastByte - sent).count());
        r.port.read(r.port.bytesWaiting());
        r.unit.drain();
    }
    state.SetLabel("pseudo-terminal, no line speed");
}

} // namespace

BENCHMARK(lastByteToCodeShown)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(lastByteToCodeShownInTheWindow)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(unitToReceiveBuffer)->UseManualTime()->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    g_road.reset();
    return 0;
}
