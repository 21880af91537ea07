// quorvel-cli decode and scan end to end: each case is a set of data files
// (the arguments, the captures, what is printed, the error record and a
// learning row left behind), run in an empty folder against a fresh copy of
// the catalogue.
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_build.h"
#include "engine_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

using namespace enginetest;
namespace fs = std::filesystem;

namespace {

const fs::path kCases = sourcePath("tests/data/engine/cli");

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string quoted(const std::string& arg) {
    std::string out = "'";
    for (char c : arg)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct CliRun {
    int status = -1;
    std::string out, err;
};

// Runs the command line program in folder with the given arguments; "decode"
// unless the first argument names the subcommand.
CliRun runCli(const TempDir& folder, std::vector<std::string> args) {
    std::string command = "cd " + quoted(folder.path()) + " && " + quoted(QV_CLI);
    if (args.empty() || (args[0] != "scan" && args[0] != "decode")) command += " decode";
    for (const auto& a : args)
        command += " " + quoted(a);
    command +=
        " > " + quoted(folder.file("stdout.txt")) + " 2> " + quoted(folder.file("stderr.txt"));
    const int raw = std::system(command.c_str());
    CliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(folder.file("stdout.txt"));
    r.err = readFile(folder.file("stderr.txt"));
    return r;
}

// A folder with the captures and a catalogue made from the shipped source.
struct Workspace {
    TempDir dir;
    TempDir catalogueDir;
    std::string catalogue = catalogueDir.file("IRTime.db");
    Workspace() {
        qv::buildCatalogueIfMissing(sourcePath("data/catalogue.sql"), catalogue);
        for (const auto& entry : fs::directory_iterator(kCases))
            if (entry.path().extension() == ".txt")
                fs::copy_file(entry.path(), fs::path(dir.path()) / entry.path().filename());
    }
};

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCases))
        if (entry.path().extension() == ".args") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every field of the catalogue's row key, one "name=value" line each.
std::string rowText(const std::string& catalogue, const std::string& key) {
    auto cursor = qv::openCatalogue(catalogue);
    if (!cursor->seek(key)) return "no row " + key + "\n";
    std::string out;
    for (const auto& name : cursor->fieldNames())
        out += name + "=" + cursor->field(name).toText() + "\n";
    return out;
}

std::vector<std::string> argumentsOf(const std::string& name) {
    std::ifstream in(kCases / (name + ".args"));
    std::vector<std::string> args;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) args.push_back(line);
    return args;
}

class CliCase : public ::testing::TestWithParam<std::string> {};

TEST_P(CliCase, PrintsAndRecordsAsExpected) {
    const std::string name = GetParam();
    Workspace w;
    auto args = argumentsOf(name);
    args.insert(args.end(), {"--catalogue", w.catalogue});
    const CliRun r = runCli(w.dir, args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, readFile(kCases / (name + ".out")));
    const fs::path record = fs::path(w.dir.path()) / "Error record.txt";
    const fs::path expected = kCases / (name + ".record");
    if (fs::exists(expected))
        EXPECT_EQ(readFile(record), readFile(expected));
    else
        EXPECT_FALSE(fs::exists(record));
    // CASE.row: the row of the chosen format afterwards (a generic row learns).
    const fs::path row = kCases / (name + ".row");
    if (fs::exists(row)) {
        const auto format = std::find(args.begin(), args.end(), "--format");
        ASSERT_NE(format, args.end());
        EXPECT_EQ(rowText(w.catalogue, *(format + 1)), readFile(row));
    }
}

INSTANTIATE_TEST_SUITE_P(Decode, CliCase, ::testing::ValuesIn(caseNames()), [](const auto& info) {
    std::string n = info.param;
    std::replace(n.begin(), n.end(), '-', '_');
    return n;
});

TEST(Cli, ErrorRecordOnlyGrows) {
    Workspace w;
    const std::vector<std::string> args = {"--format", "Form016", "nec-bad-inverse.txt",
                                           "--catalogue", w.catalogue};
    runCli(w.dir, args);
    runCli(w.dir, args);
    const std::string block = readFile(kCases / "nec-bad-inverse.record");
    EXPECT_EQ(readFile(fs::path(w.dir.path()) / "Error record.txt"), block + block);
}

struct UsageCase {
    std::string name;
    std::vector<std::string> args;
    int status;
    std::string message;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.name;
}

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, RefusesWithAClearMessage) {
    const UsageCase& c = GetParam();
    Workspace w;
    auto args = c.args;
    args.insert(args.end(), {"--catalogue", w.catalogue});
    const CliRun r = runCli(w.dir, args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(fs::path(w.dir.path()) / "Error record.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Decode, CliUsage,
    ::testing::Values(
        UsageCase{"NoFormat", {"nec-00-12.txt"}, 2, "decode needs --format KEY"},
        UsageCase{"NoCapture", {"--format", "Form016"}, 2, "at least one capture FILE"},
        UsageCase{
            "UnknownFormat", {"--format", "Form999", "nec-00-12.txt"}, 2, "no format menu entry"},
        UsageCase{
            "FormatThatCannotBeChosen", {"--format", "HL", "nec-00-12.txt"}, 2, "cannot be chosen"},
        UsageCase{"ToleranceNotInTheMenus",
                  {"--format", "Form016", "--tolerance", "4", "nec-00-12.txt"},
                  2,
                  "--tolerance takes 3, 5 or 8"},
        UsageCase{"OptionWithoutValue", {"nec-00-12.txt", "--format"}, 2, "--format needs a value"},
        UsageCase{"UnknownOption",
                  {"--format", "Form016", "--fast", "nec-00-12.txt"},
                  2,
                  "unknown option"},
        UsageCase{"MissingCapture",
                  {"--format", "Form016", "nec-00-12.txt", "missing.txt"},
                  1,
                  "missing.txt: cannot be read"}),
    [](const auto& info) { return info.param.name; });

TEST(Cli, UnreadableCatalogueIsReported) {
    Workspace w;
    const CliRun r = runCli(
        w.dir, {"--format", "Form016", "--catalogue", w.dir.file("none.db"), "nec-00-12.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the catalogue cannot be read"), std::string::npos) << r.err;
}

} // namespace
