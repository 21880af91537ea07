// Every kept input of every fuzz target, seeds and findings alike, run
// through its target in the normal build: a finding once fixed stays fixed.
#include "fuzz_targets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

TEST(Replay, EveryKeptInputRunsToTheEndInTime) {
    namespace fs = std::filesystem;
    int inputs = 0;
    for (const auto& target : qvfuzz::kTargets)
        for (const char* kind : {"corpus", "findings"}) {
            const fs::path dir = fs::path(QV_FUZZ_DIR) / kind / target.name;
            if (!fs::is_directory(dir)) continue;
            std::vector<fs::path> files;
            for (const auto& entry : fs::directory_iterator(dir))
                if (entry.is_regular_file() && entry.path().filename() != "README.md")
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files) {
                std::ifstream f(file, std::ios::binary);
                const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)),
                                                 std::istreambuf_iterator<char>());
                const auto start = std::chrono::steady_clock::now();
                EXPECT_EQ(target.run(bytes.data(), bytes.size()), 0) << file;
                // The fuzzers stop an input after 10 s; an honest one takes milliseconds.
                EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10))
                    << file;
                ++inputs;
            }
        }
    EXPECT_GT(inputs, 100);
}

} // namespace
