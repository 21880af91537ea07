// quorvel-cli analyse --save FormNNN: the analysed protocol written into a
// user slot of the catalogue, where a row can hold it.
#include "analysis/catalogue_row.h"
#include "app/format_editor.h"
#include "catalogue/catalogue.h"
#include "platform/paths.h"
#include "tools/cli_commands.h"

#include <algorithm>
#include <cstdio>

namespace qv {

int saveAnalysedRow(const analysis::Result& result, const std::string& slot,
                    const std::string& source, bool json, const std::string& catalogue) {
    FILE* out = json ? stderr : stdout;
    const auto& slots = userSlots();
    if (std::find(slots.begin(), slots.end(), slot) == slots.end()) {
        std::fprintf(
            stderr,
            "quorvel-cli: %s is not a user format; only Form155 to Form160 can be written\n",
            slot.c_str());
        return 2;
    }
    const analysis::CatalogueRow row = analysis::catalogueRow(result, source);
    if (!row.cannot.empty()) {
        std::fprintf(out, "%s not saved: no row field holds %s\n", slot.c_str(),
                     row.cannot.c_str());
        return 1;
    }
    try {
        auto cursor = openCatalogue(catalogue.empty() ? locateAppFiles().catalogue : catalogue);
        if (!cursor->seek(slot)) {
            std::fprintf(stderr, "quorvel-cli: %s was not saved: the catalogue has no row for it\n",
                         slot.c_str());
            return 1;
        }
        cursor->edit();
        try {
            for (const auto& [field, value] : row.fields)
                cursor->setFieldText(field, value);
            cursor->update();
        } catch (...) {
            cursor->cancelEdit();
            throw;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvel-cli: %s was not saved: %s\n", slot.c_str(), e.what());
        return 1;
    }
    std::fprintf(out, "%s saved: %s\n", slot.c_str(), row.fields[1].second.c_str());
    return 0;
}

} // namespace qv
