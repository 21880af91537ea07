// Code database writes are whole or nothing: a recording hand-over whose
// write fails leaves the file byte for byte as it was, the grid showing
// what the file holds, and the user told.
#include "injected_fault.h"

#include "app/capture_tick.h"
#include "app/main_state.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue_build.h"
#include "recording/ui/sql_code_grid.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

namespace {

using qvfault::Fault;

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

class RecordingWrite : public ::testing::TestWithParam<Fault> {};

void handOver(Fault injected) {
    QTemporaryDir dir;
    qv::Session s;
    qv::MemoryPort port;
    s.cataloguePath = dir.filePath("IRTime.db").toStdString();
    s.errorRecord.setPath(dir.filePath("Error record.txt").toStdString());
    qv::buildCatalogueIfMissing(qvfault::catalogueSql(), s.cataloguePath);
    const std::string codes = dir.filePath("IR_CODE_DB.db").toStdString();
    {
        // The code database with its table and the rows up to the grid's row 3.
        qv::SqlCodeGrid make(QString::fromStdString(codes));
        ASSERT_TRUE(make.isOpen()) << make.errorText().toStdString();
        make.setCurrentRow(3);
    }
    const std::string before = qvfault::fileBytes(codes);
    // A read-only file is read-only when the window opens it.
    std::optional<qvfault::InjectedFault> fault;
    if (injected == Fault::ReadOnlyFile) fault.emplace(codes, injected);
    qv::SqlCodeGrid grid(QString::fromStdString(codes));
    ASSERT_TRUE(grid.isOpen()) << grid.errorText().toStdString();
    QStringList failures;
    QObject::connect(&grid, &qv::SqlCodeGrid::storeFailed,
                     [&](const QString& why) { failures << why; });
    s.port = &port;
    s.codeGrid = &grid;
    qv::startUp(s);
    s.code.cIrRec = true;
    s.RecordCol = 1;
    if (!fault) fault.emplace(codes, injected);
    ASSERT_TRUE(fault->holding());
    port.receive(necMessage());
    qv::captureTick(s);
    fault.reset();
    grid.setCurrentColumn(1);
    if (injected == Fault::None) {
        EXPECT_EQ(grid.currentText().rfind("00 FF 12 ED", 0), 0u) << grid.currentText();
        EXPECT_TRUE(failures.isEmpty()) << failures.join("; ").toStdString();
        return;
    }
    EXPECT_TRUE(qvfault::fileBytes(codes) == before) << "the file changed";
    EXPECT_EQ(grid.currentText(), ""); // the grid shows what the file holds
    EXPECT_FALSE(failures.isEmpty()) << "the failed write was not reported";
}

TEST_P(RecordingWrite, HandOverIsWholeOrLeavesTheFileAsItWas) {
    qvfault::runWithFault(GetParam(), [&] { handOver(GetParam()); });
}

// Another program holding the code database locked: the hand-over gives up
// as soon as a catalogue write would, and the window is not frozen.
TEST(RecordingWriteLocked, HandOverUnderALockDoesNotFreezeTheWindow) {
    QTemporaryDir dir;
    const std::string codes = dir.filePath("IR_CODE_DB.db").toStdString();
    qv::SqlCodeGrid grid(QString::fromStdString(codes));
    ASSERT_TRUE(grid.isOpen());
    grid.setCurrentRow(0);
    qvfault::InjectedFault fault(codes, Fault::LockedBySecondConnection);
    ASSERT_TRUE(fault.holding());
    const auto start = std::chrono::steady_clock::now();
    grid.setCurrentText("00 FF 12 ED");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

INSTANTIATE_TEST_SUITE_P(Faults, RecordingWrite,
                         ::testing::Values(Fault::None, Fault::LockedBySecondConnection,
                                           Fault::JournalCannotBeCreated, Fault::ReadOnlyFile),
                         [](const auto& info) { return qvfault::faultName(info.param); });

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
