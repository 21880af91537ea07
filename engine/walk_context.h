// What every part of the engine shares while it walks one capture: the
// capture, the format's fields, the settings, the read cursor and the
// result being built. Internal to the engine (and its tests).
#pragma once

#include "engine/decode_values.h"
#include "engine/engine.h"
#include "engine/error_report.h"
#include "engine/row_quirks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace qv::engine {

// A field value that may be absent: a Null field takes part in no
// comparison (every test against it is false).
using Standard = std::optional<double>;

inline Standard operator+(Standard a, Standard b) {
    if (!a || !b) return std::nullopt;
    return *a + *b;
}
inline Standard operator*(double k, Standard a) {
    if (!a) return std::nullopt;
    return k * *a;
}

// The fields of the row being walked, read by name at each use.
class FormatFields {
public:
    explicit FormatFields(const FormatRow& row) : m_row(row) {}

    // The stored value; WalkAborted when there is no row or no such field.
    const FieldValue& raw(const char* name) const;
    // Stored number; nullopt for Null. Text that is not a number aborts.
    Standard value(const char* name) const;
    // Whole part (toward minus infinity) of the stored number.
    Standard whole(const char* name) const;
    // A number the rule computes with (not only compares): Null aborts too.
    double required(const char* name) const;
    // The stored text ("" for Null).
    std::string text(const char* name) const;
    bool is(const char* name, std::string_view text) const;
    bool isAnyOf(const char* name, std::initializer_list<std::string_view> texts) const;
    // "---": the format has no such time (end bit fields).
    bool isNone(const char* name) const;
    // The stored value as error lines show it.
    std::string shown(const char* name) const { return text(name); }

    // whole() of the bit times every bit step reads, kept apart from the
    // table below as they are read a few times a bit.
    enum class BitTime { ZeroOsc, ZeroIdle, OneIdle };
    Standard bitTime(BitTime which) const {
        static constexpr const char* kNames[] = {"Zero_Osc", "zero_Idle", "One_Idle"};
        auto& kept = m_bitTimes[static_cast<size_t>(which)];
        if (!kept) kept = whole(kNames[static_cast<size_t>(which)]);
        return *kept;
    }

private:
    // Where a name was found in the row, and its number once read: the row
    // does not change while a walk reads it, so each is worked out once.
    struct Found {
        const char* name = nullptr;
        const FieldValue* value = nullptr;
        bool read = false, wholeRead = false;
        Standard number, whole;
    };
    Found& found(const char* name) const;

    const FormatRow& m_row;
    // Open addressing on the name's address (the names are literals); a
    // name spelt at two addresses takes two slots, which is harmless.
    static constexpr size_t kSlots = 64;
    mutable std::array<Found, kSlots> m_found{};
    mutable size_t m_foundCount = 0;
    mutable std::array<std::optional<Standard>, 3> m_bitTimes{};
};

// The time window: T matches S when S(1 - tol) < T < S(1 + tol), T is off S
// when it lies outside either bound. The factors are single precision, as
// the tolerance is stored; a value on a bound neither matches nor is off.
// An absolute tolerance widens the window of a time S > 0 to at least
// S - abs < T < S + abs (0 stands for no time and keeps its empty window):
// a short time from a demodulating receiver is off by a fixed amount rather
// than a share.
struct Window {
    float tolerance;
    double absolute = 0;

    explicit Window(float t) : tolerance(t) {}
    explicit Window(const WindowSettings& w) : tolerance(w.tolerance), absolute(w.absolute) {}

    double lower(double s) const {
        const double share = s * static_cast<double>(static_cast<float>(1.0f - tolerance));
        return absolute > 0 && s > 0 ? std::min(share, s - absolute) : share;
    }
    double upper(double s) const {
        const double share = s * static_cast<double>(static_cast<float>(1.0f + tolerance));
        return absolute > 0 && s > 0 ? std::max(share, s + absolute) : share;
    }
    bool below(double t, Standard s) const { return s && t < lower(*s); }
    bool above(double t, Standard s) const { return s && t > upper(*s); }
    // Bounds of combined standards, "t < S(1 + tol)" and "t > S(1 - tol)".
    bool belowUpper(double t, Standard s) const { return s && t < upper(*s); }
    bool aboveLower(double t, Standard s) const { return s && t > lower(*s); }
    bool matches(double t, Standard s) const { return s && lower(*s) < t && t < upper(*s); }
    bool off(double t, Standard s) const { return below(t, s) || above(t, s); }
};

