// Capture files in the main window: every kind opens to the same capture,
// every kind saved reopens to the same code, a malformed or dropped file,
// the scan window, and where the window finds its icons and help.
#include "windows/main/capture_file.h"
#include "windows/main/form_main.h"
#include "windows/main/form_scan.h"
#include "catalogue/catalogue_build.h"
#include "windows/errorlog/form_help.h"
#include "platform/serial_port.h"

#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <cmath>
#include <memory>

using namespace qv;

namespace {

const QString kSourceDir = QStringLiteral(QV_SOURCE_DIR);

// The catalogue is made once; every window works on its own copy of it.
QString catalogueSource() {
    static QTemporaryDir dir;
    static const QString db = [] {
        const QString path = dir.filePath("IRTime.db");
        buildCatalogueIfMissing((kSourceDir + "/data/catalogue.sql").toStdString(),
                                path.toStdString());
        return path;
    }();
    return db;
}

struct Window {
    QTemporaryDir dir;
    Session s;
    MemoryPort port;
    std::unique_ptr<Form_main> w;

    Window() {
        QFile::copy(catalogueSource(), dir.filePath("IRTime.db"));
        s.cataloguePath = dir.filePath("IRTime.db").toStdString();
        s.errorRecord.setPath(dir.filePath("Error record.txt").toStdString());
        s.port = &port;
        w = std::make_unique<Form_main>(s);
        w->startUp();
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) qFatal("the main window was not shown");
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    template <class T> T* get(const char* name) const {
        T* c = w->findChild<T*>(name);
        if (!c) qFatal("no control %s", name);
        return c;
    }
    QString box(const char* name) const { return get<QPlainTextEdit>(name)->toPlainText(); }
    QMessageBox* messageBox() const { return w->findChild<QMessageBox*>(); }
    // The scan window's table, after "Scan all formats...".
    QTableWidget* scanTable() const {
        Form_scan* scan = w->scanWindow();
        if (!scan) qFatal("no scan window");
        return scan->findChild<QTableWidget*>("tblScan");
    }
};

// Everything the window shows of a capture.
struct Shown {
    QStringList cells, errors;
    QString hex, bin, irtype, received;
    std::vector<uint8_t> message;

