// quorvel-cli convert between files of named signals, and between them and
// the one-capture kinds.
#include "app/capture_loader.h"
#include "capture/capture_formats.h"
#include "exchange/parsed_render.h"
#include "exchange/signal_capture.h"
#include "exchange/writers.h"
#include "platform/whole_file.h"
#include "tools/cli_commands.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

namespace qv {

namespace {

void say(const std::string& text) {
    std::fprintf(stderr, "quorvel-cli: %s\n", text.c_str());
}

double carrierHz(Carrier c) {
    return 1.8432e6 / (c.highTicks + c.lowTicks);
}

// The signals IN holds: a remote file's (only the one named, when given),
// parsed ones rendered; a capture file as one signal named by its stem.
bool signalsOf(const std::string& in, const std::string& only, Carrier carrier,
               std::vector<exchange::NamedSignal>& out) {
    try {
        if (const auto set = exchange::signalSetOf(in)) {
            for (const auto& s : set->entries) {
                if (!only.empty() && s.name != only) continue;
                out.push_back(s.parsed ? exchange::renderParsed(s) : s);
                out.back().name = s.name;
            }
            if (out.empty()) exchange::signalLabels(in, only); // says which there are
            return true;
        }
        CaptureFile read = readCapture(in, carrier);
        exchange::NamedSignal s;
        s.name = std::filesystem::path(in).stem().string();
        s.times = read.times;
        const CaptureFileKind kind = captureKindForPath(in);
        if (kind == CaptureFileKind::ReceiverMessage || looksLikePronto(readCaptureBytes(in)))
            s.carrierHz = carrierHz(read.carrier);
        if (s.times.empty()) {
            MemoryPort port;
            Session session;
            session.env.port = &port;
            port.receive(read.message);
            if (!loadCapture(session)) {
                say(in + ": fewer than 10 bytes, not a capture");
                return false;
            }
            s.times = captureTimes(session.TTable);
        }
        out.push_back(std::move(s));
        return true;
    } catch (const CaptureFormatError& e) {
        say(e.what());
        return false;
    }
}

} // namespace

bool isSignalConvert(const std::string& in, const std::string& out) {
    if (exchange::writtenFormForPath(out)) return true;
    try {
        return exchange::signalSetOf(in) != nullptr;
    } catch (const CaptureFormatError&) {
        return false; // the capture road refuses it as before
    }
}

int convertSignals(const std::string& in, const std::string& out, const std::string& only,
                   Carrier carrier, double frameGap, bool force, bool identifyFlipper) {
    std::vector<exchange::NamedSignal> signals;
    if (!signalsOf(in, only, carrier, signals)) return 1;
    exchange::Written w;
    if (const auto form = exchange::writtenFormForPath(out)) {
        // Decoded as protocols where the form names them: IRDB rows and Girr
        // parameters always, Flipper parsed signals when asked.
        const bool identify = *form == exchange::Form::IrdbCsv || *form == exchange::Form::Girr ||
                              (identifyFlipper && *form == exchange::Form::FlipperIr);
        w = exchange::writeSignals(*form, signals,
                                   identify ? exchange::shippedProtocolTable() : nullptr);
    } else {
        if (signals.size() != 1) {
            say(out + " not written: it holds one signal and " + in + " holds " +
                std::to_string(signals.size()) + "; --signal NAME picks one");
            return 1;
        }
        const exchange::NamedSignal& s = signals.front();
        const std::vector<int64_t> times = exchange::captureTimesOf(s);
        const CaptureFileKind kind = captureKindForPath(out);
        if (exchange::signalSetOf(in)) {
            // A signal picked by name loses nothing the user did not choose.
            if (only.empty())
                w.notHeld.push_back("\"" + s.name + "\": a one-capture file holds no name");
            if (!s.repeat.empty() && kind != CaptureFileKind::Pronto)
                w.notHeld.push_back("\"" + s.name +
                                    "\": the file holds no repeat part: it is written once "
                                    "after the once part");
        }
        const bool holdsCarrier =
            kind == CaptureFileKind::Pronto || kind == CaptureFileKind::ReceiverMessage;
        if (s.carrierHz && !holdsCarrier)
            w.notHeld.push_back("\"" + s.name + "\": the file holds no carrier: " +
                                std::to_string(std::lround(*s.carrierHz)) + " Hz is not written");
        if (!s.carrierHz && holdsCarrier)
            w.notHeld.push_back("\"" + s.name + "\": no carrier is known; written with the " +
                                "default carrier");
        const Carrier c = s.carrierHz ? carrierForPeriod(1e6 / *s.carrierHz) : carrier;
        switch (kind) {
        case CaptureFileKind::ReceiverMessage: {
            const auto message = messageFromTimes(times, c);
            w.text.assign(message.begin(), message.end());
            break;
        }
        case CaptureFileKind::SignedRaw:
            w.text = writeSignedRaw(times);
            break;
        case CaptureFileKind::Mode2:
            w.text = writeMode2(times);
            break;
        case CaptureFileKind::Pronto:
            w.text =
                writePronto(times, s.carrierHz ? 1e6 / *s.carrierHz : 1e6 / carrierHz(c), frameGap);
            break;
        case CaptureFileKind::TimeList:
            w.text = writeTimeList(times);
            break;
        }
    }
    if (!w.notHeld.empty() && !force) {
        say(out + " not written: it would not hold what " + in +
            " holds (--force writes it anyway)");
        for (const auto& line : w.notHeld)
            say(out + ": " + line);
        return 1;
    }
    for (const auto& line : w.notHeld)
        say("warning: " + out + ": " + line);
    if (const std::string why = writeFileWhole(out, w.text); !why.empty()) {
        say(out + ": cannot be written: " + why);
        return 1;
    }
    return 0;
}

} // namespace qv

namespace qv {

void showProgress(size_t done, size_t total) {
    static const bool terminal = ::isatty(2) == 1;
    if (!terminal || total < 2) return;
    using Clock = std::chrono::steady_clock;
    static Clock::time_point last;
    const auto now = Clock::now();
    if (done < total && now - last < std::chrono::milliseconds(100)) return;
    last = now;
    if (done < total)
        std::fprintf(stderr, "\rquorvel-cli: %zu of %zu captures", done, total);
    else
        std::fputs("\r\x1b[K", stderr); // the line goes once the run is done
    std::fflush(stderr);
}

} // namespace qv
