#include "windows/main/form_analyse.h"

#include "app/analysed_protocol.h"
#include "app/analysis_marks.h"
#include "app/capture_tick.h"
#include "app/format_editor.h"
#include "app/format_selection.h"
#include "app/protocol_table.h"
#include "app/session.h"
#include "capture/capture_reader.h"
#include "waveform/waveform.h"

#include "windows/main/analyse_file.h"
#include "windows/main/press_log_dock.h"

#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace qv {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString hex(uint64_t v) {
    return QString("0x%1").arg(v, 0, 16).toUpper().replace("0X", "0x");
}

QTableWidget* table(const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(0, int(headers.size()));
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headers);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    // Rows a line high: a long frame's fields and a remote's presses show
    // many at once.
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void put(QTableWidget* t, int row, int col, const QString& text) {
    t->setItem(row, col, new QTableWidgetItem(text));
}

} // namespace

Form_analyse::Form_analyse(QWidget* parent, Session* session)
    : QDialog(parent), m_session(session) {
    setObjectName("Form_analyse");
    setWindowTitle("Analyse");
    m_lSummary = new QLabel("No presses analysed yet.");
    m_lSummary->setObjectName("lAnalysisSummary");
    m_lSummary->setWordWrap(true);
    m_lSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_txtIrp = new QPlainTextEdit;
    m_txtIrp->setObjectName("txtAnalysisIrp");
    m_txtIrp->setReadOnly(true);
    m_txtIrp->setMaximumHeight(80);
    m_tblFields = table("tblAnalysisFields", {"Field", "Role", "Bits", "Check"});
    m_tblPresses = table("tblAnalysisPresses", {"Press", "Renders back"});
    m_tblPresses->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(m_tblPresses, &QTableWidget::currentCellChanged, this,
            [this](int row) { showPress(row); });
    auto* open = new QPushButton("Open file...");
    open->setObjectName("bAnalyseFile");
    connect(open, &QPushButton::clicked, this, &Form_analyse::chooseFile);
    m_bSave = new QPushButton("Save as format...");
    m_bSave->setObjectName("bAnalyseSave");
    connect(m_bSave, &QPushButton::clicked, this, &Form_analyse::chooseSlot);
    m_bProtocolFile = new QPushButton("Add to protocol file...");
    m_bProtocolFile->setObjectName("bAnalyseProtocolFile");
    connect(m_bProtocolFile, &QPushButton::clicked, this, &Form_analyse::chooseProtocolFile);
    m_lStatus = new QLabel;
    m_lStatus->setObjectName("lAnalysisStatus");
    m_lStatus->setWordWrap(true);
    m_lStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QPushButton("Close");
    close->setObjectName("bAnalyseClose");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addWidget(m_bSave);
    buttons->addWidget(m_bProtocolFile);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addWidget(m_lSummary);
    v->addWidget(new QLabel("IRP:"));
    v->addWidget(m_txtIrp);
    v->addWidget(m_tblFields, 1);
    v->addWidget(m_tblPresses, 1);
    v->addWidget(m_lStatus);
    v->addLayout(buttons);
    resize(720, 560);
    m_bSave->setEnabled(false);
    m_bProtocolFile->setEnabled(false);
}

