// An analysed protocol kept: appended to a protocol file of the IRP table's
// form, or written into a user slot of the format catalogue. The command
// line and the analysis window both keep it so.
#pragma once

#include "analysis/analysis.h"

#include <string>

namespace qv {

// "analysed-NAME", NAME the stem of the first file analysed.
std::string analysedProtocolName(const std::string& firstFile);

// Adds the protocol to a protocol file of the IRP table's form (name, IRP,
// then the table's other columns left empty); a new file gets the header
// line first. False when the file cannot be written.
bool appendProtocol(const std::string& path, const std::string& name, const std::string& irp);

struct SavedFormat {
    enum Outcome {
        Saved,   // "Form155 saved: <the row's structure>"
        NotHeld, // "Form155 not saved: no row field holds ..."
        NotUserSlot,
        Failed, // the catalogue has no row for it or refused the write
    } outcome = Failed;
    std::string line; // what to tell the user, without a program name
};

// Writes the result into a user slot (Form155 to Form160) of the catalogue at
// cataloguePath (empty: the program's own, looked for only once the row is
// known to be written), with the remark "analysed from SOURCE". Anything but
// Saved leaves the catalogue as it was.
SavedFormat saveAnalysedFormat(const analysis::Result& result, const std::string& slot,
                               const std::string& source, const std::string& cataloguePath);

} // namespace qv
