// quorvel-cli: the capture road without a window.
//   quorvel-cli load FILE [--json] [--carrier HIGH,LOW]
#include "app/capture_loader.h"
#include "app/capture_text.h"
#include "app/session.h"
#include "platform/basic.h"
#include "tools/json_out.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace qv;

int usage() {
    std::fprintf(stderr, "usage: quorvel-cli load FILE [--json] [--carrier HIGH,LOW]\n");
    return 2;
}

struct LoadOptions {
    std::string file;
    bool json = false;
    Carrier carrier;
};

bool parseCarrier(const std::string& text, Carrier& c) {
    auto comma = text.find(',');
    if (comma == std::string::npos) return false;
    std::string hi = text.substr(0, comma), lo = text.substr(comma + 1);
    if (!isNumeric(hi) || !isNumeric(lo)) return false;
    auto h = wholeOf(hi), l = wholeOf(lo);
    if (h < 0 || h > 255 || l < 0 || l > 255) return false;
    c.highTicks = static_cast<uint8_t>(h);
    c.lowTicks = static_cast<uint8_t>(l);
    return true;
}

void printTable(const Session& s, bool json) {
    if (json) {
        std::printf("\"table\": [");
        for (int r = 1; r <= kDataRows; ++r) {
            std::vector<std::string> row;
            for (int c = 1; c <= kDataCols; ++c)
                row.push_back(s.TTable.cell(r, c));
            std::printf("%s%s", r > 1 ? ", " : "", jsonArray(row).c_str());
        }
        std::printf("]");
        return;
    }
    std::printf("row |");
    for (int c = 1; c <= kDataCols; ++c)
        std::printf(" %8d", c);
    std::printf("\n");
    for (int r = 1; r <= kDataRows; ++r) {
        bool any = false;
        for (int c = 1; c <= kDataCols; ++c)
            any = any || !s.TTable.cell(r, c).empty();
        if (!any) continue;
        std::printf("%3d |", r);
        for (int c = 1; c <= kDataCols; ++c)
            std::printf(" %8s", s.TTable.cell(r, c).c_str());
        std::printf("\n");
    }
}

int cmdLoad(const std::vector<std::string>& args) {
    LoadOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            o.json = true;
        else if (args[i] == "--carrier" && i + 1 < args.size()) {
            if (!parseCarrier(args[++i], o.carrier)) {
                std::fprintf(stderr, "quorvel-cli: --carrier takes HIGH,LOW in ticks (0..255)\n");
                return 2;
            }
        } else if (!args[i].empty() && args[i][0] == '-')
            return usage();
        else if (o.file.empty())
            o.file = args[i];
        else
            return usage();
    }
    if (o.file.empty()) return usage();

    std::vector<uint8_t> message;
    try {
        message = readCaptureFile(o.file, o.carrier);
    } catch (const CaptureFormatError& e) {
        std::fprintf(stderr, "quorvel-cli: %s\n", e.what());
        return 1;
    }
    Session s;
    MemoryPort port;
    s.port = &port;
    port.open(1);
    port.receive(message);
    const bool loaded = loadCapture(s);
    if (o.json) {
        std::printf("{\"bytes\": %zu, \"carrier_high\": %s, \"carrier_period\": %s, "
                    "\"carrier_frequency\": %s, ",
                    message.size(), jsonString(s.code.Lblcarr_h).c_str(),
                    jsonString(s.code.Lblcarr_wid).c_str(), jsonString(s.code.Lblcarr_f).c_str());
        printTable(s, true);
        std::printf("}\n");
        return 0;
    }
    std::printf("bytes received: %s\n", s.LblRGtime.c_str());
    if (!loaded) {
        std::printf("fewer than 10 bytes: the capture is dropped\n");
        return 0;
    }
    std::printf("carrier high: %s us\ncarrier period: %s us\ncarrier frequency: %s kHz\n",
                s.code.Lblcarr_h.c_str(), s.code.Lblcarr_wid.c_str(), s.code.Lblcarr_f.c_str());
    printTable(s, false);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string cmd = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (cmd == "load") return cmdLoad(args);
    return usage();
}
