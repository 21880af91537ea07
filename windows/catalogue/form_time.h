// The format editor window: every parameter of the selected format, read
// only or editable with the slot chooser and the save into a user slot. It
// shows the session's EditorModel and forwards the user's actions.
#pragma once

#include "app/session_observer.h"

#include <QWidget>

#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class Session;

class FormTime : public QWidget, public SessionObserver {
    Q_OBJECT
public:
    explicit FormTime(Session& session, QWidget* parent = nullptr);
    ~FormTime() override;

    void sessionChanged() override;

public slots:
    // "Standard &Time Parameter" (false) and "&Add Or Modify Format" (true).
    void open(bool editable);
    // "&Add/Modify".
    void save();
    // "As &IRP": the row written in IRP into the read-only box beside it.
    void showIrp();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildFrame();
    QLineEdit* box(const char* name);

    Session& m_session;
    bool m_closing = false;
    QGroupBox* m_frame = nullptr;
    QLabel* m_lAddFmt = nullptr;
    QLabel* m_saved = nullptr;
    QComboBox* m_cAddFmt = nullptr;
    QPushButton* m_bAddFmt = nullptr;
    QComboBox* m_tType = nullptr;
    QComboBox* m_cTole = nullptr;
    QLineEdit* m_tIrp = nullptr;
    std::map<std::string, QLineEdit*> m_boxes;
    std::map<std::string, QCheckBox*> m_checks;
};

} // namespace qv
