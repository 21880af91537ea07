// What the fuzz targets share: structured values read from the fuzzer's
// bytes, a private folder with the shipped catalogue, and the check that
// ends the run when an input breaks a promise of the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qvfuzz {

// Takes values from the front of the input; an exhausted input gives zeros
// and empty texts, so every input means something.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_pos >= m_size; }
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint16_t u16() {
        const unsigned hi = byte();
        return static_cast<uint16_t>(hi << 8 | byte());
    }
    uint32_t u24() {
        const uint32_t hi = u16();
        return hi << 8 | byte();
    }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    double f64();
    // A text of up to maxLength bytes, its length taken from one byte.
    std::string text(size_t maxLength = 255);
    std::vector<uint8_t> rest();

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A folder of this process, removed at exit, and the shipped catalogue
// built once into it.
const std::string& workDir();
const std::string& pristineCatalogue();

// Every row of a catalogue as text, field by field, in key order.
using CatalogueRows = std::vector<std::vector<std::pair<std::string, std::string>>>;
CatalogueRows catalogueRows(const std::string& path);
void copyFile(const std::string& from, const std::string& to);
std::string fileBytes(const std::string& path);

// A broken promise: prints what and aborts, which the fuzzer reports as a
// crash and the replay test as a failure.
[[noreturn]] void broken(const std::string& what);
inline void require(bool ok, const std::string& what) {
    if (!ok) broken(what);
}

} // namespace qvfuzz
