#include "capture/capture_formats.h"

#include "platform/basic.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace qv {

namespace {

// One Pronto time unit is this many microseconds times the frequency word.
constexpr double kProntoUnit = 0.241246;
constexpr double kDefaultPeriodUs = 1000.0 / 38.0;

std::string lowerEnding(const std::string& path) {
    auto dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return {};
    std::string e = path.substr(dot);
    for (char& c : e)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

bool isHexWord(std::string_view w) {
    return w.size() == 4 && std::all_of(w.begin(), w.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c));
           });
}

} // namespace

CaptureFileKind captureKindForPath(const std::string& path) {
    const std::string e = lowerEnding(path);
    if (e == ".bin") return CaptureFileKind::ReceiverMessage;
    if (e == ".raw") return CaptureFileKind::SignedRaw;
    if (e == ".mode2") return CaptureFileKind::Mode2;
    if (e == ".pronto" || e == ".ccf") return CaptureFileKind::Pronto;
    return CaptureFileKind::TimeList;
}

bool readsDemodulated(CaptureFileKind kind) {
    return kind != CaptureFileKind::ReceiverMessage;
}

bool looksLikePronto(const std::string& text) {
    // Words as a stream reads them, in place: this runs on every text file.
    size_t at = 0;
    auto nextWord = [&]() -> std::string_view {
        auto blank = [&](size_t i) { // as the "C" locale has them
            const char c = text[i];
            return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
        };
        while (at < text.size() && blank(at))
            ++at;
        const size_t from = at;
        while (at < text.size() && !blank(at))
            ++at;
        return std::string_view(text).substr(from, at - from);
    };
    std::string_view w[4];
    w[0] = nextWord();
    w[1] = nextWord();
    if (!isHexWord(w[0]) || !isHexWord(w[1])) return false;
    if (w[0] == "0000") return true;
    // Other Pronto types (0100, 5000, 900A, ...): four words with a leading
    // zero or a hexadecimal letter, which no time list has.
    w[2] = nextWord();
    w[3] = nextWord();
    if (!isHexWord(w[2]) || !isHexWord(w[3])) return false;
    return std::any_of(std::begin(w), std::end(w), [](std::string_view x) {
        return x[0] == '0' || std::any_of(x.begin(), x.end(), [](char c) {
                   return std::isalpha(static_cast<unsigned char>(c));
               });
    });
}

ProntoCode parsePronto(const std::string& text) {
    std::vector<unsigned> words;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::istringstream ws(line);
        std::string w;
        while (ws >> w) {
            if (!isHexWord(w))
                throw CaptureFormatError(
                    "line " + std::to_string(lineNo) +
                    ": expected a Pronto word of four hexadecimal digits, found \"" + shownWord(w) +
                    "\"");
            words.push_back(static_cast<unsigned>(std::stoul(w, nullptr, 16)));
        }
    }
    if (words.size() < 4) throw CaptureFormatError("expected a Pronto header of four words");
    if (words[0] != 0) {
        char type[12];
        std::snprintf(type, sizeof type, "%04X", words[0]);
        throw CaptureFormatError(std::string("a Pronto code of type ") + type +
                                 " is not read: expected a learned Pronto code (first word 0000)");
    }
    if (words[1] == 0)
        throw CaptureFormatError("expected a carrier frequency word other than 0000");
    const size_t once = words[2], repeat = words[3];
    const size_t want = 4 + 2 * (once + repeat);
    if (words.size() != want)
        throw CaptureFormatError("expected " + std::to_string(want - 4) +
                                 " burst and gap words after the header, found " +
                                 std::to_string(words.size() - 4));
    if (once + repeat == 0) throw CaptureFormatError("expected at least one burst and gap pair");
    ProntoCode code;
    code.carrierPeriodUs = words[1] * kProntoUnit;
    for (size_t i = 4; i < words.size(); ++i)
        code.times.push_back(std::llround(words[i] * code.carrierPeriodUs));
    return code;
}

