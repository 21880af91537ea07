// The port on a real device: a pseudo-terminal whose unit side the test
// drives.
#include "link/qt_serial_port.h"
#include "pty_master.h"

#include <QSignalSpy>
#include <QTest>

using linktest::PtyMaster;
using qv::QtSerialPort;

namespace {

constexpr int kWaitMs = 10000;

// A port whose COM1 is the pseudo-terminal.
struct PortOnPty {
    PtyMaster unit;
    QtSerialPort port;
    PortOnPty() { port.setOverride(1, unit.devicePath()); }
};

QByteArray bytesOf(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

} // namespace

class QtSerialPortTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensTheDeviceAt28800EightNoneOne();
    void readsExactlyTheWaitingBytesAcrossSeveralReceiveEvents();
    void aConnectsRIsNotLostWhenTheBuffersAreEmptied();
    void emptyingTheBuffersDropsWhatWaits();
    void aFullReceiveBufferDropsTheExcess();
    void portsThatCannotOpen_data();
    void portsThatCannotOpen();
    void aHangUpIsReportedOnceAndKeepsWhatArrived();
    void portArguments_data();
    void portArguments();
};

void QtSerialPortTest::initTestCase() {
    if (!PtyMaster().ok()) QSKIP("this machine offers no pseudo-terminals");
}

void QtSerialPortTest::opensTheDeviceAt28800EightNoneOne() {
    PortOnPty p;
    QVERIFY(p.unit.ok());
    QVERIFY2(p.port.open(1), qPrintable(p.port.lastError()));
    QVERIFY(p.port.isOpen());
    QCOMPARE(p.port.deviceName(), p.unit.devicePath());
    const auto line = p.unit.lineSettings();
    QCOMPARE(line.baud, 28800u);
    QCOMPARE(line.dataBits, 8);
    QVERIFY(!line.parity);
    QVERIFY(!line.twoStopBits);
    QVERIFY(line.raw);
    p.port.close();
    QVERIFY(!p.port.isOpen());
}

void QtSerialPortTest::readsExactlyTheWaitingBytesAcrossSeveralReceiveEvents() {
    PortOnPty p;
    QVERIFY(p.port.open(1));
    QSignalSpy events(&p.port, &QtSerialPort::received);
    QByteArray message;
    for (int i = 0; i < 300; ++i)
        message.append(static_cast<char>(i * 7));
    for (qsizetype i = 0; i < message.size(); i += 100) {
        QVERIFY(p.unit.send(message.mid(i, 100)));
        QTRY_COMPARE_WITH_TIMEOUT(p.port.bytesWaiting(), static_cast<size_t>(i + 100), kWaitMs);
    }
    QVERIFY(events.count() >= 3);
    const auto head = p.port.read(2);
    QCOMPARE(bytesOf(head), message.left(2));
    QCOMPARE(p.port.bytesWaiting(), 298u);
    const auto rest = p.port.read(p.port.bytesWaiting());
    QCOMPARE(bytesOf(rest), message.mid(2));
    QCOMPARE(p.port.bytesWaiting(), 0u);
}

void QtSerialPortTest::aConnectsRIsNotLostWhenTheBuffersAreEmptied() {
    PortOnPty p;
    QVERIFY(p.port.open(1));
    QVERIFY(p.port.write("R"));
    p.port.clearBuffers();
    QVERIFY(p.port.write("Z"));
    QTRY_COMPARE_WITH_TIMEOUT(p.unit.received(), QByteArray("RZ"), kWaitMs);
}

void QtSerialPortTest::emptyingTheBuffersDropsWhatWaits() {
    PortOnPty p;
    QVERIFY(p.port.open(1));
    QVERIFY(p.unit.send(QByteArray(40, 'x')));
    QTRY_COMPARE_WITH_TIMEOUT(p.port.bytesWaiting(), 40u, kWaitMs);
    p.port.clearBuffers();
    QCOMPARE(p.port.bytesWaiting(), 0u);
    QVERIFY(p.unit.send(QByteArray(3, 'y')));
    QTRY_COMPARE_WITH_TIMEOUT(p.port.bytesWaiting(), 3u, kWaitMs);
    QCOMPARE(bytesOf(p.port.read(3)), QByteArray(3, 'y'));
}

