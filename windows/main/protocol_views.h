// The capture seen through the protocol table: the line under the code
// with every protocol that decodes the capture ("NEC1  D=0 S=255 F=18"),
// and the Protocols window that lists the table with a search box.
#pragma once

#include "app/session_observer.h"

#include <QLabel>
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QTreeWidget;

namespace qv {

class Session;
namespace irp {
class ProtocolTable;
}

// The decodes of a capture's times, one "NAME  P=V ..." per protocol, best
// first; where none, the protocols it fits but does not resolve, one line.
std::vector<std::string> protocolDecodes(const std::vector<int64_t>& times, bool demodulated);

// Under the code: the protocols of the capture shown, decoded when its
// times change.
class ProtocolLine : public QLabel, public SessionObserver {
    Q_OBJECT
public:
    explicit ProtocolLine(Session& session, QWidget* parent = nullptr);
    ~ProtocolLine() override;
    void sessionChanged() override;

protected:
    // One line, ended with "…" where the panel is narrower than the decode.
    void paintEvent(QPaintEvent* event) override;

private:
    Session& m_session;
    std::vector<int64_t> m_times;
    bool m_demodulated = false;
    int m_generation = -1;
};

// IRMenu "Protocols...": the table, searched by name or IRP text; the
// chosen protocol's IRP and parameters below; the user's protocol files,
// added and removed, under them.
class ProtocolsWindow : public QWidget {
    Q_OBJECT
public:
    // Adds "Protocols..." to menu (when there is one).
    explicit ProtocolsWindow(QMenu* menu, QWidget* parent = nullptr);
    void filter(const QString& text);
    // The table loaded again with the file added (last) or removed.
    void addProtocolFile(const QString& path);
    void removeProtocolFile(int row);

signals:
    // The table was loaded again: what was worked out from it is stale.
    void tableChanged();

private:
    void fillList();
    void useFiles(const std::vector<std::string>& files);
    void showChosen();
    QLineEdit* m_search = nullptr;
    QTreeWidget* m_list = nullptr;
    QPlainTextEdit* m_detail = nullptr;
    QListWidget* m_files = nullptr;
    QLabel* m_said = nullptr;
    int m_generation = -1; // of the table the list shows
};

} // namespace qv
