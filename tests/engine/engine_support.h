// Fixtures for the engine tests: a catalogue of our own rows in the shipped
// table layout, captures written straight into the time table, and NEC key
// presses built from the protocol's description.
#pragma once

#include "app/session.h"
#include "engine/walk_context.h"
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
inline qv::FieldValue text(const std::string& t) {
    return qv::FieldValue::text(t);
}
inline qv::FieldValue null() {
    return {};
}

std::string sourcePath(const std::string& relative);

// The NEC N-8 parameters (the format editor's defaults) with one head bit.
Fields necFields();

// A catalogue holding only the rows a test makes: the table and index of
// data/catalogue.sql, rows from necFields() changed by the given fields.
class TestCatalogue {
public:
    explicit TestCatalogue(const std::string& path);
    const std::string& path() const { return m_path; }
    void add(const std::string& key, const Fields& changes = {});
    void set(const std::string& key, const Fields& changes);
    bool has(const std::string& key) const;

private:
    std::string m_path;
};

// Times written into the time table from (1, 1) in reading order; every
// other data cell is emptied.
void loadTimes(qv::Session& s, const std::vector<long>& times);

// An NEC key press: one frame with address, command and their inverses,
// then repeat frames, at the 108 ms frame period; the last burst is
// followed by the end-of-signal gap.
std::vector<long> necPress(unsigned address, unsigned command, int repeats);

// A session with the walk's state beside it, for tests that drive one
// token or one bit step of the walk on a session's capture and format.
struct WalkSession : qv::Session {
    std::string FrameSpec;
    int32_t SpecPos = 0, RunIndex = 0, SpecLen = 0;
    qv::engine::DecodeState decode;
};

// The walk from the structure's start, one token, one bit step: run on
// the session's capture record and selected row, with its settings; the
// walk's results are added to the session's boxes and lists.
void HandleData(WalkSession& s);
void ReadCode(WalkSession& s, const std::string& token);
void ReadIRData(WalkSession& s);
// The learner, as the dispatch runs it.
void GenelRead(qv::Session& s);

// A session on a test catalogue in its own folder ("Error record.txt" lies
// there too).
class EngineTest : public ::testing::Test {
protected:
    EngineTest();

    // Makes (or changes) the row of key from the NEC parameters and selects it.
    void useFormat(const std::string& key, const Fields& changes = {});
    // The time table, the cursor at (row, col).
    void load(const std::vector<long>& times, long row = 1, int col = 1);
    std::string errorRecordText() const;

    TempDir dir;
    TestCatalogue catalogue;
    WalkSession s;
};

} // namespace enginetest
