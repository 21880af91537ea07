#include "platform/paths.h"

#include "platform/whole_file.h"

#include <cstdlib>
#include <filesystem>

namespace qv {

namespace fs = std::filesystem;

std::string programDirectory() {
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec).string();
    return exe.parent_path().string();
}

std::string userDataDirectory() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return (fs::path(xdg) / "quorvel").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".local" / "share" / "quorvel").string();
    return (fs::temp_directory_path() / "quorvel").string();
}

AppFiles locateAppFiles(const std::string& programDir) {
    AppFiles f;
    const fs::path dir(programDir);
    const fs::path shared = dir.parent_path() / "share" / "quorvel";
    std::error_code ec;
    // The layout alone decides, never who runs the program: a build keeps
    // the catalogue beside its executables; an installed program has its
    // shipped files under share/.
    const bool besideProgram = fs::exists(dir / "IRTime.db", ec) || !fs::exists(shared, ec);
    f.resources = besideProgram ? dir.string() : shared.string();
    if (besideProgram) {
        f.catalogue = (dir / "IRTime.db").string();
        f.codeDatabase = (dir / "IR_CODE_DB.db").string();
        f.errorRecord = "Error record.txt";
        f.protocolFiles = (dir / "Protocol files.txt").string();
        return f;
    }
    f.installed = true;
    const fs::path data(userDataDirectory());
    f.catalogue = (data / "IRTime.db").string();
    f.codeDatabase = (data / "IR_CODE_DB.db").string();
    f.errorRecord = (data / "Error record.txt").string();
    f.protocolFiles = (data / "Protocol files.txt").string();
    if (fs::exists(f.catalogue, ec)) return f;
    // Copied beside, then renamed: a half-copied catalogue never appears.
    const fs::path source = fs::path(f.resources) / "IRTime.db";
    fs::create_directories(data, ec);
    const std::string why = ec ? ec.message() : copyFileWhole(source.string(), f.catalogue);
    if (!why.empty())
        f.problem = "the shipped catalogue " + source.string() + " could not be copied to " +
                    f.catalogue + ": " + why;
    return f;
}

} // namespace qv
