// The one temporary folder of the test suites: made afresh, removed with
// everything in it when the object goes.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace qvtest {

class TempDir {
public:
    TempDir() {
        // Memory-backed when the system has it: catalogues commit often.
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec) || access(base.c_str(), W_OK) != 0)
            base = std::filesystem::temp_directory_path();
        std::string tmpl = (base / "quorvel-test-XXXXXX").string();
        if (!mkdtemp(tmpl.data()))
            throw std::runtime_error("cannot make a folder in " + base.string());
        m_path = tmpl;
    }
    ~TempDir() {
        // A test may have taken its own rights away to make writing fail.
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const {
        return (std::filesystem::path(m_path) / name).string();
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace qvtest
