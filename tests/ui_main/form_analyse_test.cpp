// IRMenu "Analyse...": the captures of this run and files of named signals
// analysed in the window.
#include "../ui_windows/window_test_support.h"
#include "windows/main/form_analyse.h"

#include <QLabel>
#include <QPlainTextEdit>

using namespace qv;
using Window = qvtest::MainWindow;

namespace {

QStringList column(const QTableWidget* t, int col) {
    QStringList out;
    for (int r = 0; r < t->rowCount(); ++r)
        out << (t->item(r, col) ? t->item(r, col)->text() : QString());
    return out;
}

} // namespace

class FormAnalyseTest : public QObject {
    Q_OBJECT

private slots:
    void theCapturesOfThisRunAreAnalysed();
    void aFileOfNamedSignalsIsAnalysedAndABadOneSaysWhy();
    void pressesOfAnotherShapeAreAStructureOfTheirOwn();
};

void FormAnalyseTest::theCapturesOfThisRunAreAnalysed() {
    Window win;
    QVERIFY(win.w->openCapture(qvtest::kNecSample));
    win.trigger("mnuAnalyse");
    auto* form = win.w->findChild<Form_analyse*>();
    QVERIFY(form && form->isVisible());
    const QString summary = form->findChild<QLabel*>("lAnalysisSummary")->text();
    QVERIFY2(summary.startsWith("1 press(es): pulse-distance, unit 56") &&
                 summary.contains("32 bits") && summary.contains("1 of 1 render back"),
             qPrintable(summary));
    QVERIFY(form->findChild<QPlainTextEdit*>("txtAnalysisIrp")
                ->toPlainText()
                .contains("D:8,~D:8,F:8,~F:8"));
    auto* presses = form->findChild<QTableWidget*>("tblAnalysisPresses");
    QCOMPARE(presses->rowCount(), 1);
    QCOMPARE(column(presses, 1), QStringList{"0x0"});
    QCOMPARE(column(presses, 3), QStringList{"0x12"});
    QVERIFY(column(presses, 5).front().startsWith("yes"));

    // Picked, the press is shown with the analysis drawn as a decode is:
    // the lead-in, a bit over each gap, a bracket under each field.
    const size_t logged = win.s.pressLog.size();
    presses->setCurrentCell(0, 0);
    QCOMPARE(win.s.pressLog.size(), logged);
    const DecodeMarks& d = win.s.last.marks;
    QCOMPARE(d.parts.size(), size_t(4));
    QCOMPARE(QString::fromStdString(d.parts[2].value), QString("0x12"));
    QVERIFY(d.marks.size() >= 67);
    QCOMPARE(d.marks[0].kind, MarkKind::HeadBurst);
    QCOMPARE(d.marks[1].kind, MarkKind::HeadGap);
    QString command;
    for (const DecodeMark& m : d.marks)
        if (m.part == 2) command += QString::fromStdString(m.bits);
    QCOMPARE(command, QString("01001000")); // 0x12 as sent, low bit first
    QCOMPARE(d.marks[3].bits, std::string("0"));
    QVERIFY(d.marks[2].bits.empty());
}

void FormAnalyseTest::aFileOfNamedSignalsIsAnalysedAndABadOneSaysWhy() {
    Form_analyse form;
    QVERIFY(form.openFile(qvtest::kSource + "/tests/data/exchange/remote-nec.ir"));
    auto* fields = form.findChild<QTableWidget*>("tblAnalysisFields");
    QCOMPARE(column(fields, 1), (QStringList{"address", "check", "command", "check"}));
    QCOMPARE(column(fields, 2), (QStringList{"0..7", "8..15", "16..23", "24..31"}));
    QCOMPARE(column(fields, 3), (QStringList{"", "C=~D:8", "", "C2=~F:8"}));
    auto* presses = form.findChild<QTableWidget*>("tblAnalysisPresses");
    QCOMPARE(column(presses, 0), (QStringList{"Power", "Mute"}));
    QCOMPARE(column(presses, 3), (QStringList{"0x8", "0x9"}));
    for (const QString& back : column(presses, 5))
        QVERIFY(back.startsWith("yes"));

    qvtest::TestSession dir;
    const QString junk = qvtest::writeFile(dir.path("junk.txt"), "not a capture\n");
    QVERIFY(!form.openFile(junk));
    QCOMPARE(presses->rowCount(), 0);
    QVERIFY(!form.findChild<QLabel*>("lAnalysisSummary")->text().isEmpty());
    QVERIFY(form.result().irp.empty());
}

