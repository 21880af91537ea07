// quorvel-cli's file commands: convert between capture files, scan, and
// refuse what is no capture, run as a user runs them in a folder of their own.
#include "platform/table_cursor.h"
#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>
#include <thread>

namespace {

std::string q(const std::string& path) {
    return "'" + path + "'";
}

struct CliFiles : ::testing::Test {
    qvtest::TempDir dir;
    std::string catalogue = qvtest::freshCatalogue(dir);
    std::string sample = qvtest::sourcePath("data/samples/nec-00-12.txt");
    qvtest::Run cli(const std::string& args) const {
        return qvtest::run("cd " + q(dir.path()) + " && " + QV_CLI + " " + args);
    }
    std::string decodeHex(const std::string& file) const {
        const auto r =
            cli("decode --format Form016 --catalogue " + q(catalogue) + " --json " + q(file));
        EXPECT_EQ(r.status, 0) << r.out;
        const auto at = r.out.find("\"hex\": ");
        return at == std::string::npos ? r.out : r.out.substr(at, r.out.find(',', at) - at);
    }
};

// \n, \a and \xHH in a case's content.
std::string unescaped(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
        } else if (s[++i] == 'x') {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += s[i] == 'n' ? '\n' : s[i] == 'a' ? '\a' : s[i];
        }
    }
    return out;
}

} // namespace

TEST_F(CliFiles, EveryKindConvertsAndDecodesToTheSameCodeLinesAndBack) {
    const std::string expected = decodeHex(sample);
    EXPECT_NE(expected.find("00 FF 12 ED"), std::string::npos) << expected;
    // Each kind from the sample; bin -> text -> bin keeps the bytes, text ->
    // text and Pronto -> capture -> Pronto are stable.
    const char* steps[][2] = {{"", "a.bin"},           {"", "a.txt"},      {"", "a.raw"},
                              {"", "a.mode2"},         {"", "a.pronto"},   {"a.bin", "b.txt"},
                              {"b.txt", "b.bin"},      {"b.bin", "c.txt"}, {"a.pronto", "b.pronto"},
                              {"b.pronto", "c.pronto"}};
    for (auto [in, to] : steps) {
        const std::string from = *in ? in : sample;
        ASSERT_EQ(cli("convert " + q(from) + " " + q(to)).status, 0) << to;
        EXPECT_EQ(decodeHex(dir.file(to)), expected) << to;
    }
    EXPECT_EQ(qvtest::fileText(dir.file("a.bin")), qvtest::fileText(dir.file("b.bin")));
    EXPECT_EQ(qvtest::fileText(dir.file("b.txt")), qvtest::fileText(dir.file("c.txt")));
    EXPECT_EQ(qvtest::fileText(dir.file("c.pronto")), qvtest::fileText(dir.file("b.pronto")));
    // Every word of a Pronto code comes back but the gap after the last
    // burst, which is worked out again from the frame period.
    const std::string a = qvtest::fileText(dir.file("a.pronto")),
                      b = qvtest::fileText(dir.file("b.pronto"));
    EXPECT_EQ(a.substr(0, 20), "0000 006C 0022 0002 ");
    const auto last = a.rfind(' ');
    ASSERT_EQ(last, b.rfind(' '));
    EXPECT_EQ(a.substr(0, last), b.substr(0, last));
    EXPECT_NEAR(std::stol(a.substr(last + 1), nullptr, 16),
                std::stol(b.substr(last + 1), nullptr, 16),
                std::stol(a.substr(last + 1), nullptr, 16) / 100.0);
}

