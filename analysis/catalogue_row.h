// An analysed protocol as a catalogue row, where a row can read it.
#pragma once

#include "analysis/analysis.h"

#include <string>
#include <utility>
#include <vector>

namespace qv::analysis {

struct CatalogueRow {
    // Field name and its text, in the order they are written.
    std::vector<std::pair<std::string, std::string>> fields;
    // Empty when the row holds the protocol; else which part of the IRP no
    // row field can hold.
    std::string cannot;
};

// The row of a pulse-distance (IB) or pulse-width (RIB) protocol of one
// frame: lead-in, an address and a command with their complements, a stop
// burst, a ditto or the whole frame as repeat. source names where it was
// analysed from (the remark).
CatalogueRow catalogueRow(const Result& result, const std::string& source);

} // namespace qv::analysis
