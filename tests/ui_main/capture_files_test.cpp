// Capture files in the main window: every kind opens to the same capture,
// every kind saved reopens to the same code, a malformed or dropped file and
// the scan window.
#include "../ui_windows/window_test_support.h"
#include "windows/main/capture_file.h"
#include "windows/main/form_scan.h"

#include <QClipboard>
#include <QListWidget>

using namespace qv;
using qvtest::fileBytes;
using qvtest::kNecSample;
using Window = qvtest::MainWindow;

namespace {

// Everything the window shows of a capture.
struct Shown {
    QStringList cells, errors;
    QString hex, bin, irtype, received;
    std::vector<uint8_t> message;
    explicit Shown(const Window& win)
        : errors(win.errorLines()), hex(win.text("tHCode")), bin(win.text("tBcode")),
          irtype(win.text("irtype")), received(QString::fromStdString(win.s.wave.readout)),
          message(win.s.last.capture.message) {
        auto* table = win.get<QTableWidget>("TTable");
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
    }
    bool sameCode(const Shown& o) const {
        return hex == o.hex && bin == o.bin && errors == o.errors && irtype == o.irtype;
    }
    bool operator==(const Shown& o) const {
        return sameCode(o) && cells == o.cells && received == o.received && message == o.message;
    }
};

QByteArray bytesOf(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
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

QTableWidget* scanTable(const Window& win) {
    Form_scan* scan = win.w->scanWindow();
    if (!scan) qFatal("no scan window");
    return scan->findChild<QTableWidget*>("tblScan");
}

int scanRow(const Window& win, const QString& caption) {
    const auto found = scanTable(win)->findItems(caption, Qt::MatchExactly);
    return found.size() == 1 ? found.front()->row() : -1;
}

} // namespace

class CaptureFilesTest : public QObject {
    Q_OBJECT

private slots:
    void everyKindOpensToTheSameCapture();
    void aSavedCaptureReopensToTheSameCode();
    void theSaveDialogsKindDecidesAMissingEnding();
    void withoutACaptureThereIsNothingToSaveOrScan();
    void aMalformedOrFailedFileLeavesEverythingAsItWas();
    void scanRanksTheCleanFormatsFirstAndFollowsTheNextCapture();
    void choosingAScanRowSelectsItsFormat();
    void manyFilesOpenAtOnceAndStatisticsSayWhatTheListDropped();
    void aRemoteFileListsItsSignalsAndAPasteOpensAsAFile();
};

// The NEC sample in each kind a colleague might send it (tests/data/ui),
// written by hand from its times rather than by the program's own writers.
void CaptureFilesTest::everyKindOpensToTheSameCapture() {
    Window reference;
    QVERIFY(reference.w->openCapture(kNecSample));
    const Shown expected(reference);
    QCOMPARE(expected.hex, QString("00 FF 12 ED \n"));
    for (const QStringList& r : qvtest::rowsOf("open_kinds.txt")) {
        const QString& name = r[0];
        const QByteArray content =
            r[1] == "bin" ? bytesOf(reference.s.last.capture.message)
                          : fileBytes(r[1].isEmpty() ? kNecSample
                                                     : qvtest::kSource + "/tests/data/ui/" + r[1]);
        Window win;
        QVERIFY2(!content.isEmpty(), qPrintable(name));
        QVERIFY(win.w->openCapture(qvtest::writeFile(win.path(name), content)));
        const Shown shown(win);
        QVERIFY(win.s.out.messages.empty());
        const bool pronto = content.startsWith("0000 "), bin = name.endsWith(".bin");
        if (!pronto) QCOMPARE(shown.cells, expected.cells); // Pronto counts carrier cycles
        if (bin) QVERIFY(shown == expected);
        // Files other than the unit's messages are read as demodulated captures.
        QCOMPARE(win.s.decoding.demod.on, !bin);
        QCOMPARE(win.get<QAction>("mnuDemodulated")->isChecked(), !bin);
        QCOMPARE(win.w->windowTitle().contains("demodulated"), !bin);
        if (pronto) { // its own carrier: 38 kHz, not the default of a text capture
            QCOMPARE(std::lround(1000 / win.s.last.capture.carrierPeriod), 38L);
            QCOMPARE(shown.cells[0], QString("8993"));
        }
    }
}

void CaptureFilesTest::aSavedCaptureReopensToTheSameCode() {
    for (const QStringList& r : qvtest::rowsOf("save_kinds.txt")) {
        const QString& name = r[0];
        const QByteArray startsWith = r[1].toUtf8().replace("\\n", "\n");
        const bool pronto = captureKindForPath(name.toStdString()) == CaptureFileKind::Pronto;
        Window win;
        QVERIFY(win.w->openCapture(kNecSample));
        const Shown before(win);
        QVERIFY(win.w->saveCapture(win.path(name)));
        const QByteArray saved = fileBytes(win.path(name));
        QVERIFY2(saved.startsWith(startsWith), qPrintable(name));
        QVERIFY(!startsWith.isEmpty() || saved == bytesOf(win.s.last.capture.message));
        QVERIFY2(Shown(win) == before, "saving changes nothing on the screen");

        Window again;
        QVERIFY(again.w->openCapture(win.path(name)));
        const Shown reopened(again);
        QVERIFY(pronto || reopened.cells == before.cells);
        QVERIFY(!startsWith.isEmpty() || reopened.message == before.message);
        // The same kind saved again is the same file, but for Pronto's very
        // last gap: not received, it is derived from the frame period before.
        QVERIFY(again.w->saveCapture(again.path(name)));
        const QByteArray second = fileBytes(again.path(name));
        const qsizetype end = saved.lastIndexOf(' ');
        QCOMPARE(pronto ? second.left(end) : second, pronto ? saved.left(end) : saved);
    }
    // A failed save says why; a save over a file replaces it whole.
    Window win;
    QVERIFY(win.w->openCapture(kNecSample));
    const QString missing = win.path("no-such-folder/capture.txt");
    QVERIFY(!win.w->saveCapture(missing));
    QVERIFY(win.messageBox()->text().startsWith(missing + ": cannot be written"));
    const QString old = qvtest::writeFile(win.path("old.txt"), "1 2 3\n");
    QVERIFY(win.w->saveCapture(old));
    QVERIFY(fileBytes(old).startsWith("9000 4500\n"));
    // A capture longer than the record is saved whole.
    std::vector<int64_t> times;
    for (int i = 0; i < 5001; ++i)
        times.push_back(i % 2 ? 1700 : 560);
    const QString longer = qvtest::writeFile(win.path("long.txt"), writeTimeList(times).c_str());
    QVERIFY(win.w->openCapture(longer));
    QVERIFY(captureTimes(win.s.TTable).size() < times.size());
    QVERIFY(win.w->saveCapture(win.path("long.raw")));
    QCOMPARE(parseTimeList(fileBytes(win.path("long.raw")).toStdString()), times);
}

void CaptureFilesTest::theSaveDialogsKindDecidesAMissingEnding() {
    for (const QStringList& r : qvtest::rowsOf("save_paths.txt")) {
        const CaptureFileKind chosen = captureKindForPath("x" + r[1].toStdString());
        const std::string path = captureSavePath(r[0].toStdString(), chosen);
        QCOMPARE(QString::fromStdString(path), r[2]);
        QVERIFY(r[0] == r[2] || captureKindForPath(path) == chosen); // it reads back as chosen
    }
}

void CaptureFilesTest::withoutACaptureThereIsNothingToSaveOrScan() {
    for (auto [action, message] : {std::pair{"mnuSaveCapture", "There is no capture to save yet."},
                                   std::pair{"mnuScan", "There is no capture to scan yet."}}) {
        Window win;
        win.trigger(action);
        QVERIFY(win.messageBox());
        QCOMPARE(win.messageBox()->text(), QString(message));
        QVERIFY(!win.w->scanWindow());
        QVERIFY(!win.w->saveCapture(win.path("nothing.txt")));
        QVERIFY(!QFile::exists(win.path("nothing.txt")));
    }
}

void CaptureFilesTest::aMalformedOrFailedFileLeavesEverythingAsItWas() {
    for (const QStringList& r : qvtest::rowsOf("malformed_files.txt")) {
        const QString& name = r[0];
        const QByteArray content = name.startsWith("huge")
                                       ? QByteArray((1 << 20) + 1, '1')
                                       : QByteArray::fromPercentEncoding(r[1].toUtf8());
        Window win;
        QVERIFY(dropFile(win, QUrl::fromLocalFile(kNecSample)));
        QVERIFY(!win.messageBox());
        const Shown before(win);
        QCOMPARE(before.cells[0], QString("9000"));
        const QString path = win.path(name);
        if (name.startsWith("folder"))
            QVERIFY(QDir().mkpath(path));
        else if (!name.startsWith("missing"))
            qvtest::writeFile(path, content);
        QVERIFY(dropFile(win, QUrl::fromLocalFile(path)));
        QVERIFY(win.messageBox());
        QVERIFY2(win.messageBox()->text().startsWith(path + r[2]),
                 qPrintable(win.messageBox()->text()));
        QVERIFY(Shown(win) == before);
    }
    Window win;
    QVERIFY(!dropFile(win, QUrl("https://example.org/nec.txt")));
    QVERIFY(win.get<QTableWidget>("TTable")->item(0, 0)->text().isEmpty());
}

void CaptureFilesTest::scanRanksTheCleanFormatsFirstAndFollowsTheNextCapture() {
    Window win;
    QVERIFY(win.w->openCapture(kNecSample));
    win.trigger("mnuScan");
    Form_scan* scan = win.w->scanWindow();
    QVERIFY(scan && scan->isVisible());
    QCOMPARE(scan->objectName(), QString("Form_scan"));
    QTableWidget* table = scanTable(win);
    QCOMPARE(table->rowCount(), 160);
    // Real formats that fit, then placeholder rows that fit, then generic
    // rows that learned the capture, then the rest.
    const QStringList fits = {"clean", "clean*", "learned", "fails"};
    for (const bool learn : {true, false}) {
        scan->findChild<QCheckBox*>("cLearn")->setChecked(learn);
        QCOMPARE(table->rowCount(), learn ? 164 : 160);
        const int form016 = scanRow(win, "Form016(NEC N-8)");
        int lastFit = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            QCOMPARE(table->item(row, 0)->text(), QString::number(row + 1));
            const int fit = static_cast<int>(fits.indexOf(table->item(row, 2)->text()));
            QVERIFY(fit >= lastFit && (row > form016 || fit == 0));
            lastFit = fit;
        }
        QCOMPARE(table->findItems("learned", Qt::MatchExactly).isEmpty(), !learn);
    }
    const int form016 = scanRow(win, "Form016(NEC N-8)");
    // The frame and its two repeat frames.
    QCOMPARE(table->item(form016, 3)->text(), QString("3"));
    QCOMPARE(table->item(form016, 4)->text(), QString("32"));
    QCOMPARE(table->item(form016, 5)->text(), QString("00 FF 12 ED "));
    QVERIFY(table->item(form016, 6)->text().isEmpty());
    QVERIFY(!table->item(159, 6)->text().isEmpty()); // a failing row says why
    QVERIFY(scan->findChild<QLabel*>("lScanInfo")->text().startsWith("160 formats tried"));

