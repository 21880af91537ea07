// Files of named signals: the public remotes open, each form reads its
// hand-made golden file to the decode it must give, written signals read
// back within the form's resolution, and broken files are refused by line.
#include "capture/capture_formats.h"
#include "exchange/parsed_render.h"
#include "exchange/read_support.h"
#include "exchange/signal_capture.h"
#include "exchange/writers.h"
#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace qv;
using namespace qv::exchange;

const irp::ProtocolTable& table() {
    static irp::ProtocolTable t = [] {
        irp::ProtocolTable made;
        made.addFile(QV_IRP_TABLE);
        return made;
    }();
    return t;
}

std::string dataPath(const std::string& name) {
    return std::string(QV_DATA_DIR) + "/" + name;
}

std::vector<int64_t> pressOf(const NamedSignal& s) {
    auto times = captureTimesOf(s.parsed ? renderParsed(s, table()) : s);
    if (times.size() % 2) times.push_back(100000);
    return times;
}

// The best decode of a signal's press (once part and one repeat).
irp::Decode decodeOf(const NamedSignal& s) {
    const auto found = irp::decode(table(), pressOf(s));
    return found.empty() ? irp::Decode{} : found.front();
}

// The decode names the same press: the same protocol and parameters, or
// one the table prefers (NECx for Samsung's NECx2, Apple for its NEC1-f16)
// whose own press is the same times.
void expectSamePress(const NamedSignal& s, const irp::Decode& d) {
    const IrpCode code = irpCodeOf(*s.parsed);
    if (lowered(d.protocol) == lowered(code.protocol)) {
        for (const auto& [name, value] : code.params.values())
            EXPECT_EQ(d.params.get(name), value) << name;
        return;
    }
    ASSERT_NE(table().find(d.protocol), nullptr) << "no decode";
    NamedSignal again;
    again.parsed = ParsedCode{"irp", d.protocol, d.params.values()};
    EXPECT_EQ(pressOf(again), pressOf(s)) << d.protocol << " " << irp::formatParams(d.params);
}

// The Flipper code the times decode as: the first decode (of the table,
// then of the protocols only Flipper names) that Flipper names, one of the
// signal's carrier first, as the writer picks it.
std::optional<ParsedCode> flipperDecode(const NamedSignal& rendered) {
    const Written w = writeSignals(Form::FlipperIr, {rendered}, &table());
    const auto back = readSignalText("back.ir", w.text).entries;
    if (back.size() != 1 || !back[0].parsed) return std::nullopt;
    return back[0].parsed;
}

TEST(Remotes, EveryPublicRemoteOpensAndEveryParsedSignalDecodesBack) {
    std::ifstream index(dataPath("remotes/INDEX.tsv"));
    std::string line;
    std::getline(index, line);
    size_t files = 0, raw = 0, parsed = 0, back = 0;
    while (std::getline(index, line)) {
        std::istringstream row(line);
        std::string file, kind;
        size_t wantRaw = 0, wantParsed = 0;
        std::getline(row, file, '\t');
        std::getline(row, kind, '\t');
        row >> wantRaw >> wantParsed;
        const std::string path = dataPath("remotes/" + file);
        const auto set = readSignalFile(path);
        ASSERT_TRUE(set) << file;
        size_t haveRaw = 0, haveParsed = 0;
        for (const auto& s : set->entries) {
            SCOPED_TRACE(file + "#" + s.name);
            if (!s.parsed) {
                ++haveRaw;
                EXPECT_NO_THROW(captureOfSignal(path + "#" + s.name, s));
                continue;
            }
            ++haveParsed;
            expectSamePress(s, decodeOf(s));
            // The press decodes back to the protocol, address and command written.
            const auto code = flipperDecode(renderParsed(s, table()));
            ASSERT_TRUE(code);
            EXPECT_EQ(code->protocol, s.parsed->protocol);
            EXPECT_EQ(code->parameters, s.parsed->parameters);
            back +=
                code->protocol == s.parsed->protocol && code->parameters == s.parsed->parameters;
        }
        EXPECT_EQ(haveRaw, wantRaw) << file;
        EXPECT_EQ(haveParsed, wantParsed) << file;
        ++files, raw += haveRaw, parsed += haveParsed;
    }
    std::printf("public remotes: %zu files, %zu raw signals opened, %zu of %zu parsed signals "
                "decoded back to their protocol, address and command\n",
                files, raw, back, parsed);
    EXPECT_EQ(files, 35u);
    EXPECT_EQ(raw + parsed, 455u);
    EXPECT_EQ(back, parsed);
}

