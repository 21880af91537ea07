// The text capture reader of quorvel-cli on any text: it reads the file,
// builds the receiver message and loads it. A time list whose times the
// receiver can carry must come back in the capture record as it was
// written, each time within a microsecond and none lost.
#include "app/session.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "app/capture_loader.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "capture/capture_text.h"
#include "platform/basic.h"

#include <cstdlib>
#include <fstream>

namespace qvfuzz {

namespace {

// The longest burst and gap the capture record holds as one time: a burst
// must stay below a timer overflow unit, and seven overflow units in a row
// end the capture.
constexpr int64_t kLongestBurst = qv::kOverflowUnit - 1;
constexpr int64_t kLongestGap = qv::kEndOfSignal - 1;

// Whether the time list fits the decoded half of the message and the capture record.
bool carried(const std::vector<int64_t>& times) {
    size_t pairs = 7; // the last burst and the end of the signal
    for (size_t i = 0; i + 1 < times.size(); i += 2) {
        if (times[i] > kLongestBurst || times[i + 1] > kLongestGap) return false;
        pairs += 1 + static_cast<size_t>(times[i + 1] / qv::kOverflowUnit);
    }
    if (times.size() % 2 == 1 && times.back() > kLongestBurst) return false;
    return pairs <= static_cast<size_t>(qv::kDataRows * qv::kDataCols / 2) &&
           times.size() < static_cast<size_t>(qv::kDataRows * qv::kDataCols);
}

void checkRoundTrip(const std::vector<int64_t>& times, const qv::Session& s) {
    const size_t cells = times.size() % 2 == 0 ? times.size() - 1 : times.size();
    auto cell = [&](size_t i) {
        return s.TTable.cell(static_cast<long>(i / qv::kDataCols) + 1,
                             static_cast<long>(i % qv::kDataCols) + 1);
    };
    for (size_t i = 0; i < cells; ++i) {
        const int64_t want = std::max<int64_t>(times[i], 1); // the shortest time is one tick
        const int64_t got = qv::wholeOf(cell(i));
        require(std::llabs(got - want) <= 1, "time " + std::to_string(i + 1) + " of the list, " +
                                                 std::to_string(times[i]) + ", was loaded as \"" +
                                                 cell(i) + "\"");
    }
    require(qv::wholeOf(cell(cells)) == qv::kEndOfSignal,
            "the capture does not end with the end marker after time " + std::to_string(cells));
}

} // namespace

int captureText(const uint8_t* data, size_t size) {
    static const std::string path = workDir() + "/capture.txt";
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }

    std::vector<uint8_t> message;
    try {
        message = qv::readCaptureFile(path);
    } catch (const qv::CaptureFormatError&) {
        return 0; // told to the user with the file's name and the line
    }

    qv::MemoryPort port;
    port.receive(message);
    qv::Session s;
    s.env.port = &port;
    const bool loaded = qv::loadCapture(s);

    // The text as the reader parses it: without UTF-8's byte-order mark.
    const std::string body = text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
    if (qv::looksLikePronto(body)) return 0;
    const std::vector<int64_t> times = qv::parseTimeList(body);
    if (!carried(times)) return 0;
    require(loaded, "a time list gave a message too short to load");
    checkRoundTrip(times, s);
    return 0;
}

} // namespace qvfuzz
