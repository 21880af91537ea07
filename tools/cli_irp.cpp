// quorvel-cli's protocol commands: the IRP table listed, captures
// identified against every protocol, presses generated from a protocol and
// its parameters.
#include "app/generate_capture.h"
#include "app/protocol_table.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "capture/receiver_message.h"
#include "engine/burst_excess.h"
#include "exchange/signal_capture.h"
#include "irp/irp.h"
#include "platform/basic.h"
#include "platform/whole_file.h"
#include "tools/cli_commands.h"
#include "tools/json_out.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

namespace qv {

namespace {

int irpError(const std::string& what) {
    std::fprintf(stderr, "quorvel-cli: %s\n", what.c_str());
    return 2;
}

// The shipped table, then the user's files in order; says what a user
// protocol replaced and which rows could not be read.
bool loadTable(irp::ProtocolTable& table, const std::vector<std::string>& userFiles) {
    std::vector<ProtocolLoadLine> said = loadShippedProtocols(table);
    bool ok = true;
    for (const auto& file : userFiles)
        if (!(ok = loadProtocolFile(table, file, said))) break;
    for (const auto& line : said)
        std::fprintf(stderr, "quorvel-cli: %s%s\n", line.warning ? "warning: " : "",
                     line.text.c_str());
    return ok;
}

void writeParams(std::FILE* out, const irp::Params& params) {
    std::fputc('{', out);
    bool first = true;
    for (const auto& [name, value] : params.values()) {
        std::fputs(first ? "" : ",", out);
        first = false;
        writeJsonString(out, name);
        std::fprintf(out, ":%lld", static_cast<long long>(value));
    }
    std::fputc('}', out);
}

// The burst excess of a demodulated capture, fitted against the bit times
// of the protocols that could have sent it: the table's common units.
double demodulatedExcess(const std::vector<int64_t>& times) {
    static const std::vector<double> marks = {300, 420, 450, 500, 550, 600, 650, 889};
    static const std::vector<double> spaces = {300, 420, 450, 500, 550, 600, 889, 1200, 1700};
    return engine::estimateBurstExcess(times, marks, spaces);
}

} // namespace

int cmdProtocols(const std::vector<std::string>& args) {
    bool json = false;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i] == "--protocols" && i + 1 < args.size())
            files.push_back(args[++i]);
        else
            return irpError("unknown option " + args[i]);
    }
    irp::ProtocolTable table;
    if (!loadTable(table, files)) return 1;
    if (json) {
        std::fputs("{\"protocols\":[", stdout);
        for (size_t i = 0; i < table.size(); ++i) {
            const auto& p = table[i];
            std::fputs(i ? ",\n" : "\n", stdout);
            std::fputs("{\"name\":", stdout);
            writeJsonString(stdout, p.name);
            std::fputs(",\"irp\":", stdout);
            writeJsonString(stdout, p.irp.text());
            std::fprintf(stdout, ",\"decode_only\":%s,\"parameters\":[",
                         p.decodeOnly ? "true" : "false");
            const auto& ps = p.irp.parameters();
            for (size_t k = 0; k < ps.size(); ++k) {
                std::fputs(k ? "," : "", stdout);
                std::fputs("{\"name\":", stdout);
                writeJsonString(stdout, ps[k].name);
                std::fprintf(stdout, ",\"min\":%lld,\"max\":%lld",
                             static_cast<long long>(ps[k].min), static_cast<long long>(ps[k].max));
                if (!ps[k].defaultExpression.empty()) {
                    std::fputs(",\"default\":", stdout);
                    writeJsonString(stdout, ps[k].defaultExpression);
                }
                std::fputc('}', stdout);
            }
            std::fputs("]}", stdout);
        }
        std::fputs("\n]}\n", stdout);
        return 0;
    }
    for (size_t i = 0; i < table.size(); ++i) {
        const auto& p = table[i];
        std::printf("%-20s %s%s\n", p.name.c_str(), p.irp.text().c_str(),
                    p.decodeOnly ? "  (decode only)" : "");
    }
    std::printf("%zu protocols\n", table.size());
    return 0;
}

