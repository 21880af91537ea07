#include "platform/paths.h"

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
        return f;
    }
    f.installed = true;
    const fs::path data(userDataDirectory());
    f.catalogue = (data / "IRTime.db").string();
    f.codeDatabase = (data / "IR_CODE_DB.db").string();
    f.errorRecord = (data / "Error record.txt").string();
    if (fs::exists(f.catalogue, ec)) return f;
    // Copy beside, then rename: a half-copied catalogue never appears.
    const fs::path source = fs::path(f.resources) / "IRTime.db";
    const fs::path tmp = data / "IRTime.db.tmp";
    fs::create_directories(data, ec);
    if (!ec) fs::copy_file(source, tmp, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(tmp, f.catalogue, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        f.problem = "the shipped catalogue " + source.string() + " could not be copied to " +
                    f.catalogue + ": " + ec.message();
    }
    return f;
}

} // namespace qv
