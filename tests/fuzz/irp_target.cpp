// The IRP floor on any bytes. irpParse: any text is parsed; what parses is
// rendered with parameters drawn from its own ranges and the press decoded
// against the protocol itself. irpDecode: any durations decoded against
// the whole shipped table. Nothing may crash, hang or grow without bound;
// a refusal is a ParseError or RenderError, nothing else.
#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "irp/irp.h"

#include <cstring>

namespace qvfuzz {

namespace {

const qv::irp::ProtocolTable& shippedTable() {
    static const qv::irp::ProtocolTable table = [] {
        qv::irp::ProtocolTable t;
        t.addFile(std::string(QV_SOURCE_DIR) + "/data/irp-protocols.tsv");
        return t;
    }();
    return table;
}

} // namespace

int irpParse(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    qv::irp::Protocol p;
    try {
        p = qv::irp::parse(text);
    } catch (const qv::irp::ParseError& e) {
        if (e.position > size) broken("a parse error past the end of the text");
        return 0;
    }
    qv::irp::Params params;
    uint64_t pick = size;
    for (const auto& ps : p.parameters()) {
        pick = pick * 6364136223846793005ULL + 1442695040888963407ULL;
        uint64_t span = uint64_t(ps.max) - uint64_t(ps.min);
        params.set(ps.name, ps.min + int64_t(span == UINT64_MAX ? pick : pick % (span + 1)));
    }
    qv::irp::Rendered r;
    try {
        r = qv::irp::render(p, params, {2});
    } catch (const qv::irp::RenderError&) {
        return 0;
    }
    auto press = r.press();
    if (press.size() > 400000) broken("a press beyond the renderer's bound");
    qv::irp::ProtocolTable own;
    qv::irp::NamedProtocol named;
    named.name = "fuzzed";
    named.irp = p;
    own.add(named);
    auto decodes = qv::irp::decode(own, press);
    for (const auto& d : decodes)
        if (d.end > press.size() || d.begin > d.end) broken("a decode past the capture");
    return 0;
}

int irpDecode(const uint8_t* data, size_t size) {
    std::vector<int64_t> times;
    // Two bytes a duration, scaled to 10 us steps: the range of real captures.
    for (size_t i = 0; i + 1 < size && times.size() < 2000; i += 2)
        times.push_back(1 + 10 * int64_t(data[i] | data[i + 1] << 8) % 200000);
    qv::irp::DecodeOptions options;
    options.demodulated = size % 2 == 1;
    auto decodes = qv::irp::decode(shippedTable(), times, options);
    for (const auto& d : decodes) {
        if (d.end > times.size()) broken("a decode past the capture");
        if (!shippedTable().find(d.protocol)) broken("a decode of a protocol not in the table");
    }
    return 0;
}

} // namespace qvfuzz
