#include "windows/main/protocol_views.h"

#include "app/protocol_table.h"
#include "app/session.h"

#include <QPainter>

#include "irp/irp.h"
#include "platform/paths.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace qv {

std::vector<std::string> protocolDecodes(const std::vector<int64_t>& times, bool demodulated) {
    std::vector<std::string> out;
    if (times.size() < 4) return out;
    irp::DecodeOptions options;
    options.demodulated = demodulated;
    const auto found = irp::identify(protocolTable(), times, options);
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
    if (times == m_times && demodulated == m_demodulated &&
        m_generation == protocolTableGeneration())
        return;
    m_times = times;
    m_demodulated = demodulated;
    m_generation = protocolTableGeneration();
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
    m_list->setHeaderLabels({"Protocol", "IRP", "From"});
    m_list->setRootIsDecorated(false);
    // The IRP takes what is left, so that where a protocol comes from shows.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_detail = new QPlainTextEdit;
    m_detail->setObjectName("tProtocol");
    m_detail->setReadOnly(true);
    split->addWidget(m_list);
    split->addWidget(m_detail);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);

    // The user's own protocols: files of the table's form or the public
    // database's XML, kept for the next start.
    layout->addWidget(
        new QLabel("Your protocol files (a protocol of a shipped name replaces it):"));
    auto* filesRow = new QHBoxLayout;
    m_files = new QListWidget;
    m_files->setObjectName("lstProtocolFiles");
    m_files->setMaximumHeight(fontMetrics().height() * 5);
    filesRow->addWidget(m_files, 1);
    auto* buttons = new QVBoxLayout;
    auto* add = new QPushButton("Add file...");
    add->setObjectName("bAddProtocolFile");
    auto* remove = new QPushButton("Remove");
    remove->setObjectName("bRemoveProtocolFile");
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    filesRow->addLayout(buttons);
    layout->addLayout(filesRow);
    m_said = new QLabel;
    m_said->setObjectName("lProtocolFilesSaid");
    m_said->setWordWrap(true);
    m_said->setTextFormat(Qt::PlainText);
    layout->addWidget(m_said);
    fillList();

    connect(m_search, &QLineEdit::textChanged, this, &ProtocolsWindow::filter);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &ProtocolsWindow::showChosen);
    connect(add, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getOpenFileName(this, "Add a protocol file", QString(),
                                         "Protocol files (*.tsv *.txt *.xml);;All files (*)");
        if (!file.isEmpty()) addProtocolFile(file);
    });
    connect(remove, &QPushButton::clicked, this,
            [this] { removeProtocolFile(m_files->currentRow()); });
    resize(720, 560);
    if (!menu) return;
    QAction* open = menu->addAction("&Protocols...");
    open->setObjectName("mnuProtocols");
    connect(open, &QAction::triggered, this, [this] {
        // The table may have been loaded again since (an analysis added to a file).
        if (m_generation != protocolTableGeneration()) fillList();
        show();
        raise();
        activateWindow();
    });
}

void ProtocolsWindow::fillList() {
    m_generation = protocolTableGeneration();
    m_list->clear();
    const irp::ProtocolTable& table = protocolTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const auto& p = table[i];
        auto* item = new QTreeWidgetItem(
            m_list, {QString::fromStdString(p.name), QString::fromStdString(p.irp.text()),
                     QString::fromStdString(std::filesystem::path(p.source).filename().string())});
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
    }
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(2);
    filter(m_search->text());
    m_files->clear();
    for (const auto& f : protocolFiles())
        m_files->addItem(QString::fromStdString(f));
}

void ProtocolsWindow::useFiles(const std::vector<std::string>& files) {
    QStringList said;
    for (const auto& line : useProtocolFiles(files))
        said << QString::fromStdString(line);
    m_said->setText(said.join('\n'));
    fillList();
    emit tableChanged();
}

void ProtocolsWindow::addProtocolFile(const QString& path) {
    std::vector<std::string> files = protocolFiles();
    files.push_back(path.toStdString());
    useFiles(files);
}

void ProtocolsWindow::removeProtocolFile(int row) {
    std::vector<std::string> files = protocolFiles();
    if (row < 0 || size_t(row) >= files.size()) return;
    files.erase(files.begin() + row);
    useFiles(files);
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
    const auto& p = protocolTable()[item->data(0, Qt::UserRole).toULongLong()];
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