// Every protocol Flipper names renders, decodes and is written back as the
// same parsed signal.
struct FlipperCode {
    const char* protocol;
    int64_t address, command;
};

const FlipperCode kFlipperCodes[] = {
    {"NEC", 0x07, 0x02},
    {"NECext", 0x7F00, 0x1234},
    {"NEC42", 0x1ABC, 0x12},
    {"NEC42ext", 0x2ABCDEF, 0xBEEF},
    {"Samsung32", 0x07, 0x02},
    {"RC5", 0x05, 0x01},
    {"RC5X", 0x05, 0x21},
    {"RC6", 0x00, 0x0C},
    {"SIRC", 0x01, 0x15},
    {"SIRC15", 0x97, 0x2A},
    {"SIRC20", 0x93A, 0x7F},
    {"Kaseikyo", 0x00200290, 0x3D},
    {"Kaseikyo", 0x01542310, 0x155},
    {"RCA", 0x0F, 0x54},
    {"Pioneer", 0xA3, 0x9E},
};

class FlipperProtocol : public testing::TestWithParam<FlipperCode> {};

TEST_P(FlipperProtocol, RendersAndIsWrittenBackAsTheSameParsedSignal) {
    const FlipperCode& f = GetParam();
    NamedSignal s;
    s.name = "Key";
    s.parsed = ParsedCode{"flipper", f.protocol, {{"address", f.address}, {"command", f.command}}};
    const NamedSignal rendered = renderParsed(s, table());
    EXPECT_FALSE(rendered.times.empty());
    const auto code = flipperDecode(rendered);
    ASSERT_TRUE(code) << rendered.kind;
    EXPECT_EQ(code->protocol, f.protocol);
    EXPECT_EQ(code->parameters, s.parsed->parameters) << rendered.kind;
}

INSTANTIATE_TEST_SUITE_P(Flipper, FlipperProtocol, testing::ValuesIn(kFlipperCodes));

struct Golden {
    const char* file;
    const char* signal;
    const char* protocol; // the decode's protocol starts so (one NEC frame is NEC1 or NEC2)
    const char* params;
};

// Each file written by hand from its form's published description.
const Golden kGolden[] = {
    {"remote-nec.ir", "Power", "NEC", "D=4 S=251 F=8"},
    {"remote-nec.ir", "Mute", "NEC", "D=4 S=251 F=9"},
    {"dump-nec.txt", "NEC 20DF10EF", "NEC", "D=4 S=251 F=8"},
    {"nec.sendir", "1", "NEC", "D=4 S=251 F=8"},
    {"nec.broadlink", "power", "NEC", "D=4 S=251 F=8"},
    {"tasmota.txt", "NEC 0x20DF10EF", "NEC", "D=4 S=251 F=8"},
    {"esphome.log", "1", "NEC", "D=4 S=251 F=8"},
    {"nec.girr", "Power", "NEC", "D=4 S=251 F=8"},
    {"nec-space.lircd.conf", "KEY_POWER", "NEC", "D=4 S=251 F=8"},
    {"nec-space.lircd.conf", "KEY_MUTE", "NEC", "D=4 S=251 F=9"},
    {"raw.lircd.conf", "KEY_POWER", "NEC", "D=4 S=251 F=8"},
    {"rc5.lircd.conf", "KEY_1", "RC5", "D=5 F=1 T=0"},
    {"rc5.lircd.conf", "KEY_2", "RC5", "D=5 F=2 T=0"},
    {"parsed.girr", "Play", "NEC", "D=4 S=251 F=8"},
    {"codes.csv", "POWER", "NEC", "D=4 S=251 F=8"},
    {"flipper-parsed.ir", "Power", "NEC", "D=4 S=251 F=8"},
    {"flipper-parsed.ir", "Vol_up", "NECx", "D=7 S=7 F=7"},
    {"flipper-parsed.ir", "Play", "RC5", "D=5 F=53 T=0"},
    {"flipper-parsed.ir", "Sony_power", "Sony12", "D=1 F=21"},
    {"tasmota-compact.txt", "1", "NEC", "D=4 S=251 F=8"},
    {"arduino-irremote.txt", "1", "NEC", "D=4 S=251 F=8"},
    {"arduino-irremote.txt", "Protocol=NEC Address=0x4 Command=0x8", "NEC", "D=4 S=251 F=8"},
    {"nec-hex.broadlink", "power", "NEC", "D=4 S=251 F=8"},
    {"nec-ccf.girr", "Power", "NEC", "D=4 S=251 F=8"},
    {"esphome-parsed.log", "NEC 1", "NEC", "D=4 S=251 F=8"},
    {"esphome-parsed.log", "2", "NEC", "D=4 S=251 F=8"},
    {"rc6.lircd.conf", "KEY_POWER", "RC6", "D=0 F=12 T=0"},
    {"rc6.lircd.conf", "KEY_MUTE", "RC6", "D=0 F=13 T=0"},
    {"rc5-shift.lircd.conf", "KEY_1", "RC5", "D=5 F=1 T=0"},
};

