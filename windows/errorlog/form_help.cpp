#include "windows/errorlog/form_help.h"

#include "app/session.h"

#include "windows/errorlog/error_viewer.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qv {

FormHelp::FormHelp(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("Form_help"));
    if (parent) setWindowFlag(Qt::Window);
    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_clear = new QPushButton(QStringLiteral("&Clear"));
    m_clear->setObjectName(QStringLiteral("cClear"));
    m_close = new QPushButton(QStringLiteral("C&lose"));
    m_close->setObjectName(QStringLiteral("Command1"));
    buttons->addWidget(m_clear);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    resize(560, 380);

    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        // What the user types stays in the window like any text put there.
        const std::string text = m_text->toPlainText().toStdString();
        if (text != m_session.help.Text1) m_session.help.Text1 = text;
    });
    connect(m_clear, &QPushButton::clicked, this, [this] { clearErrorRecord(m_session); });
    connect(m_close, &QPushButton::clicked, this, [this] { closeErrorViewer(m_session); });
    m_text->installEventFilter(this);
    m_close->installEventFilter(this);

    m_session.addObserver(this);
    sessionChanged();
}

FormHelp::~FormHelp() {
    m_session.removeObserver(this);
}

void FormHelp::sessionChanged() {
    const HelpWindowModel& h = m_session.help;
    setWindowTitle(QString::fromStdString(h.caption));
    QFont font = m_text->font();
    if (font.pointSize() != h.fontSize || font.bold() != h.bold) {
        font.setPointSize(h.fontSize);
        font.setBold(h.bold);
        m_text->setFont(font);
    }
    // The record's lines end with CR LF; the view shows line breaks.
    QString text = QString::fromStdString(h.Text1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (m_text->toPlainText() != text) {
        const QSignalBlocker quiet(m_text);
        m_text->setPlainText(text);
    }
    // The zoomed code wraps rather than run off the right edge.
    m_text->setLineWrapMode(h.showsRecord ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    m_clear->setVisible(h.cClearVisible);
    if (h.visible && !isVisible()) {
        show();
        raise();
        activateWindow();
    } else if (!h.visible && isVisible()) {
        hide();
    }
}

void FormHelp::viewErrorMessage() {
    qv::viewErrorMessage(m_session);
}

void FormHelp::viewZoomCode() {
    qv::viewZoomCode(m_session);
}

void FormHelp::closeEvent(QCloseEvent* event) {
    // The window's own close box hides it like "C&lose".
    closeErrorViewer(m_session);
    event->accept();
}

bool FormHelp::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_text || watched == m_close) && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hideErrorViewer(m_session);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

HelpTopicWindow::HelpTopicWindow(const QString& helpPath, QWidget* parent)
    : QWidget(parent), m_path(helpPath) {
    setObjectName(QStringLiteral("HelpTopic"));
    if (parent) setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Quorvel Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(false);
    layout->addWidget(m_browser);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 4, 8, 8);
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("cmdHelpClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(720, 600);
}

void HelpTopicWindow::keyPressEvent(QKeyEvent* event) {
    // Escape anywhere in the window: the browser leaves it to the window.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpTopicWindow::showTopic(const QString& topic) {
    if (!QFileInfo::exists(m_path)) {
        m_browser->setPlainText(QStringLiteral("The help file %1 was not found.").arg(m_path));
    } else {
        QUrl url = QUrl::fromLocalFile(m_path);
        url.setFragment(topic);
        m_browser->setSource(url);
        m_browser->scrollToAnchor(topic);
    }
    show();
    raise();
    activateWindow();
}

} // namespace qv
