#include "exchange/signal_capture.h"

#include "capture/capture_formats.h"
#include "exchange/read_support.h"

#include <mutex>
#include <sys/stat.h>

namespace qv::exchange {

namespace {

struct Kept {
    std::string path;
    long long size = -1, modified = 0;
    std::shared_ptr<const SignalSet> set;
};

bool isFile(const std::string& path, struct stat& st) {
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::shared_ptr<const SignalSet> signalSetOf(const std::string& path) {
    // The last file read: the signals of one file are asked for one by one.
    static std::mutex guard;
    static Kept kept;
    struct stat st {};
    const bool file = isFile(path, st);
    std::lock_guard lock(guard);
    if (file && kept.path == path && kept.size == st.st_size && kept.modified == st.st_mtime)
        return kept.set;
    auto set = readSignalFile(path);
    Kept now{path, file ? st.st_size : -1, file ? st.st_mtime : 0,
             set ? std::make_shared<const SignalSet>(std::move(*set)) : nullptr};
    kept = now;
    return now.set;
}

std::vector<std::string> signalLabels(const std::string& path, const std::string& only) {
    struct stat st {};
    const size_t hash = path.rfind('#');
    if (!isFile(path, st) && hash != std::string::npos && only.empty())
        return signalLabels(path.substr(0, hash), path.substr(hash + 1));
    const auto set = signalSetOf(path);
    if (!set) return {path};
    std::vector<std::string> labels;
    for (const auto& s : set->entries)
        if (only.empty() || s.name == only) labels.push_back(path + "#" + s.name);
    if (labels.empty()) {
        std::string names;
        for (size_t i = 0; i < set->entries.size() && i < 8; ++i)
            names += (i ? ", " : "") + set->entries[i].name;
        if (set->entries.size() > 8) names += ", ...";
        throw CaptureFormatError(path + ": expected a signal named \"" + only + "\"; it holds " +
                                 names);
    }
    return labels;
}

CaptureFile captureOfSignal(const std::string& label, const NamedSignal& signal, Carrier carrier) {
    if (signal.parsed) {
        try {
            return captureOfSignal(label, renderParsed(signal), carrier);
        } catch (const CaptureFormatError& e) {
            throw CaptureFormatError(label + ": " + e.what());
        }
    }
    if (signal.carrierHz && *signal.carrierHz > 0)
        carrier = carrierForPeriod(1e6 / *signal.carrierHz);
    // Zeros are dropped on reading: a signal of nothing else is refused there.
    return captureFromTimes(label, captureTimesOf(signal), carrier);
}

std::string whyNotRendered(const std::string& label) {
    struct stat st {};
    const size_t hash = label.rfind('#');
    if (isFile(label, st) || hash == std::string::npos) return {};
    const auto set = signalSetOf(label.substr(0, hash));
    if (!set) return {};
    for (const auto& s : set->entries) {
        if (s.name != label.substr(hash + 1) || !s.parsed) continue;
        try {
            renderParsed(s);
        } catch (const CaptureFormatError& e) {
            return label + ": " + e.what();
        }
    }
    return {};
}

bool isParsedSignal(const std::string& label) {
    struct stat st {};
    const size_t hash = label.rfind('#');
    if (isFile(label, st) || hash == std::string::npos) return false;
    const auto set = signalSetOf(label.substr(0, hash));
    if (!set) return false;
    const std::string name = label.substr(hash + 1);
    for (const auto& s : set->entries)
        if (s.name == name) return s.parsed.has_value();
    return false;
}

CaptureFile readLabelledCapture(const std::string& label, Carrier carrier) {
    struct stat st {};
    std::string path = label, name;
    const size_t hash = label.rfind('#');
    if (!isFile(label, st) && hash != std::string::npos) {
        path = label.substr(0, hash);
        name = label.substr(hash + 1);
    }
    const auto set = signalSetOf(path);
    if (!set) {
        if (path != label) return readCapture(label, carrier); // refused as no such file
        return captureFromBytes(path, readCaptureBytes(path), carrier);
    }
    if (name.empty()) {
        if (set->entries.size() != 1)
            throw CaptureFormatError(path + ": holds " + std::to_string(set->entries.size()) +
                                     " signals: expected one named, as PATH#NAME or --signal NAME");
        return captureOfSignal(path + "#" + set->entries[0].name, set->entries[0], carrier);
    }
    for (const auto& s : set->entries)
        if (s.name == name) return captureOfSignal(label, s, carrier);
    signalLabels(path, name); // says which there are
    return {};
}

} // namespace qv::exchange