// A cell's text as a time: the number at its start, truncated; empty text
// and cells outside the grid read 0.
int64_t timeOf(std::string_view cell);

// The walk's state between tokens: the read cursor, the group, the
// structure being walked and the parts read so far.
struct DecodeState {
    bool DecodeOK = true;
    std::string PartBits;
    float TimeSum = 0;
    std::string StartBits, ToggleBits, FixedBits, CustomerBits, RevCustomerBits, DataBits,
        RevDataBits, ParityBits;
    std::string ParityCalc;
    std::string DataBitsRead; // the data part's bits as read, before DataBits is split into bytes
    int16_t FirstCustomerBit = 0;
    std::string CodeText, HexText;
    // Each part's text in HexText, in order (kept when annotating).
    std::vector<std::pair<Part, std::string>> PartTexts;
    float PairTime1 = 0, PairTime2 = 0;
};

struct WalkState {
    long row = 1;
    int16_t col = 1;
    int16_t group = 1;
    std::string structure; // the structure still to walk
    int32_t structurePos = 0, runIndex = 0, structureLen = 0;
    int32_t runCount = 0;
    DecodeState d;
};

// The coding rules of the bit step, by the row's "Type".
enum class CodingRule {
    RunLengths, // "SE"
    Mis,        // "MIS": by the row's MisVariant
    Rcs16,      // "RCS16"
    Intervals,  // "HL"
    Bursts,     // "RIB"
    FourGaps,   // "DNA"
    Gaps,       // every other type
};

// One walk over the capture. Nested walks share it and count their depth.
struct Walk {
    Walk(const TimeTable& t, const FormatRow& row, const DecodeSettings& set, WalkState& st,
         DecodeResult& result)
        : times(t), f(row), quirks(quirksOf(row)), settings(set), state(st), d(st.d), out(result) {}

    const TimeTable& times;
    FormatFields f;
    const RowQuirks quirks;
    const DecodeSettings& settings;
    WalkState& state;
    DecodeState& d;
    DecodeResult& out;
    int depth = 0;
    Part part = Part::None;
    // The demodulated capture's sampling step (engine/burst_excess.h), µs.
    double samplingStep = 1;
    // The row's coding rule, read from "Type" at the first bit.
    std::optional<CodingRule> codingRule;
    // Where a part first ran out of times (group, the time that ended it):
    // the walk stops there without an error line of its own.
    std::optional<std::pair<int, int64_t>> ranOut;

    Window window() const { return Window{settings.window}; }

    // The one place a time is taken from the capture record.
    int64_t timeAt(long row, long col) const { return times.time(row, col); }
    int64_t cursorTime() const { return timeAt(state.row, state.col); }
    const std::string& cursorText() const { return times.cell(state.row, state.col); }
    // The cell after the cursor: column 10 continues at column 1 of the next row.
    int64_t nextTime() const {
        return state.col >= kDataCols ? timeAt(state.row + 1, 1) : timeAt(state.row, state.col + 1);
    }
    // The cell before the cursor; nothing lies before (1, 1).
    int64_t previousTime() const {
        if (state.col > 1) return timeAt(state.row, state.col - 1);
        return state.row > 1 ? timeAt(state.row - 1, kDataCols) : 0;
    }
    // Whether a cell holds a time: a number other than 0.
    static bool holdsTime(int64_t t) { return t != 0; }

