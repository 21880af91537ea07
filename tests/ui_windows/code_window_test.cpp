// The code recording window on its SQLite code database: navigation of the
// recording cursor, the tolerance panel, the menus and recorded captures.
#include "app/capture_tick.h"
#include "app/main_state.h"
#include "recording/code_window.h"
#include "windows/recording/form_code.h"
#include "windows/recording/sql_code_grid.h"
#include "window_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using qvtest::TestSession;

namespace {

// A session started as the program starts, with the code window made at
// start-up and opened from the menu.
struct Started {
    TestSession t;
    std::unique_ptr<qv::FormCode> w;
    explicit Started(const std::function<void(const std::string&)>& prepareDb = {}) {
        const std::string db = t.path(QStringLiteral("IR_CODE_DB.db")).toStdString();
        if (prepareDb) prepareDb(db);
        w = std::make_unique<qv::FormCode>(t.s, QString::fromStdString(db));
        w->resize(1000, 700);
        qv::startUp(t.s);
        w->open();
    }
    qv::Session& s() { return t.s; }
    qv::SqlCodeGrid& grid() { return *w->grid(); }
    std::string db() const { return t.path(QStringLiteral("IR_CODE_DB.db")).toStdString(); }
    template <class W> W* find(const char* name) {
        return w->findChild<W*>(QString::fromLatin1(name));
    }
    void click(const char* button) {
        auto* b = find<QPushButton>(button);
        QVERIFY2(b, button);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void type(const char* box, const QString& text) {
        QLineEdit* e = find<QLineEdit>(box);
        if (!e) e = find<QComboBox>(box)->lineEdit();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        if (!text.isEmpty()) QTest::keyClicks(e, text);
    }
    QString text(const char* box) { return find<QLineEdit>(box)->text(); }
    // Clicks a check box on its indicator (a wide box ignores clicks past its text).
    void tick(const char* name) {
        auto* box = find<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    // Puts the recording cursor somewhere, as earlier navigation would.
    void placeAt(int row, int column, int left) {
        grid().setCurrentRow(row);
        s().RecordCol = static_cast<int16_t>(column);
        grid().setCurrentColumn(column);
        grid().scroll(-qv::kScrollBackSteps, 0);
        grid().scroll(left, 0);
    }
    void clickCell(int row, int column) {
        QTableView* view = find<QTableView>("tblCode");
        const QModelIndex index = view->model()->index(row, grid().modelColumn(column));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
};

} // namespace

class CodeWindowTest : public QObject {
    Q_OBJECT
private slots:
    void newDatabaseHoldsEveryReachableColumn();
    void navigation_data();
    void navigation();
    void nextModelPastTheLastRowAddsARow();
    void emptyClearsTheStoredCell();
    void clickRecordsFromTheCellAndSelectsTheRowsFormat_data();
    void clickRecordsFromTheCellAndSelectsTheRowsFormat();
    void applyTolerancePanel_data();
    void applyTolerancePanel();
    void activationShowsTheTolerancesInUse();
    void formBoxEnterSelectsTheFormat();
    void changeReadOrderInvertsOnEachCheck();
    void closeTakesXTimeAndZeroOneTime();
    void menusCarryTheirKeys_data();
    void menusCarryTheirKeys();
    void menuEntriesDoWhatTheirButtonsDo();
    void refusedEditIsRolledBackAndReported();
    void showsRecordingStatusFromTheSession();
    void recordedCapturesLandInTheDatabase();
};

void CodeWindowTest::newDatabaseHoldsEveryReachableColumn() {
    Started a;
    QVERIFY(a.grid().isOpen());
    QCOMPARE(a.s().codeGrid, static_cast<qv::CodeGrid*>(&a.grid()));
    QCOMPARE(a.grid().columnCount(), qv::SqlCodeGrid::kColumns);
    // Start-up made row 4 (0-based 3) current, so the file holds four rows.
    QCOMPARE(a.grid().currentRow(), 3);
    const auto rows = qvtest::tableRows(a.db(), "IR_Table");
    QCOMPARE(rows.size(), size_t(4));
    // Every default panel position is a column of the table.
    for (const auto& pos : a.s().code.tPos)
        QVERIFY(std::stoi(pos) <= a.grid().columnCount());
    QCOMPARE(rows.front().size(), size_t(qv::SqlCodeGrid::kColumns + 1)); // + the row key
    QCOMPARE(a.grid().model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Format"));
    QCOMPARE(a.grid().model()->headerData(4, Qt::Horizontal).toString(),
             QStringLiteral("Tolerance"));
}

void CodeWindowTest::navigation_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("tRowIn");
    QTest::addColumn<QString>("tColIn");
    QTest::addColumn<int>("wantCol");
    QTest::addColumn<int>("wantRow");
    QTest::addColumn<int>("wantLeft");
    QTest::addColumn<QString>("wantTRow");
    QTest::addColumn<QString>("wantTCol");

    const QString keep;
    QTest::newRow("next col from 7 goes to 8 and scrolls 4 right")
        << 3 << 7 << 0 << "cmdNext" << keep << keep << 8 << 3 << 4 << "4"
        << "9";
    QTest::newRow("next col from 5 does not scroll")
        << 3 << 5 << 0 << "cmdNext" << keep << keep << 6 << 3 << 0 << "4"
        << "7";
    QTest::newRow("next col on the last column goes to column 1 of the next row")
        << 3 << 119 << 110 << "cmdNext" << keep << keep << 1 << 4 << 0 << "5"
        << "2";
    QTest::newRow("prev col at 1 stays at 1")
        << 3 << 1 << 0 << "cmdPrev" << keep << keep << 1 << 3 << 0 << "3"
        << "1";
    QTest::newRow("prev col onto 4 scrolls back so it stays in view")
        << 3 << 5 << 4 << "cmdPrev" << keep << keep << 4 << 3 << 0 << "4"
        << "5";
    QTest::newRow("reset returns to column 1 and the first column")
        << 2 << 60 << 56 << "cmdReset" << keep << keep << 1 << 2 << 0 << "3"
        << "2";
    QTest::newRow("next model starts column 1 of the next row")
        << 1 << 30 << 28 << "bNextRcu" << keep << keep << 1 << 2 << 0 << "3"
        << "2";
    QTest::newRow("panel 3 at 54 makes column 53 current at the left edge")
        << 3 << 2 << 0 << "bP3" << keep << keep << 53 << 3 << 53 << "4"
        << "54";
    QTest::newRow("panel 5 at 105 reaches column 104")
        << 3 << 2 << 0 << "Command1" << keep << keep << 104 << 3 << 104 << "4"
        << "105";
    QTest::newRow("set moves to the typed row and column") << 3 << 7 << 4 << "bSet"
                                                           << "2"
                                                           << "10" << 9 << 1 << 9 << "2"
                                                           << "10";
    QTest::newRow("set with a row that is no number keeps the place") << 3 << 7 << 4 << "bSet"
                                                                      << "x"
                                                                      << "10" << 7 << 3 << 4 << "4"
                                                                      << "8";
    QTest::newRow("set with a column past the table keeps the place") << 3 << 7 << 4 << "bSet"
                                                                      << "2"
                                                                      << "500" << 7 << 3 << 4 << "4"
                                                                      << "8";
    QTest::newRow("enter in the grid moves one column on and scrolls at 4")
        << 3 << 3 << 0 << "enter" << keep << keep << 4 << 3 << 4 << "4"
        << "5";
}

void CodeWindowTest::navigation() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, left);
    QFETCH(QString, action);
    QFETCH(QString, tRowIn);
    QFETCH(QString, tColIn);
    Started a;
    a.placeAt(row, col, left);
    if (!tRowIn.isNull()) a.type("tRow", tRowIn);
    if (!tColIn.isNull()) a.type("tCol", tColIn);
    if (action == QLatin1String("enter")) {
        auto* view = a.find<QTableView>("tblCode");
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Return);
    } else {
        a.click(action.toLatin1().constData());
    }
    QTEST(int(a.s().RecordCol), "wantCol");
    QTEST(a.grid().currentColumn(), "wantCol");
    QTEST(a.grid().currentRow(), "wantRow");
    QTEST(a.grid().leftColumn(), "wantLeft");
    QTEST(a.text("tRow"), "wantTRow");
    QTEST(a.text("tCol"), "wantTCol");
    // The view's current cell is the grid's.
    const QModelIndex current = a.find<QTableView>("tblCode")->currentIndex();
    QCOMPARE(current.row(), a.grid().currentRow());
    QCOMPARE(current.column(), a.grid().modelColumn(a.grid().currentColumn()));
}

