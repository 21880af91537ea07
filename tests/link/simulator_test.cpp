// quorvel-sim seen from the program's side of its pseudo-terminal.
#include "app/capture_loader.h"
#include "app/capture_reader.h"
#include "link/qt_serial_port.h"
#include "pty_master.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using linktest::PtyMaster;
using qv::QtSerialPort;

namespace {

constexpr int kWaitMs = 10000;

QByteArray bytesOf(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

std::vector<uint8_t> vectorOf(const QByteArray& b) {
    return {b.begin(), b.end()};
}

// The capture record that a message loads into.
std::vector<std::string> loadedCells(const QByteArray& message) {
    qv::Session s;
    s.TimeRow = 1;
    s.TimeCol = 1;
    qv::loadTimeTable(s, qv::decodePairs(vectorOf(message), s.TicksPerMicrosecond));
    std::vector<std::string> cells;
    for (int r = 1; r <= qv::kDataRows; ++r)
        for (int c = 1; c <= qv::kDataCols; ++c)
            cells.push_back(s.TTable.cell(r, c));
    return cells;
}

QString necSample() {
    return QStringLiteral(QV_SOURCE_DIR "/data/samples/nec-00-12.txt");
}

std::vector<uint8_t> necMessage() {
    return qv::readCaptureFile(necSample().toStdString());
}

// A running simulator and the program's port on its device.
class Sim {
public:
    explicit Sim(const QStringList& arguments) {
        m_process.setProgram(QStringLiteral(QV_SIM));
        m_process.setArguments(arguments);
        m_process.start();
    }
    ~Sim() {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) m_process.kill();
    }
    // Waits for the device path and opens it as COM1.
    bool connect() {
        if (!QTest::qWaitFor([this] { return lines().size() >= 1; }, kWaitMs)) return false;
        port.setOverride(1, lines().first());
        return port.open(1);
    }
    QStringList lines() {
        m_out += m_process.readAllStandardOutput();
        return QString::fromUtf8(m_out).split('\n', Qt::SkipEmptyParts);
    }
    int logged(const QString& event) {
        int n = 0;
        for (const QString& line : lines())
            if (line.startsWith(event + " at ")) ++n;
        return n;
    }
    QByteArray takeAll() { return bytesOf(port.read(port.bytesWaiting())); }
    QProcess& process() { return m_process; }

    QtSerialPort port;

private:
    QProcess m_process;
    QByteArray m_out;
};

} // namespace

class SimulatorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheDeviceAndLogsTheProgramsCommands();
    void playsCapturesInTheUnitsWireFormat_data();
    void playsCapturesInTheUnitsWireFormat();
    void waitsForTheProgramsFirstPollBeforePlaying();
    void repeatsAsOftenAsAsked();
    void junkLiesBehindTheDecodedHalf();
    void jitterMovesEveryTimeWithinItsBound();
    void chunksArriveInSeveralReceiveEvents();
    void anExitingSimulatorIsALostPort();

private:
    QTemporaryDir m_dir;
};

void SimulatorTest::initTestCase() {
    if (!PtyMaster().ok()) QSKIP("this machine offers no pseudo-terminals");
}

void SimulatorTest::printsTheDeviceAndLogsTheProgramsCommands() {
    Sim sim({});
    QVERIFY(sim.connect());
    QVERIFY(sim.lines().first().startsWith("/dev/"));
    QVERIFY(sim.port.write("R"));
    QVERIFY(sim.port.write("Z"));
    QVERIFY(sim.port.write("Z"));
    QTRY_COMPARE_WITH_TIMEOUT(sim.logged("rx Z"), 2, kWaitMs);
    QCOMPARE(sim.logged("rx R"), 1);
    QCOMPARE(sim.port.bytesWaiting(), 0u);
}

void SimulatorTest::playsCapturesInTheUnitsWireFormat_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("expected");

    const QString bin = m_dir.filePath("capture.bin");
    const QByteArray raw = QByteArray::fromHex("10200d2008ab0405040c") + QByteArray(12, '\0');
    QFile f(bin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(raw);
    f.close();

    QTest::newRow("TextFileOnTheCommandLine")
        << QStringList{"--no-wait", "--delay", "0", necSample()} << QByteArray()
        << bytesOf(necMessage());
    QTest::newRow("BinFileAsItIs")
        << QStringList{"--no-wait", "--delay", "0", bin} << QByteArray() << raw;
    QTest::newRow("CarrierBytesOfATextCapture")
        << QStringList{"--no-wait", "--delay", "0", "--carrier", "20,40", necSample()}
        << QByteArray() << bytesOf(necMessage()).replace(0, 2, QByteArray::fromHex("1428"));
    QTest::newRow("TypedTimes") << QStringList{} << QByteArray("9000 4500 560\n")
                                << bytesOf(qv::messageFromTimes({9000, 4500, 560}));
    QTest::newRow("TypedFileName") << QStringList{} << (bin + "\n").toUtf8() << raw;
}