int cmdIdentify(const std::vector<std::string>& args) {
    bool json = false;
    std::optional<bool> demodulated; // else as the file's kind reads
    std::optional<double> excess, absolute;
    bool autoExcess = false;
    std::vector<std::string> tables, files;
    std::string signal;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json")
            json = true;
        else if (a == "--signal" && i + 1 < args.size())
            signal = args[++i];
        else if (a == "--protocols" && i + 1 < args.size())
            tables.push_back(args[++i]);
        else if (a == "--demodulated")
            demodulated = true;
        else if (a == "--receiver-unit")
            demodulated = false;
        else if (a == "--excess" && i + 1 < args.size()) {
            const std::string& v = args[++i];
            if (v == "auto")
                autoExcess = true;
            else if (isNumeric(v) && leadingNumber(v) >= 0 && leadingNumber(v) <= 100000)
                excess = leadingNumber(v);
            else
                return irpError("--excess takes auto or a time in microseconds");
        } else if (a == "--absolute-tolerance" && i + 1 < args.size()) {
            const std::string& v = args[++i];
            if (!isNumeric(v) || leadingNumber(v) < 0 || leadingNumber(v) > 100000)
                return irpError("--absolute-tolerance takes a time in microseconds");
            absolute = leadingNumber(v);
        } else if (!a.empty() && a[0] == '-')
            return irpError("unknown option " + a);
        else
            files.push_back(a);
    }
    if (files.empty()) return irpError("identify needs a capture FILE");
    irp::ProtocolTable table;
    if (!loadTable(table, tables)) return 1;
    int status = 0;
    // Each named signal of a remote file in turn, as FILE#NAME.
    std::vector<std::string> labels;
    for (const auto& file : files) {
        try {
            for (auto& label : exchange::signalLabels(file, signal))
                labels.push_back(std::move(label));
        } catch (const CaptureFormatError& e) {
            std::fprintf(stderr, "quorvel-cli: %s\n", e.what());
            status = 1;
        }
    }
    files = std::move(labels);
    if (json) std::fputs("{\"captures\":[", stdout);
    bool first = true;
    // Read in the order given, a batch at a time; each batch decoded on
    // every core, then printed in order.
    struct Job {
        size_t f = 0;
        std::vector<int64_t> times;
        irp::DecodeOptions options;
        std::vector<irp::Decode> decodes;
        std::vector<std::string> unresolved;
    };
    constexpr size_t kBatch = 256;
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    for (size_t start = 0; start < files.size(); start += kBatch) {
        std::vector<Job> jobs;
        for (size_t f = start; f < std::min(files.size(), start + kBatch); ++f) {
            CaptureFile read;
            try {
                read = exchange::readLabelledCapture(files[f], {});
            } catch (const CaptureFormatError& e) {
                std::fprintf(stderr, "quorvel-cli: %s\n", e.what());
                status = 1;
                continue;
            }
            Job job;
            job.f = f;
            job.times = std::move(read.times);
            // A receiver message (.bin): every time it holds.
            if (job.times.empty())
                job.times = receivedTimes(read.message, kReceiverTicksPerUsSingle);
            irp::DecodeOptions& options = job.options;
            if (absolute) options.absoluteTolerance = *absolute;
            if (excess)
                options.burstExcess = *excess;
            else if (autoExcess)
                options.burstExcess = demodulatedExcess(job.times);
            else // a parsed signal's times are rendered: no receiver's excess to fit
                options.demodulated =
                    demodulated.value_or(readsDemodulated(captureKindForPath(files[f])) &&
                                         !exchange::isParsedSignal(files[f]));
            jobs.push_back(std::move(job));
        }
        std::atomic<size_t> next{0};
        auto work = [&] {
            for (size_t j; (j = next++) < jobs.size();) {
                auto found = irp::identify(table, jobs[j].times, jobs[j].options);
                jobs[j].decodes = std::move(found.decodes);
                jobs[j].unresolved = std::move(found.unresolved);
            }
        };
        std::vector<std::thread> pool;
        for (unsigned w = 1; w < workers && w < jobs.size(); ++w)
            pool.emplace_back(work);
        work();
        for (auto& t : pool)
            t.join();
        for (const Job& job : jobs) {
            if (json) {
                std::fputs(first ? "\n" : ",\n", stdout);
                first = false;
                std::fputs("{\"file\":", stdout);
                writeJsonString(stdout, files[job.f]);
                std::fputs(",\"decodes\":[", stdout);
                for (size_t k = 0; k < job.decodes.size(); ++k) {
                    const auto& d = job.decodes[k];
                    std::fputs(k ? "," : "", stdout);
                    std::fputs("{\"protocol\":", stdout);
                    writeJsonString(stdout, d.protocol);
                    std::fputs(",\"params\":", stdout);
                    writeParams(stdout, d.params);
                    std::fprintf(
                        stdout,
                        ",\"repeats\":%d,\"intro\":%s,\"ending\":%s,\"defaulted\":", d.repeats,
                        d.intro ? "true" : "false", d.ending ? "true" : "false");
                    writeParams(stdout, d.defaulted);
                    std::fprintf(stdout, ",\"durations\":%zu,\"checks\":%d}", d.end - d.begin,
                                 d.checks);
                }
                std::fputs("]", stdout);
                if (!job.unresolved.empty()) {
                    std::fputs(",\"unresolved\":", stdout);
                    writeJsonArray(stdout, job.unresolved);
                }
                std::fputs("}", stdout);
                continue;
            }
            std::printf("%s: %zu protocol decode%s\n", files[job.f].c_str(), job.decodes.size(),
                        job.decodes.size() == 1 ? "" : "s");
            for (const auto& d : job.decodes)
                std::printf("  %s\n", irp::describe(d).c_str());
            if (!job.unresolved.empty())
                std::printf("  %s\n", irp::describeUnresolved(job.unresolved).c_str());
        }
        showProgress(std::min(files.size(), start + kBatch), files.size());
    }
    if (json) std::fputs("\n]}\n", stdout);
    return status;
}