void CodeWindowTest::nextModelPastTheLastRowAddsARow() {
    Started a;
    QCOMPARE(a.grid().rowCount(), 4);
    a.click("bNextRcu");
    QCOMPARE(a.grid().currentRow(), 4);
    QCOMPARE(qvtest::tableRows(a.db(), "IR_Table").size(), size_t(5));
    QCOMPARE(a.text("tRow"), QStringLiteral("5"));
}

void CodeWindowTest::emptyClearsTheStoredCell() {
    Started a;
    a.placeAt(1, 9, 0);
    a.grid().setCurrentText("11 22 33");
    QCOMPARE(qvtest::tableRows(a.db(), "IR_Table")[1][9], std::string("11 22 33"));
    a.click("bEpy");
    QCOMPARE(qvtest::tableRows(a.db(), "IR_Table")[1][9], std::string());
    QCOMPARE(a.grid().currentText(), std::string());
}

void CodeWindowTest::clickRecordsFromTheCellAndSelectsTheRowsFormat_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("irtype");
    QTest::newRow("row with a format key selects it") << 1 << 6 << "Form157";
    QTest::newRow("row without a format key keeps the selection") << 0 << 2 << "Form016(NEC N-8)";
}

void CodeWindowTest::clickRecordsFromTheCellAndSelectsTheRowsFormat() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, irtype);
    Started a([](const std::string& db) {
        qv::SqlCodeGrid prepare(QString::fromStdString(db)); // makes the table
        prepare.setCurrentRow(1);
        prepare.setCurrentColumn(3);
        prepare.setCurrentText("Form157");
    });
    QVERIFY(QTest::qWaitForWindowExposed(a.w.get()));
    a.clickCell(row, col);
    QCOMPARE(int(a.s().RecordCol), col);
    QCOMPARE(a.text("tRow"), QString::number(row + 1));
    QCOMPARE(a.text("tCol"), QString::number(col + 1));
    QCOMPARE(QString::fromStdString(a.s().irtype), irtype);
    QVERIFY(a.s().CurFormat->hasRow());
    QCOMPARE(a.grid().currentColumn(), col);
}