class GoldenFile : public testing::TestWithParam<Golden> {};

TEST_P(GoldenFile, DecodesAsItsFormDescribes) {
    const Golden& g = GetParam();
    const auto set = readSignalFile(dataPath(g.file));
    ASSERT_TRUE(set);
    const NamedSignal* found = nullptr;
    for (const auto& s : set->entries)
        if (s.name == g.signal) found = &s;
    ASSERT_NE(found, nullptr) << g.signal;
    const irp::Decode d = decodeOf(*found);
    EXPECT_EQ(d.protocol.rfind(g.protocol, 0), 0u) << d.protocol;
    EXPECT_EQ(irp::formatParams(d.params), g.params);
}

INSTANTIATE_TEST_SUITE_P(Forms, GoldenFile, testing::ValuesIn(kGolden));

// lircd.conf remotes rendered from their fields, each time worked out by
// hand from what the fields mean.
struct LircdPress {
    const char* name;
    const char* text;
    std::vector<int64_t> once, repeat;
};

const LircdPress kLircdPresses[] = {
    {"FootMinRepeatNoHeadOrFootInRepeats",
     "begin remote\n name a\n bits 2\n flags SPACE_ENC|NO_HEAD_REP|NO_FOOT_REP\n"
     " header 1000 500\n one 100 300\n zero 100 100\n ptrail 100\n foot 700 800\n gap 5000\n"
     " min_repeat 1\n begin codes\n K 0x2\n end codes\nend remote\n",
     {1000, 500, 100, 300, 100, 100, 800, 5800, 100, 300, 100, 100, 100, 5000},
     {100, 300, 100, 100, 100, 5000}},
    {"TwoCodesAKeyAndARepeatCodeWithHeader",
     "begin remote\n name b\n bits 1\n flags SPACE_ENC|CONST_LENGTH|REPEAT_HEADER\n"
     " header 1000 500\n one 100 300\n zero 100 100\n ptrail 100\n repeat 200 400\n gap 4000\n"
     " repeat_gap 3000\n begin codes\n K 0x1 0x0\n end codes\nend remote\n",
     {1000, 500, 100, 300, 100, 2000, 1000, 500, 100, 100, 100, 2200},
     {1000, 500, 200, 400, 100, 800}},
    {"RepeatMaskInvertsTheRepeatedFrame",
     "begin remote\n name c\n bits 2\n flags SPACE_ENC\n one 100 300\n zero 100 100\n"
     " ptrail 100\n gap 5000\n repeat_mask 0x3\n begin codes\n K 0x2\n end codes\nend remote\n",
     {100, 300, 100, 100, 100, 5000},
     {100, 100, 100, 300, 100, 5000}},
    {"PrePostDataAndPairsLeastSignificantBitFirst",
     "begin remote\n name e\n bits 2\n flags SPACE_ENC|REVERSE\n one 100 300\n zero 100 100\n"
     " pre_data_bits 1\n pre_data 0x1\n pre 50 60\n post 70 80\n post_data_bits 1\n"
     " post_data 0x0\n ptrail 100\n gap 5000\n begin codes\n K 0x1\n end codes\nend remote\n",
     {100, 300, 50, 60, 100, 300, 100, 100, 70, 80, 100, 100, 100, 5000},
     {100, 300, 50, 60, 100, 300, 100, 100, 70, 80, 100, 100, 100, 5000}},
    {"RawCodeWithItsGapAndMinRepeat",
     "begin remote\n name d\n flags RAW_CODES\n gap 5000\n min_repeat 1\n begin raw_codes\n"
     " name K\n 100 200 300\n end raw_codes\nend remote\n",
     {100, 200, 300, 5000, 100, 200, 300, 5000},
     {}},
    {"RawCodeEndingOnAGapKeepsItAndItsMinRepeat",
     "begin remote\n name d\n flags RAW_CODES\n gap 5000\n min_repeat 1\n begin raw_codes\n"
     " name K\n 100 200 300 7000\n end raw_codes\nend remote\n",
     {100, 200, 300, 7000, 100, 200, 300, 7000},
     {}},
};

