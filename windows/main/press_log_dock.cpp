#include "windows/main/press_log_dock.h"

#include "app/session.h"

#include "app/press_log.h"
#include "windows/main/form_generate.h"
#include "windows/main/form_stats.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace qv {

namespace {

constexpr int kColumns = 4;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string signature(const Session& s) {
    if (s.pressLog.empty()) return {};
    const LoggedPress& p = s.pressLog.back();
    return p.time + p.caption + p.record.code + std::to_string(p.record.samples.size()) +
           p.capture.source.shown() + std::to_string(s.pressesDropped);
}

} // namespace

PressLogDock::PressLogDock(Session& session, QMainWindow* window, QMenu* menu)
    : QDockWidget("Captures of this run", window), m_s(session) {
    setObjectName("dockPresses");
    auto* body = new QWidget;
    m_lstPresses = new QTreeWidget;
    m_lstPresses->setObjectName("lstPresses");
    m_lstPresses->setColumnCount(4);
    m_lstPresses->setHeaderLabels({"Time", "Format", "Code", "Source"});
    m_lstPresses->setRootIsDecorated(false);
    m_lstPresses->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lstPresses->setTextElideMode(Qt::ElideRight);
    m_lstPresses->header()->setStretchLastSection(true);
    m_bStats = new QPushButton("Statistics...");
    m_bStats->setObjectName("bStatistics");
    m_bClear = new QPushButton("Clear");
    m_bClear->setObjectName("bClearPresses");
    connect(m_bStats, &QPushButton::clicked, this, &PressLogDock::showStatistics);
    connect(m_bClear, &QPushButton::clicked, this, [this] {
        m_s.pressLog.clear();
        m_s.pressesDropped = 0;
        refill();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_bStats);
    buttons->addWidget(m_bClear);
    buttons->addStretch();
    auto* v = new QVBoxLayout(body);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(m_lstPresses);
    v->addLayout(buttons);
    setWidget(body);
    window->addDockWidget(Qt::RightDockWidgetArea, this);
    // Hidden until the window shows whether it has room (showIfRoom).
    hide();

    if (menu) {
        // Beside "Scan all formats...", ahead of the connection and "Exit".
        QAction* before = nullptr;
        for (QAction* a : menu->actions())
            if (a->objectName() == "mumconnect") before = a;
        QAction* shown = toggleViewAction();
        shown->setText("Captures of this &run");
        shown->setObjectName("mnuPresses");
        menu->insertAction(before, shown);
        for (auto [text, name, slot] :
             {std::tuple{"&Generate capture...", "mnuGenerate", &PressLogDock::showGenerate},
              {"Stat&istics...", "mnuStatistics", &PressLogDock::showStatistics}}) {
            auto* a = new QAction(text, menu);
            a->setObjectName(name);
            menu->insertAction(before, a);
            connect(a, &QAction::triggered, this, slot);
        }
    }
    m_s.addObserver(this);
    refill();
}

void PressLogDock::showIfRoom() {
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (!window || !window->centralWidget()) return;
    const int room = window->width() - window->centralWidget()->minimumSizeHint().width();
    if (room >= kShownWidth) {
        show();
        window->resizeDocks({this}, {kShownWidth}, Qt::Horizontal);
    }
}

PressLogDock::~PressLogDock() {
    m_s.removeObserver(this);
}

void PressLogDock::sessionChanged() {
    if (m_shown != m_s.pressLog.size() || m_lastShown != signature(m_s)) refill();
}

void PressLogDock::refill() {
    m_lstPresses->clear();
    QList<QTreeWidgetItem*> items;
    for (size_t i = m_s.pressLog.size(); i-- > 0;) {
        const LoggedPress& p = m_s.pressLog[i];
        auto* item = new QTreeWidgetItem({qs(p.time), qs(p.caption),
                                          qs(p.record.code.empty() ? "(no code)" : p.record.code),
                                          qs(p.capture.source.shown())});
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        for (int c = 1; c < kColumns; ++c)
            item->setToolTip(c, item->text(c));
        items << item;
    }
    m_lstPresses->addTopLevelItems(items);
    // The code stays in view in a narrow panel: a long format name is cut
    // short (its tooltip has it whole) rather than push the code out.
    const int room = std::max(m_lstPresses->viewport()->width(), kShownWidth - 16);
    m_lstPresses->resizeColumnToContents(0);
    m_lstPresses->resizeColumnToContents(1);
    m_lstPresses->resizeColumnToContents(2);
    const int time = m_lstPresses->columnWidth(0);
    m_lstPresses->setColumnWidth(1, std::min(m_lstPresses->columnWidth(1), (room - time) / 3));
    m_lstPresses->setColumnWidth(
        2, std::min(m_lstPresses->columnWidth(2), room - time - m_lstPresses->columnWidth(1)));
    m_shown = m_s.pressLog.size();
    m_lastShown = signature(m_s);
    m_bStats->setEnabled(!m_s.pressLog.empty());
    m_bClear->setEnabled(!m_s.pressLog.empty());
}

std::vector<size_t> PressLogDock::picked() const {
    std::vector<size_t> out;
    for (int i = m_lstPresses->topLevelItemCount(); i-- > 0;) {
        QTreeWidgetItem* item = m_lstPresses->topLevelItem(i);
        if (item->isSelected()) out.push_back(item->data(0, Qt::UserRole).toULongLong());
    }
    if (out.empty())
        for (size_t i = 0; i < m_s.pressLog.size(); ++i)
            out.push_back(i);
    return out;
}

void PressLogDock::showStatistics() {
    if (m_s.pressLog.empty()) {
        m_s.message("There are no captures of this run yet.");
        return;
    }
    if (!m_stats) m_stats = new Form_stats(this);
    m_stats->setPresses(pickedPresses(m_s, picked()));
    m_stats->setDropped(m_s.pressesDropped, kPressLogSize);
    m_stats->show();
    m_stats->raise();
}

void PressLogDock::showGenerate() {
    Form_generate dialog(m_s, this);
    if (dialog.exec() == QDialog::Accepted) emit captureGenerated();
}

} // namespace qv
