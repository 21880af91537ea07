#include "windows/main/form_generate.h"

#include "app/session.h"

#include "app/format_selection.h"
#include "app/generate_capture.h"
#include "app/protocol_table.h"
#include "catalogue/format_menus.h"
#include "irp/irp.h"
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
    const int current = m_cFormat->findData(qs(m_s.format.name));
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

    // A protocol of the IRP table instead of a catalogue row and code.
    m_cProtocol = new QComboBox;
    m_cProtocol->setObjectName("cGenProtocol");
    m_cProtocol->addItem("(the format's code)");
    const irp::ProtocolTable& table = protocolTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (!table[i].decodeOnly) m_cProtocol->addItem(qs(table[i].name));
    m_tParams = new QLineEdit;
    m_tParams->setObjectName("tGenParams");
    m_tParams->setPlaceholderText("e.g. D=0,F=18");

    auto* form = new QFormLayout;
    form->addRow("Protocol:", m_cProtocol);
    form->addRow("Parameters:", m_tParams);
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

std::optional<engine::GeneratedSignal> Form_generate::makeSignal(const FormatMenuEntry*& entry,
                                                                 std::string& label) {
    engine::GenerateRequest request;
    request.code = m_tCode->text().toStdString();
    request.binary = m_cCodeKind->currentIndex() == 1;
    request.repeats = m_nRepeats->value();
    std::string why;
    if (!parseDistortion(m_tDistort->text().toStdString(), request, why)) {
        m_lGenerateInfo->setText(qs(why));
        return std::nullopt;
    }
    if (m_cProtocol->currentIndex() > 0) return protocolSignal(request, label);
    const std::string caption = m_cFormat->currentData().toString().toStdString();
    entry = findFormatEntry(caption);
    if (!entry) {
        m_lGenerateInfo->setText("Choose a format.");
        return std::nullopt;
    }
    try {
        auto signal =
            engine::generateSignal(catalogueRow(m_s.format.cataloguePath, entry->key()), request);
        label = entry->key() + " " + signal.hex;
        return signal;
    } catch (const std::exception& e) {
        m_lGenerateInfo->setText(QString("Cannot generate: %1").arg(qs(e.what())));
        return std::nullopt;
    }
}

bool Form_generate::send() {
    if (!m_s.env.port) return false;
    if (const std::string why = m_s.env.port->sendRefusal(); !why.empty()) {
        m_lGenerateInfo->setText(qs(why));
        return false;
    }
    const FormatMenuEntry* entry = nullptr;
    std::string label;
    const auto signal = makeSignal(entry, label);
    if (!signal) return false;
    const auto hz = static_cast<uint32_t>(
        signal->carrierPeriodUs > 0 ? std::lround(1e6 / signal->carrierPeriodUs) : 0);
    std::string why;
    if (!m_s.env.port->send(signal->capture.times, hz, why)) {
        m_lGenerateInfo->setText(qs(why));
        return false;
    }
    m_lGenerateInfo->setText(
        QString("Sent %1 through %2.").arg(qs(label), qs(m_s.env.port->source())));
    return true;
}

bool Form_generate::generate() {
    const FormatMenuEntry* entry = nullptr;
    std::string label;
    const auto made = makeSignal(entry, label);
    if (!made) return false;
    // A row's capture is decoded with the row it was made from.
    if (entry) setIrtype(m_s, entry->caption);
    if (receiveGenerated(m_s, *made, "generated " + label)) drawWaveform(m_s);
    return true;
}

std::optional<engine::GeneratedSignal>
Form_generate::protocolSignal(const engine::GenerateRequest& request, std::string& label) {
    const std::string name = m_cProtocol->currentText().toStdString();
    const irp::NamedProtocol* protocol = protocolTable().find(name);
    std::vector<int64_t> press;
    irp::Params params;
    try {
        if (!protocol) throw std::runtime_error("no protocol " + name + " in the table");
        params = irp::parseParams(m_tParams->text().toStdString());
        irp::RenderOptions options;
        options.repeats = request.repeats;
        press = irp::render(*protocol, params, options).press();
        if (press.size() < 2) throw std::runtime_error("the press sends nothing");
    } catch (const std::exception& e) {
        m_lGenerateInfo->setText(QString("Cannot generate: %1").arg(qs(e.what())));
        return std::nullopt;
    }
    // One frame whose silence after the last burst is the final gap.
    irsig::Frame frame;
    double total = 0;
    for (size_t i = 0; i + 1 < press.size(); ++i) {
        frame.body.push_back({i % 2 == 0, static_cast<double>(std::llabs(press[i]))});
        total += static_cast<double>(std::llabs(press[i]));
    }
    frame.period = total + static_cast<double>(std::llabs(press.back()));
    engine::GeneratedSignal signal;
    signal.capture = irsig::render(irsig::KeyPress{frame}, request.receiver, request.seed);
    const double carrier = protocol->irp.carrierHz();
    signal.carrierPeriodUs = carrier > 0 ? 1e6 / carrier : 0;
    signal.hex = irp::formatParams(params);
    label = protocol->name + " " + signal.hex;
    return signal;
}

} // namespace qv
