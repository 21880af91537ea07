// Captures made through a demodulating receiver decode in the demodulated
// mode: key presses of every named slot seen through the receiver model,
// and recordings of real remotes labelled by an independent decoder.
#include "app/main_state.h"
#include "app/session.h"
#include "decoder.h"
#include "protocol_cases.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using cases::Code;

void demodulated(qv::Session& s) {
    qv::setDemodulated(s, true);
}

bool clean(const qvproto::Decoded& d) {
    return d.errors.empty() && d.messages.empty() && !d.hex.empty();
}

std::vector<std::string> nonEmpty(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (!l.empty()) out.push_back(l);
    return out;
}

struct Tally {
    int right = 0, wrong = 0, total = 0;
    std::vector<std::string> failures;
};

// Each seed draws a receiver; every code is sent as a whole key press and as
// one short press (the frames up to the first that shows a code).
Tally receiverModel(const cases::ProtocolCase& pc, int seeds) {
    Tally t;
    for (int seed = 0; seed < seeds; ++seed)
        for (Code code : {Code::Zeros, Code::Ones, Code::Mixed}) {
            if (pc.unreadable == code) continue;
            const cases::Press press = pc.make(code);
            size_t first = 0;
            while (first + 1 < press.groups.size() && press.groups[first].parts.empty())
                ++first;
            for (size_t frames : {first + 1, press.press.size()}) {
                const irsig::KeyPress sent(press.press.begin(),
                                           press.press.begin() + static_cast<long>(frames));
                std::vector<std::string> binary, hex;
                for (size_t g = 0; g < frames; ++g) {
                    if (press.groups[g].parts.empty()) continue;
                    binary.push_back(lines::binaryLine(press.groups[g].parts));
                    hex.push_back(press.groups[g].hex.empty()
                                      ? lines::hexLine(press.groups[g].parts)
                                      : press.groups[g].hex);
                }
                const auto seedNo = static_cast<uint32_t>(seed * 7919 + static_cast<int>(code));
                const irsig::Receiver r = irsig::drawReceiver(seedNo);
                const auto capture = irsig::render(sent, r, seedNo);
                const auto d = qvproto::decode(pc.key, capture.times, 3, {}, demodulated);
                ++t.total;
                const bool ok = d.binary == nonEmpty(binary) && d.hex == nonEmpty(hex);
                if (clean(d) && ok) {
                    ++t.right;
                    continue;
                }
                if (clean(d)) ++t.wrong;
                std::ostringstream why;
                why << cases::codeName(code) << " frames " << frames << " seed " << seedNo
                    << " excess " << r.excess << " step " << r.step << " speed " << r.speed << ": "
                    << testing::PrintToString(clean(d) ? d.hex : d.errors);
                t.failures.push_back(why.str());
            }
        }
    return t;
}

class ReceiverModel : public testing::TestWithParam<size_t> {};

TEST_P(ReceiverModel, DecodesCleanWithTheRightCode) {
    const auto& pc = cases::protocolCases()[GetParam()];
    const Tally t = receiverModel(pc, 17);
    std::printf("%s %s: %d of %d right, %d clean with another code\n", pc.key.c_str(),
                pc.protocol.c_str(), t.right, t.total, t.wrong);
    EXPECT_GE(t.right, 0.98 * t.total) << testing::PrintToString(t.failures);
    EXPECT_EQ(t.wrong, 0) << testing::PrintToString(t.failures);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ReceiverModel,
                         testing::Range<size_t>(0, cases::protocolCases().size()),
                         [](const testing::TestParamInfo<size_t>& info) {
                             const auto& pc = cases::protocolCases()[info.param];
                             return pc.key + "_" + pc.protocol;
                         });

// ------------------------------------------------------------ real remotes

std::string inverted(std::string bits) {
    for (char& c : bits)
        c = c == '1' ? '0' : '1';
    return bits;
}

// Whether the groups' bits (blanks removed) are the labelled frame, compared
// as tests/data/real/README.md says for each protocol.
bool labelled(const std::string& protocol, const std::string& expected,
              const std::vector<std::string>& groups) {
    const std::string first = groups.empty() ? "" : groups[0];
    const size_t n = expected.size();
    if (protocol == "DENON")
        return first == expected ||
               (n >= 10 && first == expected.substr(0, n - 10) + inverted(expected.substr(n - 10)));
    if (protocol == "RC5")
        return first.size() >= 12 && n >= 12 &&
               first.substr(first.size() - 12) == expected.substr(n - 12);
    for (size_t g = protocol == "GRUNDIG" ? 1 : 0; g < groups.size(); ++g) {
        if (protocol == "GRUNDIG" && groups[g].size() >= 8 && expected.rfind(groups[g], 0) == 0)
            return true;
        if (protocol == "NOKIA" && groups[g] == inverted(expected)) return true;
    }
    return first == expected;
}

std::vector<int64_t> readTimes(const std::string& file) {
    std::ifstream in(file);
    std::vector<int64_t> times;
    for (int64_t t; in >> t;)
        times.push_back(t);
    return times;
}

TEST(RealRemotes, DecodeCleanWithTheLabelledCode) {
    const std::string dir = std::string(QV_SOURCE_DIR) + "/tests/data/real/";
    std::ifstream labels(dir + "labels.csv");
    std::string line;
    std::getline(labels, line); // the header
    int right = 0, wrong = 0, total = 0;
    std::vector<std::string> failed;
    while (std::getline(labels, line)) {
        std::vector<std::string> f;
        std::stringstream cells(line);
        for (std::string c; std::getline(cells, c, ',');)
            f.push_back(c);
        ASSERT_GE(f.size(), 5u) << line;
        const auto times = readTimes(dir + f[0]);
        bool isRight = false, isWrong = false;
        std::stringstream slots(f[3]);
        for (std::string slot; slots >> slot;) {
            const auto d = qvproto::decode(slot, times, 3, {}, demodulated);
            std::vector<std::string> groups;
            for (auto g : nonEmpty(d.binary)) {
                std::erase(g, ' ');
                groups.push_back(g);
            }
            const bool ok = labelled(f[2], f[4], groups);
            isRight = isRight || (clean(d) && ok);
            isWrong = isWrong || (clean(d) && !ok);
        }
        ++total;
        right += isRight;
        wrong += isWrong && !isRight;
        if (!isRight) failed.push_back(f[0] + " " + f[2]);
    }
    std::printf("real remotes: %d of %d right, %d clean with another code\n", right, total, wrong);
    EXPECT_EQ(total, 156);
    EXPECT_GE(right, 140) << testing::PrintToString(failed);
    EXPECT_EQ(wrong, 0) << testing::PrintToString(failed);
}

} // namespace
