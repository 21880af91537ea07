#include "app/protocol_table.h"

#include "platform/paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace qv {

namespace fs = std::filesystem;

std::vector<ProtocolLoadLine> loadShippedProtocols(irp::ProtocolTable& table) {
    std::vector<ProtocolLoadLine> said;
    for (const fs::path& p : {fs::path(programDirectory()) / irp::kShippedTableName,
                              fs::path(locateAppFiles().resources) / irp::kShippedTableName}) {
        std::error_code ec;
        if (!fs::is_regular_file(p, ec)) continue;
        try {
            for (const auto& e : table.addFile(p.string()).errors)
                said.push_back({true, e});
            return said;
        } catch (const std::exception& e) {
            // An unreadable copy: the next place may hold a good one.
            said.push_back({true, e.what()});
        }
    }
    said.push_back(
        {true, std::string("the protocol table ") + irp::kShippedTableName + " was not found"});
    return said;
}

bool loadProtocolFile(irp::ProtocolTable& table, const std::string& file,
                      std::vector<ProtocolLoadLine>& said) {
    try {
        const irp::LoadReport report = table.addFile(file);
        for (const auto& r : report.replaced)
            said.push_back({false, r});
        for (const auto& e : report.errors)
            said.push_back({true, file + ": " + e});
        return true;
    } catch (const std::exception& e) {
        said.push_back({false, e.what()});
        return false;
    }
}

std::vector<std::string> readProtocolFileList(const std::string& listFile) {
    std::vector<std::string> files;
    std::ifstream in(listFile);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') files.push_back(line);
    }
    return files;
}

bool writeProtocolFileList(const std::string& listFile, const std::vector<std::string>& files) {
    std::ofstream out(listFile, std::ios::trunc);
    out << "# Protocol files added to the IRP table, one a line\n";
    for (const auto& f : files)
        out << f << '\n';
    out.flush();
    return static_cast<bool>(out);
}

namespace {

// The table and the files it was loaded with.
struct WindowTable {
    irp::ProtocolTable table;
    std::vector<std::string> files;
    std::string listFile;
    int generation = 0;
};

WindowTable& windowTable() {
    static WindowTable t = [] {
        WindowTable w;
        for (const auto& line : loadShippedProtocols(w.table))
            std::fprintf(stderr, "quorvel: warning: %s\n", line.text.c_str());
        return w;
    }();
    return t;
}

} // namespace

const irp::ProtocolTable& protocolTable() {
    return windowTable().table;
}

int protocolTableGeneration() {
    return windowTable().generation;
}

const std::vector<std::string>& protocolFiles() {
    return windowTable().files;
}

std::vector<std::string> useProtocolFiles(const std::vector<std::string>& files) {
    WindowTable& w = windowTable();
    irp::ProtocolTable table;
    std::vector<ProtocolLoadLine> said = loadShippedProtocols(table);
    said.clear(); // said once, at the first load
    std::vector<std::string> kept;
    for (const auto& f : files)
        if (loadProtocolFile(table, f, said)) kept.push_back(f);
    std::vector<std::string> lines;
    for (const auto& l : said)
        lines.push_back(l.text);
    if (!w.listFile.empty() && !writeProtocolFileList(w.listFile, kept))
        lines.push_back(w.listFile +
                        ": cannot be written; the files are used until the program ends");
    w.table = std::move(table);
    w.files = std::move(kept);
    ++w.generation;
    return lines;
}

std::vector<std::string> keepProtocolFilesIn(const std::string& listFile) {
    const std::vector<std::string> files = readProtocolFileList(listFile);
    WindowTable& w = windowTable();
    std::vector<std::string> lines;
    w.listFile.clear(); // what is read is not written back
    if (!files.empty() || !w.files.empty()) lines = useProtocolFiles(files);
    w.listFile = listFile;
    return lines;
}

} // namespace qv
