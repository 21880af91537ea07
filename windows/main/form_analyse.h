// IRMenu "Analyse...": what an unknown remote sends, from the captures
// picked in "Captures of this run" or the signals of a file: the coding,
// the fields of every press, the checks, the IRP and whether each press
// renders back.
#pragma once

#include "analysis/analysis.h"

#include <QDialog>

#include <vector>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace qv {

class Session;

class Form_analyse : public QDialog {
    Q_OBJECT
public:
    // session: where a press picked in the table is shown, with the
    // analysis drawn on its waveform (none: nothing is shown).
    explicit Form_analyse(QWidget* parent = nullptr, Session* session = nullptr);
    void setPresses(const std::vector<analysis::Press>& presses);
    // The presses of a capture file or a file of named signals; false (with
    // the reason in the summary) when it holds none.
    bool openFile(const QString& path);
    const analysis::Result& result() const { return m_result; }

    // Shows press `row` of the table on the main waveform, with its lead-in,
    // bits and fields drawn as a decode's are.
    void showPress(int row);

    // Writes the analysed protocol into a user slot (Form155 to Form160) of
    // the session's catalogue; the slot is then the selected format, so that
    // the next capture decodes with it. The status line says what was done,
    // or which part of the IRP no row field holds.
    bool saveAsFormat(const QString& slot);
    // Appends the IRP, as analysed-NAME, to a protocol file of the IRP
    // table's form; a new file gets the header line.
    bool addToProtocolFile(const QString& path);

private:
    void chooseFile();
    void chooseSlot();
    void chooseProtocolFile();
    void say(const QString& text);
    Session* m_session = nullptr;
    std::vector<analysis::Press> m_presses;
    // The file the presses came from; empty for the captures of this run.
    QString m_file;
    analysis::Result m_result;
    QLabel* m_lSummary = nullptr;
    QLabel* m_lStatus = nullptr;
    QPushButton* m_bSave = nullptr;
    QPushButton* m_bProtocolFile = nullptr;
    QPlainTextEdit* m_txtIrp = nullptr;
    QTableWidget* m_tblFields = nullptr;
    QTableWidget* m_tblPresses = nullptr;
};

class PressLogDock;

// The presses of the log entries picked that kept their times.
std::vector<analysis::Press> analysedPresses(const Session& s, const std::vector<size_t>& picked);

// Adds "Analyse..." to menu beside "Scan all formats...": the window over the
// captures picked in the dock (all of them when none is picked).
void addAnalyseMenu(QMenu* menu, Session& s, PressLogDock* dock);

} // namespace qv
