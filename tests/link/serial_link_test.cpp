// The link on real devices: the port on a pseudo-terminal whose unit side
// the test drives, quorvel-sim seen from the program's side, and the road
// of a capture from the unit to the main window, wired as the program is.
#include "../ui_windows/window_test_support.h"
#include "capture/capture_reader.h"
#include "capture/capture_text.h"
#include "link/link_window.h"
#include "link/qt_serial_port.h"
#include "pty_master.h"
#include "windows/main/form_generate.h"

using linktest::PtyMaster;
using qv::QtSerialPort;

namespace {

constexpr int kWaitMs = 15000;

QByteArray bytesOf(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

const QByteArray kNec = bytesOf(qvtest::necSample());

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, kWaitMs);
}

// A running simulator; the program's port opens its device as COM1.
struct Sim {
    QProcess process;
    QtSerialPort port;
    QByteArray out;
    explicit Sim(const QStringList& arguments) {
        process.start(QStringLiteral(QV_SIM), arguments);
        if (!waitFor([&] { return lines().size() >= 1; })) return;
        port.setOverride(1, lines().first());
        port.open(1);
    }
    ~Sim() {
        process.terminate();
        if (!process.waitForFinished(5000)) process.kill();
    }
    QStringList lines() {
        out += process.readAllStandardOutput();
        return QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
    }
    qsizetype logged(const QString& event) {
        return lines().filter(QRegularExpression("^" + event + " at ")).size();
    }
    QByteArray take(qsizetype size) {
        waitFor([&] { return port.bytesWaiting() >= size_t(size); });
        return bytesOf(port.read(port.bytesWaiting()));
    }
};

// The window program with COM1 on the given device (the test's unit when
// none is given).
struct Program : qvtest::MainWindow {
    PtyMaster unit;
    QtSerialPort serial;
    explicit Program(const QString& device = {}) : qvtest::MainWindow(0, false) {
        serial.setOverride(1, device.isEmpty() ? unit.devicePath() : device);
        s.env.port = &serial;
        qv::attachReceiverLink(serial, s, w->portList());
        start();
    }
    bool waitForCode() {
        return waitFor([&] { return text("tHCode").startsWith("00 FF 12 ED \n"); });
    }
    bool polled() {
        return waitFor([&] { return unit.received().contains('Z'); });
    }
};

// quorvel-sim playing a LIRC device: a FIFO of mode2 words in a folder of
// the test's own.
struct LircSim {
    QTemporaryDir dir;
    QString fifo = dir.filePath("lirc0");
    QProcess process;
    void start(const QStringList& arguments) {
        process.start(QStringLiteral(QV_SIM),
                      QStringList{"--lirc", fifo, "--delay", "100"} + arguments);
        waitFor([&] { return process.canReadLine(); });
        process.readLine();
    }
    ~LircSim() {
        process.terminate();
        process.waitForFinished(5000);
    }
};

struct Cli {
    QProcess process;
    int run(const QStringList& arguments, int ms = kWaitMs) {
        process.start(QStringLiteral(QV_CLI), arguments);
        if (!process.waitForFinished(ms)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitCode();
    }
    QStringList out() {
        return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    QString err() { return QString::fromUtf8(process.readAllStandardError()); }
};

} // namespace

class SerialLinkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!PtyMaster().ok()) QSKIP("this machine offers no pseudo-terminals");
    }
    void thePortOpensAt28800EightNoneOneAndReadsWhatWaits();
    void portsThatCannotOpenAndPortArguments();
    void theSimulatorPlaysInTheUnitsWireFormat();
    void anNecKeyPressIsShownInTheMainWindow();
    void aNineByteMessageIsDroppedAndPollingGoesOn();
    void aMissingOrLostPortIsReportedAndTheProgramStaysUsable();
    void connectClearsEverythingOfTheCaptureThatWasShown();
    void aLircDeviceTakesTheRoadOfACaptureAndItsLossLosesNothing();
    void aTextReceiverOnASerialPortTakesEveryPrintedForm();
    void quorvelCliListensToBothAndRefusesToSendWhereItCannot();
};

