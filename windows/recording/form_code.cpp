#include "windows/recording/form_code.h"

#include "app/session.h"

#include "recording/code_window.h"
#include "windows/recording/sql_code_grid.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

namespace qv {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

void showText(QLineEdit* box, const std::string& text) {
    if (box->text() != qs(text)) box->setText(qs(text));
}

void showText(QLabel* label, const std::string& text) {
    if (label->text() != qs(text)) label->setText(qs(text));
}

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

FormCode::FormCode(Session& session, const QString& databasePath, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_grid(std::make_unique<SqlCodeGrid>(databasePath)) {
    setObjectName(QStringLiteral("Form_code"));
    setWindowTitle(QStringLiteral("current time and code"));
    if (parent) setWindowFlag(Qt::Window);
    // A small screen scrolls the controls instead of cutting them off.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("controlsScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(buildControls());
    setCentralWidget(scroll);
    buildMenus();

    if (m_grid->isOpen()) {
        m_grid->attachView(m_tblCode);
        connect(m_grid.get(), &SqlCodeGrid::storeFailed, this, &FormCode::reportStoreFailure);
        m_session.env.codeGrid = m_grid.get();
    } else {
        m_session.message("The code database cannot be used, so no code is recorded: " +
                          m_grid->errorText().toStdString());
    }
    m_session.addObserver(this);
    resize(900, 640);
    sessionChanged();
}

FormCode::~FormCode() {
    m_session.removeObserver(this);
    if (m_session.env.codeGrid == m_grid.get()) m_session.env.codeGrid = nullptr;
}

QWidget* FormCode::buildControls() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("IR code:")));
    m_tHexCode = named(new QLineEdit, "tHexCode");
    top->addWidget(m_tHexCode, 1);
    m_lDspRslt = named(new QLabel, "lDspRslt");
    m_lDspRslt->setFont(QFont(QStringLiteral("Arial"), 12));
    m_lDspRslt->setMinimumWidth(160);
    top->addWidget(m_lDspRslt);
    outer->addLayout(top);

    auto* middle = new QHBoxLayout;

    // Capture information, filled as captures arrive.
    auto* info = named(new QGroupBox, "fraCapture");
    auto* infoGrid = new QGridLayout(info);
    auto unitRow = [&](int row, const char* caption, QWidget* value, const char* unit) {
        infoGrid->addWidget(new QLabel(QString::fromLatin1(caption)), row, 0);
        infoGrid->addWidget(value, row, 1);
        infoGrid->addWidget(new QLabel(QString::fromLatin1(unit)), row, 2);
    };
    m_Lblcarr_wid = named(new QLabel, "Lblcarr_wid");
    m_Lblcarr_h = named(new QLabel, "Lblcarr_h");
    m_Lblcarr_f = named(new QLabel, "Lblcarr_f");
    m_t01Tole = named(new QLineEdit, "t01Tole");
    m_tXTime = named(new QLineEdit, "tXTime");
    unitRow(0, "Carrier:", m_Lblcarr_wid, "US");
    unitRow(1, "CarrierOsc:", m_Lblcarr_h, "US");
    unitRow(2, "Frequency:", m_Lblcarr_f, "KHz");
    unitRow(3, "0-1 Time:", m_t01Tole, "US");
    unitRow(4, "X Time:", m_tXTime, "US");
    infoGrid->addWidget(new QLabel(QStringLiteral("Every groups 's cycle:")), 0, 3);
    infoGrid->addWidget(new QLabel(QStringLiteral("Time:")), 1, 3);
    m_lGCyc = named(new QListWidget, "lGCyc");
    infoGrid->addWidget(m_lGCyc, 2, 3, 3, 1);
    infoGrid->setColumnStretch(3, 1);
    middle->addWidget(info, 2);

    // Tolerance panel.
    auto* tolerance = named(new QGroupBox(QStringLiteral("Modify time tolerance")), "fraTolerance");
    auto* tolGrid = new QGridLayout(tolerance);
    m_cbTol = named(new QComboBox, "cbTol");
    m_cbTol->setEditable(true);
    for (int p = 3; p <= 10; ++p)
        m_cbTol->addItem(QString::number(p));
    m_tTTole = named(new QLineEdit, "tTTole");
    m_tForm = named(new QLineEdit, "tForm");
    auto* cmdApl = named(new QPushButton(QStringLiteral("&Apply")), "cmdApl");
    tolGrid->addWidget(new QLabel(QStringLiteral("Tolerance:")), 0, 0);
    tolGrid->addWidget(m_cbTol, 0, 1);
    tolGrid->addWidget(new QLabel(QStringLiteral("%")), 0, 2);
    tolGrid->addWidget(new QLabel(QStringLiteral("T Tolerance:")), 1, 0);
    tolGrid->addWidget(m_tTTole, 1, 1);
    tolGrid->addWidget(new QLabel(QStringLiteral("us")), 1, 2);
    tolGrid->addWidget(new QLabel(QStringLiteral("Change Form:")), 2, 0);
    tolGrid->addWidget(m_tForm, 2, 1, 1, 2);
    tolGrid->addWidget(cmdApl, 3, 1);
    middle->addWidget(tolerance, 1);

    auto* boxes = new QVBoxLayout;
    m_cIrRec = named(new QCheckBox(QStringLiteral("IR &REC")), "cIrRec");
    m_cOrder = named(new QCheckBox(QStringLiteral("Change Read Order")), "cOrder");
    auto* cExit = named(new QPushButton(QStringLiteral("&Close")), "cExit");
    boxes->addWidget(m_cIrRec);
    boxes->addWidget(m_cOrder);
    boxes->addStretch();
    boxes->addWidget(cExit);
    middle->addLayout(boxes);
    outer->addLayout(middle);

    // Moving the grid's cursor.
    auto* database = named(new QGroupBox(QStringLiteral("IR database")), "fraDatabase");
    auto* dbRow = new QHBoxLayout(database);
    auto* cmdPrev = named(new QPushButton(QStringLiteral("&Prev Col")), "cmdPrev");
    auto* cmdNext = named(new QPushButton(QStringLiteral("Ne&xt Col")), "cmdNext");
    auto* bEpy = named(new QPushButton(QStringLiteral("Emp&ty")), "bEpy");
    auto* cmdReset = named(new QPushButton(QStringLiteral("R&eset")), "cmdReset");
    auto* bNextRcu = named(new QPushButton(QStringLiteral("Next &Model")), "bNextRcu");
    m_tRow = named(new QLineEdit, "tRow");
    m_tCol = named(new QLineEdit, "tCol");
    m_tRow->setMaximumWidth(60);
    m_tCol->setMaximumWidth(60);
    auto* bSet = named(new QPushButton(QStringLiteral("&Set")), "bSet");
    for (QWidget* w : {static_cast<QWidget*>(cmdPrev), static_cast<QWidget*>(cmdNext),
                       static_cast<QWidget*>(bEpy), static_cast<QWidget*>(cmdReset),
                       static_cast<QWidget*>(bNextRcu)})
        dbRow->addWidget(w);
    dbRow->addWidget(new QLabel(QStringLiteral("Row:")));
    dbRow->addWidget(m_tRow);
    dbRow->addWidget(new QLabel(QStringLiteral("Col:")));
    dbRow->addWidget(m_tCol);
    dbRow->addWidget(bSet);
    outer->addWidget(database);

    // Jump panels.
    auto* panels = new QHBoxLayout;
    const char* posNames[] = {"tPos1", "tPos2", "tPos3", "tPos4", "tPos5"};
    const char* buttonNames[] = {"bP1", "bP2", "bP3", "bP4", "Command1"};
    for (int i = 0; i < 5; ++i) {
        m_tPos[i] = named(new QLineEdit, posNames[i]);
        m_tPos[i]->setMaximumWidth(60);
        auto* button =
            named(new QPushButton(QStringLiteral("Remark&%1").arg(i + 1)), buttonNames[i]);
        panels->addWidget(m_tPos[i]);
        panels->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] { jumpToPanel(m_session, i + 1); });
        connect(m_tPos[i], &QLineEdit::textEdited, this,
                [this, i](const QString& t) { m_session.code.tPos[i] = t.toStdString(); });
    }
    panels->addStretch();
    outer->addLayout(panels);

    m_tblCode = named(new QTableView, "tblCode");
    m_tblCode->installEventFilter(this);
    outer->addWidget(m_tblCode, 1);

    // Actions.
    Session& s = m_session;
    connect(cmdPrev, &QPushButton::clicked, this, [&s] { previousColumn(s); });
    connect(cmdNext, &QPushButton::clicked, this, [&s] { nextColumn(s); });
    connect(bEpy, &QPushButton::clicked, this, [&s] { emptyCell(s); });
    connect(cmdReset, &QPushButton::clicked, this, [&s] { resetColumns(s); });
    connect(bNextRcu, &QPushButton::clicked, this, [&s] { nextModel(s); });
    connect(bSet, &QPushButton::clicked, this, [&s] { setPosition(s); });
    connect(cmdApl, &QPushButton::clicked, this, [&s] { applyTolerance(s); });
    connect(cExit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cIrRec, &QCheckBox::clicked, this, [&s](bool on) { recordClicked(s, on); });
    connect(m_cOrder, &QCheckBox::clicked, this, [&s](bool on) { readOrderClicked(s, on); });
    connect(m_tblCode, &QTableView::clicked, this, [&s] { gridClicked(s); });
    connect(m_tForm, &QLineEdit::returnPressed, this, [&s] { formBoxEnter(s); });

    // Typed text goes to the session as it is typed.
    auto keep = [this](QLineEdit* box, std::string CodeWindowModel::*field) {
        connect(box, &QLineEdit::textEdited, this,
                [this, field](const QString& t) { m_session.code.*field = t.toStdString(); });
    };
    keep(m_t01Tole, &CodeWindowModel::t01Tole);
    keep(m_tXTime, &CodeWindowModel::tXTime);
    keep(m_tTTole, &CodeWindowModel::tTTole);
    keep(m_tForm, &CodeWindowModel::tForm);
    keep(m_tRow, &CodeWindowModel::tRow);
    keep(m_tCol, &CodeWindowModel::tCol);
    connect(m_cbTol->lineEdit(), &QLineEdit::textEdited, this,
            [&s](const QString& t) { s.code.cbTol = t.toStdString(); });
    connect(m_cbTol, &QComboBox::activated, this,
            [this, &s](int i) { s.code.cbTol = m_cbTol->itemText(i).toStdString(); });
    return central;
}

