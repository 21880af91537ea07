// The error record viewer, also used to show the last decoded code in large
// type, and the window of the program's help.
#pragma once

#include "app/session_observer.h"

#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

namespace qv {

class Session;

class FormHelp : public QWidget, public SessionObserver {
    Q_OBJECT
public:
    explicit FormHelp(Session& session, QWidget* parent = nullptr);
    ~FormHelp() override;

    void sessionChanged() override;

public slots:
    void viewErrorMessage(); // "&View Error Message"
    void viewZoomCode();     // "&View zoom IR Code"

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session& m_session;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_close = nullptr;
};

// The help document, shown at one of its topics.
class HelpTopicWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpTopicWindow(const QString& helpPath, QWidget* parent = nullptr);
    // Shows the document at the anchor named topic ("Main_help").
    void showTopic(const QString& topic);
    QTextBrowser* browser() const { return m_browser; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_path;
    QTextBrowser* m_browser = nullptr;
};

} // namespace qv