void SerialLinkTest::thePortOpensAt28800EightNoneOneAndReadsWhatWaits() {
    PtyMaster unit;
    QtSerialPort port;
    port.setOverride(1, unit.devicePath());
    QVERIFY2(port.open(1), qPrintable(port.lastError()));
    QCOMPARE(port.deviceName(), unit.devicePath());
    const auto line = unit.lineSettings();
    QCOMPARE(line.baud, 28800u);
    QCOMPARE(line.dataBits, 8);
    QVERIFY(!line.parity && !line.twoStopBits && line.raw);

    QSignalSpy events(&port, &QtSerialPort::received);
    QByteArray message;
    for (int i = 0; i < 300; ++i)
        message.append(static_cast<char>(i * 7));
    for (qsizetype i = 0; i < message.size(); i += 100) {
        QVERIFY(unit.send(message.mid(i, 100)));
        QVERIFY(waitFor([&] { return port.bytesWaiting() == size_t(i + 100); }));
    }
    QVERIFY(events.count() >= 3);
    QCOMPARE(bytesOf(port.read(2)), message.left(2));
    QCOMPARE(bytesOf(port.read(port.bytesWaiting())), message.mid(2));

    // Emptying the buffers drops what waits, but not a connect's "R".
    QVERIFY(unit.send(QByteArray(40, 'x')));
    QVERIFY(waitFor([&] { return port.bytesWaiting() == 40; }));
    QVERIFY(port.write("R"));
    port.clearBuffers();
    QCOMPARE(port.bytesWaiting(), 0u);
    QVERIFY(port.write("Z"));
    QVERIFY(waitFor([&] { return unit.received() == "RZ"; }));
    port.close();
    QVERIFY(!port.isOpen());
}

void SerialLinkTest::portsThatCannotOpenAndPortArguments() {
    for (auto [device, number] :
         {std::pair{"/nonexistent/ttyQV0", 1}, {"/dev/null", 1}, {"", 16}, {"", 17}}) {
        PtyMaster other;
        QtSerialPort port;
        port.setOverride(2, other.devicePath());
        QVERIFY(port.open(2));
        if (*device) port.setOverride(number, device);
        if (number == 16 && !port.table().device(16).empty()) continue; // this machine has 16 ports
        QVERIFY2(!port.open(number) && !port.isOpen(), device);
        QVERIFY(!port.lastError().isEmpty());
        QVERIFY(!port.write("Z"));
        QCOMPARE(port.bytesWaiting(), 0u);
        port.clearBuffers(); // harmless on a closed port
    }
    for (auto [arguments, number, device] :
         {std::tuple{QStringList{"quorvel", "--port", "COM1=/dev/pts/7"}, 1, "/dev/pts/7"},
          {QStringList{"quorvel", "--port=COM5=/dev/ttyX"}, 5, "/dev/ttyX"},
          {QStringList{"quorvel", "-style", "fusion", "--port", "COM2=/dev/a"}, 2, "/dev/a"},
          {QStringList{"quorvel", "--port"}, 0, ""},
          {QStringList{"quorvel", "--port", "COM17=/dev/a"}, 0, ""},
          {QStringList{"quorvel", "--port", "COM3="}, 0, ""}}) {
        QtSerialPort port;
        QCOMPARE(qv::applyPortArguments(arguments, port).isEmpty(), number != 0);
        QVERIFY(!number || (port.table().device(number) == device && port.table().pinned(number)));
    }
}

void SerialLinkTest::theSimulatorPlaysInTheUnitsWireFormat() {
    QTemporaryDir dir;
    const QByteArray raw = QByteArray::fromHex("10200d2008ab0405040c") + QByteArray(12, '\0');
    const QString bin = qvtest::writeFile(dir.filePath("capture.bin"), raw);
    const QStringList now = {"--no-wait", "--delay", "0"};
    const std::tuple<QStringList, QByteArray, QByteArray> rows[] = {
        {now + QStringList{qvtest::kNecSample}, "", kNec},
        {now + QStringList{bin}, "", raw},
        {now + QStringList{"--carrier", "20,40", qvtest::kNecSample}, "",
         QByteArray(kNec).replace(0, 2, "\x14\x28")},
        {{}, "9000 4500 560\n", bytesOf(qv::messageFromTimes({9000, 4500, 560}))},
        {{}, (bin + "\n").toUtf8(), raw}};
    for (const auto& [arguments, typed, expected] : rows) {
        Sim sim(arguments);
        QVERIFY(sim.port.isOpen() && sim.lines().first().startsWith("/dev/"));
        sim.process.write(typed);
        QCOMPARE(sim.take(expected.size()), expected);
        QVERIFY(
            waitFor([&] { return sim.logged(QString("tx %1 bytes").arg(expected.size())) == 1; }));
    }
    // It waits for the program's first poll, and logs what the program sends.
    Sim sim({"--delay", "0", qvtest::kNecSample});
    QTest::qWait(600);
    QCOMPARE(sim.port.bytesWaiting(), 0u);
    QVERIFY(sim.port.write("R") && sim.port.write("Z") && sim.port.write("Z"));
    QCOMPARE(sim.take(kNec.size()), kNec);
    QVERIFY(waitFor([&] { return sim.logged("rx Z") == 2 && sim.logged("rx R") == 1; }));
}

