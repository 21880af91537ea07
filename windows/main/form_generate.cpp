#include "windows/main/form_generate.h"

#include "app/format_selection.h"
#include "app/generate_capture.h"
#include "catalogue/format_menus.h"
#include "waveform/waveform.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace qv {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

Form_generate::Form_generate(Session& session, QWidget* parent) : QDialog(parent), m_s(session) {
    setObjectName("Form_generate");
    setWindowTitle("Generate capture");
    m_cFormat = new QComboBox;
    m_cFormat->setObjectName("cGenFormat");
    for (const FormatMenuEntry& e : formatMenuEntries())
        if (e.available) m_cFormat->addItem(qs(withoutAccessKeys(e.caption)), qs(e.caption));
    const int current = m_cFormat->findData(qs(m_s.irtype));
    if (current >= 0) m_cFormat->setCurrentIndex(current);
    m_tCode = new QLineEdit("00 FF 12 ED");
    m_tCode->setObjectName("tGenCode");
    m_cCodeKind = new QComboBox;
    m_cCodeKind->setObjectName("cGenCodeKind");
    m_cCodeKind->addItems({"hexadecimal line", "binary line"});
    m_nRepeats = new QSpinBox;
    m_nRepeats->setObjectName("nGenRepeats");
    m_nRepeats->setRange(0, 50);
    m_tDistort = new QLineEdit;
    m_tDistort->setObjectName("tGenDistort");
    m_tDistort->setPlaceholderText("e.g. jitter=3,excess=80,step=50,seed=7");
    m_lGenerateInfo = new QLabel;
    m_lGenerateInfo->setObjectName("lGenerateInfo");
    m_lGenerateInfo->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow("Format:", m_cFormat);
    form->addRow("Code:", m_tCode);
    form->addRow("Code as:", m_cCodeKind);
    form->addRow("Repeats:", m_nRepeats);
    form->addRow("Distortion:", m_tDistort);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("Generate");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (generate()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QPushButton* sendButton = buttons->addButton("Send", QDialogButtonBox::ActionRole);
    sendButton->setObjectName("bGenSend");
    sendButton->setToolTip("Send the code through the LIRC device connected in the port list");
    connect(sendButton, &QPushButton::clicked, this, &Form_generate::send);
    auto* v = new QVBoxLayout(this);
    v->addLayout(form);
    v->addWidget(m_lGenerateInfo);
    v->addWidget(buttons);
}

std::optional<engine::GeneratedSignal> Form_generate::makeSignal(const FormatMenuEntry*& entry) {
    engine::GenerateRequest request;
    request.code = m_tCode->text().toStdString();
    request.binary = m_cCodeKind->currentIndex() == 1;
    request.repeats = m_nRepeats->value();
    std::string why;
    if (!parseDistortion(m_tDistort->text().toStdString(), request, why)) {
        m_lGenerateInfo->setText(qs(why));
        return std::nullopt;
    }
    const std::string caption = m_cFormat->currentData().toString().toStdString();
    entry = findFormatEntry(caption);
    if (!entry) {
        m_lGenerateInfo->setText("Choose a format.");
        return std::nullopt;
    }
    try {
        return engine::generateSignal(catalogueRow(m_s.cataloguePath, entry->key()), request);
    } catch (const std::exception& e) {
        m_lGenerateInfo->setText(QString("Cannot generate: %1").arg(qs(e.what())));
        return std::nullopt;
    }
}

bool Form_generate::send() {
    if (!m_s.port) return false;
    if (const std::string why = m_s.port->sendRefusal(); !why.empty()) {
        m_lGenerateInfo->setText(qs(why));
        return false;
    }
    const FormatMenuEntry* entry = nullptr;
    const auto signal = makeSignal(entry);
    if (!signal) return false;
    const auto hz = static_cast<uint32_t>(
        signal->carrierPeriodUs > 0 ? std::lround(1e6 / signal->carrierPeriodUs) : 0);
    std::string why;
    if (!m_s.port->send(signal->capture.times, hz, why)) {
        m_lGenerateInfo->setText(qs(why));
        return false;
    }
    m_lGenerateInfo->setText(QString("Sent %1 %2 through %3.")
                                 .arg(qs(entry->key()), qs(signal->hex), qs(m_s.port->source())));
    return true;
}

bool Form_generate::generate() {
    const FormatMenuEntry* entry = nullptr;
    const auto made = makeSignal(entry);
    if (!made) return false;
    const engine::GeneratedSignal& signal = *made;
    // The capture is decoded with the row it was made from.
    setIrtype(m_s, entry->caption);
    if (receiveGenerated(m_s, signal, "generated " + entry->key() + " " + signal.hex))
        drawWaveform(m_s);
    return true;
}

} // namespace qv