class LircdRemote : public testing::TestWithParam<LircdPress> {};

TEST_P(LircdRemote, RendersThePressItsFieldsDescribe) {
    const LircdPress& p = GetParam();
    const auto set = readSignalText("a.lircd.conf", p.text);
    ASSERT_EQ(set.entries.size(), 1u);
    EXPECT_EQ(set.entries[0].times, p.once);
    EXPECT_EQ(set.entries[0].repeat, p.repeat);
}

INSTANTIATE_TEST_SUITE_P(Fields, LircdRemote, testing::ValuesIn(kLircdPresses),
                         [](const auto& info) { return std::string(info.param.name); });

struct RoundTrip {
    const char* ending;
    int64_t resolution; // µs either way: half the form's step
    bool keepsRepeat;
    bool holdsNames = true;
};

const RoundTrip kRoundTrips[] = {
    {".ir", 0, false},         {".broadlink", 16, false}, // units of 269/8192 ms (30.45 µs)
    {".sendir", 14, true}, // periods of the 38 kHz carrier (26.3 µs)
    {".h", 0, false},          {".girr", 0, true},
    {".lircd.conf", 0, false}, {".tasmota", 3, false, false}, // 5 µs steps
};

class WrittenForm : public testing::TestWithParam<RoundTrip> {};

TEST_P(WrittenForm, ReadsBackTheSameNamesAndTimes) {
    const RoundTrip& rt = GetParam();
    std::vector<NamedSignal> signals = readSignalFile(dataPath("nec-space.lircd.conf"))->entries;
    signals.push_back(readSignalFile(dataPath("remote-nec.ir"))->entries[0]);
    const std::string path = testing::TempDir() + "/written" + rt.ending;
    const Form form = *writtenFormForPath(path);
    const Written w = writeSignals(form, signals);
    ASSERT_EQ(writeFileWhole(path, w.text), "");
    const auto back = readSignalFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->form, form);
    ASSERT_EQ(back->entries.size(), signals.size());
    for (size_t i = 0; i < signals.size(); ++i) {
        const NamedSignal &a = signals[i], &b = back->entries[i];
        if (rt.holdsNames) {
            EXPECT_EQ(b.name, a.name);
        }
        auto want = rt.keepsRepeat ? a.times : captureTimesOf(a);
        auto have = rt.keepsRepeat ? b.times : captureTimesOf(b);
        // Forms that end on a burst keep the last gap elsewhere or not at all;
        // sendir ends on an off time.
        if (want.size() == have.size() + 1) want.pop_back();
        if (have.size() == want.size() + 1) have.pop_back();
        ASSERT_EQ(have.size(), want.size()) << a.name;
        for (size_t k = 0; k < want.size(); ++k)
            EXPECT_NEAR(have[k], want[k], rt.resolution) << a.name << " time " << k;
        if (rt.keepsRepeat) {
            EXPECT_EQ(b.repeat.size(), a.repeat.size());
        }
    }
    // The forms without a repeat part or a carrier say so; Girr and sendir hold both.
    EXPECT_EQ(w.notHeld.empty(), form == Form::Girr || form == Form::Sendir);
}

INSTANTIATE_TEST_SUITE_P(Forms, WrittenForm, testing::ValuesIn(kRoundTrips));

// Pronto words (a Girr <ccf>, an ESPHome log) read back within a carrier
// period; the last gap is the form's own.
TEST(WrittenForm, ProntoReadsBackWithinACarrierPeriod) {
    const auto set = readSignalFile(dataPath("nec-space.lircd.conf"));
    for (const NamedSignal& s : set->entries) {
        const std::vector<int64_t> want = captureTimesOf(s);
        const std::string girr = "<remotes><command name=\"" + s.name + "\" master=\"ccf\"><ccf>" +
                                 writePronto(want, 1e6 / 38000, 13580) +
                                 "</ccf></command></remotes>";
        const auto back = readSignalText("back.girr", girr).entries;
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(back[0].name, s.name);
        const std::vector<int64_t> have = captureTimesOf(back[0]);
        ASSERT_EQ(have.size(), want.size());
        for (size_t k = 0; k + 1 < want.size(); ++k)
            EXPECT_NEAR(have[k], want[k], 27) << s.name << " time " << k;
    }
}

