#include "windows/main/signal_list.h"

#include "app/capture_tick.h"
#include "app/main_state.h"
#include "exchange/signal_capture.h"
#include "waveform/waveform.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QVBoxLayout>

#include <filesystem>

namespace qv {

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
}

void SignalList::showSignals(const std::string& source,
                             std::shared_ptr<const exchange::SignalSet> set) {
    m_source = source;
    m_set = std::move(set);
    m_decodes.assign(m_set->entries.size(), {});
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
    const std::string shown =
        std::filesystem::path(m_source).filename().string() + "#" + signal.name;
    if (captureTick(m_s, file.message, shown)) drawWaveform(m_s);
    const std::string& hex = m_s.last.decode.shown;
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
