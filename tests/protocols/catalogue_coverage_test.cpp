// Every row of the shipped catalogue is either read by a protocol round
// trip or is a placeholder that still decodes the common shape it copies.
#include "decoder.h"
#include "ir_protocols.h"
#include "protocol_cases.h"

#include "app/format_selection.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Row {
    std::string key, remark;
};

std::vector<Row> catalogueRows() {
    std::vector<Row> rows;
    auto cursor = qv::openCatalogue(qvproto::freshCatalogue());
    for (bool more = cursor->moveFirst(); more; more = cursor->moveNext())
        rows.push_back({cursor->key(), cursor->field("Remark").toText()});
    return rows;
}

bool isPlaceholder(const Row& r) {
    for (const char* mark : {"placeholder", "user slot", "no public data"})
        if (r.remark.find(mark) != std::string::npos) return true;
    return false;
}

bool isGeneric(const std::string& key) {
    return key == "IB" || key == "RIB" || key == "HL" || key == "SE";
}

TEST(CatalogueCoverage, EverySlotWithAProtocolHasARoundTrip) {
    std::set<std::string> tested;
    for (const auto& c : cases::protocolCases())
        tested.insert(c.key);
    for (const auto& r : catalogueRows()) {
        if (isPlaceholder(r) || isGeneric(r.key)) continue;
        EXPECT_TRUE(tested.count(r.key)) << r.key << ": " << r.remark;
    }
}

TEST(CatalogueCoverage, PlaceholdersDecodeTheNecShapeTheyCopy) {
    const auto capture = irsig::render(irproto::nec1(0x04, 0xFB, 0x08, 1), 0, 1);
    int placeholders = 0;
    for (const auto& r : catalogueRows()) {
        if (!isPlaceholder(r)) continue;
        ++placeholders;
        const auto d = qvproto::decode(r.key, capture.times, 3);
        EXPECT_TRUE(d.errors.empty()) << r.key;
        EXPECT_EQ(d.hex, std::vector<std::string>{"04 FB 08 F7 "}) << r.key;
    }
    EXPECT_GT(placeholders, 0);
}

} // namespace
