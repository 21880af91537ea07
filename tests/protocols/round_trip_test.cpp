// Every named slot decodes a clean key press of its protocol, and the
// program's generator sends every row the code its decode shows.
#include "support.h"
#include "tests/temp_dir.h"

#include "app/generate_capture.h"
#include "capture/capture_formats.h"
#include "engine/walk_context.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

namespace {

using namespace qvproto;

// The code lines of every group, and one cycle line per group that sums the
// group's times (the last with the end-of-signal cell) less what the slot's
// reading leaves out; each time may come back a microsecond off.
void expectDecode(const Press& p, const irsig::Capture& capture, const Decoded& d, size_t groups,
                  const std::string& why) {
    EXPECT_TRUE(d.messages.empty()) << why << testing::PrintToString(d.messages);
    EXPECT_TRUE(d.errors.empty()) << why << testing::PrintToString(d.errors);
    EXPECT_EQ(d.binary, p.binaryLines(groups)) << why;
    EXPECT_EQ(d.hex, p.hexLines(groups)) << why;
    ASSERT_EQ(d.cycles.size(), capture.frameStarts.size()) << why;
    for (size_t g = 0; g < d.cycles.size(); ++g) {
        const bool last = g + 1 == d.cycles.size();
        const size_t from = capture.frameStarts[g];
        const size_t to = last ? capture.times.size() : capture.frameStarts[g + 1];
        double expected = last ? 248885 : 0;
        for (size_t i = from; i < to; ++i)
            expected += static_cast<double>(capture.times[i]);
        expected -= p.uncountedTime(capture, g);
        EXPECT_NEAR(cycleTime(d.cycles[g]), expected, static_cast<double>(to - from) + 1)
            << why << d.cycles[g];
    }
}

// Every named row is sent from its own fields.
qv::engine::GeneratedSignal generated(const Press& p, double jitter) {
    return generate(p, 1, {jitter, 1, 0, 1}, 3);
}

std::string firstCodeLine(const Press& p, const Decoded& d) {
    const bool binary = composesOwnCodeLine(p.key);
    if (binary ? d.binary.empty() : d.hex.empty()) return {};
    return binary ? d.binary.front() : d.hex.front();
}
std::string firstCodeLine(const Press& p) {
    return composesOwnCodeLine(p.key) ? p.binaryLines(99).front() : p.hexLines(99).front();
}

struct Mode {
    double jitter;
    int tolerance;
};
const Mode kModes[] = {{0.0, 3}, {0.02, 3}, {0.05, 8}};

class RoundTrip : public testing::TestWithParam<size_t> {};

// The presses written from the public protocol descriptions.
TEST_P(RoundTrip, IndependentPressDecodesToItsCode) {
    const Press& p = presses()[GetParam()];
    for (const Mode& m : kModes) {
        const auto capture =
            irsig::render(p.press, m.jitter, 7 + static_cast<uint32_t>(GetParam()));
        const std::string why = p.code + " jitter " + std::to_string(m.jitter) + ": ";
        ASSERT_EQ(capture.frameStarts.size(), p.binary.size());
        ASSERT_LE(irsig::receiverPairs(capture), 320u) << "more than one receiver message";
        const Decoded d = decode(p.key, capture.times, m.tolerance);
        if (!p.readable) {
            // A code the slot cannot take fails loudly instead of showing a wrong code.
            EXPECT_FALSE(d.errors.empty()) << why;
            EXPECT_TRUE(d.hex.empty()) << why;
            continue;
        }
        expectDecode(p, capture, d, p.binary.size(), why);
    }
}

// The generator's own signal of the same code, jittered (GeneratedRows
// below sends it exact).
TEST_P(RoundTrip, GeneratedSignalDecodesToItsCode) {
    const Press& p = presses()[GetParam()];
    if (!p.readable) return;
    const auto signal = generated(p, 0.02);
    const Decoded d = decode(p.key, signal.capture.times, 3);
    EXPECT_EQ(firstCodeLine(p, d), firstCodeLine(p));
    EXPECT_TRUE(d.errors.empty()) << testing::PrintToString(d.errors);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, RoundTrip, testing::Range<size_t>(0, presses().size()),
                         [](const testing::TestParamInfo<size_t>& info) {
                             const Press& p = presses()[info.param];
                             return p.key + "_" + p.protocol + "_" + p.code;
                         });

TEST(GeneratedRows, EveryCaptureFileKindDecodesToTheCode) {
    for (const Press& p : presses()) {
        if (p.code != "mixed") continue;
        const auto signal = generated(p, 0);
        for (auto kind : {qv::CaptureFileKind::TimeList, qv::CaptureFileKind::SignedRaw,
                          qv::CaptureFileKind::Mode2, qv::CaptureFileKind::Pronto}) {
            // Pronto counts whole carrier cycles: a row without a carrier loses
            // its short times, and the rounding moves a 108 ms cycle by more
            // than the 3% menu allows; it keeps one frame and one repeat.
            const bool pronto = kind == qv::CaptureFileKind::Pronto;
            if (pronto && signal.carrierPeriodUs == 0) continue;
            const std::string content = qv::generatedFileContent(signal, kind);
            const auto times = pronto ? qv::parsePronto(content).times : qv::parseTimeList(content);
            const Decoded d = decode(p.key, times, pronto ? 5 : 3);
            const std::string why = p.key + " kind " + std::to_string(static_cast<int>(kind));
            EXPECT_EQ(firstCodeLine(p, d), firstCodeLine(p))
                << why << testing::PrintToString(d.errors);
            if (!pronto) {
                EXPECT_TRUE(d.errors.empty()) << why << testing::PrintToString(d.errors);
            }
        }
    }
    // Learning and placeholder rows have nothing of their own to send.
    qv::engine::GenerateRequest nec;
    nec.code = "00 FF 12 ED";
    for (const char* key : {"IB", "RIB", "Form003"})
        EXPECT_THROW(qv::engine::generateSignal(qv::catalogueRow(freshCatalogue(), key), nec),
                     qv::engine::GenerateError)
            << key;
}

// Every code line a decode shows is taken back by the generator for its row
// (rows that compose their line by a rule of their own included), and sends
// the same signal where the binary line is the same.
TEST(GeneratedRows, TakeBackEveryCodeLineTheDecodeShows) {
    for (const Press& p : presses()) {
        if (!p.readable) continue;
        const auto first = generate(p, 1);
        const Decoded d = decode(p.key, first.capture.times, 3);
        ASSERT_FALSE(d.hex.empty()) << p.key << " " << p.code;
        qv::engine::GenerateRequest again;
        again.code = d.hex.front();
        again.repeats = 1;
        try {
            const auto second =
                qv::engine::generateSignal(qv::catalogueRow(freshCatalogue(), p.key), again);
            const Decoded back = decode(p.key, second.capture.times, 3);
            EXPECT_EQ(back.hex, d.hex) << p.key << " " << p.code;
            if (back.binary == d.binary) {
                EXPECT_EQ(second.capture.times, first.capture.times) << p.key << " " << p.code;
            }
        } catch (const qv::engine::GenerateError& e) {
            ADD_FAILURE() << p.key << " " << p.code << " \"" << again.code << "\": " << e.what();
        }
    }
}

// The same decodes through the command-line program: a capture written as a
// text time list, decoded by "quorvel-cli decode --json".
struct Road {
    const char* key;
    const char* code;
    double jitter; // below 0: through the receiver model
    int tolerance;
    const char* options;
};

TEST(CliRoad, ShowsTheCodeLinesWithoutErrors) {
    const Road roads[] = {
        {"Form016", "mixed", 0.0, 3, ""},
        {"Form030", "mixed", 0.02, 3, ""},
        {"Form035", "ones", 0.05, 8, ""},
        {"Form012", "mixed", 0.05, 8, ""},
        {"Form016", "mixed", -1, 0, "--demodulated"},
        {"Form048", "ones", -1, 0, "--demodulated --excess 150 --absolute-tolerance 250"},
    };
    const qvtest::TempDir dir;
    for (const Road& r : roads) {
        const Press& p = press(r.key, r.code);
        const auto capture = r.jitter < 0 ? irsig::render(p.press, irsig::drawReceiver(5), 5)
                                          : irsig::render(p.press, r.jitter, 5);
        const std::string file = dir.file("capture.txt");
        {
            std::ofstream out(file);
            for (size_t i = 0; i < capture.times.size(); ++i)
                out << (i % 2 ? "-" : "+") << capture.times[i] << (i % 2 ? "\n" : " ");
        }
        const std::string command =
            "cd '" + dir.path() + "' && '" QV_CLI "' decode --format " + r.key +
            (r.tolerance ? " --tolerance " + std::to_string(r.tolerance) : "") + " " + r.options +
            " --catalogue '" + freshCatalogue() + "' --json '" + file + "'";
        std::string output;
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        ASSERT_TRUE(pipe);
        std::array<char, 4096> buf{};
        while (fgets(buf.data(), static_cast<int>(buf.size()), pipe.get()))
            output += buf.data();
        auto json = [](const std::vector<std::string>& lines) {
            std::string out = "\"";
            for (const auto& l : lines)
                out += l + "\\r\\n";
            return out + "\"";
        };
        EXPECT_NE(output.find("\"errors\": []"), std::string::npos) << r.key << output;
        EXPECT_NE(output.find("\"bin\": " + json(p.binaryLines(99))), std::string::npos) << output;
        EXPECT_NE(output.find("\"hex\": " + json(p.hexLines(99))), std::string::npos) << output;
    }
}

} // namespace