void CodeWindowTest::applyTolerancePanel_data() {
    QTest::addColumn<QString>("cbTol");
    QTest::addColumn<QString>("tTTole");
    QTest::addColumn<float>("tolerance");
    QTest::addColumn<float>("cycle");
    QTest::addColumn<QString>("tTole");
    QTest::addColumn<QString>("irtype");
    QTest::addColumn<QString>("message");
    QTest::newRow("5 sets 5% and selects the format of Change Form")
        << "5"
        << "750" << 0.05f << 750.0f << "5%"
        << "Form157"
        << "";
    QTest::newRow("empty tolerance is refused but the cycle tolerance is taken")
        << ""
        << "1000" << 0.03f << 1000.0f << "3%"
        << "Form016(NEC N-8)"
        << "The tolerance is empty!";
    QTest::newRow("a cycle tolerance that is no number keeps the old one")
        << "8"
        << "abc" << 0.08f << 500.0f << "8%"
        << "Form157"
        << "";
}

void CodeWindowTest::applyTolerancePanel() {
    QFETCH(QString, cbTol);
    QFETCH(QString, tTTole);
    QFETCH(QString, message);
    Started a;
    a.type("cbTol", cbTol);
    a.type("tTTole", tTTole);
    a.type("tForm", QStringLiteral("Form157"));
    a.s().messages.clear();
    a.click("cmdApl");
    QTEST(a.s().TimeTolerance, "tolerance");
    QTEST(a.s().CycleTolerance, "cycle");
    QTEST(QString::fromStdString(a.s().tTole), "tTole");
    QTEST(QString::fromStdString(a.s().irtype), "irtype");
    if (message.isEmpty())
        QVERIFY(a.s().messages.empty());
    else
        QCOMPARE(a.s().messages, std::vector<std::string>{message.toStdString()});
}

