// Any receiver message through the whole capture tick, against any row of
// the shipped catalogue, with the user's switches taken from the input.
#include "app/session.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "catalogue/format_menus.h"

#include <filesystem>
#include <set>

namespace qvfuzz {

namespace {

const std::set<std::string> kGenericKeys = {"IB", "RIB", "HL", "SE"};
// What the learner may rewrite in a generic row.
const std::set<std::string> kLearnedFields = {"X",        "stru",     "H_Bits",    "H_Osc",
                                              "H_Idle",   "Zero_Osc", "zero_Idle", "One_Osc",
                                              "One_Idle", "b_end"};

struct Fixture {
    std::string catalogue = workDir() + "/IRTime.db";
    std::string errorRecord = workDir() + "/Error record.txt";
    CatalogueRows shipped = catalogueRows(pristineCatalogue());
    std::vector<std::string> captions;
    bool dirty = true;
    Fixture() {
        for (const auto& e : qv::formatMenuEntries())
            captions.push_back(e.caption);
        captions.push_back("Form999(no row)");
    }
    // Only the learned fields of the generic rows may differ from the shipped catalogue.
    void checkCatalogue() const {
        const CatalogueRows now = catalogueRows(catalogue);
        require(now.size() == shipped.size(), "the catalogue lost or gained rows");
        for (size_t r = 0; r < now.size(); ++r) {
            require(now[r].size() == shipped[r].size(), "a catalogue row lost fields");
            const std::string& key = shipped[r].front().second;
            require(now[r].front() == shipped[r].front(), "catalogue row " + key + " changed key");
            for (size_t f = 0; f < now[r].size(); ++f)
                require(now[r][f] == shipped[r][f] ||
                            (kGenericKeys.count(key) && kLearnedFields.count(shipped[r][f].first)),
                        "field " + shipped[r][f].first + " of catalogue row " + key + " changed");
        }
    }
};

uintmax_t fileSize(const std::string& path) {
    std::error_code ec;
    const auto n = std::filesystem::file_size(path, ec);
    return ec ? 0 : n;
}

} // namespace

int captureDispatch(const uint8_t* data, size_t size) {
    static Fixture fx;
    if (fx.dirty) copyFile(pristineCatalogue(), fx.catalogue);
    fx.dirty = false;
    std::filesystem::remove(fx.errorRecord);

    ByteReader in(data, size);
    const std::string caption = fx.captions[in.byte() % fx.captions.size()];
    const uint8_t switches = in.byte();
    const uint8_t tolerance = in.byte();
    const uint8_t recordColumn = in.byte();
    const std::vector<uint8_t> message = in.rest();

    {
        qv::MemoryPort port;
        qv::MemoryCodeGrid grid;
        qv::Session s;
        s.format.cataloguePath = fx.catalogue;
        s.env.errorRecord.setPath(fx.errorRecord);
        s.env.port = &port;
        s.env.codeGrid = &grid;
        qv::startUp(s);
        qv::setIrtype(s, caption);
        s.format.automatic = switches & 1;
        s.decoding.octal = switches & 4;
        s.sample.on = switches & 8;
        s.code.cIrRec = switches & 16;
        s.code.recordCol = static_cast<int16_t>(recordColumn % 128);
        if (tolerance % 4 == 1 || tolerance % 4 == 2) {
            qv::toleranceMenu(s, tolerance % 4 == 1 ? 5 : 8);
        } else if (tolerance % 4 == 3) { // typed into the box: up to 63%
            qv::toleranceBoxEnter(s, std::to_string(tolerance >> 2) + "%");
        }
        qv::setIgnoreTime(s, switches & 2);

        for (int i = 0; i < 1 + (switches >> 5); ++i) {
            if (kGenericKeys.count(s.format.name)) fx.dirty = true; // the learner writes its row
            const uintmax_t before = fileSize(fx.errorRecord);
            port.receive(message);
            qv::captureTick(s);
            // At most one block per capture, only with "Ignore Time" unchecked.
            uintmax_t block = 0;
            if (message.size() >= 10 && !s.decoding.ignoreTime && !s.last.errorLines.empty()) {
                for (const auto& line : s.last.errorLines)
                    block += line.size() + 2;
                block += s.decoding.lineBreak.size() + 2;
            }
            require(fileSize(fx.errorRecord) - before == block,
                    "the error record did not grow by exactly this capture's block");
        }
    }
    if (fx.dirty) fx.checkCatalogue();
    return 0;
}

} // namespace qvfuzz
