// Catalogue writes are whole or nothing: a learner commit or an editor save
// that fails in the middle (another program holding the file locked, a
// rollback journal that cannot be made) leaves the file byte for byte as it
// was, the selected row in memory as it was, and tells the user.
#include "app/session.h"
#include "fuzz_support.h"
#include "tests/temp_dir.h"

#include "app/capture_tick.h"
#include "app/format_editor.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "capture/capture_reader.h"
#include "catalogue/catalogue_build.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

namespace {

using qvfuzz::fileBytes;

enum Fault { NoFault, LockedBySecondConnection, JournalCannotBeCreated };
const char* const kFaultNames[] = {"NoFault", "LockedBySecondConnection", "JournalCannotBeCreated"};

// Holds the fault from construction to destruction.
struct InjectedFault {
    std::string path;
    sqlite3* other = nullptr;
    bool holding = true;
    InjectedFault(std::string file, int fault) : path(std::move(file)) {
        if (fault == LockedBySecondConnection) {
            sqlite3_open(path.c_str(), &other);
            holding =
                sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
        }
        if (fault == JournalCannotBeCreated) // a folder in its way
            holding = std::filesystem::create_directory(path + "-journal");
    }
    ~InjectedFault() {
        if (other) sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        std::error_code ec;
        std::filesystem::remove(path + "-journal", ec);
    }
};

// A started program on its own copy of the shipped catalogue.
struct Program {
    qvtest::TempDir dir;
    qv::MemoryPort port;
    qv::Session s;
    Program() {
        s.format.cataloguePath = dir.file("IRTime.db");
        s.env.errorRecord.setPath(dir.file("Error record.txt"));
        qv::buildCatalogueIfMissing(std::string(QV_SOURCE_DIR) + "/data/catalogue.sql",
                                    s.format.cataloguePath);
        s.env.port = &port;
        qv::startUp(s);
    }
    void captureNecPress() {
        port.receive(
            qv::readCaptureFile(std::string(QV_SOURCE_DIR) + "/data/samples/nec-00-12.txt"));
        qv::captureTick(s);
    }
    std::string stored(const std::string& key, const std::string& field) const {
        auto cursor = qv::openCatalogue(s.format.cataloguePath);
        return cursor->seek(key) ? cursor->field(field).toText() : std::string("(no row)");
    }
};

class CatalogueWrite : public ::testing::TestWithParam<int> {};

// The generic format "IB" learns its row from every capture.
TEST_P(CatalogueWrite, LearnerCommitIsWholeOrLeavesTheFileAsItWas) {
    Program p;
    const std::string before = fileBytes(p.s.format.cataloguePath);
    const std::string struBefore = p.stored("IB", "stru");
    const size_t messages = p.s.out.messages.size();
    qv::setIrtype(p.s, "IB");
    {
        InjectedFault fault(p.s.format.cataloguePath, GetParam());
        ASSERT_TRUE(fault.holding);
        p.captureNecPress();
    }
    if (GetParam() == NoFault) {
        EXPECT_TRUE(fileBytes(p.s.format.cataloguePath) != before) << "nothing was written";
        EXPECT_EQ(p.stored("IB", "stru"), "H,D,B0,X");
        EXPECT_EQ(p.s.out.messages.size(), messages);
        return;
    }
    EXPECT_TRUE(fileBytes(p.s.format.cataloguePath) == before) << "the file changed";
    EXPECT_EQ(p.s.format.cursor->field("stru").toText(), struBefore); // the row in memory too
    ASSERT_GT(p.s.out.messages.size(), messages) << "the failed commit was not reported";
    EXPECT_NE(p.s.out.messages[messages].find("IRTime.db"), std::string::npos);
    EXPECT_TRUE(p.s.link.idleTimer); // the program goes on
}

TEST_P(CatalogueWrite, EditorSaveIsWholeOrLeavesTheFileAsItWas) {
    Program p;
    qv::openFormatEditor(p.s, true);
    p.s.editor.cAddFmt = "Form160";
    p.s.editor.box["tT1"] = "99999";
    p.s.editor.box["tRemark"] = "saved by the test";
    const std::string before = fileBytes(p.s.format.cataloguePath);
    bool saved = false;
    {
        InjectedFault fault(p.s.format.cataloguePath, GetParam());
        ASSERT_TRUE(fault.holding);
        saved = qv::saveFormat(p.s);
    }
    EXPECT_EQ(saved, GetParam() == NoFault);
    EXPECT_EQ(p.stored("Form160", "Remark") == "saved by the test", saved);
    EXPECT_EQ(p.s.format.cursor->key(), saved ? "Form160" : "Form016");
    if (saved) return;
    EXPECT_TRUE(fileBytes(p.s.format.cataloguePath) == before) << "the file changed";
    ASSERT_FALSE(p.s.out.messages.empty());
    EXPECT_EQ(p.s.out.messages.back().rfind("Form160 was not saved", 0), 0u)
        << p.s.out.messages.back();
}

INSTANTIATE_TEST_SUITE_P(Faults, CatalogueWrite,
                         ::testing::Values(NoFault, LockedBySecondConnection,
                                           JournalCannotBeCreated),
                         [](const auto& info) { return kFaultNames[info.param]; });

// A value the catalogue refuses, met after other fields were set, writes
// nothing of the row. Choosing "IB" while another program held the
// catalogue locked left the previous format selected, and the next
// capture's learner wrote the generic row's fields into that row.
TEST(CatalogueWriteRefused, HalfwayRefusalsAndLockedSelectionsWriteNothing) {
    Program p;
    const std::string before = fileBytes(p.s.format.cataloguePath);
    qv::openFormatEditor(p.s, true);
    p.s.editor.box["tStru"] = "H,D,X";
    // No slot chosen, or one that is not a user's.
    for (const char* slot : {"", "Form016"}) {
        p.s.editor.cAddFmt = slot;
        EXPECT_FALSE(qv::saveFormat(p.s)) << slot;
    }
    p.s.editor.cAddFmt = "Form160";
    p.s.editor.box["tT1"] = "not a number";
    EXPECT_FALSE(qv::saveFormat(p.s));
    ASSERT_FALSE(p.s.out.messages.empty());
    EXPECT_NE(p.s.out.messages.back().find("T1"), std::string::npos) << p.s.out.messages.back();
    const size_t messages = p.s.out.messages.size();
    {
        InjectedFault fault(p.s.format.cataloguePath, LockedBySecondConnection);
        ASSERT_TRUE(fault.holding);
        qv::setIrtype(p.s, "IB");
    }
    EXPECT_GT(p.s.out.messages.size(), messages) << "the failed selection was not reported";
    p.captureNecPress();
    EXPECT_TRUE(fileBytes(p.s.format.cataloguePath) == before) << "the file changed";
    EXPECT_EQ(p.stored("Form016", "stru"), "H,C,~C,D,~D,B0,X,H2,B0,X");
}

} // namespace
