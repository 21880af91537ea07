#include "link/qt_serial_port.h"

#include "link/capture_wait.h"
#include "link/link_control.h"

#include <QSerialPortInfo>

namespace qv {

namespace {

const QString kReconnectAdvice =
    QStringLiteral("Plug it in again, then choose its port or click Connect.");

} // namespace

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialPort::takeArrivedBytes);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::handleError);
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &QtSerialPort::pumpLive);
    rescan();
}

QtSerialPort::~QtSerialPort() {
    // The port's own signals must not reach a half-destroyed object.
    m_port.disconnect(this);
}

bool QtSerialPort::isOpen() const {
    return live() ? m_live.isOpen() : m_port.isOpen();
}

bool QtSerialPort::open(int portNumber) {
    close();
    m_portNumber = portNumber;
    m_lastError.clear();
    m_device.clear();
    rescan();
    if (portNumber > PortTable::kPorts || textMode(portNumber)) return openLive(portNumber);
    const std::string& device = m_table.device(portNumber);
    if (device.empty()) {
        m_lastError = QStringLiteral("COM%1: no serial device").arg(portNumber);
        return false;
    }
    m_device = QString::fromStdString(device);
    m_port.setPortName(m_device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastError =
            QStringLiteral("COM%1 (%2): %3").arg(portNumber).arg(m_device, m_port.errorString());
        return false;
    }
    if (!configure()) {
        m_lastError =
            QStringLiteral("COM%1 (%2): %3").arg(portNumber).arg(m_device, m_port.errorString());
        m_port.close();
        return false;
    }
    return true;
}

bool QtSerialPort::configure() {
    // 28800 baud, 8N1, raw bytes; the unit needs no handshake.
    return m_port.setBaudRate(kBaudRate) && m_port.setDataBits(QSerialPort::Data8) &&
           m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
           m_port.setFlowControl(QSerialPort::NoFlowControl);
}

