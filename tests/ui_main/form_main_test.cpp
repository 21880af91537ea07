// The main window on the offscreen platform: what it shows after start-up,
// its menus and tolerance controls, a capture opened from a file.
#include "../ui_windows/window_test_support.h"
#include "windows/main/colours.h"
#include "windows/main/command_line.h"
#include "windows/main/picture_widget.h"
#include "windows/main/press_log_dock.h"

#include <QLabel>
#include <QProcess>

#include <cmath>

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
    void toleranceControls();
    void theNecSampleRoad();
    void aDamagedCaptureListsItsErrorsAndPointsToItsCell();
    void aMissingPortShowsTheMessageAndExitClosesEveryWindow();
    void aChangedSettingDecodesTheShownCaptureAgain();
    void everythingShowsWithoutSidewaysScrollingAndTheWaveformTakesTheRoom();
    void darkColoursFromTheMenuKeepTheHintReadable();
    void aMissingCatalogueSaysHowToGetItBack();
    void theCommandLineOpensFilesAndExplainsItself_data();
    void theCommandLineOpensFilesAndExplainsItself();
    void helpNeedsNoDisplay();
};

void FormMainTest::startUpShowsWhatUsersAndScriptsRelyOn() {
    Window win;
    QCOMPARE(qvtest::controlMismatches(*win.w, "main_window.txt"), QStringList());
    QCOMPARE(win.w->windowTitle(), QString("Quorvel V2.0"));
    QVERIFY(win.port.isOpen() && !win.messageBox() && win.errorLines().isEmpty());
    QVERIFY(!win.get<QCheckBox>("cIgnoreT")->isChecked() &&
            win.get<QRadioButton>("optHex")->isChecked() &&
            win.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(active(win, "Timer2") && !active(win, "Timer1") && !active(win, "Timer3"));
    auto* table = win.get<QTableWidget>("TTable"); // 10 columns of 1040 twips, 64 rows
    QCOMPARE(QString("%1 %2 %3")
                 .arg(table->columnCount())
                 .arg(table->columnWidth(9))
                 .arg(table->rowCount()),
             QString("10 69 64"));
    QCOMPARE(table->verticalHeaderItem(63)->text() + table->item(63, 9)->text(), QString("64"));
    QStringList titles, formats;
    for (QAction* top : win.w->menuBar()->actions())
        titles << top->text();
    QCOMPARE(titles, QStringList({"&IRMenu", "&Formats", "&Other", "&View", "&Help"}));
    int entries = 0, separators = 0;
    QList<QMenu*> formatMenus;
    for (QAction* a : win.get<QMenu>("mnuFormats")->actions()) {
        formats << a->text();
        formatMenus << a->menu();
    }
    formatMenus << win.get<QMenu>("mnuFormats9");
    for (QMenu* m : formatMenus)
        for (QAction* a : m->actions())
            ++(a->isSeparator() ? separators : entries);
    QCOMPARE(formats, QStringList({"Form0&01~020", "Form021~040", "Form0&41~060", "Form0&61-080",
                                   "Form81~100", "Form&101~120", "&Form121~140", "Form141~160"}));
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
    Window win;
    for (auto [entry, irtype, key] : entries) {
        win.trigger(entry);
        QCOMPARE(win.text("irtype"), QString(irtype));
        QVERIFY(win.s.format.cursor && win.s.format.cursor->hasRow());
        QCOMPARE(win.s.format.cursor->key(), std::string(key));
        QStringList checked; // the format menus check the chosen entry, and only it
        for (QMenu* m : win.w->findChildren<QMenu*>())
            if (m->objectName().startsWith("mnuFormats"))
                for (QAction* a : m->actions())
                    if (a->isChecked()) checked << a->objectName();
        QCOMPARE(checked, QStringList{entry});
    }
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
            QCOMPARE(win.s.decoding.timeTolerance, 0.03f);
            QCOMPARE(win.s.decoding.cycleTolerance, 500.0f);
        }
        win.operate(control, r[1]);
        QCOMPARE(win.s.decoding.timeTolerance, r[2].toFloat());
        QCOMPARE(win.s.decoding.cycleTolerance, r[3].toFloat());
        QCOMPARE(win.text("tTole"), r[4]);
        QCOMPARE(win.text("tTTole"), r[5]);
        const bool refused = !r[1].isEmpty() && win.text(control) != r[1];
        QVERIFY2((win.messageBox() != nullptr) == refused, qPrintable(r.join('|')));
        for (const char* entry : {"mnu3per", "mnu5Per", "mnu8per"})
            QVERIFY(!control.startsWith("mnu") ||
                    win.get<QAction>(entry)->isChecked() == (control == entry));
        if (control == "cIgnoreT") { // unchecking leaves the wider tolerance
            QVERIFY(win.s.decoding.ignoreTime);
            win.operate(control);
            QVERIFY(!win.s.decoding.ignoreTime && !win.get<QCheckBox>("cIgnoreT")->isChecked());
            QCOMPARE(win.s.decoding.timeTolerance, 0.15f);
            QCOMPARE(win.text("tTole"), QString("15%")); // the box shows what is in force
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
             QString("Quorvel V2.0 - nec-00-12.txt - demodulated capture (burst excess 0 µs)"));
    QCOMPARE(win.s.wave.readout, std::to_string(win.s.last.capture.message.size()));
    QCOMPARE(win.text("LblRGtime"), QString());  // no rule line placed yet
    QCOMPARE(win.s.wave.rows.size(), size_t(3)); // the capture and the two repeat frames
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

    // The best other clean format is a hint that never selects; a click does.
    auto* hint = win.get<QLabel>("lAlsoFits");
    QVERIFY(hint->isHidden());
    win.trigger("mnuform001");
    QVERIFY(win.w->openCapture(kNecSample));
    QCOMPARE(win.text("irtype"), QString("Form001(AIWA*SANYO)"));
    QCOMPARE(hint->text(), QString("Also fits: <a href=\"select\">Form016(NEC N-8)</a>"));
    emit hint->linkActivated("select");
    QCOMPARE(win.text("irtype"), QString("Form016(NEC N-8)"));
    QCOMPARE(win.text("tHCode"), QString("00 FF 12 ED \n"));
    QVERIFY(hint->isHidden());
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
    win.s.env.errorRecord.close();
    QCOMPARE(QString::fromLatin1(qvtest::fileBytes(win.path("Error record.txt"))),
             expected.join("\r\n") + "\r\n\r\n\r\n");

    // The failing gap (row 1, column 8) is tinted; its error line selects it.
    win.get<QScrollBar>("VScroll1")->setValue(200); // X100: 10 ms wide
    auto* table = win.get<QTableWidget>("TTable");
    QCOMPARE(table->item(0, 7)->background().color(), QColor(255, 200, 200));
    QCOMPARE(table->item(0, 6)->background(), QBrush());
    win.get<QListWidget>("ErrRcd")->setCurrentRow(3);
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(table->currentColumn(), 7);
    // 16.310 ms stands a fifth (2 ms) into the picture: 14.41 ms scrolled, in tenths of a µs.
    QCOMPARE(win.get<QScrollBar>("HScroll1")->value(), 144100);
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
        QVERIFY(!win.s.env.errorRecord.isOpen());
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
        win.s.env.errorRecord.close();
        const QByteArray before = qvtest::fileBytes(win.path("Error record.txt"));
        const std::string sample = win.s.sample.code;
        const bool held = win.s.sample.held;
        win.operate(r[0], "8");
        QCOMPARE(win.text("tHCode"), r[1].isEmpty() ? r[1] : r[1] + "\n");
        QCOMPARE(win.errorLines().isEmpty(), !r[1].isEmpty());
        QCOMPARE(win.text("tTole"), r[2]);
        QCOMPARE(win.s.sample.code, sample);
        QCOMPARE(win.s.sample.held, held);
        QCOMPARE(win.s.out.beeps, 0);
        win.s.env.errorRecord.close();
        QCOMPARE(qvtest::fileBytes(win.path("Error record.txt")), before);
    }
}

