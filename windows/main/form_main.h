// Form_main, the main window: shows what the session holds and forwards
// the user's actions to it. The capture table, the decoded code, the error
// list, the tolerances, the format choice, the port and the waveform with
// its rule lines.
#pragma once

#include "app/marks.h"
#include "app/session_observer.h"
#include "waveform/rules.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QTimer;

namespace qv {

class Session;

class CaptureWait;
class Form_scan;
class PictureWidget;

class Form_main : public QMainWindow, public SessionObserver {
    Q_OBJECT
public:
    // The port list "SelCom", for the link to show its devices on.
    QComboBox& portList() const { return *m_SelCom; }
    explicit Form_main(Session& session, QWidget* parent = nullptr);
    ~Form_main() override;

    // The window's load event: defaults, format "Form016", port "COM1".
    void startUp();

    // Feeds a capture file (".bin" receiver message, a time list, signed
    // raw, mode2 or Pronto) to the capture tick. False, with a message, when
    // the file could not be read; the capture shown is then kept.
    bool openCapture(const QString& path);

    // Writes the capture in the kind the path's ending names. False, with a
    // message, when there is no capture or the file cannot be written.
    bool saveCapture(const QString& path);

    // "Save waveform as...": the visible waveform as a PNG image, or as an
    // SVG drawing when the path ends in ".svg". False, with a message, when
    // it cannot be written.
    bool saveWaveform(const QString& path);

    // "Scan all formats...": opens the scan window over the last capture.
    void showScan();
    Form_scan* scanWindow() const;

    // Shows every control as the session holds it.
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sessionChanged() override;
    void sessionMessage(const std::string& text) override;
    void sessionBeep() override;
    void sessionTimersChanged() override;

    void buildMenus();
    QWidget* buildCapturePanel();
    QWidget* buildResultPanel();
    QWidget* buildWavePanel();
    void showErrorLine(int line);
    void refreshTable();
    void refreshIcon();
    void followTimers();
    void chooseCaptureFile();
    void chooseSaveFile();
    void chooseWaveFile();
    void captureArrived();
    void chooseFormat(const std::string& caption);
    void refreshAlsoFits();
    void exitProgram();
    void scheduleRefresh();

    Session& m_s;
    bool m_refreshPending = false;
    QString m_captureDir; // where the last capture file was opened or saved
    QPointer<Form_scan> m_scan;
    const QEvent* m_lastZoomKey = nullptr;

    QTableWidget* m_TTable = nullptr;
    QPlainTextEdit* m_tHCode = nullptr;
    QPlainTextEdit* m_tBcode = nullptr;
    QListWidget* m_ErrRcd = nullptr;
    QLineEdit* m_tTole = nullptr;
    QLineEdit* m_tTTole = nullptr;
    // The session's count of tolerance showings the boxes last followed:
    // between two, a box keeps what the user typed.
    std::optional<unsigned> m_tolerancesShown;
    QCheckBox* m_cIgnoreT = nullptr;
    QRadioButton* m_optHex = nullptr;
    QRadioButton* m_optOct = nullptr;
    QLineEdit* m_irtype = nullptr;
    QLabel* m_alsoFits = nullptr; // "Also fits: Form043(NEC N-16)"
    std::string m_alsoFitsKey, m_alsoFitsCaption;
    QComboBox* m_SelCom = nullptr;
    QLabel* m_Image1 = nullptr;
    QString m_Image1Shown;
    QPixmap m_Image1Icon;
    QLabel* m_LblRGtime = nullptr;
    QRadioButton* m_Option[3] = {};
    PictureWidget* m_Picture1 = nullptr;
    DecodeMarks m_drawnMarks; // of the waveform's last drawing
    QScrollBar* m_HScroll1 = nullptr;
    QScrollBar* m_VScroll1 = nullptr;
    QLabel* m_Lblzoom = nullptr;

    // The format entries by key and the tolerance entries by percent, for
    // their check marks.
    std::vector<std::pair<std::string, QAction*>> m_formatActions;
    std::vector<std::pair<int, QAction*>> m_toleranceActions;
    QAction* m_mnuAuto = nullptr;
    QAction* m_mnuCmp = nullptr;
    QAction* m_mnuDemod = nullptr;
    bool m_lastFromFile = false; // the shown capture came from a file
    QAction* m_mumconnect = nullptr;

    CaptureWait* m_Timer1 = nullptr; // the link's: a capture's wait
    QTimer* m_Timer2 = nullptr;
    QTimer* m_Timer3 = nullptr;
};

} // namespace qv
