// The receiver link on a real serial device, through Qt's serial port.
// Port numbers 1..16 ("COM1" ... "COM16") reach devices through a
// PortTable; a COM port set to text mode reads a receiver that prints its
// presses, and the numbers after 16 are the system's LIRC devices (both
// through a LivePort, one press at a time). Received bytes are taken into a receive buffer of our
// own as soon as they arrive, so a capture that was fully received is still there for the capture
// timer even if the device goes away right after.
#pragma once

#include "link/live_port.h"
#include "link/port_table.h"
#include "platform/serial_port.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <memory>
#include <set>

namespace qv {

class Session;

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT

public:
    static constexpr qint32 kBaudRate = 28800;
    static constexpr qsizetype kReceiveBufferSize = 1280;

    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool isOpen() const override;
    bool open(int portNumber) override;
    void close() override;
    size_t bytesWaiting() const override;
    std::vector<uint8_t> read(size_t n) override;
    bool write(const std::string& text) override;
    void clearBuffers() override;
    std::string source() const override;
    std::string openFailure() const override;
    bool demodulates() const override;
    std::vector<std::string> takeReport() override;

    // The LIRC devices, port numbers 17 on, as the chooser lists them.
    const std::vector<LircDeviceInfo>& lircDevices() const { return m_lirc; }
    // Adds a device (a FIFO a simulator writes) the system does not list.
    void addLircDevice(const QString& path);
    // A COM port read as a text receiver at baud, or as the receiver unit.
    void setTextMode(int portNumber, bool on, int baud = 115200);
    bool textMode(int portNumber) const { return m_textPorts.contains(portNumber); }
    // Sending through the open port; empty when it can, else why not.
    std::string sendRefusal() const override;
    bool send(const std::vector<int64_t>& times, uint32_t carrierHz, std::string& why) override;

    // Pins "COMn" to a device; see PortTable.
    void setOverride(int portNumber, const QString& device);
    // Reads the system's serial devices again; emits tableChanged() when an
    // entry moved.
    void rescan();
    const PortTable& table() const { return m_table; }
    // The device behind the open port (or the last one tried).
    QString deviceName() const { return m_device; }
    // Why the last open() failed, for the status bar.
    QString lastError() const { return m_lastError; }
    // Bytes dropped because the receive buffer was full.
    qint64 overrunBytes() const { return m_overrun; }

signals:
    // The receive event: bytes have arrived.
    void received();
    // The open device went away; the port is closed already.
    void lost(const QString& text);
    void tableChanged();
    // A line for the log: what a device refused, text that is no capture.
    void logLine(const QString& text);

private slots:
    void takeArrivedBytes();
    void handleError(QSerialPort::SerialPortError error);

private:
    bool configure();
    bool openLive(int portNumber);
    void pumpLive();
    bool live() const { return m_liveActive; }

    QSerialPort m_port;
    QByteArray m_rx;
    PortTable m_table;
    int m_portNumber = 0;
    QString m_device;
    QString m_lastError;
    qint64 m_overrun = 0;
    std::vector<LircDeviceInfo> m_lirc;
    std::vector<LircDeviceInfo> m_addedLirc;
    std::set<int> m_textPorts;
    int m_textBaud = 115200;
    LivePort m_live;
    bool m_liveActive = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_idle; // ends a press the device leaves open
};

// Parses the window program's "--port COMn=DEVICE" (also "--port=COMn=DEVICE")
// options into the port's table, and "--lirc PATH" into its LIRC devices. Other arguments are left
// alone. Returns an error text for a malformed option, empty when all were fine.
QString applyPortArguments(const QStringList& arguments, QtSerialPort& port);

class CaptureWait;

// Routes the port's receive event and its loss to the link logic of the
// session; the loss is reported once, with the device's name. A piece
// received starts the capture's wait, when there is one.
void connectLink(QtSerialPort& port, Session& session, CaptureWait* wait = nullptr);

} // namespace qv
