// The main window on the offscreen platform: what it shows after start-up,
// its menus and tolerance controls, a capture opened from a file, zoom keys
// and the rule lines.
#include "../ui_windows/window_test_support.h"
#include "app/ui/form_generate.h"
#include "app/ui/picture_widget.h"
#include "app/ui/press_log_dock.h"
#include "catalogue/format_menus.h"
#include "link/link_control.h"
#include "waveform/measure.h"

using namespace qv;
using qvtest::kNecSample;
using Window = qvtest::MainWindow;

namespace {

bool active(const Window& win, const char* timer) {
    return win.get<QTimer>(timer)->isActive();
}

// The NEC sample with the gap of its third customer bit neither 0 nor 1.
QString damagedSample(const Window& win) {
    QByteArray text = qvtest::fileBytes(kNecSample);
    int at = -1;
    for (int i = 0; i < 3; ++i)
        at = static_cast<int>(text.indexOf("562 562", at + 1));
    return qvtest::writeFile(win.path("damaged.txt"), text.replace(at, 7, "562 1200"));
}

} // namespace

class FormMainTest : public QObject {
    Q_OBJECT

private slots:
    void startUpShowsWhatUsersAndScriptsRelyOn();
    void formatEntriesAndShortcutsSelectTheirFormat();
    void checkMarkTogglesInvertOnly();
    void toleranceControls();
    void theNecSampleRoad();
    void aDamagedCaptureListsItsErrorsAndPointsToItsCell();
    void aMissingPortShowsTheMessageAndExitClosesEveryWindow();
    void zoomKeysStepOnceStopAtBothEndsAndTypeNothing();
    void ruleClicksAndNudgeButtonsPlaceTheLines();
    void wheelZoomsAndPansAndTheMiddleButtonDrags();
    void theLinkIconTakesAClickInEveryPhase();
    void aChangedSettingDecodesTheShownCaptureAgain();
    void aSmallWindowKeepsEveryControlReachable();
    void generatedCapturesAreListedAndSummedUp();
};

