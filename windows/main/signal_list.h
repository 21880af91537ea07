// A file of many named signals (a whole remote) opened in the window: its
// signals listed with their kind and, once made, their decode under the
// chosen format; choosing one feeds it to the capture tick as a file of one
// capture would be.
#pragma once

#include "app/session_observer.h"
#include "exchange/signal_set.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace qv {

class Session;

class SignalList : public QWidget, public SessionObserver {
    Q_OBJECT
public:
    SignalList(Session& session, QWidget* parent);
    ~SignalList() override;
    // Lists the signals of the file (or pasted text) named `source`.
    void showSignals(const std::string& source, std::shared_ptr<const exchange::SignalSet> set);
    // Takes the signal of the row through the capture tick; false, with a
    // message, when it cannot be made a capture.
    bool choose(int row);

    // A decode shown is made again when the format (or HEX/OCT) changes.
    void sessionChanged() override;

private:
    void refreshRow(int row);
    Session& m_s;
    QLabel* m_title = nullptr;
    QListWidget* m_list = nullptr;
    std::string m_source;
    std::shared_ptr<const exchange::SignalSet> m_set;
    std::vector<std::string> m_decodes; // the first code line of each signal's decode
    std::string m_decodedUnder;         // the format (and HEX/OCT) they were made with
};

// The list of the main window (made on first use) showing the set; the
// first signal is taken through the capture tick at once.
bool openSignalList(Session& s, const std::string& source,
                    std::shared_ptr<const exchange::SignalSet> set);

} // namespace qv