void SerialLinkTest::anNecKeyPressIsShownInTheMainWindow() {
    Program p;
    QVERIFY(p.polled());
    QCOMPARE(p.unit.received().count('R'), 0);               // start-up opens the port without "R"
    QCOMPARE(p.get<QTimer>("Timer2")->interval() * 2, 1000); // "Z" on every second tick
    QCOMPARE(p.get<QTimer>("Timer1")->interval(), 900);      // the capture's wait
    QVERIFY(p.unit.send(kNec.left(100)));
    QVERIFY(waitFor([&] { return p.get<QTimer>("Timer1")->isActive(); }));
    QVERIFY(p.unit.send(kNec.mid(100)));
    QVERIFY(p.waitForCode());
    QCOMPARE(p.text("tBcode"), QString("00000000 11111111 01001000 10110111 \n"));
    QCOMPARE(p.s.wave.readout, std::to_string(kNec.size()));
    QVERIFY(p.get<QTimer>("Timer2")->isActive() && !p.get<QTimer>("Timer1")->isActive());
    QCOMPARE(p.w->windowTitle(), "Quorvel V2.0 - COM1 (" + p.unit.devicePath() + ")");

    auto* selCom = p.get<QComboBox>("SelCom"); // the device behind each entry
    QCOMPARE(selCom->count(), 16);
    QCOMPARE(selCom->itemData(0, Qt::ToolTipRole).toString(),
             p.unit.devicePath() + " (from --port)");
    QVERIFY(selCom->toolTip().startsWith("COM1: " + p.unit.devicePath()));
    for (int i = 1; i < 16; ++i)
        QCOMPARE(selCom->itemData(i, Qt::ToolTipRole).toString(),
                 QString::fromStdString(p.serial.table().describe(i + 1)));

    QProcess sim; // the simulator's sample arrives decoded once polled
    sim.start(QStringLiteral(QV_SIM), {qvtest::kNecSample});
    QVERIFY(waitFor([&] { return sim.canReadLine(); }));
    Program q(QString::fromUtf8(sim.readLine()).trimmed());
    QVERIFY(q.waitForCode());
    sim.terminate();
    QVERIFY(sim.waitForFinished(kWaitMs));
}

void SerialLinkTest::aNineByteMessageIsDroppedAndPollingGoesOn() {
    Program p;
    QVERIFY(p.polled());
    QVERIFY(p.unit.send(QByteArray::fromHex("102000010002000300")));
    QVERIFY(waitFor([&] { return p.s.wave.readout == "9"; }));
    QVERIFY(!p.get<QTimer>("Timer1")->isActive() && p.text("tHCode").isEmpty());
    // A capture too short to load does not stop the polling.
    const qsizetype polls = p.unit.received().count('Z');
    QVERIFY(waitFor([&] { return p.unit.received().count('Z') > polls; }));
    QVERIFY(p.unit.send(kNec));
    QVERIFY(p.waitForCode());
    QCOMPARE(p.s.wave.readout, std::to_string(kNec.size()));
}

void SerialLinkTest::aMissingOrLostPortIsReportedAndTheProgramStaysUsable() {
    {
        Program p("/nonexistent/ttyQV0");
        // The second line names the port, its device and the system's reason.
        QVERIFY(waitFor([&] { return p.messageBox(); }));
        const QStringList lines = p.messageBox()->text().split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0],
                 QString("This port is already open or doesn't exist,Please select another port."));
        QVERIFY2(lines[1].startsWith("COM1 (/nonexistent/ttyQV0): ") && lines[1].size() > 28,
                 qPrintable(lines[1]));
        QVERIFY(!p.serial.isOpen() && p.get<QTimer>("Timer2")->isActive());
        QCOMPARE(p.s.link.iconFile, std::string("rs232u.bmp"));
        QVERIFY(!p.get<QLabel>("Image1")->pixmap().isNull());
    }
    Program p;
    QVERIFY(p.polled());
    p.unit.hangUp();
    QVERIFY(waitFor([&] { return p.messageBox() && p.text("mumconnect") == "Connect"; }));
    QVERIFY(p.messageBox()->text().contains("was disconnected"));
    QVERIFY(!p.serial.isOpen() && p.get<QLabel>("Image1")->isVisibleTo(p.w.get()));
    QCOMPARE(p.s.link.iconFile, std::string("rs232u.bmp"));
    QTest::qWait(600);
    QCOMPARE(p.w->findChildren<QMessageBox*>().size(), 1); // reported once
    p.messageBox()->close();
    PtyMaster again; // the unit is back under another device: choosing COM1 reaches it
    p.serial.setOverride(1, again.devicePath());
    emit p.get<QComboBox>("SelCom")->activated(0);
    QVERIFY(p.serial.isOpen());
    QCOMPARE(p.s.link.iconFile, std::string("rs232.bmp"));
    QVERIFY(again.send(kNec));
    QVERIFY(p.waitForCode());
}

