#include "windows/catalogue/form_time.h"

#include "app/session.h"

#include "app/format_editor.h"
#include "engine/row_irp.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <initializer_list>

namespace qv {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// One item of a row of the frame: a caption, a text box, a unit after the
// previous box, or a check box.
struct Item {
    enum Kind { Caption, Box, Unit, Check } kind;
    const char* text;
    const char* name = nullptr;
};
Item cap(const char* t) {
    return {Item::Caption, t};
}
Item field(const char* name) {
    return {Item::Box, nullptr, name};
}
Item unit(const char* t) {
    return {Item::Unit, t};
}
Item check(const char* name, const char* t) {
    return {Item::Check, t, name};
}

struct Row {
    const char* heading; // the row's caption in the first column, or empty
    std::initializer_list<Item> items;
};

} // namespace

FormTime::FormTime(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("Form_time"));
    if (parent) setWindowFlag(Qt::Window);
    auto* outer = new QVBoxLayout(this);

    auto* slotRow = new QHBoxLayout;
    m_lAddFmt = new QLabel(QStringLiteral("Add or Modify's IR Format:"));
    m_lAddFmt->setObjectName(QStringLiteral("lAddFmt"));
    m_cAddFmt = new QComboBox;
    m_cAddFmt->setObjectName(QStringLiteral("cAddFmt"));
    for (const auto& slot : userSlots())
        m_cAddFmt->addItem(qs(slot));
    m_cAddFmt->setCurrentIndex(-1);
    slotRow->addWidget(m_lAddFmt);
    slotRow->addWidget(m_cAddFmt);
    slotRow->addStretch();
    outer->addLayout(slotRow);

    // A small screen scrolls the parameters instead of clipping them.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("frameScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(buildFrame());
    outer->addWidget(scroll, 1);

    // The row as IRP, written from its fields (and the edits not yet saved).
    auto* irpRow = new QHBoxLayout;
    m_tIrp = new QLineEdit;
    m_tIrp->setObjectName(QStringLiteral("tIrp"));
    m_tIrp->setReadOnly(true);
    auto* bIrp = new QPushButton(QStringLiteral("As &IRP"));
    bIrp->setObjectName(QStringLiteral("bIrp"));
    irpRow->addWidget(bIrp);
    irpRow->addWidget(m_tIrp, 1);
    outer->addLayout(irpRow);
    connect(bIrp, &QPushButton::clicked, this, &FormTime::showIrp);

    auto* buttons = new QHBoxLayout;
    m_saved = new QLabel;
    m_saved->setObjectName(QStringLiteral("lSaved"));
    m_saved->setTextFormat(Qt::PlainText);
    buttons->addWidget(m_saved);
    buttons->addStretch();
    m_bAddFmt = new QPushButton(QStringLiteral("&Add/Modify"));
    m_bAddFmt->setObjectName(QStringLiteral("bAddFmt"));
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("Cmd_close"));
    buttons->addWidget(m_bAddFmt);
    buttons->addWidget(close);
    outer->addLayout(buttons);

    connect(m_cAddFmt, &QComboBox::activated, this,
            [this](int i) { m_session.editor.cAddFmt = m_cAddFmt->itemText(i).toStdString(); });
    connect(m_bAddFmt, &QPushButton::clicked, this, &FormTime::save);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    m_session.addObserver(this);
    sessionChanged();
    // Room for every parameter where the screen has it.
    const QSize frame = m_frame->sizeHint();
    resize(frame.width() + 2 * outer->contentsMargins().left() + 4,
           frame.height() + m_bAddFmt->sizeHint().height() + m_cAddFmt->sizeHint().height() + 48);
    setMinimumSize(320, 240);
}

FormTime::~FormTime() {
    m_session.removeObserver(this);
}

QLineEdit* FormTime::box(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    const std::string key = name;
    connect(edit, &QLineEdit::textEdited, this,
            [this, key](const QString& t) { m_session.editor.box[key] = t.toStdString(); });
    // Numbers get narrow boxes; the structure, alias and remark take the room left.
    if (key == "tStru" || key == "tRemark")
        edit->setMinimumWidth(260);
    else if (key != "tAlias")
        edit->setMaximumWidth(90);
    m_boxes[key] = edit;
    return edit;
}

