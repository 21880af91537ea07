// "Which format is this?": a key press of each named protocol, scanned
// against the whole shipped catalogue, finds its own slot among the formats
// that fit, ahead of every placeholder row and every format that fails.
// Where the scan ranks another format first, that format must read the
// capture cleanly and with as many bits.
#include "decoder.h"
#include "protocol_cases.h"

#include "app/format_scan.h"
#include "capture/capture_text.h"

#include <gtest/gtest.h>

namespace {

class ScanRanking : public testing::TestWithParam<std::string> {};

TEST_P(ScanRanking, FindsTheProtocolsOwnSlotAmongTheFormatsThatFitFirst) {
    const auto& c = cases::protocolCase(GetParam());
    if (c.unreadable == cases::Code::Mixed) GTEST_SKIP() << c.why;
    const auto press = c.make(cases::Code::Mixed);
    const auto capture = irsig::render(press.press, 0.0, 1);
    const auto results =
        qv::scanFormats(qv::messageFromTimes(capture.times), qvproto::freshCatalogue());

    size_t rank = 0;
    while (rank < results.size() && results[rank].key != c.key)
        ++rank;
    ASSERT_LT(rank, results.size());
    const qv::ScanResult& own = results[rank];
    ASSERT_TRUE(own.clean) << own.key << ": " << testing::PrintToString(own.firstErrors);
    EXPECT_FALSE(own.standIn);
    // Whatever ranks above the slot fits just as well: a real format that
    // reads this capture without an error, only with its own field layout
    // (NEC N-16 reads a Kenwood key press, JVC AEHA an air conditioner's).
    for (size_t i = 0; i < rank; ++i) {
        EXPECT_TRUE(results[i].clean && !results[i].standIn)
            << results[i].key << " ranks above " << own.key;
        EXPECT_EQ(results[i].bits, own.bits) << results[i].key << " ranks above " << own.key;
    }
    if (rank > 0)
        std::printf("%s ranks %zu, after formats that read it too\n", own.key.c_str(), rank + 1);
}

std::vector<std::string> keys() {
    std::vector<std::string> out;
    for (const auto& c : cases::protocolCases())
        out.push_back(c.key);
    return out;
}

INSTANTIATE_TEST_SUITE_P(Slots, ScanRanking, testing::ValuesIn(keys()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

} // namespace
