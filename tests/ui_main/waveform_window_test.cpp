// The waveform as the main window shows it: the rows hold the frames the
// decode read, the parts show the code line's values, no text is cut or
// covered, a new capture starts at its beginning, and the zoom is continuous.
#include "../ui_windows/window_test_support.h"
#include "waveform/measure.h"
#include "waveform/overlay.h"
#include "waveform/waveform.h"
#include "windows/main/picture_widget.h"

using namespace qv;
using qvtest::kNecSample;
using Window = qvtest::MainWindow;

namespace {

// A real RC-5 press (address 0x10, command 0x55) read by a demodulating receiver.
const QByteArray kRc5 = "1790 1758 898 878 1790 876 900 874 904 872 896 878 900 1760 1798 1756 "
                        "1790 1762 904 100000";

QString rc5File(const Window& win, int presses) {
    QByteArray text;
    for (int i = 0; i < presses; ++i)
        text += i + 1 < presses ? QByteArray(kRc5).replace("100000", "89000") + " " : kRc5;
    return qvtest::writeFile(win.path(QString("rc5-%1.txt").arg(presses)), text);
}

QStringList rowLabels(const Window& win) {
    QStringList out;
    for (const WaveRow& r : win.s.wave.rows)
        out << QString::fromStdString(r.label);
    return out;
}

// The parts' labels as the overlay gives them with room for every text.
QStringList partLabels(const Window& win) {
    QStringList out;
    for (const OverlayItem& o :
         overlay(win.s.wave, win.s.last.marks, 1, [](const std::string&) { return 0.0; }))
        if (o.kind == OverlayKind::Part && o.row == 0) out << QString::fromStdString(o.text);
    return out;
}

// The first burst drawn in a row, and the cells a row draws.
QString rowCells(const Window& win, int row) {
    QStringList cells;
    for (const WaveSegment& g : win.s.wave.segments)
        if (g.row == row) cells << QString("%1,%2").arg(g.cellRow).arg(g.cellCol);
    return cells.isEmpty() ? QString() : cells.first() + ".." + cells.last();
}

} // namespace

class WaveformWindowTest : public QObject {
    Q_OBJECT

private slots:
    void rowsHoldTheFramesTheDecodeRead();
    void partsShowTheValuesOfTheCodeLine();
    void noTextIsCutOrCovered();
    void aNewCaptureStartsAtItsBeginning();
    void zoomIsContinuousAroundThePointer();
};

// Each capture under each format, the rows at once after the change.
void WaveformWindowTest::rowsHoldTheFramesTheDecodeRead() {
    const struct {
        int rc5Presses; // 0: the NEC sample
        const char* format;
        QStringList rows;
        QString frame2; // the cells frame 2 draws
    } cases[] = {
        {0, "mnuform016", {"Whole capture", "Frame 2", "Frame 3"}, "7,9..8,2"},
        {0, "mnuform030", {"Whole capture"}, ""}, // RC-5 cannot split it
        {1, "mnuform030", {"Whole capture"}, ""}, // one frame, not three fragments
        {2, "mnuform030", {"Whole capture", "Frame 2"}, "3,1..4,9"},
        {2, "mnuform016", {"Whole capture"}, ""},
    };
    Window win;
    for (const auto& c : cases) {
        QVERIFY(win.w->openCapture(c.rc5Presses ? rc5File(win, c.rc5Presses) : kNecSample));
        win.trigger(c.format); // the rows follow the format at once, without a zoom
        QCOMPARE(rowLabels(win), c.rows);
        QCOMPARE(rowCells(win, 1), c.frame2);
    }
}

void WaveformWindowTest::partsShowTheValuesOfTheCodeLine() {
    const struct {
        int rc5Presses;
        const char* format;
        const char* radix;
        QString code;
        QStringList parts;
    } cases[] = {
        {1, "mnuform030", "optHex", "10 55\n", {"Start", "Toggle", "Customer 10", "Data 55"}},
        {1, "mnuform030", "optOct", "16 85 \n", {"Start", "Toggle", "Customer 16", "Data 85"}},
        {0,
         "mnuform016",
         "optOct",
         "00 255 18 237 \n",
         {"Customer 00", "~Customer 255", "Data 18", "~Data 237", "Last burst", "Last burst",
          "Last burst"}},
        {0,
         "mnuform016",
         "optHex",
         "00 FF 12 ED \n",
         {"Customer 00", "~Customer FF", "Data 12", "~Data ED", "Last burst", "Last burst",
          "Last burst"}},
    };
    Window win;
    for (const auto& c : cases) {
        win.trigger(c.format);
        win.operate(c.radix);
        QVERIFY(win.w->openCapture(c.rc5Presses ? rc5File(win, c.rc5Presses) : kNecSample));
        QCOMPARE(win.text("tHCode"), c.code);
        QCOMPARE(partLabels(win), c.parts);
    }
}