    explicit Shown(const Window& win)
        : hex(win.box("tHCode")), bin(win.box("tBcode")),
          irtype(win.get<QLineEdit>("irtype")->text()),
          received(QString::fromStdString(win.s.LblRGtime)), message(win.s.RxBytes) {
        auto* table = win.get<QTableWidget>("TTable");
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
        auto* list = win.get<QListWidget>("ErrRcd");
        for (int i = 0; i < list->count(); ++i)
            errors << list->item(i)->text();
    }
};

QString necSamplePath() {
    return kSourceDir + "/data/samples/nec-00-12.txt";
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

QString write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The sample's times, comments left out.
QList<int> necTimes() {
    QList<int> times;
    for (const QByteArray& line : readAll(necSamplePath()).split('\n'))
        if (!line.startsWith('#'))
            for (const QByteArray& word : line.simplified().split(' '))
                if (!word.isEmpty()) times << word.toInt();
    return times;
}

// The NEC sample in each kind a colleague might send it, written by hand
// from its times rather than by the program's own writers.
QByteArray necAs(const QString& kind) {
    const QList<int> times = necTimes();
    QByteArray out;
    if (kind == "signed") {
        out = "# signed raw\n";
        for (int i = 0; i < times.size(); ++i)
            out += (i % 2 ? " -" : " +") + QByteArray::number(times[i]);
    } else if (kind == "mode2") {
        // What the kernel's mode2 tool prints: the idle time before the key
        // press, then pulses and spaces, then the receiver's timeout.
        out = "space 16777215\n";
        for (int i = 0; i < times.size(); ++i)
            out += (i % 2 ? "space " : "pulse ") + QByteArray::number(times[i]) + "\n";
        out += "timeout 125000\n";
    } else if (kind == "pronto") {
        // 38 kHz learned code: the first frame once, the first repeat frame
        // as the repeat-sequence.
        const double cycle = 0x6D * 0.241246;
        auto word = [](long v) {
            return QByteArray::number(static_cast<qlonglong>(v), 16)
                .rightJustified(4, '0')
                .toUpper();
        };
        const int once = static_cast<int>(times.indexOf(39954)) + 1;
        out = "0000 006D " + word(once / 2) + " 0002";
        for (int i = 0; i < once + 4; ++i)
            out += " " + word(std::lround(times[i] / cycle));
        out += "\n";
    }
    return out;
}

void compareShown(const Shown& after, const Shown& before) {
    QCOMPARE(after.cells, before.cells);
    QCOMPARE(after.hex, before.hex);
    QCOMPARE(after.bin, before.bin);
    QCOMPARE(after.errors, before.errors);
    QCOMPARE(after.irtype, before.irtype);
    QCOMPARE(after.received, before.received);
    QVERIFY(after.message == before.message);
}

// Drags a file over the capture table and drops it; whether the window
// took the drag.
bool dropFile(const Window& win, const QUrl& url) {
    QWidget* target = win.get<QTableWidget>("TTable")->viewport();
    QMimeData mime;
    mime.setUrls({url});
    const QPoint at(20, 20);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

class CaptureFilesTest : public QObject {
    Q_OBJECT

private slots:
    void everyKindOpensToTheSameCapture_data();
    void everyKindOpensToTheSameCapture();
    void aSavedCaptureReopensToTheSameCode_data();
    void aSavedCaptureReopensToTheSameCode();
    void theSaveDialogsKindDecidesAMissingEnding_data();
    void theSaveDialogsKindDecidesAMissingEnding();
    void withoutACaptureThereIsNothingToSaveOrScan_data();
    void withoutACaptureThereIsNothingToSaveOrScan();
    void aFailedSaveIsReportedAndKeepsTheOldFile();
    void aMalformedFileLeavesEverythingAsItWas_data();
    void aMalformedFileLeavesEverythingAsItWas();
    void droppingAFileOpensIt();
    void aDropWithoutALocalFileIsRefused();
    void scanRanksTheCleanFormatsFirst();
    void choosingAScanRowSelectsItsFormat_data();
    void choosingAScanRowSelectsItsFormat();
    void learningAddsTheGenericRowsButHlAndSeCannotBeChosen();
    void anOpenScanWindowFollowsTheNextCapture();
    void iconsAndHelpComeFromTheResourceDirectory();
};

void CaptureFilesTest::everyKindOpensToTheSameCapture_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("sameTimes"); // Pronto rounds times to carrier cycles
    QTest::newRow("receiverMessage") << "nec.bin"
                                     << "bin" << true;
    QTest::newRow("plainTimeList") << "nec.txt"
                                   << "plain" << true;
    QTest::newRow("signedRaw") << "nec.raw"
                               << "signed" << true;
    QTest::newRow("signedRawAnyEnding") << "nec.dat"
                                        << "signed" << true;
    QTest::newRow("mode2WithTimeout") << "nec.mode2"
                                      << "mode2" << true;
    QTest::newRow("prontoOnceAndRepeat") << "nec.pronto"
                                         << "pronto" << false;
    QTest::newRow("prontoAsText") << "nec.txt"
                                  << "pronto" << false;
}

void CaptureFilesTest::everyKindOpensToTheSameCapture() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, sameTimes);
    Window reference;
    QVERIFY(reference.w->openCapture(necSamplePath()));
    const Shown expected(reference);
    QCOMPARE(expected.hex, QString("00 FF 12 ED \n"));

    Window win;
    QByteArray content;
    if (kind == "bin")
        content = QByteArray(reinterpret_cast<const char*>(reference.s.RxBytes.data()),
                             static_cast<qsizetype>(reference.s.RxBytes.size()));
    else if (kind == "plain")
        content = readAll(necSamplePath());
    else
        content = necAs(kind);
    QVERIFY(win.w->openCapture(write(win.file(name), content)));
    const Shown shown(win);
    QCOMPARE(shown.hex, expected.hex);
    QCOMPARE(shown.bin, expected.bin);
    QCOMPARE(shown.errors, expected.errors);
    QVERIFY(win.s.messages.empty());
    if (sameTimes) QCOMPARE(shown.cells, expected.cells);
    if (kind == "bin") QVERIFY(shown.message == expected.message);
    // Files other than the unit's messages are read as demodulated captures.
    const bool demodulated = kind != "bin";
    QCOMPARE(win.s.demod.on, demodulated);
    QCOMPARE(win.w->findChild<QAction*>("mnuDemodulated")->isChecked(), demodulated);
    QCOMPARE(win.w->windowTitle().contains("demodulated"), demodulated);
    if (kind == "pronto") {
        // Its own carrier: 38 kHz, not the default of a text capture.
        QCOMPARE(std::lround(1000 / win.s.CarrierPeriod), 38L);
        QCOMPARE(shown.cells[0], QString("8993"));
    }
}