    QByteArray text = fileBytes(kNecSample); // the third customer bit's gap is no bit
    int at = -1;
    for (int i = 0; i < 3; ++i)
        at = static_cast<int>(text.indexOf("562 562", at + 1));
    QVERIFY(win.w->openCapture(
        qvtest::writeFile(win.path("bad.txt"), text.replace(at, 7, "562 1200"))));
    const int row = scanRow(win, "Form016(NEC N-8)");
    QCOMPARE(table->item(row, 2)->text(), QString("fails"));
    QCOMPARE(table->item(row, 6)->text(), QString("Group 1:0 or 1's Idle time is error!"));
}

void CaptureFilesTest::choosingAScanRowSelectsItsFormat() {
    for (const QString how : {"doubleClick", "button"}) {
        Window win;
        QVERIFY(win.w->openCapture(kNecSample));
        win.trigger("mnuform001");
        QCOMPARE(win.text("tHCode"), QString()); // decoded again: not this format
        win.trigger("mnuScan");
        QTableWidget* table = scanTable(win);
        QTableWidgetItem* item = table->item(scanRow(win, "Form016(NEC N-8)"), 1);
        table->setCurrentItem(item);
        table->scrollToItem(item);
        const QPoint at = table->visualItemRect(item).center();
        if (how == "button")
            QTest::mouseClick(win.w->scanWindow()->findChild<QPushButton*>("bSelect"),
                              Qt::LeftButton);
        else
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        if (how == "doubleClick") QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(win.text("irtype"), QString("Form016(NEC N-8)"));
        QCOMPARE(win.s.format.cursor->field("Format").toText(), std::string("Form016"));
        // As the menu entry does: the capture is decoded again with it.
        QCOMPARE(win.text("tHCode"), QString("00 FF 12 ED \n"));
    }
}

