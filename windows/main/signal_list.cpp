#include "windows/main/signal_list.h"

#include "app/session.h"

#include "app/capture_tick.h"
#include "app/dispatch.h"
#include "app/main_state.h"
#include "capture/receiver_message.h"
#include "exchange/signal_capture.h"
#include "waveform/waveform.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QVBoxLayout>

#include <filesystem>

namespace qv {

namespace {

// What the list names the format a decode was made with.
std::string formatShown(const Session& s) {
    return s.format.name + (s.decoding.octal ? " OCT" : " HEX");
}

// The first code line of the signal's decode under the session's format
// and settings, as a capture of it would show; the shown capture is not
// touched and nothing is learned or logged.
std::string decodeLine(Session& s, const std::string& label, const exchange::NamedSignal& signal) {
    if (!s.format.cursor || !s.format.cursor->hasRow()) return "(no format)";
    CaptureFile file;
    try {
        file = exchange::captureOfSignal(label, signal);
    } catch (const CaptureFormatError&) {
        return "(no capture)";
    }
    TimeTable times;
    loadTimeTable(times, file.message, kReceiverTicksPerUsSingle);
    engine::DecodeSettings settings = decodeSettings(s);
    settings.learn = false;
    settings.annotate = false;
    settings.carry = {};
    settings.demodulated = true; // as choosing the signal sets it
    const engine::DecodeResult r =
        engine::decode(times, engine::FormatRow::fromCursor(*s.format.cursor), settings);
    const std::string hex = s.decoding.octal ? octText(r.hex, s.decoding.lineBreak) : r.hex;
    const std::string line = hex.substr(0, hex.find_first_of("\r\n"));
    return line.empty() ? "(no code)" : line;
}

} // namespace

SignalList::SignalList(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_s(session) {
    setObjectName("SignalList");
    setWindowTitle("Signals of the file");
    m_title = new QLabel;
    m_title->setObjectName("lblSignalSource");
    m_list = new QListWidget;
    m_list->setObjectName("lstSignals");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_list);
    resize(420, 360);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) choose(row);
    });
    m_s.addObserver(this);
}

SignalList::~SignalList() {
    m_s.removeObserver(this);
}

void SignalList::sessionChanged() {
    const std::string now = formatShown(m_s);
    if (!m_set || now == m_decodedUnder) return;
    m_decodedUnder = now;
    for (size_t i = 0; i < m_decodes.size(); ++i) {
        if (m_decodes[i].empty()) continue; // made when chosen
        const exchange::NamedSignal& s = m_set->entries[i];
        m_decodes[i] = decodeLine(m_s, m_source + "#" + s.name, s);
        refreshRow(static_cast<int>(i));
    }
}

void SignalList::showSignals(const std::string& source,
                             std::shared_ptr<const exchange::SignalSet> set) {
    m_source = source;
    m_set = std::move(set);
    m_decodes.assign(m_set->entries.size(), {});
    m_decodedUnder = formatShown(m_s);
    m_title->setText(QString::fromStdString(
        std::filesystem::path(source).filename().string() + " (" + exchange::formName(m_set->form) +
        "): " + std::to_string(m_set->entries.size()) + " signals"));
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (size_t i = 0; i < m_set->entries.size(); ++i) {
        m_list->addItem(QString());
        refreshRow(static_cast<int>(i));
    }
    show();
    raise();
}

void SignalList::refreshRow(int row) {
    const exchange::NamedSignal& s = m_set->entries[static_cast<size_t>(row)];
    std::string text = s.name + "    " + (s.parsed ? "parsed " + s.parsed->protocol : s.kind);
    if (!m_decodes[static_cast<size_t>(row)].empty())
        text += "    " + m_decodes[static_cast<size_t>(row)];
    m_list->item(row)->setText(QString::fromStdString(text));
}

bool SignalList::choose(int row) {
    if (!m_set || row < 0 || static_cast<size_t>(row) >= m_set->entries.size()) return false;
    const exchange::NamedSignal& signal = m_set->entries[static_cast<size_t>(row)];
    const std::string label = m_source + "#" + signal.name;
    CaptureFile file;
    try {
        file = exchange::captureOfSignal(label, signal);
    } catch (const CaptureFormatError& e) {
        m_s.message(e.what());
        m_s.changed();
        return false;
    }
    for (const auto& change : file.changes)
        m_s.message(change);
    setDemodulated(m_s, true); // swapped forms come from demodulating receivers
    const CaptureSource source{CaptureSource::Kind::File,
                               std::filesystem::path(m_source).filename().string(), signal.name};
    if (captureTick(m_s, captureOf(file, source))) drawWaveform(m_s);
    const std::string& hex = m_s.last.decode.shown;
    sessionChanged(); // the tick may have chosen a format the capture can be drawn with
    m_decodes[static_cast<size_t>(row)] = hex.substr(0, hex.find_first_of("\r\n"));
    if (m_decodes[static_cast<size_t>(row)].empty())
        m_decodes[static_cast<size_t>(row)] = "(no code)";
    refreshRow(row);
    m_s.changed();
    return true;
}

bool openSignalList(Session& s, const std::string& source,
                    std::shared_ptr<const exchange::SignalSet> set) {
    static QPointer<SignalList> list;
    if (!list) {
        QWidget* main = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "Form_main") main = w;
        list = new SignalList(s, main);
    }
    list->showSignals(source, std::move(set));
    const QSignalBlocker quiet(list->findChild<QListWidget*>("lstSignals"));
    list->findChild<QListWidget*>("lstSignals")->setCurrentRow(0);
    return list->choose(0);
}

} // namespace qv