void FormMainTest::startUpShowsWhatUsersAndScriptsRelyOn() {
    Window win;
    QCOMPARE(qvtest::controlMismatches(*win.w, "main_window.txt"), QStringList());
    QCOMPARE(win.w->windowTitle(), QString("Quorvel V2.0"));
    QVERIFY(win.port.isOpen() && !win.messageBox() && win.errorLines().isEmpty());
    QVERIFY(!win.get<QCheckBox>("cIgnoreT")->isChecked());
    QVERIFY(win.get<QRadioButton>("optHex")->isChecked());
    QVERIFY(win.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(active(win, "Timer2") && !active(win, "Timer1") && !active(win, "Timer3"));

    auto* table = win.get<QTableWidget>("TTable");
    QCOMPARE(table->rowCount(), 64);
    QCOMPARE(table->columnCount(), 10);
    QCOMPARE(table->font().pointSize(), 10);
    QCOMPARE(table->verticalHeader()->width(), 27); // 400 twips
    QCOMPARE(table->columnWidth(9), 69);            // 1040 twips
    QCOMPARE(table->horizontalHeaderItem(9)->text(), QString("10"));
    QCOMPARE(table->verticalHeaderItem(63)->text(), QString("64"));
    QVERIFY(table->item(63, 9)->text().isEmpty());

    QStringList titles;
    int entries = 0, separators = 0;
    for (QAction* top : win.w->menuBar()->actions()) {
        titles << top->text();
        if (titles.size() > 1 && titles.size() < 11)
            for (QAction* a : top->menu()->actions())
                ++(a->isSeparator() ? separators : entries);
    }
    QCOMPARE(titles, QStringList({"&IRMenu", "Form0&01~020", "Form021~040", "Form0&41~060",
                                  "Form0&61-080", "Form81~100", "Form&101~120", "&Form121~140",
                                  "Form141~160", "&Other", "&Help"}));
    QCOMPARE(entries, 164);
    QCOMPARE(separators, 7);
}

void FormMainTest::formatEntriesAndShortcutsSelectTheirFormat() {
    const std::tuple<const char*, const char*, const char*> entries[] = {
        {"mnuform001", "Form001(AIWA*SANYO)", "Form001"}, // the access key is no part of it
        {"mnuForm079", "Form079", "Form079"},
        {"mnuForm099", "Form099", "Form099"},
        {"mnuForm160", "Form160", "Form160"},
        {"mnuRib", "RIB", "RIB"}};
    for (auto [entry, irtype, key] : entries) {
        Window win;
        win.trigger(entry);
        QCOMPARE(win.text("irtype"), QString(irtype));
        QVERIFY(win.s.CurFormat && win.s.CurFormat->hasRow());
        QCOMPARE(win.s.CurFormat->key(), std::string(key));
        QStringList checked; // the format menus check the chosen entry, and only it
        for (QAction* top : win.w->menuBar()->actions().mid(1, 9))
            for (QAction* a : top->menu()->actions())
                if (a->isChecked()) checked << a->objectName();
        QCOMPARE(checked, QStringList{entry});
    }
    Window win;
    win.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
    const auto ctrl = Qt::ControlModifier;
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*> keys[] = {
        {Qt::Key_F2, {}, "Form030(RC-5)"},
        {Qt::Key_H, ctrl, "Form030(RC-5)"}, // HL and SE cannot be chosen
        {Qt::Key_S, ctrl, "Form030(RC-5)"},
        {Qt::Key_R, ctrl, "RIB"},
        {Qt::Key_F6, {}, "Form016(NEC N-8)"}};
    for (auto [key, modifiers, irtype] : keys) {
        QTest::keyClick(win.w.get(), key, modifiers);
        QCOMPARE(win.text("irtype"), QString(irtype));
        if (key == Qt::Key_S)
            QCOMPARE(win.s.editor.caption, std::string("Form030(RC-5) standard time parameter"));
    }
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

void FormMainTest::toleranceControls() {
    for (const QStringList& r : qvtest::rowsOf("tolerances.txt")) {
        Window win;
        const QString& control = r[0];
        if (control.startsWith("mnu")) win.trigger("mnu8per");
        if (auto* edit = qobject_cast<QLineEdit*>(win.find(control))) {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, r[1]);
            QCOMPARE(win.s.TimeTolerance, 0.03f);
            QCOMPARE(win.s.CycleTolerance, 500.0f);
        }
        win.operate(control, r[1]);
        QCOMPARE(win.s.TimeTolerance, r[2].toFloat());
        QCOMPARE(win.s.CycleTolerance, r[3].toFloat());
        QCOMPARE(win.text("tTole"), r[4]);
        QCOMPARE(win.text("tTTole"), r[5]);
        const bool refused = !r[1].isEmpty() && win.text(control) != r[1];
        QVERIFY2((win.messageBox() != nullptr) == refused, qPrintable(r.join('|')));
        for (const char* entry : {"mnu3per", "mnu5Per", "mnu8per"})
            QVERIFY(!control.startsWith("mnu") ||
                    win.get<QAction>(entry)->isChecked() == (control == entry));
        if (control == "cIgnoreT") { // unchecking leaves the wider tolerance
            QVERIFY(win.s.cIgnoreT);
            win.operate(control);
            QVERIFY(!win.s.cIgnoreT && !win.get<QCheckBox>("cIgnoreT")->isChecked());
            QCOMPARE(win.s.TimeTolerance, 0.15f);
        }
    }
}

void FormMainTest::theNecSampleRoad() {
    Window win;
    QVERIFY(win.w->openCapture(kNecSample));
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
    QCOMPARE(win.w->windowTitle(),
             QString("Quorvel V2.0 - nec-00-12.txt - demodulated capture (burst excess 0 us)"));
    QCOMPARE(win.s.LblRGtime, std::to_string(win.s.RxBytes.size()));
    QCOMPARE(win.text("LblRGtime"), QString()); // no rule line placed yet
    QCOMPARE(win.s.wave.rows.size(), size_t(4));
    QVERIFY(win.s.wave.lines.size() > 3 * 32);
    QVERIFY(active(win, "Timer2"));

    win.trigger("tHCodeCopy");
    QCOMPARE(QApplication::clipboard()->text(), QString("00 FF 12 ED"));
    win.trigger("tBcodeCopy");
    QCOMPARE(QApplication::clipboard()->text(), QString("00000000 11111111 01001000 10110111"));

    PictureWidget* picture = win.get<PictureWidget>("Picture1");
    const QPoint at(int(picture->pixelX(5000)), int(picture->height() * 0.18)); // row 1's head
    QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, {}, {});
    QApplication::sendEvent(picture, &move);
    QVERIFY2(picture->hoverText().startsWith("Whole capture  t = 4."),
             qPrintable(picture->hoverText()));
    QVERIFY(picture->hoverText().endsWith("burst 9.000 ms (row 1, col 1)"));

    const QString png = win.path("wave.png"), svg = win.path("wave.svg");
    QVERIFY(win.w->saveWaveform(png) && win.w->saveWaveform(svg));
    const QImage image(png);
    QCOMPARE(image.size(), picture->size());
    QCOMPARE(image.pixelColor(picture->width() - 2, picture->height() - 2),
             picture->palette().color(QPalette::Base));
    const QByteArray drawing = qvtest::fileBytes(svg);
    QVERIFY(drawing.contains("<svg") && drawing.contains("Whole capture") &&
            drawing.contains("10 ms"));
    QVERIFY(!win.w->saveWaveform(win.path("missing/wave.png")));
    QVERIFY(win.messageBox());
}