// Nothing is cut off at the right and nothing needs a sideways scroll bar.
static void checkNothingCut(const Window& win, const char* where) {
    auto* results = win.get<QScrollArea>("resultScroll");
    QVERIFY2(results->widget()->width() <= results->viewport()->width(), where);
    for (const char* box : {"tHCode", "tBcode", "ErrRcd"})
        QVERIFY2(win.get<QAbstractScrollArea>(box)->horizontalScrollBar()->maximum() == 0, box);
    QMenuBar* bar = win.w->menuBar();
    for (QAction* top : bar->actions()) {
        const QRect r = bar->actionGeometry(top);
        QVERIFY2(!r.isEmpty() && r.right() < bar->width(), qPrintable(where + top->text()));
    }
}

// Regression: at the default size the binary line and the error lines
// scrolled sideways and the format box showed the tail of a long name; a
// taller window gave its height to empty table rows; narrow windows hid
// "Other" and "Help", and the captures panel cut off the result panel and
// its own Code column.
void FormMainTest::everythingShowsWithoutSidewaysScrollingAndTheWaveformTakesTheRoom() {
    Window win;
    auto* dock = win.w->findChild<PressLogDock*>();
    dock->showIfRoom(); // as the program does at the default size
    QVERIFY(dock->isVisible());
    win.trigger("mnuform012");
    QVERIFY(win.w->openCapture(damagedSample(win)));
    QTest::qWait(50);
    QCOMPARE(win.get<QLineEdit>("irtype")->cursorPosition(), 0); // "Form012(Panasonic..." in view
    QVERIFY(win.errorLines().size() > 1);
    checkNothingCut(win, "default size ");
    QCOMPARE(win.get<QScrollArea>("resultScroll")->verticalScrollBar()->maximum(), 0);

    auto* picture = win.get<PictureWidget>("Picture1");
    const int before = picture->height();
    win.w->resize(win.w->width(), win.w->height() + 180);
    QTest::qWait(50);
    QVERIFY2(picture->height() - before >= 170,
             qPrintable(QString("%1 -> %2").arg(before).arg(picture->height())));

    for (const QSize size : {QSize(800, 600), QSize(640, 480)}) {
        win.w->resize(size);
        QTest::qWait(50);
        QCOMPARE(win.w->size(), size);
        checkNothingCut(win, "narrow ");
        auto* list = win.get<QTreeWidget>("lstPresses");
        QVERIFY(list->isVisible());
        QCOMPARE(list->headerItem()->text(2), QString("Code"));
        QVERIFY(list->header()->sectionViewportPosition(2) + 20 < list->viewport()->width());
    }
}

