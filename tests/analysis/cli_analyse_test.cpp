// quorvel-cli analyse as a user runs it: the JSON, the row saved into a user
// slot and decoding, the protocol file, a Flipper file of several signals.
#include "catalogue/catalogue_build.h"
#include "engine/ir_signal.h"
#include "platform/table_cursor.h"
#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace qv;

struct Cli {
    qvtest::TempDir dir;
    std::string catalogue = dir.file("IRTime.db");
    Cli() {
        buildCatalogueIfMissing(std::string(QV_SOURCE_DIR) + "/data/catalogue.sql", catalogue);
    }
    int status = 0;
    std::string run(const std::string& args) {
        const std::string out = dir.file("out.log");
        const int raw = std::system(
            ("cd '" + dir.path() + "' && '" + QV_CLI + "' " + args + " > '" + out + "' 2>&1")
                .c_str());
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return read(out);
    }
    static std::string read(const std::string& path) {
        std::ifstream f(path);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir.file(name)) << text;
    }
};

std::string necTimes(unsigned command) {
    irsig::FrameBuilder f, d;
    f.mark(9024).space(4512).pulses(irsig::lsbFirst(0x04, 8) + irsig::lsbFirst(0xFB, 8) +
                                        irsig::lsbFirst(command, 8) +
                                        irsig::lsbFirst(~command & 255, 8),
                                    {564, 564, 564, 1692});
    f.mark(564);
    d.mark(9024).space(2256).mark(564);
    std::string text;
    for (int64_t t : irsig::render({f.period(108000), d.period(108000)}, 0, 1).times)
        text += std::to_string(t) + " ";
    return text;
}

TEST(CliAnalyse, JsonSaveAndProtocolFile) {
    Cli cli;
    cli.write("a.txt", necTimes(0x12));
    cli.write("b.txt", necTimes(0x34));
    const std::string json = cli.run("analyse --json a.txt b.txt");
    EXPECT_EQ(cli.status, 0);
    for (const char* key : {"\"coding\":\"pulse-distance\"", "\"unit\":564", "\"bits\":32",
                            "\"repeat\":\"ditto\"", "\"params\":{\"D\":4,\"F\":18}",
                            "\"params\":{\"D\":4,\"F\":52}", "\"renders_back\":true"})
        EXPECT_NE(json.find(key), std::string::npos) << key << " in " << json;
    EXPECT_EQ(json.find("\"renders_back\":false"), std::string::npos);

    // What the slot held before (a copied RC-5 row) goes with the save.
    qv::Database::open(cli.catalogue)
        ->exec("UPDATE \"Type\" SET \"Quirks\" = 'code-rc5x', \"T_Time\" = 444, \"zero_HL\" = "
               "'2', \"One_HL\" = '1' WHERE \"Format\" = 'Form155'");
    EXPECT_NE(
        cli.run("analyse --save Form155 --catalogue IRTime.db --protocols-out mine.tsv a.txt b.txt")
            .find("Form155 saved"),
        std::string::npos);
    EXPECT_NE(cli.run("decode --format Form155 --catalogue IRTime.db a.txt").find("04 FB 12 ED"),
              std::string::npos);
    EXPECT_NE(Cli::read(cli.dir.file("mine.tsv"))
                  .find("analysed-a\t{564}<1,-1|1,-3>(16,-8,D:8,~D:8,F:8,~F:8"),
              std::string::npos);
    cli.run("analyse --save Form150 a.txt");
    EXPECT_EQ(cli.status, 2);
}

TEST(CliAnalyse, FlipperFileOfSeveralSignals) {
    Cli cli;
    cli.write("r.ir", "Filetype: IR signals file\nVersion: 1\n#\nname: Up\ntype: raw\nfrequency: "
                      "38000\nduty_cycle: 0.33\ndata: " +
                          necTimes(1) +
                          "\n#\nname: Down\ntype: raw\nfrequency: 38000\n"
                          "duty_cycle: 0.33\ndata: " +
                          necTimes(2) +
                          "\n#\nname: Mute\ntype: parsed\nprotocol: NEC\n"
                          "address: 04 00 00 00\ncommand: 12 00 00 00\n#\nname: Odd\n"
                          "type: raw\nfrequency: 38000\nduty_cycle: 0.33\n"
                          "data: 2400 600 1200 600 600 600 1200 600 600 600 1200\n");
    const std::string json = cli.run("analyse --json r.ir");
    EXPECT_NE(json.find("\"signal\":\"Down\""), std::string::npos) << json;
    EXPECT_NE(json.find("{38.0k,564}"), std::string::npos) << json;
    EXPECT_NE(json.find("Mute (parsed) is not a raw signal"), std::string::npos) << json;
    // The odd press is a structure of its own, which renders it back.
    const size_t others = json.find("\"others\":[{\"analysis\":");
    ASSERT_NE(others, std::string::npos) << json;
    EXPECT_NE(json.find("\"signal\":\"Odd\",\"params\"", others), std::string::npos) << json;
    EXPECT_NE(json.find("\"renders_back\":true", others), std::string::npos) << json;
}

} // namespace