QWidget* FormTime::buildFrame() {
    m_frame = new QGroupBox(QStringLiteral("Standard Time(us)"));
    m_frame->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(m_frame);

    const Row rows[] = {
        {"",
         {cap("Structure:"), field("tStru"), cap("Alias:"), field("tAlias"), cap("Type:"),
          field("tType")}},
        {"Head:",
         {cap("Head1 B1 OSC:"), field("tHeadOsc"), cap("Head1 B1 Idle:"), field("tHeadIdle"),
          cap("Head2 OSC:"), field("tHead1Osc"), cap("Head2 Idle:"), field("tHead1Idle")}},
        {"", {cap("Head1 B2 OSC:"), field("tH1B2Osc"), cap("Head1 B2 Idle:"), field("tH1B2Idle")}},
        {"",
         {cap("Start bit:"), field("tSbits"), unit("bits"), cap("Address bit:"), field("tAddrBit"),
          unit("bits"), cap("Head bit:"), field("tHBits"), unit("bits")}},
        {"",
         {cap("Toggle bit:"), field("tTbits"), unit("bits"), cap("Toggle bits code:"),
          field("tTcode")}},
        {"",
         {cap("Fixed bit:"), field("tFixBits"), unit("bits"), cap("Fixed time:"), field("tFixTime"),
          cap("Fixed bits code:"), field("tFixCode")}},
        {"0,1 bit:",
         {cap("0 Osc time:"), field("t0Osc"), cap("0  Idle time:"), field("t0Idle"),
          cap("1 Osc time:"), field("t1Osc"), cap("1 Idle time:"), field("t1Idle")}},
        {"Code bits:",
         {cap("Customer code bits:"), field("tCBits"), cap("Reverse customer code bits:"),
          field("tRCBits"), cap("Data code bits:"), field("tDBits"), cap("Reverse data code bits:"),
          field("tRDbits")}},
        {"CF:", {cap("Osc:"), field("tCFOsc"), cap("T:"), field("tCF")}},
        {"", {cap("T1:"), field("tT1"), cap("T2:"), field("tT2")}},
        {"End bit:",
         {cap("Osc time:"), field("tEOsc"), cap("Idle time:"), field("tEIdle"),
          cap("Last Osc time:"), field("tLastOsc")}},
        {"", {cap("Tolerance:"), field("cTole"), cap("T Tole:"), field("tTTole")}},
        {"", {cap("Wait time:"), field("tXtime")}},
        {"Repeat code:",
         {check("cHead", "Head"), check("cData", "Data"), check("cEndbit", "End bit"),
          check("cGroup", "Whole group"), check("c2ndB", "2 End bit"),
          check("cG2RptB", "G2 repeat code")}},
        {"High bit in head:", {check("cCYes", "Yes"), check("cCNo", "No")}},
        {"",
         {cap("Quick press:"), field("tGroups"), unit("Groups"), cap("Remark:"), field("tRemark")}},
    };

    int r = 0;
    for (const Row& row : rows) {
        if (*row.heading) grid->addWidget(new QLabel(QString::fromLatin1(row.heading)), r, 0);
        auto* line = new QHBoxLayout;
        QLabel* lastCaption = nullptr;
        for (const Item& item : row.items) {
            switch (item.kind) {
            case Item::Caption:
                lastCaption = new QLabel(QString::fromLatin1(item.text));
                line->addWidget(lastCaption);
                break;
            case Item::Unit:
                line->addWidget(new QLabel(QString::fromLatin1(item.text)));
                break;
            case Item::Box:
                if (std::string(item.name) == "tType") {
                    m_tType = new QComboBox;
                    m_tType->setObjectName(QStringLiteral("tType"));
                    for (const char* t :
                         {"IB", "RIB", "HL", "Pulse", "MIS", "SE", "RCS16", "DNA", "OTHER"})
                        m_tType->addItem(QString::fromLatin1(t));
                    connect(m_tType, &QComboBox::activated, this, [this](int i) {
                        m_session.editor.box["tType"] = m_tType->itemText(i).toStdString();
                    });
                    m_tType->installEventFilter(this);
                    line->addWidget(m_tType);
                } else if (std::string(item.name) == "cTole") {
                    m_cTole = new QComboBox;
                    m_cTole->setObjectName(QStringLiteral("cTole"));
                    m_cTole->setEditable(true);
                    for (const char* t : {" 3%", " 4%", " 5%", " 6%", " 7%", " 8%", " 9%", "10%"})
                        m_cTole->addItem(QString::fromLatin1(t));
                    connect(m_cTole->lineEdit(), &QLineEdit::textEdited, this,
                            [this](const QString& t) {
                                m_session.editor.box["cTole"] = t.toStdString();
                            });
                    connect(m_cTole, &QComboBox::activated, this, [this](int i) {
                        m_session.editor.box["cTole"] = m_cTole->itemText(i).toStdString();
                    });
                    m_cTole->installEventFilter(this);
                    line->addWidget(m_cTole);
                } else {
                    line->addWidget(box(item.name));
                }
                // The caption names its box: Alt+key, and the messages about it.
                if (lastCaption) lastCaption->setBuddy(line->itemAt(line->count() - 1)->widget());
                lastCaption = nullptr;
                break;
            case Item::Check: {
                auto* c = new QCheckBox(QString::fromLatin1(item.text));
                c->setObjectName(QString::fromLatin1(item.name));
                const std::string key = item.name;
                connect(c, &QCheckBox::clicked, this,
                        [this, key](bool on) { m_session.editor.check[key] = on; });
                m_checks[key] = c;
                c->installEventFilter(this);
                line->addWidget(c);
                break;
            }
            }
        }
        line->addStretch();
        grid->addLayout(line, r, 1);
        ++r;
    }
    return m_frame;
}

