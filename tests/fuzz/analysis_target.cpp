// The analysis of an unknown remote on any durations: two bytes a time in
// 10 us steps, a zero starting the next press. Nothing may crash or hang;
// every press analysed gets a result, and the IRP written parses or the
// result says why not.
#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "analysis/analysis.h"
#include "irp/irp.h"

namespace qvfuzz {

int analysis(const uint8_t* data, size_t size) {
    std::vector<qv::analysis::Press> presses(1);
    size_t total = 0;
    for (size_t i = 1; i + 1 < size && total < 4000; i += 2, ++total) {
        const unsigned v = data[i] | data[i + 1] << 8;
        if (v == 0) {
            if (presses.size() < 40) presses.emplace_back();
            continue;
        }
        presses.back().times.push_back(10 * int64_t(v));
    }
    qv::analysis::Options options;
    if (size > 0 && data[0] < 128) options.excess = data[0] * 2;
    const auto r = qv::analysis::analyse(presses, options);
    if (r.presses.size() > presses.size()) broken("more press results than presses");
    bool unreadable = false;
    for (const auto& n : r.notes)
        unreadable = unreadable || n.rfind("the IRP cannot be read back", 0) == 0;
    if (!r.presses.empty() && !r.irp.empty() && !unreadable) {
        try {
            qv::irp::parse(r.irp);
        } catch (const qv::irp::ParseError&) {
            broken("an IRP that does not parse, and no note of it");
        }
    }
    return 0;
}

} // namespace qvfuzz
