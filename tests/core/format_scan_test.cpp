#include "app/format_scan.h"
#include "capture/capture_reader.h"
#include "platform/table_cursor.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(FormatScan, RanksCleanRealFormatsFirstAndLeavesTheFilesAlone) {
    qvtest::TempDir dir;
    const std::string catalogue = qvtest::freshCatalogue(dir);
    Database::open(catalogue)->exec(
        "UPDATE Type SET H_Osc = 2400 WHERE Format = 'Form034';" // a head no NEC capture has
        "UPDATE Type SET Remark = 'placeholder: NEC N-8 shape' WHERE Format = 'Form003'");
    const auto nec = readCaptureFile(qvtest::sourcePath("data/samples/nec-00-12.txt"));
    // In a folder of its own: a decode there would write an error record.
    const auto shared = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const auto before = std::filesystem::last_write_time(catalogue);
    const auto results = scanFormats(nec, catalogue);
    EXPECT_EQ(scanFormats(nec, catalogue, {true, 3}).size(), 164u);
    EXPECT_FALSE(std::filesystem::exists("Error record.txt"));
    std::filesystem::current_path(shared);
    EXPECT_EQ(std::filesystem::last_write_time(catalogue), before);
    EXPECT_THROW(scanFormats(nec, dir.file("none.db")), DatabaseError);

    ASSERT_EQ(results.size(), 160u); // the generic rows learn, and are left out
    std::map<std::string, ScanResult> byKey;
    for (size_t i = 0; i < results.size(); ++i) {
        byKey[results[i].key] = results[i];
        if (i == 0) continue;
        // Clean rows first, placeholder rows after every real format that fits.
        EXPECT_FALSE(!results[i - 1].clean && results[i].clean) << results[i].key;
        EXPECT_FALSE(results[i].clean && results[i - 1].standIn && !results[i].standIn);
    }
    EXPECT_TRUE(byKey["Form016"].clean);
    EXPECT_EQ(byKey["Form016"].hex.substr(0, 12), "00 FF 12 ED ");
    EXPECT_EQ(byKey["Form016"].groups, 3);
    EXPECT_TRUE(byKey["Form003"].standIn);
    EXPECT_FALSE(byKey["Form034"].clean);
    ASSERT_EQ(byKey["Form034"].firstErrors.size(), 3u);
    EXPECT_EQ(byKey["Form034"].firstErrors[0], "Group 1:The head's Osc time is error!");
}
