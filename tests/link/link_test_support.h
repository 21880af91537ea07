// Fixtures of the link tests: a started session on a port that logs what
// the link does to it, and a fresh catalogue in a temporary folder.
#pragma once

#include "app/capture_reader.h"
#include "app/main_state.h"
#include "catalogue/catalogue_build.h"

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace linktest {

class TempDir {
public:
    TempDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "quorvel-link-XXXXXX").string();
        m_path = mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const {
        return (std::filesystem::path(m_path) / name).string();
    }

private:
    std::string m_path;
};

inline std::string sourcePath(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

// A memory port that also keeps the order of what was done to it.
class LoggingPort : public qv::MemoryPort {
public:
    bool open(int n) override {
        m_log.push_back("open " + std::to_string(n));
        return MemoryPort::open(n);
    }
    void close() override {
        m_log.push_back("close");
        MemoryPort::close();
    }
    bool write(const std::string& text) override {
        m_log.push_back("write " + text);
        return MemoryPort::write(text);
    }
    void clearBuffers() override {
        m_log.push_back("clear");
        MemoryPort::clearBuffers();
    }
    const std::vector<std::string>& log() const { return m_log; }
    void clearLog() { m_log.clear(); }

private:
    std::vector<std::string> m_log;
};

// A session after start-up (format "Form016", COM1 chosen) on a LoggingPort.
struct StartedSession {
    TempDir dir;
    qv::Session s;
    LoggingPort port;
    explicit StartedSession(int missingPort = 0) {
        s.cataloguePath = dir.file("IRTime.db");
        s.errorRecord.setPath(dir.file("Error record.txt")); // not the folder tests share
        qv::buildCatalogueIfMissing(sourcePath("data/catalogue.sql"), s.cataloguePath);
        s.port = &port;
        port.setMissingPort(missingPort);
        qv::startUp(s);
        port.clearLog();
    }
};

// The shipped NEC key press as the unit sends it.
inline std::vector<uint8_t> necMessage() {
    return qv::readCaptureFile(sourcePath("data/samples/nec-00-12.txt"));
}

} // namespace linktest