    void advance() {
        ++state.col;
        if (state.col > kDataCols) {
            state.col = 1;
            ++state.row;
        }
    }
    void advance(int cells) {
        for (int i = 0; i < cells; ++i)
            advance();
    }
    // One cell back, never before (1, 1).
    void stepBack() {
        if (state.col > 1)
            --state.col;
        else if (state.row > 1) {
            --state.row;
            state.col = kDataCols;
        }
    }
    void addTime(double t) { d.TimeSum = static_cast<float>(d.TimeSum + static_cast<float>(t)); }
    // Adds the time at the cursor to the group's total and moves past it.
    void consume() {
        addTime(static_cast<double>(cursorTime()));
        advance();
    }

    void report(const ErrorReport& r) { out.errors.push_back(r); }
    // The stop rule after an error report: with "Ignore Time" unchecked the
    // step fails and must end; checked, it goes on.
    bool stopAfter(const ErrorReport& r) {
        report(r);
        if (settings.ignoreTime) return false;
        d.DecodeOK = false;
        return true;
    }

    // Notes a time read at the cursor (offset cells after it: 0 or 1, -1
    // before it), checked against standard; returns pass.
    bool note(ReadAs as, int offset, int64_t t, Standard standard, bool pass, int bit = -1,
              std::string bits = {});
    // A time read with no standard to fit: a run length, a counted part.
    void noteFree(ReadAs as, int offset, int64_t t, int bit = -1, std::string bits = {});
    int groupNo() const { return state.group; }
};

// The cell offset cells from the cursor (-1, 0, 1).
std::pair<long, int> cellFrom(const WalkState& st, int offset);

// The tokens of a structure.
enum class Token {
    Head,            // "H"
    RepeatHead,      // "H2"
    Start,           // "S"
    Toggle,          // "T"
    Fixed,           // "F"
    Customer,        // "C"
    ReverseCustomer, // "~C"
    FirstBitAgain,   // "RC0"
    Data,            // "D"
    ReverseData,     // "~D"
    LastBurst,       // "B0"
    GroupEnd,        // "X"
    EndBit,          // "E"
    Parity,          // "P"
};
std::optional<Token> tokenOf(std::string_view text);

// The coding rule of a row's "Type".
CodingRule codingRuleOf(std::string_view type);

// The frame reader and the bit step on a walk (the public entry points wrap these).
void readCode(Walk& w, const std::string& token);
void readIRData(Walk& w);
// A walk over the structure started inside a walk; RunawayWalk past the limit.
void nestedWalk(Walk& w);
// The structure walk from its start; every failure caught.
void walkStructure(Walk& w);

// Which of the standards t is read as, where a gap has several to choose
// from: the first whose window takes it, or in the demodulated mode, whose
// wide windows overlap, the nearest of those. -1 for none.
int gapSymbol(Walk& w, int64_t t, std::initializer_list<Standard> standards);

// The gap-coded rules of the bit step; T1 and T2 as read at its start.
void ruleMIS(Walk& w, int64_t t1, int64_t t2);
void ruleRCS16(Walk& w);

// The "RCS16" symbols: each begins with a gap whose length gives two bits
// and the gap that follows the next burst ("00" has one pair only, its
// burst twice as long).
struct Rcs16Symbol {
    const char* gap;
    const char* bits;
    const char* secondGap;
};
inline constexpr Rcs16Symbol kRcs16Symbols[] = {{"zero_Idle", "11", "One_Osc"},
                                                {"zero_HL", "10", "zero_HL"},
                                                {"One_Osc", "01", "zero_Idle"},
                                                {"One_Idle", "00", nullptr}};

// Text from 1-based position start, at most n characters (all when n is
// negative); empty when start lies past the end.
inline std::string midText(const std::string& s, long start, long n = -1) {
    if (start < 1 || static_cast<size_t>(start) > s.size()) return {};
    return n < 0 ? s.substr(start - 1) : s.substr(start - 1, static_cast<size_t>(n));
}
// The last n characters (all when shorter).
inline std::string rightText(const std::string& s, size_t n) {
    return n >= s.size() ? s : s.substr(s.size() - n);
}

// The test time of a report: the whole number in plain decimal.
inline std::string timeText(int64_t t) {
    return std::to_string(t);
}

} // namespace qv::engine
