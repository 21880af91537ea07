// The protocol decode under the code and the Protocols window.
#include "../ui_windows/window_test_support.h"

#include "app/capture_tick.h"
#include "app/protocol_table.h"
#include "windows/main/form_generate.h"
#include "windows/main/form_main.h"
#include "windows/main/protocol_views.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

class ProtocolViewsTest : public QObject {
    Q_OBJECT
private slots:
    void aCaptureShowsItsProtocolUnderTheCode();
    void theProtocolsWindowSearchesAndShowsParameters();
    void theGenerateDialogSendsAProtocol();
    void theUsersProtocolFilesJoinTheTableAndAreKept();
};

void ProtocolViewsTest::aCaptureShowsItsProtocolUnderTheCode() {
    qvtest::MainWindow m;
    auto* line = m.get<QLabel>("lProtocols");
    QVERIFY(line->text().isEmpty());
    m.port.receive(qvtest::necSample());
    qv::captureTick(m.s);
    // The NEC sample: address 0x00, command 0x12, each decode on its own line.
    const QStringList lines = line->text().split('\n');
    QVERIFY2(!lines.isEmpty() && lines.front().startsWith("NEC"), qPrintable(line->text()));
    QVERIFY2(lines.front().contains("D=0 ") && lines.front().contains("F=18"),
             qPrintable(line->text()));
}

void ProtocolViewsTest::theProtocolsWindowSearchesAndShowsParameters() {
    qvtest::MainWindow m;
    auto* w = m.w->findChild<qv::ProtocolsWindow*>("Form_protocols");
    QVERIFY(w && !w->isVisible());
    m.trigger("mnuProtocols");
    QVERIFY(w->isVisible());
    auto* list = w->findChild<QTreeWidget*>("lstProtocols");
    QVERIFY(list->topLevelItemCount() >= 200);
    w->findChild<QLineEdit*>("tSearch")->setText("rc5");
    QList<QTreeWidgetItem*> shown;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (!list->topLevelItem(i)->isHidden()) shown << list->topLevelItem(i);
    QVERIFY(!shown.isEmpty() && shown.size() < 20);
    for (auto* item : shown)
        QVERIFY(item->text(0).contains("rc5", Qt::CaseInsensitive) ||
                item->text(1).contains("rc5", Qt::CaseInsensitive));
    list->setCurrentItem(list->findItems("RC5", Qt::MatchFixedString).value(0));
    const QString detail = w->findChild<QPlainTextEdit*>("tProtocol")->toPlainText();
    QVERIFY2(detail.startsWith("RC5\n") && detail.contains("  D  0..31") &&
                 detail.contains("  F  0..127") && detail.contains("(kept between presses)"),
             qPrintable(detail));
}

// A protocol's press goes through the capture tick and decodes back to it;
// parameters out of range are refused by name.
void ProtocolViewsTest::theGenerateDialogSendsAProtocol() {
    qvtest::MainWindow m;
    qv::Form_generate g(m.s);
    auto* protocol = g.findChild<QComboBox*>("cGenProtocol");
    protocol->setCurrentIndex(protocol->findText("NEC1"));
    g.findChild<QLineEdit*>("tGenParams")->setText("D=7,F=300");
    QVERIFY(!g.generate());
    QVERIFY2(g.findChild<QLabel*>("lGenerateInfo")->text().contains("F"),
             qPrintable(g.findChild<QLabel*>("lGenerateInfo")->text()));
    g.findChild<QLineEdit*>("tGenParams")->setText("D=7,F=30");
    // With its repeat sent (one frame alone is NEC2's as much as NEC1's).
    g.findChild<QSpinBox*>("nGenRepeats")->setValue(1);
    QVERIFY(g.generate());
    const QString line = m.get<QLabel>("lProtocols")->text();
    QVERIFY2(line.startsWith("NEC1  D=7 S=248 F=30 +1 repeat"), qPrintable(line));
}

// A user's file adds a protocol and replaces a shipped one; it is kept in
// the list file for the next start; one that cannot be read is left out.
void ProtocolViewsTest::theUsersProtocolFilesJoinTheTableAndAreKept() {
    QTemporaryDir dir;
    const std::string list = dir.filePath("Protocol files.txt").toStdString();
    const QString user = dir.filePath("mine.tsv");
    QFile f(user);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("name\tirp\n"
            "Mine\t{38k,300}<1,-1|1,-3>(30,-10,F:8,1,-40m)[F:0..255]\n"
            "RC5\t{36k,msb,889}<1,-1|-1,1>(1,~F:1:6,T:1,D:5,F:6,^114m)[D:0..31,F:0..127,T:0..1]\n");
    f.close();
    QVERIFY(qv::keepProtocolFilesIn(list).empty());
    qvtest::MainWindow m;
    auto* w = m.w->findChild<qv::ProtocolsWindow*>("Form_protocols");
    auto* protocols = w->findChild<QTreeWidget*>("lstProtocols");
    auto* files = w->findChild<QListWidget*>("lstProtocolFiles");
    auto* said = w->findChild<QLabel*>("lProtocolFilesSaid");
    auto mine = [&] { return protocols->findItems("Mine", Qt::MatchFixedString).value(0); };
    QVERIFY(!mine());

    w->addProtocolFile(user);
    QVERIFY2(said->text().contains("RC5") && said->text().contains("replaced by"),
             qPrintable(said->text()));
    QVERIFY(mine() && mine()->text(2) == "mine.tsv" && files->count() == 1);
    QCOMPARE(qv::readProtocolFileList(list), std::vector<std::string>{user.toStdString()});
    {
        qv::Form_generate g(m.s);
        auto* protocol = g.findChild<QComboBox*>("cGenProtocol");
        protocol->setCurrentIndex(protocol->findText("Mine"));
        g.findChild<QLineEdit*>("tGenParams")->setText("F=77");
        QVERIFY(g.generate());
    }
    QVERIFY2(m.get<QLabel>("lProtocols")->text().startsWith("Mine  F=77"),
             qPrintable(m.get<QLabel>("lProtocols")->text()));

    w->addProtocolFile(dir.filePath("missing.tsv"));
    QVERIFY2(said->text().contains("missing.tsv"), qPrintable(said->text()));
    QCOMPARE(files->count(), 1);

    // The next start reads the list; removing the file takes its protocols out.
    QCOMPARE(qv::keepProtocolFilesIn(list).size(), 1u); // RC5 replaced again
    QVERIFY(qv::protocolTable().find("Mine"));
    w->removeProtocolFile(0);
    QVERIFY(!mine() && files->count() == 0 && !qv::protocolTable().find("Mine"));
    QVERIFY(qv::readProtocolFileList(list).empty());
    QVERIFY2(!m.get<QLabel>("lProtocols")->text().startsWith("Mine"),
             qPrintable(m.get<QLabel>("lProtocols")->text()));
    qv::keepProtocolFilesIn("");
}

QTEST_MAIN(ProtocolViewsTest)
#include "protocol_views_test.moc"
