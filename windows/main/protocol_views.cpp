#include "windows/main/protocol_views.h"

#include "app/session.h"

#include <QPainter>

#include "irp/irp.h"
#include "platform/paths.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace qv {

const irp::ProtocolTable& shippedProtocols() {
    static const irp::ProtocolTable table = [] {
        namespace fs = std::filesystem;
        irp::ProtocolTable t;
        for (const fs::path& p : {fs::path(programDirectory()) / irp::kShippedTableName,
                                  fs::path(locateAppFiles().resources) / irp::kShippedTableName}) {
            std::error_code ec;
            if (!fs::is_regular_file(p, ec)) continue;
            try {
                t.addFile(p.string());
                break;
            } catch (const std::exception&) {
                // An unreadable copy: the next place may hold a good one.
            }
        }
        return t;
    }();
    return table;
}

std::vector<std::string> protocolDecodes(const std::vector<int64_t>& times, bool demodulated) {
    std::vector<std::string> out;
    if (times.size() < 4) return out;
    irp::DecodeOptions options;
    options.demodulated = demodulated;
    const auto found = irp::identify(shippedProtocols(), times, options);
    for (const auto& d : found.decodes)
        out.push_back(irp::describe(d));
    if (!found.unresolved.empty()) out.push_back(irp::describeUnresolved(found.unresolved));
    return out;
}

ProtocolLine::ProtocolLine(Session& session, QWidget* parent) : QLabel(parent), m_session(session) {
    setObjectName("lProtocols");
    setTextFormat(Qt::PlainText);
    // A wrapped label in the result panel asks for its height at the
    // narrowest width and pushes the panel into scrolling.
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_session.addObserver(this);
    sessionChanged();
}

void ProtocolLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect r = contentsRect();
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
}

ProtocolLine::~ProtocolLine() {
    m_session.removeObserver(this);
}

void ProtocolLine::sessionChanged() {
    // The capture whole, not only what the record holds.
    const std::vector<int64_t>& times = m_session.last.capture.times;
    const bool demodulated = m_session.decoding.demod.on;
    if (times == m_times && demodulated == m_demodulated) return;
    m_times = times;
    m_demodulated = demodulated;
    QStringList lines;
    for (const auto& d : protocolDecodes(m_times, demodulated))
        lines << QString::fromStdString(d);
    // The best decode in full, and how many others (mostly aliases of one
    // timing) fit too: all of them in the tooltip, so a common NEC press does
    // not push the rest of the panel out of view.
    setText(lines.isEmpty() ? QString()
            : lines.size() == 1
                ? lines.front()
                : QString("%1  (+%2 more)").arg(lines.front()).arg(lines.size() - 1));
    setToolTip(lines.join('\n'));
}

ProtocolsWindow::ProtocolsWindow(QMenu* menu, QWidget* parent) : QWidget(parent) {
    setObjectName("Form_protocols");
    setWindowFlag(Qt::Window);
    setWindowTitle("Protocols");
    auto* layout = new QVBoxLayout(this);
    m_search = new QLineEdit;
    m_search->setObjectName("tSearch");
    m_search->setPlaceholderText("Search by name or IRP");
    m_search->setClearButtonEnabled(true);
    layout->addWidget(m_search);
    auto* split = new QSplitter(Qt::Vertical);
    m_list = new QTreeWidget;
    m_list->setObjectName("lstProtocols");
    m_list->setHeaderLabels({"Protocol", "IRP"});
    m_list->setRootIsDecorated(false);
    const irp::ProtocolTable& table = shippedProtocols();
    for (size_t i = 0; i < table.size(); ++i) {
        const auto& p = table[i];
        auto* item = new QTreeWidgetItem(
            m_list, {QString::fromStdString(p.name), QString::fromStdString(p.irp.text())});
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
    }
    m_list->resizeColumnToContents(0);
    m_detail = new QPlainTextEdit;
    m_detail->setObjectName("tProtocol");
    m_detail->setReadOnly(true);
    split->addWidget(m_list);
    split->addWidget(m_detail);
    layout->addWidget(split, 1);
    connect(m_search, &QLineEdit::textChanged, this, &ProtocolsWindow::filter);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &ProtocolsWindow::showChosen);
    resize(720, 480);
    if (!menu) return;
    QAction* open = menu->addAction("&Protocols...");
    open->setObjectName("mnuProtocols");
    connect(open, &QAction::triggered, this, [this] {
        show();
        raise();
        activateWindow();
    });
}

void ProtocolsWindow::filter(const QString& text) {
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        item->setHidden(!text.isEmpty() && !item->text(0).contains(text, Qt::CaseInsensitive) &&
                        !item->text(1).contains(text, Qt::CaseInsensitive));
    }
}

void ProtocolsWindow::showChosen() {
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item) {
        m_detail->clear();
        return;
    }
    const auto& p = shippedProtocols()[item->data(0, Qt::UserRole).toULongLong()];
    QString text = QString::fromStdString(p.name) + "\n" + QString::fromStdString(p.irp.text()) +
                   "\n\nParameters:\n";
    for (const auto& param : p.irp.parameters())
        text += QString("  %1  %2..%3%4%5\n")
                    .arg(QString::fromStdString(param.name))
                    .arg(param.min)
                    .arg(param.max)
                    .arg(param.defaultExpression.empty()
                             ? QString()
                             : "  default " + QString::fromStdString(param.defaultExpression))
                    .arg(param.memory ? "  (kept between presses)" : "");
    if (p.decodeOnly) text += "\nFor recognising only: never sent.\n";
    m_detail->setPlainText(text);
}

} // namespace qv