void CodeWindowTest::activationShowsTheTolerancesInUse() {
    Started a;
    qv::toleranceMenu(a.s(), 8);
    QApplication::setActiveWindow(a.w.get());
    QVERIFY(QTest::qWaitForWindowActive(a.w.get()));
    QCOMPARE(a.find<QComboBox>("cbTol")->currentText(), QStringLiteral("8"));
    QCOMPARE(a.text("tTTole"), QStringLiteral("1500"));
    QCOMPARE(a.text("tForm"), QStringLiteral("Form016(NEC N-8)"));
}

void CodeWindowTest::formBoxEnterSelectsTheFormat() {
    Started a;
    a.type("tForm", QStringLiteral("Form158"));
    QTest::keyClick(a.find<QLineEdit>("tForm"), Qt::Key_Return);
    QCOMPARE(a.s().irtype, std::string("Form158"));
    QCOMPARE(a.s().CurFormat->key(), std::string("Form158"));
}

void CodeWindowTest::changeReadOrderInvertsOnEachCheck() {
    Started a;
    const bool start = a.s().ReadOrder;
    a.tick("cOrder"); // check: inverts
    QCOMPARE(a.s().ReadOrder, !start);
    a.tick("cOrder"); // uncheck: nothing
    QCOMPARE(a.s().ReadOrder, !start);
    a.tick("cOrder"); // check: inverts again
    QCOMPARE(a.s().ReadOrder, start);
}

void CodeWindowTest::closeTakesXTimeAndZeroOneTime() {
    Started a;
    QCOMPARE(a.text("tXTime"), QStringLiteral("15000"));
    QCOMPARE(a.text("t01Tole"), QStringLiteral("100"));
    a.type("tXTime", QStringLiteral("12000"));
    a.type("t01Tole", QStringLiteral("abc"));
    a.tick("cIrRec");
    QVERIFY(a.s().code.cIrRec);
    a.click("cExit");
    QVERIFY(!a.w->isVisible());
    QCOMPARE(a.s().XTime, int16_t(12000));
    QCOMPARE(a.s().ZeroOneTime, int16_t(100));
    // A closed window records nothing until it is opened and checked again.
    QVERIFY(!a.s().code.cIrRec);
    QCOMPARE(a.s().codeGrid, static_cast<qv::CodeGrid*>(&a.grid()));
}

void CodeWindowTest::menusCarryTheirKeys_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("mnuRec") << "mnuRec"
                            << "Ir Record" << QKeySequence(Qt::Key_F9);
    QTest::newRow("mnuApply") << "mnuApply"
                              << "Apply time tolerance set" << QKeySequence(Qt::Key_F11);
    QTest::newRow("mnuExit") << "mnuExit"
                             << "Exit" << QKeySequence(Qt::Key_F4);
    QTest::newRow("mnuPCol") << "mnuPCol"
                             << "Previous Col" << QKeySequence(Qt::Key_F3);
    QTest::newRow("mnuNCol") << "mnuNCol"
                             << "Next Col" << QKeySequence(Qt::Key_F5);
    QTest::newRow("mnuEpy") << "mnuEpy"
                            << "Empty current record" << QKeySequence(Qt::Key_F6);
    QTest::newRow("mnuRst") << "mnuRst"
                            << "Reset cells position" << QKeySequence(Qt::Key_F7);
    QTest::newRow("mnuSet") << "mnuSet"
                            << "Set cells position" << QKeySequence(Qt::Key_F8);
    for (int i = 1; i <= 5; ++i)
        QTest::newRow(qPrintable(QStringLiteral("mnuPanel%1").arg(i)))
            << QStringLiteral("mnuPanel%1").arg(i) << QStringLiteral("Jump to Panel%1").arg(i)
            << QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + i - 1));
}

void CodeWindowTest::menusCarryTheirKeys() {
    QFETCH(QString, name);
    Started a;
    auto* action = a.w->findChild<QAction*>(name);
    QVERIFY(action);
    QTEST(action->text(), "caption");
    QTEST(action->shortcut(), "key");
}