Carrier carrierForPeriod(double periodUs) {
    const double ticks = std::clamp(periodUs * kReceiverTicksPerUs, 2.0, 510.0);
    const long total = std::lround(ticks);
    const long high = std::clamp<long>(std::lround(total / 3.0), 1, 255);
    return {static_cast<uint8_t>(high), static_cast<uint8_t>(std::min<long>(total - high, 255))};
}

std::vector<int64_t> captureTimes(const TimeTable& table) {
    std::vector<int64_t> times;
    for (long r = 1; r <= kDataRows; ++r)
        for (long c = 1; c <= kDataCols; ++c) {
            const int64_t t = table.time(r, c);
            if (t == 0 || t == kEndOfSignal) return times;
            times.push_back(t);
        }
    return times;
}

std::string writeTimeList(const std::vector<int64_t>& times) {
    std::string out;
    for (size_t i = 0; i < times.size(); ++i) {
        out += std::to_string(times[i]);
        out += (i % 2 == 1 || i + 1 == times.size()) ? "\n" : " ";
    }
    return out;
}

std::string writeSignedRaw(const std::vector<int64_t>& times) {
    std::string out;
    for (size_t i = 0; i < times.size(); ++i) {
        out += (i % 2 == 0 ? "+" : "-") + std::to_string(times[i]);
        out += (i % 2 == 1 || i + 1 == times.size()) ? "\n" : " ";
    }
    return out;
}

std::string writeMode2(const std::vector<int64_t>& times) {
    std::string out;
    for (size_t i = 0; i < times.size(); ++i)
        out += (i % 2 == 0 ? "pulse " : "space ") + std::to_string(times[i]) + "\n";
    return out;
}

std::string writePronto(const std::vector<int64_t>& times, double carrierPeriodUs, double frameGap,
                        int64_t leadOut) {
    if (!(carrierPeriodUs > 0)) carrierPeriodUs = kDefaultPeriodUs;
    const long freqWord = std::clamp<long>(std::lround(carrierPeriodUs / kProntoUnit), 1, 0xFFFF);
    const double unit = freqWord * kProntoUnit;

    auto units = [&](double us) { return std::clamp<long>(std::lround(us / unit), 1, 0xFFFF); };

    // Frames of burst/gap pairs in carrier cycles. The derived last gap is
    // worked out in cycles too, so reading the output back and writing it
    // again gives the same words.
    std::vector<std::vector<long>> frames(1);
    for (size_t i = 0; i < times.size(); ++i) {
        frames.back().push_back(units(static_cast<double>(times[i])));
        if (i % 2 == 1 && static_cast<double>(times[i]) > frameGap && i + 1 < times.size())
            frames.emplace_back();
    }
    auto length = [](const std::vector<long>& f) {
        long sum = 0;
        for (auto t : f)
            sum += t;
        return sum;
    };
    if (frames.back().size() % 2 == 1) {
        long gap = units(static_cast<double>(leadOut));
        if (frames.size() > 1)
            gap = std::clamp<long>(length(frames[frames.size() - 2]) - length(frames.back()), 1,
                                   0xFFFF);
        frames.back().push_back(gap);
    }
    const std::vector<long>& once = frames[0];
    static const std::vector<long> none;
    const std::vector<long>& repeat = frames.size() > 1 ? frames[1] : none;

    std::string out;
    char buf[8];
    auto word = [&](long v) {
        std::snprintf(buf, sizeof buf, "%04lX", std::clamp<long>(v, 0, 0xFFFF));
        if (!out.empty()) out += ' ';
        out += buf;
    };
    word(0);
    word(freqWord);
    word(static_cast<long>(once.size() / 2));
    word(static_cast<long>(repeat.size() / 2));
    for (const auto* seq : {&once, &repeat})
        for (auto t : *seq)
            word(t);
    return out + "\n";
}

} // namespace qv
