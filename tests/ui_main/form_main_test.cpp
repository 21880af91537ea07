// The main window on the offscreen platform: what it shows after start-up,
// its menus and tolerance controls, a capture opened from a file, zoom keys
// and the rule lines.
#include "windows/main/form_generate.h"
#include "windows/main/form_main.h"
#include "windows/main/picture_widget.h"
#include "windows/main/press_log_dock.h"
#include "catalogue/catalogue_build.h"
#include "catalogue/format_menus.h"
#include "link/link_control.h"
#include "platform/serial_port.h"
#include "waveform/measure.h"
#include "waveform/overlay.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>

#include <memory>

using namespace qv;

namespace {

const QString kSourceDir = QStringLiteral(QV_SOURCE_DIR);

// A started main window over a session with a fresh catalogue, a memory
// port and the error record in a temporary folder.
struct Window {
    QTemporaryDir dir;
    Session s;
    MemoryPort port;
    std::unique_ptr<Form_main> w;

    explicit Window(int missingPort = 0) {
        const QString db = dir.filePath("IRTime.db");
        buildCatalogueIfMissing((kSourceDir + "/data/catalogue.sql").toStdString(),
                                db.toStdString());
        s.cataloguePath = db.toStdString();
        s.errorRecord.setPath(errorRecordPath().toStdString());
        port.setMissingPort(missingPort);
        s.port = &port;
        w = std::make_unique<Form_main>(s);
        w->startUp();
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) qFatal("the main window was not shown");
    }
    QString errorRecordPath() const { return dir.filePath("Error record.txt"); }

    template <class T> T* get(const char* name) const {
        T* c = w->findChild<T*>(name);
        if (!c) qFatal("no control %s", name);
        return c;
    }
    QString text(const char* name) const {
        QObject* c = w->findChild<QObject*>(name);
        if (auto* e = qobject_cast<QLineEdit*>(c)) return e->text();
        if (auto* p = qobject_cast<QPlainTextEdit*>(c)) return p->toPlainText();
        if (auto* l = qobject_cast<QLabel*>(c)) return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(c)) return b->text();
        if (auto* a = qobject_cast<QAction*>(c)) return a->text();
        if (auto* cb = qobject_cast<QComboBox*>(c)) return cb->currentText();
        qFatal("no text control %s", name);
    }
    QStringList errorLines() const {
        QStringList out;
        auto* list = get<QListWidget>("ErrRcd");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void trigger(const char* action) { get<QAction>(action)->trigger(); }
    PictureWidget* picture() const { return get<PictureWidget>("Picture1"); }
    QMessageBox* messageBox() const { return w->findChild<QMessageBox*>(); }
};

// A text capture written into the window's folder.
QString writeCapture(const Window& win, const QString& name, const QByteArray& text) {
    const QString path = win.dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

QString necSample() {
    return kSourceDir + "/data/samples/nec-00-12.txt";
}

} // namespace

class FormMainTest : public QObject {
    Q_OBJECT

private slots:
    void startUpShowsTheDefaults();
    void controlsCarryTheirCaptions_data();
    void controlsCarryTheirCaptions();
    void menuBarHoldsTheFormatMenus();
    void irMenuEntries_data();
    void irMenuEntries();
    void choosingAFormatEntrySelectsIt_data();
    void choosingAFormatEntrySelectsIt();
    void formatShortcutsWorkButHlAndSeDoNot();
    void checkMarkTogglesInvertOnly();
    void toleranceMenus_data();
    void toleranceMenus();
    void toleranceBoxesTakeTheirTextOnEnter_data();
    void toleranceBoxesTakeTheirTextOnEnter();
    void ignoreTimeWidensTheToleranceAndLeavesTheBox();
    void openingTheNecSampleFillsTheWindow();
    void aDamagedCaptureListsItsErrorsAndAppendsThem();
    void anUnreadableCaptureFileIsReported();
    void aMissingPortShowsTheMessageBox();
    void zoomKeysStopAtBothEnds();
    void zoomKeysStepOnceAndTypeNothing_data();
    void zoomKeysStepOnceAndTypeNothing();
    void ruleClicksPlaceTheLines();
    void heldNudgeButtonRepeatsUntilReleased();
    void middleButtonOnANudgeButtonOnlyStopsTheRepeat();
    void wheelZoomsAndPansAndTheMiddleButtonDrags();
    void hoverAndSavedWaveformShowTheTrace();
    void codeBoxesCopyTheirCode();
    void anErrorLineShowsItsTimeAndCell();
    void exitClosesEveryWindow();
    void theLinkIconTakesAClickInEveryPhase();
    void aChangedSettingDecodesTheShownCaptureAgain_data();
    void aChangedSettingDecodesTheShownCaptureAgain();
    void aSmallWindowKeepsEveryControlReachable();
    void generatedCapturesAreListedAndSummedUp();
};

