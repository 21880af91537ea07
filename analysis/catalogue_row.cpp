#include "analysis/catalogue_row.h"

#include "platform/basic.h"

#include <cmath>
#include <cstdio>

namespace qv::analysis {

namespace {

std::string text(double v) {
    return fixedText(v, 0);
}

std::string fixed(double v) {
    return fixedText(v, 2);
}

// A frame's lead-in, bits, stop burst and end, when it is made of them alone.
struct Frame {
    double leadBurst = 0, leadGap = 0, stop = 0, period = 0, gap = 0;
    bool ok = false;
};

Frame frameOf(const Shape& s) {
    Frame f;
    size_t i = 0;
    const auto& it = s.items;
    if (i + 1 < it.size() && it[i].kind == Item::Time && it[i].us > 0 &&
        it[i + 1].kind == Item::Time && it[i + 1].us < 0) {
        f.leadBurst = it[i].us;
        f.leadGap = -it[i + 1].us;
        i += 2;
    }
    if (i < it.size() && it[i].kind == Item::Bits) ++i;
    if (i < it.size() && it[i].kind == Item::Time && it[i].us > 0) f.stop = it[i++].us;
    if (i + 1 != it.size()) return f;
    if (it[i].kind == Item::Extent)
        f.period = it[i].us;
    else if (it[i].us < 0)
        f.gap = -it[i].us;
    else
        return f;
    f.ok = true;
    return f;
}

} // namespace

CatalogueRow catalogueRow(const Result& r, const std::string& source) {
    CatalogueRow row;
    auto cannot = [&](std::string why) {
        row.cannot = std::move(why);
        row.fields.clear();
        return row;
    };
    if (r.coding != Coding::PulseDistance && r.coding != Coding::PulseWidth)
        return cannot(std::string("the ") + codingName(r.coding) +
                      " coding (only pulse-distance and pulse-width rows are written from an "
                      "analysis)");
    for (const auto& symbol : r.symbols)
        if (symbol.size() != 2)
            return cannot("the symbol of " + std::to_string(symbol.size() / 2) +
                          " bursts (a row's bit is one burst and one gap)");
    if (r.intro.size() != 1)
        return cannot("the intro's " + std::to_string(r.intro.size()) +
                      " frames (a row reads one)");
    const Frame f = frameOf(r.intro[0]);
    if (!f.ok)
        return cannot(
            "times inside the frame between its bits (a row has a lead-in, bits and a stop burst)");
    if (!r.ending.empty()) return cannot("the ending frame after the repeat (a row sends none)");
    if (r.repeat.size() > 1)
        return cannot("the repeat's " + std::to_string(r.repeat.size()) +
                      " frames (a row repeats one)");
    if (!r.repeat.empty() && r.repeatKind == Result::Ditto && r.repeat[0].bitCount() > 0)
        return cannot("the repeat frame's bits (a row's repeat is a ditto or the whole frame)");
    // Parts in order: an address group and a command group, each with its complement.
    std::string stru = f.leadBurst > 0 ? "H" : "";
    int c = 0, rc = 0, d = 0, rd = 0;
    char group = 0; // 'C' while the address is read, 'D' the command
    for (const Field& fld : r.fields) {
        const bool complement = fld.rule == Field::Complement;
        if (fld.role == Field::Toggle)
            return cannot("the toggle " + fld.name + " (no row field alternates)");
        if (fld.role == Field::Check && !complement)
            return cannot("the check " + checkText(r, fld) + " (a row computes no such check)");
        const char want =
            fld.role == Field::Address || (complement && group == 'C' && rc == 0 && d == 0) ? 'C'
                                                                                            : 'D';
        if (complement) {
            int& slot = group == 'C' ? rc : rd;
            if (slot) return cannot("a second complement " + checkText(r, fld));
            slot = fld.length;
            stru += std::string(",~") + group;
            continue;
        }
        if (want == 'C' && (d || rc))
            return cannot("the address " + fld.name + " after the command or a complement");
        if (want == 'D' && rd) return cannot("the command " + fld.name + " after its complement");
        if (want != group) stru += std::string(",") + want;
        group = want;
        (want == 'C' ? c : d) += fld.length;
    }
    if (f.stop > 0) stru += ",B0";
    stru += ",X";
    std::string repeat = "G";
    double dittoBurst = 0, dittoGap = 0, dittoPeriod = 0;
    if (!r.repeat.empty() && r.repeatKind == Result::Ditto) {
        const Frame dt = frameOf(r.repeat[0]);
        if (!dt.ok || dt.leadBurst == 0)
            return cannot("the repeat frame's shape (a ditto is a lead-in and a stop burst)");
        dittoBurst = dt.leadBurst;
        dittoGap = dt.leadGap;
        dittoPeriod = dt.period;
        stru += ",H2,B0,X";
        repeat = "H&E";
    }
    const auto& s = r.symbols;
    const double carrier = r.carrierHz > 0 ? r.carrierHz : 38000;
    const double frameGap = f.period > 0 ? 15000 : std::max(5000.0, std::min(15000.0, 0.8 * f.gap));
    row.fields = {
        {"Type", r.coding == Coding::PulseDistance ? "IB" : "RIB"},
        {"stru", stru},
        {"Alias", "analysed"},
        {"H_Osc", text(f.leadBurst)},
        {"H_Idle", text(f.leadGap)},
        {"G2H_Osc", text(dittoBurst)},
        {"G2H_Idle", text(dittoGap)},
        {"HB2_Osc", "0"},
        {"HB2_Idle", "0"},
        {"H_Bits", f.leadBurst > 0 ? "1" : "0"},
        {"S_Bits", "0"},
        {"T", "0"},
        {"Instance", "0"},
        {"F", "0"},
        {"Fix_Time", "0"},
        {"f_sit", "0"},
        {"Zero_Osc", text(s[0][0] * r.unit)},
        {"zero_Idle", text(-s[0][1] * r.unit)},
        {"One_Osc", text(s[1][0] * r.unit)},
        {"One_Idle", text(-s[1][1] * r.unit)},
        {"C", std::to_string(c)},
        {"R_C", std::to_string(rc)},
        {"D", std::to_string(d)},
        {"R_D", std::to_string(rd)},
        {"CF_T", fixed(1e6 / carrier)},
        {"CF_Osc", fixed(1e6 / carrier / 3)},
        {"T1", text(f.period)},
        {"G2_T", text(dittoPeriod)},
        {"E_Osc", "---"},
        {"E_Idle", "---"},
        {"b_end", text(f.stop)},
        {"X", text(frameGap)},
        {"Repeat", repeat},
        {"convert", r.msb ? "N" : "Y"},
        {"G_count", "0"},
        {"Remark", "analysed from " + source},
        // What the slot held of an earlier row goes.
        {"Bits", ""},
        {"zero_HL", ""},
        {"One_HL", ""},
        {"T_Time", "0"},
        {"Quirks", ""},
    };
    return row;
}

} // namespace qv::analysis
