// The road of a capture end to end: the unit's side of a pseudo-terminal
// (or the simulator) sends, the main window on the real serial port shows
// the decoded code. Wired exactly as the window program wires it.
#include "capture/capture_text.h"
#include "capture/capture_reader.h"
#include "windows/main/form_main.h"
#include "catalogue/catalogue_build.h"
#include "link/link_window.h"
#include "link/qt_serial_port.h"
#include "pty_master.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using linktest::PtyMaster;

namespace {

constexpr int kWaitMs = 15000;
const QString kPortMessage =
    QStringLiteral("This port is already open or doesn't exist,Please select another port.");

QByteArray necMessage() {
    const auto v = qv::readCaptureFile(QV_SOURCE_DIR "/data/samples/nec-00-12.txt");
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// The window program with COM1 on the given device (the test's unit when
// none is given).
struct Program {
    QTemporaryDir dir;
    PtyMaster unit;
    qv::Session session;
    qv::QtSerialPort port;
    std::unique_ptr<qv::Form_main> window;
    QElapsedTimer clock;
    QList<qint64> zTimes; // when each "Z" reached the unit, ms

    explicit Program(const QString& device = {}) {
        clock.start();
        session.cataloguePath = dir.filePath("IRTime.db").toStdString();
        session.errorRecord.setPath(dir.filePath("Error record.txt").toStdString());
        qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", session.cataloguePath);
        port.setOverride(1, device.isEmpty() ? unit.devicePath() : device);
        session.port = &port;
        window = std::make_unique<qv::Form_main>(session);
        qv::attachReceiverLink(port, session, window->portList());
        QObject::connect(&unit, &PtyMaster::bytesReceived, &unit, [this] {
            const qsizetype zs = unit.received().count('Z');
            while (zTimes.size() < zs)
                zTimes.append(clock.elapsed());
        });
        window->startUp();
        window->show();
    }

    template <typename T> T* child(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QString hexCode() const { return child<QPlainTextEdit>("tHCode")->toPlainText(); }
    QString binCode() const { return child<QPlainTextEdit>("tBcode")->toPlainText(); }
    bool timerActive(const char* name) const { return child<QTimer>(name)->isActive(); }
    QString caption() const { return child<QAction>("mumconnect")->text(); }
    // The received byte count the session keeps; the rule-line box shows only times.
    QString bytesShown() const { return QString::fromStdString(session.LblRGtime); }
    QStringList messages() const {
        QStringList texts;
        for (auto* box : window->findChildren<QMessageBox*>())
            if (box->isVisible()) texts << box->text();
        return texts;
    }
    void closeMessages() {
        for (auto* box : window->findChildren<QMessageBox*>())
            box->close();
    }
    // Idle: the first "Z" has reached the unit.
    bool waitUntilPolled() {
        return QTest::qWaitFor([this] { return !zTimes.isEmpty(); }, kWaitMs);
    }
    bool waitForCode() {
        return QTest::qWaitFor([this] { return hexCode().startsWith("00 FF 12 ED"); }, kWaitMs);
    }
};

} // namespace

class WindowRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void anNecKeyPressIsShownAfterTheCaptureWait();
    void zIsSentOncePerSecondWhileIdle();
    void aConnectSendsOneRAndAResetFollows();
    void switchConnectionWithBytesWaitingChangesNothing();
    void aNineByteMessageIsDroppedAndPollingGoesOn();
    void aBurstOverSeveralReceiveEventsMakesOneCapture();
    void aPortThatDoesNotExistGivesTheMessageAndTheClosedIcon();
    void aLostDeviceIsReportedOnceAndTheProgramStaysUsable();
    void thePortListShowsTheDeviceBehindEachEntry();
    void theSimulatorsNecSampleArrivesDecoded();
};

void WindowRoadTest::initTestCase() {
    if (!PtyMaster().ok()) QSKIP("this machine offers no pseudo-terminals");
}

void WindowRoadTest::anNecKeyPressIsShownAfterTheCaptureWait() {
    Program p;
    QVERIFY(p.waitUntilPolled());
    QVERIFY(p.hexCode().isEmpty());
    const qint64 sent = p.clock.elapsed();
    QVERIFY(p.unit.send(necMessage()));
    QVERIFY(p.waitForCode());
    const qint64 shown = p.clock.elapsed();
    // Timer1 waits 900 ms (a coarse timer may fire up to 5% early).
    QVERIFY2(shown - sent >= 850, qPrintable(QString::number(shown - sent)));
    QCOMPARE(p.hexCode().split('\n').first(), QStringLiteral("00 FF 12 ED "));
    QCOMPARE(p.binCode().split('\n').first(),
             QStringLiteral("00000000 11111111 01001000 10110111 "));
    QCOMPARE(p.bytesShown(), QString::number(necMessage().size()));
    QVERIFY(p.timerActive("Timer2"));
    QCOMPARE(p.window->windowTitle(), "Quorvel V2.0 - COM1 (" + p.unit.devicePath() + ")");
    QVERIFY(!p.timerActive("Timer1"));
    // No poll while the capture was being taken in.
    for (qint64 t : p.zTimes)
        QVERIFY(t < sent + 200 || t > shown);
}

void WindowRoadTest::zIsSentOncePerSecondWhileIdle() {
    Program p;
    QVERIFY(QTest::qWaitFor([&] { return p.zTimes.size() >= 5; }, kWaitMs));
    const double average = double(p.zTimes.last() - p.zTimes.first()) / (p.zTimes.size() - 1);
    QVERIFY2(average > 800 && average < 1500, qPrintable(QString::number(average)));
    QCOMPARE(p.unit.received().count('R'), 0); // start-up opens the port without "R"
    QCOMPARE(p.unit.received(), QByteArray(p.zTimes.size(), 'Z'));
}

void WindowRoadTest::aConnectSendsOneRAndAResetFollows() {
    Program p;
    auto* connectAction = p.child<QAction>("mumconnect");
    connectAction->trigger();
    QCOMPARE(p.caption(), QStringLiteral("Connect"));
    QVERIFY(!p.port.isOpen());
    QVERIFY(!p.timerActive("Timer2"));
    p.unit.clearReceived();

    connectAction->trigger();
    QCOMPARE(p.caption(), QStringLiteral("DisConnect"));
    QVERIFY(p.port.isOpen());
    QVERIFY(p.timerActive("Timer2"));
    QCOMPARE(p.session.Image1Bitmap, std::string("rs232.bmp"));
    QTRY_VERIFY_WITH_TIMEOUT(p.unit.received().contains('Z'), kWaitMs);
    // The "R" went out before the reset of the buffers and was not lost by it.
    QVERIFY(p.unit.received().startsWith('R'));
    QCOMPARE(p.unit.received().count('R'), 1);
}

void WindowRoadTest::switchConnectionWithBytesWaitingChangesNothing() {
    Program p;
    QVERIFY(p.waitUntilPolled());
    const QByteArray nec = necMessage();
    QVERIFY(p.unit.send(nec));
    QTRY_COMPARE_WITH_TIMEOUT(p.port.bytesWaiting(), static_cast<size_t>(nec.size()), kWaitMs);
    QVERIFY(p.timerActive("Timer1"));
    p.child<QAction>("mumconnect")->trigger();
    QVERIFY(p.port.isOpen());
    QVERIFY(p.timerActive("Timer1"));
    QCOMPARE(p.caption(), QStringLiteral("Dis&Connect"));
    QVERIFY(p.messages().isEmpty());
    // Once the capture has been taken, the link closes.
    QVERIFY(p.waitForCode());
    p.child<QAction>("mumconnect")->trigger();
    QVERIFY(!p.port.isOpen());
    QCOMPARE(p.caption(), QStringLiteral("Connect"));
}

void WindowRoadTest::aNineByteMessageIsDroppedAndPollingGoesOn() {
    Program p;
    QVERIFY(p.waitUntilPolled());
    QVERIFY(p.unit.send(QByteArray::fromHex("102000010002000300")));
    QTRY_COMPARE_WITH_TIMEOUT(p.bytesShown(), QStringLiteral("9"), kWaitMs);
    QVERIFY(!p.timerActive("Timer1"));
    QVERIFY(p.hexCode().isEmpty());
    // It used to stop the polling until a capture of 10 bytes or more came.
    QVERIFY(p.timerActive("Timer2"));
    const qsizetype polls = p.zTimes.size();
    QTRY_VERIFY_WITH_TIMEOUT(p.zTimes.size() > polls, kWaitMs);

    QVERIFY(p.unit.send(necMessage()));
    QVERIFY(p.waitForCode());
    QCOMPARE(p.bytesShown(), QString::number(necMessage().size()));
}

void WindowRoadTest::aBurstOverSeveralReceiveEventsMakesOneCapture() {
    Program p;
    QVERIFY(p.waitUntilPolled());
    QSignalSpy events(&p.port, &qv::QtSerialPort::received);
    const QByteArray nec = necMessage();
    for (qsizetype i = 0; i < nec.size(); i += 96) {
        QVERIFY(p.unit.send(nec.mid(i, 96)));
        QTest::qWait(60);
    }
    QVERIFY(p.waitForCode());
    QVERIFY(events.count() >= 3);
    QCOMPARE(p.bytesShown(), QString::number(nec.size()));
    QCOMPARE(p.hexCode().split('\n').first(), QStringLiteral("00 FF 12 ED "));
}

void WindowRoadTest::aPortThatDoesNotExistGivesTheMessageAndTheClosedIcon() {
    Program p(QStringLiteral("/nonexistent/ttyQV0"));
    // The second line names the port, its device and the system's reason.
    QTRY_COMPARE_WITH_TIMEOUT(p.messages().size(), 1, kWaitMs);
    const QStringList lines = p.messages().first().split('\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], kPortMessage);
    QVERIFY2(lines[1].startsWith("COM1 (/nonexistent/ttyQV0): ") && lines[1].size() > 28,
             qPrintable(lines[1]));
    QVERIFY(!p.port.isOpen());
    QCOMPARE(p.session.Image1Bitmap, std::string("rs232u.bmp"));
    QVERIFY(!p.child<QLabel>("Image1")->pixmap().isNull());
    p.closeMessages();
    // The program goes on: its idle timer runs and sends nothing.
    QVERIFY(p.timerActive("Timer2"));
    QTest::qWait(1200);
    QVERIFY(p.unit.received().isEmpty());
}

void WindowRoadTest::aLostDeviceIsReportedOnceAndTheProgramStaysUsable() {
    Program p;
    QVERIFY(p.waitUntilPolled());
    p.unit.hangUp();
    QTRY_COMPARE_WITH_TIMEOUT(p.messages().size(), 1, kWaitMs);
    QVERIFY(p.messages().first().contains(QStringLiteral("was disconnected")));
    QVERIFY(!p.port.isOpen());
    QCOMPARE(p.session.Image1Bitmap, std::string("rs232u.bmp"));
    QTRY_COMPARE_WITH_TIMEOUT(p.caption(), QStringLiteral("Connect"), kWaitMs);
    QVERIFY(p.child<QLabel>("Image1")->isVisibleTo(p.window.get()));
    QTest::qWait(600);
    QCOMPARE(p.messages().size(), 1);
    p.closeMessages();

    // The unit comes back under another device: choosing COM1 again reaches it.
    PtyMaster again;
    p.port.setOverride(1, again.devicePath());
    emit p.child<QComboBox>("SelCom")->activated(0);
    QVERIFY(p.port.isOpen());
    QCOMPARE(p.session.Image1Bitmap, std::string("rs232.bmp"));
    QVERIFY(again.send(necMessage()));
    QVERIFY(p.waitForCode());
}

void WindowRoadTest::thePortListShowsTheDeviceBehindEachEntry() {
    Program p;
    auto* selCom = p.child<QComboBox>("SelCom");
    QCOMPARE(selCom->count(), 16);
    QCOMPARE(selCom->itemText(0), QStringLiteral("COM1"));
    QCOMPARE(selCom->itemData(0, Qt::ToolTipRole).toString(),
             p.unit.devicePath() + QStringLiteral(" (from --port)"));
    QVERIFY(selCom->toolTip().startsWith(QStringLiteral("COM1: ") + p.unit.devicePath()));
    for (int i = 1; i < 16; ++i)
        QCOMPARE(selCom->itemData(i, Qt::ToolTipRole).toString(),
                 QString::fromStdString(p.port.table().describe(i + 1)));
}

void WindowRoadTest::theSimulatorsNecSampleArrivesDecoded() {
    QProcess sim;
    sim.start(QStringLiteral(QV_SIM),
              {QStringLiteral(QV_SOURCE_DIR "/data/samples/nec-00-12.txt")});
    QVERIFY(sim.waitForStarted(kWaitMs));
    QVERIFY(QTest::qWaitFor([&] { return sim.canReadLine(); }, kWaitMs));
    const QString device = QString::fromUtf8(sim.readLine()).trimmed();
    {
        Program p(device);
        QVERIFY(p.port.isOpen());
        // The simulator plays once the program has polled it.
        QVERIFY(p.waitForCode());
        QCOMPARE(p.hexCode().split('\n').first(), QStringLiteral("00 FF 12 ED "));
    }
    const QString log = QString::fromUtf8(sim.readAllStandardOutput());
    QVERIFY2(log.contains(QStringLiteral("rx Z")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("tx %1 bytes").arg(necMessage().size())), qPrintable(log));
    sim.terminate();
    QVERIFY(sim.waitForFinished(kWaitMs));
}

QTEST_MAIN(WindowRoadTest)
#include "window_road_test.moc"
