#include "exchange/parsed_render.h"

#include "exchange/read_support.h"
#include "exchange/signal_capture.h"
#include "platform/paths.h"

#include <filesystem>
#include <mutex>

namespace qv::exchange {

namespace {

int64_t reversed8(int64_t byte) {
    int64_t out = 0;
    for (int i = 0; i < 8; ++i)
        out |= ((byte >> i) & 1) << (7 - i);
    return out;
}

using Fill = void (*)(int64_t address, int64_t command, irp::Params& p);

struct Mapping {
    const char* scheme;
    const char* name; // as the form writes it, compared without case
    const char* protocol;
    Fill fill;
};

void df(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a);
    p.set("F", c);
}
void necAddress(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a & 0xFF);
    if (a > 0xFF) p.set("S", (a >> 8) & 0xFF);
    p.set("F", c & 0xFF);
}
void necExtended(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a & 0xFF);
    p.set("S", (a >> 8) & 0xFF);
    p.set("F", c & 0xFF);
    p.set("E", (c >> 8) & 0xFF);
}
// A 16-bit command whose high byte is not the complement of the low one
// is the extended form.
const char* necOrExtended(int64_t c) {
    return ((c >> 8) & 0xFF) == (~c & 0xFF) ? "NEC1" : "NEC1-f16";
}
void necSixteen(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a & 0xFF);
    p.set("S", (a >> 8) & 0xFF);
    p.set("F", c & 0xFF);
    if (std::string(necOrExtended(c)) != "NEC1") p.set("E", (c >> 8) & 0xFF);
}
void aiwa(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a & 0xFF);
    p.set("S", (a >> 8) & 0x1F);
    p.set("F", c & 0xFF);
}
void samsung(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a & 0xFF);
    p.set("S", a & 0xFF);
    p.set("F", c & 0xFF);
}
void rc5x(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a);
    p.set("F", c + 64);
}
void sony20(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a & 0x1F);
    p.set("S", (a >> 5) & 0xFF);
    p.set("F", c);
}
// Flipper's Kaseikyo: the address holds the vendor in bits 8..23 above
// the byte after it; the command's 10 bits and the id make the last two
// bytes. Panasonic's vendor (0x2002) is the Panasonic protocol.
void panasonic(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", a & 0xFF);
    p.set("S", ((a >> 24) & 0xF) | ((c & 0xF) << 4));
    p.set("F", ((c >> 4) & 0x3F) | (((a >> 28) & 3) << 6));
}
// Tasmota's and ESPHome's data words are sent most significant bit first.
void necData(int64_t data, int64_t, irp::Params& p) {
    p.set("D", reversed8(data >> 24 & 0xFF));
    p.set("S", reversed8(data >> 16 & 0xFF));
    p.set("F", reversed8(data >> 8 & 0xFF));
    if (reversed8(data & 0xFF) != (~reversed8(data >> 8 & 0xFF) & 0xFF))
        p.set("E", reversed8(data & 0xFF));
}

constexpr Mapping kMappings[] = {
    {"flipper", "NEC", "NEC1", necAddress},
    {"flipper", "NECext", "NEC1-f16", necExtended},
    {"flipper", "NEC42", "Aiwa", aiwa},
    {"flipper", "Samsung32", "NECx2", samsung},
    {"flipper", "RC5", "RC5", df},
    {"flipper", "RC5X", "RC5", rc5x},
    {"flipper", "RC6", "RC6", df},
    {"flipper", "SIRC", "Sony12", df},
    {"flipper", "SIRC15", "Sony15", df},
    {"flipper", "SIRC20", "Sony20", sony20},
    {"flipper", "RCA", "RCA", df},
    {"flipper", "Pioneer", "Pioneer", df},
    {"flipper", "Kaseikyo", "Panasonic", panasonic},
    {"esphome", "NEC", "", necSixteen},
    {"esphome", "RC5", "RC5", df},
    {"esphome", "RC6", "RC6", df},
    {"tasmota", "NEC", "", necData},
    {"tasmota", "SAMSUNG", "NECx2", necData},
};

