// quorvel-cli decode and scan end to end: each case is a set of data files
// in tests/data/engine/cli (see its README), run in an empty folder against
// a fresh copy of the catalogue.
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_build.h"
#include "engine_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/wait.h>

using namespace enginetest;
namespace fs = std::filesystem;

namespace {

const fs::path kCases = sourcePath("tests/data/engine/cli");

struct CliRun {
    int status = -1;
    std::string out, err;
};

// A folder with the captures and a catalogue made from the shipped source.
struct Workspace {
    TempDir dir;
    std::string catalogue = dir.file("IRTime.db");
    Workspace() {
        qv::buildCatalogueIfMissing(sourcePath("data/catalogue.sql"), catalogue);
        for (const auto& entry : fs::directory_iterator(kCases))
            if (!std::set<std::string>{".args", ".out", ".record", ".row", ".status", ".err", ".md"}
                     .count(entry.path().extension()))
                fs::copy_file(entry.path(), fs::path(dir.path()) / entry.path().filename());
    }
    // "decode" unless the first argument names the subcommand; "load" takes no catalogue.
    CliRun run(std::vector<std::string> args) const {
        const bool own = args[0] == "scan" || args[0] == "decode" || args[0] == "load" ||
                         args[0] == "irp" || args[0] == "generate";
        if (args[0] != "load" && std::find(args.begin(), args.end(), "--catalogue") == args.end())
            args.insert(args.end(), {"--catalogue", catalogue});
        std::string command = "cd '" + dir.path() + "' && '" + QV_CLI + "'";
        if (!own) command += " decode";
        for (const auto& a : args)
            command += " '" + a + "'";
        const int raw = std::system((command + " > out.log 2> err.log").c_str());
        CliRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, fileText(dir.file("out.log")),
                 fileText(dir.file("err.log"))};
        fs::remove(dir.file("out.log"));
        fs::remove(dir.file("err.log"));
        return r;
    }
};

std::vector<std::string> argumentsOf(const std::string& name) {
    std::ifstream in(kCases / (name + ".args"));
    std::vector<std::string> args;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) args.push_back(line);
    return args;
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

class CliCase : public ::testing::TestWithParam<std::string> {};

TEST_P(CliCase, PrintsAndRecordsAsExpected) {
    const fs::path base = kCases / GetParam();
    auto file = [&](const char* ending) { return fs::path(base.string() + ending); };
    Workspace w;
    const auto args = argumentsOf(GetParam());
    const CliRun r = w.run(args);
    EXPECT_EQ(r.status, fs::exists(file(".status")) ? std::stoi(fileText(file(".status"))) : 0)
        << r.err;
    EXPECT_EQ(r.out, fileText(file(".out")));
    if (fs::exists(file(".err"))) {
        std::string want = fileText(file(".err"));
        want.pop_back();
        EXPECT_NE(r.err.find(want), std::string::npos) << r.err;
    }
    const fs::path record = fs::path(w.dir.path()) / "Error record.txt";
    if (fs::exists(file(".record")))
        EXPECT_EQ(fileText(record), fileText(file(".record")));
    else
        EXPECT_FALSE(fs::exists(record));
    if (fs::exists(file(".row"))) {
        const auto format = std::find(args.begin(), args.end(), "--format");
        ASSERT_NE(format, args.end());
        EXPECT_EQ(rowText(w.catalogue, *(format + 1)), fileText(file(".row")));
    }
}

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCases))
        if (entry.path().extension() == ".args") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Decode, CliCase, ::testing::ValuesIn(caseNames()), [](const auto& info) {
    std::string n = info.param;
    std::replace(n.begin(), n.end(), '-', '_');
    return n;
});

TEST(Cli, ErrorRecordOnlyGrows) {
    Workspace w;
    const std::vector<std::string> args = {"--format", "Form016", "nec-bad-inverse.txt"};
    w.run(args);
    w.run(args);
    const std::string block = fileText(kCases / "nec-bad-inverse.record");
    EXPECT_EQ(fileText(fs::path(w.dir.path()) / "Error record.txt"), block + block);
}

} // namespace