void Form_analyse::setPresses(const std::vector<analysis::Press>& presses) {
    m_presses = presses;
    m_file.clear();
    m_result = presses.empty() ? analysis::Result() : analysis::analyse(presses);
    m_lStatus->clear();
    m_bSave->setEnabled(m_session && !m_result.irp.empty());
    m_bProtocolFile->setEnabled(!m_result.irp.empty());
    m_tblFields->setRowCount(0);
    m_tblPresses->setRowCount(0);
    QString irp = qs(m_result.irp);
    for (const auto& other : m_result.others) {
        QStringList names;
        for (const auto& p : other.presses)
            names << qs(p.name);
        irp += QString("\n\nAnother structure, %1 press(es) (%2):\n")
                   .arg(other.presses.size())
                   .arg(names.join(", ")) +
               qs(other.irp);
    }
    m_txtIrp->setPlainText(irp);
    if (presses.empty()) {
        m_lSummary->setText("There are no presses with times to analyse.");
        return;
    }
    const analysis::Result& r = m_result;
    int back = 0;
    for (const auto& p : r.presses)
        back += p.rendersBack;
    QString summary =
        QString("%1 press(es): %2, unit %3 µs, %4 bits%5, %6 of %7 render back.")
            .arg(presses.size())
            .arg(analysis::codingName(r.coding))
            .arg(r.unit, 0, 'f', 0)
            .arg(r.bits())
            .arg(r.carrierHz > 0 ? QString(", carrier %1 kHz").arg(r.carrierHz / 1000, 0, 'f', 1)
                                 : QString())
            .arg(back)
            .arg(r.presses.size());
    for (const auto& n : r.notes)
        summary += "\n" + qs(n);
    m_lSummary->setText(summary);

    m_tblFields->setRowCount(int(r.fields.size()));
    for (size_t i = 0; i < r.fields.size(); ++i) {
        const analysis::Field& f = r.fields[i];
        put(m_tblFields, int(i), 0, qs(f.name));
        put(m_tblFields, int(i), 1, analysis::roleName(f.role));
        put(m_tblFields, int(i), 2, QString("%1..%2").arg(f.first).arg(f.first + f.length - 1));
        put(m_tblFields, int(i), 3,
            f.rule == analysis::Field::None ? QString() : qs(analysis::checkText(r, f)));
    }
    // One column per field: its value in every press.
    QStringList headers{"Press"};
    for (const auto& f : r.fields)
        headers << qs(f.name);
    headers << "Renders back";
    m_tblPresses->setColumnCount(int(headers.size()));
    m_tblPresses->setHorizontalHeaderLabels(headers);
    m_tblPresses->setRowCount(int(r.presses.size()));
    // A field holds a value for each press of the fitted shape only.
    size_t fitting = 0;
    for (size_t i = 0; i < r.presses.size(); ++i) {
        const analysis::PressResult& p = r.presses[i];
        put(m_tblPresses, int(i), 0, qs(p.name));
        for (size_t f = 0; f < r.fields.size() && p.fits; ++f)
            if (fitting < r.fields[f].values.size())
                put(m_tblPresses, int(i), int(f) + 1, hex(r.fields[f].values[fitting]));
        fitting += p.fits;
        // A press of another shape, rendered by its own structure's IRP.
        const analysis::PressResult* own = nullptr;
        for (const auto& other : r.others)
            for (const auto& op : other.presses)
                if (!p.fits && op.name == p.name && op.fits) own = &op;
        put(m_tblPresses, int(i), int(headers.size()) - 1,
            p.rendersBack ? QString("yes (worst %1 µs)").arg(p.worstError, 0, 'f', 0)
            : p.fits      ? QString("no (worst %1 µs)").arg(p.worstError, 0, 'f', 0)
            : own && own->rendersBack
                ? QString("by another structure (worst %1 µs)").arg(own->worstError, 0, 'f', 0)
                : QString("no: not of the fitted shape"));
    }
    m_tblPresses->resizeColumnsToContents();
}

void Form_analyse::showPress(int row) {
    if (!m_session || row < 0 || static_cast<size_t>(row) >= m_result.presses.size()) return;
    const size_t input = m_result.presses[static_cast<size_t>(row)].input;
    if (input >= m_presses.size()) return;
    const analysis::Press& press = m_presses[input];
    Session& s = *m_session;
    // Shown, not captured again: the run's list keeps its entries.
    const bool logs = s.out.logsPresses;
    s.out.logsPresses = false;
    const bool shown =
        captureTick(s, captureOf(captureFromTimes(press.name, press.times),
                                 {CaptureSource::Kind::Text, "analysed press", press.name}));
    s.out.logsPresses = logs;
    if (!shown) return;
    s.last.marks = analysisMarks(m_result, static_cast<size_t>(row), press.times);
    s.wave.selectedMark = -1;
    drawWaveform(s);
    s.changed();
}

