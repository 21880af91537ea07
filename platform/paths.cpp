#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

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
    // A build keeps the catalogue beside its executables; an installed
    // program has its shipped files under share/.
    const bool besideProgram = fs::exists(dir / "IRTime.db", ec) || !fs::exists(shared, ec);
    f.resources = besideProgram ? dir.string() : shared.string();
    if (besideProgram && access(programDir.c_str(), W_OK) == 0) {
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
    fs::create_directories(data, ec);
    if (!fs::exists(f.catalogue, ec)) {
        // Copy beside, then rename: a half-copied catalogue never appears.
        const fs::path tmp = data / "IRTime.db.tmp";
        if (fs::copy_file(fs::path(f.resources) / "IRTime.db", tmp,
                          fs::copy_options::overwrite_existing, ec))
            fs::rename(tmp, f.catalogue, ec);
    }
    return f;
}

} // namespace qv
