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
    // Where one name stands for several protocols: whether this one is meant.
    bool (*fits)(int64_t address, int64_t command) = nullptr;
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
// Flipper's Kaseikyo address: the id in bits 24..25, the vendor in bits
// 8..23, the two genre nibbles in the low byte; the command is 10 bits.
// Vendor 0x2002 with its parity nibble is the Panasonic protocol, whose D,
// S and F are the frame's third to fifth bytes.
int64_t vendorParity(int64_t vendor) {
    const int64_t x = (vendor & 0xFF) ^ (vendor >> 8 & 0xFF);
    return (x ^ x >> 4) & 0xF;
}
void panasonic(int64_t a, int64_t c, irp::Params& p) {
    p.set("D", vendorParity(a >> 8 & 0xFFFF) | (a >> 4 & 0xF) << 4);
    p.set("S", (a & 0xF) | (c & 0xF) << 4);
    p.set("F", (c >> 4 & 0x3F) | (a >> 24 & 3) << 6);
}
void kaseikyo(int64_t a, int64_t c, irp::Params& p) {
    p.set("M", a >> 8 & 0xFF);
    p.set("N", a >> 16 & 0xFF);
    p.set("G", a >> 4 & 0xF);
    p.set("H", a & 0xF);
    p.set("C", c & 0x3FF);
    p.set("I", a >> 24 & 3);
}
void nec42(int64_t a, int64_t c, irp::Params& p) {
    p.set("A", a & 0x3FFFFFF);
    p.set("C", c & 0xFFFF);
}
constexpr int64_t kPanasonicVendor = 0x2002;
bool panasonicVendor(int64_t a, int64_t) {
    return (a >> 8 & 0xFFFF) == kPanasonicVendor;
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
    {"flipper", "NEC42ext", "Flipper-NEC42ext", nec42},
    {"flipper", "Samsung32", "NECx2", samsung},
    {"flipper", "RC5", "RC5", df},
    {"flipper", "RC5X", "RC5", rc5x},
    {"flipper", "RC6", "RC6", df},
    {"flipper", "SIRC", "Sony12", df},
    {"flipper", "SIRC15", "Sony15", df},
    {"flipper", "SIRC20", "Sony20", sony20},
    {"flipper", "RCA", "RCA", df},
    {"flipper", "Pioneer", "Pioneer", df},
    {"flipper", "Kaseikyo", "Panasonic", panasonic, panasonicVendor},
    {"flipper", "Kaseikyo", "Flipper-Kaseikyo", kaseikyo},
    {"esphome", "NEC", "", necSixteen},
    {"esphome", "RC5", "RC5", df},
    {"esphome", "RC6", "RC6", df},
    {"tasmota", "NEC", "", necData},
    {"tasmota", "SAMSUNG", "NECx2", necData},
};

// Protocols Flipper names that the protocol table has no row for: NEC42
// without its complements, and Kaseikyo of any vendor with the byte parity
// Flipper sends.
constexpr const char* kFlipperExtras =
    "name\tirp\n"
    "Flipper-NEC42ext\t{38.123k,550}<1,-1|1,-3>(16,-8,A:26,C:16,1,-42,(16,-8,1,-165)*)"
    "[A:0..67108863,C:0..65535]\n"
    "Flipper-Kaseikyo\t{37k,432}<1,-1|1,-3>(8,-4,M:8,N:8,X:4,G:4,H:4,C:10,I:2,P:8,1,-173)*"
    "{X=((M^N)::4)^(M^N),P=((X:4)+16*G)^(H+16*(C:4))^((C:6:4)+64*I)}"
    "[M:0..255,N:0..255,G:0..15,H:0..15,C:0..1023,I:0..3]\n";

// A decode as Flipper names it: protocol, address and command.
struct Unmapping {
    const char* protocol; // the table's, compared without case
    std::optional<ParsedCode> (*code)(const irp::Params& p);
};

