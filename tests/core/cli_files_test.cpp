// quorvel-cli's file commands: convert between capture files and scan a
// capture against the catalogue, run as a user runs them.
#include "test_support.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

// Run in the test's own folder: what the program writes beside it (the
// error record) never meets another test's.
CliRun cli(const std::string& folder, const std::string& args) {
    CliRun r;
    const std::string cmd = "cd '" + folder + "' && " + QV_CLI + " " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string q(const std::string& path) {
    return "'" + path + "'";
}

struct CliFiles : ::testing::Test {
    qvtest::TempDir dir;
    CliRun cli(const std::string& args) const { return ::cli(dir.path(), args); }
    std::string catalogue = qvtest::freshCatalogue(dir);
    std::string sample = qvtest::sourcePath("data/samples/nec-00-12.txt");

    std::string decodeHex(const std::string& file) {
        const CliRun r =
            cli("decode --format Form016 --catalogue " + q(catalogue) + " --json " + q(file));
        EXPECT_EQ(r.status, 0) << r.out;
        const auto at = r.out.find("\"hex\": ");
        return at == std::string::npos ? r.out : r.out.substr(at, r.out.find(',', at) - at);
    }
};

} // namespace

TEST_F(CliFiles, EveryKindConvertsAndDecodesToTheSameCodeLines) {
    const std::string expected = decodeHex(sample);
    EXPECT_NE(expected.find("00 FF 12 ED"), std::string::npos) << expected;
    for (const char* name : {"a.bin", "a.txt", "a.raw", "a.mode2", "a.pronto"}) {
        const std::string out = dir.file(name);
        const CliRun r = cli("convert " + q(sample) + " " + q(out));
        ASSERT_EQ(r.status, 0) << name << ": " << r.out;
        EXPECT_EQ(decodeHex(out), expected) << name;
    }
}

TEST_F(CliFiles, BinToTextToBinKeepsTheBytesAndTextToTextIsStable) {
    const std::string bin = dir.file("a.bin"), txt = dir.file("a.txt"), bin2 = dir.file("b.bin"),
                      txt2 = dir.file("b.txt");
    ASSERT_EQ(cli("convert " + q(sample) + " " + q(bin)).status, 0);
    ASSERT_EQ(cli("convert " + q(bin) + " " + q(txt)).status, 0);
    ASSERT_EQ(cli("convert " + q(txt) + " " + q(bin2)).status, 0);
    ASSERT_EQ(cli("convert " + q(bin2) + " " + q(txt2)).status, 0);
    EXPECT_EQ(slurp(bin), slurp(bin2));
    EXPECT_EQ(slurp(txt), slurp(txt2));
}

TEST_F(CliFiles, ProntoToCaptureToProntoGivesTheSameWords) {
    const std::string first = dir.file("a.pronto"), second = dir.file("b.pronto");
    ASSERT_EQ(cli("convert " + q(sample) + " " + q(first)).status, 0);
    ASSERT_EQ(cli("convert " + q(first) + " " + q(second)).status, 0);
    const std::string a = slurp(first), b = slurp(second);
    EXPECT_EQ(a.substr(0, 20), "0000 006C 0022 0002 ");
    // Every word comes back, but the last: the gap after the last burst is
    // never received, so it is worked out again from the frame period and
    // may move by the rounding of the frame's words.
    const auto lastWord = a.rfind(' ');
    ASSERT_EQ(lastWord, b.rfind(' '));
    EXPECT_EQ(a.substr(0, lastWord), b.substr(0, lastWord));
    const long ga = std::stol(a.substr(lastWord + 1), nullptr, 16),
               gb = std::stol(b.substr(lastWord + 1), nullptr, 16);
    EXPECT_NEAR(ga, gb, ga / 100.0);
    // A Pronto code read back and written again is the same to the word.
    const std::string third = dir.file("c.pronto");
    ASSERT_EQ(cli("convert " + q(second) + " " + q(third)).status, 0);
    EXPECT_EQ(slurp(third), b);
}

TEST_F(CliFiles, Mode2AsALircReceiverPrintsItDecodes) {
    // The LIRC tool prints a long first space, then pulse/space lines and a
    // timeout line at the end.
    std::ostringstream m;
    m << "space 16777215\npulse 9000\nspace 4500\n";
    const unsigned bytes[] = {0x00, 0xFF, 0x12, 0xED};
    for (unsigned b : bytes)
        for (int i = 0; i < 8; ++i)
            m << "pulse 562\nspace " << ((b >> i) & 1 ? 1688 : 562) << "\n";
    m << "pulse 562\ntimeout 120000\n";
    const std::string path = dir.file("lirc.mode2");
    std::ofstream(path) << m.str();
    EXPECT_NE(decodeHex(path).find("00 FF 12 ED"), std::string::npos);
}

