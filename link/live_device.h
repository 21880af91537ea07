// Receivers that demodulate, on a plain file descriptor: a LIRC device
// (/dev/lirc0, or anything giving mode2 words, such as a FIFO) and a text
// receiver on a serial port. No Qt: quorvel-cli waits on the descriptor with
// poll(), the window with a socket notifier.
#pragma once

#include "link/live_press.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// A LIRC device the system has: its path and the driver's name where sysfs
// gives one ("gpio_ir_recv", "mceusb").
struct LircDeviceInfo {
    std::string path;
    std::string driver;
    // What the port chooser shows: "LIRC /dev/lirc0 (mceusb)".
    std::string label() const;
};
// Every /dev/lircN, in natural order.
std::vector<LircDeviceInfo> listLircDevices();

class LiveDevice {
public:
    // Opens a LIRC device: mode2, a receive timeout of kPressGapUs and
    // carrier reports where the device has them; what it refuses is noted
    // (setupNotes) and reading goes on without it. nullptr with `why` when
    // the path cannot be opened.
    static std::unique_ptr<LiveDevice> openLirc(const std::string& path, std::string& why);
    // Opens a serial port for a receiver that prints its presses as text
    // (8N1, raw, at baud).
    static std::unique_ptr<LiveDevice> openText(const std::string& path, int baud,
                                                std::string& why);
    ~LiveDevice();
    LiveDevice(const LiveDevice&) = delete;
    LiveDevice& operator=(const LiveDevice&) = delete;

    int fd() const { return m_fd; }
    // "LIRC /dev/lirc0" or "/dev/ttyACM0 (text)".
    const std::string& source() const { return m_source; }
    const std::vector<std::string>& setupNotes() const { return m_notes; }
    bool gone() const { return m_gone; }
    // Why the device is gone: "LIRC /dev/lirc0 went away (...)".
    const std::string& goneReason() const { return m_goneReason; }

    // Reads everything waiting (without blocking) into the reader. When the
    // device went away, what it gave is finished as presses too: nothing
    // already received is lost.
    LiveEvents readAvailable();
    // Waits up to `wait` for input (a press open waits at most kPressGapUs),
    // then reads; ends an open press after kPressGapUs of silence. A signal
    // ends the wait early with no events.
    LiveEvents waitAndRead(std::chrono::milliseconds wait);
    // How long the caller may sleep before the next waitAndRead is due:
    // without an open press, indefinitely (-1).
    int pollTimeoutMs() const;

    // Sending, on a LIRC device that says it sends pulses. Empty when it can;
    // otherwise the reason.
    std::string sendRefusal() const;
    // Writes the times with the carrier (0: the device's own). False with
    // `why` when refused or the write failed.
    bool send(const std::vector<int64_t>& times, uint32_t carrierHz, std::string& why);

private:
    LiveDevice(int fd, std::string source, std::unique_ptr<PressReader> reader);
    void setupLirc();
    void lose(const std::string& what);

    int m_fd = -1;
    std::string m_source;
    std::unique_ptr<PressReader> m_reader;
    std::vector<std::string> m_notes;
    bool m_lirc = false;
    bool m_featuresKnown = false;
    uint32_t m_features = 0;
    bool m_gone = false;
    std::string m_goneReason;
    std::chrono::steady_clock::time_point m_lastInput;
};

} // namespace qv
