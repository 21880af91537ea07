#include "windows/main/form_main.h"

#include "app/session.h"

#include "app/capture_tick.h"
#include "app/dispatch.h"
#include "app/format_scan.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "catalogue/format_menus.h"
#include "link/capture_wait.h"
#include "link/link_control.h"
#include "platform/basic.h"
#include "waveform/measure.h"
#include "waveform/overlay.h"
#include "waveform/waveform.h"
#include "windows/main/capture_file.h"
#include "windows/main/colours.h"
#include "windows/main/demod_dialog.h"
#include "windows/main/form_analyse.h"
#include "windows/main/form_scan.h"
#include "windows/main/picture_widget.h"
#include "windows/main/press_log_dock.h"
#include "windows/main/protocol_views.h"
#include "windows/main/rule_button.h"
#include "windows/recording/secondary_windows.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <chrono>
#include <tuple>

namespace qv {

namespace {

using namespace std::chrono_literals;

const QString kTitle = QStringLiteral("Quorvel V2.0");

// The grid's sizes are given in twips; 15 twips make a pixel at 96 dpi.
int twips(int t) {
    return qRound(t / 15.0);
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// The code boxes hold CR LF line ends; the text widgets want plain LF.
QString boxText(const std::string& s) {
    return qs(s).replace("\r\n", "\n");
}

void setPlainIfChanged(QPlainTextEdit* box, const std::string& text) {
    const QString t = boxText(text);
    if (box->toPlainText() != t) box->setPlainText(t);
}

void setTextIfChanged(QLineEdit* box, const std::string& text) {
    const QString t = qs(text);
    if (box->text() != t) box->setText(t);
}

QLabel* caption(const QString& text, QWidget* parent = nullptr) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

void follow(QTimer* timer, bool on) {
    if (on && !timer->isActive()) timer->start();
    if (!on && timer->isActive()) timer->stop();
}

// The save dialog's filters and the kind each one writes.
struct SaveFilter {
    const char* filter;
    CaptureFileKind kind;
};
constexpr std::array<SaveFilter, 6> kSaveFilters = {
    {{"Time list (*.txt)", CaptureFileKind::TimeList},
     {"Signed raw (*.raw)", CaptureFileKind::SignedRaw},
     {"LIRC mode2 (*.mode2)", CaptureFileKind::Mode2},
     {"Pronto hex (*.pronto *.ccf)", CaptureFileKind::Pronto},
     {"Receiver message (*.bin)", CaptureFileKind::ReceiverMessage},
     {"All files (*)", CaptureFileKind::TimeList}}};

// "Copy code" on a code box's context menu: the whole code, without the
// trailing line end, whatever is selected.
void addCopyCodeMenu(QPlainTextEdit* box) {
    auto* copy = new QAction("Copy code", box);
    copy->setObjectName(box->objectName() + "Copy");
    QObject::connect(copy, &QAction::triggered, box,
                     [box] { QApplication::clipboard()->setText(box->toPlainText().trimmed()); });
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QWidget::customContextMenuRequested, box, [box, copy](QPoint at) {
        QMenu* menu = box->createStandardContextMenu(at);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction* first = menu->actions().value(0);
        menu->insertAction(first, copy);
        menu->insertSeparator(first);
        copy->setEnabled(!box->toPlainText().trimmed().isEmpty());
        menu->popup(box->viewport()->mapToGlobal(at));
    });
}

// The first local file among dropped URLs, if any.
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

} // namespace

Form_main::Form_main(Session& session, QWidget* parent) : QMainWindow(parent), m_s(session) {
    setObjectName("Form_main");
    setWindowTitle(kTitle);

    auto* central = new QWidget(this);
    // A small window shrinks the result panel first, then the table; each
    // scrolls what no longer fits instead of drawing over the other.
    auto* top = new QSplitter(Qt::Horizontal);
    top->setObjectName("splitTop");
    top->setChildrenCollapsible(false);
    QWidget* table = buildCapturePanel();
    auto* results = new QScrollArea;
    results->setObjectName("resultScroll");
    results->setFrameShape(QFrame::NoFrame);
    results->setWidgetResizable(true);
    results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    results->setWidget(buildResultPanel());
    results->setMinimumWidth(results->widget()->minimumWidth() + 14);
    top->addWidget(table);
    top->addWidget(results);
    top->setStretchFactor(0, 0);
    top->setStretchFactor(1, 1);
    top->setSizes({table->maximumWidth(), 460});
    auto* all = new QSplitter(Qt::Vertical);
    all->setObjectName("splitAll");
    all->setChildrenCollapsible(false);
    all->addWidget(top);
    all->addWidget(buildWavePanel());
    // The controls keep the height they need; the waveform takes the rest.
    all->setStretchFactor(0, 0);
    all->setStretchFactor(1, 1);
    all->setSizes({results->widget()->minimumSizeHint().height(), 400});
    auto* margins = new QVBoxLayout(central);
    margins->setContentsMargins(8, 6, 8, 8);
    margins->addWidget(all);
    setCentralWidget(central);
    buildMenus();
    auto* protocols = new ProtocolsWindow(menuBar()->findChild<QMenu*>("mnuIRMenu"), this);
    connect(protocols, &ProtocolsWindow::tableChanged, this, [this] { m_s.changed(); });
    auto* pressDock = new PressLogDock(m_s, this, menuBar()->findChild<QMenu*>("mnuIRMenu"));
    addAnalyseMenu(menuBar()->findChild<QMenu*>("mnuIRMenu"), m_s, pressDock);
    connect(pressDock, &PressLogDock::captureGenerated, this, [this] {
        refresh();
        captureArrived();
    });
    // The other windows; the code recording window exists before start-up.
    (new SecondaryWindows(m_s, this))->connectMenus(this);

    m_Timer1 = new CaptureWait(m_s, this);
    connect(m_Timer1, &QTimer::timeout, this, [this] {
        // The receiver unit measures its bursts: a capture from it after one
        // from a file is read without the demodulated mode.
        if (m_lastFromFile) setDemodulated(m_s, false);
        m_lastFromFile = false;
        if (captureTick(m_s)) drawWaveform(m_s);
        refresh();
        captureArrived();
    });
    m_Timer2 = new QTimer(this);
    m_Timer2->setObjectName("Timer2");
    m_Timer2->setInterval(500ms);
    connect(m_Timer2, &QTimer::timeout, this, [this] { timer2Tick(m_s); });
    m_Timer3 = new QTimer(this);
    m_Timer3->setObjectName("Timer3");
    m_Timer3->setInterval(100ms);
    connect(m_Timer3, &QTimer::timeout, this, [this] {
        timer3Tick(m_s);
        refresh();
    });

    m_s.addObserver(this);
    // Keypad zoom keys work wherever the focus is in this window.
    qApp->installEventFilter(this);
    setAcceptDrops(true);
    setMinimumSize(560, 420);
    resize(1180, 820);
    refresh();
}

Form_main::~Form_main() {
    m_s.removeObserver(this);
}

// --- building -------------------------------------------------------------

QWidget* Form_main::buildCapturePanel() {
    m_TTable = new QTableWidget(kDataRows, kDataCols);
    m_TTable->setObjectName("TTable");
    QFont f = m_TTable->font();
    f.setPointSize(10);
    m_TTable->setFont(f);
    m_TTable->horizontalHeader()->setFont(f);
    m_TTable->verticalHeader()->setFont(f);
    m_TTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_TTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_TTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_TTable->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (int c = 0; c < kDataCols; ++c)
        m_TTable->setColumnWidth(c, twips(1040));
    m_TTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_TTable->verticalHeader()->setDefaultSectionSize(20);
    m_TTable->verticalHeader()->setFixedWidth(twips(400));
    m_TTable->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (int r = 0; r < kDataRows; ++r) {
        m_TTable->setVerticalHeaderItem(r, new QTableWidgetItem);
        for (int c = 0; c < kDataCols; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_TTable->setItem(r, c, item);
        }
    }
    for (int c = 0; c < kDataCols; ++c)
        m_TTable->setHorizontalHeaderItem(c, new QTableWidgetItem);
    const int width = twips(400) + kDataCols * twips(1040) +
                      m_TTable->verticalScrollBar()->sizeHint().width() +
                      2 * m_TTable->frameWidth();
    // Its whole width when there is room; a scroll bar when there is not.
    m_TTable->setMaximumWidth(width);
    m_TTable->setMinimumWidth(twips(400) + 2 * twips(1040));
    return m_TTable;
}

QWidget* Form_main::buildResultPanel() {
    auto* panel = new QWidget;
    panel->setObjectName("resultPanel");
    panel->setMinimumWidth(220);
    auto* g = new QGridLayout(panel);
    g->setContentsMargins(6, 0, 0, 0);
    g->setVerticalSpacing(4);
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    m_irtype = new QLineEdit;
    m_irtype->setObjectName("irtype");
    m_irtype->setReadOnly(true);
    g->addWidget(caption("IR type:"), 0, 0);
    // Under the format name: another format that fits the last capture.
    m_alsoFits = new QLabel;
    m_alsoFits->setObjectName("lAlsoFits");
    m_alsoFits->setTextFormat(Qt::RichText);
    m_alsoFits->setWordWrap(true);
    m_alsoFits->setToolTip("Select this format");
    m_alsoFits->hide();
    connect(m_alsoFits, &QLabel::linkActivated, this, [this] {
        if (!m_alsoFitsCaption.empty()) chooseFormat(m_alsoFitsCaption);
    });
    auto* typeBox = new QVBoxLayout;
    typeBox->setSpacing(0);
    typeBox->addWidget(m_irtype);
    typeBox->addWidget(m_alsoFits);
    g->addLayout(typeBox, 0, 1, 1, 3);

    auto* codeForm = new QGroupBox;
    codeForm->setObjectName("fraCodeForm");
    auto* codeFormLayout = new QHBoxLayout(codeForm);
    codeFormLayout->setContentsMargins(8, 2, 8, 2);
    m_optHex = new QRadioButton("HEX");
    m_optHex->setObjectName("optHex");
    m_optOct = new QRadioButton("OCT");
    m_optOct->setObjectName("optOct");
    auto* codeGroup = new QButtonGroup(codeForm);
    codeGroup->addButton(m_optHex);
    codeGroup->addButton(m_optOct);
    codeFormLayout->addWidget(m_optHex);
    codeFormLayout->addWidget(m_optOct);
    codeFormLayout->addStretch();
    g->addWidget(codeForm, 1, 0, 1, 4);
    for (QRadioButton* b : {m_optHex, m_optOct})
        connect(b, &QRadioButton::clicked, this, [this, b] {
            m_s.decoding.octal = b == m_optOct;
            redecodeShown(m_s);
            refresh();
        });

    m_tHCode = new QPlainTextEdit;
    m_tHCode->setObjectName("tHCode");
    m_tBcode = new QPlainTextEdit;
    m_tBcode->setObjectName("tBcode");
    for (QPlainTextEdit* box : {m_tHCode, m_tBcode}) {
        box->setReadOnly(true);
        box->setFont(mono);
        // A long code wraps at its spaces rather than scroll sideways.
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setMinimumSize(120, 44);
        box->setMaximumHeight(78);
    }
    for (QPlainTextEdit* box : {m_tHCode, m_tBcode})
        addCopyCodeMenu(box);
    auto* codeAndProtocols = new QVBoxLayout;
    codeAndProtocols->addWidget(m_tHCode);
    codeAndProtocols->addWidget(new ProtocolLine(m_s));
    g->addLayout(codeAndProtocols, 2, 0, 1, 4);
    g->addWidget(caption("Bin:"), 3, 0, 1, 4);
    g->addWidget(m_tBcode, 4, 0, 1, 4);

    m_ErrRcd = new QListWidget;
    m_ErrRcd->setObjectName("ErrRcd");
    m_ErrRcd->setFont(mono);
    m_ErrRcd->setWordWrap(true);
    m_ErrRcd->setResizeMode(QListView::Adjust);
    m_ErrRcd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Choosing an error line shows the time it speaks of.
    connect(m_ErrRcd, &QListWidget::currentRowChanged, this, &Form_main::showErrorLine);
    g->addWidget(caption("UnNormal Record:"), 5, 0, 1, 4);
    m_ErrRcd->setMinimumHeight(60);
    g->addWidget(m_ErrRcd, 6, 0, 1, 4);
    g->setRowStretch(6, 1);

    m_tTole = new QLineEdit;
    m_tTole->setObjectName("tTole");
    m_tTTole = new QLineEdit;
    m_tTTole->setObjectName("tTTole");
    for (QLineEdit* box : {m_tTole, m_tTTole}) {
        box->setFixedWidth(80);
        // A file dropped here opens as a capture instead of pasting its name.
        box->setAcceptDrops(false);
    }
    g->addWidget(caption("0,1Time tolerance:"), 7, 0, 1, 2);
    g->addWidget(m_tTole, 7, 2);
    g->addWidget(caption("Cycle tolerance:"), 8, 0, 1, 2);
    g->addWidget(m_tTTole, 8, 2);
    g->addWidget(caption("us"), 8, 3);
    connect(m_tTole, &QLineEdit::returnPressed, this, [this] {
        if (toleranceBoxEnter(m_s, m_tTole->text().toStdString())) redecodeShown(m_s);
        refresh();
    });
    connect(m_tTTole, &QLineEdit::returnPressed, this, [this] {
        if (cycleToleranceBoxEnter(m_s, m_tTTole->text().toStdString())) redecodeShown(m_s);
        refresh();
    });

    m_cIgnoreT = new QCheckBox("Ignore Time");
    m_cIgnoreT->setObjectName("cIgnoreT");
    g->addWidget(m_cIgnoreT, 9, 0, 1, 4);
    connect(m_cIgnoreT, &QCheckBox::clicked, this, [this](bool checked) {
        setIgnoreTime(m_s, checked);
        redecodeShown(m_s);
        refresh();
    });

    auto* port = new QGroupBox("Comm Port:");
    port->setObjectName("fraComm");
    auto* portLayout = new QHBoxLayout(port);
    m_SelCom = new QComboBox;
    m_SelCom->setObjectName("SelCom");
    for (int n = 1; n <= 16; ++n)
        m_SelCom->addItem(QString("COM%1").arg(n));
    connect(m_SelCom, &QComboBox::activated, this, [this](int index) {
        selectPort(m_s, index);
        refresh();
    });
    m_Image1 = new QLabel;
    m_Image1->setObjectName("Image1");
    m_Image1->setFixedSize(40, 32);
    m_Image1->setAlignment(Qt::AlignCenter);
    m_Image1->setCursor(Qt::PointingHandCursor);
    m_Image1->installEventFilter(this);
    portLayout->addWidget(m_SelCom, 1);
    portLayout->addWidget(m_Image1);
    g->addWidget(port, 10, 0, 1, 4);

    auto* exit = new QPushButton("E&xit");
    exit->setObjectName("Command1");
    connect(exit, &QPushButton::clicked, this, &Form_main::exitProgram);
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(exit);
    g->addLayout(exitRow, 11, 0, 1, 4);
    g->setColumnStretch(1, 1);
    return panel;
}

QWidget* Form_main::buildWavePanel() {
    auto* panel = new QWidget;
    auto* g = new QGridLayout(panel);
    g->setContentsMargins(0, 4, 0, 0);
    g->setHorizontalSpacing(6);

    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    m_Picture1 = new PictureWidget(m_s.wave, m_s.last.marks);
    frameLayout->addWidget(m_Picture1);
    // Ctrl+V on the table or the waveform opens the pasted text as a file.
    for (QWidget* target : {static_cast<QWidget*>(m_TTable), static_cast<QWidget*>(m_Picture1)}) {
        auto* paste =
            new QShortcut(QKeySequence::Paste, target, nullptr, nullptr, Qt::WidgetShortcut);
        connect(paste, &QShortcut::activated, this, [this] {
            m_lastFromFile = true;
            const bool ran = openCaptureText(m_s, QApplication::clipboard()->text().toStdString());
            refresh();
            if (ran) captureArrived();
        });
    }
    g->addWidget(frame, 0, 0);
    connect(m_Picture1, &PictureWidget::pressed, this, [this](double x, MouseButton b) {
        pictureClick(m_s, x, b);
        refresh();
    });
    connect(m_Picture1, &PictureWidget::zoomed, this, [this](double factor, double x) {
        zoomAt(m_s, factor, x);
        refresh();
    });
    connect(m_Picture1, &PictureWidget::panned, this, [this](int from, double us) {
        panFrom(m_s, from, us);
        refresh();
    });

    m_HScroll1 = new QScrollBar(Qt::Horizontal);
    m_HScroll1->setObjectName("HScroll1");
    m_HScroll1->setRange(0, WaveformState::HScrollMax);
    g->addWidget(m_HScroll1, 1, 0);
    connect(m_HScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        hscrollChange(m_s, v);
        refresh();
    });

