// The secondary windows: the code recording window on its SQLite code
// database, the format editor saving into a user slot, the error record
// and zoomed code viewer, and the main window's entries that open them.
#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "recording/code_window.h"
#include "window_test_support.h"
#include "windows/catalogue/form_time.h"
#include "windows/errorlog/form_help.h"
#include "windows/recording/form_code.h"
#include "windows/recording/secondary_windows.h"
#include "windows/recording/sql_code_grid.h"

using qvtest::query;
using qvtest::TestSession;

namespace {

template <class W> W* child(QWidget& w, const QString& name) {
    W* c = w.findChild<W*>(name);
    if (!c) qFatal("no control %s", qPrintable(name));
    return c;
}

void type(QWidget& w, const QString& box, const QString& text) {
    auto* e = w.findChild<QLineEdit*>(box);
    if (!e) e = child<QComboBox>(w, box)->lineEdit();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
}

void tick(QWidget& w,
          const QString& name) { // on the indicator: a wide box ignores clicks past its text
    auto* box = child<QCheckBox>(w, name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

// The NEC sample received on a memory port and taken by the capture tick.
void capture(qv::Session& s) {
    static qv::MemoryPort port;
    port.open(1);
    s.env.port = &port;
    port.receive(qvtest::necSample());
    qv::captureTick(s);
}

// A session started as the program starts, the code window made at start-up
// and opened from the menu.
struct CodeWindow : TestSession {
    std::unique_ptr<qv::FormCode> w;
    std::string db = path("IR_CODE_DB.db").toStdString();
    CodeWindow() {
        w = std::make_unique<qv::FormCode>(s, QString::fromStdString(db));
        w->resize(1000, 700);
        qv::startUp(s);
        w->open();
    }
    qv::SqlCodeGrid& grid() { return *w->grid(); }
    QString text(const char* box) { return child<QLineEdit>(*w, box)->text(); }
    void click(const QString& name) {
        QTest::mouseClick(child<QPushButton>(*w, name), Qt::LeftButton);
    }
    void placeAt(int row, int column, int left) { // as earlier navigation would
        grid().setCurrentRow(row);
        s.code.recordCol = static_cast<int16_t>(column);
        grid().setCurrentColumn(column);
        grid().scroll(-qv::kScrollBackSteps, 0);
        grid().scroll(left, 0);
    }
    std::string cell(int row, int column) {
        return query(db, "SELECT * FROM IR_Table").at(row).at(column);
    }
};

// What the format editor shows, by control name.
std::map<std::string, std::string> shown(const qv::Session& s) {
    std::map<std::string, std::string> out = s.editor.box;
    for (const auto& [name, on] : s.editor.check)
        out[name] = on ? "checked" : "unchecked";
    return out;
}

// Chooses a slot the way a user does: arrow keys on the drop-down list; saves.
void saveInto(qv::FormTime& w, const QString& slot) {
    auto* c = child<QComboBox>(w, "cAddFmt");
    c->setFocus();
    for (int i = 0; i < c->count() && c->currentText() != slot; ++i)
        QTest::keyClick(c, Qt::Key_Down);
    QCOMPARE(c->currentText(), slot);
    QTest::mouseClick(child<QPushButton>(w, "bAddFmt"), Qt::LeftButton);
}

// A row of the catalogue's table "Type", or some of its fields, each cell
// with its storage class.
std::vector<std::string> typeRow(const TestSession& t, const char* slot, const char* fields = "*") {
    const auto rows =
        query(t.catalogue(),
              std::string("SELECT ") + fields + " FROM Type WHERE Format = '" + slot + "'", true);
    return rows.empty() ? std::vector<std::string>{} : rows[0];
}

} // namespace

class SecondaryWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void mainMenuEntriesOpenTheirWindows();
    void theCodeWindowRoad();
    void codeWindowNavigation();
    void codeWindowTolerancePanel();
    void formatEditorReadOnlyAndEditable();
    void formatEditorShowsTheRowAsIrp();
    void formatEditorSavesEveryParameterAndTheNextCaptureUsesIt();
    void aFailedFormatSaveLeavesTheCatalogueUnchanged();
    void errorRecordViewerAndZoomedCode();
    void helpOpensAtMainHelpOrSaysItIsMissing();
    void messagesComeOverTheirWindowAndWindowsAskedForComeToTheFront();
};

void SecondaryWindowsTest::mainMenuEntriesOpenTheirWindows() {
    for (const QStringList& r : qvtest::rowsOf("secondary_windows.txt")) {
        qvtest::MainWindow m;
        m.trigger(r[0]);
        auto* opened = m.w->findChild<QWidget*>(r[1]);
        QVERIFY2(opened && opened->isVisible() && opened->isWindow(), qPrintable(r[0]));
        QCOMPARE(opened->windowTitle(), r[2]);
        if (r[1] == "HelpTopic")
            QCOMPARE(opened->findChild<QTextBrowser*>()->source().fragment(), QString("Main_help"));
        if (r[1] == "Form_time")
            QCOMPARE(child<QLineEdit>(*opened, "tHeadOsc")->isReadOnly(), r[0] != "mnuAddFmt");
    }
}

// The main window makes the code window at start-up, on row 4 of a new
// database. Recorded captures go to columns 1 and 2, then at column 3 the
// format key and the tolerance, and the third code to column 8 (0-based).
void SecondaryWindowsTest::theCodeWindowRoad() {
    qvtest::MainWindow m;
    auto* code = m.w->findChild<qv::FormCode*>("Form_code");
    QVERIFY(code && !code->isVisible());
    QCOMPARE(m.s.env.codeGrid, static_cast<qv::CodeGrid*>(code->grid()));
    QCOMPARE(m.s.env.codeGrid->currentRow() * 10 + m.s.code.recordCol, 31);

    CodeWindow a;
    QCOMPARE(qvtest::controlMismatches(*a.w, "code_window.txt"), QStringList());
    QCOMPARE(query(a.db, "SELECT * FROM IR_Table").size(), size_t(4));
    QCOMPARE(query(a.db, "SELECT * FROM IR_Table")[0].size(),
             size_t(qv::SqlCodeGrid::kColumns + 1));
    for (const auto& pos : a.s.code.tPos) // every panel position is a column
        QVERIFY(std::stoi(pos) <= a.grid().columnCount());
    tick(*a.w, "cIrRec");
    for (int i = 0; i < 3; ++i)
        capture(a.s);
    const auto row = query(a.db, "SELECT * FROM IR_Table").at(3);
    QVERIFY(QString::fromStdString(row[1]).startsWith("00 FF 12 ED"));
    QCOMPARE(row[2] + "|" + row[3] + "|" + row[4] + "|" + row[5] + "|" + row[8],
             row[1] + "|Form016|0.03||" + row[1]);
    QCOMPARE(child<QLabel>(*a.w, "lDspRslt")->text(), QString("Record success!"));
    QVERIFY(child<QLabel>(*a.w, "lDspRslt")->styleSheet().contains("red"));
    QCOMPARE(a.text("tRow") + "|" + a.text("tCol"), QString("4|9"));

    // An edit the database refuses is rolled back and reported; the grid goes on.
    query(a.db, "CREATE TRIGGER refuse BEFORE UPDATE ON IR_Table WHEN NEW.Col_010 = 'refuse me' "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    a.placeAt(2, 9, 0);
    a.grid().setCurrentText("kept");
    a.s.out.messages.clear();
    a.grid().setCurrentText("refuse me");
    QCOMPARE(a.cell(2, 9) + a.grid().currentText(), std::string("keptkept"));
    QCOMPARE(a.s.out.messages.size(), size_t(1));
    QVERIFY(QString::fromStdString(a.s.out.messages.front()).contains("refused"));
    a.grid().setCurrentText("next");
    QCOMPARE(a.cell(2, 9), std::string("next"));

    type(*a.w, "tXTime", "12000"); // closing takes X time and a 0/1 time that is a number
    type(*a.w, "t01Tole", "abc");
    child<QAction>(*a.w, "mnuExit")->trigger();
    QVERIFY(!a.w->isVisible());
    QCOMPARE(a.s.decoding.waitTime * 1000 + a.s.decoding.zeroOneTime, 12000 * 1000 + 100);
    QVERIFY(!a.s.code.cIrRec); // a closed window records nothing until opened and checked again
}

void SecondaryWindowsTest::codeWindowNavigation() {
    for (const QStringList& r : qvtest::rowsOf("code_navigation.txt")) {
        CodeWindow a;
        a.placeAt(r[0].toInt(), r[1].toInt(), r[2].toInt());
        if (r[4] != "-") type(*a.w, "tRow", r[4]);
        if (r[5] != "-") type(*a.w, "tCol", r[5]);
        auto* view = child<QTableView>(*a.w, "tblCode");
        if (r[3] == "enter") {
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Return);
        } else {
            a.click(r[3]);
        }
        QCOMPARE(QString("%1|%2|%3|%4|%5")
                     .arg(a.s.code.recordCol)
                     .arg(a.grid().currentRow())
                     .arg(a.grid().leftColumn())
                     .arg(a.text("tRow"), a.text("tCol")),
                 r.mid(6).join('|'));
        QCOMPARE(a.grid().currentColumn(), int(a.s.code.recordCol));
        QCOMPARE(view->currentIndex().row(), a.grid().currentRow()); // the view follows the grid
        QCOMPARE(view->currentIndex().column(), a.grid().modelColumn(a.grid().currentColumn()));
    }
}

void SecondaryWindowsTest::codeWindowTolerancePanel() {
    for (const QStringList& r : qvtest::rowsOf("code_tolerance.txt")) {
        CodeWindow a;
        type(*a.w, "cbTol", r[0]);
        type(*a.w, "tTTole", r[1]);
        type(*a.w, "tForm", "Form157");
        a.s.out.messages.clear();
        a.click("cmdApl");
        QCOMPARE(a.s.decoding.timeTolerance, r[2].toFloat());
        QCOMPARE(a.s.decoding.cycleTolerance, r[3].toFloat());
        QCOMPARE(QString::fromStdString(qv::toleranceText(a.s.decoding.timeTolerance)), r[4]);
        QCOMPARE(QString::fromStdString(a.s.format.name), r[5]);
        QCOMPARE(a.s.out.messages, r[6].isEmpty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{r[6].toStdString()});
    }
}

// A row written in IRP, and a bi-phase row refused by the field that stops it.
void SecondaryWindowsTest::formatEditorShowsTheRowAsIrp() {
    TestSession t;
    qv::FormTime w(t.s);
    w.open(false);
    auto* irp = child<QLineEdit>(w, "tIrp");
    QVERIFY(irp->isReadOnly() && irp->text().isEmpty());
    QTest::mouseClick(child<QPushButton>(w, "bIrp"), Qt::LeftButton);
    QVERIFY2(irp->text().startsWith("{37.9k,1,lsb}<562,-562|562,-1688>(9000,-4500,C:8,RC:8,D:8,"),
             qPrintable(irp->text()));
    qv::setIrtype(t.s, "Form008(&GRUNDIG)");
    w.open(false);
    QVERIFY(irp->text().isEmpty());
    QTest::mouseClick(child<QPushButton>(w, "bIrp"), Qt::LeftButton);
    QVERIFY2(irp->text().startsWith("Form008 cannot be written as IRP: field \"Type\""),
             qPrintable(irp->text()));
}

void SecondaryWindowsTest::formatEditorReadOnlyAndEditable() {
    TestSession t;
    qv::FormTime w(t.s);
    w.open(false);
    // Read-only but not greyed out: enabled controls that take no change.
    auto* head = child<QLineEdit>(w, "tHeadOsc");
    auto* repeat = child<QCheckBox>(w, "cHead");
    QVERIFY(head->isEnabled() && repeat->isEnabled());
    head->setFocus();
    QTest::keyClicks(head, "1");
    QTest::mouseClick(repeat, Qt::LeftButton);
    QCOMPARE(head->text(), QString("9000"));
    QVERIFY(repeat->isChecked() && t.s.editor.check.at("cHead")); // Form016 repeats its head
    QCOMPARE(child<QComboBox>(w, "tType")->currentText(), QString("IB"));
    for (const char* slotControl : {"cAddFmt", "lAddFmt", "bAddFmt"})
        QVERIFY(child<QWidget>(w, slotControl)->isHidden());

    w.open(true);
    auto* chooser = child<QComboBox>(w, "cAddFmt");
    QVERIFY(chooser->isVisible() && child<QGroupBox>(w, "Frame1")->isEnabled());
    QCOMPARE(chooser->currentIndex(), -1);
    QStringList items;
    for (int i = 0; i < chooser->count(); ++i)
        items << chooser->itemText(i);
    QCOMPARE(items.join(' '), QString("Form155 Form156 Form157 Form158 Form159 Form160"));
    // A save without a slot writes nothing, and says so.
    const QByteArray before = qvtest::fileBytes(t.path("IRTime.db"));
    type(w, "tHeadOsc", "8000");
    QTest::mouseClick(child<QPushButton>(w, "bAddFmt"), Qt::LeftButton);
    QCOMPARE(qvtest::fileBytes(t.path("IRTime.db")), before);
    QCOMPARE(t.s.out.messages.size(), size_t(1));
    QVERIFY(QString::fromStdString(t.s.out.messages.front()).contains("Form155"));
    QCOMPARE(t.s.format.cursor->key(), std::string("Form016"));
}

void SecondaryWindowsTest::formatEditorSavesEveryParameterAndTheNextCaptureUsesIt() {
    TestSession t;
    capture(t.s);
    QVERIFY2(!t.s.last.decode.shown.empty(), "the sample decodes against Form016");
    qvtest::query(t.catalogue(),
                  "UPDATE Type SET G_count = 3, Remark = 'old' WHERE Format = 'Form158'");
    const auto keptFields = typeRow(t, "Form158", "Remark, G_count");
    qv::FormTime w(t.s);
    w.open(true);
    const auto form016 = shown(t.s);
    saveInto(w, "Form157");
    QVERIFY(t.s.out.messages.empty());
    QCOMPARE(child<QLabel>(w, "lSaved")->text(), QString("Form157 saved."));
    // The cursor stands on the written row; the selection still names Form016.
    QCOMPARE(t.s.format.cursor->key(), std::string("Form157"));
    QCOMPARE(t.s.format.name, std::string("Form016(NEC N-8)"));
    auto source = typeRow(t, "Form016"), copy = typeRow(t, "Form157");
    std::erase(source, "text:Form016");
    std::erase(copy, "text:Form157");
    QVERIFY(copy == source); // every stored field but the key
    qv::setIrtype(t.s, "Form157");
    QVERIFY(shown(t.s) == form016);

    // Form158: a head burst the sample does not have; empty remark and
    // groups keep the stored values.
    qv::setIrtype(t.s, "Form016(NEC N-8)");
    type(w, "tHeadOsc", "5000");
    type(w, "tRemark", "");
    type(w, "tGroups", "");
    type(w, "tAlias", "My remote");
    for (const char* box : {"cCYes", "cCNo"}) // Yes with No still gives "convert" Y
        if (!child<QCheckBox>(w, box)->isChecked())
            QTest::mouseClick(child<QCheckBox>(w, box), Qt::LeftButton);
    saveInto(w, "Form158");
    QCOMPARE(typeRow(t, "Form158", "convert, Alias"),
             (std::vector<std::string>{"text:Y", "text:My remote"}));
    QVERIFY(typeRow(t, "Form158", "Remark, G_count") == keptFields);
    capture(t.s); // decoded against the row the cursor stands on
    QCOMPARE(t.s.format.name, std::string("Form016(NEC N-8)"));
    QVERIFY(t.s.last.decode.shown.empty());
    QVERIFY(std::ranges::count(t.s.last.errorLines, "The head's Osc standard time:5000") == 1);
}

void SecondaryWindowsTest::aFailedFormatSaveLeavesTheCatalogueUnchanged() {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"Form157", "tHeadOsc", "9k"}, {"Form158", "t0Idle", "x"}, {"Form159", "", ""}};
    for (auto [slot, box, typed] : rows) {
        TestSession t;
        if (!*box)
            query(t.catalogue(), "DELETE FROM Type WHERE Format = '" + std::string(slot) + "'");
        const QByteArray before = qvtest::fileBytes(t.path("IRTime.db"));
        qv::FormTime w(t.s);
        w.open(true);
        type(w, "tStru", "H,D,X");  // a field written before the refused one must not land
        QStringList named = {slot}; // the message names the slot, and the box by its caption
        if (*box) {
            type(w, box, typed);
            for (QLabel* l : w.findChildren<QLabel*>())
                if (l->buddy() && l->buddy()->objectName() == box)
                    named << l->text().remove(':').simplified() << QString("\"%1\"").arg(typed);
            QCOMPARE(named.size(), 3);
        }
        saveInto(w, slot);
        QCOMPARE(qvtest::fileBytes(t.path("IRTime.db")), before);
        QCOMPARE(t.s.out.messages.size(), size_t(1));
        for (const QString& word : named)
            QVERIFY2(QString::fromStdString(t.s.out.messages.front()).contains(word),
                     t.s.out.messages.front().c_str());
        QVERIFY(child<QLabel>(w, "lSaved")->text().isEmpty());
        QCOMPARE(t.s.format.cursor->key(), std::string("Form016"));
    }
}

