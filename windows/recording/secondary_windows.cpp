#include "windows/recording/secondary_windows.h"

#include "app/session.h"

#include "windows/catalogue/form_time.h"
#include "windows/errorlog/form_help.h"
#include "windows/recording/form_code.h"

#include <QAction>
#include <QWidget>

namespace qv {

namespace {

// A window asked for again comes to the front, open already or not.
void toFront(QWidget* w) {
    if (!w->isVisible()) return;
    w->raise();
    w->activateWindow();
}

} // namespace

SecondaryWindows::SecondaryWindows(Session& session, QWidget* parent,
                                   const QString& codeDatabasePath, const QString& helpPath)
    : QObject(parent), m_session(session), m_parent(parent),
      m_helpPath(helpPath.isEmpty() ? QString::fromStdString(session.env.resourceDir + "/help.html")
                                    : helpPath) {
    m_code =
        new FormCode(session,
                     codeDatabasePath.isEmpty() ? QString::fromStdString(session.code.databasePath)
                                                : codeDatabasePath,
                     parent);
}

SecondaryWindows::~SecondaryWindows() {
    // Without a parent the windows are ours to delete.
    if (!m_parent) {
        delete m_code;
        delete m_editor;
        delete m_help;
        delete m_topic;
    }
}

void SecondaryWindows::connectMenus(QObject* mainWindow) {
    auto hook = [&](const char* name, auto slot) {
        auto* action = mainWindow->findChild<QAction*>(QString::fromLatin1(name));
        if (!action) return;
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, slot);
    };
    hook("mnusettime", [this] { showFormatEditor(false); });
    hook("mnuAddFmt", [this] { showFormatEditor(true); });
    hook("mnuviewcode", [this] { showCodeWindow(); });
    hook("mnuErrMes", [this] { showErrorRecord(); });
    hook("mnuVCode", [this] { showZoomCode(); });
    hook("mnuHelp", [this] { showHelp(); });
}

FormCode* SecondaryWindows::codeWindow() const {
    return m_code;
}
FormTime* SecondaryWindows::formatEditor() const {
    return m_editor;
}
FormHelp* SecondaryWindows::errorViewer() const {
    return m_help;
}
HelpTopicWindow* SecondaryWindows::helpWindow() const {
    return m_topic;
}

FormTime* SecondaryWindows::editor() {
    if (!m_editor) m_editor = new FormTime(m_session, m_parent);
    return m_editor;
}

FormHelp* SecondaryWindows::viewer() {
    if (!m_help) m_help = new FormHelp(m_session, m_parent);
    return m_help;
}

void SecondaryWindows::showFormatEditor(bool editable) {
    editor()->open(editable);
    toFront(m_editor);
}

void SecondaryWindows::showCodeWindow() {
    m_code->open();
    toFront(m_code);
}

void SecondaryWindows::showErrorRecord() {
    viewer()->viewErrorMessage();
    toFront(m_help);
}

void SecondaryWindows::showZoomCode() {
    viewer()->viewZoomCode();
    toFront(m_help);
}

void SecondaryWindows::showHelp() {
    if (!m_topic) m_topic = new HelpTopicWindow(m_helpPath, m_parent);
    m_topic->showTopic(QStringLiteral("Main_help"));
}

} // namespace qv
