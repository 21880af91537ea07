// The captures of this run beside the main window, newest first (time,
// format, code), with "Statistics..." over the ones selected, "Clear", and
// the IRMenu entry "Generate capture...".
#pragma once

#include "app/session_observer.h"
#include "windows/main/form_stats.h"

#include <QDockWidget>
#include <QPointer>

class QMainWindow;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace qv {

class Session;

class PressLogDock : public QDockWidget, public SessionObserver {
    Q_OBJECT
public:
    // Docks itself on the window and adds "Generate capture..." to menu.
    PressLogDock(Session& session, QMainWindow* window, QMenu* menu);
    ~PressLogDock() override;

    // Log indexes of the selected rows (all rows when none is selected).
    std::vector<size_t> picked() const;
    void showStatistics();
    // Shows the list beside the window's own controls when the window is
    // wide enough for both; the program calls it once its window is sized.
    // Users pick captures in it for "Statistics...", so it starts shown.
    void showIfRoom();
    static constexpr int kShownWidth = 260;
    void showGenerate();
    Form_stats* statisticsWindow() const { return m_stats; }

signals:
    // A generated capture went through the capture tick.
    void captureGenerated();

private:
    void sessionChanged() override;
    void refill();

    Session& m_s;
    QTreeWidget* m_lstPresses = nullptr;
    QPushButton* m_bStats = nullptr;
    QPushButton* m_bClear = nullptr;
    size_t m_shown = 0;      // log entries in the list
    std::string m_lastShown; // the newest entry's time and code, to see a refill is due
    QPointer<Form_stats> m_stats;
};

} // namespace qv
