#include "capture/capture_reader.h"

#include "capture/capture_formats.h"
#include "capture/receiver_message.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

constexpr size_t kPairsHeld = kDataRows * kDataCols / 2;
constexpr size_t kChangesShown = 3;

CaptureFormatError refusal(const std::string& path, const std::string& why) {
    return CaptureFormatError(path + ": " + why);
}

// Checked before opening: a pipe would block the open and a folder or a
// device reads as an error or without end. One look at the file, one open.
std::string readBytes(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw refusal(path, "cannot be read: no such file");
        throw refusal(path, std::string("cannot be read: ") + std::strerror(errno));
    }
    if (S_ISDIR(st.st_mode)) throw refusal(path, "cannot be read: it is a folder");
    if (!S_ISREG(st.st_mode))
        throw refusal(path, "cannot be read: it is a device or a pipe, not a file");
    auto tooLong = [&](const std::string& found) {
        return refusal(path, "expected a capture file of at most 1 MiB, found " + found);
    };
    const auto size = static_cast<std::uintmax_t>(st.st_size);
    if (size > kLargestCaptureFile) throw tooLong(std::to_string(size) + " bytes");

    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw refusal(path, std::string("cannot be read: ") + std::strerror(errno));
    // Read in place, the size found and a byte more: a file that reads short
    // once it has given its size has ended, so one read is enough. One that
    // grew since, or that tells no size (/proc), is read to its end.
    std::string bytes(static_cast<size_t>(size) + 1, '\0');
    size_t have = 0;
    int error = 0;
    for (;;) {
        if (have == bytes.size())
            bytes.resize(std::min<size_t>(2 * bytes.size(), kLargestCaptureFile + 1));
        const size_t want = bytes.size() - have;
        const ssize_t n = ::read(fd, bytes.data() + have, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        have += static_cast<size_t>(n);
        if (have > kLargestCaptureFile) {
            ::close(fd);
            throw tooLong("more while reading it");
        }
        if (size > 0 && have >= size && static_cast<size_t>(n) < want) break;
    }
    bytes.resize(have);
    ::close(fd);
    if (error) throw refusal(path, std::string("cannot be read: ") + std::strerror(error));
    return bytes;
}

size_t pairsOf(const std::vector<uint8_t>& message) {
    return (message.size() - 6) / 8; // the pairs, as many zero pairs and one more
}

constexpr float kTicksPerMicrosecond = kReceiverTicksPerUsSingle;
constexpr double kMicrosecondsPerTick = 1.0 / static_cast<double>(kTicksPerMicrosecond);

std::vector<int64_t> loadedTimes(const std::vector<uint8_t>& message) {
    if (message.size() < kShortestMessage) return {}; // dropped on the receiver's road
    return qv::loadedTimes(message, kTicksPerMicrosecond);
}

// Whether the message messageFromTimes makes of these times (an odd count,
// fitting the record) loads them all unchanged, known without loading it:
// then each time is sent as a count that reads back as itself (a long gap
// as whole overflow units and a rest that does), no count reads as an
// overflow, and the seven units after the last burst end the capture there.
bool loadsUnchanged(const std::vector<int64_t>& times) {
    auto readsBack = [](int64_t us) {
        const long ticks = ticksForTime(us);
        return ticks >= 1 && ticks <= kLongestTicks &&
               ticksToMicroseconds(static_cast<unsigned>(ticks), kTicksPerMicrosecond,
                                   kMicrosecondsPerTick) == us;
    };
    for (size_t i = 0; i < times.size(); ++i) {
        const int64_t us = times[i];
        if (readsBack(us)) continue;
        // A gap too long for one count: whole units, then the rest.
        if (i % 2 == 0 || us < 0 || ticksForTime(us) <= kLongestTicks) return false;
        const int64_t units = us / kOverflowUnit;
        if (units >= 7 || !readsBack(us - units * kOverflowUnit)) return false;
    }
    return true;
}

// Says where the capture record will not hold the times as read (readCount
// of them); loadedOrNull is null when it holds the kept ones unchanged.
std::vector<std::string> changesOf(const std::string& path, size_t readCount,
                                   const std::vector<int64_t>& kept,
                                   const std::vector<int64_t>* loadedOrNull) {
    const std::vector<int64_t>& loaded = loadedOrNull ? *loadedOrNull : kept;
    std::vector<std::string> out;
    auto file = [&] { return path + ": "; };
    if (readCount % 2 == 0) --readCount; // the last gap is never received
    auto time = [](size_t i, int64_t us) {
        return "time " + std::to_string(i + 1) + " (" + (i % 2 ? "a gap" : "a burst") + " of " +
               std::to_string(us) + " us)";
    };
    if (kept.size() < readCount)
        out.push_back(file() + "the capture record holds the first " + std::to_string(kept.size()) +
                      " of its " + std::to_string(readCount) + " times; the rest is not loaded");
    size_t changed = 0;
    for (size_t i = 0; loadedOrNull && i < std::min(kept.size(), loaded.size()); ++i) {
        if (kept[i] == loaded[i]) continue;
        if (++changed <= kChangesShown)
            out.push_back(file() + time(i, kept[i]) + " is loaded as " + std::to_string(loaded[i]) +
                          " us");
    }
    if (changed > kChangesShown)
        out.push_back(file() + std::to_string(changed - kChangesShown) +
                      " more times are loaded changed");
    if (loaded.size() < kept.size()) {
        const size_t end = loaded.size();
        const bool longGap = end % 2 == 1 && kept[end] >= kEndOfSignal;
        out.push_back(
            file() + (longGap ? time(end, kept[end]) + " ends the capture" : "the capture ends") +
            ": the " + std::to_string(kept.size() - end) + " times from there on are not loaded");
    }
    return out;
}

