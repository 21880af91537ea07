// What a decode reads and gives: a format row's fields, the settings, and
// the result with every time the walk read. The decode itself is in
// engine/decode.h.
#pragma once

#include "capture/capture_record.h"
#include "engine/error_report.h"
#include "platform/table_cursor.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::engine {

// One catalogue row's fields as values, in the catalogue's field order.
class FormatRow {
public:
    // No row: every field read ends the walk, which then decodes nothing.
    FormatRow() = default;
    // The cursor's current row (its pending edit, if any); no row when the
    // cursor stands on none.
    static FormatRow fromCursor(const TableCursor& cursor);

    bool present() const { return m_present; }
    // The key field's text (a slot such as Form016, or IB); empty without a row.
    std::string key() const;
    // By name: the exact name first, then ignoring case; nullptr when the
    // row has no such field (or there is no row).
    const FieldValue* find(std::string_view name) const;
    // find() for a name spelt as a literal. The walk reads the same few
    // names at every decode of a row: their places are kept by address.
    const FieldValue* findLiteral(const char* name) const;
    // Stores a value as the catalogue would: a NUMERIC field takes the
    // number a text spells and reads empty text as Null. False, and nothing
    // changed, when the field is missing or refuses the value.
    bool set(std::string_view name, const FieldValue& value);
    // Builds a row field by field (tests, rows not from a catalogue).
    FormatRow& add(std::string name, FieldValue value, bool numeric = false);
    void setKeyField(std::string name) { m_keyField = std::move(name); }
    // Where the row came from, for messages: the catalogue file.
    const std::string& source() const { return m_source; }

private:
    struct Field {
        std::string name;
        FieldValue value;
        bool numeric = false;
    };
    Field* lookup(std::string_view name);
    // Address of a literal name, and its place in m_fields (places stay
    // true in a copy, and add() only appends).
    static constexpr size_t kKeptNames = 64;
    mutable std::array<std::pair<const char*, size_t>, kKeptNames> m_kept{};
    mutable size_t m_keptCount = 0;
    bool m_present = false;
    std::string m_keyField = "Format";
    std::string m_source;
    std::vector<Field> m_fields;
};

// The settings a session starts with (the menus' and boxes' first values).
inline constexpr float kDefaultTolerance = 0.03f;    // share of a standard: 3%
inline constexpr float kDefaultCycleTolerance = 500; // µs either side of a cycle
inline constexpr int16_t kDefaultWaitTime = 15000;   // µs: "X", the end-of-frame wait
// The gap that ends a frame of a capture, for a row's wait time "X" and a
// time tolerance (a share, single precision as it is stored).
inline constexpr double frameEndGap(double waitTime, float tolerance) {
    return (waitTime - 1000) * static_cast<double>(1.0f - tolerance);
}
// The frame gap where no row's wait time can be read: the defaults'.
inline constexpr double kDefaultFrameGap = frameEndGap(kDefaultWaitTime, kDefaultTolerance);

// The time window a measured time must fall in. Every time check of the
// walk goes through engine::Window (walk_context.h), built from these; a new
// kind of window (an absolute margin, a receiver's burst excess) is added
// here and there only.
struct WindowSettings {
    float tolerance = kDefaultTolerance; // share of the standard: 0.03 is 3%
    // µs: a time S > 0 also passes within S ± absolute. A short time from a
    // demodulating receiver is off by a fixed amount rather than a share.
    double absolute = 0;
};

// How the burst excess of a demodulating receiver is taken off before the
// walk (engine/burst_excess.h).
enum class ExcessMode { None, Auto, Given };

// What the walk of the previous capture left behind and the next one reads:
// the last run count of the run-length and symbol rules, and the first
// customer bit.
struct DecodeCarry {
    int32_t runCount = 0;
    int16_t firstCustomerBit = 0;
    bool operator==(const DecodeCarry&) const = default;
};