bool Form_analyse::openFile(const QString& path) {
    const std::string file = path.toStdString();
    std::vector<analysis::Press> presses;
    try {
        presses = pressesOfFile(file);
    } catch (const std::exception& e) {
        setPresses({});
        m_lSummary->setText(qs(e.what()));
        return false;
    }
    setPresses(presses);
    m_file = path;
    if (presses.empty()) m_lSummary->setText(path + ": no raw signal with times to analyse.");
    return !presses.empty();
}

void Form_analyse::chooseFile() {
    const QString path = QFileDialog::getOpenFileName(this, "Analyse captures");
    if (!path.isEmpty()) openFile(path);
}

void Form_analyse::say(const QString& text) {
    m_lStatus->setText(text);
}

bool Form_analyse::saveAsFormat(const QString& slot) {
    if (!m_session || m_result.irp.empty()) {
        say(m_session ? "There is no analysis to save." : "There is no catalogue to save into.");
        return false;
    }
    const std::string source = m_file.isEmpty() ? "captures of this run" : m_file.toStdString();
    const SavedFormat saved =
        saveAnalysedFormat(m_result, slot.toStdString(), source, m_session->format.cataloguePath);
    if (saved.outcome != SavedFormat::Saved) {
        say(qs(saved.line));
        return false;
    }
    // The session's cursor holds the rows read before the save: selecting
    // the slot reads them again, as the format editor's save leaves CurFormat
    // on the row it wrote.
    setIrtype(*m_session, slot.toStdString());
    say(qs(saved.line) + "\n" + slot + " is now the selected format.");
    return true;
}

void Form_analyse::chooseSlot() {
    QStringList choices;
    for (const std::string& slot : userSlots())
        choices << qs(slot);
    bool ok = false;
    const QString slot = QInputDialog::getItem(
        this, "Save as format", "User format to write the analysed protocol into:", choices, 0,
        false, &ok);
    if (ok) saveAsFormat(slot);
}

bool Form_analyse::addToProtocolFile(const QString& path) {
    if (m_result.irp.empty()) {
        say("There is no analysis to add.");
        return false;
    }
    // Captures of this run have no file to be named after: the time names them.
    const std::string name =
        m_file.isEmpty()
            ? "analysed-run-" +
                  QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString()
            : analysedProtocolName(m_file.toStdString());
    if (!appendProtocol(path.toStdString(), name, m_result.irp)) {
        say(path + ": cannot be written");
        return false;
    }
    say("protocol " + qs(name) + " added to " + path);
    // A file the window's protocol table reads takes the protocol in at once.
    const std::vector<std::string> used = protocolFiles();
    if (std::find(used.begin(), used.end(), path.toStdString()) != used.end()) {
        useProtocolFiles(used);
        if (m_session) m_session->changed();
    }
    return true;
}

void Form_analyse::chooseProtocolFile() {
    // Appended to, not replaced: an existing file is no overwrite to confirm.
    const QString path = QFileDialog::getSaveFileName(this, "Add to protocol file", QString(),
                                                      "Protocol files (*.tsv);;All files (*)",
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty()) addToProtocolFile(path);
}

std::vector<analysis::Press> analysedPresses(const Session& s, const std::vector<size_t>& picked) {
    std::vector<analysis::Press> out;
    for (size_t i : picked) {
        if (i >= s.pressLog.size() || s.pressLog[i].capture.times.empty()) continue;
        const LoggedPress& l = s.pressLog[i];
        out.push_back({l.capture.times, l.capture.carrierHz(),
                       l.time + " " + l.caption + " " + l.record.code});
    }
    return out;
}

void addAnalyseMenu(QMenu* menu, Session& s, PressLogDock* dock) {
    QAction* before = nullptr;
    for (QAction* a : menu->actions())
        if (a->objectName() == "mumconnect") before = a;
    auto* a = new QAction("A&nalyse...", menu);
    a->setObjectName("mnuAnalyse");
    menu->insertAction(before, a);
    QObject::connect(a, &QAction::triggered, dock, [&s, dock] {
        auto* window = dock->findChild<Form_analyse*>();
        if (!window) window = new Form_analyse(dock, &s);
        window->setPresses(analysedPresses(s, dock->picked()));
        window->show();
        window->raise();
    });
}

} // namespace qv