void CodeWindowTest::menuEntriesDoWhatTheirButtonsDo() {
    Started a;
    a.placeAt(3, 7, 0);
    a.w->findChild<QAction*>(QStringLiteral("mnuNCol"))->trigger();
    QCOMPARE(int(a.s().RecordCol), 8);
    a.w->findChild<QAction*>(QStringLiteral("mnuPCol"))->trigger();
    QCOMPARE(int(a.s().RecordCol), 7);
    a.w->findChild<QAction*>(QStringLiteral("mnuPanel2"))->trigger();
    QCOMPARE(int(a.s().RecordCol), 24);
    a.w->findChild<QAction*>(QStringLiteral("mnuRec"))->trigger();
    QVERIFY(a.find<QCheckBox>("cIrRec")->isChecked());
    a.w->findChild<QAction*>(QStringLiteral("mnuRec"))->trigger();
    QVERIFY(!a.s().code.cIrRec);
    a.w->findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
    QVERIFY(!a.w->isVisible());
}

void CodeWindowTest::refusedEditIsRolledBackAndReported() {
    Started a([](const std::string& db) {
        { qv::SqlCodeGrid prepare(QString::fromStdString(db)); }
        qvtest::execSql(db,
                        "CREATE TRIGGER refuse BEFORE UPDATE ON IR_Table "
                        "WHEN NEW.Col_010 = 'refuse me' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    });
    a.placeAt(2, 9, 0);
    a.grid().setCurrentText("kept");
    a.s().messages.clear();
    a.grid().setCurrentText("refuse me");
    QCOMPARE(qvtest::tableRows(a.db(), "IR_Table")[2][9], std::string("kept"));
    QCOMPARE(a.grid().currentText(), std::string("kept"));
    QCOMPARE(a.s().messages.size(), size_t(1));
    QVERIFY(QString::fromStdString(a.s().messages.front()).contains(QStringLiteral("refused")));
    // The grid goes on working after the refusal.
    a.grid().setCurrentText("next");
    QCOMPARE(qvtest::tableRows(a.db(), "IR_Table")[2][9], std::string("next"));
}

void CodeWindowTest::showsRecordingStatusFromTheSession() {
    Started a;
    a.s().code.lDspRslt = "It's recording...";
    a.s().code.lDspRsltColor = "black";
    a.s().code.Lblcarr_f = "38.4000";
    a.s().code.lGCyc = {"Group 1:Cycle's test time:67500"};
    a.s().changed();
    auto* label = a.find<QLabel>("lDspRslt");
    QCOMPARE(label->text(), QStringLiteral("It's recording..."));
    QVERIFY(label->styleSheet().contains(QStringLiteral("black")));
    QCOMPARE(a.find<QLabel>("Lblcarr_f")->text(), QStringLiteral("38.4000"));
}

void CodeWindowTest::recordedCapturesLandInTheDatabase() {
    Started a;
    qv::MemoryPort port;
    port.open(1);
    a.s().port = &port;
    a.tick("cIrRec");
    for (int capture = 0; capture < 3; ++capture) {
        port.receive(qvtest::necSample());
        qv::captureTick(a.s());
        QVERIFY2(!a.s().tHCode.empty(), "the sample decodes against Form016");
    }
    // Columns 1 and 2, then at column 3 the format key and the tolerance,
    // and the third code in column 8 (0-based), in row 4 of the file.
    const auto row = qvtest::tableRows(a.db(), "IR_Table").at(3);
    const std::string code = row[1];
    QVERIFY(QString::fromStdString(code).startsWith(QStringLiteral("00 FF 12 ED")));
    QCOMPARE(row[2], code);
    QCOMPARE(row[3], std::string("Form016"));
    QCOMPARE(row[4], std::string("0.03"));
    QCOMPARE(row[5], std::string());
    QCOMPARE(row[8], code);
    QCOMPARE(int(a.s().RecordCol), 9);
    QCOMPARE(a.find<QLabel>("lDspRslt")->text(), QStringLiteral("Record success!"));
    QVERIFY(a.find<QLabel>("lDspRslt")->styleSheet().contains(QStringLiteral("red")));
    QCOMPARE(a.text("tRow"), QStringLiteral("4"));
    QCOMPARE(a.text("tCol"), QStringLiteral("9"));
}

QTEST_MAIN(CodeWindowTest)
#include "code_window_test.moc"