void CaptureFilesTest::aSavedCaptureReopensToTheSameCode_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("startsWith");
    QTest::newRow("receiverMessageExactBytes") << "saved.bin" << QString();
    QTest::newRow("timeList") << "saved.txt"
                              << "9000 4500\n562 562\n";
    QTest::newRow("timeListAnyEnding") << "saved.csv"
                                       << "9000 4500\n";
    QTest::newRow("signedRaw") << "saved.raw"
                               << "+9000 -4500\n+562 -562\n";
    QTest::newRow("mode2") << "saved.mode2"
                           << "pulse 9000\nspace 4500\npulse 562\n";
    // 34 once pairs (head, 32 bits, stop), the first repeat frame of two.
    QTest::newRow("prontoSplitAtTheFrameGap") << "saved.pronto"
                                              << "0000 006C 0022 0002 ";
    QTest::newRow("prontoCcfUpperCase") << "SAVED.CCF"
                                        << "0000 006C 0022 0002 ";
}

void CaptureFilesTest::aSavedCaptureReopensToTheSameCode() {
    QFETCH(QString, name);
    QFETCH(QString, startsWith);
    const bool isPronto = captureKindForPath(name.toStdString()) == CaptureFileKind::Pronto;
    Window win;
    QVERIFY(win.w->openCapture(necSamplePath()));
    const Shown before(win);
    const QString path = win.file(name);
    QVERIFY(win.w->saveCapture(path));
    const QByteArray saved = readAll(path);
    if (startsWith.isEmpty())
        QVERIFY(saved == QByteArray(reinterpret_cast<const char*>(win.s.RxBytes.data()),
                                    static_cast<qsizetype>(win.s.RxBytes.size())));
    else
        QVERIFY2(saved.startsWith(startsWith.toLatin1()), saved.left(80).constData());
    // Saving changes nothing on the screen.
    compareShown(Shown(win), before);
    if (QTest::currentTestFailed()) return;

    Window again;
    QVERIFY(again.w->openCapture(path));
    const Shown reopened(again);
    QCOMPARE(reopened.hex, before.hex);
    QCOMPARE(reopened.bin, before.bin);
    QCOMPARE(reopened.errors, before.errors);
    if (!isPronto) QCOMPARE(reopened.cells, before.cells);
    if (name.endsWith(".bin")) QVERIFY(reopened.message == before.message);

    // Saving the reopened capture in the same kind writes the same file.
    // Except Pronto's very last gap: it was not received, so it is derived
    // from the period of the frame before, in whole carrier cycles.
    const QString second = again.file("second-" + name);
    QVERIFY(again.w->saveCapture(second));
    if (isPronto)
        QCOMPARE(readAll(second).left(saved.lastIndexOf(' ')), saved.left(saved.lastIndexOf(' ')));
    else
        QCOMPARE(readAll(second), saved);
}

void CaptureFilesTest::theSaveDialogsKindDecidesAMissingEnding_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("saved");
    const int pronto = static_cast<int>(CaptureFileKind::Pronto);
    const int list = static_cast<int>(CaptureFileKind::TimeList);
    const int bin = static_cast<int>(CaptureFileKind::ReceiverMessage);
    QTest::newRow("endingOfAnotherKindWins") << "/t/a.RAW" << pronto << "/t/a.RAW";
    QTest::newRow("noEndingGetsTheChosenOne") << "/t/a" << pronto << "/t/a.pronto";
    QTest::newRow("timeListKeepsAnUnknownEnding") << "/t/a.csv" << list << "/t/a.csv";
    QTest::newRow("timeListWithoutEndingGetsTxt") << "/t/a" << list << "/t/a.txt";
    QTest::newRow("binaryNeverHidesBehindAnUnknownEnding") << "/t/a.dat" << bin << "/t/a.dat.bin";
    QTest::newRow("aDotInTheFolderIsNoEnding")
        << "/t/x.raw/a" << static_cast<int>(CaptureFileKind::Mode2) << "/t/x.raw/a.mode2";
    QTest::newRow("hiddenFileHasNoEnding") << "/t/.bin" << bin << "/t/.bin.bin";
}

