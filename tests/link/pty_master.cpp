#include "pty_master.h"

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace linktest {

unsigned outputBaudRate(int fd); // pty_baud.cpp: needs the kernel's termios2

PtyMaster::PtyMaster() {
    m_fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_fd < 0) return;
    if (grantpt(m_fd) != 0 || unlockpt(m_fd) != 0 || !ptsname(m_fd)) {
        hangUp();
        return;
    }
    m_path = QString::fromLocal8Bit(ptsname(m_fd));
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
}

const QByteArray& PtyMaster::received() {
    char buf[512];
    ssize_t n;
    while (m_fd >= 0 && (n = ::read(m_fd, buf, sizeof buf)) > 0)
        m_received.append(buf, n);
    return m_received;
}

bool PtyMaster::send(const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n =
            m_fd < 0 ? -1 : ::write(m_fd, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        done += n > 0 ? n : 0;
    }
    return true;
}

void PtyMaster::hangUp() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

PtyMaster::LineSettings PtyMaster::lineSettings() const {
    LineSettings s;
    termios t{};
    if (m_fd < 0 || tcgetattr(m_fd, &t) != 0) return s;
    s.baud = outputBaudRate(m_fd);
    s.dataBits = (t.c_cflag & CSIZE) == CS8 ? 8 : (t.c_cflag & CSIZE) == CS7 ? 7 : 0;
    s.parity = (t.c_cflag & PARENB) != 0;
    s.twoStopBits = (t.c_cflag & CSTOPB) != 0;
    s.raw = (t.c_lflag & (ICANON | ECHO | ISIG)) == 0 && (t.c_iflag & (ICRNL | IXON)) == 0 &&
            (t.c_oflag & OPOST) == 0;
    return s;
}

} // namespace linktest
