// The error record viewer's actions on the session: the error view, the
// zoomed code view, clearing the record and the two ways of closing.
#pragma once

namespace qv {

class Session;

// "&View Error Message": the whole record in the window, "&Clear" shown;
// captures leave it there.
void viewErrorMessage(Session& s);
// "&View zoom IR Code": the last decoded code in large bold type, without
// "&Clear"; later captures replace it.
void viewZoomCode(Session& s);
// "&Clear": the record holds one empty line, the window nothing.
void clearErrorRecord(Session& s);
// "C&lose": hidden, "&Clear" hidden, the record closed.
void closeErrorViewer(Session& s);
// Escape: hidden; the rest stays as it is.
void hideErrorViewer(Session& s);

} // namespace qv
