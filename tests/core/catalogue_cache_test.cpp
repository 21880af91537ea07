// The catalogue's rows kept in memory and the error record kept open: both
// must follow the files they stand for.
#include "app/format_scan.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue.h"
#include "errorlog/error_record.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace qv;
using qvtest::TempDir;

namespace {

void setRemark(const std::string& path, const std::string& remark) {
    Database::open(path)->exec("UPDATE \"Type\" SET \"Remark\" = '" + remark +
                               "' WHERE \"Format\" = 'Form157'");
}

} // namespace

// Every way a row can change reaches the rows handed out next; a cursor
// handed out earlier keeps the rows it was given.
TEST(CatalogueInMemory, FollowsEveryWriteAndEveryChangeOnDisk) {
    TempDir dir;
    const std::string path = qvtest::freshCatalogue(dir);
    auto before = openCatalogue(path);
    const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> writes = {
        {"written through a copy",
         [&](const std::string& v) {
             auto w = openCatalogue(path);
             ASSERT_TRUE(w->seek("Form157"));
             w->setField("Remark", FieldValue::text(v));
             w->update();
         }},
        {"written by another connection", [&](const std::string& v) { setRemark(path, v); }},
        {"a copy put in its place",
         [&](const std::string& v) {
             const std::string copy = dir.file("copy.db");
             std::filesystem::copy_file(path, copy);
             setRemark(copy, v);
             std::filesystem::rename(copy, path);
         }},
    };
    for (const auto& [how, write] : writes) {
        write(how);
        auto after = openCatalogue(path);
        ASSERT_TRUE(after->seek("Form157")) << how;
        EXPECT_EQ(after->field("Remark").toText(), how);
    }
    ASSERT_TRUE(before->seek("Form157"));
    EXPECT_EQ(before->field("Remark").toText().find("written"), std::string::npos);
}

// Kept open between blocks, the record still gets every block once, in
// order; deleted while open, it starts again at its place.
TEST(ErrorRecordKeptOpen, AppendsEachBlockOnceAndFollowsADeletedFile) {
    TempDir dir;
    const std::string path = dir.file("Error record.txt");
    ErrorRecord record;
    record.setPath(path);
    record.appendBlock({"one"});
    record.appendBlock({});
    record.appendBlock({"two", "three"});
    EXPECT_EQ(qvtest::fileText(path), "one\r\n\r\n\r\ntwo\r\nthree\r\n\r\n\r\n");
    std::filesystem::remove(path);
    record.appendBlock({"four"});
    EXPECT_EQ(qvtest::fileText(path), "four\r\n\r\n\r\n");
    EXPECT_EQ(record.readAll(), "four\r\n\r\n\r\n");
    record.appendBlock({"five"});
    EXPECT_EQ(qvtest::fileText(path), "four\r\n\r\n\r\nfive\r\n\r\n\r\n");
}

// The hint names the best clean real format whatever is selected, and
// finding it changes neither the selection, the catalogue nor the record.
TEST(AlsoFits, NamesTheBestCleanRealFormatAndWritesNothing) {
    qvtest::StartedSession t;
    Session& s = t.s;
    const TempDir& dir = t.dir;
    EXPECT_FALSE(alsoFits(s)) << "no capture yet";
    s.last.capture.message = messageFromTimes(
        parseTimeList(qvtest::fileText(qvtest::sourcePath("data/samples/nec-00-12.txt"))));
    for (const char* selected : {"Form001(AIWA*SANYO)", "Form016(NEC N-8)"}) {
        setIrtype(s, selected);
        const auto stamp = std::filesystem::last_write_time(s.format.cataloguePath);
        const auto fits = alsoFits(s);
        ASSERT_TRUE(fits) << selected;
        EXPECT_EQ(fits->caption, "Form016(NEC N-8)") << selected;
        EXPECT_TRUE(fits->clean && !fits->standIn);
        EXPECT_EQ(s.format.name, selected);
        EXPECT_EQ(std::filesystem::last_write_time(s.format.cataloguePath), stamp);
        EXPECT_FALSE(std::filesystem::exists(dir.file("Error record.txt")));
    }
}
