#include "link/port_table.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace qv {

namespace {

const std::string kNone;

std::string baseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool startsWith(const std::string& s, const char* head) {
    return s.rfind(head, 0) == 0;
}

int group(const SerialDevice& d) {
    const std::string name = baseName(d.path);
    if (startsWith(name, "ttyUSB")) return 0;
    if (startsWith(name, "ttyACM")) return 1;
    return d.usb ? 2 : 3;
}

// Splits "ttyS10" into ("ttyS", 10) so that numbers sort by value.
std::pair<std::string, long> naturalKey(const std::string& path) {
    size_t digits = path.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(path[digits - 1])))
        --digits;
    if (digits == path.size() || path.size() - digits > 9) return {path, -1};
    return {path.substr(0, digits), std::stol(path.substr(digits))};
}

bool validPort(int n) {
    return n >= 1 && n <= PortTable::kPorts;
}

} // namespace

std::optional<std::pair<int, std::string>> PortTable::parseOverride(const std::string& text) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq + 1 >= text.size()) return std::nullopt;
    std::string name = text.substr(0, eq);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!startsWith(name, "COM") || name.size() < 4 || name.size() > 5) return std::nullopt;
    int n = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
        n = n * 10 + (name[i] - '0');
    }
    if (!validPort(n) || name[3] == '0') return std::nullopt;
    return std::make_pair(n, text.substr(eq + 1));
}

void PortTable::setOverride(int portNumber, std::string device) {
    if (!validPort(portNumber)) return;
    m_pinned[portNumber - 1] = device;
    m_devices[portNumber - 1] = std::move(device);
}

bool PortTable::assign(std::vector<SerialDevice> devices) {
    std::erase_if(devices, [this](const SerialDevice& d) {
        return std::find(m_pinned.begin(), m_pinned.end(), d.path) != m_pinned.end();
    });
    std::stable_sort(devices.begin(), devices.end(),
                     [](const SerialDevice& a, const SerialDevice& b) {
                         return std::make_tuple(group(a), naturalKey(a.path)) <
                                std::make_tuple(group(b), naturalKey(b.path));
                     });
    auto next = devices.begin();
    std::array<std::string, kPorts> result;
    for (int i = 0; i < kPorts; ++i) {
        if (!m_pinned[i].empty())
            result[i] = m_pinned[i];
        else if (next != devices.end())
            result[i] = (next++)->path;
    }
    const bool changed = result != m_devices;
    m_devices = std::move(result);
    return changed;
}

const std::string& PortTable::device(int portNumber) const {
    return validPort(portNumber) ? m_devices[portNumber - 1] : kNone;
}

bool PortTable::pinned(int portNumber) const {
    return validPort(portNumber) && !m_pinned[portNumber - 1].empty();
}

std::string PortTable::describe(int portNumber) const {
    const std::string& d = device(portNumber);
    if (d.empty()) return "no device";
    return pinned(portNumber) ? d + " (from --port)" : d;
}

} // namespace qv
