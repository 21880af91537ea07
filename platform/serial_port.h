// What the program needs of a serial port to talk to the receiver unit.
// The window program supplies a real port; the command line and the tests
// use MemoryPort.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qv {

class SerialPort {
public:
    virtual ~SerialPort() = default;
    virtual bool isOpen() const = 0;
    // Opens port number 1..16; false when it is busy or missing.
    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    virtual size_t bytesWaiting() const = 0;
    // Reads exactly n bytes from the receive buffer (fewer only if fewer wait).
    virtual std::vector<uint8_t> read(size_t n) = 0;
    virtual bool write(const std::string& text) = 0;
    virtual void clearBuffers() = 0;
    // Where what is read comes from, as the user knows it: "COM1 (/dev/ttyUSB0)".
    virtual std::string source() const = 0;
    // Why the last open() failed, naming the port, its device and the
    // system's reason; empty after a successful open.
    virtual std::string openFailure() const = 0;
    // A receiver that demodulates (a LIRC device, a text receiver): its
    // captures are read in the demodulated mode.
    virtual bool demodulates() const { return false; }
    // What the port knows of the capture last read that its bytes cannot
    // say (times the device lost), as error lines.
    virtual std::vector<std::string> takeReport() { return {}; }
    // Sends burst and gap times (microseconds, burst first) with a carrier
    // in Hz (0: the device's own); empty when it can, else why it cannot.
    virtual std::string sendRefusal() const {
        return "Sending needs a LIRC device that can send: choose one in the port list and "
               "connect it.";
    }
    virtual bool send(const std::vector<int64_t>& /*times*/, uint32_t /*carrierHz*/,
                      std::string& why) {
        why = sendRefusal();
        return false;
    }
};

// A port whose receive buffer is filled by the caller; what is written is kept.
class MemoryPort : public SerialPort {
public:
    bool isOpen() const override { return m_open; }
    bool open(int portNumber) override {
        m_number = portNumber;
        m_open = portNumber >= 1 && portNumber <= 16 && portNumber != m_missingPort;
        return m_open;
    }
    void close() override { m_open = false; }
    size_t bytesWaiting() const override { return m_rx.size(); }
    std::vector<uint8_t> read(size_t n) override {
        if (n > m_rx.size()) n = m_rx.size();
        std::vector<uint8_t> out(m_rx.begin(), m_rx.begin() + static_cast<long>(n));
        m_rx.erase(m_rx.begin(), m_rx.begin() + static_cast<long>(n));
        return out;
    }
    bool write(const std::string& text) override {
        if (!m_open) return false;
        m_written += text;
        return true;
    }
    void clearBuffers() override { m_rx.clear(); }
    std::string source() const override {
        return m_name.empty() ? "COM" + std::to_string(m_number) : m_name;
    }
    std::string openFailure() const override {
        return m_open ? std::string() : "COM" + std::to_string(m_number) + ": no such port";
    }

    void receive(const std::vector<uint8_t>& bytes) {
        m_rx.insert(m_rx.end(), bytes.begin(), bytes.end());
    }
    const std::string& written() const { return m_written; }
    void setMissingPort(int n) { m_missingPort = n; }
    // What source() names instead of the port, e.g. a file's name.
    void setName(std::string name) { m_name = std::move(name); }

private:
    bool m_open = false;
    int m_number = 1;
    std::string m_name;
    int m_missingPort = 0;
    std::vector<uint8_t> m_rx;
    std::string m_written;
};

} // namespace qv
