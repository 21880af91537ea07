#pragma once

#include <string>

namespace qv {

// Directory of the running executable; the current directory when it
// cannot be found.
std::string programDirectory();

// Where the program's files lie; the layout decides, not who runs it. A
// portable build (its catalogue beside the executables, or no
// ../share/quorvel) keeps everything beside its executables and the error
// record in the current directory. An installed program (its shipped files
// under <prefix>/share/quorvel) keeps the files it writes in the user's data
// directory ($XDG_DATA_HOME/quorvel or ~/.local/share/quorvel).
struct AppFiles {
    bool installed = false;
    std::string resources;     // icons, help, samples, the shipped catalogue
    std::string catalogue;     // IRTime.db the program reads and writes
    std::string codeDatabase;  // IR_CODE_DB.db
    std::string errorRecord;   // "Error record.txt"
    std::string protocolFiles; // "Protocol files.txt": the user's IRP protocol files, kept
    std::string problem;       // why the first start's copy failed; empty when it did not
};

// Decides for the given program directory. For an installed program it
// makes the data directory and copies the shipped catalogue there when the
// user has none yet (never over an existing one). A copy that fails leaves
// the paths pointing at the data directory and says why in `problem`.
AppFiles locateAppFiles(const std::string& programDir);
inline AppFiles locateAppFiles() {
    return locateAppFiles(programDirectory());
}

// The user's data directory for the program.
std::string userDataDirectory();

} // namespace qv
