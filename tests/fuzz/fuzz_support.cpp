#include "fuzz_support.h"

#include "catalogue/catalogue_build.h"
#include "platform/table_cursor.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace qvfuzz {

uint8_t ByteReader::byte() {
    return m_pos < m_size ? m_data[m_pos++] : 0;
}

uint16_t ByteReader::u16() {
    const uint16_t hi = byte();
    return static_cast<uint16_t>(hi << 8 | byte());
}

uint32_t ByteReader::u24() {
    const uint32_t hi = u16();
    return hi << 8 | byte();
}

double ByteReader::f64() {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits = bits << 8 | byte();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string ByteReader::text(size_t maxLength) {
    size_t n = byte();
    if (n > maxLength) n = maxLength;
    if (n > remaining()) n = remaining();
    std::string out(reinterpret_cast<const char*>(m_data + m_pos), n);
    m_pos += n;
    return out;
}

std::vector<uint8_t> ByteReader::rest() {
    std::vector<uint8_t> out(m_data + m_pos, m_data + m_size);
    m_pos = m_size;
    return out;
}

namespace {

struct WorkDir {
    std::string path;
    WorkDir() {
        // Memory-backed when the system has it: the targets write files often.
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec) || access(base.c_str(), W_OK) != 0)
            base = std::filesystem::temp_directory_path();
        std::string tmpl = (base / "quorvel-fuzz-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) broken("cannot make a working folder in " + base.string());
        path = tmpl;
    }
    ~WorkDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

} // namespace

const std::string& workDir() {
    static WorkDir dir;
    return dir.path;
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
    auto db = qv::Database::open(path, true);
    qv::TableCursor t(db, "Type", "Format");
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

void broken(const std::string& what) {
    std::fprintf(stderr, "\nquorvel fuzz: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace qvfuzz
