// The error record viewer, the zoomed code view and the help window.
#include "app/capture_tick.h"
#include "windows/errorlog/form_help.h"
#include "windows/recording/secondary_windows.h"
#include "window_test_support.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

using qvtest::TestSession;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QPlainTextEdit* text1(qv::FormHelp& w) {
    return w.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
}
QPushButton* button(qv::FormHelp& w, const char* name) {
    return w.findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

class ErrorViewerTest : public QObject {
    Q_OBJECT
private slots:
    void viewShowsTheRecordLineByLine_data();
    void viewShowsTheRecordLineByLine();
    void clearLeavesOneEmptyLine();
    void escapeHidesButKeepsClearAndFile();
    void closeHidesClearAndClosesTheRecord();
    void eachViewKeepsWhatItsTitleSays();
    void helpOpensAtMainHelp();
    void missingHelpIsReportedInTheHelpWindow();
};

void ErrorViewerTest::viewShowsTheRecordLineByLine_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("model"); // the text the window holds
    QTest::addColumn<QString>("shown"); // what the text box displays
    QTest::newRow("three lines, each followed by a break")
        << QByteArray(
               "Group 1:The head's Osc time is error!\r\nThe head's Osc standard time:9000\r\n"
               "The head's Osc test time:8120\r\n")
        << "Group 1:The head's Osc time is error!\r\nThe head's Osc standard time:9000\r\n"
           "The head's Osc test time:8120\r\n"
        << "Group 1:The head's Osc time is error!\nThe head's Osc standard time:9000\n"
           "The head's Osc test time:8120\n";
    QTest::newRow("last line without a break still ends with one")
        << QByteArray("a\r\nb") << "a\r\nb\r\n"
        << "a\nb\n";
    QTest::newRow("missing record shows an empty view") << QByteArray() << ""
                                                        << "";
}

void ErrorViewerTest::viewShowsTheRecordLineByLine() {
    QFETCH(QByteArray, file);
    QFETCH(QString, model);
    QFETCH(QString, shown);
    TestSession t;
    if (!file.isEmpty()) writeFile(t.path(QStringLiteral("Error record.txt")), file);
    qv::FormHelp w(t.s);
    w.viewErrorMessage();
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Error Message Record"));
    QCOMPARE(QString::fromStdString(t.s.help.Text1), model);
    QCOMPARE(text1(w)->toPlainText(), shown);
    QCOMPARE(text1(w)->font().pointSize(), 8);
    QVERIFY(!text1(w)->font().bold());
    QVERIFY(button(w, "cClear")->isVisible());
    QVERIFY(t.s.messages.empty());
}

void ErrorViewerTest::clearLeavesOneEmptyLine() {
    TestSession t;
    writeFile(t.path(QStringLiteral("Error record.txt")), "one\r\ntwo\r\nthree\r\n");
    qv::FormHelp w(t.s);
    w.viewErrorMessage();
    QTest::mouseClick(button(w, "cClear"), Qt::LeftButton);
    QCOMPARE(text1(w)->toPlainText(), QString());
    t.s.errorRecord.close();
    QCOMPARE(qvtest::fileBytes(t.path(QStringLiteral("Error record.txt"))), QByteArray("\r\n"));
    w.viewErrorMessage();
    QCOMPARE(QString::fromStdString(t.s.help.Text1), QStringLiteral("\r\n"));
}

void ErrorViewerTest::escapeHidesButKeepsClearAndFile() {
    TestSession t;
    writeFile(t.path(QStringLiteral("Error record.txt")), "x\r\n");
    qv::FormHelp w(t.s);
    w.viewErrorMessage();
    QTest::keyClick(text1(w), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QVERIFY(t.s.errorRecord.isOpen());
    // The zoom view shows no record, so it offers no "&Clear".
    w.viewZoomCode();
    QVERIFY(w.isVisible());
    QVERIFY(button(w, "cClear")->isHidden());
    QTest::keyClick(button(w, "Command1"), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

void ErrorViewerTest::closeHidesClearAndClosesTheRecord() {
    TestSession t;
    writeFile(t.path(QStringLiteral("Error record.txt")), "x\r\n");
    qv::FormHelp w(t.s);
    w.viewErrorMessage();
    QVERIFY(t.s.errorRecord.isOpen());
    QTest::mouseClick(button(w, "Command1"), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(!t.s.errorRecord.isOpen());
    w.viewZoomCode();
    QVERIFY(button(w, "cClear")->isHidden());
}

// Regression: the next capture replaced the record under its title, and
// the large code ran off the right edge.
void ErrorViewerTest::eachViewKeepsWhatItsTitleSays() {
    TestSession t;
    writeFile(t.path(QStringLiteral("Error record.txt")), "x\r\n");
    qv::MemoryPort port;
    port.open(1);
    t.s.port = &port;
    auto capture = [&] {
        port.receive(qvtest::necSample());
        qv::captureTick(t.s);
    };
    qv::FormHelp w(t.s);
    w.resize(560, 380);
    w.viewErrorMessage();
    capture();
    QCOMPARE(w.windowTitle(), QStringLiteral("Error Message Record"));
    QCOMPARE(text1(w)->toPlainText(), QStringLiteral("x\n"));
    QVERIFY(button(w, "cClear")->isVisible());

    w.viewZoomCode();
    const QString code =
        QStringLiteral("00000000 11111111 01001000 10110111 \n\n00 FF 12 ED \n\n\n");
    QCOMPARE(w.windowTitle(), QStringLiteral("Zoom in IR code"));
    QCOMPARE(text1(w)->toPlainText(), code);
    QCOMPARE(text1(w)->font().pointSize(), 24);
    QVERIFY(text1(w)->font().bold());
    QVERIFY(button(w, "cClear")->isHidden());
    QCOMPARE(text1(w)->horizontalScrollBar()->maximum(), 0);
    t.s.optOct = true;
    capture(); // the zoomed code follows the captures
    QVERIFY(text1(w)->toPlainText().contains(QStringLiteral("\n00 255 18 237 \n")));

    w.viewErrorMessage();
    QCOMPARE(text1(w)->font().pointSize(), 8);
    QVERIFY(!text1(w)->font().bold());
    QCOMPARE(text1(w)->toPlainText(), QStringLiteral("x\n"));
}

void ErrorViewerTest::helpOpensAtMainHelp() {
    TestSession t;
    qv::SecondaryWindows windows(t.s, nullptr, t.path(QStringLiteral("IR_CODE_DB.db")),
                                 QStringLiteral(QV_SOURCE_DIR "/windows/errorlog/help.html"));
    windows.showHelp();
    qv::HelpTopicWindow* help = windows.helpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->browser()->source().fragment(), QStringLiteral("Main_help"));
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Recording codes")));
    // Escape and the Close button both close it.
    QTest::keyClick(help->browser(), Qt::Key_Escape);
    QVERIFY(!help->isVisible());
    windows.showHelp();
    QVERIFY(help->isVisible());
    QTest::mouseClick(help->findChild<QPushButton*>(QStringLiteral("cmdHelpClose")),
                      Qt::LeftButton);
    QVERIFY(!help->isVisible());
}

void ErrorViewerTest::missingHelpIsReportedInTheHelpWindow() {
    TestSession t;
    qv::SecondaryWindows windows(t.s, nullptr, t.path(QStringLiteral("IR_CODE_DB.db")),
                                 t.path(QStringLiteral("no-help.html")));
    windows.showHelp();
    QVERIFY(windows.helpWindow()->browser()->toPlainText().contains(QStringLiteral("not found")));
}

QTEST_MAIN(ErrorViewerTest)
#include "error_viewer_test.moc"
