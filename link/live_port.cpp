#include "link/live_port.h"

#include "capture/capture_formats.h"
#include "capture/capture_text.h"

#include <chrono>

namespace qv {

std::vector<uint8_t> liveMessage(const LivePress& press) {
    const Carrier carrier =
        press.carrierHz > 0 ? carrierForPeriod(1e6 / press.carrierHz) : Carrier{};
    return messageFromTimes(press.times, carrier);
}

void LivePort::aimAtLirc(std::string path) {
    m_text = false;
    m_path = std::move(path);
}

void LivePort::aimAtText(std::string path, int baud) {
    m_text = true;
    m_path = std::move(path);
    m_baud = baud;
}

bool LivePort::isOpen() const {
    return m_device != nullptr;
}

bool LivePort::open(int /*portNumber*/) {
    close();
    m_failure.clear();
    m_lost.clear();
    m_device = m_text ? LiveDevice::openText(m_path, m_baud, m_failure)
                      : LiveDevice::openLirc(m_path, m_failure);
    m_source = m_text ? m_path + " (text)" : "LIRC " + m_path;
    if (m_device) m_pendingLog = m_device->setupNotes();
    return m_device != nullptr;
}

void LivePort::close() {
    m_device.reset();
    m_queue.clear();
    m_pendingLog.clear();
}

size_t LivePort::bytesWaiting() const {
    return m_queue.empty() ? 0 : m_queue.front().message.size();
}

std::vector<uint8_t> LivePort::read(size_t n) {
    if (m_queue.empty()) return {};
    Queued& front = m_queue.front();
    if (n < front.message.size()) {
        std::vector<uint8_t> head(front.message.begin(), front.message.begin() + long(n));
        front.message.erase(front.message.begin(), front.message.begin() + long(n));
        return head;
    }
    std::vector<uint8_t> out = std::move(front.message);
    m_report = std::move(front.errors);
    m_queue.pop_front();
    return out;
}

void LivePort::clearBuffers() {
    m_queue.clear();
}

std::string LivePort::source() const {
    return m_source.empty() ? (m_text ? m_path + " (text)" : "LIRC " + m_path) : m_source;
}

std::vector<std::string> LivePort::takeReport() {
    return std::exchange(m_report, {});
}

int LivePort::fd() const {
    return m_device ? m_device->fd() : -1;
}

int LivePort::pollTimeoutMs() const {
    return m_device ? m_device->pollTimeoutMs() : -1;
}

void LivePort::queue(LiveEvents& events, std::vector<std::string>& log) {
    for (auto& line : events.log)
        log.push_back(std::move(line));
    for (auto& press : events.presses) {
        if (m_queue.size() >= kQueuedPresses) {
            m_queue.pop_front();
            log.push_back(m_source + ": a press was dropped: the decode fell behind");
        }
        m_queue.push_back({liveMessage(press), std::move(press.errors)});
    }
}

std::vector<std::string> LivePort::pump(int waitMs) {
    std::vector<std::string> log = std::exchange(m_pendingLog, {});
    if (!m_device) return log;
    LiveEvents events = waitMs > 0 ? m_device->waitAndRead(std::chrono::milliseconds(waitMs))
                                   : m_device->readAvailable();
    if (waitMs == 0 && !m_device->gone() && m_device->pollTimeoutMs() == 0)
        events.append(m_device->waitAndRead(std::chrono::milliseconds(0)));
    queue(events, log);
    if (m_device->gone()) {
        m_lost = m_device->goneReason();
        m_device.reset(); // closed; what it gave stays queued
    }
    return log;
}

std::string LivePort::sendRefusal() const {
    return m_device ? m_device->sendRefusal() : source() + " is not open";
}

bool LivePort::send(const std::vector<int64_t>& times, uint32_t carrierHz, std::string& why) {
    if (!m_device) {
        why = sendRefusal();
        return false;
    }
    return m_device->send(times, carrierHz, why);
}

} // namespace qv