std::optional<int64_t> parameter(const ParsedCode& code, std::string_view name) {
    for (const auto& [n, v] : code.parameters)
        if (lowered(n) == name) return v;
    return std::nullopt;
}

} // namespace

IrpCode irpCodeOf(const ParsedCode& code) {
    IrpCode out;
    if (code.scheme == "irp") {
        out.protocol = code.protocol;
        for (const auto& [n, v] : code.parameters)
            out.params.set(n, v);
        return out;
    }
    for (const Mapping& m : kMappings) {
        if (code.scheme != m.scheme || lowered(code.protocol) != lowered(m.name)) continue;
        const bool data = code.scheme == "tasmota";
        const auto a = parameter(code, data ? "data" : "address");
        const auto c = parameter(code, data ? "data" : "command");
        if (!a || !c)
            throw CaptureFormatError("parsed signal: protocol " + code.protocol + " needs " +
                                     (data ? "Data" : "address and command"));
        out.protocol =
            *m.protocol
                ? m.protocol
                : necOrExtended(data ? reversed8(*c & 0xFF) << 8 | reversed8(*c >> 8 & 0xFF) : *c);
        if (code.scheme == "flipper" && out.protocol == "Panasonic" &&
            ((*a >> 8) & 0xFFFF) != 0x2002)
            throw CaptureFormatError("parsed signal: Kaseikyo of vendor " +
                                     std::to_string((*a >> 8) & 0xFFFF) +
                                     " has no protocol to render it");
        m.fill(*a, *c, out.params);
        return out;
    }
    throw CaptureFormatError("parsed signal: no protocol of the table for " + code.scheme +
                             " protocol \"" + code.protocol + "\"");
}

NamedSignal renderParsed(const NamedSignal& signal, const irp::ProtocolTable& table) {
    if (!signal.parsed) return signal;
    const IrpCode code = irpCodeOf(*signal.parsed);
    const irp::NamedProtocol* protocol = table.find(code.protocol);
    if (!protocol)
        throw CaptureFormatError("parsed signal: protocol " + code.protocol +
                                 " is not in the protocol table");
    irp::Rendered r;
    try {
        r = irp::render(protocol->irp, code.params);
    } catch (const std::exception& e) {
        throw CaptureFormatError("parsed signal: " + code.protocol + " " +
                                 irp::formatParams(code.params) + " does not render: " + e.what());
    }
    NamedSignal out = signal;
    out.parsed.reset();
    out.kind = "parsed " + code.protocol;
    out.times.clear();
    out.repeat.clear();
    if (r.carrierHz > 0) out.carrierHz = r.carrierHz;
    const std::vector<int64_t>& once = r.intro.empty() ? r.repeat : r.intro;
    for (int64_t t : once)
        addSigned(out.times, t);
    for (int64_t t : r.ending)
        addSigned(out.times, t);
    if (!r.intro.empty())
        for (int64_t t : r.repeat)
            addSigned(out.repeat, t);
    if (out.times.empty())
        throw CaptureFormatError("parsed signal: " + code.protocol + " renders no times");
    return out;
}

const irp::ProtocolTable* shippedProtocolTable() {
    static std::once_flag once;
    static std::unique_ptr<irp::ProtocolTable> table;
    std::call_once(once, [] {
        const std::filesystem::path dir = programDirectory();
        for (const auto& path : {dir / irp::kShippedTableName,
                                 dir / ".." / "share" / "quorvel" / irp::kShippedTableName}) {
            std::error_code ec;
            if (!std::filesystem::is_regular_file(path, ec)) continue;
            try {
                auto t = std::make_unique<irp::ProtocolTable>();
                t->addFile(path.string());
                table = std::move(t);
                return;
            } catch (const std::exception&) {
            }
        }
    });
    return table.get();
}

NamedSignal renderParsed(const NamedSignal& signal) {
    const irp::ProtocolTable* table = shippedProtocolTable();
    if (!table)
        throw CaptureFormatError("parsed signal: protocol rendering not available (no " +
                                 std::string(irp::kShippedTableName) + " beside the program)");
    return renderParsed(signal, *table);
}

} // namespace qv::exchange