// Regression: the next capture replaced the record under its title, and
// the large code ran off the right edge.
void SecondaryWindowsTest::errorRecordViewerAndZoomedCode() {
    TestSession t;
    qv::FormHelp w(t.s);
    w.resize(560, 380);
    w.viewErrorMessage(); // a missing record shows an empty view
    auto* text = child<QPlainTextEdit>(w, "Text1");
    QCOMPARE(text->toPlainText(), QString());
    qvtest::writeFile(t.path("Error record.txt"), "one\r\ntwo");
    w.viewErrorMessage();
    QCOMPARE(w.windowTitle(), QString("Error Message Record"));
    QCOMPARE(t.s.help.Text1, std::string("one\r\ntwo\r\n")); // the last line gets its break
    QCOMPARE(text->toPlainText(), QString("one\ntwo\n"));
    QVERIFY(text->font().pointSize() == 8 && !text->font().bold());
    QVERIFY(child<QPushButton>(w, "cClear")->isVisible() && t.s.out.messages.empty());
    capture(t.s);
    QCOMPARE(w.windowTitle(), QString("Error Message Record"));
    QCOMPARE(text->toPlainText(), QString("one\ntwo\n"));
    QTest::keyClick(text, Qt::Key_Escape); // hides, keeps the record open
    QVERIFY(!w.isVisible() && t.s.env.errorRecord.isOpen());

    w.viewZoomCode();
    QCOMPARE(w.windowTitle(), QString("Zoom in IR code"));
    QCOMPARE(text->toPlainText(),
             QString("00000000 11111111 01001000 10110111 \n\n00 FF 12 ED \n\n\n"));
    QVERIFY(text->font().pointSize() == 24 && text->font().bold());
    QVERIFY(child<QPushButton>(w, "cClear")->isHidden()); // it shows no record to clear
    QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
    t.s.decoding.octal = true;
    capture(t.s); // the zoomed code follows the captures
    QVERIFY(text->toPlainText().contains("\n00 255 18 237 \n"));

    w.viewErrorMessage();
    QTest::mouseClick(child<QPushButton>(w, "cClear"), Qt::LeftButton); // leaves one empty line
    QCOMPARE(text->toPlainText(), QString());
    QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton); // closes the record
    QVERIFY(!w.isVisible() && !t.s.env.errorRecord.isOpen());
    QCOMPARE(qvtest::fileBytes(t.path("Error record.txt")), QByteArray("\r\n"));
}

