#include "app/format_scan.h"

#include "app/session.h"

#include "app/capture_loader.h"
#include "app/dispatch.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "catalogue/format_menus.h"
#include "engine/decode.h"
#include "platform/basic.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace qv {

namespace {

int countBits(const std::string& text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return c == '0' || c == '1'; }));
}

int countLines(const std::string& text) {
    int n = 0;
    for (size_t p = text.find('\n'); p != std::string::npos; p = text.find('\n', p + 1))
        ++n;
    return n;
}

// The first error report: its first line and the value lines under it.
std::vector<std::string> firstErrorSet(const std::vector<std::string>& lines) {
    std::vector<std::string> set;
    for (const auto& line : lines) {
        if (!set.empty() && (line.rfind("Group ", 0) == 0 && !line.empty() && line.back() == '!'))
            break;
        set.push_back(line);
        if (set.size() == 1 && line.find("wrong") != std::string::npos && line.back() != ':') break;
        if (set.size() == 4) break;
    }
    return set;
}

} // namespace

engine::DecodeSettings toleranceMenuSettings(int tolerancePercent) {
    engine::DecodeSettings d;
    switch (tolerancePercent) {
    case 5:
        d.window.tolerance = 0.05f;
        d.cycleTolerance = 1000;
        break;
    case 8:
        d.window.tolerance = 0.08f;
        d.cycleTolerance = 1500;
        break;
    default:
        d.window.tolerance = engine::kDefaultTolerance;
        d.cycleTolerance = engine::kDefaultCycleTolerance;
        break;
    }
    return d;
}

namespace {

struct Row {
    bool found = false;
    engine::FormatRow row;
};

Row rowOf(TableCursor& catalogue, const std::string& key) {
    Row r;
    r.found = catalogue.seek(key);
    if (r.found) r.row = engine::FormatRow::fromCursor(catalogue);
    return r;
}

// Whether the row's wait time tells frames apart; the tick selects
// "Form016" for a drawn capture when it does not.
bool hasWaitTime(const engine::FormatRow& row) {
    const FieldValue* x = row.find("X");
    return x && x->toNumber().has_value();
}

ScanResult decodeWith(const FormatMenuEntry& entry, const TimeTable* times, TableCursor& catalogue,
                      const engine::FormatRow& fallback, const ScanOptions& options) {
    ScanResult r;
    r.key = entry.key();
    r.caption = entry.caption;
    Row selected = rowOf(catalogue, entry.key());
    if (!selected.found) {
        r.messages.push_back("the catalogue has no row " + r.key);
        return r;
    }
    if (const FieldValue* remark = selected.row.find("Remark")) {
        const std::string text = remark->toText();
        r.standIn =
            text.find("placeholder") != std::string::npos || text.rfind("user slot:", 0) == 0;
    }
    if (!times) return r; // too short to be a capture

    engine::DecodeSettings settings = toleranceMenuSettings(options.tolerancePercent);
    for (const auto& apply : options.settings)
        apply(settings);
    const engine::FormatRow* row = &selected.row;
    const bool drawn =
        !(leadingNumber(times->cell(1, 1)) == 0 && leadingNumber(times->cell(1, 2)) == 0);
    bool generic = entry.caption == entry.key();
    if (drawn && !hasWaitTime(selected.row)) {
        row = &fallback;
        generic = false;
    }
    if (row->present()) {
        const FieldValue* convert = row->find("convert");
        settings.readOrder = !(convert && convert->toText() == "Y");
    }
    settings.learn = generic;
    settings.annotate = false; // a scan reports lines, not where each time fell
    const engine::DecodeResult d = engine::decode(*times, *row, settings);

    std::vector<std::string> errors = d.errorLines();
    // A logger behind a demodulating receiver often keeps the first frame only.
    if (auto quick = settings.demodulated ? std::nullopt : quickPressReport(*row, d.groupNo))
        for (auto& line : formatReport(*quick))
            errors.push_back(std::move(line));
    r.bin = d.binary;
    r.hex = d.hex;
    r.groups = static_cast<int>(d.cycles.size());
    r.bits = countBits(d.binary);
    r.cells = static_cast<int>((std::min<long>(d.row, 65) - 1) * 10 + d.col - 1);
    r.firstErrors = firstErrorSet(errors);
    r.messages = d.messages;
    r.clean = errors.empty() && d.messages.empty() && countLines(d.hex) > 0;
    return r;
}

} // namespace

std::vector<ScanResult> scanFormats(const std::vector<uint8_t>& message,
                                    const std::string& cataloguePath, const ScanOptions& options) {
    // A broken catalogue is reported once, here. Learning rows learn into
    // the values decoded, never into the file.
    std::unique_ptr<TableCursor> catalogue = openCatalogue(cataloguePath);
    std::unique_ptr<TimeTable> times;
    if (message.size() >= kShortestMessage) {
        times = std::make_unique<TimeTable>();
        loadTimeTable(*times, decodePairs(message, kReceiverTicksPerUsSingle));
    }
    const engine::FormatRow fallback = rowOf(*catalogue, std::string(kDefaultFormatKey)).row;

    std::vector<ScanResult> results;
    for (const auto& entry : formatMenuEntries()) {
        const bool generic = entry.key().rfind("Form", 0) != 0;
        if (generic && !options.learn) continue;
        results.push_back(decodeWith(entry, times.get(), *catalogue, fallback, options));
        results.back().learned = generic;
    }
    // Among clean fits a row that only learned the capture matches nothing.
    auto place = [](const ScanResult& r) { return r.learned ? 2 : r.standIn ? 1 : 0; };
    std::stable_sort(results.begin(), results.end(), [&](const ScanResult& a, const ScanResult& b) {
        if (a.clean != b.clean) return a.clean;
        if (a.clean && place(a) != place(b)) return place(a) < place(b);
        if (a.groups != b.groups) return a.groups > b.groups;
        if (a.bits != b.bits) return a.bits > b.bits;
        return a.cells > b.cells;
    });
    return results;
}

const char* fitLabel(const ScanResult& r) {
    if (!r.clean) return "fails";
    return r.learned ? "learned" : r.standIn ? "clean*" : "clean";
}

std::optional<ScanResult> alsoFits(const Session& s) {
    if (s.last.capture.message.size() < kShortestMessage) return std::nullopt;
    ScanOptions options;
    options.tolerancePercent = s.decoding.timeTolerance >= single(0.08)   ? 8
                               : s.decoding.timeTolerance >= single(0.05) ? 5
                                                                          : 3;
    if (s.decoding.demod.on)
        options.settings.push_back(
            [settings = s.decoding.demod.settings](engine::DecodeSettings& d) {
                applyDemodSettings(d, settings);
            });
    std::vector<ScanResult> ranked;
    try {
        ranked = scanFormats(s.last.capture.message, s.format.cataloguePath, options);
    } catch (const DatabaseError&) {
        return std::nullopt;
    }
    for (ScanResult& r : ranked) {
        if (!r.clean) break; // clean ones come first
        if (!r.standIn && !r.learned) return std::move(r);
    }
    return std::nullopt;
}

} // namespace qv
