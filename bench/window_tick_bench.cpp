// The main window's capture tick, measured: from Timer1's timeout to every
// control of the window refreshed and painted, for a capture that fills
// the whole capture record.
#include "app/session.h"
#include "bench_captures.h"

#include "catalogue/catalogue_build.h"
#include "windows/main/form_main.h"
#include "windows/main/press_log_dock.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Window {
    QTemporaryDir dir;
    qv::MemoryPort port;
    qv::Session s;
    std::unique_ptr<qv::Form_main> window;
    QTimer* timer1 = nullptr;

    Window() {
        s.format.cataloguePath = dir.filePath("IRTime.db").toStdString();
        s.code.databasePath = dir.filePath("IR_CODE_DB.db").toStdString();
        s.env.errorRecord.setPath(dir.filePath("Error record.txt").toStdString());
        qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", s.format.cataloguePath);
        s.env.port = &port;
        window = std::make_unique<qv::Form_main>(s);
        window->startUp();
        window->show();
        timer1 = window->findChild<QTimer*>("Timer1");
        QCoreApplication::processEvents();
    }
};

std::unique_ptr<Window> g_window; // lives within the application object

// Timer1's tick on a message: load, draw, decode, the "Also fits" hint and
// every control refreshed and painted.
void timer1Tick(benchmark::State& state, const std::vector<uint8_t>& message) {
    if (!g_window) g_window = std::make_unique<Window>();
    Window& w = *g_window;
    if (!w.timer1) {
        state.SkipWithError("the main window has no Timer1");
        return;
    }
    w.timer1->setInterval(0);
    for (auto _ : state) {
        state.PauseTiming();
        w.port.receive(message);
        w.timer1->start();
        state.ResumeTiming();
        while (w.timer1->isActive())
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(); // a refresh the tick scheduled
        w.window->repaint();
    }
}

void timer1TickFullCapture(benchmark::State& state) {
    timer1Tick(state, qvbench::fullMessage());
    if (g_window->s.TTable.cell(64, 10).empty())
        state.SkipWithError("the capture record is not full");
    state.SetLabel("640 cells, offscreen");
}

void timer1TickNecPress(benchmark::State& state) {
    timer1Tick(state, qv::messageFromTimes(qvbench::necPress(0x00, 0x12)));
    state.SetLabel("NEC key press, offscreen");
}

// The waveform painted again whole, the window widened until the picture
// is about 1600 pixels wide; the label says how wide it came out.
void waveformRedraw1600(benchmark::State& state) {
    if (!g_window) g_window = std::make_unique<Window>();
    Window& w = *g_window;
    w.port.receive(qv::messageFromTimes(qvbench::necPress(0x00, 0x12)));
    w.timer1->setInterval(0);
    w.timer1->start();
    while (w.timer1->isActive())
        QCoreApplication::processEvents();
    auto* picture = w.window->findChild<QWidget*>("Picture1");
    if (!picture) {
        state.SkipWithError("the main window has no Picture1");
        return;
    }
    w.window->resize(w.window->width() + 1600 - picture->width(), w.window->height());
    QCoreApplication::processEvents();
    for (auto _ : state)
        picture->repaint();
    state.SetLabel(std::to_string(picture->width()) + " px, NEC key press");
}

// "Statistics..." over 100 presses of this run: the window made, filled,
// shown and painted. keys: how many different commands the presses carry
// (each command is a group of its own in the window).
void statisticsWindowOpen(benchmark::State& state) {
    if (!g_window) g_window = std::make_unique<Window>();
    Window& w = *g_window;
    auto* dock = w.window->findChild<qv::PressLogDock*>();
    if (!dock) {
        state.SkipWithError("the main window has no captures panel");
        return;
    }
    const int keys = static_cast<int>(state.range(0));
    w.s.pressLog.clear();
    w.timer1->setInterval(0);
    // A capture that comes while the last one is still shown may be taken
    // with it: send until the log holds 100.
    for (int i = 0; w.s.pressLog.size() < 100 && i < 1000; ++i) {
        w.port.receive(qv::messageFromTimes(qvbench::necPress(0x00, uint8_t(i % keys))));
        w.timer1->start();
        while (w.timer1->isActive())
            QCoreApplication::processEvents();
    }
    for (auto _ : state) {
        dock->showStatistics();
        QWidget* stats = dock->statisticsWindow();
        QCoreApplication::processEvents();
        if (stats) stats->repaint();
        state.PauseTiming();
        delete stats; // the next opening makes the window again
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(w.s.pressLog.size()) + " presses, " + std::to_string(keys) +
                   " codes, offscreen");
}

} // namespace

BENCHMARK(statisticsWindowOpen)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(waveformRedraw1600)->Unit(benchmark::kMillisecond);
BENCHMARK(timer1TickFullCapture)->Unit(benchmark::kMillisecond);
BENCHMARK(timer1TickNecPress)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}