// A file that is no capture, a value that is no value, a file that would
// change on the way: refused or said, naming the file and the reason.
struct Refusal {
    const char* name;
    const char* file; // made in the test's folder; "" for none
    // "@folder" makes a folder, "@zero" a link to /dev/zero, "@sql:..." a
    // copy of the catalogue changed by the statement
    const char* content;
    const char*
        args; // {F} the file, {C} the catalogue, {S} the sample; "*" every command reading {F}
    int status;
    const char* expected;
};

class CliRefusal : public CliFiles, public ::testing::WithParamInterface<Refusal> {};

TEST_P(CliRefusal, ExitsWithTheStatusAndSaysWhy) {
    const Refusal& c = GetParam();
    const std::string path = dir.file(c.file);
    if (std::string(c.content) == "@folder")
        std::filesystem::create_directory(path);
    else if (std::string(c.content) == "@zero")
        std::filesystem::create_symlink("/dev/zero", path);
    else if (std::string(c.content).rfind("@sql:", 0) == 0) {
        std::filesystem::copy_file(catalogue, path);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, c.content + 5, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    } else if (*c.file)
        std::ofstream(path, std::ios::binary) << c.content;
    auto expand = [&](std::string args) {
        for (auto [key, value] : {std::pair<std::string, std::string>{"{F}", q(path)},
                                  {"{C}", q(catalogue)},
                                  {"{S}", q(sample)}})
            for (size_t at; (at = args.find(key)) != std::string::npos;)
                args.replace(at, key.size(), value);
        return args;
    };
    std::vector<std::string> commands;
    if (std::string(c.args) == "*")
        for (const char* cmd : {"load {F}", "decode --format Form016 --catalogue {C} {F}",
                                "scan --catalogue {C} {F}", "convert {F} out.txt"})
            commands.push_back(expand(cmd));
    else
        commands.push_back(expand(c.args));
    for (const auto& cmd : commands) {
        const CliRun r = cli(cmd);
        EXPECT_EQ(r.status, c.status) << cmd << "\n" << r.out;
        EXPECT_NE(r.out.find(c.expected), std::string::npos) << cmd << "\n" << r.out;
    }
    if (c.status != 0) {
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.txt")));
    }
}