void FormMainTest::startUpShowsTheDefaults() {
    Window win;
    QCOMPARE(win.w->windowTitle(), QString("Quorvel V2.0"));
    QCOMPARE(win.text("tTole"), QString("3%"));
    QCOMPARE(win.text("tTTole"), QString("500"));
    QCOMPARE(win.text("irtype"), QString("Form016(NEC N-8)"));
    QCOMPARE(win.text("SelCom"), QString("COM1"));
    QVERIFY(win.port.isOpen());
    QCOMPARE(win.text("LblRGtime"), QString());
    QCOMPARE(win.text("Lblzoom"), QString(" X10 "));
    QCOMPARE(win.text("tHCode"), QString());
    QCOMPARE(win.text("tBcode"), QString());
    QVERIFY(win.errorLines().isEmpty());
    QVERIFY(!win.get<QCheckBox>("cIgnoreT")->isChecked());
    QVERIFY(win.get<QRadioButton>("optHex")->isChecked());
    QVERIFY(win.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(win.get<QTimer>("Timer2")->isActive());
    QVERIFY(!win.get<QTimer>("Timer1")->isActive());
    QVERIFY(!win.get<QTimer>("Timer3")->isActive());
    QVERIFY(win.messageBox() == nullptr);

    auto* table = win.get<QTableWidget>("TTable");
    QCOMPARE(table->rowCount(), 64);
    QCOMPARE(table->columnCount(), 10);
    QCOMPARE(table->font().pointSize(), 10);
    QCOMPARE(table->verticalHeader()->width(), 27); // 400 twips
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(table->horizontalHeaderItem(c)->text(), QString::number(c + 1));
        QCOMPARE(table->columnWidth(c), 69); // 1040 twips
    }
    for (int r = 0; r < 64; ++r) {
        QCOMPARE(table->verticalHeaderItem(r)->text(), QString::number(r + 1));
        for (int c = 0; c < 10; ++c)
            QVERIFY(table->item(r, c)->text().isEmpty());
    }
}

void FormMainTest::controlsCarryTheirCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const std::pair<const char*, const char*> rows[] = {
        {"Command1", "E&xit"}, {"cIgnoreT", "Ignore Time"}, {"optHex", "HEX"},
        {"optOct", "OCT"},     {"Option1", "RED"},          {"Option2", "GREEN"},
        {"Option3", "Both"},   {"Cmdredec", "<<"},          {"Cmddec", "<"},
        {"Cmdadd", ">"},       {"Cmdreadd", ">>"}};
    for (auto [name, caption] : rows)
        QTest::newRow(name) << name << caption;
    for (const char* label :
         {"IR type:", "Bin:", "UnNormal Record:", "0,1Time tolerance:", "Cycle tolerance:", "us",
          "Select single time line or double time lines:",
          "Display receive bits or the time interval of two time line: ",
          "IR wave zoom out multiple:"})
        QTest::newRow(label) << QString() << label;
    QTest::newRow("Comm Port:") << "fraComm"
                                << "Comm Port:";
}

void FormMainTest::controlsCarryTheirCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Window win;
    if (name.isEmpty()) {
        bool found = false;
        for (QLabel* l : win.w->findChildren<QLabel*>())
            found = found || l->text() == caption;
        QVERIFY2(found, qPrintable("no label " + caption));
    } else if (auto* frame = win.w->findChild<QGroupBox*>(name)) {
        QCOMPARE(frame->title(), caption);
    } else {
        QCOMPARE(win.text(name.toLatin1().constData()), caption);
    }
}

void FormMainTest::menuBarHoldsTheFormatMenus() {
    Window win;
    QStringList titles;
    for (QAction* a : win.w->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles, QStringList({"&IRMenu", "Form0&01~020", "Form021~040", "Form0&41~060",
                                  "Form0&61-080", "Form81~100", "Form&101~120", "&Form121~140",
                                  "Form141~160", "&Other", "&Help"}));

    int entries = 0, separators = 0;
    for (QAction* top : win.w->menuBar()->actions().mid(1, 9)) {
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator())
                ++separators;
            else
                ++entries;
        }
    }
    QCOMPARE(entries, 164);
    QCOMPARE(separators, 7);

    // A sample of entries exactly as listed, with their shortcuts.
    QCOMPARE(win.text("mnuform001"), QString("Form001(&AIWA*SANYO)"));
    QCOMPARE(win.text("mnuform031"), QString("Form031(RC-5 &Extension)"));
    QCOMPARE(win.get<QAction>("mnuform031")->shortcut(), QKeySequence("Ctrl+F11"));
    QCOMPARE(win.text("mnuForm100"), QString("Form100(TYPE2&2)"));
    QCOMPARE(win.text("mnuForm132"), QString("Form132(JVC AEHA; Similar Form012)"));
    QCOMPARE(win.get<QAction>("mnuform016")->shortcut(), QKeySequence(Qt::Key_F6));
    QCOMPARE(win.get<QAction>("mnuForm065")->shortcut(), QKeySequence(Qt::Key_F8));
    QVERIFY(win.get<QAction>("mnuRib")->isEnabled());
    QVERIFY(win.get<QAction>("mnuIB")->isEnabled());
    QVERIFY(!win.get<QAction>("mnuHL")->isEnabled());
    QVERIFY(!win.get<QAction>("mnuSe")->isEnabled());
    QCOMPARE(win.get<QAction>("mnuSe")->shortcut(), QKeySequence("Ctrl+S"));
}

