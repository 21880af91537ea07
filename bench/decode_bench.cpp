// The decoding core, measured without any window: loading a full receiver
// message, complete decodes of three protocols' key presses, automatic
// format selection over the whole catalogue, and the waveform's line list.
#include "bench_captures.h"

#include "app/capture_loader.h"
#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "catalogue/catalogue_build.h"
#include "waveform/waveform.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// A folder with a fresh shipped catalogue, removed at exit.
struct Folder {
    std::string path;
    Folder() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
        if (mkdtemp(tmpl.data())) path = tmpl;
        qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", catalogue());
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string catalogue() const { return path + "/IRTime.db"; }
    std::string errorRecord() const { return path + "/Error record.txt"; }
};

const Folder& folder() {
    static const Folder f;
    return f;
}

// A started session, as the program has one, on the given format.
struct Bench {
    qv::MemoryPort port;
    qv::MemoryCodeGrid grid;
    qv::Session s;
    explicit Bench(const std::string& caption) {
        s.cataloguePath = folder().catalogue();
        s.errorRecord.setPath(folder().errorRecord());
        s.port = &port;
        s.codeGrid = &grid;
        qv::startUp(s);
        qv::setIrtype(s, caption);
    }
};

void loadFullMessage(benchmark::State& state) {
    Bench b("Form016(NEC N-8)");
    const std::vector<uint8_t> message = qvbench::fullMessage();
    for (auto _ : state) {
        b.port.receive(message);
        qv::loadCapture(b.s);
    }
    if (b.s.TTable.cell(64, 10).empty()) state.SkipWithError("the capture record is not full");
    state.SetLabel(std::to_string(message.size()) + " bytes, 640 cells");
}

// Load and decode dispatch of one key press; the label shows the code.
void decodeKeyPress(benchmark::State& state, const std::string& caption,
                    const std::vector<int64_t>& times) {
    Bench b(caption);
    const std::vector<uint8_t> message = qv::messageFromTimes(times);
    for (auto _ : state) {
        b.port.receive(message);
        qv::loadCapture(b.s);
        qv::decodeDispatch(b.s);
    }
    const std::string code = b.s.tHCode.substr(0, b.s.tHCode.find('\r'));
    if (code.empty() || !b.s.ErrRcd.empty()) {
        state.SkipWithError(("no clean decode: " + b.s.tBcode +
                             (b.s.ErrRcd.empty() ? "" : " / " + b.s.ErrRcd.front()))
                                .c_str());
        return;
    }
    state.SetLabel(caption.substr(0, 7) + ": " + code);
}

void decodeNec(benchmark::State& state) {
    decodeKeyPress(state, "Form016(NEC N-8)", qvbench::necPress(0x00, 0x12));
}
void decodeRc5(benchmark::State& state) {
    decodeKeyPress(state, "Form030(&RC-5)", qvbench::rc5Press(0x05, 0x23, 2));
}
void decodeSony(benchmark::State& state) {
    decodeKeyPress(state, "Form034(Sony 7-5)", qvbench::sonyPress(0x15, 0x01));
}

// No code, the tolerance at its limit: the capture's head is compared with
// every row of the catalogue, none fits, and "Form001" is chosen again.
void autoSelectAcrossCatalogue(benchmark::State& state) {
    Bench b("Form016(NEC N-8)");
    qvbench::Times t;
    t.mark(7000).space(7000).mark(700).space(700).mark(700);
    const std::vector<uint8_t> message = qv::messageFromTimes(t.times());
    b.s.mnuAuto = true;
    for (auto _ : state) {
        b.s.TimeTolerance = 0.15f;
        b.s.AutoFormatIndex = 0;
        b.port.receive(message);
        qv::loadCapture(b.s);
        qv::decodeDispatch(b.s);
    }
    if (b.s.tBcode != "It not this format" || b.s.irtype != "Form001") {
        state.SkipWithError("the catalogue search did not run to its end");
        return;
    }
    state.SetLabel(std::to_string(b.s.CurFormat->rowCount()) + " rows");
}

void waveformLines(benchmark::State& state) {
    Bench b("Form016(NEC N-8)");
    b.port.receive(qvbench::fullMessage());
    qv::loadCapture(b.s);
    for (auto _ : state)
        qv::drawWaveform(b.s);
    state.SetLabel(std::to_string(b.s.wave.lines.size()) + " lines, 640 cells");
}

} // namespace

BENCHMARK(loadFullMessage)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeNec)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeRc5)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeSony)->Unit(benchmark::kMicrosecond);
BENCHMARK(autoSelectAcrossCatalogue)->Unit(benchmark::kMicrosecond);
BENCHMARK(waveformLines)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
