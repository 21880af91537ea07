// Which device stands behind "COM1" ... "COM16". The receiver unit is
// usually a USB adapter, so those come first; the built-in ports follow.
// An entry can be pinned to any device (a pseudo-terminal, an unusual
// adapter) from the command line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// A serial device the system reports.
struct SerialDevice {
    std::string path; // "/dev/ttyUSB0"
    bool usb = false; // behind a USB bridge (has a vendor id)
};

class PortTable {
public:
    static constexpr int kPorts = 16;

    // "COMn=DEVICE" with n in 1..16 and a non-empty device; nullopt otherwise.
    static std::optional<std::pair<int, std::string>> parseOverride(const std::string& text);

    void setOverride(int portNumber, std::string device);

    // Fills the entries that are not pinned with the system's devices:
    // USB adapters ("ttyUSB"), then ACM devices ("ttyACM"), then other USB
    // devices, then the built-in ports, each group in natural order
    // ("ttyS2" before "ttyS10"). A device already pinned is not listed twice.
    // Returns true when an entry changed.
    bool assign(std::vector<SerialDevice> devices);

    // The device of port 1..16; empty when none stands behind it.
    const std::string& device(int portNumber) const;
    bool pinned(int portNumber) const;

    // What the user sees about an entry, e.g. "/dev/ttyUSB0" or
    // "/dev/pts/3 (from --port)" or "no device".
    std::string describe(int portNumber) const;

private:
    std::array<std::string, kPorts> m_devices;
    std::array<std::string, kPorts> m_pinned;
};

} // namespace qv