    auto* zoom = new QVBoxLayout;
    auto* zoomCaption = caption("IR wave zoom out multiple:");
    zoomCaption->setWordWrap(true);
    zoomCaption->setFixedWidth(92);
    m_Lblzoom = new QLabel;
    m_Lblzoom->setObjectName("Lblzoom");
    m_Lblzoom->setTextFormat(Qt::PlainText);
    m_Lblzoom->setAlignment(Qt::AlignCenter);
    m_Lblzoom->setFrameShape(QFrame::Panel);
    m_Lblzoom->setFrameShadow(QFrame::Sunken);
    QFont bold = m_Lblzoom->font();
    bold.setBold(true);
    m_Lblzoom->setFont(bold);
    m_VScroll1 = new QScrollBar(Qt::Vertical);
    m_VScroll1->setObjectName("VScroll1");
    m_VScroll1->setRange(0, kZoomBarMax);
    m_VScroll1->setSingleStep(kZoomBarMax / 40);
    m_VScroll1->setPageStep(kZoomBarMax / 8);
    m_VScroll1->setMinimumHeight(48);
    m_VScroll1->setMaximumHeight(96);
    connect(m_VScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        vscrollChange(m_s, v);
        refresh();
    });
    zoom->addWidget(zoomCaption);
    zoom->addWidget(m_Lblzoom);
    zoom->addWidget(m_VScroll1, 0, Qt::AlignHCenter);
    zoom->addStretch();
    g->addLayout(zoom, 0, 1, 2, 1);

    // Two rows, the second's caption wrapping, so that a narrow window keeps
    // every button.
    auto* bar = new QHBoxLayout;
    bar->addWidget(caption("Select single time line or double time lines:"));
    auto* lines = new QButtonGroup(panel);
    const char* names[3] = {"RED", "GREEN", "Both"};
    for (int i = 0; i < 3; ++i) {
        m_Option[i] = new QRadioButton(names[i]);
        m_Option[i]->setObjectName(QString("Option%1").arg(i + 1));
        lines->addButton(m_Option[i]);
        bar->addWidget(m_Option[i]);
        connect(m_Option[i], &QRadioButton::clicked, this, [this, i] {
            m_s.wave.selectedLine = i + 1;
            refresh();
        });
    }
    bar->addStretch();
    auto* nudgeBar = new QHBoxLayout;
    auto* nudgeCaption = caption("Display receive bits or the time interval of two time line: ");
    nudgeCaption->setWordWrap(true);
    nudgeBar->addWidget(nudgeCaption, 1);

    struct Nudge {
        const char* caption;
        const char* name;
        RuleButton which;
    };
    const Nudge nudges[4] = {{"<<", "Cmdredec", RuleButton::Redec},
                             {"<", "Cmddec", RuleButton::Dec},
                             {">", "Cmdadd", RuleButton::Add},
                             {">>", "Cmdreadd", RuleButton::Readd}};
    m_LblRGtime = new QLabel;
    m_LblRGtime->setObjectName("LblRGtime");
    m_LblRGtime->setTextFormat(Qt::PlainText);
    m_LblRGtime->setAlignment(Qt::AlignCenter);
    m_LblRGtime->setFrameShape(QFrame::Panel);
    m_LblRGtime->setFrameShadow(QFrame::Sunken);
    m_LblRGtime->setMinimumWidth(90);
    for (int i = 0; i < 4; ++i) {
        if (i == 2) nudgeBar->addWidget(m_LblRGtime);
        auto* b = new RuleNudgeButton(nudges[i].caption, nudges[i].which);
        b->setObjectName(nudges[i].name);
        b->setFixedWidth(36);
        nudgeBar->addWidget(b);
        connect(b, &RuleNudgeButton::mouseDown, this, [this](RuleButton which, MouseButton mb) {
            ruleButtonDown(m_s, which, mb);
            refresh();
        });
        connect(b, &RuleNudgeButton::mouseUp, this, [this](RuleButton which) {
            ruleButtonUp(m_s, which);
            refresh();
        });
    }
    g->addLayout(bar, 2, 0, 1, 2);
    g->addLayout(nudgeBar, 3, 0, 1, 2);
    g->setRowStretch(0, 1);
    g->setColumnStretch(0, 1);
    return panel;
}

