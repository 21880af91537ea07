// Shared fixtures of the core tests: a fresh catalogue in a temporary
// folder, a session started on it, and a command line run.
#pragma once

#include "app/main_state.h"
#include "app/session.h"
#include "catalogue/catalogue_build.h"
#include "platform/serial_port.h"
#include "tests/temp_dir.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace qvtest {

inline std::string sourcePath(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The shipped catalogue, made afresh in dir.
inline std::string freshCatalogue(const TempDir& dir) {
    std::string db = dir.file("IRTime.db");
    qv::buildCatalogueIfMissing(sourcePath("data/catalogue.sql"), db);
    return db;
}

// A started session on a fresh catalogue and a memory port, its error
// record in the same temporary folder.
struct StartedSession {
    TempDir dir;
    qv::Session s;
    qv::MemoryPort port;
    StartedSession() {
        s.env.port = &port;
        s.format.cataloguePath = freshCatalogue(dir);
        s.env.errorRecord.setPath(dir.file("Error record.txt"));
        qv::startUp(s);
    }
};

struct Run {
    int status = -1;
    std::string out; // standard output and error
};

inline Run run(const std::string& command) {
    Run r;
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        r.out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

} // namespace qvtest
