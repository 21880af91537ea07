// The same decodes through the command-line program: a capture written as
// a text time list, decoded by "quorvel-cli decode --json".
#include "decoder.h"
#include "protocol_cases.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

std::string jsonText(const std::vector<std::string>& lines) {
    std::string out = "\"";
    for (const auto& l : lines)
        out += l + "\\r\\n";
    return out + "\"";
}

std::string run(const std::string& command) {
    std::array<char, 4096> buf{};
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return out;
    while (fgets(buf.data(), static_cast<int>(buf.size()), pipe.get()))
        out += buf.data();
    return out;
}

struct Road {
    const char* key;
    cases::Code code;
    double jitter;
    int tolerance;
    const char* name;
};

class CliRoad : public testing::TestWithParam<Road> {};

TEST_P(CliRoad, ShowsTheCodeLinesWithoutErrors) {
    const Road r = GetParam();
    const auto press = cases::protocolCase(r.key).make(r.code);
    const auto capture = irsig::render(press.press, r.jitter, 5);

    // A folder of its own: the same case of another build may run meanwhile.
    std::string name =
        (std::filesystem::temp_directory_path() / "quorvel-cli-road-XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    const std::filesystem::path dir = name;
    const auto file = dir / "capture.txt";
    {
        std::ofstream out(file);
        for (size_t i = 0; i < capture.times.size(); ++i)
            out << (i % 2 ? "-" : "+") << capture.times[i] << (i % 2 ? "\n" : " ");
    }
    const std::string output =
        run("cd '" + dir.string() + "' && '" QV_CLI "' decode --format " + r.key + " --tolerance " +
            std::to_string(r.tolerance) + " --catalogue '" + qvproto::freshCatalogue() +
            "' --json '" + file.string() + "'");
    std::filesystem::remove_all(dir);

    std::vector<std::string> binary, hex;
    for (const auto& g : press.groups) {
        if (g.parts.empty()) continue;
        binary.push_back(lines::binaryLine(g.parts));
        hex.push_back(g.hex.empty() ? lines::hexLine(g.parts) : g.hex);
    }
    EXPECT_NE(output.find("\"errors\": []"), std::string::npos) << output;
    EXPECT_NE(output.find("\"bin\": " + jsonText(binary)), std::string::npos) << output;
    EXPECT_NE(output.find("\"hex\": " + jsonText(hex)), std::string::npos) << output;
}

const Road kRoads[] = {
    {"Form016", cases::Code::Mixed, 0.0, 3, "NEC_exact"},
    {"Form030", cases::Code::Mixed, 0.02, 3, "RC5_jitter2"},
    {"Form035", cases::Code::Ones, 0.05, 8, "Sony20_jitter5"},
    {"Form012", cases::Code::Mixed, 0.05, 8, "Panasonic_jitter5"},
};

INSTANTIATE_TEST_SUITE_P(Program, CliRoad, testing::ValuesIn(kRoads),
                         [](const testing::TestParamInfo<Road>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
