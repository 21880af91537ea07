// quorvel-cli analyse --save FormNNN: the analysed protocol written into a
// user slot of the catalogue, where a row can hold it.
#include "app/analysed_protocol.h"
#include "tools/cli_commands.h"

#include <cstdio>

namespace qv {

int saveAnalysedRow(const analysis::Result& result, const std::string& slot,
                    const std::string& source, bool json, const std::string& catalogue) {
    const SavedFormat saved = saveAnalysedFormat(result, slot, source, catalogue);
    switch (saved.outcome) {
    case SavedFormat::Saved:
    case SavedFormat::NotHeld:
        std::fprintf(json ? stderr : stdout, "%s\n", saved.line.c_str());
        break;
    case SavedFormat::NotUserSlot:
    case SavedFormat::Failed:
        std::fprintf(stderr, "quorvel-cli: %s\n", saved.line.c_str());
        break;
    }
    return saved.outcome == SavedFormat::Saved         ? 0
           : saved.outcome == SavedFormat::NotUserSlot ? 2
                                                       : 1;
}

} // namespace qv