namespace {

irp::Identification shippedDecodes(const CaptureFile& read, bool demodulated) {
    static const irp::ProtocolTable table = [] {
        irp::ProtocolTable t;
        loadTable(t, {});
        return t;
    }();
    std::vector<int64_t> times = read.times;
    if (times.empty()) times = receivedTimes(read.message, kReceiverTicksPerUsSingle);
    irp::DecodeOptions options;
    options.demodulated = demodulated;
    return irp::identify(table, times, options);
}

} // namespace

std::vector<std::string> protocolDecodeLines(const CaptureFile& read, bool demodulated) {
    std::vector<std::string> lines;
    const auto found = shippedDecodes(read, demodulated);
    for (const auto& d : found.decodes)
        lines.push_back(irp::describe(d));
    if (!found.unresolved.empty()) lines.push_back(irp::describeUnresolved(found.unresolved));
    return lines;
}

void writeProtocolDecodes(const CaptureFile& read, bool demodulated, bool json) {
    const auto found = shippedDecodes(read, demodulated);
    const auto& decodes = found.decodes;
    if (json) {
        std::fputc('[', stdout);
        for (size_t k = 0; k < decodes.size(); ++k) {
            std::fputs(k ? "," : "", stdout);
            std::fputs("{\"protocol\":", stdout);
            writeJsonString(stdout, decodes[k].protocol);
            std::fputs(",\"params\":", stdout);
            writeParams(stdout, decodes[k].params);
            std::fprintf(stdout, ",\"repeats\":%d}", decodes[k].repeats);
        }
        std::fputc(']', stdout);
        if (!found.unresolved.empty()) {
            std::fputs(", \"protocols_unresolved\": ", stdout);
            writeJsonArray(stdout, found.unresolved);
        }
        return;
    }
    std::printf("protocols (IRP): %zu decode%s\n", decodes.size(), decodes.size() == 1 ? "" : "s");
    for (const auto& d : decodes)
        std::printf("  %s\n", irp::describe(d).c_str());
    if (!found.unresolved.empty())
        std::printf("  %s\n", irp::describeUnresolved(found.unresolved).c_str());
}

