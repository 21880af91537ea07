// The readers of files of named signals on any text: the first byte picks
// the file's ending (so both the content and the ending choose the
// reader), the rest is the text. Whatever it is, it is refused naming the
// file, or read into signals that each become a capture or are refused by
// name; and what is read, written as Girr, reads back as the same number of signals.
#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "exchange/signal_capture.h"
#include "exchange/writers.h"

namespace qvfuzz {

int exchangeFile(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const kEndings[] = {".ir",  ".txt", ".conf", ".girr",     ".sendir",
                                           ".csv", ".log", ".h",    ".broadlink"};
    const std::string path = std::string("remote") + kEndings[data[0] % std::size(kEndings)];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    qv::exchange::SignalSet set;
    try {
        if (!qv::exchange::formOf(path, text)) return 0;
        set = qv::exchange::readSignalText(path, text);
    } catch (const qv::CaptureFormatError& e) {
        require(std::string(e.what()).rfind(path + ": ", 0) == 0,
                std::string("a refusal that does not name the file: ") + e.what());
        return 0;
    }
    require(!set.entries.empty(), "a file read with no signal in it");
    std::vector<qv::exchange::NamedSignal> raw;
    for (const auto& s : set.entries) {
        const std::string label = path + "#" + s.name;
        try {
            qv::exchange::captureOfSignal(label, s);
        } catch (const qv::CaptureFormatError& e) {
            // Only a parsed signal, or one whose times were all zeros, has none.
            require(s.parsed.has_value() || (s.times.empty() && s.repeat.empty()),
                    "a signal of times was refused: " + std::string(e.what()));
            require(std::string(e.what()).rfind(label + ": ", 0) == 0,
                    std::string("a refusal that does not name the signal: ") + e.what());
            continue;
        }
        if (!s.parsed) raw.push_back(s);
    }
    if (raw.empty()) return 0;
    const auto written = qv::exchange::writeSignals(qv::exchange::Form::Girr, raw);
    const auto back = qv::exchange::readSignalText("back.girr", written.text);
    require(back.entries.size() == raw.size(), "Girr did not read back every signal written");
    return 0;
}

} // namespace qvfuzz