// Regression: the open dialog took one file at a time, and the statistics
// kept the last 1000 captures without a word of the ones dropped.
void CaptureFilesTest::manyFilesOpenAtOnceAndStatisticsSayWhatTheListDropped() {
    Window win;
    QVERIFY(win.w->openCapture(kNecSample));
    QCOMPARE(win.s.pressLog.size(), size_t(1));
    win.s.pressLog.resize(qv::kPressLogSize, win.s.pressLog.front()); // a long run
    QStringList names;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        names << QFileInfo(qvtest::writeFile(win.path(name), qvtest::fileBytes(kNecSample)))
                     .fileName();
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->setDirectory(win.path(""));
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"" + names.join("\" \"") + "\"");
        static_cast<QDialog*>(dialog)->accept(); // as the Open button does
    });
    win.trigger("mnuOpenCapture");
    QCOMPARE(win.s.pressLog.size(), qv::kPressLogSize);
    QCOMPARE(win.s.pressesDropped, size_t(3));
    QCOMPARE(win.s.last.capture.source.shown(), std::string("c.txt"));

    auto* list = win.get<QTreeWidget>("lstPresses");
    QCOMPARE(list->headerItem()->text(3), QString("Source"));
    QCOMPARE(list->topLevelItem(0)->text(3), QString("c.txt"));
    QCOMPARE(list->topLevelItem(2)->text(3), QString("a.txt"));
    win.trigger("mnuStatistics");
    auto* dropped = win.w->findChild<QLabel*>("lStatsDropped");
    QVERIFY(dropped && dropped->isVisible());
    QCOMPARE(dropped->text(),
             QString("3 older captures of this run were dropped: the list keeps the last 1000."));
    win.get<QPushButton>("bClearPresses")->click();
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    win.trigger("mnuOpenCapture"); // nothing chosen: nothing opened
    QVERIFY(win.s.pressLog.empty() && win.s.pressesDropped == 0);
}