// Regression: dark colours came only from an undocumented option, and the
// "Also fits" link kept Qt's dark blue on them.
void FormMainTest::darkColoursFromTheMenuKeepTheHintReadable() {
    Window win;
    // WCAG's contrast ratio of two colours.
    auto contrast = [](const QColor& a, const QColor& b) {
        auto lum = [](const QColor& c) {
            auto ch = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
        };
        const double x = lum(a), y = lum(b);
        return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
    };
    for (const char* entry : {"mnuColoursDark", "mnuColoursLight", "mnuColoursDesktop"}) {
        win.trigger(entry);
        QVERIFY(win.get<QAction>(entry)->isChecked());
        const QPalette p = win.get<QLabel>("lAlsoFits")->palette();
        QCOMPARE(darkColoursShown(), QString(entry) == "mnuColoursDark" || desktopPrefersDark());
        QVERIFY2(contrast(p.color(QPalette::Link), p.color(QPalette::Window)) >= 4.5, entry);
        QVERIFY(contrast(p.color(QPalette::WindowText), p.color(QPalette::Window)) >= 4.5);
    }
}

// Regression: without its catalogue the window said SQLite's "unable to
// open database file".
void FormMainTest::aMissingCatalogueSaysHowToGetItBack() {
    Window win(0, false);
    QVERIFY(QFile::remove(QString::fromStdString(win.catalogue())));
    win.start();
    QVERIFY(!win.s.out.messages.empty() && win.messageBox());
    for (const std::string& m : win.s.out.messages) {
        QVERIFY2(m.find("there is no format catalogue here") != std::string::npos, m.c_str());
        QVERIFY(m.find("--target catalogue") != std::string::npos);
    }
}

void FormMainTest::theCommandLineOpensFilesAndExplainsItself_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("understood"); // files|scan statistics|scheme|size|screenshot|help
    QTest::addColumn<QString>("error");
    const auto row = [](const char* name, const QString& args, const char* understood,
                        const char* error = "") {
        QTest::newRow(name) << ("quorvel " + args).split(' ', Qt::SkipEmptyParts)
                            << QString(understood) << QString(error);
    };
    row("a file", "/tmp/a.txt", "/tmp/a.txt|00|0|-1x-1||0");
    row("files and --open", "a.txt --open b.bin c.raw", "a.txt,b.bin,c.raw|00|0|-1x-1||0");
    row("help", "--help", "|00|0|-1x-1||1");
    row("-h", "x.txt -h", "x.txt|00|0|-1x-1||1");
    row("after --", "-- --dark", "--dark|00|0|-1x-1||0");
    row("script options",
        "--statistics --scan --size 640x480 --screenshot s.png --port COM2=/dev/x",
        "|11|0|640x480|s.png|0");
    row("dark", "--dark", "|00|2|-1x-1||0");
    row("light", "--light --port=COM1=/dev/y", "|00|1|-1x-1||0");
    row("unknown", "--frobnicate a.txt", "|00|0|-1x-1||0", "unknown option --frobnicate");
    row("no value", "a.txt --open", "a.txt|00|0|-1x-1||0", "--open needs a value");
    row("bad size", "--size big", "|00|0|-1x-1||0", "--size wants WIDTHxHEIGHT, not big");
}

// Regression: "quorvel FILE" and "quorvel --help" were refused as unknown options.
void FormMainTest::theCommandLineOpensFilesAndExplainsItself() {
    QFETCH(QStringList, args);
    const CommandLine c = parseCommandLine(args);
    const QString understood = QString("%1|%2%3|%4|%5x%6|%7|%8")
                                   .arg(c.files.join(','))
                                   .arg(int(c.scan))
                                   .arg(int(c.statistics))
                                   .arg(int(c.colours))
                                   .arg(c.size.width())
                                   .arg(c.size.height())
                                   .arg(c.screenshot)
                                   .arg(int(c.help));
    QTEST(understood, "understood");
    QTEST(c.error, "error");
}

void FormMainTest::helpNeedsNoDisplay() {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    program.setProcessEnvironment(env);
    program.start(QV_PROGRAM, {"--help"});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    const QString out = program.readAllStandardOutput();
    QVERIFY2(out.startsWith("usage: quorvel [OPTION]... [FILE]...") && out.contains("--dark"),
             qPrintable(out));
}

QTEST_MAIN(FormMainTest)
#include "form_main_test.moc"
