// A receiver that demodulates, behind the serial port interface: each
// finished press waits as one receiver message, so it takes the road of a
// capture from the unit (the capture tick reads what waits). The device is
// a LiveDevice; the caller waits on fd() and calls pump().
#pragma once

#include "link/live_device.h"
#include "platform/serial_port.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace qv {

class LivePort : public SerialPort {
public:
    // Presses kept while the capture tick is behind; older ones are dropped
    // with a log line.
    static constexpr size_t kQueuedPresses = 256;

    // What open() opens: a LIRC device, or a text receiver on a serial port.
    void aimAtLirc(std::string path);
    void aimAtText(std::string path, int baud);

    bool isOpen() const override;
    bool open(int portNumber) override;
    void close() override;
    // The size of the oldest press's message: the capture tick takes one
    // press at a time.
    size_t bytesWaiting() const override;
    std::vector<uint8_t> read(size_t n) override;
    // The unit's commands mean nothing to these receivers.
    bool write(const std::string& text) override { return isOpen() && !text.empty(); }
    void clearBuffers() override;
    std::string source() const override;
    std::string openFailure() const override { return m_failure; }
    bool demodulates() const override { return true; }
    std::vector<std::string> takeReport() override;

    // -1 when closed.
    int fd() const;
    int pollTimeoutMs() const;
    // Reads what the device has (or, with `waitMs`, waits for it first),
    // queues the presses and returns the log lines: the device's set-up
    // notes once, refused text, dropped presses. After the device went
    // away the port is closed, what it gave is still queued, and lost()
    // names it.
    std::vector<std::string> pump(int waitMs = 0);
    const std::string& lost() const { return m_lost; }
    // Sending through the open device; see LiveDevice::send.
    std::string sendRefusal() const override;
    bool send(const std::vector<int64_t>& times, uint32_t carrierHz, std::string& why) override;

private:
    struct Queued {
        std::vector<uint8_t> message;
        std::vector<std::string> errors;
    };
    void queue(LiveEvents& events, std::vector<std::string>& log);

    bool m_text = false;
    std::string m_path;
    int m_baud = 115200;
    std::unique_ptr<LiveDevice> m_device;
    std::string m_source;
    std::string m_failure;
    std::string m_lost;
    std::vector<std::string> m_pendingLog;
    std::deque<Queued> m_queue;
    std::vector<std::string> m_report;
};

// The receiver message of a press: its times, and the carrier it reported
// (the unit's usual carrier when none).
std::vector<uint8_t> liveMessage(const LivePress& press);

} // namespace qv