void CaptureFilesTest::theSaveDialogsKindDecidesAMissingEnding() {
    QFETCH(QString, typed);
    QFETCH(int, chosen);
    QFETCH(QString, saved);
    const std::string path =
        captureSavePath(typed.toStdString(), static_cast<CaptureFileKind>(chosen));
    QCOMPARE(QString::fromStdString(path), saved);
    // The file then reads back as the kind chosen.
    if (!typed.endsWith(".RAW")) QCOMPARE(static_cast<int>(captureKindForPath(path)), chosen);
}

void CaptureFilesTest::withoutACaptureThereIsNothingToSaveOrScan_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("message");
    QTest::newRow("save") << "mnuSaveCapture"
                          << "There is no capture to save yet.";
    QTest::newRow("scan") << "mnuScan"
                          << "There is no capture to scan yet.";
}

void CaptureFilesTest::withoutACaptureThereIsNothingToSaveOrScan() {
    QFETCH(QString, action);
    QFETCH(QString, message);
    Window win;
    win.get<QAction>(action.toLatin1().constData())->trigger();
    QMessageBox* box = win.messageBox();
    QVERIFY(box);
    QCOMPARE(box->text(), message);
    QVERIFY(!win.w->scanWindow());
    QVERIFY(!win.w->saveCapture(win.file("nothing.txt")));
    QVERIFY(!QFile::exists(win.file("nothing.txt")));
}

void CaptureFilesTest::aFailedSaveIsReportedAndKeepsTheOldFile() {
    Window win;
    QVERIFY(win.w->openCapture(necSamplePath()));
    const QString missing = win.file("no-such-folder/capture.txt");
    QVERIFY(!win.w->saveCapture(missing));
    QVERIFY(win.messageBox());
    QVERIFY(win.messageBox()->text().startsWith(missing + ": cannot be written"));

    // A save over an existing file replaces it whole.
    const QString old = write(win.file("old.txt"), "1 2 3\n");
    QVERIFY(win.w->saveCapture(old));
    QVERIFY(readAll(old).startsWith("9000 4500\n"));
}

void CaptureFilesTest::aMalformedFileLeavesEverythingAsItWas_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("wordInATimeList") << "bad.txt" << QByteArray("9000 4500\n562 x62\n")
                                     << ": line 2: expected a time in microseconds, found \"x62\"";
    QTest::newRow("signedWithoutNumber") << "bad.raw" << QByteArray("+9000 -4500\n+\n")
                                         << ": line 2: expected a time in microseconds";
    QTest::newRow("mode2PulseWithoutTime")
        << "bad.mode2" << QByteArray("pulse 9000\nspace 4500\npulse\n")
        << ": line 3: expected a time after \"pulse\"";
    QTest::newRow("prontoWordNotHex")
        << "bad.pronto" << QByteArray("0000 006D 0001 0000\n0156 00XB\n")
        << ": line 2: expected a Pronto word";
    QTest::newRow("prontoCountsDisagree")
        << "bad.pronto" << QByteArray("0000 006D 0002 0000 0156 00AB\n")
        << ": expected 4 burst and gap words after the header, found 2";
    QTest::newRow("emptyText") << "empty.txt" << QByteArray() << ": no times found";
    QTest::newRow("binShorterThanAMessage") << "short.bin" << QByteArray("\x10\x20\x40\x00", 4)
                                            << ": expected a receiver message of at least 10 bytes";
    QTest::newRow("binaryFileWithATextEnding")
        << "picture.png" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
        << ": line 1: expected a time in microseconds";
    QTest::newRow("tooLargeToBeACapture") << "huge.txt" << QByteArray((1 << 20) + 1, '1')
                                          << ": expected a capture file of at most 1 MiB";
    QTest::newRow("aFolder") << "folder.bin" << QByteArray() << ": cannot be read";
    QTest::newRow("missingFile") << "missing.txt" << QByteArray() << ": cannot be read";
}

