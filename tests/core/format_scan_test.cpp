#include "app/format_scan.h"
#include "capture/capture_reader.h"
#include "capture/capture_text.h"
#include "platform/table_cursor.h"
#include "test_support.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace qv;

namespace {

const ScanResult* find(const std::vector<ScanResult>& results, const std::string& key) {
    for (const auto& r : results)
        if (r.key == key) return &r;
    return nullptr;
}

struct ScanFixture : ::testing::Test {
    qvtest::TempDir dir;
    std::string catalogue = qvtest::freshCatalogue(dir);
    std::vector<uint8_t> nec = readCaptureFile(qvtest::sourcePath("data/samples/nec-00-12.txt"));

    void setField(const std::string& key, const std::string& field, const FieldValue& v) {
        TableCursor c(Database::open(catalogue), "Type", "Format");
        ASSERT_TRUE(c.seek(key));
        c.setField(field, v);
        c.update();
    }
};

} // namespace

TEST_F(ScanFixture, NecSampleFitsForm016AndRanksCleanRowsFirst) {
    setField("Form016", "Remark", FieldValue::text("NEC N-8"));
    setField("Form003", "Remark", FieldValue::text("placeholder: NEC N-8 shape"));
    setField("Form034", "H_Osc", FieldValue::number(2400)); // a head no NEC capture has
    const auto t0 = std::chrono::steady_clock::now();
    const auto results = scanFormats(nec, catalogue);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - t0);
    std::printf("scan of %zu rows took %lld ms\n", results.size(),
                static_cast<long long>(ms.count()));

    ASSERT_EQ(results.size(), 160u); // the generic rows learn, and are left out
    const ScanResult* nec16 = find(results, "Form016");
    ASSERT_NE(nec16, nullptr);
    EXPECT_TRUE(nec16->clean);
    EXPECT_EQ(nec16->hex.substr(0, 12), "00 FF 12 ED ");
    EXPECT_EQ(nec16->groups, 3);
    EXPECT_TRUE(results.front().clean);
    EXPECT_FALSE(results.front().standIn);
    // Placeholder rows that happen to fit come after every real format that fits.
    bool seenStandIn = false;
    for (const auto& r : results) {
        if (!r.clean) break;
        if (r.standIn) seenStandIn = true;
        EXPECT_FALSE(seenStandIn && !r.standIn) << r.key;
    }

    const ScanResult* wrongHead = find(results, "Form034");
    ASSERT_NE(wrongHead, nullptr);
    EXPECT_FALSE(wrongHead->clean);
    ASSERT_FALSE(wrongHead->firstErrors.empty());
    EXPECT_EQ(wrongHead->firstErrors[0], "Group 1:The head's Osc time is error!");
    EXPECT_EQ(wrongHead->firstErrors.size(), 3u);
    // Every clean row comes before every other.
    bool seenUnclean = false;
    for (const auto& r : results) {
        if (!r.clean) seenUnclean = true;
        EXPECT_FALSE(seenUnclean && r.clean) << r.key;
    }
}

TEST_F(ScanFixture, LeavesTheCatalogueAndTheErrorRecordAlone) {
    // In a folder of its own: tests run in parallel share the build's folder,
    // and one that decodes there writes an error record of its own.
    const auto shared = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    struct Back {
        std::filesystem::path to;
        ~Back() { std::filesystem::current_path(to); }
    } back{shared};
    const auto before = std::filesystem::last_write_time(catalogue);
    auto recordSize = [] {
        std::error_code ec;
        return std::filesystem::exists("Error record.txt", ec)
                   ? std::filesystem::file_size("Error record.txt", ec)
                   : static_cast<uintmax_t>(-1);
    };
    const auto recordBefore = recordSize();
    const auto results = scanFormats(nec, catalogue, {true, 3});
    EXPECT_EQ(results.size(), 164u);
    EXPECT_EQ(std::filesystem::last_write_time(catalogue), before);
    EXPECT_EQ(recordSize(), recordBefore);
}

TEST_F(ScanFixture, AMissingCatalogueIsAnError) {
    EXPECT_THROW(scanFormats(nec, dir.file("none.db")), DatabaseError);
}
