#include "windows/main/press_log_dock.h"

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

#include <tuple>

namespace qv {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string signature(const Session& s) {
    if (s.pressLog.empty()) return {};
    const LoggedPress& p = s.pressLog.back();
    return p.time + p.caption + p.record.code + std::to_string(p.record.samples.size());
}

} // namespace

PressLogDock::PressLogDock(Session& session, QMainWindow* window, QMenu* menu)
    : QDockWidget("Captures of this run", window), m_s(session) {
    setObjectName("dockPresses");
    auto* body = new QWidget;
    m_lstPresses = new QTreeWidget;
    m_lstPresses->setObjectName("lstPresses");
    m_lstPresses->setColumnCount(3);
    m_lstPresses->setHeaderLabels({"Time", "Format", "Code"});
    m_lstPresses->setRootIsDecorated(false);
    m_lstPresses->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lstPresses->header()->setStretchLastSection(true);
    m_bStats = new QPushButton("Statistics...");
    m_bStats->setObjectName("bStatistics");
    m_bClear = new QPushButton("Clear");
    m_bClear->setObjectName("bClearPresses");
    connect(m_bStats, &QPushButton::clicked, this, &PressLogDock::showStatistics);
    connect(m_bClear, &QPushButton::clicked, this, [this] {
        m_s.pressLog.clear();
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
    for (size_t i = m_s.pressLog.size(); i-- > 0;) {
        const LoggedPress& p = m_s.pressLog[i];
        auto* item = new QTreeWidgetItem(
            {qs(p.time), qs(p.caption), qs(p.record.code.empty() ? "(no code)" : p.record.code)});
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        m_lstPresses->addTopLevelItem(item);
    }
    for (int c = 0; c < 2; ++c)
        m_lstPresses->resizeColumnToContents(c);
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
    m_stats->show();
    m_stats->raise();
}

void PressLogDock::showGenerate() {
    Form_generate dialog(m_s, this);
    if (dialog.exec() == QDialog::Accepted) emit captureGenerated();
}

} // namespace qv