void CaptureFilesTest::aMalformedFileLeavesEverythingAsItWas() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    Window win;
    QVERIFY(win.w->openCapture(necSamplePath()));
    const Shown before(win);
    const QString path = win.file(name);
    if (name.startsWith("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (!name.startsWith("missing"))
        write(path, content);

    QVERIFY(dropFile(win, QUrl::fromLocalFile(path)));
    QMessageBox* box = win.messageBox();
    QVERIFY(box);
    QVERIFY2(box->text().startsWith(path + expected), qPrintable(box->text()));
    compareShown(Shown(win), before);
}

void CaptureFilesTest::droppingAFileOpensIt() {
    Window win;
    QVERIFY(dropFile(win, QUrl::fromLocalFile(necSamplePath())));
    QCOMPARE(win.box("tHCode"), QString("00 FF 12 ED \n"));
    QCOMPARE(win.get<QTableWidget>("TTable")->item(0, 0)->text(), QString("9000"));
    QVERIFY(!win.messageBox());
}

void CaptureFilesTest::aDropWithoutALocalFileIsRefused() {
    Window win;
    QVERIFY(!dropFile(win, QUrl("https://example.org/nec.txt")));
    QVERIFY(win.get<QTableWidget>("TTable")->item(0, 0)->text().isEmpty());
}

void CaptureFilesTest::scanRanksTheCleanFormatsFirst() {
    Window win;
    QVERIFY(win.w->openCapture(necSamplePath()));
    QElapsedTimer clock;
    clock.start();
    win.get<QAction>("mnuScan")->trigger();
    qInfo("scan of 160 rows in the window: %lld ms", static_cast<long long>(clock.elapsed()));
    Form_scan* scan = win.w->scanWindow();
    QVERIFY(scan && scan->isVisible());
    QCOMPARE(scan->objectName(), QString("Form_scan"));
    QTableWidget* table = win.scanTable();
    QCOMPARE(table->rowCount(), 160);

    // Real formats that fit, then placeholder rows that fit, then the rest.
    const QStringList fits = {"clean", "clean*", "fails"};
    int form016 = -1, lastFit = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        QCOMPARE(table->item(row, 0)->text(), QString::number(row + 1));
        const int fit = static_cast<int>(fits.indexOf(table->item(row, 2)->text()));
        QVERIFY(fit >= lastFit);
        lastFit = fit;
        if (table->item(row, 1)->text() == "Form016(NEC N-8)") form016 = row;
    }
    QVERIFY(form016 >= 0);
    for (int row = 0; row <= form016; ++row)
        QCOMPARE(table->item(row, 2)->text(), QString("clean"));
    // The frame and its two repeat frames.
    QCOMPARE(table->item(form016, 3)->text(), QString("3"));
    QCOMPARE(table->item(form016, 4)->text(), QString("32"));
    QCOMPARE(table->item(form016, 5)->text(), QString("00 FF 12 ED "));
    QVERIFY(table->item(form016, 6)->text().isEmpty());
    // A failing row says why.
    QVERIFY(!table->item(table->rowCount() - 1, 6)->text().isEmpty());
    QVERIFY(scan->findChild<QLabel*>("lScanInfo")->text().startsWith("160 formats tried"));
}

void CaptureFilesTest::choosingAScanRowSelectsItsFormat_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("doubleClick") << "doubleClick";
    QTest::newRow("enterKey") << "enter";
    QTest::newRow("selectButton") << "button";
}