void SerialLinkTest::connectClearsEverythingOfTheCaptureThatWasShown() {
    Program p;
    QVERIFY(p.polled());
    QVERIFY(p.unit.send(bytesOf(qv::messageFromTimes({9000, 4500, 560, 560, 560, 1690, 560}))));
    QVERIFY(waitFor([&] { return !p.errorLines().isEmpty(); }));
    QVERIFY(p.unit.send(kNec));
    QVERIFY(p.waitForCode());
    QVERIFY(p.w->windowTitle().contains(p.unit.devicePath()));
    p.s.last.errorLines = {"an error line of the capture shown"};
    p.s.changed();
    p.trigger("mumconnect"); // DisConnect
    p.trigger("mumconnect"); // Connect
    QCOMPARE(p.text("mumconnect"), QString("DisConnect"));
    QTest::qWait(50);
    QCOMPARE(std::tuple(p.text("tHCode"), p.text("tBcode"), p.errorLines().size(),
                        p.get<QLabel>("lAlsoFits")->isVisible(), p.w->windowTitle()),
             std::tuple(QString(), QString(), qsizetype(0), false, QString("Quorvel V2.0")));
}

void SerialLinkTest::aLircDeviceTakesTheRoadOfACaptureAndItsLossLosesNothing() {
    LircSim sim;
    sim.start({"--repeat", "1200", "--vanish-after", "3", "--chunk", "10", "--chunk-gap", "3",
               qvtest::kNecSample});
    Program p;
    p.serial.addLircDevice(sim.fifo);
    auto* selCom = p.get<QComboBox>("SelCom");
    QCOMPARE(selCom->itemText(16), "LIRC " + sim.fifo + " (from --lirc)");
    emit selCom->activated(16);
    QVERIFY(p.serial.isOpen() && p.serial.demodulates());
    QVERIFY(waitFor([&] { return p.w->statusBar()->currentMessage().contains("refused"); }));
    QVERIFY(p.waitForCode());
    QVERIFY(p.w->windowTitle().startsWith("Quorvel V2.0 - LIRC " + sim.fifo +
                                          " - demodulated capture"));
    QVERIFY(p.errorLines().isEmpty());
    // "Send" in the Generate dialog: a FIFO says nothing of sending, so it is refused.
    qv::Form_generate generate(p.s);
    generate.findChild<QPushButton*>("bGenSend")->click();
    QVERIFY(generate.findChild<QLabel*>("lGenerateInfo")->text().endsWith("nothing was sent"));
    // The third press is cut by the device going away: decoded, and said so.
    QVERIFY(waitFor([&] { return p.messageBox() && p.text("mumconnect") == "Connect"; }));
    QVERIFY(p.messageBox()->text().startsWith("LIRC " + sim.fifo + " went away"));
    QVERIFY(p.messageBox()->text().contains("Connect"));
    QVERIFY(waitFor([&] {
        return p.errorLines().contains("LIRC " + sim.fifo +
                                       ": the device went away during this press");
    }));
    p.messageBox()->close();
    // Closed, the icon stands still.
    bool steady = true;
    for (int i = 0; i < 12; ++i, QTest::qWait(100))
        steady = steady && p.s.link.iconVisible;
    QVERIFY(steady);
    // It comes back: Connect reaches it; an overflow word makes an error line.
    sim.start({"--repeat", "1200", "--overflow-after", "20", qvtest::kNecSample});
    p.trigger("mumconnect");
    QVERIFY(p.serial.isOpen());
    QVERIFY(
        waitFor([&] { return p.errorLines().filter("overflowed and lost times").size() == 1; }));
    emit selCom->activated(0); // the unit on COM1 cannot send
    qv::Form_generate unit(p.s);
    unit.findChild<QPushButton*>("bGenSend")->click();
    QVERIFY(unit.findChild<QLabel*>("lGenerateInfo")->text().startsWith("Sending needs a LIRC"));
}

