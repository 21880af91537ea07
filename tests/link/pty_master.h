// The unit's side of a pseudo-terminal, driven by a test: the test writes
// the unit's bytes and reads what the program wrote to the device.
#pragma once

#include <QByteArray>
#include <QString>

namespace linktest {

class PtyMaster {
public:
    PtyMaster();
    ~PtyMaster() { hangUp(); }
    bool ok() const { return m_fd >= 0; }
    QString devicePath() const { return m_path; }
    // Everything the program wrote so far.
    const QByteArray& received();
    bool send(const QByteArray& bytes);
    // The unit goes away: the program's side sees a hang-up.
    void hangUp();
    // The line settings the program put on the device.
    struct LineSettings {
        unsigned baud = 0;
        int dataBits = 0;
        bool parity = true, twoStopBits = true, raw = false;
    };
    LineSettings lineSettings() const;

private:
    int m_fd = -1;
    QString m_path;
    QByteArray m_received;
};

} // namespace linktest