// Identified signals written as Flipper parsed signals and IRDB rows read
// back to the same presses: every parsed signal of the public remotes.
TEST(WrittenParsed, FlipperParsedAndIrdbRowsGiveBackTheSamePress) {
    size_t parsedBack = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dataPath("remotes"))) {
        if (entry.path().extension() != ".ir") continue;
        std::vector<NamedSignal> rendered;
        const auto set = readSignalFile(entry.path().string());
        for (const auto& s : set->entries)
            if (s.parsed) rendered.push_back(renderParsed(s, table()));
        if (rendered.empty()) continue;
        for (const Form form : {Form::FlipperIr, Form::IrdbCsv}) {
            const Written w = writeSignals(form, rendered, &table());
            const auto back =
                readSignalText(form == Form::IrdbCsv ? "back.csv" : "back.ir", w.text).entries;
            ASSERT_EQ(back.size(), rendered.size()) << entry.path() << w.text;
            for (size_t i = 0; i < back.size(); ++i) {
                EXPECT_EQ(back[i].name, rendered[i].name);
                try {
                    EXPECT_EQ(pressOf(back[i]), pressOf(rendered[i])) << back[i].name;
                } catch (const CaptureFormatError&) { // a row without a parameter it needs: said
                    const std::string said = "\"" + back[i].name + "\": parameter";
                    EXPECT_TRUE(
                        std::any_of(w.notHeld.begin(), w.notHeld.end(),
                                    [&](const std::string& l) { return l.rfind(said, 0) == 0; }))
                        << back[i].name;
                }
                parsedBack += back[i].parsed.has_value();
            }
        }
    }
    EXPECT_GT(parsedBack, 2 * 150u); // all but Kaseikyo's Flipper form (written raw)
}

struct Broken {
    const char* name;
    const char* file;
    std::string text;
    const char* said; // in the refusal, after "PATH: "
};

// One time more than a signal may hold, each before `between`.
std::string tooMany(const std::string& between, const std::string& time) {
    std::string out;
    for (size_t i = 0; i <= kMostTimes; ++i)
        out += (i ? between : "") + time;
    return out;
}

