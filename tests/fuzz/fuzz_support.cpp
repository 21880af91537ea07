#include "fuzz_support.h"

#include "catalogue/catalogue_build.h"
#include "platform/table_cursor.h"
#include "tests/temp_dir.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qvfuzz {

double ByteReader::f64() {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits = bits << 8 | byte();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string ByteReader::text(size_t maxLength) {
    const size_t n = std::min<size_t>({byte(), maxLength, m_size - std::min(m_pos, m_size)});
    std::string out(reinterpret_cast<const char*>(m_data + m_pos), n);
    m_pos += n;
    return out;
}

std::vector<uint8_t> ByteReader::rest() {
    std::vector<uint8_t> out(m_data + std::min(m_pos, m_size), m_data + m_size);
    m_pos = m_size;
    return out;
}

const std::string& workDir() {
    static qvtest::TempDir dir;
    return dir.path();
}

const std::string& pristineCatalogue() {
    static const std::string path = [] {
        const std::string db = workDir() + "/shipped.db";
        qv::buildCatalogueIfMissing(std::string(QV_SOURCE_DIR) + "/data/catalogue.sql", db);
        return db;
    }();
    return path;
}

CatalogueRows catalogueRows(const std::string& path) {
    qv::TableCursor t(qv::Database::open(path, true), "Type", "Format");
    CatalogueRows rows;
    for (bool more = t.moveFirst(); more; more = t.moveNext()) {
        auto& row = rows.emplace_back();
        for (const auto& name : t.fieldNames())
            row.emplace_back(name, t.field(name).toText());
    }
    return rows;
}

void copyFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) broken("cannot copy " + from + " to " + to + ": " + ec.message());
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void broken(const std::string& what) {
    std::fprintf(stderr, "\nquorvel fuzz: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace qvfuzz