void SimulatorTest::playsCapturesInTheUnitsWireFormat() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, expected);
    Sim sim(arguments);
    QVERIFY(sim.connect());
    if (!typed.isEmpty()) sim.process().write(typed);
    QTRY_COMPARE_WITH_TIMEOUT(sim.port.bytesWaiting(), static_cast<size_t>(expected.size()),
                              kWaitMs);
    QCOMPARE(sim.takeAll(), expected);
    QTRY_COMPARE_WITH_TIMEOUT(sim.logged(QStringLiteral("tx %1 bytes").arg(expected.size())), 1,
                              kWaitMs);
}

void SimulatorTest::waitsForTheProgramsFirstPollBeforePlaying() {
    Sim sim({"--delay", "0", necSample()});
    QVERIFY(sim.connect());
    QTest::qWait(600);
    QCOMPARE(sim.port.bytesWaiting(), 0u);
    QVERIFY(sim.port.write("Z"));
    QTRY_COMPARE_WITH_TIMEOUT(sim.port.bytesWaiting(), necMessage().size(), kWaitMs);
}

void SimulatorTest::repeatsAsOftenAsAsked() {
    Sim sim({"--no-wait", "--delay", "0", "--repeat", "200", "--count", "3", necSample()});
    QVERIFY(sim.connect());
    const QByteArray one = bytesOf(necMessage());
    QByteArray all;
    QTRY_VERIFY_WITH_TIMEOUT((all += sim.takeAll()).size() >= 3 * one.size(), kWaitMs);
    QTest::qWait(600);
    all += sim.takeAll();
    QCOMPARE(all, one + one + one);
    QCOMPARE(sim.logged(QStringLiteral("tx %1 bytes").arg(one.size())), 3);
}

void SimulatorTest::junkLiesBehindTheDecodedHalf() {
    Sim sim({"--no-wait", "--delay", "0", "--junk", "9", "--seed", "5", necSample()});
    QVERIFY(sim.connect());
    const QByteArray clean = bytesOf(necMessage());
    QTRY_COMPARE_WITH_TIMEOUT(sim.port.bytesWaiting(), static_cast<size_t>(clean.size() + 18),
                              kWaitMs);
    const QByteArray got = sim.takeAll();
    QCOMPARE(got.left(clean.size()), clean);
    QCOMPARE(got.mid(clean.size(), 9), QByteArray(9, '\0'));
    QVERIFY(got.right(9) != QByteArray(9, '\0'));
    QVERIFY(loadedCells(got) == loadedCells(clean));
}

void SimulatorTest::jitterMovesEveryTimeWithinItsBound() {
    const int jitter = 40;
    Sim sim({"--no-wait", "--delay", "0", "--jitter", QString::number(jitter), "--seed", "3",
             necSample()});
    QVERIFY(sim.connect());
    const auto clean = necMessage();
    QTRY_COMPARE_WITH_TIMEOUT(sim.port.bytesWaiting(), clean.size(), kWaitMs);
    const float t = static_cast<float>(22.1184 / 12);
    const auto moved = qv::decodePairs(vectorOf(sim.takeAll()), t);
    const auto exact = qv::decodePairs(clean, t);
    int differing = 0;
    for (int r = 0; r < qv::kDataRows; ++r)
        for (int c = 0; c < qv::kDataCols; ++c) {
            if (exact[r][c] == qv::kOverflowUnit) continue; // long gaps keep their units
            QVERIFY2(std::abs(moved[r][c] - exact[r][c]) <= jitter + 1,
                     qPrintable(QStringLiteral("row %1 col %2").arg(r).arg(c)));
            differing += moved[r][c] != exact[r][c];
        }
    QVERIFY(differing > 10);
}

void SimulatorTest::chunksArriveInSeveralReceiveEvents() {
    Sim sim({"--no-wait", "--delay", "0", "--chunk", "64", "--chunk-gap", "40", necSample()});
    QVERIFY(sim.connect());
    QSignalSpy events(&sim.port, &QtSerialPort::received);
    const QByteArray clean = bytesOf(necMessage());
    QTRY_COMPARE_WITH_TIMEOUT(sim.port.bytesWaiting(), static_cast<size_t>(clean.size()), kWaitMs);
    QVERIFY(events.count() >= 2);
    QCOMPARE(sim.takeAll(), clean);
}

void SimulatorTest::anExitingSimulatorIsALostPort() {
    auto sim = std::make_unique<Sim>(QStringList{});
    QVERIFY(sim->connect());
    QSignalSpy lost(&sim->port, &QtSerialPort::lost);
    sim->process().terminate();
    QVERIFY(sim->process().waitForFinished(kWaitMs));
    QCOMPARE(sim->process().exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, kWaitMs);
    QVERIFY(!sim->port.isOpen());
}

QTEST_GUILESS_MAIN(SimulatorTest)
#include "simulator_test.moc"
