// quorvel-cli on files of named signals: each signal taken in turn as
// FILE#NAME, --signal picking one, and convert writing Flipper parsed
// signals, run as a user runs them.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

struct Ran {
    int status = -1;
    std::string out; // stdout, then stderr
};

Ran run(const std::string& args) {
    const std::string dir = testing::TempDir();
    const std::string command = "cd '" + dir + "' && '" + QV_CLI + "' " + args + " 2>&1";
    Ran r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buffer{};
    for (size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string data(const std::string& name) {
    return "'" + std::string(QV_DATA_DIR) + "/" + name + "'";
}

struct Case {
    const char* name;
    std::string args;
    int status;
    std::vector<std::string> said, notSaid = {};
};

const Case kCases[] = {
    {"IdentifyTakesEachSignal",
     "identify " + data("remote-nec.ir"),
     0,
     {"remote-nec.ir#Power: ", "NEC2  D=4 S=251 F=8", "remote-nec.ir#Mute: ", "F=9"}},
    {"IdentifyPicksOneSignal",
     "identify --signal Mute --json " + data("remote-nec.ir"),
     0,
     {"remote-nec.ir#Mute\"", "\"F\":9"},
     {"#Power"}},
    {"IdentifyNamesAMissingSignal",
     "identify --signal Nope " + data("remote-nec.ir"),
     1,
     {"remote-nec.ir: expected a signal named \"Nope\"; it holds Power, Mute"}},
    {"IdentifyRendersParsedSignals",
     "identify " + data("flipper-parsed.ir"),
     0,
     {"#Sony_power: ", "Sony12  D=1 F=21", "#Play: ", "RC5  D=5 F=53"}},
    {"IdentifyTakesALabel",
     "identify " + data("rc6.lircd.conf") + "#KEY_MUTE",
     0,
     {"#KEY_MUTE: ", "RC6  D=0 F=13"},
     {"KEY_POWER"}},
    // An RC-MM press sampled every 100 us: its levels, 167 us apart, are
    // named, not guessed.
    {"IdentifyNamesLevelsItCannotResolve",
     "identify --demodulated " + data("rcmm-100us-grid.txt"),
     0,
     {": 0 protocol decodes", "not resolved: Nokia32"}},
    {"IdentifyNamesThemInJson",
     "identify --json --demodulated " + data("rcmm-100us-grid.txt"),
     0,
     {"\"decodes\":[],\"unresolved\":[\"Nokia32\""}},
    {"ConvertWritesParsedFlipperSignals",
     "convert " + data("rc5.lircd.conf") + " out.ir --parsed && cat out.ir",
     0,
     {"name: KEY_1\ntype: parsed\nprotocol: RC5\naddress: 05 00 00 00\ncommand: 01 00 00 00\n",
      "name: KEY_2\ntype: parsed\nprotocol: RC5\naddress: 05 00 00 00\ncommand: 02 00 00 00\n"}},
};

class ExchangeCli : public testing::TestWithParam<Case> {};

TEST_P(ExchangeCli, SaysWhatEachSignalIs) {
    const Case& c = GetParam();
    const Ran r = run(c.args);
    EXPECT_EQ(r.status, c.status) << r.out;
    for (const auto& s : c.said)
        EXPECT_NE(r.out.find(s), std::string::npos) << s << "\nin\n" << r.out;
    for (const auto& s : c.notSaid)
        EXPECT_EQ(r.out.find(s), std::string::npos) << s << "\nin\n" << r.out;
}

INSTANTIATE_TEST_SUITE_P(Commands, ExchangeCli, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
