// The main window's capture tick, measured: from Timer1's timeout to every
// control of the window refreshed and painted, for a capture that fills
// the whole capture record.
#include "bench_captures.h"

#include "catalogue/catalogue_build.h"
#include "windows/main/form_main.h"

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
        s.cataloguePath = dir.filePath("IRTime.db").toStdString();
        s.codeDatabasePath = dir.filePath("IR_CODE_DB.db").toStdString();
        s.errorRecord.setPath(dir.filePath("Error record.txt").toStdString());
        qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", s.cataloguePath);
        s.port = &port;
        window = std::make_unique<qv::Form_main>(s);
        window->startUp();
        window->show();
        timer1 = window->findChild<QTimer*>("Timer1");
        QCoreApplication::processEvents();
    }
};

std::unique_ptr<Window> g_window; // lives within the application object

void timer1TickFullCapture(benchmark::State& state) {
    if (!g_window) g_window = std::make_unique<Window>();
    Window& w = *g_window;
    if (!w.timer1) {
        state.SkipWithError("the main window has no Timer1");
        return;
    }
    const std::vector<uint8_t> message = qvbench::fullMessage();
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
    if (w.s.TTable.cell(64, 10).empty()) state.SkipWithError("the capture record is not full");
    state.SetLabel("640 cells, offscreen");
}

} // namespace

BENCHMARK(timer1TickFullCapture)->Unit(benchmark::kMillisecond);

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