void Form_main::buildMenus() {
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const QString& text, const char* name, const char* keys) {
        auto* a = menu->addAction(text);
        a->setObjectName(name);
        if (keys && *keys) a->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        return a;
    };

    QMenu* ir = bar->addMenu("&IRMenu");
    ir->setObjectName("mnuIRMenu");
    // The other windows' openers; their windows enable them.
    for (auto [text, name, keys] : {std::tuple{"Standard &Time Parameter", "mnusettime", "F5"},
                                    {"&Add Or Modify Format", "mnuAddFmt", "Ctrl+A"},
                                    {"&Record code and Set tolerance", "mnuviewcode", "F4"},
                                    {"&View Error Message", "mnuErrMes", "F3"},
                                    {"&View zoom IR Code", "mnuVCode", "Ctrl+D"}})
        add(ir, text, name, keys)->setEnabled(false);
    ir->addSeparator();
    for (auto [text, name, percent] : {std::tuple{"Time tolerance &3%", "mnu3per", 3},
                                       {"Time tolerance &5%", "mnu5Per", 5},
                                       {"Time tolerance &8%", "mnu8per", 8}}) {
        QAction* a = add(ir, text, name, nullptr);
        a->setCheckable(true);
        m_toleranceActions.push_back({percent, a});
        connect(a, &QAction::triggered, this, [this, percent] {
            toleranceMenu(m_s, percent);
            redecodeShown(m_s);
            refresh();
        });
    }
    m_mnuDemod = add(ir, "Demodulated capture", "mnuDemodulated", nullptr);
    m_mnuDemod->setCheckable(true);
    connect(m_mnuDemod, &QAction::triggered, this, [this](bool checked) {
        setDemodulated(m_s, checked);
        redecodeShown(m_s);
        refresh();
    });
    connect(add(ir, "Demodulated capture settings...", "mnuDemodSettings", nullptr),
            &QAction::triggered, this, [this] {
                Form_demod dialog(m_s.decoding.demod.settings, this);
                if (dialog.exec() != QDialog::Accepted) return;
                setDemodSettings(m_s, dialog.settings());
                redecodeShown(m_s);
                refresh();
            });
    ir->addSeparator();
    m_mnuAuto = add(ir, "Auto select Format", "mnuAuto", "Ctrl+F4");
    m_mnuCmp = add(ir, "Compare Sample RCU Code", "mnuCmp", "Ctrl+F5");
    for (QAction* a : {m_mnuAuto, m_mnuCmp})
        a->setCheckable(true);
    connect(m_mnuAuto, &QAction::triggered, this, [this] {
        m_s.format.automatic = !m_s.format.automatic;
        refresh();
    });
    connect(m_mnuCmp, &QAction::triggered, this, [this] {
        m_s.sample.on = !m_s.sample.on;
        refresh();
    });
    ir->addSeparator();
    connect(add(ir, "&Open capture...", "mnuOpenCapture", "Ctrl+O"), &QAction::triggered, this,
            &Form_main::chooseCaptureFile);
    connect(add(ir, "&Save capture as...", "mnuSaveCapture", "Ctrl+Shift+S"), &QAction::triggered,
            this, &Form_main::chooseSaveFile);
    connect(add(ir, "Save &waveform as...", "mnuSaveWave", nullptr), &QAction::triggered, this,
            &Form_main::chooseWaveFile);
    connect(add(ir, "Scan all formats...", "mnuScan", nullptr), &QAction::triggered, this,
            &Form_main::showScan);
    m_mumconnect = add(ir, "Dis&Connect", "mumconnect", nullptr);
    connect(m_mumconnect, &QAction::triggered, this, [this] {
        switchConnection(m_s);
        refresh();
    });
    ir->addSeparator();
    connect(add(ir, "E&xit", "mnuclose", nullptr), &QAction::triggered, this,
            &Form_main::exitProgram);

    // The numbered format menus go under one "Formats" menu, so that a
    // narrow window keeps "Other", "View" and "Help" on its menu bar.
    QMenu* formats = bar->addMenu("&Formats");
    formats->setObjectName("mnuFormats");
    const std::string lastMenu = formatMenuCaptions().back();
    QMenu* menu = nullptr;
    std::string menuCaption;
    int menuNumber = 0;
    for (const FormatMenuEntry& e : formatMenuEntries()) {
        if (!menu || e.menu != menuCaption) {
            menuCaption = e.menu;
            menu = e.menu == lastMenu ? bar->addMenu(qs(e.menu)) : formats->addMenu(qs(e.menu));
            menu->setObjectName(QString("mnuFormats%1").arg(++menuNumber));
        }
        if (e.separatorBefore) menu->addSeparator();
        QAction* a = add(menu, qs(e.caption), e.objectName.c_str(), e.shortcut.c_str());
        a->setEnabled(e.available);
        a->setCheckable(true);
        m_formatActions.push_back({e.key(), a});
        const std::string chosen = e.caption;
        connect(a, &QAction::triggered, this, [this, chosen] { chooseFormat(chosen); });
    }

    QMenu* view = bar->addMenu("&View");
    view->setObjectName("mnuViewMenu");
    auto* schemes = new QActionGroup(this);
    for (auto [text, name, scheme] :
         {std::tuple{"Colours of the &desktop", "mnuColoursDesktop", ColourScheme::Desktop},
          {"&Light colours", "mnuColoursLight", ColourScheme::Light},
          {"D&ark colours", "mnuColoursDark", ColourScheme::Dark}}) {
        QAction* a = add(view, text, name, nullptr);
        a->setCheckable(true);
        a->setChecked(scheme == colourScheme());
        schemes->addAction(a);
        connect(a, &QAction::triggered, this, [scheme] { applyColourScheme(scheme); });
    }

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("mnuHelpMenu");
    add(help, "Help &topic", "mnuHelp", "F1")->setEnabled(false);
}