void FormMainTest::irMenuEntries_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("enabled");
    struct Row {
        const char *name, *caption, *keys;
        bool enabled;
    };
    const Row rows[] = {{"mnusettime", "Standard &Time Parameter", "F5", true},
                        {"mnuAddFmt", "&Add Or Modify Format", "Ctrl+A", true},
                        {"mnuviewcode", "&Record code and Set tolerance", "F4", true},
                        {"mnuErrMes", "&View Error Message", "F3", true},
                        {"mnuVCode", "&View zoom IR Code", "Ctrl+D", true},
                        {"mnuHelp", "Help &topic", "F1", true},
                        {"mnu3per", "Time tolerance &3%", "", true},
                        {"mnu5Per", "Time tolerance &5%", "", true},
                        {"mnu8per", "Time tolerance &8%", "", true},
                        {"mnuAuto", "Auto select Format", "Ctrl+F4", true},
                        {"mnuCmp", "Compare Sample RCU Code", "Ctrl+F5", true},
                        {"mumconnect", "Dis&Connect", "", true},
                        {"mnuOpenCapture", "&Open capture...", "Ctrl+O", true},
                        {"mnuSaveCapture", "&Save capture as...", "Ctrl+Shift+S", true},
                        {"mnuSaveWave", "Save &waveform as...", "", true},
                        {"mnuScan", "Scan all formats...", "", true},
                        {"mnuPresses", "Captures of this &run", "", true},
                        {"mnuGenerate", "&Generate capture...", "", true},
                        {"mnuStatistics", "Stat&istics...", "", true},
                        {"mnuclose", "E&xit", "", true}};
    for (const Row& r : rows)
        QTest::newRow(r.name) << r.name << r.caption << r.keys << r.enabled;
}

void FormMainTest::irMenuEntries() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, keys);
    QFETCH(bool, enabled);
    Window win;
    auto* a = win.get<QAction>(name.toLatin1().constData());
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->shortcut(), QKeySequence(keys));
    QCOMPARE(a->isEnabled(), enabled);
}

void FormMainTest::choosingAFormatEntrySelectsIt_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("irtype");
    QTest::addColumn<QString>("key");
    QTest::newRow("captionWithAccessKey") << "mnuform001"
                                          << "Form001(AIWA*SANYO)"
                                          << "Form001";
    QTest::newRow("bareKey79") << "mnuForm079"
                               << "Form079"
                               << "Form079";
    QTest::newRow("bareKey99") << "mnuForm099"
                               << "Form099"
                               << "Form099";
    QTest::newRow("lastSlot") << "mnuForm160"
                              << "Form160"
                              << "Form160";
    QTest::newRow("genericRib") << "mnuRib"
                                << "RIB"
                                << "RIB";
}

void FormMainTest::choosingAFormatEntrySelectsIt() {
    QFETCH(QString, name);
    QFETCH(QString, irtype);
    QFETCH(QString, key);
    Window win;
    win.trigger(name.toLatin1().constData());
    QCOMPARE(win.text("irtype"), irtype);
    QVERIFY(win.s.CurFormat && win.s.CurFormat->hasRow());
    QCOMPARE(QString::fromStdString(win.s.CurFormat->key()), key);
    // The format menus check the chosen entry, and only it.
    QStringList checked;
    for (QAction* top : win.w->menuBar()->actions().mid(1, 9))
        for (QAction* a : top->menu()->actions())
            if (a->isChecked()) checked << a->objectName();
    QCOMPARE(checked, QStringList{name});
}

