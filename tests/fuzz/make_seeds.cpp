// Writes the seed corpus of the fuzz targets: every named slot's protocol
// key press from the protocol tests, as the receiver would send it, and the
// shipped sample captures. Usage: make_fuzz_seeds CORPUS_DIR SAMPLES_DIR
#include "fuzz_support.h"

#include "../protocols/protocol_cases.h"

#include "capture/capture_formats.h"
#include "capture/capture_text.h"
#include "catalogue/format_menus.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

void write(const fs::path& file, const std::vector<uint8_t>& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void write(const fs::path& file, const std::string& text) {
    write(file, std::vector<uint8_t>(text.begin(), text.end()));
}

size_t captionIndex(const std::string& key) {
    const auto& entries = qv::formatMenuEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].key() == key) return i;
    return entries.size();
}

size_t rowIndex(const qvfuzz::CatalogueRows& rows, const std::string& key) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].front().second == key) return i;
    return rows.size();
}

std::string rowField(const qvfuzz::CatalogueRows& rows, size_t row, const std::string& name) {
    for (const auto& [field, text] : rows.at(row))
        if (field == name) return text;
    return {};
}

std::vector<uint8_t> join(std::vector<uint8_t> head, const std::vector<uint8_t>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR SAMPLES_DIR\n", argv[0]);
        return 2;
    }
    const fs::path corpus = argv[1];
    const qvfuzz::CatalogueRows rows = qvfuzz::catalogueRows(qvfuzz::pristineCatalogue());
    int written = 0;

    for (const auto& pc : cases::protocolCases()) {
        const irsig::Capture capture = irsig::render(pc.make(cases::Code::Mixed).press, 0.02, 7);
        const std::vector<uint8_t> message = qv::messageFromTimes(capture.times);
        const std::string name = pc.key + "-" + pc.protocol;
        auto safe = [](std::string s) {
            for (char& c : s)
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
            return s;
        };

        // Row, switches (one tick), 3%, recording column 1.
        const auto caption = static_cast<uint8_t>(captionIndex(pc.key));
        write(corpus / "capture_dispatch" / safe(name), join({caption, 0x00, 0, 1}, message));
        ++written;

        // The shipped row unchanged, its read order, 3% (12 / 400), 500 us,
        // wait time 15000, 0,1 tolerance "100", the capture as a message.
        const size_t row = rowIndex(rows, pc.key);
        if (row < rows.size()) {
            const uint8_t order = rowField(rows, row, "convert") == "Y" ? 0 : 4;
            write(corpus / "format_row" / safe(name),
                  join({static_cast<uint8_t>(row), 0, order, 12, 0x01, 0xF4, 0x3A, 0x98, 3, '1',
                        '0', '0'},
                       message));
            ++written;
        }
        write(corpus / "capture_text" / (safe(name) + ".txt"), qv::writeTimeList(capture.times));
        ++written;
    }

    // The decode's switches on one NEC press: automatic selection over eight
    // captures, "Ignore Time", "OCT", the sample comparison with recording.
    const irsig::Capture nec =
        irsig::render(cases::protocolCase("Form016").make(cases::Code::Mixed).press, 0.02, 7);
    const std::vector<uint8_t> necMessage = qv::messageFromTimes(nec.times);
    const auto necCaption = static_cast<uint8_t>(captionIndex("Form016"));
    const std::pair<const char*, uint8_t> variants[] = {{"auto-eight-captures", 0xE1},
                                                        {"ignore-time", 0x02},
                                                        {"oct", 0x04},
                                                        {"compare-record", 0x38}};
    for (const auto& [name, switches] : variants) {
        write(corpus / "capture_dispatch" / (std::string("Form016-") + name),
              join({static_cast<uint8_t>(necCaption + 1), switches, 0, 3}, necMessage));
        ++written;
    }
    // The NEC press on the generic formats, which learn their rows from it.
    for (const char* key : {"IB", "RIB", "HL", "SE"}) {
        write(corpus / "capture_dispatch" / (std::string("learn-") + key),
              join({static_cast<uint8_t>(captionIndex(key)), 0x20, 0, 1}, necMessage));
        ++written;
    }
    // The NEC press written straight into the capture record.
    {
        std::vector<uint8_t> cells = {static_cast<uint8_t>(rowIndex(rows, "Form016")),
                                      0,
                                      0x80,
                                      12,
                                      0x01,
                                      0xF4,
                                      0x3A,
                                      0x98,
                                      3,
                                      '1',
                                      '0',
                                      '0'};
        for (int64_t t : nec.times) {
            cells.push_back(static_cast<uint8_t>(t >> 16));
            cells.push_back(static_cast<uint8_t>(t >> 8));
            cells.push_back(static_cast<uint8_t>(t));
        }
        for (uint8_t b : {0x03, 0xCC, 0x35, 0xFF, 0xFF, 0xFF}) // 248885, then an empty cell
            cells.push_back(b);
        write(corpus / "format_row" / "Form016-cells", cells);
        ++written;
    }

    // The shipped samples and the other text forms of one capture.
    for (const auto& entry : fs::directory_iterator(argv[2])) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        write(corpus / "capture_text" / entry.path().filename(), text);
        ++written;
    }
    write(corpus / "capture_text" / "nec-signed.raw", qv::writeSignedRaw(nec.times));
    write(corpus / "capture_text" / "nec.mode2", qv::writeMode2(nec.times));
    write(corpus / "capture_text" / "nec.pronto", qv::writePronto(nec.times, 1000.0 / 38.0));
    written += 3;

    std::printf("%d seed inputs written to %s\n", written, corpus.c_str());
    return 0;
}