// 700 times of 560 us: more than the capture record holds.
const std::string kLongList = [] {
    std::string t;
    for (int i = 0; i < 700; ++i)
        t += "560 ";
    return t;
}();

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRefusal,
    ::testing::Values(
        Refusal{"words", "w.txt", "9000 4500\n562 five\n", "*", 1,
                "w.txt: line 2: expected a time in microseconds, found \"five\""},
        Refusal{"shortPronto", "s.pronto", "0000 006D 0002 0000\n0156 00AB\n", "*", 1,
                "expected 4 burst and gap words after the header, found 2"},
        Refusal{"badMode2", "b.mode2", "pulse 9000\nspace\n", "*", 1,
                "line 2: expected a time after \"space\""},
        Refusal{"folder", "adir", "@folder", "*", 1, "adir: cannot be read: it is a folder"},
        Refusal{"folderBin", "adir.bin", "@folder", "*", 1, "adir.bin: cannot be read"},
        Refusal{"device", "zero.bin", "@zero", "*", 1,
                "zero.bin: cannot be read: it is a device or a pipe"},
        Refusal{"hugeTime", "h.txt", "9000 99999999999999999999\n", "*", 1,
                "h.txt: line 1: time out of range: 99999999999999999999"},
        Refusal{"prontoType", "p.txt", "0100 006D 0000 0001 0010 0010\n", "*", 1,
                "a Pronto code of type 0100 is not read"},
        Refusal{"controlCharacter", "c.txt", "9000 45\a00\n", "*", 1, "found \"45\\x0700\""},
        Refusal{"longList", "l.txt", kLongList.c_str(), "convert {F} out.txt", 1,
                "l.txt: the capture record holds the first 627 of its 699 times"},
        Refusal{"longListLoaded", "l.txt", kLongList.c_str(), "load {F}", 0,
                "l.txt: the capture record holds the first 627 of its 699 times"},
        Refusal{"longBurst", "b.txt", "9000 4500 40000 560 560\n", "convert {F} out.txt", 1,
                "time 3 (a burst of 40000 us) is loaded as 35554 us"},
        Refusal{"zeroTime", "z.txt", "9000 0 560\n", "convert {F} out.txt", 1,
                "time 2 (a gap of 0 us) is loaded as 1 us"},
        Refusal{"zeroTimeForced", "z.txt", "9000 0 560\n", "convert --force {F} out.txt", 0,
                "time 2 (a gap of 0 us) is loaded as 1 us"},
        Refusal{"convertOntoItself", "n.txt", "9000 4500 560\n", "convert {F} {F}", 2,
                "would write over its input"},
        Refusal{"shortBinDecoded", "s.bin", "\x10\x20\x01",
                "decode --format Form016 --catalogue {C} {F}", 0,
                "s.bin: 3 bytes, fewer than the 10 of a capture"},
        Refusal{"timeToleranceWord", "", "", "decode --format Form016 --time-tolerance abc x.txt",
                2, "--time-tolerance takes a percentage from 0 to 100, not \"abc\""},
        Refusal{"timeToleranceNegative", "", "", "decode --format Form016 --time-tolerance -5 x", 2,
                "--time-tolerance takes a percentage"},
        Refusal{"timeToleranceHuge", "", "", "decode --format Form016 --time-tolerance 1e300 x", 2,
                "--time-tolerance takes a percentage"},
        Refusal{"cycleToleranceNegative", "", "", "decode --format Form016 --cycle-tolerance -1 x",
                2, "--cycle-tolerance takes microseconds"},
        Refusal{"carrierZero", "", "", "load --carrier 0,0 x.txt", 2,
                "--carrier takes HIGH,LOW in ticks (1..255)"},
        Refusal{"convertOneFile", "", "", "convert only-one", 2, "convert needs IN and OUT"},
        Refusal{"scanNoFile", "", "", "scan", 2, "scan needs a capture FILE"},
        Refusal{"scanTolerance", "", "", "scan --tolerance 4 x", 2, "--tolerance takes 3, 5"},
        Refusal{"unknownCommand", "", "", "frobnicate", 2, "usage:"},
        Refusal{"renamedColumn", "r.db", "@sql:ALTER TABLE Type RENAME COLUMN H_Osc TO HOsc",
                "decode --format Form016 --catalogue {F} {S}", 1,
                "r.db: the catalogue's table Type has no column H_Osc (to get the shipped"},
        Refusal{"droppedColumn", "d.db", "@sql:ALTER TABLE Type DROP COLUMN Remark",
                "scan --catalogue {F} {S}", 1, "the catalogue's table Type has no column Remark"},
        Refusal{"droppedTable", "t.db", "@sql:DROP TABLE Type",
                "decode --format Form016 --catalogue {F} {S}", 1,
                "t.db: the catalogue has no table Type"},
        Refusal{"emptyCatalogue", "e.db", "", "scan --catalogue {F} {S}", 1,
                "e.db: the catalogue has no table Type"}),
    [](const auto& info) { return std::string(info.param.name); });

// A parallel writer's short transaction used to make decode give up at once.
TEST_F(CliFiles, ALockedCatalogueIsWaitedFor) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(catalogue.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread writer([db] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    const CliRun r = cli("decode --format Form016 --catalogue " + q(catalogue) + " " + q(sample));
    writer.join();
    sqlite3_close(db);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("00 FF 12 ED"), std::string::npos) << r.out;
}

TEST_F(CliFiles, ScanRanksForm016FirstAndSaysWhyOthersFail) {
    const CliRun r = cli("scan --catalogue " + q(catalogue) + " --json " + q(sample));
    ASSERT_EQ(r.status, 0) << r.out;
    const auto first = r.out.find("{\"rank\": 1, ");
    ASSERT_NE(first, std::string::npos) << r.out;
    EXPECT_EQ(r.out.compare(first, 44, "{\"rank\": 1, \"format\": \"Form016\", \"caption\": "), 0)
        << r.out.substr(first, 80);
    EXPECT_NE(r.out.find("\"first_error\": [\"Group 1:"), std::string::npos);
    const CliRun text = cli("scan --catalogue " + q(catalogue) + " " + q(sample));
    EXPECT_NE(text.out.find("   1  Form016(NEC N-8)"), std::string::npos) << text.out;
}