void FormMainTest::formatShortcutsWorkButHlAndSeDoNot() {
    Window win;
    win.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
    // The caption's access-key mark is no part of the name (also in titles).
    QTest::keyClick(win.w.get(), Qt::Key_F2);
    QCOMPARE(win.text("irtype"), QString("Form030(RC-5)"));
    QTest::keyClick(win.w.get(), Qt::Key_H, Qt::ControlModifier);
    QTest::keyClick(win.w.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(win.text("irtype"), QString("Form030(RC-5)"));
    QCOMPARE(win.s.editor.caption, std::string("Form030(RC-5) standard time parameter"));
    QTest::keyClick(win.w.get(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(win.text("irtype"), QString("RIB"));
    QTest::keyClick(win.w.get(), Qt::Key_F6);
    QCOMPARE(win.text("irtype"), QString("Form016(NEC N-8)"));
}

void FormMainTest::checkMarkTogglesInvertOnly() {
    Window win;
    auto* automatic = win.get<QAction>("mnuAuto");
    auto* compare = win.get<QAction>("mnuCmp");
    QVERIFY(!automatic->isChecked() && !compare->isChecked());
    automatic->trigger();
    QVERIFY(automatic->isChecked() && win.s.mnuAuto);
    QVERIFY(!compare->isChecked() && !win.s.mnuCmp);
    compare->trigger();
    automatic->trigger();
    QVERIFY(!automatic->isChecked() && !win.s.mnuAuto);
    QVERIFY(compare->isChecked() && win.s.mnuCmp);
    QCOMPARE(win.text("irtype"), QString("Form016(NEC N-8)"));
    QCOMPARE(win.text("tTole"), QString("3%"));
}

void FormMainTest::toleranceMenus_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<float>("time");
    QTest::addColumn<float>("cycle");
    QTest::addColumn<QString>("tTole");
    QTest::addColumn<QString>("tTTole");
    QTest::newRow("5%") << "mnu5Per" << 0.05f << 1000.0f << "5%"
                        << "1000";
    QTest::newRow("8%") << "mnu8per" << 0.08f << 1500.0f << "8%"
                        << "1500";
    QTest::newRow("3% after 8%") << "mnu3per" << 0.03f << 500.0f << "3%"
                                 << "500";
}

void FormMainTest::toleranceMenus() {
    QFETCH(QString, name);
    QFETCH(float, time);
    QFETCH(float, cycle);
    QFETCH(QString, tTole);
    QFETCH(QString, tTTole);
    Window win;
    win.trigger("mnu8per");
    win.trigger(name.toLatin1().constData());
    QCOMPARE(win.s.TimeTolerance, time);
    QCOMPARE(win.s.CycleTolerance, cycle);
    QCOMPARE(win.text("tTole"), tTole);
    QCOMPARE(win.text("tTTole"), tTTole);
    for (const char* entry : {"mnu3per", "mnu5Per", "mnu8per"})
        QCOMPARE(win.get<QAction>(entry)->isChecked(), name == entry);
}

void FormMainTest::toleranceBoxesTakeTheirTextOnEnter_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<float>("time");
    QTest::addColumn<float>("cycle");
    QTest::addColumn<QString>("shown"); // the box after Enter; a refused text brings a message
    QTest::newRow("percentText") << "tTole"
                                 << "5%" << 0.05f << 500.0f << "5%";
    QTest::newRow("fraction") << "tTole"
                              << "12.5" << 0.125f << 500.0f << "12.5";
    QTest::newRow("noNumberIsRefused") << "tTole"
                                       << "abc" << 0.03f << 500.0f << "3%";
    QTest::newRow("zeroIsRefused") << "tTole"
                                   << "0" << 0.03f << 500.0f << "3%";
    QTest::newRow("hundredIsRefused") << "tTole"
                                      << "100%" << 0.03f << 500.0f << "3%";
    QTest::newRow("cycleRoundsDown") << "tTTole"
                                     << "750.9" << 0.03f << 750.0f << "750.9";
    QTest::newRow("cycleRefusesText") << "tTTole"
                                      << "abc" << 0.03f << 500.0f << "500";
}

void FormMainTest::toleranceBoxesTakeTheirTextOnEnter() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(float, time);
    QFETCH(float, cycle);
    QFETCH(QString, shown);
    Window win;
    auto* edit = win.get<QLineEdit>(box.toLatin1().constData());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typed);
    // Typing alone changes nothing.
    QCOMPARE(win.s.TimeTolerance, 0.03f);
    QCOMPARE(win.s.CycleTolerance, 500.0f);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(win.s.TimeTolerance, time);
    QCOMPARE(win.s.CycleTolerance, cycle);
    QCOMPARE(edit->text(), shown); // a taken text is not reformatted
    QCOMPARE(win.messageBox() != nullptr, shown != typed);
}

void FormMainTest::ignoreTimeWidensTheToleranceAndLeavesTheBox() {
    Window win;
    auto* box = win.get<QCheckBox>("cIgnoreT");
    const QPoint onTheBox(8, box->height() / 2);
    QTest::mouseClick(box, Qt::LeftButton, {}, onTheBox);
    QVERIFY(box->isChecked() && win.s.cIgnoreT);
    QCOMPARE(win.s.TimeTolerance, 0.15f);
    QCOMPARE(win.text("tTole"), QString("3%"));
    QTest::mouseClick(box, Qt::LeftButton, {}, onTheBox);
    QVERIFY(!box->isChecked() && !win.s.cIgnoreT);
    QCOMPARE(win.s.TimeTolerance, 0.15f);
}

void FormMainTest::openingTheNecSampleFillsTheWindow() {
    Window win;
    QVERIFY(win.w->openCapture(necSample()));
    auto* table = win.get<QTableWidget>("TTable");
    const std::tuple<int, int, const char*> cells[] = {
        {1, 1, "9000"}, {1, 2, "4500"},   {1, 3, "562"}, {2, 10, "1688"},
        {7, 9, "9000"}, {8, 6, "248885"}, {8, 7, ""},    {63, 10, ""}};
    for (auto [r, c, text] : cells)
        QCOMPARE(table->item(r - 1, c - 1)->text(), QString(text));
    for (int r = 1; r <= 64; ++r)
        for (int c = 1; c <= 10; ++c)
            QCOMPARE(table->item(r - 1, c - 1)->text(),
                     QString::fromStdString(win.s.TTable.cell(r, c)));

    QCOMPARE(win.text("tHCode"), QString("00 FF 12 ED \n"));
    QCOMPARE(win.text("tBcode"), QString("00000000 11111111 01001000 10110111 \n"));
    QVERIFY(win.errorLines().isEmpty());
    QCOMPARE(win.w->windowTitle(), QString("Quorvel V2.0 - nec-00-12.txt - demodulated capture (burst excess 0 us)"));
    QCOMPARE(win.s.LblRGtime, std::to_string(win.s.RxBytes.size()));
    QCOMPARE(win.text("LblRGtime"), QString()); // no rule line placed yet
    QCOMPARE(win.s.wave.rows.size(), size_t(4));
    QVERIFY(win.s.wave.lines.size() > 3 * 32);
    QVERIFY(win.get<QTimer>("Timer2")->isActive());
}

