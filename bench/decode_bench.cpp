// The decoding core, measured without any window: loading a full receiver
// message, complete decodes of three protocols' key presses, automatic
// format selection over the whole catalogue, and the waveform's line list.
#include "app/session.h"
#include "bench_captures.h"

#include "app/capture_loader.h"
#include "app/capture_tick.h"
#include "app/dispatch.h"
#include "app/format_scan.h"
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
        s.format.cataloguePath = folder().catalogue();
        s.env.errorRecord.setPath(folder().errorRecord());
        s.env.port = &port;
        s.env.codeGrid = &grid;
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
    const std::string code = b.s.last.decode.shown.substr(0, b.s.last.decode.shown.find('\r'));
    if (code.empty() || !b.s.last.errorLines.empty()) {
        state.SkipWithError(
            ("no clean decode: " + b.s.last.binaryShown() +
             (b.s.last.errorLines.empty() ? "" : " / " + b.s.last.errorLines.front()))
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
    b.s.format.automatic = true;
    for (auto _ : state) {
        b.s.decoding.timeTolerance = 0.15f;
        b.s.format.autoIndex = 0;
        b.port.receive(message);
        qv::loadCapture(b.s);
        qv::decodeDispatch(b.s);
    }
    if (b.s.last.binaryShown() != "It not this format" || b.s.format.name != "Form001") {
        state.SkipWithError("the catalogue search did not run to its end");
        return;
    }
    state.SetLabel(std::to_string(b.s.format.cursor->rowCount()) + " rows");
}

// The decode alone, as the scan and the dispatch call it: the row already
// in memory, the capture already in the record.
void decodeNecRowInMemory(benchmark::State& state) {
    Bench b("Form016(NEC N-8)");
    b.port.receive(qv::messageFromTimes(qvbench::necPress(0x00, 0x12)));
    qv::loadCapture(b.s);
    const qv::engine::FormatRow row = qv::engine::FormatRow::fromCursor(*b.s.format.cursor);
    qv::engine::DecodeSettings settings = qv::decodeSettings(b.s);
    settings.learn = false;
    qv::engine::DecodeResult r;
    for (auto _ : state) {
        r = qv::engine::decode(b.s.TTable, row, settings);
        benchmark::DoNotOptimize(r);
    }
    if (r.hex.empty() || !r.errors.empty()) state.SkipWithError("no clean decode");
    state.SetLabel(r.hex.substr(0, r.hex.find('\r')));
}

// "Which format is this?" for one key press: every row of the catalogue.
void scanNecAgainstCatalogue(benchmark::State& state) {
    const std::vector<uint8_t> message = qv::messageFromTimes(qvbench::necPress(0x00, 0x12));
    std::vector<qv::ScanResult> results;
    for (auto _ : state) {
        results = qv::scanFormats(message, folder().catalogue());
        benchmark::DoNotOptimize(results);
    }
    if (results.empty() || !results.front().clean) state.SkipWithError("nothing fits");
    state.SetLabel(std::to_string(results.size()) + " rows, best " + results.front().key);
}

// The window's hint after every capture, the catalogue's rows in memory.
void alsoFitsNec(benchmark::State& state) {
    Bench b("Form001(AIWA*SANYO)");
    b.s.last.capture.message = qv::messageFromTimes(qvbench::necPress(0x00, 0x12));
    std::optional<qv::ScanResult> fits;
    for (auto _ : state) {
        fits = qv::alsoFits(b.s);
        benchmark::DoNotOptimize(fits);
    }
    if (!fits)
        state.SkipWithError("no hint");
    else
        state.SetLabel("Also fits: " + fits->caption);
}

// The window's tick without its painting: load, the line list, decode and
// the "Also fits" hint (Form001 is selected: the hint names Form016).
void tickWithHintNec(benchmark::State& state) {
    Bench b("Form001(AIWA*SANYO)");
    const std::vector<uint8_t> message = qv::messageFromTimes(qvbench::necPress(0x00, 0x12));
    std::optional<qv::ScanResult> fits;
    for (auto _ : state) {
        b.port.receive(message);
        b.s.setIdleTimer(false);
        qv::captureTick(b.s);
        fits = qv::alsoFits(b.s);
        benchmark::DoNotOptimize(fits);
    }
    state.SetLabel(fits ? "Also fits: " + fits->caption : "no hint");
}

// The line list of one NEC key press: a frame and two repeats.
void waveformLinesNecPress(benchmark::State& state) {
    Bench b("Form016(NEC N-8)");
    b.port.receive(qv::messageFromTimes(qvbench::necPress(0x00, 0x12)));
    qv::captureTick(b.s); // the frame rows are the frames the decode read
    for (auto _ : state)
        qv::drawWaveform(b.s);
    state.SetLabel(std::to_string(b.s.wave.lines.size()) + " lines, 3 frames");
}

void waveformLines(benchmark::State& state) {
    Bench b("Form016(NEC N-8)");
    b.port.receive(qvbench::fullMessage());
    qv::captureTick(b.s);
    for (auto _ : state)
        qv::drawWaveform(b.s);
    state.SetLabel(std::to_string(b.s.wave.lines.size()) + " lines, 640 cells");
}

} // namespace

BENCHMARK(loadFullMessage)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeNec)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeRc5)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeSony)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeNecRowInMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(scanNecAgainstCatalogue)->Unit(benchmark::kMicrosecond);
BENCHMARK(alsoFitsNec)->Unit(benchmark::kMicrosecond);
BENCHMARK(tickWithHintNec)->Unit(benchmark::kMicrosecond);
BENCHMARK(autoSelectAcrossCatalogue)->Unit(benchmark::kMicrosecond);
BENCHMARK(waveformLinesNecPress)->Unit(benchmark::kMicrosecond);
BENCHMARK(waveformLines)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
