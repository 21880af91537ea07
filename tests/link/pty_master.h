// The unit's side of a pseudo-terminal, driven by a test: what the program
// writes to the device is collected, and the test writes the unit's bytes.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>

namespace linktest {

class PtyMaster : public QObject {
    Q_OBJECT

public:
    PtyMaster();
    ~PtyMaster() override;
    bool ok() const { return m_fd >= 0; }
    QString devicePath() const { return m_path; }
    // Bytes the program wrote so far.
    const QByteArray& received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    bool send(const QByteArray& bytes);
    // The unit goes away: the program's side sees a hang-up.
    void hangUp();
    // Line settings the program put on the device.
    struct LineSettings {
        unsigned baud = 0;
        int dataBits = 0;
        bool parity = true;
        bool twoStopBits = true;
        bool raw = false;
    };
    LineSettings lineSettings() const;

signals:
    void bytesReceived();

private:
    void readAvailable();

    int m_fd = -1;
    QString m_path;
    QByteArray m_received;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace linktest
