#include "engine_support.h"

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_build.h"
#include "platform/table_cursor.h"

#include <fstream>
#include <sstream>

namespace enginetest {

TestCatalogue::TestCatalogue(const std::string& path) : m_path(path) {
    std::ifstream in(sourcePath("data/catalogue.sql"));
    std::ostringstream schema;
    for (std::string line; std::getline(in, line) && line.rfind("INSERT", 0) != 0;)
        schema << line << "\n";
    qv::Database::create(m_path)->exec(schema.str());
}

void TestCatalogue::add(const std::string& key, const Fields& changes) {
    // Form016 of the shipped catalogue, under another key.
    TempDir shipped;
    const std::string db = shipped.file("IRTime.db");
    qv::buildCatalogueIfMissing(sourcePath("data/catalogue.sql"), db);
    auto from = qv::openCatalogue(db);
    from->seek("Form016");
    Fields all;
    for (const auto& name : from->fieldNames())
        if (name != "Format") all.emplace_back(name, from->field(name));
    all.insert(all.end(), changes.begin(), changes.end());
    qv::Database::open(m_path)->exec("INSERT INTO \"Type\" (\"Format\") VALUES ('" + key + "')");
    set(key, all);
}

void TestCatalogue::set(const std::string& key, const Fields& changes) {
    auto cursor = qv::openCatalogue(m_path);
    if (!cursor->seek(key)) throw std::runtime_error("no row " + key);
    cursor->edit();
    for (const auto& [name, value] : changes)
        cursor->setField(name, value);
    cursor->update();
}

void loadTimes(qv::Session& s, const std::vector<long>& times) {
    s.TTable.clearAll();
    for (size_t i = 0; i < times.size(); ++i)
        s.TTable.setCell(static_cast<long>(i / 10) + 1, static_cast<long>(i % 10) + 1,
                         std::to_string(times[i]));
}

std::vector<long> necPress(unsigned address, unsigned command, int repeats) {
    std::vector<long> t = {9000, 4500};
    for (unsigned byte : {address, ~address & 0xFFu, command, ~command & 0xFFu})
        for (int i = 0; i < 8; ++i)
            t.insert(t.end(), {562, (byte >> i) & 1 ? 1688L : 562L});
    t.push_back(562);
    t.push_back(39954);
    for (int r = 0; r < repeats; ++r)
        t.insert(t.end(), {9000, 2250, 562, 96188});
    t.back() = qv::kEndOfSignal;
    return t;
}

} // namespace enginetest