void FormCode::buildMenus() {
    Session& s = m_session;
    auto add = [this](QMenu* menu, const char* name, const QString& caption,
                      const QKeySequence& key, auto handler) {
        auto* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* function = menuBar()->addMenu(QStringLiteral("&Function"));
    add(function, "mnuRec", QStringLiteral("Ir Record"), Qt::Key_F9, [&s] { toggleRecording(s); });
    add(function, "mnuApply", QStringLiteral("Apply time tolerance set"), Qt::Key_F11,
        [&s] { applyTolerance(s); });
    function->addSeparator();
    add(function, "mnuExit", QStringLiteral("Exit"), Qt::Key_F4, [this] { close(); });

    QMenu* database = menuBar()->addMenu(QStringLiteral("&Database"));
    add(database, "mnuPCol", QStringLiteral("Previous Col"), Qt::Key_F3,
        [&s] { previousColumn(s); });
    add(database, "mnuNCol", QStringLiteral("Next Col"), Qt::Key_F5, [&s] { nextColumn(s); });
    add(database, "mnuEpy", QStringLiteral("Empty current record"), Qt::Key_F6,
        [&s] { emptyCell(s); });
    add(database, "mnuRst", QStringLiteral("Reset cells position"), Qt::Key_F7,
        [&s] { resetColumns(s); });
    database->addSeparator();
    add(database, "mnuSet", QStringLiteral("Set cells position"), Qt::Key_F8,
        [&s] { setPosition(s); });

    QMenu* jump = menuBar()->addMenu(QStringLiteral("&Jump"));
    const Qt::Key keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5};
    for (int i = 0; i < 5; ++i) {
        const QByteArray name = "mnuPanel" + QByteArray::number(i + 1);
        add(jump, name.constData(), QStringLiteral("Jump to Panel%1").arg(i + 1),
            QKeySequence(Qt::CTRL | keys[i]), [&s, i] { jumpToPanel(s, i + 1); });
    }
}

