#include "app/ui/capture_file.h"

#include "app/capture_text.h"
#include "app/capture_tick.h"

namespace qv {

namespace {

// The file's bytes wait in a port of their own for the duration of the
// tick, so they never mix with bytes the receiver may have sent meanwhile.
class PortSwap {
public:
    PortSwap(Session& s, SerialPort* port) : m_s(s), m_saved(s.port) { s.port = port; }
    ~PortSwap() { m_s.port = m_saved; }
    PortSwap(const PortSwap&) = delete;
    PortSwap& operator=(const PortSwap&) = delete;

private:
    Session& m_s;
    SerialPort* m_saved;
};

} // namespace

bool openCaptureFile(Session& s, const std::string& path) {
    std::vector<uint8_t> bytes;
    try {
        bytes = readCaptureFile(path);
    } catch (const CaptureFormatError& e) {
        s.message(e.what());
        return false;
    }
    MemoryPort filePort;
    filePort.receive(bytes);
    PortSwap swap(s, &filePort);
    captureTick(s);
    return true;
}

} // namespace qv
