#include "link/live_device.h"

#include <fcntl.h>
#include <linux/lirc.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace qv {

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

std::string systemError(int error) {
    return std::strerror(error);
}

speed_t speedFor(int baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 500000:
        return B500000;
    case 921600:
        return B921600;
    case 1000000:
        return B1000000;
    case 2000000:
        return B2000000;
    default:
        return 0;
    }
}

std::string driverOf(const std::string& name) {
    const fs::path dev = fs::path("/sys/class/lirc") / name / "device";
    std::ifstream uevent(dev / "uevent");
    for (std::string line; std::getline(uevent, line);)
        if (line.rfind("DRV_NAME=", 0) == 0) return line.substr(9);
    std::error_code ec;
    const fs::path driver = fs::read_symlink(dev / "device" / "driver", ec);
    return ec ? std::string() : driver.filename().string();
}

} // namespace

std::string LircDeviceInfo::label() const {
    return "LIRC " + path + (driver.empty() ? std::string() : " (" + driver + ")");
}

std::vector<LircDeviceInfo> listLircDevices() {
    std::vector<std::pair<long, LircDeviceInfo>> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/dev", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() < 5 || name.rfind("lirc", 0) != 0 ||
            !std::all_of(name.begin() + 4, name.end(), ::isdigit) || name.size() > 12)
            continue;
        found.push_back({std::stol(name.substr(4)), {entry.path().string(), driverOf(name)}});
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<LircDeviceInfo> out;
    for (auto& f : found)
        out.push_back(std::move(f.second));
    return out;
}

LiveDevice::LiveDevice(int fd, std::string source, std::unique_ptr<PressReader> reader)
    : m_fd(fd), m_source(std::move(source)), m_reader(std::move(reader)),
      m_lastInput(Clock::now()) {}

LiveDevice::~LiveDevice() {
    if (m_fd >= 0) ::close(m_fd);
}

std::unique_ptr<LiveDevice> LiveDevice::openLirc(const std::string& path, std::string& why) {
    const std::string source = "LIRC " + path;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        why = source + ": " + systemError(errno);
        return nullptr;
    }
    // A FIFO is opened for reading only: as a writer too, it would never
    // see its sender go away.
    int fd = -1;
    if (!S_ISFIFO(st.st_mode)) fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = source + ": " + systemError(errno);
        return nullptr;
    }
    std::unique_ptr<LiveDevice> d(
        new LiveDevice(fd, source, std::make_unique<Mode2Reader>(source)));
    d->m_lirc = true;
    d->setupLirc();
    return d;
}

void LiveDevice::setupLirc() {
    auto refused = [this](const char* what) {
        m_notes.push_back(m_source + ": " + what + " refused (" + systemError(errno) +
                          "); reading goes on without it");
    };
    uint32_t features = 0;
    m_featuresKnown = ::ioctl(m_fd, LIRC_GET_FEATURES, &features) == 0;
    if (m_featuresKnown)
        m_features = features;
    else
        refused("LIRC_GET_FEATURES");
    // Unknown features: asked all the same, the device says what it refuses.
    auto has = [this](uint32_t bit) { return !m_featuresKnown || (m_features & bit) != 0; };
    uint32_t mode = LIRC_MODE_MODE2;
    if (has(LIRC_CAN_REC_MODE2) && ::ioctl(m_fd, LIRC_SET_REC_MODE, &mode) != 0)
        refused("LIRC_SET_REC_MODE mode2");
    uint32_t timeout = static_cast<uint32_t>(kPressGapUs);
    if (has(LIRC_CAN_SET_REC_TIMEOUT) && ::ioctl(m_fd, LIRC_SET_REC_TIMEOUT, &timeout) != 0)
        refused("LIRC_SET_REC_TIMEOUT");
    uint32_t on = 1;
    if (has(LIRC_CAN_MEASURE_CARRIER) && ::ioctl(m_fd, LIRC_SET_MEASURE_CARRIER_MODE, &on) != 0)
        refused("LIRC_SET_MEASURE_CARRIER_MODE");
}

