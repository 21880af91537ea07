// The read loop of a LIRC device, measured on a FIFO of mode2 words (what
// quorvel-sim --lirc plays): the CPU it takes while nothing arrives, and a
// press every 50 ms taken through the whole capture road (load, decode,
// error record) without losing one. Counters: cpu_share is CPU time over
// wall time; lost is presses written minus presses decoded.
#include "app/capture_tick.h"
#include "app/main_state.h"
#include "app/session.h"
#include "catalogue/catalogue_build.h"
#include "link/live_port.h"
#include "platform/code_grid.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A FIFO in a folder of its own, with a writer that stays open.
struct Fifo {
    std::filesystem::path dir;
    std::string path;
    int writer = -1;
    Fifo() {
        char name[] = "/tmp/qv-live-bench-XXXXXX";
        dir = mkdtemp(name);
        path = (dir / "lirc0").string();
        mkfifo(path.c_str(), 0600);
        writer = open(path.c_str(), O_RDWR | O_NONBLOCK);
    }
    ~Fifo() {
        close(writer);
        std::filesystem::remove_all(dir);
    }
};

// An NEC press (leader, 32 bits, stop) as mode2 words with a carrier and a
// timeout word.
std::vector<uint32_t> necPress() {
    std::vector<uint32_t> w = {0x02000000 | 38000, 0x01000000 | 9000, 4500};
    const uint32_t code = 0xED12FF00;
    for (int i = 0; i < 32; ++i) {
        w.push_back(0x01000000 | 560);
        w.push_back((code >> i) & 1 ? 1690 : 560);
    }
    w.push_back(0x01000000 | 560);
    w.push_back(0x03000000 | 100000);
    return w;
}

void BM_IdleReadLoop(benchmark::State& state) {
    Fifo fifo;
    qv::LivePort port;
    port.aimAtLirc(fifo.path);
    port.open(17);
    port.pump();
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        const double c0 = cpuSeconds();
        const auto t0 = Clock::now();
        while (Clock::now() - t0 < 1s)
            port.pump(1000); // what quorvel-cli listen does between presses
        cpu += cpuSeconds() - c0;
        wall += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    state.counters["cpu_share"] = cpu / wall;
}
BENCHMARK(BM_IdleReadLoop)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PressEvery50ms(benchmark::State& state) {
    const int presses = 60;
    char name[] = "/tmp/qv-live-cat-XXXXXX";
    const std::filesystem::path dir = mkdtemp(name);
    qv::Session s;
    qv::MemoryCodeGrid grid;
    s.format.cataloguePath = (dir / "IRTime.db").string();
    s.env.errorRecord.setPath((dir / "Error record.txt").string());
    qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", s.format.cataloguePath);
    s.env.codeGrid = &grid;
    s.out.drawsWaveform = false;
    const std::vector<uint32_t> press = necPress();
    long decoded = 0, clean = 0, written = 0;
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        Fifo fifo;
        qv::LivePort port;
        port.aimAtLirc(fifo.path);
        s.env.port = &port;
        qv::startUp(s);
        std::atomic<bool> done = false;
        std::thread writer([&] {
            auto next = Clock::now();
            for (int i = 0; i < presses; ++i, next += 50ms) {
                std::this_thread::sleep_until(next);
                if (write(fifo.writer, press.data(), press.size() * 4) > 0) ++written;
            }
            std::this_thread::sleep_for(200ms);
            done = true;
        });
        const double c0 = cpuSeconds();
        const auto t0 = Clock::now();
        while (!done) {
            port.pump(50);
            while (port.bytesWaiting() > 0) {
                qv::captureTick(s);
                ++decoded;
                if (s.last.decode.shown.rfind("00 FF 12 ED", 0) == 0) ++clean;
            }
        }
        cpu += cpuSeconds() - c0;
        wall += std::chrono::duration<double>(Clock::now() - t0).count();
        writer.join();
    }
    std::filesystem::remove_all(dir);
    state.counters["presses"] = static_cast<double>(written);
    state.counters["lost"] = static_cast<double>(written - decoded);
    state.counters["clean"] = static_cast<double>(clean);
    state.counters["cpu_share"] = cpu / wall;
}
BENCHMARK(BM_PressEvery50ms)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