void SerialLinkTest::aTextReceiverOnASerialPortTakesEveryPrintedForm() {
    for (const char* form : {"rawdata", "signed", "mode2", "pronto"}) {
        QProcess sim;
        sim.start(QStringLiteral(QV_SIM), {"--dump", form, "--no-wait", "--delay", "400",
                                           "--repeat", "1500", qvtest::kNecSample});
        QVERIFY(waitFor([&] { return sim.canReadLine(); }));
        Program p(QString::fromUtf8(sim.readLine()).trimmed());
        p.serial.setTextMode(1, true);
        QCOMPARE(p.get<QComboBox>("SelCom")->itemText(0), QString("COM1 (text)"));
        emit p.get<QComboBox>("SelCom")->activated(0);
        QVERIFY2(p.waitForCode(), form);
        QVERIFY(p.s.decoding.demod.on);
        QVERIFY(p.w->statusBar()->currentMessage().contains(
            "(text): not read as a capture: Protocol=UNKNOWN"));
        sim.terminate();
        sim.waitForFinished();
    }
}

void SerialLinkTest::quorvelCliListensToBothAndRefusesToSendWhereItCannot() {
    QTemporaryDir dir;
    const QString appended = dir.filePath("presses.mode2");
    {
        LircSim sim;
        sim.start({"--repeat", "60", "--count", "5", "--chunk", "7", "--chunk-gap", "1",
                   qvtest::kNecSample});
        Cli cli;
        QCOMPARE(cli.run({"listen", "--device", sim.fifo, "--json", "--count", "5", "--append",
                          appended}),
                 0);
        const QStringList lines = cli.out();
        QCOMPARE(lines.size(), 5);
        for (const QString& line : lines) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            QCOMPARE(o["code"].toArray().first().toString().trimmed(), QString("00 FF 12 ED"));
            QCOMPARE(o["source"].toString(), "LIRC " + sim.fifo);
            QVERIFY(o["errors"].toArray().isEmpty() && !o["time"].toString().isEmpty());
        }
        QCOMPARE(
            QString::fromUtf8(qvtest::fileBytes(appended)).split("\n\n", Qt::SkipEmptyParts).size(),
            5);
        QVERIFY(cli.err().contains("LIRC_SET_REC_TIMEOUT refused"));
        Cli send; // a FIFO says nothing of sending
        QCOMPARE(send.run({"send", "--device", sim.fifo, qvtest::kNecSample}), 1);
        QVERIFY(send.err().contains("nothing was sent"));
    }
    {
        LircSim sim;
        sim.start({"--repeat", "300", "--vanish-after", "2", qvtest::kNecSample});
        Cli cli;
        QCOMPARE(cli.run({"listen", "--device", sim.fifo}), 1);
        const QStringList out = cli.out(); // two presses, the second cut short and said so
        QCOMPARE(out.filter(QRegularExpression("^\\d")).size(), 2);
        QCOMPARE(out.last(),
                 "    error: LIRC " + sim.fifo + ": the device went away during this press");
        QVERIFY(cli.err().contains("LIRC " + sim.fifo + " went away"));
    }
    QProcess dump;
    dump.start(QStringLiteral(QV_SIM), {"--dump", "signed", "--no-wait", "--delay", "300",
                                        "--repeat", "100", qvtest::kNecSample});
    QVERIFY(waitFor([&] { return dump.canReadLine(); }));
    Cli cli;
    QCOMPARE(cli.run({"listen", "--port", QString::fromUtf8(dump.readLine()).trimmed(), "--text",
                      "--count", "2"}),
             0);
    QCOMPARE(cli.out().filter("Form016(NEC N-8)  00 FF 12 ED").size(), 2);
    dump.terminate();
    dump.waitForFinished();
    for (const QStringList& refused :
         {QStringList{"listen", "--port", "/dev/null"}, {"listen"}, {"send", "--device", "/x"}}) {
        Cli c;
        QCOMPARE(c.run(refused), 2);
    }
}

QTEST_MAIN(SerialLinkTest)
#include "serial_link_test.moc"