void FormCode::sessionChanged() {
    const CodeWindowModel& c = m_session.code;
    // The binary lines of each decode; typed text stays until the next one.
    if (m_session.last.decodes != m_decodesShown) {
        m_decodesShown = m_session.last.decodes;
        showText(m_tHexCode, m_session.last.decode.binary);
    }
    showText(m_lDspRslt, c.lDspRslt);
    m_lDspRslt->setStyleSheet(QStringLiteral("color: %1").arg(qs(c.lDspRsltColor)));
    showText(m_Lblcarr_wid, c.Lblcarr_wid);
    showText(m_Lblcarr_h, c.Lblcarr_h);
    showText(m_Lblcarr_f, c.Lblcarr_f);
    showText(m_t01Tole, c.t01Tole);
    showText(m_tXTime, c.tXTime);
    showText(m_tTTole, c.tTTole);
    showText(m_tForm, c.tForm);
    showText(m_tRow, c.tRow);
    showText(m_tCol, c.tCol);
    for (size_t i = 0; i < m_tPos.size(); ++i)
        showText(m_tPos[i], c.tPos[i]);
    if (m_cbTol->currentText() != qs(c.cbTol)) m_cbTol->setEditText(qs(c.cbTol));
    m_cIrRec->setChecked(c.cIrRec);
    m_cOrder->setChecked(c.cOrder);
    if (m_lGCyc->count() != static_cast<int>(c.lGCyc.size()) ||
        (m_lGCyc->count() > 0 &&
         m_lGCyc->item(m_lGCyc->count() - 1)->text() != qs(c.lGCyc.back()))) {
        m_lGCyc->clear();
        for (const auto& line : c.lGCyc)
            m_lGCyc->addItem(qs(line));
        m_lGCyc->scrollToBottom();
    }
    if (c.visible && !isVisible()) {
        show();
        raise();
        activateWindow();
    } else if (!c.visible && isVisible()) {
        hide();
    }
}

void FormCode::open() {
    openCodeWindow(m_session);
}

void FormCode::closeEvent(QCloseEvent* event) {
    closeCodeWindow(m_session);
    event->accept();
}

void FormCode::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activateCodeWindow(m_session);
    QMainWindow::changeEvent(event);
}

void FormCode::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_grid->isOpen()) m_grid->applyScroll();
}

bool FormCode::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tblCode && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            gridEnter(m_session);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void FormCode::reportStoreFailure(const QString& why) {
    m_session.message("The code database did not store the change: " + why.toStdString());
}

} // namespace qv