// NEC presses and, first, a press of another shape: each press's values
// stand in its own row, and the odd press is its own structure's.
void FormAnalyseTest::pressesOfAnotherShapeAreAStructureOfTheirOwn() {
    auto raw = [](const QString& bits, int lead, int one) {
        QStringList t{QString::number(lead), QString::number(lead / 2)};
        for (QChar b : bits)
            t << "560" << (b == '1' ? QString::number(one) : "560");
        return t.join(' ') + " 560";
    };
    auto signal = [](const QString& name, const QString& data) {
        return "name: " + name + "\ntype: raw\nfrequency: 38000\nduty_cycle: 0.33\ndata: " + data +
               "\n#\n";
    };
    const QString nec = "00000000111111110%1";
    QString text = "Filetype: IR signals file\nVersion: 1\n#\n";
    text += signal("Odd", raw("101100111000", 2400, 1200));
    text += signal("Power", raw(nec.arg("0001000111011110"), 9000, 1690));
    text += signal("Mute", raw(nec.arg("1001000011011110"), 9000, 1690));
    text += signal("Up", raw(nec.arg("0101000101011110"), 9000, 1690));
    qvtest::TestSession dir;
    Form_analyse form(nullptr, &dir.s);
    QVERIFY(form.openFile(qvtest::writeFile(dir.path("two-shapes.ir"), text.toUtf8())));
    auto* presses = form.findChild<QTableWidget*>("tblAnalysisPresses");
    QCOMPARE(column(presses, 0), (QStringList{"Odd", "Power", "Mute", "Up"}));
    const QStringList back = column(presses, presses->columnCount() - 1);
    QVERIFY2(back[0].startsWith("by another structure"), qPrintable(back[0]));
    const QString irp = form.findChild<QPlainTextEdit*>("txtAnalysisIrp")->toPlainText();
    QVERIFY2(irp.contains("Another structure, 1 press(es) (Odd)"), qPrintable(irp));
    // The command's column: no value for the odd press, one for each other.
    const auto& r = form.result();
    int command = -1;
    for (size_t f = 0; f < r.fields.size(); ++f)
        if (r.fields[f].role == analysis::Field::Command) command = int(f) + 1;
    QVERIFY(command > 0);
    const QStringList commands = column(presses, command);
    QVERIFY(commands[0].isEmpty());
    QVERIFY(!commands[1].isEmpty() && !commands[3].isEmpty() && commands[1] != commands[3]);

    // Shown on the waveform, each press carries its own structure's fields
    // and its own values.
    auto bitsDrawn = [&] {
        QString drawn;
        for (const DecodeMark& m : dir.s.last.marks.marks)
            drawn += QString::fromStdString(m.bits);
        return drawn;
    };
    presses->setCurrentCell(0, 0);
    QCOMPARE(bitsDrawn(), QString("101100111000"));
    presses->setCurrentCell(3, 0);
    QCOMPARE(bitsDrawn(), nec.arg("0101000101011110"));
    const DecodeMarks& d = dir.s.last.marks;
    // Over its own times: each bit over the gap that tells it.
    for (const DecodeMark& m : d.marks)
        if (!m.bits.empty()) QCOMPARE(m.durationUs, m.bits == "1" ? 1690.0 : 560.0);
    QCOMPARE(QString::fromStdString(d.parts.at(size_t(command - 1)).value), commands[3]);
}

QTEST_MAIN(FormAnalyseTest)
#include "form_analyse_test.moc"
