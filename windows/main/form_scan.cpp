#include "windows/main/form_scan.h"

#include "app/session.h"

#include "app/main_state.h"

#include "app/format_selection.h"
#include "catalogue/format_menus.h"
#include "windows/main/capture_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace qv {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

// "HL" and "SE" have no menu entry a user can choose, so no row either.
bool choosable(const ScanResult& r) {
    const FormatMenuEntry* e = findFormatEntry(r.caption);
    return e && e->available;
}

enum Column { Rank, Format, Fit, Groups, Bits, Code, FirstError, Columns };

} // namespace

Form_scan::Form_scan(Session& session, QWidget* parent) : QDialog(parent), m_s(session) {
    setObjectName("Form_scan");
    setWindowTitle("Scan all formats");

    m_tblScan = new QTableWidget(0, Columns);
    m_tblScan->setObjectName("tblScan");
    m_tblScan->setHorizontalHeaderLabels(
        {"Rank", "Format", "Fit", "Groups", "Bits", "Code", "First error"});
    m_tblScan->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblScan->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblScan->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblScan->setWordWrap(false);
    m_tblScan->verticalHeader()->hide();
    m_tblScan->verticalHeader()->setDefaultSectionSize(22);
    m_tblScan->horizontalHeader()->setStretchLastSection(true);
    m_tblScan->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_tblScan, &QTableWidget::cellDoubleClicked, this, [this] { chooseCurrentRow(); });
    connect(m_tblScan, &QTableWidget::currentCellChanged, this, [this] { followCurrentRow(); });

    m_cLearn = new QCheckBox("Include the generic formats (&learning)");
    m_cLearn->setObjectName("cLearn");
    m_cTole = new QComboBox;
    m_cTole->setObjectName("cTole");
    for (int percent : {3, 5, 8})
        m_cTole->addItem(QString("%1%").arg(percent), percent);
    // Start at the tolerance menu the main window is at, if any.
    if (m_s.decoding.timeTolerance == 0.05f) m_cTole->setCurrentIndex(1);
    if (m_s.decoding.timeTolerance == 0.08f) m_cTole->setCurrentIndex(2);
    auto* toleCaption = new QLabel("&Time tolerance:");
    toleCaption->setBuddy(m_cTole);
    connect(m_cLearn, &QCheckBox::toggled, this, [this] { scan(); });
    connect(m_cTole, &QComboBox::activated, this, [this] { scan(); });

    m_lScanInfo = new QLabel;
    m_lScanInfo->setObjectName("lScanInfo");
    m_lScanInfo->setTextFormat(Qt::PlainText);

    m_bSelect = new QPushButton("&Select");
    m_bSelect->setObjectName("bSelect");
    m_bSelect->setDefault(true);
    m_bSelect->setEnabled(false);
    connect(m_bSelect, &QPushButton::clicked, this, &Form_scan::chooseCurrentRow);
    auto* close = new QPushButton("&Close");
    close->setObjectName("bClose");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* options = new QHBoxLayout;
    options->addWidget(m_cLearn);
    options->addSpacing(16);
    options->addWidget(toleCaption);
    options->addWidget(m_cTole);
    options->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_lScanInfo, 1);
    buttons->addWidget(m_bSelect);
    buttons->addWidget(close);
    auto* all = new QVBoxLayout(this);
    all->addLayout(options);
    all->addWidget(m_tblScan, 1);
    all->addLayout(buttons);
    resize(980, 560);
}

bool Form_scan::scan() {
    if (!hasCapture(m_s)) {
        m_s.message("There is no capture to scan yet.");
        return false;
    }
    ScanOptions options;
    options.learn = m_cLearn->isChecked();
    options.tolerancePercent = m_cTole->currentData().toInt();
    // The main window's "Demodulated capture" holds here too, with its settings.
    if (m_s.decoding.demod.on)
        options.settings.push_back(
            [settings = m_s.decoding.demod.settings](engine::DecodeSettings& d) {
                applyDemodSettings(d, settings);
            });
    setWindowTitle(m_s.decoding.demod.on ? "Scan all formats (demodulated capture)"
                                         : "Scan all formats");
    try {
        m_results = scanFormats(m_s.last.capture.message, m_s.format.cataloguePath, options);
    } catch (const std::exception& e) {
        m_s.message(e.what());
        return false;
    }

    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_tblScan->clearContents();
    m_tblScan->setRowCount(static_cast<int>(m_results.size()));
    int clean = 0, standIns = 0, learned = 0;
    for (int row = 0; row < static_cast<int>(m_results.size()); ++row) {
        const ScanResult& r = m_results[row];
        clean += r.clean && !r.standIn && !r.learned;
        standIns += r.clean && r.standIn && !r.learned;
        learned += r.clean && r.learned;
        std::string error = r.firstErrors.empty() ? std::string() : r.firstErrors.front();
        if (error.empty() && !r.messages.empty()) error = r.messages.front();
        const QString cells[Columns] = {QString::number(row + 1),
                                        qs(withoutAccessKeys(r.caption)),
                                        fitLabel(r),
                                        QString::number(r.groups),
                                        QString::number(r.bits),
                                        qs(firstLine(r.hex)),
                                        qs(error)};
        for (int col = 0; col < Columns; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (col == Rank || col == Groups || col == Bits)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (col == Code) item->setFont(mono);
            if (col == Fit && r.clean && r.standIn)
                item->setToolTip("A placeholder row that fits, not a format of its own");
            if (col == Fit && r.clean && r.learned)
                item->setToolTip("A generic row that learned the capture: it matches no format");
            if (!choosable(r))
                item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
            m_tblScan->setItem(row, col, item);
        }
    }
    m_tblScan->resizeColumnsToContents();
    m_tblScan->setColumnWidth(Format, std::min(m_tblScan->columnWidth(Format), 240));
    m_tblScan->setColumnWidth(Code, std::min(m_tblScan->columnWidth(Code), 220));
    if (!m_results.empty()) m_tblScan->setCurrentCell(0, Format);
    QString info = QString("%1 formats tried: %2 decode the capture without an error")
                       .arg(m_results.size())
                       .arg(clean);
    if (standIns > 0) info += QString(", and %1 placeholder rows that fit (clean*)").arg(standIns);
    if (learned > 0) info += QString(", and %1 generic rows that learned it").arg(learned);
    m_lScanInfo->setText(info + ".");
    followCurrentRow();
    return true;
}

void Form_scan::followCurrentRow() {
    const int row = m_tblScan->currentRow();
    m_bSelect->setEnabled(row >= 0 && row < static_cast<int>(m_results.size()) &&
                          choosable(m_results[row]));
}

void Form_scan::chooseCurrentRow() {
    const int row = m_tblScan->currentRow();
    if (row < 0 || row >= static_cast<int>(m_results.size()) || !choosable(m_results[row])) return;
    setIrtype(m_s, m_results[row].caption);
    emit formatChosen();
}

} // namespace qv