void FormMainTest::aDamagedCaptureListsItsErrorsAndAppendsThem() {
    Window win;
    QFile sample(necSample());
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QByteArray text = sample.readAll();
    // The third bit of the customer code: a gap that is neither 0 nor 1.
    const int third =
        text.indexOf("562 562", text.indexOf("562 562", text.indexOf("562 562") + 1) + 1);
    text.replace(third, 7, "562 1200");
    QVERIFY(win.w->openCapture(writeCapture(win, "damaged.txt", text)));

    const QStringList expected = {"Group 1:0 or 1's Idle time is error!",
                                  "0 Idle standard time:562", "1 Idle standard time:1688",
                                  "0 or 1's Idle test time:1200"};
    QCOMPARE(win.errorLines(), expected);
    QCOMPARE(win.text("tHCode"), QString());
    QCOMPARE(win.text("tBcode"), QString());

    win.s.errorRecord.close();
    QFile record(win.errorRecordPath());
    QVERIFY(record.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(record.readAll()), expected.join("\r\n") + "\r\n\r\n\r\n");
}

void FormMainTest::anUnreadableCaptureFileIsReported() {
    Window win;
    QVERIFY(!win.w->openCapture(writeCapture(win, "broken.txt", "9000 4500\nhello\n")));
    QMessageBox* box = win.messageBox();
    QVERIFY(box);
    QVERIFY(box->text().contains("broken.txt"));
    QVERIFY(box->isVisible());
    QVERIFY(win.get<QTableWidget>("TTable")->item(0, 0)->text().isEmpty());
}

void FormMainTest::aMissingPortShowsTheMessageBox() {
    Window win(7);
    auto* combo = win.get<QComboBox>("SelCom");
    combo->setCurrentIndex(6);
    emit combo->activated(6);
    QMessageBox* box = win.messageBox();
    QVERIFY(box);
    QCOMPARE(box->text(),
             QString("This port is already open or doesn't exist,Please select another port.\n"
                     "COM7: no such port"));
    QCOMPARE(win.get<QLabel>("Image1")->toolTip(), QString("rs232u.bmp"));
    QVERIFY(!win.port.isOpen());
    QCOMPARE(win.text("mumconnect"), QString("Dis&Connect"));
}

