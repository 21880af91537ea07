// Fixtures of the engine and dispatch tests: a catalogue holding only the
// rows a test makes, and NEC key presses built from the protocol.
#pragma once

#include "app/session.h"
#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace enginetest {

using qvtest::TempDir;
using Fields = std::vector<std::pair<std::string, qv::FieldValue>>;

inline qv::FieldValue num(double v) {
    return qv::FieldValue::number(v);
}

inline std::string sourcePath(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

// The shipped table layout; rows are Form016 (NEC) changed by the given fields.
class TestCatalogue {
public:
    explicit TestCatalogue(const std::string& path);
    const std::string& path() const { return m_path; }
    void add(const std::string& key, const Fields& changes = {});
    void set(const std::string& key, const Fields& changes);

private:
    std::string m_path;
};

// Times written into the time table from (1, 1) in reading order; every
// other data cell is emptied.
void loadTimes(qv::Session& s, const std::vector<long>& times);

// An NEC key press: one frame, then repeat frames, at the 108 ms frame
// period; the last gap is the end of the signal.
std::vector<long> necPress(unsigned address, unsigned command, int repeats);

} // namespace enginetest
