// Catalogue writes are whole or nothing: a learner commit or an editor save
// that fails in the middle leaves the file byte for byte as it was, the
// selected row in memory as it was, and tells the user.
#include "injected_fault.h"
#include "tests/temp_dir.h"

#include "app/capture_tick.h"
#include "app/format_editor.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue_build.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <unistd.h>

namespace {

using qvfault::Fault;
using qvtest::TempDir;

// An NEC key press as the receiver sends it.
std::vector<uint8_t> necMessage() {
    std::vector<int64_t> t = {9000, 4500};
    for (unsigned b : {0x00u, 0xFFu, 0x12u, 0xEDu})
        for (int i = 0; i < 8; ++i) {
            t.push_back(562);
            t.push_back((b >> i & 1) ? 1688 : 562);
        }
    t.push_back(562);
    return qv::messageFromTimes(t);
}

// A started program on its own copy of the shipped catalogue.
struct Program {
    TempDir dir;
    qv::MemoryPort port;
    qv::Session s;
    Program() {
        s.cataloguePath = dir.file("IRTime.db");
        s.errorRecord.setPath(dir.file("Error record.txt"));
        qv::buildCatalogueIfMissing(qvfault::catalogueSql(), s.cataloguePath);
        s.port = &port;
        qv::startUp(s);
    }
    std::string rowText(const std::string& field) const {
        return s.CurFormat->field(field).toText();
    }
    std::string storedText(const std::string& key, const std::string& field) const {
        auto cursor = qv::openCatalogue(s.cataloguePath);
        return cursor->seek(key) ? cursor->field(field).toText() : std::string("(no row)");
    }
};

class CatalogueWrite : public ::testing::TestWithParam<Fault> {};

// The generic format "IB" learns its row from every capture.
void learnerCommit(Fault injected) {
    Program p;
    const std::string before = qvfault::fileBytes(p.s.cataloguePath);
    const std::string struBefore = p.storedText("IB", "stru");
    const size_t messages = p.s.messages.size();
    {
        // A read-only file is read-only when it is opened, at the selection.
        std::optional<qvfault::InjectedFault> fault;
        if (injected == Fault::ReadOnlyFile) fault.emplace(p.s.cataloguePath, injected);
        qv::setIrtype(p.s, "IB");
        if (!fault) fault.emplace(p.s.cataloguePath, injected);
        ASSERT_TRUE(fault->holding());
        ASSERT_EQ(p.s.CurFormat->key(), "IB");
        p.port.receive(necMessage());
        qv::captureTick(p.s);
    }
    if (injected == Fault::None) {
        EXPECT_TRUE(qvfault::fileBytes(p.s.cataloguePath) != before) << "nothing was written";
        EXPECT_EQ(p.storedText("IB", "stru"), "H,D,B0,X");
        EXPECT_EQ(p.s.messages.size(), messages);
        return;
    }
    EXPECT_TRUE(qvfault::fileBytes(p.s.cataloguePath) == before) << "the file changed";
    EXPECT_EQ(p.rowText("stru"), struBefore); // the row in memory too
    ASSERT_GT(p.s.messages.size(), messages) << "the failed commit was not reported";
    EXPECT_NE(p.s.messages[messages].find("IRTime.db"), std::string::npos)
        << p.s.messages[messages];
    // The capture is still decoded with the row as it was, and the program goes on.
    EXPECT_TRUE(p.s.Timer2);
}

TEST_P(CatalogueWrite, LearnerCommitIsWholeOrLeavesTheFileAsItWas) {
    qvfault::runWithFault(GetParam(), [&] { learnerCommit(GetParam()); });
}

void editorSave(Fault injected) {
    Program p;
    qv::openFormatEditor(p.s, true);
    p.s.editor.cAddFmt = "Form160";
    p.s.editor.box["tT1"] = "99999";
    p.s.editor.box["tRemark"] = "saved by the test";
    const std::string before = qvfault::fileBytes(p.s.cataloguePath);
    const size_t messages = p.s.messages.size();
    bool saved = false;
    {
        qvfault::InjectedFault fault(p.s.cataloguePath, injected);
        ASSERT_TRUE(fault.holding());
        saved = qv::saveFormat(p.s);
    }
    if (injected == Fault::None) {
        EXPECT_TRUE(saved);
        EXPECT_EQ(p.storedText("Form160", "Remark"), "saved by the test");
        EXPECT_EQ(p.s.CurFormat->key(), "Form160");
        return;
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(qvfault::fileBytes(p.s.cataloguePath) == before) << "the file changed";
    EXPECT_EQ(p.s.CurFormat->key(), "Form016"); // the selection stays in force
    ASSERT_GT(p.s.messages.size(), messages);
    EXPECT_EQ(p.s.messages.back().rfind("Form160 was not saved", 0), 0u) << p.s.messages.back();
}

TEST_P(CatalogueWrite, EditorSaveIsWholeOrLeavesTheFileAsItWas) {
    qvfault::runWithFault(GetParam(), [&] { editorSave(GetParam()); });
}

// A value the catalogue refuses, met after other fields were already set:
// nothing of the row is written.
TEST(CatalogueWriteRefused, EditorSaveWithARefusedValueHalfwayLeavesTheFileAsItWas) {
    Program p;
    qv::openFormatEditor(p.s, true);
    p.s.editor.cAddFmt = "Form160";
    p.s.editor.box["tStru"] = "H,D,X";
    p.s.editor.box["tT1"] = "not a number";
    const std::string before = qvfault::fileBytes(p.s.cataloguePath);
    EXPECT_FALSE(qv::saveFormat(p.s));
    EXPECT_TRUE(qvfault::fileBytes(p.s.cataloguePath) == before) << "the file changed";
    ASSERT_FALSE(p.s.messages.empty());
    EXPECT_NE(p.s.messages.back().find("T1"), std::string::npos) << p.s.messages.back();
}

// Choosing "IB" while another program held the catalogue locked left the
// previous format selected; the next capture's learner then wrote the
// generic row's fields into that format's row.
TEST(CatalogueWriteLocked, LearnerOverwroteTheFormatSelectedBeforeWhenTheCatalogueWasLocked) {
    Program p;
    const std::string before = qvfault::fileBytes(p.s.cataloguePath);
    {
        qvfault::InjectedFault fault(p.s.cataloguePath, Fault::LockedBySecondConnection);
        ASSERT_TRUE(fault.holding());
        qv::setIrtype(p.s, "IB");
    }
    ASSERT_FALSE(p.s.messages.empty()) << "the failed selection was not reported";
    p.port.receive(necMessage());
    qv::captureTick(p.s);
    EXPECT_TRUE(qvfault::fileBytes(p.s.cataloguePath) == before) << "the file changed";
    EXPECT_EQ(p.storedText("Form016", "stru"), "H,C,~C,D,~D,B0,X,H2,B0,X");
}

INSTANTIATE_TEST_SUITE_P(Faults, CatalogueWrite,
                         ::testing::Values(Fault::None, Fault::LockedBySecondConnection,
                                           Fault::JournalCannotBeCreated, Fault::ReadOnlyFile),
                         [](const auto& info) { return qvfault::faultName(info.param); });

} // namespace
