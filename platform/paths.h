#pragma once

#include <string>

namespace qv {

// Directory of the running executable; the current directory when it
// cannot be found.
std::string programDirectory();

// Where the program's files lie. A portable build keeps everything beside
// its executables (the error record in the current directory). An installed
// program (its shipped files under <prefix>/share/quorvel, or a program
// directory the user cannot write) keeps the files it writes in the user's
// data directory ($XDG_DATA_HOME/quorvel or ~/.local/share/quorvel).
struct AppFiles {
    bool installed = false;
    std::string resources;    // icons, help, samples, the shipped catalogue
    std::string catalogue;    // IRTime.db the program reads and writes
    std::string codeDatabase; // IR_CODE_DB.db
    std::string errorRecord;  // "Error record.txt"
};

// Decides for the given program directory. For an installed program it
// makes the data directory and copies the shipped catalogue there when the
// user has none yet (never over an existing one). Errors while doing so
// leave the paths pointing at the data directory; opening reports them.
AppFiles locateAppFiles(const std::string& programDir);
inline AppFiles locateAppFiles() {
    return locateAppFiles(programDirectory());
}

// The user's data directory for the program.
std::string userDataDirectory();

} // namespace qv