void FormMainTest::zoomKeysStopAtBothEnds() {
    Window win;
    auto* zoom = win.get<QScrollBar>("VScroll1");
    PictureWidget* picture = win.picture();
    picture->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(picture, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(zoom->value(), 0);
    QCOMPARE(win.text("Lblzoom"), QString(" X100"));
    QCOMPARE(win.s.wave.ScaleWidth, 10000.0);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(picture, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(zoom->value(), 6);
    QCOMPARE(win.text("Lblzoom"), QString(" X 1 "));
    // The main row's plus and minus keys do not zoom.
    QTest::keyClick(picture, Qt::Key_Plus);
    QCOMPARE(zoom->value(), 6);
}

// Regression: a key the focus widget ignores travels up to the window and
// stepped the zoom once per widget on its way; a box that takes the key
// typed it as well ("3%++--").
void FormMainTest::zoomKeysStepOnceAndTypeNothing_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("button") << "Command1";
    QTest::newRow("time tolerance box") << "tTole";
    QTest::newRow("cycle tolerance box") << "tTTole";
}

void FormMainTest::zoomKeysStepOnceAndTypeNothing() {
    QFETCH(QString, focus);
    Window win;
    auto* w = win.get<QWidget>(focus.toLatin1().constData());
    const QString before = win.text(focus.toLatin1().constData());
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(win.s.wave.VScroll1, 2);
    QTest::keyClick(w, Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(w, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(win.s.wave.VScroll1, 4);
    QCOMPARE(win.text("Lblzoom"), QString(" X 5 "));
    QCOMPARE(win.text(focus.toLatin1().constData()), before);
}

void FormMainTest::ruleClicksPlaceTheLines() {
    Window win;
    PictureWidget* picture = win.picture();
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(300, 20));
    QTest::mouseClick(picture, Qt::RightButton, {}, QPoint(100, 20));
    const double red = picture->pictureX(300), green = picture->pictureX(100);
    QCOMPARE(win.s.wave.Line1X, red);
    QCOMPARE(win.s.wave.Line2X, green);
    const QString distance = QString::fromStdString("Δt = " + durationText(red - green));
    QCOMPARE(win.text("LblRGtime"), distance);

    QTest::mouseClick(win.get<QRadioButton>("Option3"), Qt::LeftButton);
    QCOMPARE(win.s.wave.selectedLine, 3);
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(500, 20));
    QCOMPARE(win.s.wave.Line1X, picture->pictureX(500));
    QCOMPARE(win.s.wave.Line2X, picture->pictureX(500) - (red - green));
    QCOMPARE(win.text("LblRGtime"), distance);
}

void FormMainTest::heldNudgeButtonRepeatsUntilReleased() {
    Window win;
    win.get<QScrollBar>("VScroll1")->setValue(6); // " X 1 ": one step is 1000 us
    QCOMPARE(win.s.wave.ScaleWidth, 1000000.0);
    auto* add = win.get<QPushButton>("Cmdadd");
    QTest::mousePress(add, Qt::LeftButton);
    QCOMPARE(win.s.wave.Line1X, 1000.0);
    QCOMPARE(win.text("LblRGtime"), QString("Δt = 1.000 ms"));
    QVERIFY(win.get<QTimer>("Timer3")->isActive());
    QTest::qWait(550);
    QTest::mouseRelease(add, Qt::LeftButton);
    const double steps = win.s.wave.Line1X / 1000;
    QVERIFY2(steps >= 4 && steps <= 7, qPrintable(QString::number(steps)));
    QVERIFY(!win.get<QTimer>("Timer3")->isActive());
    QTest::qWait(250);
    QCOMPARE(win.s.wave.Line1X / 1000, steps);
}

void FormMainTest::middleButtonOnANudgeButtonOnlyStopsTheRepeat() {
    Window win;
    auto* dec = win.get<QPushButton>("Cmddec");
    auto* readd = win.get<QPushButton>("Cmdreadd");
    QTest::mousePress(dec, Qt::LeftButton);
    const double x = win.s.wave.Line1X;
    QCOMPARE(x, -100.0); // " X10 ": a thousandth of 100000 us
    QTest::mousePress(readd, Qt::MiddleButton);
    QCOMPARE(win.s.wave.Line1X, x);
    QTest::mouseRelease(readd, Qt::MiddleButton);
    QVERIFY(!win.get<QTimer>("Timer3")->isActive());
    QTest::qWait(250);
    QCOMPARE(win.s.wave.Line1X, x);
}

void FormMainTest::wheelZoomsAndPansAndTheMiddleButtonDrags() {
    Window win;
    PictureWidget* picture = win.picture();
    auto wheel = [&](QPoint at, int delta, Qt::KeyboardModifiers mods = {}) {
        QWheelEvent e(at, picture->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture, &e);
    };
    auto mouse = [&](QEvent::Type type, QPoint at) {
        QMouseEvent e(type, at, picture->mapToGlobal(at), Qt::MiddleButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MiddleButton, {});
        QApplication::sendEvent(picture, &e);
    };
    auto* zoom = win.get<QScrollBar>("VScroll1");
    auto* scroll = win.get<QScrollBar>("HScroll1");
    wheel({picture->width() / 2, 60}, 120);
    QCOMPARE(zoom->value(), 2);
    QCOMPARE(win.text("Lblzoom"), QString(" X20 "));
    QVERIFY(scroll->value() > 0); // the middle of the old view stays in the middle
    const int zoomed = scroll->value();
    wheel({10, 60}, -120, Qt::ShiftModifier); // a tenth of 50000 us later
    QCOMPARE(scroll->value(), zoomed + 50);
    QCOMPARE(zoom->value(), 2);

    mouse(QEvent::MouseButtonPress, {400, 60});
    mouse(QEvent::MouseMove, {300, 60});
    mouse(QEvent::MouseButtonRelease, {300, 60});
    QCOMPARE(win.s.wave.HScroll1, zoomed + 50 + qRound(picture->pictureX(100) / 100));
    QCOMPARE(scroll->value(), win.s.wave.HScroll1);
    QCOMPARE(win.s.wave.Line1X, 0.0); // a drag is no click

    win.get<QRadioButton>("Option3")->click();
    mouse(QEvent::MouseButtonPress, {200, 60});
    mouse(QEvent::MouseButtonRelease, {200, 60});
    QCOMPARE(win.s.wave.Line1X, picture->pictureX(200));
}

void FormMainTest::hoverAndSavedWaveformShowTheTrace() {
    Window win;
    QVERIFY(win.w->openCapture(necSample()));
    PictureWidget* picture = win.picture();
    // Over the head burst of row 1.
    const QPoint at(int(picture->pixelX(5000)), int(picture->height() * 0.18));
    QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, {}, {});
    QApplication::sendEvent(picture, &move);
    QVERIFY2(picture->hoverText().startsWith("Whole capture  t = 4."),
             qPrintable(picture->hoverText()));
    QVERIFY(picture->hoverText().endsWith("burst 9.000 ms (row 1, col 1)"));

    const QString png = win.dir.filePath("wave.png"), svg = win.dir.filePath("wave.svg");
    QVERIFY(win.w->saveWaveform(png));
    QVERIFY(win.w->saveWaveform(svg));
    const QImage image(png);
    QCOMPARE(image.size(), picture->size());
    QCOMPARE(image.pixelColor(picture->width() - 2, picture->height() - 2),
             picture->palette().color(QPalette::Base));
    QFile drawing(svg);
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    const QByteArray text = drawing.readAll();
    QVERIFY(text.contains("<svg") && text.contains("Whole capture") && text.contains("10 ms"));
    QVERIFY(!win.w->saveWaveform(win.dir.filePath("missing/wave.png")));
    QVERIFY(win.messageBox());
}