void QtSerialPortTest::aFullReceiveBufferDropsTheExcess() {
    PortOnPty p;
    QVERIFY(p.port.open(1));
    QVERIFY(p.unit.send(QByteArray(1000, 'a')));
    QTRY_COMPARE_WITH_TIMEOUT(p.port.bytesWaiting(), 1000u, kWaitMs);
    QVERIFY(p.unit.send(QByteArray(500, 'b')));
    QTRY_COMPARE_WITH_TIMEOUT(p.port.overrunBytes(), 220, kWaitMs);
    QCOMPARE(p.port.bytesWaiting(), static_cast<size_t>(QtSerialPort::kReceiveBufferSize));
    const QByteArray all = bytesOf(p.port.read(2000));
    QCOMPARE(all, QByteArray(1000, 'a') + QByteArray(280, 'b'));
}

void QtSerialPortTest::portsThatCannotOpen_data() {
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("portNumber");
    QTest::newRow("DeviceDoesNotExist") << "/nonexistent/ttyQV0" << 1;
    QTest::newRow("NotASerialDevice") << "/dev/null" << 1;
    QTest::newRow("NoDeviceBehindTheEntry") << QString() << 16;
    QTest::newRow("NumberOutsideTheList") << QString() << 17;
}

void QtSerialPortTest::portsThatCannotOpen() {
    QFETCH(QString, device);
    QFETCH(int, portNumber);
    PtyMaster other;
    QtSerialPort port;
    port.setOverride(2, other.devicePath());
    QVERIFY(port.open(2));
    if (!device.isEmpty()) port.setOverride(portNumber, device);
    if (portNumber == 16 && !port.table().device(16).empty()) QSKIP("this machine has 16 ports");
    QVERIFY(!port.open(portNumber));
    QVERIFY(!port.isOpen());
    QVERIFY(!port.lastError().isEmpty());
    QVERIFY(!port.write("Z"));
    QCOMPARE(port.bytesWaiting(), 0u);
    port.clearBuffers(); // harmless on a closed port
}

void QtSerialPortTest::aHangUpIsReportedOnceAndKeepsWhatArrived() {
    PortOnPty p;
    QVERIFY(p.port.open(1));
    QSignalSpy lost(&p.port, &QtSerialPort::lost);
    QVERIFY(p.unit.send(QByteArray::fromHex("10200001")));
    QTRY_COMPARE_WITH_TIMEOUT(p.port.bytesWaiting(), 4u, kWaitMs);
    p.unit.hangUp();
    QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, kWaitMs);
    QVERIFY(!p.port.isOpen());
    QVERIFY(lost.at(0).at(0).toString().contains(p.unit.devicePath()));
    QVERIFY(lost.at(0).at(0).toString().contains("COM1"));
    QTest::qWait(300);
    QCOMPARE(lost.count(), 1);
    QCOMPARE(p.port.bytesWaiting(), 4u);
    // A new unit on the same entry can be opened again.
    PtyMaster again;
    p.port.setOverride(1, again.devicePath());
    QVERIFY(p.port.open(1));
    QCOMPARE(p.port.bytesWaiting(), 0u);
}

void QtSerialPortTest::portArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("portNumber");
    QTest::addColumn<QString>("device");
    QTest::newRow("SeparateValue")
        << QStringList{"quorvel", "--port", "COM1=/dev/pts/7"} << true << 1 << "/dev/pts/7";
    QTest::newRow("JoinedValue") << QStringList{"quorvel", "--port=COM5=/dev/ttyX"} << true << 5
                                 << "/dev/ttyX";
    QTest::newRow("OtherArgumentsLeftAlone")
        << QStringList{"quorvel", "-style", "fusion", "--port", "COM2=/dev/a"} << true << 2
        << "/dev/a";
    QTest::newRow("MissingValue") << QStringList{"quorvel", "--port"} << false << 0 << QString();
    QTest::newRow("PortBeyondTheList")
        << QStringList{"quorvel", "--port", "COM17=/dev/a"} << false << 0 << QString();
    QTest::newRow("NoDevice") << QStringList{"quorvel", "--port", "COM3="} << false << 0
                              << QString();
}

void QtSerialPortTest::portArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, accepted);
    QFETCH(int, portNumber);
    QFETCH(QString, device);
    QtSerialPort port;
    const QString error = qv::applyPortArguments(arguments, port);
    QCOMPARE(error.isEmpty(), accepted);
    if (accepted) {
        QCOMPARE(QString::fromStdString(port.table().device(portNumber)), device);
        QVERIFY(port.table().pinned(portNumber));
    }
}

QTEST_GUILESS_MAIN(QtSerialPortTest)
#include "qt_serial_port_test.moc"
