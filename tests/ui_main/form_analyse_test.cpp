// IRMenu "Analyse...": the captures of this run and files of named signals
// analysed in the window.
#include "../ui_windows/window_test_support.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "app/protocol_table.h"
#include "irp/irp.h"
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

QString remote(const char* name) {
    return qvtest::kSource + "/tests/data/exchange/remotes/" + name;
}

const char* const kNec = "LED_Lighting__Nexillumi__Nexillumi_LED.ir";
const char* const kSumChecked = "ACs__Tropic__Tropic_AC.ir";

QString status(const Form_analyse& form) {
    return form.findChild<QLabel*>("lAnalysisStatus")->text();
}

bool enabled(const Form_analyse& form, const char* button) {
    return form.findChild<QPushButton*>(button)->isEnabled();
}

} // namespace

class FormAnalyseTest : public QObject {
    Q_OBJECT

private slots:
    void theCapturesOfThisRunAreAnalysed();
    void aFileOfNamedSignalsIsAnalysedAndABadOneSaysWhy();
    void pressesOfAnotherShapeAreAStructureOfTheirOwn();
    void aUserSlotTakesWhatARowHoldsAndDecodesWithIt();
    void theProtocolIsAddedToAProtocolFileThatLoads();
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

    // A receiver's glitch inside a burst is marked as analysed: part of it.
    QFile in(qvtest::kSource + "/tests/data/real/ir-00e496346b.txt");
    QVERIFY(in.open(QIODevice::ReadOnly));
    QStringList times = QString(in.readAll()).split(' ', Qt::SkipEmptyParts);
    const int burst = times[10].toInt();
    times[10] = QString::number(burst / 2);
    times.insert(11, "30");
    times.insert(12, QString::number(burst - burst / 2 - 30));
    const QString glitched = win.path("glitched.txt");
    QFile out(glitched);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(times.join(' ').toLatin1()) > 0);
    out.close();
    form->openFile(glitched);
    presses->setCurrentCell(0, 0);
    command.clear();
    for (const DecodeMark& m : win.s.last.marks.marks)
        if (m.part == 1) command += QString::fromStdString(m.bits);
    QCOMPARE(command, QString("11001001")); // JVC's F=147
    QCOMPARE(win.s.last.marks.marks.at(10).durationUs, double(burst));
}

void FormAnalyseTest::aFileOfNamedSignalsIsAnalysedAndABadOneSaysWhy() {
    Form_analyse form;
    QVERIFY(form.openFile(qvtest::kSource + "/tests/data/exchange/remote-nec.ir"));
    QVERIFY(!enabled(form, "bAnalyseSave")); // no session, no catalogue
    QVERIFY(enabled(form, "bAnalyseProtocolFile"));
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
    QVERIFY(!enabled(form, "bAnalyseProtocolFile"));
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

// A refused save leaves the slot as it was; a saved one is the selected
// format and decodes the presses it was analysed from.
void FormAnalyseTest::aUserSlotTakesWhatARowHoldsAndDecodesWithIt() {
    struct Case {
        const char* remote;
        const char* slot;
        QString line;
    };
    const Case cases[] = {
        {kSumChecked, "Form156",
         "Form156 not saved: no row field holds the check C=#D+#F+1 (a row computes no such "
         "check)"},
        {kNec, "Form150", "Form150 is not a user format; only Form155 to Form160 can be written"},
        {kNec, "Form155", "Form155 saved: H,C,~C,D,~D,B0,X,H2,B0,X"},
    };
    qvtest::TestSession dir;
    setIrtype(dir.s, "Form155"); // its rows are read before the save
    for (const Case& c : cases) {
        Form_analyse form(nullptr, &dir.s);
        QVERIFY(!enabled(form, "bAnalyseSave"));
        QVERIFY(form.openFile(remote(c.remote)));
        QVERIFY(enabled(form, "bAnalyseSave"));
        const std::string row =
            std::string("SELECT Remark, stru FROM Type WHERE Format = '") + c.slot + "'";
        const auto before = qvtest::query(dir.catalogue(), row);
        const bool saved = c.line.startsWith(QString(c.slot) + " saved: ");
        QCOMPARE(form.saveAsFormat(c.slot), saved);
        QVERIFY2(status(form).startsWith(c.line), qPrintable(status(form)));
        const auto after = qvtest::query(dir.catalogue(), row);
        if (!saved) {
            QVERIFY(after == before);
            continue;
        }
        QCOMPARE(QString::fromStdString(after.at(0).at(0)), "analysed from " + remote(c.remote));
        QCOMPARE(dir.s.format.name, std::string(c.slot));
        QCOMPARE(dir.s.format.cursor->field("Remark").toText(), after[0][0]);
        setDemodulated(dir.s, true); // the remote was captured through a receiver
        form.showPress(0);
        QVERIFY(dir.s.last.decode.errors.empty());
        const uint64_t command = form.result().presses[0].params.back().second;
        QVERIFY2(QString::fromStdString(dir.s.last.decode.hex)
                     .contains(QString("%1").arg(command, 2, 16, QChar('0')).toUpper()),
                 dir.s.last.decode.hex.c_str());
    }
}

// Two remotes into a new file: one header, and each protocol loads and
// renders as its IRP does; a folder that is not there is said so.
void FormAnalyseTest::theProtocolIsAddedToAProtocolFileThatLoads() {
    qvtest::TestSession dir;
    const QString file = dir.path("mine.tsv");
    struct Case {
        const char* remote;
        QString path;
    };
    std::vector<std::pair<QString, analysis::Result>> added;
    for (const Case& c :
         {Case{kNec, file}, Case{kSumChecked, file}, Case{kNec, dir.path("none/mine.tsv")}}) {
        Form_analyse form;
        QVERIFY(form.openFile(remote(c.remote)));
        const bool written = form.addToProtocolFile(c.path);
        QCOMPARE(written, c.path == file);
        const QString name = "analysed-" + QFileInfo(c.remote).completeBaseName();
        QCOMPARE(status(form), written ? "protocol " + name + " added to " + c.path
                                       : c.path + ": cannot be written");
        if (written) added.emplace_back(name, form.result());
    }
    const QStringList lines = QString(qvtest::fileBytes(file)).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith("name\tirp\t"));
    irp::ProtocolTable table;
    const irp::LoadReport report = table.addFile(file.toStdString());
    QVERIFY(report.errors.empty());
    QCOMPARE(report.added, size_t(2));
    for (const auto& [name, result] : added) {
        const auto* p = table.find(name.toStdString());
        QVERIFY(p);
        irp::Params params;
        for (const auto& [param, value] : result.presses[0].params)
            params.set(param, int64_t(value));
        const auto press = irp::render(*p, params).press();
        QVERIFY(!press.empty());
        QCOMPARE(press, irp::render(irp::parse(result.irp), params).press());
    }
    // A file the window's table reads takes the protocol in at once.
    qv::useProtocolFiles({file.toStdString()});
    Form_analyse form;
    QVERIFY(form.openFile(remote("Toys__Brio__BRIO_WORLD_IR102_Train_ChB.ir")));
    QVERIFY(!qv::protocolTable().find("analysed-Toys__Brio__BRIO_WORLD_IR102_Train_ChB"));
    QVERIFY(form.addToProtocolFile(file));
    QVERIFY(qv::protocolTable().find("analysed-Toys__Brio__BRIO_WORLD_IR102_Train_ChB"));
    qv::useProtocolFiles({});
}

QTEST_MAIN(FormAnalyseTest)
#include "form_analyse_test.moc"
