// The windows the main window opens from its menus: the format editor, the
// code recording window, the error record viewer and the help. The code
// recording window is made at once (its grid receives recorded codes even
// while it is hidden); the others on first use.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace qv {

class Session;

class FormCode;
class FormHelp;
class FormTime;
class HelpTopicWindow;

class SecondaryWindows : public QObject {
    Q_OBJECT
public:
    // The windows are children of parent (the main window), so they close
    // with it. The code database is session.code.databasePath and the help
    // help.html in session.env.resourceDir unless given.
    SecondaryWindows(Session& session, QWidget* parent, const QString& codeDatabasePath = QString(),
                     const QString& helpPath = QString());
    ~SecondaryWindows() override;

    // Enables the menu entries mnusettime, mnuAddFmt, mnuviewcode, mnuErrMes,
    // mnuVCode and mnuHelp found under mainWindow and connects them.
    void connectMenus(QObject* mainWindow);

    // The windows made so far (null before their first use).
    FormCode* codeWindow() const;
    FormTime* formatEditor() const;
    FormHelp* errorViewer() const;
    HelpTopicWindow* helpWindow() const;

public slots:
    void showFormatEditor(bool editable);
    void showCodeWindow();
    void showErrorRecord();
    void showZoomCode();
    void showHelp();

private:
    FormTime* editor();
    FormHelp* viewer();

    Session& m_session;
    QWidget* m_parent;
    QString m_helpPath;
    QPointer<FormCode> m_code;
    QPointer<FormTime> m_editor;
    QPointer<FormHelp> m_help;
    QPointer<HelpTopicWindow> m_topic;
};

} // namespace qv
