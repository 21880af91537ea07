#include "app/format_scan.h"
#include "capture/capture_reader.h"
#include "platform/table_cursor.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(FormatScan, RanksCleanRealFormatsFirstAndLeavesTheFilesAlone) {
    qvtest::TempDir dir;
    const std::string catalogue = qvtest::freshCatalogue(dir);
    {
        TableCursor c(Database::open(catalogue), "Type", "Format");
        ASSERT_TRUE(c.seek("Form034"));
        c.setField("H_Osc", FieldValue::number(2400)); // a head no NEC capture has
        c.update();
        ASSERT_TRUE(c.seek("Form003"));
        c.setField("Remark", FieldValue::text("placeholder: NEC N-8 shape"));
        c.update();
    }
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

    ASSERT_EQ(results.size(), 160u); // the generic rows learn, and are left out
    auto find = [&](const char* key) {
        return std::find_if(results.begin(), results.end(),
                            [&](const auto& r) { return r.key == key; });
    };
    ASSERT_NE(find("Form016"), results.end());
    EXPECT_TRUE(find("Form016")->clean);
    EXPECT_EQ(find("Form016")->hex.substr(0, 12), "00 FF 12 ED ");
    EXPECT_EQ(find("Form016")->groups, 3);
    EXPECT_TRUE(find("Form003")->standIn);
    EXPECT_TRUE(results.front().clean);
    EXPECT_FALSE(results.front().standIn);
    // Clean rows first, placeholder rows after every real format that fits.
    for (size_t i = 1; i < results.size(); ++i) {
        const auto &a = results[i - 1], &b = results[i];
        EXPECT_FALSE(!a.clean && b.clean) << b.key;
        EXPECT_FALSE(a.clean && b.clean && a.standIn && !b.standIn) << b.key;
    }
    const auto wrongHead = find("Form034");
    ASSERT_NE(wrongHead, results.end());
    EXPECT_FALSE(wrongHead->clean);
    ASSERT_EQ(wrongHead->firstErrors.size(), 3u);
    EXPECT_EQ(wrongHead->firstErrors[0], "Group 1:The head's Osc time is error!");
    EXPECT_THROW(scanFormats(nec, dir.file("none.db")), DatabaseError);
}
