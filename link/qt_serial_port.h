// The receiver link on a real serial device, through Qt's serial port.
// Port numbers 1..16 ("COM1" ... "COM16") reach devices through a
// PortTable. Received bytes are taken into a receive buffer of our own as
// soon as they arrive, so a capture that was fully received is still there
// for the capture timer even if the device goes away right after.
#pragma once

#include "link/port_table.h"
#include "platform/serial_port.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <chrono>

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

private slots:
    void takeArrivedBytes();
    void handleError(QSerialPort::SerialPortError error);

private:
    bool configure();

    QSerialPort m_port;
    QByteArray m_rx;
    PortTable m_table;
    int m_portNumber = 0;
    QString m_device;
    QString m_lastError;
    qint64 m_overrun = 0;
};

// Parses the window program's "--port COMn=DEVICE" (also "--port=COMn=DEVICE")
// options into the port's table. Other arguments are left alone. Returns an
// error text for a malformed option, empty when all were fine.
QString applyPortArguments(const QStringList& arguments, QtSerialPort& port);

// Routes the port's receive event and its loss to the link logic of the
// session; the loss is reported once, with the device's name.
void connectLink(QtSerialPort& port, Session& session);

} // namespace qv
