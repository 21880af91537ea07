// The main window's entries that open the secondary windows, start-up with
// the code recording window, and Exit closing every window.
#include "windows/main/form_main.h"
#include "windows/catalogue/form_time.h"
#include "windows/errorlog/form_help.h"
#include "windows/recording/form_code.h"
#include "windows/recording/sql_code_grid.h"
#include "window_test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

using qvtest::TestSession;

namespace {

struct MainWindow {
    TestSession t;
    qv::MemoryPort port;
    std::unique_ptr<qv::Form_main> w;
    MainWindow() {
        t.s.codeDatabasePath = t.path(QStringLiteral("IR_CODE_DB.db")).toStdString();
        t.s.port = &port;
        w = std::make_unique<qv::Form_main>(t.s);
        w->startUp();
        w->show();
    }
    void trigger(const char* name) {
        auto* a = w->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(a && a->isEnabled(), name);
        a->trigger();
    }
    template <class W> W* window(const char* name) {
        return w->findChild<W*>(QString::fromLatin1(name));
    }
};

} // namespace

class MainMenuTest : public QObject {
    Q_OBJECT
private slots:
    void startUpPlacesTheCodeGridOnRowFour();
    void entriesOpenTheirWindows_data();
    void entriesOpenTheirWindows();
    void exitClosesEveryWindow();
};

void MainMenuTest::startUpPlacesTheCodeGridOnRowFour() {
    MainWindow m;
    auto* code = m.window<qv::FormCode>("Form_code");
    QVERIFY(code);
    QVERIFY(!code->isVisible());
    QCOMPARE(m.t.s.codeGrid, static_cast<qv::CodeGrid*>(code->grid()));
    QCOMPARE(m.t.s.codeGrid->currentRow(), 3);
    QCOMPARE(int(m.t.s.RecordCol), 1);
}

void MainMenuTest::entriesOpenTheirWindows_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("F5 shows the format read-only") << "mnusettime"
                                                   << "Form_time"
                                                   << "Form016(NEC N-8) standard time parameter";
    QTest::newRow("Ctrl+A shows the format editable") << "mnuAddFmt"
                                                      << "Form_time"
                                                      << "Add or Modify the New IR Format";
    QTest::newRow("F4 shows the code recording window") << "mnuviewcode"
                                                        << "Form_code"
                                                        << "current time and code";
    QTest::newRow("F3 shows the error record") << "mnuErrMes"
                                               << "Form_help"
                                               << "Error Message Record";
    QTest::newRow("Ctrl+D shows the zoomed code") << "mnuVCode"
                                                  << "Form_help"
                                                  << "Zoom in IR code";
    QTest::newRow("F1 shows the help") << "mnuHelp"
                                       << "HelpTopic"
                                       << "Quorvel Help";
}

void MainMenuTest::entriesOpenTheirWindows() {
    QFETCH(QString, entry);
    QFETCH(QString, window);
    MainWindow m;
    m.trigger(entry.toLatin1().constData());
    auto* opened = m.w->findChild<QWidget*>(window);
    QVERIFY(opened);
    QVERIFY(opened->isVisible());
    QVERIFY(opened->isWindow());
    QTEST(opened->windowTitle(), "caption");
    if (entry == QLatin1String("mnuHelp"))
        QCOMPARE(opened->findChild<QTextBrowser*>()->source().fragment(),
                 QStringLiteral("Main_help"));
    if (window == QLatin1String("Form_time"))
        QCOMPARE(opened->findChild<QLineEdit*>(QStringLiteral("tHeadOsc"))->isReadOnly(),
                 entry != QLatin1String("mnuAddFmt"));
}

void MainMenuTest::exitClosesEveryWindow() {
    MainWindow m;
    for (const char* entry : {"mnuAddFmt", "mnuviewcode", "mnuErrMes", "mnuHelp"})
        m.trigger(entry);
    m.trigger("mnuclose");
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QVERIFY(!m.t.s.errorRecord.isOpen());
}

QTEST_MAIN(MainMenuTest)
#include "main_menu_test.moc"