void FormMainTest::aDamagedCaptureListsItsErrorsAndPointsToItsCell() {
    Window win;
    QVERIFY(win.w->openCapture(damagedSample(win)));
    const QStringList expected = {"Group 1:0 or 1's Idle time is error!",
                                  "0 Idle standard time:562", "1 Idle standard time:1688",
                                  "0 or 1's Idle test time:1200"};
    QCOMPARE(win.errorLines(), expected);
    QCOMPARE(win.text("tHCode"), QString());
    QCOMPARE(win.text("tBcode"), QString());
    win.s.errorRecord.close();
    QCOMPARE(QString::fromLatin1(qvtest::fileBytes(win.path("Error record.txt"))),
             expected.join("\r\n") + "\r\n\r\n\r\n");

    // The failing gap (row 1, column 8) is tinted; its error line selects it.
    win.get<QScrollBar>("VScroll1")->setValue(0); // X100: 10 ms wide
    auto* table = win.get<QTableWidget>("TTable");
    QCOMPARE(table->item(0, 7)->background().color(), QColor(255, 200, 200));
    QCOMPARE(table->item(0, 6)->background(), QBrush());
    win.get<QListWidget>("ErrRcd")->setCurrentRow(3);
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(table->currentColumn(), 7);
    // 16.310 ms stands a fifth (2 ms) into the picture: 144 scroll steps of 100 us.
    QCOMPARE(win.get<QScrollBar>("HScroll1")->value(), 144);
}

void FormMainTest::aMissingPortShowsTheMessageAndExitClosesEveryWindow() {
    for (const char* exit : {"Command1", "mnuclose"}) {
        Window win(7);
        win.get<QComboBox>("SelCom")->setCurrentIndex(6);
        emit win.get<QComboBox>("SelCom")->activated(6);
        QPointer<QMessageBox> box = win.messageBox();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->text(),
                 QString("This port is already open or doesn't exist,Please select another "
                         "port.\nCOM7: no such port"));
        QCOMPARE(win.get<QLabel>("Image1")->toolTip(), QString("rs232u.bmp"));
        QVERIFY(!win.port.isOpen());
        QCOMPARE(win.text("mumconnect"), QString("Dis&Connect"));
        for (const char* entry : {"mnuAddFmt", "mnuviewcode", "mnuErrMes", "mnuHelp"})
            win.trigger(entry);
        win.operate(exit);
        QTRY_VERIFY(!box || !box->isVisible());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(!active(win, "Timer2"));
        QVERIFY(!win.s.errorRecord.isOpen());
    }
}