std::unique_ptr<LiveDevice> LiveDevice::openText(const std::string& path, int baud,
                                                 std::string& why) {
    const std::string source = path + " (text)";
    const speed_t speed = speedFor(baud);
    if (speed == 0) {
        why = source + ": " + std::to_string(baud) + " is no baud rate this port can take";
        return nullptr;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = source + ": " + systemError(errno);
        return nullptr;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        ::cfsetispeed(&tio, speed);
        ::cfsetospeed(&tio, speed);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    // Not a terminal (a FIFO a test writes): read as it is.
    return std::unique_ptr<LiveDevice>(
        new LiveDevice(fd, source, std::make_unique<TextPressReader>(source)));
}

void LiveDevice::lose(const std::string& what) {
    if (m_gone) return;
    m_gone = true;
    m_goneReason = m_source + " went away (" + what + ")";
}

LiveEvents LiveDevice::readAvailable() {
    LiveEvents out;
    if (m_gone) return out;
    uint8_t buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            m_lastInput = Clock::now();
            out.append(m_reader->take({buffer, static_cast<size_t>(n)}));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        lose(n == 0 ? "its sender closed it" : systemError(errno));
        // What came before it went away is a press all the same, said to be cut.
        LiveEvents last = m_reader->idle();
        for (auto& p : last.presses)
            p.errors.push_back(m_source + ": the device went away during this press");
        out.append(std::move(last));
        break;
    }
    return out;
}

int LiveDevice::pollTimeoutMs() const {
    if (!m_reader->pending()) return -1;
    const auto due = m_lastInput + std::chrono::microseconds(kPressGapUs);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now());
    return static_cast<int>(std::max<long>(0, left.count() + 1));
}

LiveEvents LiveDevice::waitAndRead(std::chrono::milliseconds wait) {
    if (m_gone) return {};
    int timeout = pollTimeoutMs();
    if (timeout < 0 || timeout > wait.count()) timeout = static_cast<int>(wait.count());
    pollfd p{m_fd, POLLIN, 0};
    const int r = ::poll(&p, 1, timeout);
    if (r < 0) return {}; // a signal: the caller decides
    if (r > 0) return readAvailable();
    LiveEvents out;
    if (m_reader->pending() && Clock::now() - m_lastInput >= std::chrono::microseconds(kPressGapUs))
        out = m_reader->idle();
    return out;
}

std::string LiveDevice::sendRefusal() const {
    if (!m_lirc) return m_source + " is a text receiver: it cannot send";
    if (!m_featuresKnown)
        return m_source + " does not say what it can do (not a LIRC device?): nothing was sent";
    if ((m_features & LIRC_CAN_SEND_PULSE) == 0)
        return m_source + " cannot send: its driver has no transmitter";
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0 && (flags & O_ACCMODE) == O_RDONLY)
        return m_source + " could only be opened for reading: check its permissions";
    return {};
}

bool LiveDevice::send(const std::vector<int64_t>& times, uint32_t carrierHz, std::string& why) {
    why = sendRefusal();
    if (!why.empty()) return false;
    const std::vector<uint32_t> words = sendWords(times);
    if (words.empty()) {
        why = m_source + ": nothing to send";
        return false;
    }
    uint32_t mode = LIRC_MODE_PULSE;
    ::ioctl(m_fd, LIRC_SET_SEND_MODE, &mode); // pulse is the only mode; older drivers want it set
    if (carrierHz > 0 && (m_features & LIRC_CAN_SET_SEND_CARRIER) != 0 &&
        ::ioctl(m_fd, LIRC_SET_SEND_CARRIER, &carrierHz) != 0) {
        why = m_source + ": the carrier of " + std::to_string(carrierHz) + " Hz was refused (" +
              systemError(errno) + ")";
        return false;
    }
    // The device is non-blocking for reading; a send waits until it is out.
    const int flags = ::fcntl(m_fd, F_GETFL);
    ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
    const auto size = static_cast<ssize_t>(words.size() * sizeof(uint32_t));
    const ssize_t n = ::write(m_fd, words.data(), static_cast<size_t>(size));
    const int error = errno;
    ::fcntl(m_fd, F_SETFL, flags);
    if (n != size) {
        why = m_source + ": sending failed (" +
              (n < 0 ? systemError(error)
                     : std::to_string(n) + " of " + std::to_string(size) + " bytes written") +
              ")";
        return false;
    }
    return true;
}

} // namespace qv
