// Failures injected into a database file while the program writes it: a
// second connection holding the file locked, a rollback journal that cannot
// be created, and a file the system protects against writing.
#pragma once

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qvfault {

enum class Fault { None, LockedBySecondConnection, JournalCannotBeCreated, ReadOnlyFile };

inline const char* faultName(Fault f) {
    switch (f) {
    case Fault::None:
        return "NoFault";
    case Fault::LockedBySecondConnection:
        return "LockedBySecondConnection";
    case Fault::JournalCannotBeCreated:
        return "JournalCannotBeCreated";
    case Fault::ReadOnlyFile:
        return "ReadOnlyFile";
    }
    return "?";
}

// The catalogue's text source the tests build their catalogues from.
inline std::string& catalogueSql() {
    static std::string path = std::string(QV_SOURCE_DIR) + "/data/catalogue.sql";
    return path;
}

// A folder an unprivileged user can read, named after the test process.
inline std::filesystem::path readableFolder(pid_t testProcess) {
    return std::filesystem::temp_directory_path() /
           ("quorvel-readonly-" + std::to_string(testProcess));
}

// Runs a test body with the fault possible: the system lets root write a
// read-only file, so for root the body runs as the unprivileged user
// "nobody" in a child process, whose failures fail the test. The work tree
// may lie where that user cannot read, so the catalogue source is copied
// out first.
template <class Body> void runWithFault(Fault f, Body body) {
    if (f != Fault::ReadOnlyFile || geteuid() != 0) {
        body();
        return;
    }
    namespace fs = std::filesystem;
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const fs::path folder = readableFolder(getppid());
            std::error_code ec;
            fs::create_directories(folder, ec);
            fs::copy_file(catalogueSql(), folder / "catalogue.sql",
                          fs::copy_options::overwrite_existing, ec);
            fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
            fs::permissions(folder / "catalogue.sql",
                            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read);
            catalogueSql() = (folder / "catalogue.sql").string();
            if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
            body();
            _exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    std::error_code ec;
    fs::remove_all(readableFolder(getpid()), ec);
}

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Holds the fault from construction to destruction.
class InjectedFault {
public:
    InjectedFault(std::string path, Fault fault) : m_path(std::move(path)), m_fault(fault) {
        switch (fault) {
        case Fault::None:
            break;
        case Fault::LockedBySecondConnection:
            sqlite3_open(m_path.c_str(), &m_other);
            m_holding =
                sqlite3_exec(m_other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
            break;
        case Fault::JournalCannotBeCreated:
            // A folder where the journal file would go.
            m_holding = std::filesystem::create_directory(m_path + "-journal");
            break;
        case Fault::ReadOnlyFile:
            m_holding = chmod(m_path.c_str(), 0444) == 0;
            break;
        }
    }
    ~InjectedFault() {
        switch (m_fault) {
        case Fault::None:
            break;
        case Fault::LockedBySecondConnection:
            sqlite3_exec(m_other, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(m_other);
            break;
        case Fault::JournalCannotBeCreated: {
            std::error_code ec;
            std::filesystem::remove(m_path + "-journal", ec);
            break;
        }
        case Fault::ReadOnlyFile:
            chmod(m_path.c_str(), 0644);
            break;
        }
    }
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

    // Whether the fault is really in place.
    bool holding() const { return m_fault == Fault::None || m_holding; }

private:
    std::string m_path;
    Fault m_fault;
    sqlite3* m_other = nullptr;
    bool m_holding = false;
};

} // namespace qvfault