void CaptureFilesTest::choosingAScanRowSelectsItsFormat() {
    QFETCH(QString, how);
    Window win;
    QVERIFY(win.w->openCapture(necSamplePath()));
    win.get<QAction>("mnuform001")->trigger();
    QCOMPARE(win.get<QLineEdit>("irtype")->text(), QString("Form001(AIWA*SANYO)"));
    QCOMPARE(win.box("tHCode"), QString()); // decoded again: not this format
    win.get<QAction>("mnuScan")->trigger();
    QTableWidget* table = win.scanTable();
    const QList<QTableWidgetItem*> found = table->findItems("Form016(NEC N-8)", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const int row = found.front()->row();
    table->setCurrentCell(row, 1);
    if (how == "doubleClick") {
        table->scrollToItem(found.front());
        const QPoint at = table->visualItemRect(found.front()).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    } else if (how == "enter") {
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Return);
    } else {
        QTest::mouseClick(win.w->scanWindow()->findChild<QPushButton*>("bSelect"), Qt::LeftButton);
    }
    QCOMPARE(win.get<QLineEdit>("irtype")->text(), QString("Form016(NEC N-8)"));
    QCOMPARE(QString::fromStdString(win.s.CurFormat->field("Format").toText()), QString("Form016"));
    // As the menu entry does: the capture is decoded again with it.
    QCOMPARE(win.box("tHCode"), QString("00 FF 12 ED \n"));
}

void CaptureFilesTest::learningAddsTheGenericRowsButHlAndSeCannotBeChosen() {
    Window win;
    QVERIFY(win.w->openCapture(necSamplePath()));
    win.get<QAction>("mnuScan")->trigger();
    Form_scan* scan = win.w->scanWindow();
    scan->findChild<QCheckBox*>("cLearn")->click();
    QTableWidget* table = win.scanTable();
    QCOMPARE(table->rowCount(), 164);
    auto* select = scan->findChild<QPushButton*>("bSelect");
    for (const char* caption : {"IB", "RIB", "HL", "SE"}) {
        const auto found = table->findItems(caption, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), caption);
        table->setCurrentCell(found.front()->row(), 0);
        const bool choosable = QString(caption) == "IB" || QString(caption) == "RIB";
        QCOMPARE(select->isEnabled(), choosable);
    }
    // A row that cannot be chosen leaves the format alone.
    emit table->cellDoubleClicked(table->currentRow(), 1);
    QCOMPARE(win.get<QLineEdit>("irtype")->text(), QString("Form016(NEC N-8)"));
}

void CaptureFilesTest::anOpenScanWindowFollowsTheNextCapture() {
    Window win;
    QVERIFY(win.w->openCapture(necSamplePath()));
    win.get<QAction>("mnuScan")->trigger();
    // The third customer bit's gap is neither a 0 nor a 1 any more.
    QByteArray text = readAll(necSamplePath());
    const int third =
        text.indexOf("562 562", text.indexOf("562 562", text.indexOf("562 562") + 1) + 1);
    text.replace(third, 7, "562 1200");
    QVERIFY(win.w->openCapture(write(win.file("damaged.txt"), text)));
    QTableWidget* table = win.scanTable();
    const auto found = table->findItems("Form016(NEC N-8)", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QCOMPARE(table->item(found.front()->row(), 2)->text(), QString("fails"));
    QCOMPARE(table->item(found.front()->row(), 6)->text(),
             QString("Group 1:0 or 1's Idle time is error!"));
}

void CaptureFilesTest::iconsAndHelpComeFromTheResourceDirectory() {
    QTemporaryDir resources;
    QVERIFY(QFile::copy(kSourceDir + "/windows/errorlog/help.html", resources.filePath("help.html")));
    QTemporaryDir dir;
    QFile::copy(catalogueSource(), dir.filePath("IRTime.db"));
    Session s;
    s.cataloguePath = dir.filePath("IRTime.db").toStdString();
    s.errorRecord.setPath(dir.filePath("Error record.txt").toStdString());
    s.resourceDir = resources.path().toStdString();
    MemoryPort port;
    s.port = &port;
    Form_main w(s);
    w.startUp();
    // No link icons among these resources: the icon stays empty.
    QVERIFY(!s.Image1Bitmap.empty());
    QVERIFY(w.findChild<QLabel*>("Image1")->pixmap().isNull());

    w.findChild<QAction*>("mnuHelp")->trigger();
    auto* help = w.findChild<HelpTopicWindow*>("HelpTopic");
    QVERIFY(help);
    QCOMPARE(help->browser()->source().toLocalFile(), resources.filePath("help.html"));
}

QTEST_MAIN(CaptureFilesTest)
#include "capture_files_test.moc"