ParsedCode flipper(const char* protocol, int64_t address, int64_t command) {
    return ParsedCode{"flipper", protocol, {{"address", address}, {"command", command}}};
}
std::optional<ParsedCode> fromNec(const irp::Params& p) {
    const int64_t D = p.get("D").value_or(0), S = p.get("S").value_or(0),
                  F = p.get("F").value_or(0);
    const std::optional<int64_t> E = p.get("E");
    if (S == 255 - D && (!E || *E == (~F & 0xFF))) return flipper("NEC", D, F);
    return flipper("NECext", D | S << 8, F | E.value_or(~F & 0xFF) << 8);
}
std::optional<ParsedCode> fromSamsung(const irp::Params& p) {
    const int64_t D = p.get("D").value_or(0), F = p.get("F").value_or(0);
    if (p.get("S").value_or(D) != D || p.get("E").value_or(~F & 0xFF) != (~F & 0xFF))
        return std::nullopt;
    return flipper("Samsung32", D, F);
}
std::optional<ParsedCode> fromAiwa(const irp::Params& p) {
    return flipper("NEC42", p.get("D").value_or(0) | p.get("S").value_or(0) << 8,
                   p.get("F").value_or(0));
}
std::optional<ParsedCode> fromNec42ext(const irp::Params& p) {
    return flipper("NEC42ext", p.get("A").value_or(0), p.get("C").value_or(0));
}
std::optional<ParsedCode> fromRc5(const irp::Params& p) {
    const int64_t D = p.get("D").value_or(0), F = p.get("F").value_or(0);
    return F < 64 ? flipper("RC5", D, F) : flipper("RC5X", D, F - 64);
}
template <const char* name> std::optional<ParsedCode> fromDf(const irp::Params& p) {
    return flipper(name, p.get("D").value_or(0), p.get("F").value_or(0));
}
std::optional<ParsedCode> fromSony20(const irp::Params& p) {
    return flipper("SIRC20", p.get("D").value_or(0) | p.get("S").value_or(0) << 5,
                   p.get("F").value_or(0));
}
std::optional<ParsedCode> fromPanasonic(const irp::Params& p) {
    const int64_t D = p.get("D").value_or(0), S = p.get("S").value_or(0),
                  F = p.get("F").value_or(0);
    if ((D & 0xF) != vendorParity(kPanasonicVendor)) return std::nullopt;
    return flipper("Kaseikyo", (F >> 6) << 24 | kPanasonicVendor << 8 | (D >> 4) << 4 | (S & 0xF),
                   (S >> 4) | (F & 0x3F) << 4);
}
std::optional<ParsedCode> fromKaseikyo(const irp::Params& p) {
    auto v = [&](const char* n) { return p.get(n).value_or(0); };
    return flipper("Kaseikyo", v("I") << 24 | v("N") << 16 | v("M") << 8 | v("G") << 4 | v("H"),
                   v("C"));
}

constexpr char kRc6[] = "RC6", kSirc[] = "SIRC", kSirc15[] = "SIRC15", kRca[] = "RCA",
               kPioneer[] = "Pioneer";
constexpr Unmapping kUnmappings[] = {
    {"NEC1", fromNec},
    {"NEC2", fromNec},
    {"NEC", fromNec},
    {"NEC1-f16", fromNec},
    {"NEC2-f16", fromNec},
    {"NECx2", fromSamsung},
    {"NECx1", fromSamsung},
    {"NECx", fromSamsung},
    {"Aiwa", fromAiwa},
    {"Flipper-NEC42ext", fromNec42ext},
    {"RC5", fromRc5},
    {"RC6", fromDf<kRc6>},
    {"Sony12", fromDf<kSirc>},
    {"Sony15", fromDf<kSirc15>},
    {"Sony20", fromSony20},
    {"RCA", fromDf<kRca>},
    {"Pioneer", fromDf<kPioneer>},
    {"Panasonic", fromPanasonic},
    {"Flipper-Kaseikyo", fromKaseikyo},
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
        if (m.fits && !m.fits(*a, *c)) continue;
        out.protocol =
            *m.protocol
                ? m.protocol
                : necOrExtended(data ? reversed8(*c & 0xFF) << 8 | reversed8(*c >> 8 & 0xFF) : *c);
        m.fill(*a, *c, out.params);
        return out;
    }
    throw CaptureFormatError("parsed signal: no protocol of the table for " + code.scheme +
                             " protocol \"" + code.protocol + "\"");
}

const irp::ProtocolTable& flipperExtras() {
    static const irp::ProtocolTable extras = [] {
        irp::ProtocolTable t;
        t.addTsv(kFlipperExtras, "Flipper protocols");
        return t;
    }();
    return extras;
}

std::optional<ParsedCode> flipperCodeOf(const irp::Decode& decode) {
    for (const Unmapping& u : kUnmappings)
        if (lowered(decode.protocol) == lowered(u.protocol)) return u.code(decode.params);
    return std::nullopt;
}

NamedSignal renderParsed(const NamedSignal& signal, const irp::ProtocolTable& table) {
    if (!signal.parsed) return signal;
    const IrpCode code = irpCodeOf(*signal.parsed);
    const irp::NamedProtocol* protocol = flipperExtras().find(code.protocol);
    if (!protocol) protocol = table.find(code.protocol);
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