TEST_F(CliFiles, RefusesOrSaysWhatChangesNamingTheFileAndTheReason) {
    std::ifstream table(qvtest::sourcePath("tests/data/core/cli-refusals.txt"));
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        for (size_t at = 0, bar;; at = bar + 3) {
            bar = line.find(" | ", at);
            f.push_back(line.substr(at, bar == std::string::npos ? bar : bar - at));
            if (bar == std::string::npos) break;
        }
        ASSERT_EQ(f.size(), 6u) << line;
        const std::string name = f[0], path = dir.file(f[1]), content = f[2];
        if (!f[1].empty()) std::filesystem::remove_all(path);
        std::filesystem::remove(dir.file("out.txt"));
        if (content == "@folder") {
            std::filesystem::create_directory(path);
        } else if (content == "@zero") {
            std::filesystem::create_symlink("/dev/zero", path);
        } else if (content.rfind("@sql:", 0) == 0) {
            std::filesystem::copy_file(catalogue, path);
            qv::Database::open(path)->exec(content.substr(5));
        } else if (!f[1].empty()) {
            std::ofstream(path, std::ios::binary) << unescaped(content);
        }
        std::vector<std::string> commands;
        for (const char* cmd : {"load {F}", "decode --format Form016 --catalogue {C} {F}",
                                "scan --catalogue {C} {F}", "convert {F} out.txt"})
            if (f[3] == "*") commands.push_back(cmd);
        if (f[3] != "*") commands.push_back(f[3]);
        for (auto cmd : commands) {
            for (auto [key, value] : {std::pair<std::string, std::string>{"{F}", q(path)},
                                      {"{C}", q(catalogue)},
                                      {"{S}", q(sample)}})
                for (size_t at; (at = cmd.find(key)) != std::string::npos;)
                    cmd.replace(at, key.size(), value);
            const auto r = cli(cmd);
            EXPECT_EQ(r.status, std::stoi(f[4])) << name << ": " << cmd << "\n" << r.out;
            EXPECT_NE(r.out.find(f[5]), std::string::npos) << name << ": " << cmd << "\n" << r.out;
            // A file's raw bytes are never echoed: no control byte, none UTF-8 never has.
            EXPECT_TRUE(std::none_of(r.out.begin(), r.out.end(),
                                     [](char c) {
                                         const auto u = static_cast<unsigned char>(c);
                                         return u >= 0xF8 || (u < 0x20 && c != '\n');
                                     }))
                << name << ": " << cmd << "\n"
                << r.out;
            if (f[4] != "0") {
                EXPECT_FALSE(std::filesystem::exists(dir.file("out.txt"))) << name;
            }
        }
        ++cases;
    }
    EXPECT_GT(cases, 25);
}

// A parallel writer's short transaction is waited for, not taken as a fault.
TEST_F(CliFiles, ALockedCatalogueIsWaitedFor) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(catalogue.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread writer([db] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    const auto r = cli("decode --format Form016 --catalogue " + q(catalogue) + " " + q(sample));
    writer.join();
    sqlite3_close(db);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("00 FF 12 ED"), std::string::npos) << r.out;
}

// convert and generate onto a full disk (a tmpfs of a few pages, filled):
// the old file stays whole, nothing is left beside it, and the cause is named.
TEST_F(CliFiles, AFullDiskLeavesTheOldFileWholeAndIsNamed) {
    const std::string disk = dir.file("disk"), kept = dir.file("kept");
    std::filesystem::create_directories(disk);
    std::filesystem::create_directories(kept);
    std::ofstream(dir.file("full.sh"))
        << "mount -t tmpfs -o size=16k tmpfs " << q(disk) << " 2>/dev/null || exit 77\ncd "
        << q(disk) << "\nprintf 'old capture\\n' > out.txt; printf 'old signal\\n' > gen.txt\n"
        << "dd if=/dev/zero of=fill bs=1k count=64 2>/dev/null\n"
        << QV_CLI << " convert " << q(sample) << " out.txt; echo convert=$?\n"
        << QV_CLI << " generate --format Form016 --code '00 FF 12 ED' --catalogue " << q(catalogue)
        << " -o gen.txt; echo generate=$?\n"
        << "cp out.txt gen.txt " << q(kept) << "; ls -A > " << q(kept + "/listing") << "\n";
    const auto r = qvtest::run("unshare -m sh " + q(dir.file("full.sh")));
    if (r.status == 77 || r.out.find("convert=") == std::string::npos)
        GTEST_SKIP() << "no small file system to fill here (needs root): " << r.out;
    for (const char* command : {"convert", "generate"}) {
        EXPECT_NE(r.out.find(std::string(command) + "=1"), std::string::npos) << r.out;
    }
    EXPECT_NE(r.out.find("out.txt: cannot be written: the disk is full"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("gen.txt: cannot be written: the disk is full"), std::string::npos)
        << r.out;
    EXPECT_EQ(qvtest::fileText(kept + "/out.txt"), "old capture\n");
    EXPECT_EQ(qvtest::fileText(kept + "/gen.txt"), "old signal\n");
    EXPECT_EQ(qvtest::fileText(kept + "/listing"), "fill\ngen.txt\nout.txt\n");
}

// The window's press log keeps the last 1000 presses; the command line every one.
TEST_F(CliFiles, StatsTakesEveryCaptureItIsGiven) {
    std::string files;
    for (int i = 0; i < 1001; ++i)
        files += " " + q(sample);
    const auto r =
        cli("stats --format Form016 --receiver-unit --json --catalogue " + q(catalogue) + files);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"presses\": 1001, \"clean\": 1001"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"mode\": \"receiver unit\"}"), std::string::npos) << r.out;
}