// --- actions ------------------------------------------------------------

void Form_main::startUp() {
    qv::startUp(m_s);
    refresh();
}

bool Form_main::openCapture(const QString& path) {
    m_lastFromFile = true;
    const bool ran = openCaptureFile(m_s, QFile::encodeName(path).toStdString());
    refresh();
    if (ran) {
        m_captureDir = QFileInfo(path).absolutePath();
        captureArrived();
    }
    return ran;
}

bool Form_main::saveCapture(const QString& path) {
    const bool saved = saveCaptureFile(m_s, QFile::encodeName(path).toStdString());
    if (saved) m_captureDir = QFileInfo(path).absolutePath();
    return saved;
}

void Form_main::chooseCaptureFile() {
    QString dir = m_captureDir;
    if (dir.isEmpty()) dir = QDir(qs(m_s.env.resourceDir)).filePath("samples");
    if (!QDir(dir).exists()) dir = QDir::currentPath();
    // Many at once, for the statistics: each is a capture of this run, and
    // the last one stays shown.
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, "Open capture", dir,
        "Captures (*.bin *.txt *.raw *.mode2 *.pronto *.ccf);;Receiver message (*.bin);;"
        "Time list (*.txt);;Signed raw (*.raw);;LIRC mode2 (*.mode2);;"
        "Pronto hex (*.pronto *.ccf);;All files (*)");
    for (const QString& path : paths)
        openCapture(path);
}

