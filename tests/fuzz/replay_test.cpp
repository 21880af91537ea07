// Every kept input of every fuzz target, seeds and findings alike, run
// through its target in the normal build: a finding once fixed stays fixed.
#include "fuzz_targets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct KeptInput {
    std::string target;
    std::string kind; // "corpus" or "findings"
    std::filesystem::path file;
};

std::vector<KeptInput> keptInputs() {
    namespace fs = std::filesystem;
    std::vector<KeptInput> inputs;
    for (const auto& target : qvfuzz::kTargets)
        for (const char* kind : {"corpus", "findings"}) {
            const fs::path dir = fs::path(QV_FUZZ_DIR) / kind / target.name;
            if (!fs::is_directory(dir)) continue;
            std::vector<fs::path> files;
            for (const auto& entry : fs::directory_iterator(dir))
                if (entry.is_regular_file() && entry.path().filename() != "README.md")
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (auto& f : files)
                inputs.push_back({target.name, kind, f});
        }
    return inputs;
}

class Replay : public ::testing::TestWithParam<KeptInput> {};

TEST_P(Replay, RunsToTheEndInTime) {
    const KeptInput& in = GetParam();
    std::ifstream f(in.file, std::ios::binary);
    ASSERT_TRUE(f) << in.file;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)),
                                     std::istreambuf_iterator<char>());
    const auto* target = std::find_if(std::begin(qvfuzz::kTargets), std::end(qvfuzz::kTargets),
                                      [&](const auto& t) { return in.target == t.name; });
    ASSERT_NE(target, std::end(qvfuzz::kTargets));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(target->run(bytes.data(), bytes.size()), 0);
    // The fuzzers stop an input after 10 s; an honest one takes milliseconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << in.file;
}

std::string inputName(const ::testing::TestParamInfo<KeptInput>& info) {
    std::string name = info.param.target + "_" + info.param.kind + "_";
    for (char c : info.param.file.filename().string())
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Kept, Replay, ::testing::ValuesIn(keptInputs()), inputName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Replay);

} // namespace