struct DecodeSettings {
    WindowSettings window;
    float cycleTolerance = kDefaultCycleTolerance; // µs either side of a cycle's standard
    int64_t zeroOneTolerance = 100;      // µs: how far apart the learner's two bit times must be
    int16_t waitTime = kDefaultWaitTime; // X: the learner's end-of-frame wait, µs
    bool ignoreTime = false;             // "Ignore Time": a failed check does not end the part
    bool octal = false;                  // HEX/OCT: code bytes shown as decimal numbers
    bool readOrder = false;              // bits read most significant first
    float ticksPerMicrosecond = kReceiverTicksPerUsSingle;
    std::string lineBreak = "\r\n";
    // A generic row ("IB", "RIB", "HL", "SE") first learns its times from
    // the capture. Off when the caller has learned and stored them already.
    bool learn = true;
    DecodeCarry carry;
    // Keep an Annotation for every time read. Off where nobody reads them
    // (the command line's decode, the scan): the walk then runs faster.
    bool annotate = true;
    // A capture through a demodulating receiver: a whole frame is accepted
    // where a ditto is expected, and a bi-phase first bit hidden in the gap
    // is read as the nearest of its three lengths.
    bool demodulated = false;
    float cycleShare = 0; // a cycle also passes within this share of its standard
    ExcessMode excessMode = ExcessMode::None;
    float excess = 0; // µs taken off each burst, for ExcessMode::Given
};

// What a time was read as.
enum class ReadAs {
    HeadBurst,
    HeadGap,
    HeadSecondBurst, // the second head burst ("HB2_Osc")
    RepeatHeadBurst,
    RepeatHeadGap,
    BitBurst,
    BitGap,
    ToggleTime,
    FixedTime,
    EndBitBurst,
    EndBitGap,
    LastBurst,
    GroupEnd, // the gap that ends a group; the check is on the cycle
};

// The part of the frame being read (the structure token).
enum class Part {
    None,
    Head,
    RepeatHead,
    Start,
    Toggle,
    Fixed,
    Customer,
    ReverseCustomer,
    FirstBitAgain,
    Data,
    ReverseData,
    LastBurst,
    GroupEnd,
    EndBit,
    Parity,
};

// The words a time's kind is shown with (the statistics' kinds among them).
const char* readAsName(ReadAs as);
const char* partName(Part part);

// One time the walk read, and how.
struct Annotation {
    long row = 0; // cell of the capture record
    int col = 0;
    int64_t startUs = 0;  // from the capture's first burst
    int64_t measured = 0; // the time (for GroupEnd: the cycle's sum)
    ReadAs as = ReadAs::BitBurst;
    Part part = Part::None;
    int group = 1;
    int bit = -1;     // index of the part's first bit this time gave, -1 for none
    std::string bits; // the bits it gave
    std::optional<double> standard;
    double lo = 0, hi = 0; // the window it had to fall in (strictly inside)
    bool pass = false;
};

// A part's value as its group's hexadecimal code line shows it.
struct PartValue {
    int group = 1;
    Part part = Part::None;
    std::string text;
    bool operator==(const PartValue&) const = default;
};

struct DecodeResult {
    std::string binary;              // the binary code lines, each ended by the line break
    std::string hex;                 // the hexadecimal code lines
    std::string shown;               // hex, or with HEX/OCT on its bytes as decimal numbers
    std::vector<ErrorReport> errors; // in the order they were made
    std::vector<std::string> cycles; // one line per group that ended
    std::vector<std::string> messages;
    // A generic row's learned fields, in the order set; the caller stores them.
    std::vector<std::pair<std::string, FieldValue>> learned;
    std::string learnRefused; // why the row refused a learned value ("" when it did not)
    bool runaway = false;     // nested walks past the limit: a wrong format
    bool aborted = false;     // a field that could not be read ended the walk
    int groupNo = 1;          // the group number when the walk ended
    long row = 1;             // where the read cursor stopped
    int col = 1;
    DecodeCarry carry;
    int64_t burstExcess = 0; // µs taken off each burst before the walk
    // Demodulated mode: the capture's end cut the last frame off, and the
    // frames before it were decoded without it.
    bool lastFrameLeftOut = false;
    std::vector<Annotation> annotations;
    // With annotations: the parts of each group that ended, in code line order.
    std::vector<PartValue> partValues;

    std::vector<std::string> errorLines() const;
};

// The generic rows: they learn their times from each capture. Known by
// their key, which is also their menu entry's.
enum class GenericRow { SE, HL, RIB, IB };
std::optional<GenericRow> genericRowOf(std::string_view key);

} // namespace qv::engine
