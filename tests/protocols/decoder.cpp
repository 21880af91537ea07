#include "decoder.h"
#include "tests/temp_dir.h"

#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "app/session.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue_build.h"
#include "catalogue/format_menus.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace qvproto {

using qvtest::TempDir;

namespace {

const TempDir& folder() {
    static const TempDir dir;
    return dir;
}

std::vector<std::string> boxLines(const std::string& text, const std::string& lineBreak) {
    std::vector<std::string> out;
    size_t p = 0;
    while (p < text.size()) {
        size_t e = text.find(lineBreak, p);
        if (e == std::string::npos) e = text.size();
        out.push_back(text.substr(p, e - p));
        p = e + lineBreak.size();
    }
    return out;
}

} // namespace

const std::string& freshCatalogue() {
    static const std::string path = [] {
        const std::string db = folder().file("IRTime.db");
        qv::buildCatalogueIfMissing(std::string(QV_SOURCE_DIR) + "/data/catalogue.sql", db);
        return db;
    }();
    return path;
}

Decoded decode(const std::string& key, const std::vector<int64_t>& times, int tolerancePercent,
               const std::function<void(qv::Session&)>& inspect,
               const std::function<void(qv::Session&)>& prepare) {
    const qv::FormatMenuEntry* entry = qv::findFormatEntry(key);
    if (!entry) throw std::invalid_argument("no menu entry " + key);

    qv::Session s;
    qv::MemoryPort port;
    qv::MemoryCodeGrid grid;
    s.port = &port;
    s.codeGrid = &grid;
    s.cataloguePath = freshCatalogue();
    s.errorRecord.setPath(folder().file("Error record.txt"));
    qv::startUp(s);
    qv::setIrtype(s, entry->caption);
    qv::toleranceMenu(s, tolerancePercent);
    if (prepare) prepare(s);

    const size_t cycles = s.code.lGCyc.size(), shown = s.messages.size();
    port.receive(qv::messageFromTimes(times));
    s.setTimers(true, false); // the port's receive event
    qv::captureTick(s);

    Decoded d;
    d.binary = boxLines(s.tBcode, s.CrLf);
    d.hex = boxLines(s.tHCode, s.CrLf);
    d.errors = s.ErrRcd;
    d.cycles.assign(s.code.lGCyc.begin() + static_cast<long>(cycles), s.code.lGCyc.end());
    d.messages.assign(s.messages.begin() + static_cast<long>(shown), s.messages.end());
    if (inspect) inspect(s);
    return d;
}

double cycleTime(const std::string& line) {
    const size_t colon = line.rfind(':');
    return colon == std::string::npos ? -1 : std::atof(line.c_str() + colon + 1);
}

} // namespace qvproto
