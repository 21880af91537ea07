// Catalogue writes are whole or nothing: a learner commit or an editor save
// that fails in the middle leaves the file byte for byte as it was, the
// selected row in memory as it was, and tells the user.
#include "tests/temp_dir.h"

#include "app/capture_tick.h"
#include "app/format_editor.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue_build.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// Failures injected into the catalogue while the program writes it: a second
// connection holding the file locked, a rollback journal that cannot be made.
enum class Fault { None, LockedBySecondConnection, JournalCannotBeCreated };

const char* faultName(Fault f) {
    const char* names[] = {"NoFault", "LockedBySecondConnection", "JournalCannotBeCreated"};
    return names[static_cast<int>(f)];
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Holds the fault from construction to destruction.
class InjectedFault {
public:
    InjectedFault(std::string path, Fault fault) : m_path(std::move(path)), m_fault(fault) {
        if (fault == Fault::LockedBySecondConnection) {
            sqlite3_open(m_path.c_str(), &m_other);
            m_holding =
                sqlite3_exec(m_other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
        } else if (fault == Fault::JournalCannotBeCreated) {
            m_holding =
                std::filesystem::create_directory(m_path + "-journal"); // a folder in its way
        }
    }
    ~InjectedFault() {
        if (m_other) {
            sqlite3_exec(m_other, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(m_other);
        }
        std::error_code ec;
        if (m_fault == Fault::JournalCannotBeCreated)
            std::filesystem::remove(m_path + "-journal", ec);
    }
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;
    // Whether the fault is really in place.
    bool holding() const { return m_fault == Fault::None || m_holding; }

private:
    std::string m_path;
    Fault m_fault;
    sqlite3* m_other = nullptr;
    bool m_holding = false;
};

// An NEC key press as the receiver sends it.
std::vector<uint8_t> necMessage() {
    std::vector<int64_t> t = {9000, 4500};
    for (unsigned b : {0x00u, 0xFFu, 0x12u, 0xEDu})
        for (int i = 0; i < 8; ++i)
            t.insert(t.end(), {562, (b >> i & 1) ? 1688 : 562});
    t.push_back(562);
    return qv::messageFromTimes(t);
}

// A started program on its own copy of the shipped catalogue.
struct Program {
    qvtest::TempDir dir;
    qv::MemoryPort port;
    qv::Session s;
    Program() {
        s.cataloguePath = dir.file("IRTime.db");
        s.errorRecord.setPath(dir.file("Error record.txt"));
        qv::buildCatalogueIfMissing(std::string(QV_SOURCE_DIR) + "/data/catalogue.sql",
                                    s.cataloguePath);
        s.port = &port;
        qv::startUp(s);
    }
    std::string stored(const std::string& key, const std::string& field) const {
        auto cursor = qv::openCatalogue(s.cataloguePath);
        return cursor->seek(key) ? cursor->field(field).toText() : std::string("(no row)");
    }
};

class CatalogueWrite : public ::testing::TestWithParam<Fault> {};

// The generic format "IB" learns its row from every capture.
TEST_P(CatalogueWrite, LearnerCommitIsWholeOrLeavesTheFileAsItWas) {
    const Fault injected = GetParam();
    Program p;
    const std::string before = fileBytes(p.s.cataloguePath);
    const std::string struBefore = p.stored("IB", "stru");
    const size_t messages = p.s.messages.size();
    {
        qv::setIrtype(p.s, "IB");
        InjectedFault fault(p.s.cataloguePath, injected);
        ASSERT_TRUE(fault.holding());
        ASSERT_EQ(p.s.CurFormat->key(), "IB");
        p.port.receive(necMessage());
        qv::captureTick(p.s);
    }
    if (injected == Fault::None) {
        EXPECT_TRUE(fileBytes(p.s.cataloguePath) != before) << "nothing was written";
        EXPECT_EQ(p.stored("IB", "stru"), "H,D,B0,X");
        EXPECT_EQ(p.s.messages.size(), messages);
        return;
    }
    EXPECT_TRUE(fileBytes(p.s.cataloguePath) == before) << "the file changed";
    EXPECT_EQ(p.s.CurFormat->field("stru").toText(), struBefore); // the row in memory too
    ASSERT_GT(p.s.messages.size(), messages) << "the failed commit was not reported";
    EXPECT_NE(p.s.messages[messages].find("IRTime.db"), std::string::npos);
    EXPECT_TRUE(p.s.Timer2); // the program goes on
}

TEST_P(CatalogueWrite, EditorSaveIsWholeOrLeavesTheFileAsItWas) {
    const Fault injected = GetParam();
    Program p;
    qv::openFormatEditor(p.s, true);
    p.s.editor.cAddFmt = "Form160";
    p.s.editor.box["tT1"] = "99999";
    p.s.editor.box["tRemark"] = "saved by the test";
    const std::string before = fileBytes(p.s.cataloguePath);
    const size_t messages = p.s.messages.size();
    bool saved = false;
    {
        InjectedFault fault(p.s.cataloguePath, injected);
        ASSERT_TRUE(fault.holding());
        saved = qv::saveFormat(p.s);
    }
    EXPECT_EQ(saved, injected == Fault::None);
    if (saved) {
        EXPECT_EQ(p.stored("Form160", "Remark"), "saved by the test");
        EXPECT_EQ(p.s.CurFormat->key(), "Form160");
        return;
    }
    EXPECT_TRUE(fileBytes(p.s.cataloguePath) == before) << "the file changed";
    EXPECT_EQ(p.s.CurFormat->key(), "Form016"); // the selection stays in force
    ASSERT_GT(p.s.messages.size(), messages);
    EXPECT_EQ(p.s.messages.back().rfind("Form160 was not saved", 0), 0u) << p.s.messages.back();
}

INSTANTIATE_TEST_SUITE_P(Faults, CatalogueWrite,
                         ::testing::Values(Fault::None, Fault::LockedBySecondConnection,
                                           Fault::JournalCannotBeCreated),
                         [](const auto& info) { return faultName(info.param); });

// A value the catalogue refuses, met after other fields were set, writes
// nothing of the row. Choosing "IB" while another program held the
// catalogue locked left the previous format selected, and the next
// capture's learner wrote the generic row's fields into that row.
TEST(CatalogueWriteRefused, HalfwayRefusalsAndLockedSelectionsWriteNothing) {
    Program p;
    const std::string before = fileBytes(p.s.cataloguePath);
    qv::openFormatEditor(p.s, true);
    p.s.editor.cAddFmt = "Form160";
    p.s.editor.box["tStru"] = "H,D,X";
    p.s.editor.box["tT1"] = "not a number";
    EXPECT_FALSE(qv::saveFormat(p.s));
    ASSERT_FALSE(p.s.messages.empty());
    EXPECT_NE(p.s.messages.back().find("T1"), std::string::npos) << p.s.messages.back();
    const size_t messages = p.s.messages.size();
    {
        InjectedFault fault(p.s.cataloguePath, Fault::LockedBySecondConnection);
        ASSERT_TRUE(fault.holding());
        qv::setIrtype(p.s, "IB");
    }
    EXPECT_GT(p.s.messages.size(), messages) << "the failed selection was not reported";
    p.port.receive(necMessage());
    qv::captureTick(p.s);
    EXPECT_TRUE(fileBytes(p.s.cataloguePath) == before) << "the file changed";
    EXPECT_EQ(p.stored("Form016", "stru"), "H,C,~C,D,~D,B0,X,H2,B0,X");
}

} // namespace
