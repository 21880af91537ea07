#include "engine/row_quirks.h"

#include "catalogue/catalogue.h"
#include "platform/basic.h"

#include <string>

namespace qv::engine {

namespace {

// The one table of the words and what each sets.
struct Word {
    std::string_view word;
    void (*apply)(RowQuirks&);
};
constexpr Word kWords[] = {
    {"open-data", [](RowQuirks& q) { q.openData = true; }},
    {"head-outside-cycle", [](RowQuirks& q) { q.headOutsideCycle = true; }},
    {"start-one", [](RowQuirks& q) { q.startOne = true; }},
    {"start-inverted", [](RowQuirks& q) { q.startInverted = true; }},
    {"toggle-gap-inverts", [](RowQuirks& q) { q.toggleGapInverts = true; }},
    {"half-gap-keeps", [](RowQuirks& q) { q.halfGapKeeps = true; }},
    {"customer-one", [](RowQuirks& q) { q.customerOne = true; }},
    {"data-end-bit", [](RowQuirks& q) { q.dataEndBit = true; }},
    {"data-lead-in-gap", [](RowQuirks& q) { q.dataLeadInGap = true; }},
    {"data-lead-one", [](RowQuirks& q) { q.dataLeadOne = true; }},
    {"mis-runs", [](RowQuirks& q) { q.mis = MisVariant::Runs; }},
    {"mis-triple-pair", [](RowQuirks& q) { q.mis = MisVariant::TriplePair; }},
    {"mis-extra-pair", [](RowQuirks& q) { q.mis = MisVariant::GapExtraPair; }},
    {"code-rc5", [](RowQuirks& q) { q.codeLine = CodeLine::Rc5; }},
    {"code-rc5x", [](RowQuirks& q) { q.codeLine = CodeLine::Rc5x; }},
    {"code-5-3", [](RowQuirks& q) { q.codeLine = CodeLine::Last5First3; }},
    {"code-1-8-7", [](RowQuirks& q) { q.codeLine = CodeLine::Bit8And7; }},
};

} // namespace

RowQuirks quirksOf(std::string_view words) {
    RowQuirks q;
    while (!words.empty()) {
        const size_t comma = words.find(',');
        const std::string word = trimBlanks(std::string(words.substr(0, comma)));
        words = comma == std::string_view::npos ? std::string_view() : words.substr(comma + 1);
        for (const Word& w : kWords)
            if (w.word == word) w.apply(q);
    }
    return q;
}

RowQuirks quirksOf(const FormatRow& row) {
    // A catalogue that could not be given the column reads as shipped.
    const FieldValue* v = row.find(kQuirksColumn);
    return v ? quirksOf(v->toText()) : quirksOf(shippedQuirks(row.key()));
}

} // namespace qv::engine
