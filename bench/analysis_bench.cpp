// The analysis of an unknown remote: one NEC press (with its dittos), one
// air conditioner's 152-bit frame, and a hundred presses of different
// commands fitted together, all through a demodulating receiver.
#include "analysis/analysis.h"
#include "engine/ir_signal.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qv;

analysis::Press necPress(unsigned command, uint32_t seed) {
    irsig::FrameBuilder f, d;
    const irsig::PulseCoding pd{564, 564, 564, 1692};
    f.mark(9024).space(4512).pulses(irsig::lsbFirst(0x5A, 8) + irsig::lsbFirst(0xA5, 8) +
                                        irsig::lsbFirst(command, 8) +
                                        irsig::lsbFirst(~command & 255, 8),
                                    pd);
    f.mark(564);
    d.mark(9024).space(2256).mark(564);
    const irsig::KeyPress press{f.period(108000), d.period(108000), d.period(108000)};
    analysis::Press p;
    p.times = irsig::render(press, irsig::drawReceiver(seed), seed).times;
    return p;
}

analysis::Press airConditionerPress(unsigned command, uint32_t seed) {
    irsig::FrameBuilder f;
    f.mark(3400).space(1750);
    unsigned sum = 0;
    for (int k = 0; k < 18; ++k) {
        const unsigned b = (command * (k + 3) + k) & 255;
        sum += b;
        f.pulses(irsig::lsbFirst(b, 8), {430, 430, 430, 1290});
    }
    f.pulses(irsig::lsbFirst(sum & 255, 8), {430, 430, 430, 1290}).mark(430);
    analysis::Press p;
    p.times = irsig::render({f.leadOut(20000)}, irsig::drawReceiver(seed), seed).times;
    return p;
}

void BM_AnalyseOnePress(benchmark::State& state) {
    const std::vector<analysis::Press> presses = {necPress(0x12, 3)};
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::analyse(presses));
}
BENCHMARK(BM_AnalyseOnePress)->Unit(benchmark::kMicrosecond);

void BM_AnalyseAirConditionerFrame(benchmark::State& state) {
    const std::vector<analysis::Press> presses = {airConditionerPress(0x37, 5)};
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::analyse(presses));
}
BENCHMARK(BM_AnalyseAirConditionerFrame)->Unit(benchmark::kMicrosecond);

void BM_AnalyseHundredPresses(benchmark::State& state) {
    std::vector<analysis::Press> presses;
    for (unsigned k = 0; k < 100; ++k)
        presses.push_back(necPress(k * 7 + 1, 3));
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::analyse(presses));
}
BENCHMARK(BM_AnalyseHundredPresses)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