// Regression: a key the focus widget ignores travels up to the window and
// stepped the zoom once per widget on its way; a box that takes the key
// typed it as well ("3%++--").
void FormMainTest::zoomKeysStepOnceStopAtBothEndsAndTypeNothing() {
    for (const char* focus : {"Picture1", "Command1", "tTole", "tTTole"}) {
        Window win;
        auto* w = win.get<QWidget>(focus);
        const QString before = win.text(focus);
        auto* zoom = win.get<QScrollBar>("VScroll1");
        w->setFocus();
        const std::tuple<Qt::Key, int, int, const char*> presses[] = {
            {Qt::Key_Plus, 1, 2, " X20 "},
            {Qt::Key_Minus, 2, 4, " X 5 "},
            {Qt::Key_Minus, 3, 6, " X 1 "}, // the last press finds the end
            {Qt::Key_Plus, 7, 0, " X100"}};
        for (auto [key, times, value, shown] : presses) {
            for (int i = 0; i < times; ++i)
                QTest::keyClick(w, key, Qt::KeypadModifier);
            QCOMPARE(zoom->value(), value);
            QCOMPARE(win.text("Lblzoom"), QString(shown));
        }
        QCOMPARE(win.s.wave.ScaleWidth, 10000.0);
        QCOMPARE(win.text(focus), before);
        if (w == win.find("Picture1")) { // the main row's keys do not zoom
            QTest::keyClick(w, Qt::Key_Minus);
            QCOMPARE(zoom->value(), 0);
        }
    }
}

void FormMainTest::ruleClicksAndNudgeButtonsPlaceTheLines() {
    Window win;
    PictureWidget* picture = win.get<PictureWidget>("Picture1");
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

    // " X10 ": a nudge is a thousandth of 100000 us; the middle button only
    // stops a repeat.
    Window other;
    QTest::mousePress(other.get<QPushButton>("Cmddec"), Qt::LeftButton);
    QCOMPARE(other.s.wave.Line1X, -100.0);
    auto* readd = other.get<QPushButton>("Cmdreadd");
    QTest::mousePress(readd, Qt::MiddleButton);
    QTest::mouseRelease(readd, Qt::MiddleButton);
    QVERIFY(!active(other, "Timer3"));
    QTest::qWait(250);
    QCOMPARE(other.s.wave.Line1X, -100.0);

    // A held button repeats until released (" X 1 ": one step is 1000 us).
    other.get<QScrollBar>("VScroll1")->setValue(6);
    QCOMPARE(other.s.wave.ScaleWidth, 1000000.0);
    auto* add = other.get<QPushButton>("Cmdadd");
    QTest::mousePress(add, Qt::LeftButton);
    QCOMPARE(other.s.wave.Line1X, 900.0);
    QVERIFY(active(other, "Timer3"));
    QTest::qWait(550);
    QTest::mouseRelease(add, Qt::LeftButton);
    const double steps = (other.s.wave.Line1X + 100) / 1000;
    QVERIFY2(steps >= 4 && steps <= 7, qPrintable(QString::number(steps)));
    QVERIFY(!active(other, "Timer3"));
    QTest::qWait(250);
    QCOMPARE((other.s.wave.Line1X + 100) / 1000, steps);
}

void FormMainTest::wheelZoomsAndPansAndTheMiddleButtonDrags() {
    Window win;
    PictureWidget* picture = win.get<PictureWidget>("Picture1");
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
        QVERIFY(!win.port.isOpen() && win.s.Image1Visible);
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

// A new setting shows at once, as the next capture would show it, but the
// capture on screen is no new capture: no sample comparison, no second
// error-record block.
void FormMainTest::aChangedSettingDecodesTheShownCaptureAgain() {
    for (const QStringList& r : qvtest::rowsOf("changed_settings.txt")) {
        Window win;
        win.trigger("mnuCmp");
        QVERIFY(win.w->openCapture(kNecSample));
        win.s.errorRecord.close();
        const QByteArray before = qvtest::fileBytes(win.path("Error record.txt"));
        const std::string sample = win.s.SampleCode;
        const bool held = win.s.SampleHeld;
        win.operate(r[0], "8");
        QCOMPARE(win.text("tHCode"), r[1].isEmpty() ? r[1] : r[1] + "\n");
        QCOMPARE(win.errorLines().isEmpty(), !r[1].isEmpty());
        QCOMPARE(win.text("tTole"), r[2]);
        QCOMPARE(win.s.SampleCode, sample);
        QCOMPARE(win.s.SampleHeld, held);
        QCOMPARE(win.s.beeps, 0);
        win.s.errorRecord.close();
        QCOMPARE(qvtest::fileBytes(win.path("Error record.txt")), before);
    }
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
