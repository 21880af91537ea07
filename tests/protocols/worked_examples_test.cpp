// The worked examples published with the protocol descriptions: the
// generator sends the published times for the code, and the published times
// decode to it (for rows the generator cannot send yet, that is the check).
#include "support.h"

#include "app/generate_capture.h"
#include "engine/walk_context.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

using namespace qvproto;

struct Example {
    std::string name, key, code;
    std::string repeats; // "-": the generator is known to send another shape
    std::vector<double> times;
};

const std::vector<Example>& examples() {
    static std::vector<Example> out;
    if (!out.empty()) return out;
    std::ifstream in(dataPath("protocols/worked_examples.txt"));
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "=") {
            out.emplace_back();
            words >> out.back().name >> out.back().key >> out.back().repeats >> word;
            std::getline(words >> std::ws, out.back().code);
            continue;
        }
        // Signed numbers only: bracketed comments hold none.
        for (std::istringstream rest(line); rest >> word;)
            if (word.size() > 1 && (word[0] == '+' || word[0] == '-') && !out.empty() &&
                word.find_first_not_of("0123456789.", 1) == std::string::npos)
                out.back().times.push_back(std::stod(word.substr(1)));
    }
    return out;
}

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

class WorkedExample : public testing::TestWithParam<size_t> {};

TEST_P(WorkedExample, IsWhatTheGeneratorSendsAndDecodesToItsCode) {
    const Example& e = examples()[GetParam()];
    std::vector<int64_t> rounded;
    for (double t : e.times)
        rounded.push_back(std::llround(t));
    const Decoded d = decode(e.key, rounded, 3);
    ASSERT_FALSE(d.hex.empty()) << testing::PrintToString(d.errors);
    EXPECT_EQ(trimmed(d.hex.front()), e.code) << testing::PrintToString(d.errors);

    qv::engine::GenerateRequest request;
    request.binary = composesOwnCodeLine(e.key);
    request.code = request.binary ? trimmed(d.binary.front()) : e.code;
    if (e.repeats == "-") GTEST_SKIP() << "the generator sends another shape than published";
    request.repeats = std::stoi(e.repeats);
    const std::vector<int64_t> sent =
        qv::engine::generateSignal(qv::catalogueRow(freshCatalogue(), e.key), request)
            .capture.times;
    // The listing is what the generator sends first, at least its first frame
    // (the generator sends a row's repeats, not a protocol's other halves);
    // the rows hold whole microseconds, and the silence that ends a frame
    // takes up the rounding of the frame's times.
    size_t frame = 0;
    while (frame < e.times.size() && e.times[frame] < 20000)
        ++frame;
    ASSERT_GE(sent.size(), frame);
    for (size_t i = 0; i < std::min(sent.size(), e.times.size()); ++i)
        EXPECT_NEAR(static_cast<double>(sent[i]), e.times[i],
                    e.times[i] > 20000 ? static_cast<double>(i) : 1)
            << "time " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Published, WorkedExample, testing::Range<size_t>(0, examples().size()),
                         [](const testing::TestParamInfo<size_t>& info) {
                             return examples()[info.param].name;
                         });

} // namespace
