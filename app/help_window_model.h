// The zoomed code / error record window as the session keeps it.
#pragma once

#include <string>

namespace qv {

// The error record viewer / zoomed code window (Form_help).
struct HelpWindowModel {
    bool visible = false;
    std::string caption = "help";
    std::string Text1;
    bool showsRecord = false; // the error record is shown, not the code
    int fontSize = 8;
    bool bold = false;
    bool cClearVisible = false;
};

} // namespace qv
