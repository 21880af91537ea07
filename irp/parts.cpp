#include "irp/parts.h"

namespace qv::irp {

Parts splitParts(const Protocol::Tree& t) {
    Parts parts;
    if (t.repeatStream < 0) {
        PartStep all;
        all.stream = t.top;
        all.bitCoding = t.streams[t.top].bitCoding;
        all.wholeStream = true;
        parts.intro.push_back(all);
        return parts;
    }
    for (auto [stream, index] : t.repeatPath) {
        PartStep step;
        step.stream = stream;
        step.from = 0;
        step.to = size_t(index);
        step.bitCoding = t.streams[stream].bitCoding;
        parts.intro.push_back(step);
    }
    for (auto it = t.repeatPath.rbegin(); it != t.repeatPath.rend(); ++it) {
        PartStep step;
        step.stream = it->first;
        step.from = size_t(it->second) + 1;
        step.to = t.streams[it->first].items.size();
        step.bitCoding = t.streams[it->first].bitCoding;
        step.pass = Pass::Ending;
        parts.ending.push_back(step);
    }
    const Stream& r = t.streams[t.repeatStream];
    parts.repeatStream = t.repeatStream;
    parts.repeatBitCoding = r.bitCoding;
    parts.introPasses = r.repeat == Repeat::Plus ? 1 : r.repeat == Repeat::CountPlus ? r.count : 0;
    for (const Item& it : r.items)
        if (it.kind == Item::Kind::Variation && it.alternatives.size() >= 3)
            parts.endingPass = true;
    return parts;
}

} // namespace qv::irp