// Every text of the picture lies whole inside it, apart from every other
// text and every bracket, at any size, zoom and scroll.
void WaveformWindowTest::noTextIsCutOrCovered() {
    Window win;
    win.w->resize(1000, 700);
    auto* picture = win.get<PictureWidget>("Picture1");
    const QFontMetricsF fm(picture->font());
    QByteArray damaged = qvtest::fileBytes(kNecSample);
    damaged.replace(damaged.indexOf("562 562", damaged.indexOf("562 562") + 1), 7, "562 1200");
    const QString captures[] = {kNecSample, qvtest::writeFile(win.path("damaged.txt"), damaged),
                                rc5File(win, 2)};
    const std::pair<int, int> views[] = {{300, 0},      {300, 150000}, {200, 0},
                                         {240, 140000}, {100, 8000},   {40, 160000}};
    int failLabels = 0, rowNames = 0;
    for (const QString& capture : captures) {
        QVERIFY(win.w->openCapture(capture));
        for (const QSize size : {QSize(900, 240), QSize(560, 150), QSize(1600, 420)})
            for (auto [zoom, scroll] : views) {
                vscrollChange(win.s, zoom);
                hscrollChange(win.s, scroll);
                const auto labels = picture->labels(size);
                const QString where = QString("%1 %2x%3 zoom %4 scroll %5")
                                          .arg(capture)
                                          .arg(size.width())
                                          .arg(size.height())
                                          .arg(zoom)
                                          .arg(scroll);
                for (size_t i = 0; i < labels.size(); ++i) {
                    const auto& a = labels[i];
                    const bool text = a.kind != PictureWidget::LabelKind::Bracket;
                    if (!text) continue;
                    failLabels += a.kind == PictureWidget::LabelKind::Fail;
                    rowNames += a.text == "Whole capture";
                    QVERIFY2(QRectF(QPointF(0, 0), size).contains(a.box), qPrintable(where));
                    QVERIFY2(fm.horizontalAdvance(a.text) <= a.box.width(), qPrintable(a.text));
                    for (size_t j = 0; j < labels.size(); ++j)
                        QVERIFY2(i == j || !a.box.intersects(labels[j].box),
                                 qPrintable(a.text + " over " + labels[j].text + " " + where));
                }
            }
    }
    // The failing time keeps its label, and the row its name beside it.
    QVERIFY(failLabels >= 6 * 3);  // the damaged capture's, at every view and size
    QCOMPARE(rowNames, 3 * 6 * 2); // every picture tall enough names its first row
}

void WaveformWindowTest::aNewCaptureStartsAtItsBeginning() {
    Window win;
    QVERIFY(win.w->openCapture(kNecSample));
    win.get<QScrollBar>("VScroll1")->setValue(200); // 10 ms across
    win.get<QScrollBar>("HScroll1")->setValue(600000);
    auto* table = win.get<QTableWidget>("TTable");
    table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
    QVERIFY(table->verticalScrollBar()->value() > 0);
    QVERIFY(win.w->openCapture(rc5File(win, 1)));
    QCOMPARE(win.get<QScrollBar>("HScroll1")->value(), 0);
    QCOMPARE(win.s.wave.ScaleWidth, 10000.0); // the zoom is kept
    QCOMPARE(table->verticalScrollBar()->value(), 0);
}

void WaveformWindowTest::zoomIsContinuousAroundThePointer() {
    Window win;
    QVERIFY(win.w->openCapture(kNecSample));
    auto* picture = win.get<PictureWidget>("Picture1");
    const WaveformState& w = win.s.wave;
    const QPointF at(picture->width() * 0.6, picture->height() / 2);
    auto timeAt = [&] { return picture->pictureX(at.x()) - timeOrigin(w); };
    auto wheel = [&](int delta) {
        QWheelEvent e(at, picture->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture, &e);
    };
    const double t0 = timeAt();
    double before = w.ScaleWidth;
    wheel(15); // a fine wheel: an eighth of a notch
    QCOMPARE(w.ScaleWidth, before / std::pow(kWheelNotchFactor, 0.125));
    for (int i = 0; i < 40; ++i)
        wheel(120);
    QCOMPARE(w.ScaleWidth, kNarrowestView);
    QVERIFY(w.ScaleWidth / picture->width() <= 0.5); // µs a pixel
    QVERIFY(std::abs(timeAt() - t0) <= 1);
    QCOMPARE(win.get<QScrollBar>("VScroll1")->value(), 0);

    before = w.ScaleWidth;
    QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                              at, at, picture->mapToGlobal(at), -0.25, QPointF());
    QApplication::sendEvent(picture, &pinch);
    QCOMPARE(w.ScaleWidth, before / 0.75);
    QVERIFY(std::abs(timeAt() - t0) <= 1);

    before = w.ScaleWidth;
    QTest::keyClick(picture, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(w.ScaleWidth, before * kZoomKeyFactor);
    for (int i = 0; i < 40; ++i)
        wheel(-120);
    QCOMPARE(w.ScaleWidth, widestView(win.s)); // the whole capture, a second at least
    QCOMPARE(win.text("Lblzoom"), QString(" X 1 "));
    win.get<QScrollBar>("VScroll1")->setValue(200);
    QCOMPARE(win.text("Lblzoom"), QString(" X100"));
    QCOMPARE(w.ScaleWidth, 10000.0);
}

QTEST_MAIN(WaveformWindowTest)
#include "waveform_window_test.moc"
