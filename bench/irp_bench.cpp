// The IRP floor: the whole shipped table parsed and compiled, one capture
// identified against every protocol, one press rendered.
#include "irp/irp.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::string& tableText() {
    static const std::string text = [] {
        std::ifstream f(QV_SOURCE_DIR "/data/irp-protocols.tsv");
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }();
    return text;
}

const qv::irp::ProtocolTable& table() {
    static const qv::irp::ProtocolTable t = [] {
        qv::irp::ProtocolTable t;
        t.addTsv(tableText(), "irp-protocols.tsv");
        return t;
    }();
    return t;
}

void BM_ParseWholeTable(benchmark::State& state) {
    for (auto _ : state) {
        qv::irp::ProtocolTable t;
        benchmark::DoNotOptimize(t.addTsv(tableText(), "irp-protocols.tsv").added);
    }
}
BENCHMARK(BM_ParseWholeTable)->Unit(benchmark::kMillisecond);

// An NEC1 press with two repeats, and through a demodulating receiver (its
// burst excess guessed per protocol) an RC5 press and an RCMM32 one, whose
// close symbols have the readings near the nearest searched.
void BM_IdentifyOneCapture(benchmark::State& state) {
    const bool demodulated = state.range(0) >= 1;
    std::vector<int64_t> times;
    if (demodulated) {
        std::ifstream f(state.range(0) == 1 ? QV_SOURCE_DIR "/tests/data/real/ir-baceef66fc.txt"
                                            : QV_SOURCE_DIR "/tests/data/real/ir-3dc427cd90.txt");
        for (int64_t v; f >> v;)
            times.push_back(v);
    } else {
        times = qv::irp::render(*table().find("NEC1"), {{"D", 0}, {"F", 18}}, {2}).press();
    }
    qv::irp::DecodeOptions options;
    options.demodulated = demodulated;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::irp::decode(table(), times, options).size());
}
BENCHMARK(BM_IdentifyOneCapture)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// Every labelled real capture in turn, as a demodulating receiver took it:
// the time a capture takes on average, over remotes of every kind.
void BM_IdentifyRealCaptures(benchmark::State& state) {
    std::vector<std::vector<int64_t>> captures;
    for (const auto& entry :
         std::filesystem::directory_iterator(QV_SOURCE_DIR "/tests/data/real")) {
        if (entry.path().extension() != ".txt") continue;
        std::ifstream f(entry.path());
        std::vector<int64_t> times;
        for (int64_t v; f >> v;)
            times.push_back(v);
        if (!times.empty()) captures.push_back(std::move(times));
    }
    qv::irp::DecodeOptions options;
    options.demodulated = true;
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::irp::decode(table(), captures[next], options).size());
        next = (next + 1) % captures.size();
    }
}
BENCHMARK(BM_IdentifyRealCaptures)->Unit(benchmark::kMicrosecond);

void BM_RenderOnePress(benchmark::State& state) {
    const qv::irp::NamedProtocol& p = *table().find(state.range(0) == 0 ? "NEC1" : "RC6");
    qv::irp::Params params{{"D", 0}, {"F", 18}};
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::irp::render(p, params, {2}).press().size());
}
BENCHMARK(BM_RenderOnePress)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
