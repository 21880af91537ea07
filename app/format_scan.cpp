#include "app/format_scan.h"

#include "app/capture_tick.h"
#include "app/main_state.h"
#include "catalogue/format_menus.h"
#include "catalogue/format_selection.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace qv {

namespace {

// A private copy of the catalogue and a place for the error record, removed
// when the scan ends.
class ScratchDir {
public:
    ScratchDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "quorvel-scan-XXXXXX").string();
        if (mkdtemp(tmpl.data()) == nullptr)
            throw DatabaseError("cannot make a temporary folder for the scan");
        m_path = tmpl;
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const char* name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

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

ScanResult decodeWith(const FormatMenuEntry& entry, const std::vector<uint8_t>& message,
                      const std::string& catalogue, const std::string& errorRecord,
                      const ScanOptions& options) {
    Session s;
    MemoryPort port;
    s.port = &port;
    s.cataloguePath = catalogue;
    s.errorRecord.setPath(errorRecord);
    port.open(1);
    toleranceMenu(s, options.tolerancePercent);
    for (const auto& apply : options.settings)
        apply(s);
    setIrtype(s, entry.caption);

    ScanResult r;
    r.key = entry.key();
    r.caption = entry.caption;
    if (!s.CurFormat || !s.CurFormat->hasRow()) {
        r.messages = s.messages;
        return r;
    }
    if (s.CurFormat->hasField("Remark")) {
        const std::string remark = s.CurFormat->field("Remark").toText();
        r.standIn =
            remark.find("placeholder") != std::string::npos || remark.rfind("user slot:", 0) == 0;
    }
    port.receive(message);
    captureTick(s);
    r.bin = s.tBcode;
    r.hex = s.tHCode;
    r.groups = static_cast<int>(s.code.lGCyc.size());
    r.bits = countBits(s.tBcode);
    r.cells = static_cast<int>((std::min<long>(s.TimeRow, 65) - 1) * 10 + s.TimeCol - 1);
    r.firstErrors = firstErrorSet(s.ErrRcd);
    r.messages = s.messages;
    r.clean = s.ErrRcd.empty() && s.messages.empty() && countLines(s.tHCode) > 0;
    return r;
}

} // namespace

std::vector<ScanResult> scanFormats(const std::vector<uint8_t>& message,
                                    const std::string& cataloguePath, const ScanOptions& options) {
    openCatalogue(cataloguePath); // a broken catalogue is reported once, here
    ScratchDir scratch;
    const std::string copy = scratch.file("IRTime.db");
    std::error_code ec;
    std::filesystem::copy_file(cataloguePath, copy, ec);
    if (ec) throw DatabaseError(cataloguePath + ": " + ec.message());

    std::vector<ScanResult> results;
    for (const auto& entry : formatMenuEntries()) {
        const bool generic = entry.key().rfind("Form", 0) != 0;
        if (generic && !options.learn) continue;
        results.push_back(
            decodeWith(entry, message, copy, scratch.file("Error record.txt"), options));
    }
    std::stable_sort(results.begin(), results.end(), [](const ScanResult& a, const ScanResult& b) {
        if (a.clean != b.clean) return a.clean;
        if (a.clean && a.standIn != b.standIn) return !a.standIn;
        if (a.groups != b.groups) return a.groups > b.groups;
        if (a.bits != b.bits) return a.bits > b.bits;
        return a.cells > b.cells;
    });
    return results;
}

} // namespace qv
