// "Which format is this?": one capture decoded against every catalogue row,
// each as the program would decode it just after selecting that row,
// ranked by how well it fits.
#pragma once

#include "engine/decode.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class Session;

struct ScanResult {
    std::string key;      // "Form016"
    std::string caption;  // the menu caption, "Form016(NEC N-8)"
    bool clean = false;   // a code and no error line
    bool standIn = false; // a placeholder row (its remark says so), ranked after real formats
    // A generic row: it learns its times from the capture, so it always fits.
    // Ranked after every named row that fits; learned, not matched.
    bool learned = false;
    int groups = 0; // groups that reached their end
    int bits = 0;   // code bits shown
    int cells = 0;  // capture cells the walk got through
    std::string bin, hex;
    std::vector<std::string> firstErrors; // the first error set
    std::vector<std::string> messages;
};

struct ScanOptions {
    bool learn = false;       // also try the generic formats, which learn from the capture
    int tolerancePercent = 3; // the tolerance menu to use: 3, 5 or 8
    // Applied to each row's decode settings after the tolerance menu's, in
    // order (the demodulated-capture settings, for one).
    std::vector<std::function<void(engine::DecodeSettings&)>> settings = {};
};

// The time and cycle tolerances the tolerance menu sets (3, 5 or 8; any
// other value is 3), on otherwise default settings.
engine::DecodeSettings toleranceMenuSettings(int tolerancePercent);

// Decodes the receiver message against every row of the catalogue (the file
// is not changed: learning works on a copy) and returns the rows ranked:
// clean decodes first (real formats, then placeholder rows, then generic
// rows that learned the capture), then by groups, bits and cells reached.
// A row missing from the catalogue says so in its messages. Throws
// DatabaseError when the catalogue cannot be read.
std::vector<ScanResult> scanFormats(const std::vector<uint8_t>& message,
                                    const std::string& cataloguePath,
                                    const ScanOptions& options = {});

// How a row fits, as the scan lists it: "clean", "clean*" (a placeholder),
// "learned" (a generic row) or "fails".
const char* fitLabel(const ScanResult& r);

// The window's hint after a capture: the best-ranked real format (no
// placeholder, no generic row) that decodes the capture cleanly at the
// session's tolerance menu (and its demodulated-capture settings when on);
// the window shows it when it is not the selected format. Touches neither
// the catalogue file nor the error record; nullopt without a capture, a
// readable catalogue or a clean fit.
std::optional<ScanResult> alsoFits(const Session& s);

} // namespace qv
