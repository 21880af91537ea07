#include "windows/errorlog/error_viewer.h"

#include "app/session.h"

namespace qv {

void viewErrorMessage(Session& s) {
    HelpWindowModel& h = s.help;
    h.cClearVisible = true;
    h.showsRecord = true;
    h.visible = true;
    h.caption = "Error Message Record";
    h.fontSize = 8;
    h.bold = false;
    try {
        h.Text1 = s.env.errorRecord.readAll(); // a missing record reads as empty
    } catch (const ErrorRecordError& e) {
        h.Text1.clear();
        s.message(e.what());
    }
    s.changed();
}

void viewZoomCode(Session& s) {
    HelpWindowModel& h = s.help;
    h.caption = "Zoom in IR code";
    h.fontSize = 24;
    h.bold = true;
    h.visible = true;
    // The code, not the record: "&Clear" would empty a record not shown.
    h.showsRecord = false;
    h.cClearVisible = false;
    h.Text1 = s.last.codeLines(s.decoding.lineBreak);
    s.changed();
}

void clearErrorRecord(Session& s) {
    try {
        s.env.errorRecord.clear();
        s.help.Text1.clear();
    } catch (const ErrorRecordError& e) {
        s.message(e.what());
    }
    s.changed();
}

void closeErrorViewer(Session& s) {
    s.help.visible = false;
    s.help.cClearVisible = false;
    s.env.errorRecord.close();
    s.changed();
}

void hideErrorViewer(Session& s) {
    s.help.visible = false;
    s.changed();
}

} // namespace qv