void Form_main::chooseSaveFile() {
    if (!hasCapture(m_s)) {
        m_s.message("There is no capture to save yet.");
        return;
    }
    QStringList filters;
    for (const SaveFilter& f : kSaveFilters)
        filters << f.filter;
    const QString dir = m_captureDir.isEmpty() ? QDir::currentPath() : m_captureDir;
    QString chosen = filters.front();
    const QString path = QFileDialog::getSaveFileName(
        this, "Save capture as", QDir(dir).filePath("capture.txt"), filters.join(";;"), &chosen);
    if (path.isEmpty()) return;
    CaptureFileKind kind = CaptureFileKind::TimeList;
    for (const SaveFilter& f : kSaveFilters)
        if (chosen == f.filter) kind = f.kind;
    saveCapture(
        QFile::decodeName(captureSavePath(QFile::encodeName(path).toStdString(), kind).c_str()));
}

bool Form_main::saveWaveform(const QString& path) {
    const QSize size = m_Picture1->size();
    bool saved = false;
    // Written beside and renamed: a failed export leaves the old file whole.
    QSaveFile file(path);
    const bool opened = file.open(QIODevice::WriteOnly);
    if (opened && path.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle("Quorvel waveform");
        QPainter p;
        if (p.begin(&svg)) {
            m_Picture1->paintPicture(p, size);
            saved = p.end();
        }
        saved = saved && file.size() > 0 && file.commit();
    } else if (opened) {
        QImage image(size, QImage::Format_RGB32);
        {
            QPainter p(&image);
            m_Picture1->paintPicture(p, size);
        }
        saved = image.save(&file, "PNG") && file.commit();
    }
    if (!saved) m_s.message("The waveform could not be written to " + path.toStdString() + ".");
    return saved;
}