const Broken kBroken[] = {
    {"FlipperWrongVersion", "a.ir", "Filetype: IR signals file\nVersion: 2\n",
     "line 2: expected \"Version: 1\""},
    {"FlipperTruncated", "a.ir",
     "Filetype: IR signals file\nVersion: 1\nname: P\ntype: raw\nfrequency: 38000\n",
     "expected \"frequency:\" and \"data:\""},
    {"FlipperMixedWithLirc", "a.ir",
     "Filetype: IR signals file\nVersion: 1\nname: P\ntype: raw\nbits 16\n",
     "line 5: expected \"key: value\""},
    {"FlipperNotTimes", "a.ir",
     "Filetype: IR signals file\nVersion: 1\nname: P\ntype: raw\nfrequency: 38000\ndata: 9000 x\n",
     "line 6: expected times in microseconds, found \"x\""},
    {"FlipperBadAddress", "a.ir",
     "Filetype: IR signals file\nVersion: 1\nname: P\ntype: parsed\nprotocol: NEC\naddress: 07\n",
     "line 6: expected four hexadecimal bytes"},
    {"TxtWithoutFiletype", "a.ir", "Version: 1\n", "line 1: expected \"Filetype: IR"},
    {"BroadlinkCutOff", "a.txt", "JgBQAAABKZIUEhQ2", "line 1: expected 80 bytes of durations"},
    {"BroadlinkRadio", "a.broadlink", "{\"x\": \"sgBQAAABKZIUEhQ2\"}",
     "line 1: expected an infrared code"},
    {"RawDataShort", "a.txt", "uint16_t rawData[5] = {9000, 4500, 560};",
     "line 1: expected 5 values"},
    {"RawDataCutOff", "a.txt", "x\nuint16_t rawData[3] = {9000, 4500,", "line 2: expected \"}\""},
    {"LircCutOff", "a.conf", "begin remote\n name x\n begin raw_codes\n name K\n 9000 4500 560\n",
     "expected \"end raw_codes\": the file is cut off"},
    {"LircUnknownFlag", "a.conf",
     "begin remote\n flags RCMM\n bits 8\n one 1 1\n zero 1 1\n begin codes\n",
     "line 6: remote \"\": flag RCMM"},
    {"LircCodeNotNumber", "a.conf",
     "begin remote\n bits 8\n one 500 1500\n zero 500 500\n begin codes\n K zz\n end codes\nend "
     "remote\n",
     "line 6: expected \"KEY 0x...\""},
    {"GirrNotXml", "a.girr", "<remotes><command name=\"a\">", "expected well-formed XML"},
    {"GirrBadTimes", "a.girr",
     "<remotes><command name=\"a\"><raw><intro>+9000 -x</intro></raw></command></remotes>",
     "line 1: expected signed times in <intro>"},
    {"SendirLowFrequency", "a.sendir", "sendir,1:1,1,1000,1,1,10,10\n",
     "line 1: expected a frequency of 15000"},
    {"SendirOddCounts", "a.sendir", "sendir,1:1,1,38000,1,1,10,10,10\n",
     "line 1: expected on/off counts in pairs"},
    {"CsvShortRow", "a.csv", "functionname,protocol,device,subdevice,function\nPOWER,NEC1,4\n",
     "line 2: expected functionname,protocol,device,subdevice,function, found 3 fields"},
    {"EspHomeNoTimes", "a.log", "[D][remote.raw]: Received Raw: x\n",
     "line 1: expected signed times"},
    {"LircToggleMask", "a.conf",
     "begin remote\n bits 8\n one 1 1\n zero 1 1\n toggle_mask 0x1\n begin codes\n",
     "line 6: remote \"\": toggle_mask is not rendered"},
    {"LircMixedWithFlipper", "a.conf",
     "begin remote\n flags RAW_CODES\n begin raw_codes\n name K\n type: raw\n",
     "line 5: expected times in microseconds, found \"type:\""},
    {"SendirMixedWithBroadlink", "a.sendir", "sendir,1:1,1,38000,1,1,10,10\nJgBQAAABKZIUEhQ2\n",
     "line 2: expected a \"sendir,\" line"},
    {"FlipperOversized", "a.ir",
     "Filetype: IR signals file\nVersion: 1\nname: P\ntype: raw\nfrequency: 38000\ndata: " +
         tooMany(" ", "500"),
     "line 6: expected at most 20000 times"},
    {"LircOversized", "a.conf",
     "begin remote\n flags RAW_CODES\n begin raw_codes\n name K\n" + tooMany(" ", "500"),
     "line 5: expected at most 20000 times"},
    {"RawDataOversized", "a.h", "uint16_t rawData[] = {" + tooMany(", ", "500") + "};",
     "line 1: expected at most 20000 times"},
    {"EspHomeOversized", "a.log", "Received Raw: " + tooMany(", ", "500, -500"),
     "line 1: expected at most 20000 times"},
    {"GirrOversized", "a.girr",
     "<remotes><command name=\"a\"><raw><intro>" + tooMany(" ", "+500 -500") +
         "</intro></raw></command></remotes>",
     "line 1: expected at most 20000 times"},
    {"SendirOversized", "a.sendir", "sendir,1:1,1,38000,1,1," + tooMany(",", "10,10"),
     "line 1: expected at most 20000 counts"},
    {"TasmotaOversized", "a.txt", "IRsend +500-500" + tooMany("", "A-500"),
     "line 1: expected compact raw"},
};

class BrokenFile : public testing::TestWithParam<Broken> {};

TEST_P(BrokenFile, IsRefusedNamingFileLineAndWhatWasExpected) {
    const Broken& b = GetParam();
    try {
        readSignalText(b.file, b.text);
        FAIL() << "read";
    } catch (const CaptureFormatError& e) {
        const std::string said = e.what();
        EXPECT_EQ(said.rfind(std::string(b.file) + ": ", 0), 0u) << said;
        EXPECT_NE(said.find(b.said), std::string::npos) << said;
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, BrokenFile, testing::ValuesIn(kBroken),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Labels, SignalNamedByLabelOrPickedByName) {
    const std::string path = dataPath("remote-nec.ir");
    EXPECT_EQ(signalLabels(path), (std::vector<std::string>{path + "#Power", path + "#Mute"}));
    EXPECT_EQ(signalLabels(path, "Mute"), std::vector<std::string>{path + "#Mute"});
    EXPECT_THROW(signalLabels(path, "Nothing"), CaptureFormatError);
    EXPECT_THROW(readLabelledCapture(path), CaptureFormatError); // two signals: name one
    EXPECT_FALSE(readLabelledCapture(path + "#Mute").message.empty());
    EXPECT_EQ(signalLabels(dataPath("../engine/cli/nec-long-burst.txt")).size(), 1u);
}

} // namespace
