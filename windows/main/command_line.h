// What the program's command line asks for, read before and after Qt takes
// its own options out.
#pragma once

#include "windows/main/colours.h"

#include <QSize>
#include <QStringList>

namespace qv {

struct CommandLine {
    QStringList files;       // captures to open, in order; the last one shows
    bool help = false;       // print the usage and end, no window
    bool scan = false;       // the scan window over the last capture
    bool statistics = false; // the statistics window over the captures opened
    ColourScheme colours = ColourScheme::Desktop;
    QSize size;         // of the main window; invalid: its default
    QString screenshot; // save the front window's picture there and end
    QString error;      // what was refused; empty when all was understood
};

// args[0] is the program. "--port COMn=DEVICE" is left to the link, which
// reads it from the same list.
CommandLine parseCommandLine(const QStringList& args);

// True when the raw arguments ask for the usage: answered before a display is needed.
bool asksForHelp(int argc, const char* const* argv);

QString usageText();

} // namespace qv