void Form_main::chooseWaveFile() {
    const QString png = "PNG image (*.png)", svg = "SVG drawing (*.svg)";
    const QString dir = m_captureDir.isEmpty() ? QDir::currentPath() : m_captureDir;
    QString chosen = png;
    QString path = QFileDialog::getSaveFileName(
        this, "Save waveform as", QDir(dir).filePath("waveform.png"), png + ";;" + svg, &chosen);
    if (path.isEmpty()) return;
    const QString suffix = chosen == svg ? ".svg" : ".png";
    if (QFileInfo(path).suffix().isEmpty()) path += suffix;
    saveWaveform(path);
}

void Form_main::showScan() {
    if (!hasCapture(m_s)) {
        m_s.message("There is no capture to scan yet.");
        return;
    }
    if (!m_scan) {
        m_scan = new Form_scan(m_s, this);
        connect(m_scan, &Form_scan::formatChosen, this, [this] {
            redecodeShown(m_s);
            refresh();
        });
    }
    if (!m_scan->scan()) return;
    m_scan->show();
    m_scan->raise();
    m_scan->activateWindow();
}

Form_scan* Form_main::scanWindow() const {
    return m_scan;
}

void Form_main::chooseFormat(const std::string& caption) {
    setIrtype(m_s, caption);
    redecodeShown(m_s);
    refresh();
}