void FormMainTest::codeBoxesCopyTheirCode() {
    Window win;
    QVERIFY(win.w->openCapture(necSample()));
    win.trigger("tHCodeCopy");
    QCOMPARE(QApplication::clipboard()->text(), QString("00 FF 12 ED"));
    win.trigger("tBcodeCopy");
    QCOMPARE(QApplication::clipboard()->text(), QString("00000000 11111111 01001000 10110111"));
}

// The decode's marks are set by hand here: the wiring is under test.
void FormMainTest::anErrorLineShowsItsTimeAndCell() {
    Window win;
    QFile sample(necSample());
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QByteArray text = sample.readAll();
    text.replace(text.indexOf("562 562"), 7, "562 1200"); // the first bit's gap
    QVERIFY(win.w->openCapture(writeCapture(win, "damaged.txt", text)));
    DecodeMark bad;
    bad.startUs = 9000 + 4500 + 562, bad.durationUs = 1200, bad.row = 1, bad.col = 4;
    bad.pass = false, bad.standard = 562, bad.lo = 545, bad.hi = 579;
    win.s.wave.marks.marks = {bad};
    win.get<QScrollBar>("VScroll1")->setValue(0); // X100: 10 ms wide
    win.w->refresh();
    auto* table = win.get<QTableWidget>("TTable");
    QCOMPARE(table->item(0, 3)->background().color(), QColor(255, 200, 200));
    QCOMPARE(table->item(0, 2)->background(), QBrush());

    win.get<QListWidget>("ErrRcd")->setCurrentRow(2);
    QCOMPARE(win.s.wave.selectedMark, 0);
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(table->currentColumn(), 3);
    // 14.062 ms stands a fifth (2 ms) into the picture: 122 scroll steps of 100 us.
    QCOMPARE(win.get<QScrollBar>("HScroll1")->value(), 122);
}

void FormMainTest::exitClosesEveryWindow() {
    Window win(7);
    win.get<QComboBox>("SelCom")->setCurrentIndex(6);
    emit win.get<QComboBox>("SelCom")->activated(6);
    QPointer<QMessageBox> box = win.messageBox();
    QVERIFY(box && box->isVisible());
    QTest::mouseClick(win.get<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(!win.w->isVisible());
    QTRY_VERIFY(!box || !box->isVisible());
    QVERIFY(!win.get<QTimer>("Timer2")->isActive());
}

// Regression: "DisConnect" in the blink's dark phase left the icon hidden
// for good, and its empty place took no click.
void FormMainTest::theLinkIconTakesAClickInEveryPhase() {
    for (int ticks : {1, 2}) { // the blink's bright and dark phase
        Window win;
        auto* icon = win.get<QLabel>("Image1");
        for (int i = 0; i < ticks; ++i)
            timer2Tick(win.s);
        QCOMPARE(win.s.Image1Visible, ticks == 1);
        win.trigger("mumconnect");
        QVERIFY(!win.port.isOpen());
        QVERIFY(win.s.Image1Visible);
        QTest::mouseClick(icon, Qt::LeftButton);
        QVERIFY(win.port.isOpen());
        QCOMPARE(win.text("mumconnect"), QString("DisConnect"));
        for (int i = 0; i < ticks; ++i)
            timer2Tick(win.s);
        QVERIFY(icon->isVisible());
        QTest::mouseClick(icon, Qt::LeftButton);
        QVERIFY(!win.port.isOpen());
    }
}

void FormMainTest::aChangedSettingDecodesTheShownCaptureAgain_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("tTole");
    // The sample is a time list, opened in the demodulated mode (20%).
    QTest::newRow("a format without this code") << "mnuform013"
                                                << ""
                                                << "20%";
    QTest::newRow("OCT") << "optOct"
                         << "00 255 18 237 \n"
                         << "20%";
    QTest::newRow("demodulated capture off") << "mnuDemodulated"
                                             << "00 FF 12 ED \n"
                                             << "3%";
    QTest::newRow("Ignore Time") << "cIgnoreT"
                                 << "00 FF 12 ED \n"
                                 << "15%";
    QTest::newRow("tolerance menu") << "mnu8per"
                                    << "00 FF 12 ED \n"
                                    << "8%";
    QTest::newRow("tolerance box") << "tTole"
                                   << "00 FF 12 ED \n"
                                   << "8%"; // "8" typed, shown as the decode shows it
}