void CaptureFilesTest::aRemoteFileListsItsSignalsAndAPasteOpensAsAFile() {
    Window win;
    QVERIFY(win.w->openCapture(qvtest::kSource + "/tests/data/exchange/remote-nec.ir"));
    auto* list = win.w->findChild<QListWidget*>("lstSignals");
    QVERIFY(list && list->window()->isVisible());
    QCOMPARE(list->count(), 2);
    QCOMPARE(win.text("tHCode"), QString("04 FB 08 F7 \n"));
    QVERIFY(list->item(0)->text().contains("04 FB 08 F7"));
    list->setCurrentRow(1); // Mute
    win.w->refresh();
    QCOMPARE(win.text("tHCode"), QString("04 FB 09 F6 \n"));
    QVERIFY(list->item(1)->text().startsWith("Mute"));
    // Another format: every decode listed is made again under it, as
    // choosing the signal then shows it.
    win.trigger("mnuform001");
    QVERIFY(!list->item(0)->text().contains("04 FB 08 F7"));
    const QString listed = list->item(0)->text();
    list->setCurrentRow(0);
    win.w->refresh();
    QCOMPARE(list->item(0)->text(), listed);
    const QString shown = win.text("tHCode").section('\n', 0, 0);
    QVERIFY(listed.endsWith(shown.isEmpty() ? QString("(no code)") : shown));
    win.trigger("mnuform016");
    QVERIFY(list->item(1)->text().endsWith("04 FB 09 F6 "));

    QApplication::clipboard()->setText(
        fileBytes(qvtest::kSource + "/tests/data/exchange/dump-nec.txt"));
    win.get<QTableWidget>("TTable")->setFocus();
    QTest::keyClick(win.get<QTableWidget>("TTable"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(win.text("tHCode"), QString("04 FB 08 F7 \n"));
    QApplication::clipboard()->setText("Filetype: IR signals file\nVersion: 2\n");
    QTest::keyClick(win.get<QTableWidget>("TTable"), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(!win.s.out.messages.empty() &&
            win.s.out.messages.back().find("pasted text: line 2") == 0);
}

QTEST_MAIN(CaptureFilesTest)
#include "capture_files_test.moc"