// The hint and an open scan window follow every new capture.
void Form_main::captureArrived() {
    const auto fits = alsoFits(m_s);
    m_alsoFitsKey = fits ? fits->key : std::string();
    m_alsoFitsCaption = fits ? fits->caption : std::string();
    refreshAlsoFits();
    if (m_scan && m_scan->isVisible()) m_scan->scan();
    m_TTable->scrollToTop(); // a new capture shows from its beginning
}

void Form_main::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form_main::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    openCapture(path);
}

void Form_main::exitProgram() {
    close();
}

void Form_main::closeEvent(QCloseEvent* event) {
    // No window of the program outlives the main window.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    m_Timer1->stop();
    m_Timer2->stop();
    m_Timer3->stop();
    m_s.env.errorRecord.close();
    event->accept();
}

void Form_main::changeEvent(QEvent* event) {
    // New colours: the failing cells take the tint of the new scheme.
    if (event->type() == QEvent::PaletteChange) scheduleRefresh();
    QMainWindow::changeEvent(event);
}

bool Form_main::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_Image1 && event->type() == QEvent::MouseButtonPress) {
        switchConnection(m_s);
        refresh();
        return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        m_lastZoomKey = nullptr;
    } else if (event->type() == QEvent::KeyPress && event != m_lastZoomKey) {
        // A key a child leaves unhandled travels up to its parents; the
        // zoom reacts once, to its first delivery.
        auto* w = qobject_cast<QWidget*>(watched);
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (w && w->window() == this && (key->modifiers() & Qt::KeypadModifier) &&
            (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
            m_lastZoomKey = event;
            zoomKey(m_s, key->key() == Qt::Key_Plus ? kKeyAdd : kKeySubtract);
            refresh();
            return true; // a zoom key types nothing into the focused box
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- session observer -----------------------------------------------------

void Form_main::sessionChanged() {
    scheduleRefresh();
}

void Form_main::scheduleRefresh() {
    if (m_refreshPending) return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(
        this, [this] { refresh(); }, Qt::QueuedConnection);
}

void Form_main::sessionMessage(const std::string& text) {
    // Over the window the user works in (the format editor saying why it
    // refused), not over the main window behind it; it takes the keyboard.
    QWidget* over = QApplication::activeWindow();
    QWidget* ours = over;
    while (ours && ours != this)
        ours = ours->parentWidget();
    if (!ours) over = this;
    auto* box = new QMessageBox(QMessageBox::NoIcon, "Quorvel", qs(text), QMessageBox::Ok, over);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setDefaultButton(QMessageBox::Ok);
    box->open();
    box->raise();
    box->activateWindow();
}

void Form_main::sessionBeep() {
    QApplication::beep();
}

void Form_main::sessionTimersChanged() {
    followTimers();
}

void Form_main::followTimers() {
    follow(m_Timer2, m_s.link.idleTimer);
    follow(m_Timer3, m_s.wave.ruleTimer);
}

// --- refresh --------------------------------------------------------------

void Form_main::showErrorLine(int line) {
    const int mark = markOfErrorLine(m_s.last.errorLines, line, m_s.last.marks);
    if (mark < 0) return;
    showMark(m_s, mark);
    const DecodeMark& m = m_s.last.marks.marks[static_cast<size_t>(mark)];
    if (QTableWidgetItem* cell = m_TTable->item(static_cast<int>(m.row) - 1, m.col - 1)) {
        m_TTable->setCurrentItem(cell);
        m_TTable->scrollToItem(cell);
    }
    refresh();
}

void Form_main::refreshTable() {
    // The cells of the times the last decode failed on.
    std::vector<std::pair<long, int>> failing;
    for (const DecodeMark& m : m_s.last.marks.marks)
        if (!m.pass) failing.emplace_back(m.row, m.col);
    const bool dark = m_TTable->palette().color(QPalette::Base).lightness() < 128;
    const QBrush failBrush(dark ? QColor(120, 40, 40) : QColor(255, 200, 200));
    for (int c = 1; c <= kDataCols; ++c) {
        QTableWidgetItem* h = m_TTable->horizontalHeaderItem(c - 1);
        const QString t = qs(m_s.TTable.cell(0, c));
        if (h->text() != t) h->setText(t);
    }
    for (int r = 1; r <= kDataRows; ++r) {
        QTableWidgetItem* h = m_TTable->verticalHeaderItem(r - 1);
        const QString t = qs(m_s.TTable.cell(r, 0));
        if (h->text() != t) h->setText(t);
        for (int c = 1; c <= kDataCols; ++c) {
            QTableWidgetItem* item = m_TTable->item(r - 1, c - 1);
            const QString cell = qs(m_s.TTable.cell(r, c));
            if (item->text() != cell) item->setText(cell);
            const bool fails = std::find(failing.begin(), failing.end(),
                                         std::pair<long, int>(r, c)) != failing.end();
            const QBrush brush = fails ? failBrush : QBrush();
            if (item->background() != brush) item->setBackground(brush);
        }
    }
}

void Form_main::refreshIcon() {
    const QString name = qs(m_s.link.iconFile);
    if (name != m_Image1Shown) {
        m_Image1Shown = name;
        // A missing bitmap leaves the icon empty.
        m_Image1Icon = QPixmap(QDir(qs(m_s.env.resourceDir)).filePath(name));
        m_Image1->setToolTip(name.isEmpty() ? QString() : name);
        m_Image1->setPixmap(QPixmap());
    }
    // The blink clears the picture but keeps the label, so that its place
    // takes a click in either phase. Hidden only while it blinks or a
    // capture arrives: with both timers off nothing would show it again.
    const bool shown = (m_s.link.iconVisible || (!m_Timer1->isActive() && !m_s.link.idleTimer)) &&
                       !m_Image1Icon.isNull();
    if (shown == m_Image1->pixmap().isNull()) m_Image1->setPixmap(shown ? m_Image1Icon : QPixmap());
}

void Form_main::refreshAlsoFits() {
    // A hint only: it goes once its format is the selected one.
    const bool shown = !m_alsoFitsKey.empty() && m_alsoFitsKey != leftText(m_s.format.name, 7) &&
                       !m_s.last.capture.source.name.empty();
    if (shown) {
        const QString text = "Also fits: <a href=\"select\">" +
                             qs(withoutAccessKeys(m_alsoFitsCaption)).toHtmlEscaped() + "</a>";
        if (m_alsoFits->text() != text) m_alsoFits->setText(text);
    }
    if (m_alsoFits->isVisibleTo(this) != shown) m_alsoFits->setVisible(shown);
}

void Form_main::refresh() {
    m_refreshPending = false;
    // A decode again (another format, a setting) draws the frames it read at once.
    if (m_s.last.marks != m_drawnMarks) {
        m_drawnMarks = m_s.last.marks;
        drawWaveform(m_s);
    }
    refreshAlsoFits();
    refreshTable();
    setPlainIfChanged(m_tHCode, m_s.last.decode.shown);
    setPlainIfChanged(m_tBcode, m_s.last.binaryShown());

    bool sameErrors = m_ErrRcd->count() == static_cast<int>(m_s.last.errorLines.size());
    for (int i = 0; sameErrors && i < m_ErrRcd->count(); ++i)
        sameErrors = m_ErrRcd->item(i)->text() == qs(m_s.last.errorLines[i]);
    if (!sameErrors) {
        m_ErrRcd->clear();
        for (const auto& line : m_s.last.errorLines)
            m_ErrRcd->addItem(qs(line));
    }

    if (m_tolerancesShown != m_s.decoding.tolerancesShown) {
        m_tolerancesShown = m_s.decoding.tolerancesShown;
        setTextIfChanged(m_tTole, toleranceText(m_s.decoding.timeTolerance));
        setTextIfChanged(m_tTTole, cycleToleranceText(m_s.decoding.cycleTolerance));
    }
    if (m_irtype->text() != qs(m_s.format.name)) {
        // A long name shows its key ("Form012") and the start of its name.
        m_irtype->setText(qs(m_s.format.name));
        m_irtype->setCursorPosition(0);
        m_irtype->setToolTip(m_irtype->text());
    }
    m_cIgnoreT->setChecked(m_s.decoding.ignoreTime);
    (m_s.decoding.octal ? m_optOct : m_optHex)->setChecked(true);
    {
        const QSignalBlocker block(m_SelCom);
        m_SelCom->setCurrentIndex(m_s.link.portPosition < 0 ? 0 : m_s.link.portPosition);
    }
    refreshIcon();
    m_LblRGtime->setText(qs(ruleBoxText(m_s.wave)));
    const int line = m_s.wave.selectedLine;
    m_Option[(line >= 1 && line <= 3 ? line : 3) - 1]->setChecked(true);

    const WaveformState& w = m_s.wave;
    {
        const QSignalBlocker blockV(m_VScroll1);
        const QSignalBlocker blockH(m_HScroll1);
        m_VScroll1->setValue(w.VScroll1);
        m_HScroll1->setValue(w.HScroll1);
        // A scroll step is a hundredth of the visible width.
        const int step = std::max(1, static_cast<int>(w.ScaleWidth / 100 / kScrollUnitUs));
        m_HScroll1->setSingleStep(step);
        m_HScroll1->setPageStep(10 * step);
    }
    m_Lblzoom->setText(qs(w.Lblzoom));
    m_Picture1->update();

    m_mnuDemod->setChecked(m_s.decoding.demod.on);
    const std::string source = m_s.last.capture.source.shown();
    QString title = source.empty() ? kTitle : kTitle + " - " + qs(source);
    if (m_s.decoding.demod.on)
        title += QString(" - demodulated capture (burst excess %1 µs%2)")
                     .arg(m_s.last.decode.burstExcess)
                     .arg(m_s.last.decode.lastFrameLeftOut ? ", last frame cut off: left out" : "");
    if (windowTitle() != title) setWindowTitle(title);
    const std::string key = m_s.format.name.substr(0, 7);
    for (const auto& [entryKey, a] : m_formatActions)
        a->setChecked(entryKey == key);
    for (const auto& [percent, a] : m_toleranceActions)
        a->setChecked(m_s.decoding.timeTolerance == single(percent / 100.0));
    m_mnuAuto->setChecked(m_s.format.automatic);
    m_mnuCmp->setChecked(m_s.sample.on);
    m_mumconnect->setText(qs(m_s.link.connectCaption));
    followTimers();
}

} // namespace qv