int protocolPress(const ProtocolChoice& choice, int repeats, std::vector<int64_t>& press,
                  double& carrierHz, std::string& label) {
    if (choice.name.empty() == choice.irpText.empty())
        return irpError("give one of --protocol and --irp");
    irp::Params params;
    try {
        params = irp::parseParams(choice.params);
    } catch (const irp::ParseError& e) {
        return irpError(std::string("--params: ") + e.what());
    }
    irp::Rendered rendered;
    label = choice.name;
    try {
        irp::RenderOptions options;
        options.repeats = repeats;
        if (!choice.irpText.empty()) {
            label = "IRP";
            rendered = irp::render(irp::parse(choice.irpText), params, options);
        } else {
            irp::ProtocolTable table;
            if (!loadTable(table, choice.tables)) return 1;
            const irp::NamedProtocol* p = table.find(choice.name);
            if (!p) {
                std::fprintf(stderr, "quorvel-cli: no protocol %s in the table\n",
                             choice.name.c_str());
                return 1;
            }
            label = p->name;
            rendered = irp::render(*p, params, options);
        }
    } catch (const irp::ParseError& e) {
        std::fprintf(stderr, "quorvel-cli: --irp: %s\n", e.what());
        return 1;
    } catch (const irp::RenderError& e) {
        std::fprintf(stderr, "quorvel-cli: cannot generate: %s\n", e.what());
        return 1;
    }
    press = rendered.press();
    if (press.size() < 2) {
        std::fprintf(stderr, "quorvel-cli: cannot generate: the press sends nothing\n");
        return 1;
    }
    carrierHz = rendered.carrierHz;
    label += " " + irp::formatParams(params);
    return 0;
}

bool protocolOption(const std::string& option, const std::string& value, ProtocolChoice& choice) {
    if (option == "--protocol")
        choice.name = value;
    else if (option == "--irp")
        choice.irpText = value;
    else if (option == "--params")
        choice.params = value;
    else if (option == "--protocols")
        choice.tables.push_back(value);
    else
        return false;
    return true;
}

int cmdGenerateIrp(const std::vector<std::string>& args) {
    ProtocolChoice choice;
    std::string out;
    engine::GenerateRequest request;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) return irpError(a + " needs a value");
        const std::string& v = args[++i];
        if (protocolOption(a, v, choice))
            continue;
        else if (a == "--repeats") {
            if (!isNumeric(v) || leadingNumber(v) < 0 || leadingNumber(v) > 50 ||
                leadingNumber(v) != wholePart(leadingNumber(v)))
                return irpError("--repeats takes a whole number from 0 to 50");
            request.repeats = static_cast<int>(leadingNumber(v));
        } else if (a == "--distort") {
            std::string why;
            if (!parseDistortion(v, request, why)) return irpError(why);
        } else if (a == "-o" || a == "--output")
            out = v;
        else
            return irpError("unknown option " + a);
    }
    if (choice.name.empty() == choice.irpText.empty())
        return irpError("generate takes one of --protocol and --irp");
    if (out.empty()) return irpError("generate needs -o FILE");
    std::vector<int64_t> press;
    double carrierHz = 0;
    std::string label;
    if (int status = protocolPress(choice, request.repeats, press, carrierHz, label)) return status;
    // One frame whose silence after the last burst is the final gap.
    irsig::Frame frame;
    double total = 0;
    for (size_t i = 0; i + 1 < press.size(); ++i) {
        frame.body.push_back({i % 2 == 0, double(press[i])});
        total += double(press[i]);
    }
    frame.period = total + double(press.back());
    engine::GeneratedSignal signal;
    signal.capture = irsig::render(irsig::KeyPress{frame}, request.receiver, request.seed);
    signal.carrierPeriodUs = carrierHz > 0 ? 1e6 / carrierHz : 0;
    signal.hex = label.substr(label.find(' ') + 1);
    const std::string content = generatedFileContent(signal, captureKindForPath(out));
    if (const std::string why = writeFileWhole(out, content); !why.empty()) {
        std::fprintf(stderr, "quorvel-cli: %s: cannot be written: %s\n", out.c_str(), why.c_str());
        return 1;
    }
    std::printf("%s: %s, %zu times, %s\n", out.c_str(), label.substr(0, label.find(' ')).c_str(),
                signal.capture.times.size(), signal.hex.c_str());
    return 0;
}

} // namespace qv