void FormTime::sessionChanged() {
    const EditorModel& ed = m_session.editor;
    for (const auto& [name, edit] : m_boxes) {
        auto it = ed.box.find(name);
        const QString text = it == ed.box.end() ? QString() : qs(it->second);
        if (edit->text() != text) edit->setText(text);
    }
    {
        auto it = ed.box.find("tType");
        const QString type = it == ed.box.end() ? QString() : qs(it->second);
        int i = m_tType->findText(type);
        if (i < 0 && !type.isEmpty()) {
            // A stored type outside the list is kept, so a save writes it back.
            m_tType->addItem(type);
            i = m_tType->count() - 1;
        }
        if (m_tType->currentIndex() != i) m_tType->setCurrentIndex(i);
    }
    {
        auto it = ed.box.find("cTole");
        const QString tole = it == ed.box.end() ? QString() : qs(it->second);
        if (m_cTole->currentText() != tole) m_cTole->setEditText(tole);
    }
    for (const auto& [name, c] : m_checks) {
        auto it = ed.check.find(name);
        c->setChecked(it != ed.check.end() && it->second);
    }
    const int slot = m_cAddFmt->findText(qs(ed.cAddFmt));
    if (m_cAddFmt->currentIndex() != slot) m_cAddFmt->setCurrentIndex(slot);
    // Read-only, not disabled: disabled text is grey and hard to read.
    const bool readOnly = !ed.frameEnabled;
    for (const auto& [name, edit] : m_boxes)
        edit->setReadOnly(readOnly);
    m_cTole->lineEdit()->setReadOnly(readOnly);
    // The lists and check boxes take no click or key then (eventFilter).
    for (QWidget* w : std::initializer_list<QWidget*>{m_tType, m_cTole})
        w->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
    for (const auto& [name, c] : m_checks)
        c->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
    m_saved->setText(qs(ed.saved));
    m_lAddFmt->setVisible(ed.slotControlsVisible);
    m_cAddFmt->setVisible(ed.slotControlsVisible);
    m_bAddFmt->setVisible(ed.slotControlsVisible);
    setWindowTitle(qs(ed.caption));
    if (ed.visible && !isVisible()) {
        show();
        raise();
        activateWindow();
    } else if (!ed.visible && isVisible()) {
        hide();
    }
}

void FormTime::open(bool editable) {
    m_tIrp->clear();
    openFormatEditor(m_session, editable);
}

void FormTime::showIrp() {
    const engine::FormatRow row = m_session.format.cursor
                                      ? engine::FormatRow::fromCursor(*m_session.format.cursor)
                                      : engine::FormatRow();
    const engine::RowIrp irp = engine::rowIrp(row);
    m_tIrp->setText(irp.ok() ? qs(irp.irp)
                             : qs(row.key() + " cannot be written as IRP: field \"" + irp.field +
                                  "\": " + irp.why));
    m_tIrp->setCursorPosition(0);
}

void FormTime::save() {
    saveFormat(m_session);
}

bool FormTime::eventFilter(QObject* watched, QEvent* event) {
    if (!m_session.editor.frameEnabled) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormTime::keyPressEvent(QKeyEvent* event) {
    // Escape anywhere in the window: the controls leave it to the window.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormTime::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        m_closing = true;
        closeFormatEditor(m_session);
        m_closing = false;
    }
    event->accept();
}

} // namespace qv