CaptureFile fromTimes(const std::string& path, std::vector<int64_t> times, Carrier carrier) {
    CaptureFile c;
    c.carrier = carrier;
    c.times = std::move(times);
    // Cut where the message still fits the capture record: a longer one
    // wraps round in the loader and overwrites the head with the tail.
    size_t keep = std::min<size_t>(c.times.size(), 2 * kPairsHeld - 1);
    if (keep % 2 == 0 && keep > 0) --keep;
    // Nearly always every time read is kept: no copy then.
    std::vector<int64_t> cut;
    const std::vector<int64_t>* kept = &c.times;
    if (keep < c.times.size()) {
        cut.assign(c.times.begin(), c.times.begin() + static_cast<long>(keep));
        kept = &cut;
    }
    c.message = messageFromTimes(*kept, carrier);
    while (kept->size() > 1 && pairsOf(c.message) > kPairsHeld) {
        if (kept != &cut) {
            cut = *kept;
            kept = &cut;
        }
        cut.resize(cut.size() - 2);
        c.message = messageFromTimes(cut, carrier);
    }
    // The last gap of an even count is never received: that is no cut.
    c.cut = kept->size() + (c.times.size() % 2 == 0 ? 1 : 0) < c.times.size();
    if (loadsUnchanged(*kept)) {
        c.changes = changesOf(path, c.times.size(), *kept, nullptr);
    } else {
        const std::vector<int64_t> loaded = loadedTimes(c.message);
        c.changes = changesOf(path, c.times.size(), *kept, &loaded);
    }
    return c;
}

// A text saved as UTF-16 (by its byte-order mark, or a digit with a zero
// byte beside it) would read as words of control characters.
bool looksLikeUtf16(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) return true;
    return text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0');
}

} // namespace

std::string readCaptureBytes(const std::string& path) {
    return readBytes(path);
}

CaptureFile captureFromTimes(const std::string& path, std::vector<int64_t> times, Carrier carrier) {
    // A capture of nothing could not be written and read back.
    if (times.empty()) throw CaptureFormatError(path + ": " + kNoTimesFound);
    return fromTimes(path, std::move(times), carrier);
}

CaptureFile readCapture(const std::string& path, Carrier carrier) {
    return captureFromBytes(path, readBytes(path), carrier);
}

CaptureFile captureFromBytes(const std::string& path, std::string bytes, Carrier carrier) {
    if (captureKindForPath(path) == CaptureFileKind::ReceiverMessage) {
        CaptureFile c;
        c.message.assign(bytes.begin(), bytes.end());
        c.carrier = c.message.size() >= 2 ? Carrier{c.message[0], c.message[1]} : carrier;
        if (c.message.size() < kShortestMessage)
            c.changes.push_back(path + ": " + std::to_string(c.message.size()) +
                                " bytes, fewer than the " + std::to_string(kShortestMessage) +
                                " of a capture: the receiver's road drops it");
        return c;
    }
    if (looksLikeUtf16(bytes))
        throw refusal(path, "the file is UTF-16 text, which is not read: save it as UTF-8");
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3); // UTF-8's byte-order mark
    try {
        if (looksLikePronto(bytes)) {
            ProntoCode code = parsePronto(bytes);
            return fromTimes(path, std::move(code.times), carrierForPeriod(code.carrierPeriodUs));
        }
        std::vector<std::string> sums;
        std::vector<int64_t> times = parseTimeList(bytes, &sums);
        CaptureFile c = fromTimes(path, std::move(times), carrier);
        // Said first: the times the record holds are the sums.
        for (size_t i = 0; i < sums.size() && i < kChangesShown; ++i)
            sums[i] = path + ": " + sums[i];
        if (sums.size() > kChangesShown)
            sums[kChangesShown] = path + ": " + std::to_string(sums.size() - kChangesShown) +
                                  " more times are summed with the one before";
        sums.resize(std::min(sums.size(), kChangesShown + 1));
        c.changes.insert(c.changes.begin(), sums.begin(), sums.end());
        return c;
    } catch (const CaptureFormatError& e) {
        throw refusal(path, e.what());
    }
}

std::vector<uint8_t> readCaptureFile(const std::string& path, Carrier carrier) {
    return readCapture(path, carrier).message;
}

} // namespace qv
