#include "windows/main/capture_file.h"

#include "app/session.h"

#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "capture/capture_reader.h"
#include "capture/capture_text.h"
#include "exchange/signal_capture.h"
#include "waveform/waveform.h"
#include "windows/main/signal_list.h"

#include <QFile>
#include <QSaveFile>

#include <cctype>
#include <filesystem>

namespace qv {

namespace {

CaptureFile readCaptureMessage(Session& s, const std::string& path) {
    CaptureFile file = exchange::readLabelledCapture(path);
    if (file.message.size() < kShortestMessage)
        throw CaptureFormatError(path + ": expected a receiver message of at least " +
                                 std::to_string(kShortestMessage) +
                                 " bytes (two carrier bytes and two time pairs), found " +
                                 std::to_string(file.message.size()));
    if (!file.changes.empty()) {
        std::string text;
        for (const auto& line : file.changes)
            text += (text.empty() ? "" : "\n") + line;
        s.message(text);
    }
    return file;
}

std::string lowerEnding(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return {};
    std::string e = name.substr(dot);
    for (char& c : e)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

const char* endingOf(CaptureFileKind kind) {
    switch (kind) {
    case CaptureFileKind::ReceiverMessage:
        return ".bin";
    case CaptureFileKind::SignedRaw:
        return ".raw";
    case CaptureFileKind::Mode2:
        return ".mode2";
    case CaptureFileKind::Pronto:
        return ".pronto";
    case CaptureFileKind::TimeList:
        break;
    }
    return ".txt";
}

} // namespace

bool openCaptureFile(Session& s, const std::string& path) {
    CaptureFile file;
    try {
        // A whole remote is listed; its signals are chosen from the list.
        if (const auto set = exchange::signalSetOf(path); set && set->entries.size() > 1)
            return openSignalList(s, path, set);
        file = readCaptureMessage(s, path);
    } catch (const CaptureFormatError& e) {
        s.message(e.what());
        return false;
    }
    // A receiver message comes from the unit, which measures its bursts;
    // every other kind is usually made through a demodulating receiver.
    setDemodulated(s, readsDemodulated(captureKindForPath(path)));
    // The file's bytes never mix with bytes the receiver may have sent meanwhile.
    const CaptureSource source{
        CaptureSource::Kind::File, std::filesystem::path(path).filename().string(), {}};
    if (captureTick(s, captureOf(file, source))) drawWaveform(s);
    return true;
}

bool openCaptureText(Session& s, const std::string& text) {
    const std::string source = "pasted text";
    CaptureFile file;
    try {
        if (exchange::formOf(source, text)) {
            auto set =
                std::make_shared<const exchange::SignalSet>(exchange::readSignalText(source, text));
            if (set->entries.size() > 1) return openSignalList(s, source, set);
            file = exchange::captureOfSignal(source + "#" + set->entries[0].name, set->entries[0]);
        } else {
            file = captureFromBytes(source, text);
        }
    } catch (const CaptureFormatError& e) {
        s.message(e.what());
        return false;
    }
    for (const auto& change : file.changes)
        s.message(change);
    setDemodulated(s, true);
    if (captureTick(s, captureOf(file, {CaptureSource::Kind::Text, source, {}}))) drawWaveform(s);
    return true;
}

bool hasCapture(const Session& s) {
    return s.last.capture.message.size() >= kShortestMessage && !captureTimes(s.TTable).empty();
}

std::string captureFileContent(const Session& s, CaptureFileKind kind) {
    // The capture whole; a receiver message is the one the record holds.
    const Capture& c = s.last.capture;
    switch (kind) {
    case CaptureFileKind::ReceiverMessage:
        return std::string(c.message.begin(), c.message.end());
    case CaptureFileKind::SignedRaw:
        return writeSignedRaw(c.times);
    case CaptureFileKind::Mode2:
        return writeMode2(c.times);
    case CaptureFileKind::Pronto:
        return writePronto(c.times, c.carrierPeriod,
                           frameGapThreshold(s).value_or(engine::kDefaultFrameGap));
    case CaptureFileKind::TimeList:
        break;
    }
    return writeTimeList(c.times);
}

bool saveCaptureFile(Session& s, const std::string& path) {
    if (!hasCapture(s)) {
        s.message("There is no capture to save yet.");
        return false;
    }
    const std::string content = captureFileContent(s, captureKindForPath(path));
    // Written beside and renamed: a failed save leaves the old file whole.
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(content.data(), static_cast<qint64>(content.size())) !=
            static_cast<qint64>(content.size()) ||
        !file.commit()) {
        s.message(path + ": cannot be written: " + file.errorString().toStdString());
        return false;
    }
    return true;
}

std::string captureSavePath(const std::string& path, CaptureFileKind chosen) {
    const std::string e = lowerEnding(path);
    for (const char* named : {".bin", ".raw", ".mode2", ".pronto", ".ccf", ".txt"})
        if (e == named) return path;
    if (chosen == CaptureFileKind::TimeList && !e.empty()) return path;
    return path + endingOf(chosen);
}

} // namespace qv