// A new setting shows at once, as the next capture would show it, but the
// capture on screen is no new capture: no sample comparison, no second
// error-record block.
void FormMainTest::aChangedSettingDecodesTheShownCaptureAgain() {
    QFETCH(QString, control);
    QFETCH(QString, hex);
    QFETCH(QString, tTole);
    Window win;
    win.trigger("mnuCmp");
    QVERIFY(win.w->openCapture(necSample()));
    win.s.errorRecord.close();
    QFile record(win.errorRecordPath());
    const QByteArray before = record.open(QIODevice::ReadOnly) ? record.readAll() : QByteArray();
    record.close();
    const std::string sample = win.s.SampleCode;
    const bool held = win.s.SampleHeld;

    QObject* c = win.w->findChild<QObject*>(control);
    if (auto* a = qobject_cast<QAction*>(c)) {
        a->trigger();
    } else if (auto* box = qobject_cast<QLineEdit*>(c)) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, "8");
        QTest::keyClick(box, Qt::Key_Return);
    } else if (auto* w = qobject_cast<QWidget*>(c)) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    }
    QCOMPARE(win.text("tHCode"), hex);
    QCOMPARE(win.errorLines().isEmpty(), !hex.isEmpty());
    QCOMPARE(win.text("tTole"), tTole);
    QCOMPARE(win.s.SampleCode, sample);
    QCOMPARE(win.s.SampleHeld, held);
    QCOMPARE(win.s.beeps, 0);
    win.s.errorRecord.close();
    const QByteArray after = record.open(QIODevice::ReadOnly) ? record.readAll() : QByteArray();
    QCOMPARE(after, before);
}

// Regression: at 640 x 480 the result panel was drawn over the table,
// labels were clipped and "Exit" was cut off.
void FormMainTest::aSmallWindowKeepsEveryControlReachable() {
    Window win;
    win.w->resize(640, 480);
    QTRY_COMPARE(win.w->size(), QSize(640, 480));
    QWidget* top = win.w.get();
    auto rectIn = [top](const QWidget* x) { return QRect(x->mapTo(top, QPoint(0, 0)), x->size()); };
    auto* scroll = win.get<QScrollArea>("resultScroll");
    QVERIFY(!rectIn(win.get<QTableWidget>("TTable")).intersects(rectIn(scroll)));
    for (QLabel* l : top->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(top) || l->text().isEmpty()) continue;
        const int height = l->wordWrap() ? l->heightForWidth(l->width()) : l->sizeHint().height();
        const int width = l->wordWrap() ? l->minimumSizeHint().width() : l->sizeHint().width();
        QVERIFY2(l->width() >= width && l->height() >= height, qPrintable(l->text()));
    }
    // The wave panel's buttons stay inside the window; the result panel's
    // scroll into full view.
    for (const char* name :
         {"Option1", "Option2", "Option3", "Cmdredec", "Cmddec", "Cmdadd", "Cmdreadd"})
        QVERIFY2(top->rect().contains(rectIn(win.get<QWidget>(name))), name);
    for (const char* name : {"Command1", "SelCom", "cIgnoreT", "tTTole"}) {
        auto* w = win.get<QWidget>(name);
        scroll->ensureWidgetVisible(w, 0, 0);
        QCOMPARE(w->visibleRegion().boundingRect(), w->rect());
    }
}

void FormMainTest::generatedCapturesAreListedAndSummedUp() {
    Window win;
    auto generate = [&](const char* key, const QString& distortion) {
        Form_generate g(win.s, win.w.get());
        auto* formats = g.findChild<QComboBox*>("cGenFormat");
        formats->setCurrentIndex(
            formats->findData(QString::fromStdString(findFormatEntry(key)->caption)));
        g.findChild<QLineEdit*>("tGenDistort")->setText(distortion);
        const bool made = g.generate();
        return std::pair{made, g.findChild<QLabel*>("lGenerateInfo")->text()};
    };
    QVERIFY(generate("Form016", "jitter=2,seed=1").first);
    QVERIFY(generate("Form016", "jitter=2,seed=2").first);
    const auto [made, why] = generate("Form003", "");
    QVERIFY(!made);
    QVERIFY2(why.contains("placeholder"), qPrintable(why));
    win.w->refresh();
    QCOMPARE(win.text("tHCode").trimmed(), QString("00 FF 12 ED"));

    win.trigger("mnuPresses");
    QVERIFY(win.get<QDockWidget>("dockPresses")->isVisible());
    auto* list = win.get<QTreeWidget>("lstPresses");
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(2), QString("00 FF 12 ED"));
    auto* dock = win.w->findChild<PressLogDock*>();
    dock->showStatistics();
    auto* table = dock->statisticsWindow()->findChild<QTableWidget*>("tblStats");
    QCOMPARE(table->item(0, 0)->text(), QString("Form016  code 00 FF 12 ED  (2 presses, 2 clean)"));
    QCOMPARE(table->item(1, 0)->text(), QString("head burst"));
    QCOMPARE(table->item(1, 1)->text(), QString("2"));

    win.get<QPushButton>("bClearPresses")->click();
    QCOMPARE(list->topLevelItemCount(), 0);
}

QTEST_MAIN(FormMainTest)
#include "form_main_test.moc"
