// The code recording window: the code grid bound to the code database, its
// navigation, the tolerance panel and the capture information. It shows the
// session's CodeWindowModel and forwards every action to the recording
// functions; while it lives, session.env.codeGrid is its grid.
#pragma once

#include "app/session_observer.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableView;

namespace qv {

class Session;

class SqlCodeGrid;

class FormCode : public QMainWindow, public SessionObserver {
    Q_OBJECT
public:
    FormCode(Session& session, const QString& databasePath, QWidget* parent = nullptr);
    ~FormCode() override;

    SqlCodeGrid* grid() const { return m_grid.get(); }

    void sessionChanged() override;

public slots:
    // The main window's "&Record code and Set tolerance".
    void open();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    QWidget* buildControls();
    void reportStoreFailure(const QString& why);

    Session& m_session;
    std::unique_ptr<SqlCodeGrid> m_grid;

    QTableView* m_tblCode = nullptr;
    QLineEdit* m_tHexCode = nullptr;
    QLabel* m_lDspRslt = nullptr;
    QCheckBox* m_cIrRec = nullptr;
    QCheckBox* m_cOrder = nullptr;
    QLabel* m_Lblcarr_wid = nullptr;
    QLabel* m_Lblcarr_h = nullptr;
    QLabel* m_Lblcarr_f = nullptr;
    QListWidget* m_lGCyc = nullptr;
    QLineEdit* m_t01Tole = nullptr;
    QLineEdit* m_tXTime = nullptr;
    QComboBox* m_cbTol = nullptr;
    QLineEdit* m_tTTole = nullptr;
    QLineEdit* m_tForm = nullptr;
    QLineEdit* m_tRow = nullptr;
    QLineEdit* m_tCol = nullptr;
    unsigned long m_decodesShown = 0; // LastCapture::decodes
    std::array<QLineEdit*, 5> m_tPos{};
};

} // namespace qv