bool QtSerialPort::openLive(int portNumber) {
    const size_t lirc = static_cast<size_t>(portNumber - PortTable::kPorts - 1);
    std::string path;
    if (portNumber > PortTable::kPorts) {
        if (lirc >= m_lirc.size()) {
            m_lastError = QStringLiteral("no LIRC device %1").arg(lirc);
            return false;
        }
        path = m_lirc[lirc].path;
        m_live.aimAtLirc(path);
    } else {
        path = m_table.device(portNumber);
        if (path.empty()) {
            m_lastError = QStringLiteral("COM%1: no serial device").arg(portNumber);
            return false;
        }
        m_live.aimAtText(path, m_textBaud);
    }
    m_device = QString::fromStdString(path);
    m_liveActive = true;
    if (!m_live.open(portNumber)) {
        m_lastError = QString::fromStdString(m_live.openFailure());
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_live.fd(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &QtSerialPort::pumpLive);
    // The device's set-up notes are logged once the window is listening.
    QTimer::singleShot(0, this, &QtSerialPort::pumpLive);
    return true;
}

void QtSerialPort::pumpLive() {
    if (!live() || !m_live.isOpen()) return;
    const size_t before = m_live.bytesWaiting();
    for (const auto& line : m_live.pump())
        emit logLine(QString::fromStdString(line));
    if (m_live.bytesWaiting() != before || (before > 0 && !m_live.isOpen())) emit received();
    if (!m_live.isOpen()) {
        m_notifier.reset();
        m_idle.stop();
        emit lost(QString::fromStdString(m_live.lost()) + '\n' + kReconnectAdvice);
        return;
    }
    if (const int wait = m_live.pollTimeoutMs(); wait >= 0)
        m_idle.start(wait);
    else
        m_idle.stop();
}

void QtSerialPort::close() {
    m_notifier.reset();
    m_idle.stop();
    m_live.close();
    m_liveActive = false;
    m_port.close();
    m_rx.clear();
}

size_t QtSerialPort::bytesWaiting() const {
    return live() ? m_live.bytesWaiting() : static_cast<size_t>(m_rx.size());
}

std::vector<uint8_t> QtSerialPort::read(size_t n) {
    if (live()) {
        std::vector<uint8_t> out = m_live.read(n);
        // One press a tick: the next waits for a tick of its own.
        if (m_live.bytesWaiting() > 0) QTimer::singleShot(0, this, &QtSerialPort::received);
        return out;
    }
    const qsizetype count = std::min<qsizetype>(static_cast<qsizetype>(n), m_rx.size());
    std::vector<uint8_t> out(m_rx.begin(), m_rx.begin() + count);
    m_rx.remove(0, count);
    return out;
}

bool QtSerialPort::write(const std::string& text) {
    if (live()) return m_live.write(text);
    if (!m_port.isOpen()) return false;
    const auto size = static_cast<qint64>(text.size());
    if (m_port.write(text.data(), size) != size) return false;
    // Hand it to the device now: a buffer reset that follows must not lose it.
    m_port.flush();
    return true;
}

void QtSerialPort::clearBuffers() {
    m_live.clearBuffers();
    m_rx.clear();
    // Only the receive side is discarded on the device: what was written is
    // already on its way, and discarding the device's output would drop the
    // "R" that a connect sends just before it resets the buffers.
    if (m_port.isOpen()) m_port.clear(QSerialPort::Input);
}

std::string QtSerialPort::source() const {
    if (live()) return m_live.source();
    const QString port = QStringLiteral("COM%1").arg(m_portNumber);
    return (m_device.isEmpty() ? port : QStringLiteral("%1 (%2)").arg(port, m_device))
        .toStdString();
}

std::string QtSerialPort::openFailure() const {
    return m_lastError.toStdString();
}

bool QtSerialPort::demodulates() const {
    return live();
}

std::vector<std::string> QtSerialPort::takeReport() {
    return live() ? m_live.takeReport() : std::vector<std::string>();
}

void QtSerialPort::addLircDevice(const QString& path) {
    m_addedLirc.push_back({path.toStdString(), "from --lirc"});
    rescan();
}

void QtSerialPort::setTextMode(int portNumber, bool on, int baud) {
    if (on)
        m_textPorts.insert(portNumber);
    else
        m_textPorts.erase(portNumber);
    m_textBaud = baud;
    emit tableChanged();
}

std::string QtSerialPort::sendRefusal() const {
    if (!live() || !m_live.isOpen()) return SerialPort::sendRefusal();
    return m_live.sendRefusal();
}

bool QtSerialPort::send(const std::vector<int64_t>& times, uint32_t carrierHz, std::string& why) {
    why = sendRefusal();
    return why.empty() && m_live.send(times, carrierHz, why);
}

void QtSerialPort::setOverride(int portNumber, const QString& device) {
    m_table.setOverride(portNumber, device.toStdString());
    rescan();
}

void QtSerialPort::rescan() {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.push_back({info.systemLocation().toStdString(), info.hasVendorIdentifier()});
    bool changed = m_table.assign(std::move(devices));
    std::vector<LircDeviceInfo> lirc = m_addedLirc;
    for (auto& d : listLircDevices())
        lirc.push_back(std::move(d));
    if (lirc.size() != m_lirc.size() ||
        !std::equal(lirc.begin(), lirc.end(), m_lirc.begin(),
                    [](const auto& a, const auto& b) { return a.path == b.path; })) {
        m_lirc = std::move(lirc);
        changed = true;
    }
    if (changed) emit tableChanged();
}

void QtSerialPort::takeArrivedBytes() {
    const QByteArray bytes = m_port.readAll();
    if (bytes.isEmpty()) return;
    // A full receive buffer drops what does not fit, as the device would on
    // an overrun; only the first half of a message is ever decoded anyway.
    const qsizetype room = std::max<qsizetype>(0, kReceiveBufferSize - m_rx.size());
    m_rx.append(bytes.left(room));
    m_overrun += bytes.size() - std::min(room, bytes.size());
    emit received();
}

void QtSerialPort::handleError(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        break;
    default:
        return;
    }
    if (!m_port.isOpen()) return;
    // Closing at once stops the error from repeating on every event loop
    // turn; what was received so far stays in the receive buffer.
    m_port.close();
    emit lost(QStringLiteral("The receiver on COM%1 (%2) was disconnected.\n%3")
                  .arg(m_portNumber)
                  .arg(m_device, kReconnectAdvice));
}

QString applyPortArguments(const QStringList& arguments, QtSerialPort& port) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == QLatin1String("--lirc")) {
            if (i + 1 >= arguments.size()) return QStringLiteral("--lirc needs a device path");
            port.addLircDevice(arguments[++i]);
            continue;
        }
        if (arguments[i] == QLatin1String("--port")) {
            if (i + 1 >= arguments.size()) return QStringLiteral("--port needs COMn=DEVICE");
            value = arguments[++i];
        } else if (arguments[i].startsWith(QLatin1String("--port="))) {
            value = arguments[i].mid(7);
        } else {
            continue;
        }
        const auto entry = PortTable::parseOverride(value.toStdString());
        if (!entry)
            return QStringLiteral("--port %1: expected COMn=DEVICE with n from 1 to 16").arg(value);
        port.setOverride(entry->first, QString::fromStdString(entry->second));
    }
    return {};
}

void connectLink(QtSerialPort& port, Session& session, CaptureWait* wait) {
    QObject::connect(&port, &QtSerialPort::received, &port, [&session, wait] {
        if (wait) wait->pieceArrived();
        receiveEvent(session);
    });
    QObject::connect(&port, &QtSerialPort::lost, &port,
                     [&session](const QString& text) { portLost(session, text.toStdString()); });
}

} // namespace qv
