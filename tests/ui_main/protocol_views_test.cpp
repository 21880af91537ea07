// The protocol decode under the code and the Protocols window.
#include "../ui_windows/window_test_support.h"

#include "app/capture_tick.h"
#include "windows/main/form_generate.h"
#include "windows/main/form_main.h"
#include "windows/main/protocol_views.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

class ProtocolViewsTest : public QObject {
    Q_OBJECT
private slots:
    void aCaptureShowsItsProtocolUnderTheCode();
    void theProtocolsWindowSearchesAndShowsParameters();
    void theGenerateDialogSendsAProtocol();
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

QTEST_MAIN(ProtocolViewsTest)
#include "protocol_views_test.moc"