void SecondaryWindowsTest::helpOpensAtMainHelpOrSaysItIsMissing() {
    TestSession t;
    for (const QString& help :
         {qvtest::kSource + "/windows/errorlog/help.html", t.path("no-help.html")}) {
        qv::SecondaryWindows windows(t.s, nullptr, t.path("IR_CODE_DB.db"), help);
        windows.showHelp();
        qv::HelpTopicWindow* w = windows.helpWindow();
        QVERIFY(w && w->isVisible());
        const QString text = w->browser()->toPlainText();
        QVERIFY2(text.contains(help.endsWith("no-help.html") ? "not found" : "Recording codes"),
                 qPrintable(text));
        QVERIFY(w->browser()->source().fragment() == "Main_help" || help.endsWith("no-help.html"));
        QTest::keyClick(w->browser(), Qt::Key_Escape); // Escape and Close both close it
        QVERIFY(!w->isVisible());
        windows.showHelp();
        QTest::mouseClick(child<QPushButton>(*w, "cmdHelpClose"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
    }
}

// Regression: the editor's message came up over the main window, behind
// the editor, and Enter did not close it; F3 and Ctrl+D left a window that
// was open already behind the others.
void SecondaryWindowsTest::messagesComeOverTheirWindowAndWindowsAskedForComeToTheFront() {
    qvtest::MainWindow m;
    m.trigger("mnuAddFmt");
    auto* editor = m.w->findChild<qv::FormTime*>();
    QVERIFY(editor && QTest::qWaitForWindowActive(editor));
    type(*editor, "tHeadOsc", "9k");
    editor->activateWindow(); // the user works in the editor
    QTRY_COMPARE(QApplication::activeWindow(), editor);
    saveInto(*editor, "Form157");
    QPointer<QMessageBox> box = m.messageBox();
    QVERIFY(box && box->parentWidget() == editor);
    QTRY_VERIFY(box->isActiveWindow());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!box || !box->isVisible());
    for (const char* entry : {"mnuErrMes", "mnuVCode"}) {
        m.trigger(entry);
        auto* viewer = m.w->findChild<qv::FormHelp*>();
        QVERIFY(viewer && viewer->isVisible());
        m.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m.w.get()));
        m.trigger(entry);
        QTRY_VERIFY2(viewer->isActiveWindow(), entry);
    }
}

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
