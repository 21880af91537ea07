// Protocols written in IRP notation: parsed once into a value, rendered from
// parameters into burst and gap times, and decoded from a capture's times
// back into every protocol and parameter set that explains them. No Qt, no
// catalogue: the protocols come from IRP text and the protocol tables.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::irp {

// IRP text that is not IRP: where (a byte offset into the text) and what
// was expected there ("a number", "')'", ...). what() reads
// "at 17: expected ')'".
struct ParseError : std::runtime_error {
    ParseError(size_t position, std::string expected);
    size_t position;
    std::string expected;
};

// A render that cannot be done. The parameter it concerns, when there is
// one ("F"), is named in the message and kept in `parameter`.
struct RenderError : std::runtime_error {
    enum class Kind {
        MissingParameter, // no value and no default
        OutOfRange,       // outside name:min..max
        UnknownParameter, // given but the protocol has no such parameter
        DecodeOnly,       // the table's protocol is for recognising only
        Unrenderable      // the notation cannot be walked (division by zero, endless stream)
    };
    RenderError(Kind kind, std::string parameter, const std::string& message);
    Kind kind;
    std::string parameter;
};

// Parameter values by name, in the order they were set (decodes list them
// in the protocol's order the parameters are declared in).
class Params {
public:
    Params() = default;
    Params(std::initializer_list<std::pair<std::string, int64_t>> values);
    void set(std::string_view name, int64_t value);
    std::optional<int64_t> get(std::string_view name) const;
    bool has(std::string_view name) const { return get(name).has_value(); }
    const std::vector<std::pair<std::string, int64_t>>& values() const { return m_values; }
    bool empty() const { return m_values.empty(); }
    size_t size() const { return m_values.size(); }
    bool operator==(const Params&) const = default;

private:
    std::vector<std::pair<std::string, int64_t>> m_values;
};

// "D=0,F=18" or "D=0 F=0x12": names and integers (decimal, 0x, 0b).
// Throws ParseError on anything else.
Params parseParams(std::string_view text);
// "D=0 S=255 F=18".
std::string formatParams(const Params& params);

// One `name:min..max=default` of a protocol's parameter declarations.
struct ParameterDecl {
    std::string name;
    int64_t min = 0, max = 0;
    bool memory = false;           // name@: keeps its value between presses
    std::string defaultExpression; // IRP text; empty when there is no default
};

// A parsed IRP text. A cheap-to-copy value (the tree is shared and never
// changes).
class Protocol {
public:
    Protocol();
    // The carrier in Hz; 0 for an unmodulated (logic-level) protocol.
    double carrierHz() const;
    // The time unit in microseconds.
    double unitUs() const;
    bool msbFirst() const;
    // Duty cycle in percent, when given.
    std::optional<double> dutyCycle() const;
    const std::vector<ParameterDecl>& parameters() const;
    // Whether the stream has a part marked * or + (held-key repeats).
    bool hasRepeat() const;
    // The text it was parsed from.
    const std::string& text() const;

    struct Tree; // the parsed notation, see irp/tree.h
    const Tree& tree() const { return *m_tree; }
    explicit Protocol(std::shared_ptr<const Tree> tree) : m_tree(std::move(tree)) {}

private:
    std::shared_ptr<const Tree> m_tree;
};

// Parses the whole notation. Throws ParseError.
Protocol parse(std::string_view text);

// The rendering of one key press. Each part is signed microseconds,
// neighbours merged: positive a burst (carrier on), negative a gap. A part
// may be empty (NEC2 has no intro, most protocols no ending).
struct Rendered {
    double carrierHz = 0; // 0: not modulated
    std::vector<int64_t> intro, repeat, ending;
    // Memory parameters (toggles) after this press: pass them back in the
    // next press's parameters to send the next state.
    Params memory;
    // Repeat passes a press holds (from RenderOptions).
    int repeats = 0;
    // The whole press as a capture reports it: the intro, the repeat
    // `repeats` times (-1: the count above; at least once when there is no
    // intro), the ending; merged, positive times alternating from the
    // first burst. The final gap is kept (an even count).
    std::vector<int64_t> press(int repeats = -1) const;
};

struct RenderOptions {
    // Repeat passes a press holds beyond the intro (for a `+` stream the
    // intro already sends it once; a protocol without an intro sends its
    // repeat at least once).
    int repeats = 0;
};

// Renders a press. Parameters not given take their defaults; missing,
// out-of-range and unknown ones are refused by name (RenderError).
Rendered render(const Protocol& protocol, const Params& params, const RenderOptions& options = {});

struct NamedProtocol;
// The same for a table's protocol; a decode-only one is refused.
Rendered render(const NamedProtocol& protocol, const Params& params,
                const RenderOptions& options = {});

// A protocol this one names a signal before, when both decode it; only
// when the condition (an IRP expression of the decoded parameters) holds.
struct Preference {
    std::string over;
    std::string condition; // empty: always
};

// A protocol of a table: its IRP and what the table says about decoding it.
struct NamedProtocol {
    std::string name;
    Protocol irp;
    bool decodeOnly = false;
    std::vector<Preference> preferOver;
    std::vector<std::string> altNames;
    std::optional<double> relativeTolerance; // share of the duration
    std::optional<double> absoluteTolerance; // microseconds
    std::optional<double> minimumLeadout;    // microseconds
    bool rejectRepeatless = false;
    bool decodable = true;
    std::string source; // the file it came from
};

// What loading a table file did.
struct LoadReport {
    size_t added = 0;
    // Shipped (or earlier) protocols a user protocol of the same name
    // replaced, as "NEC1 (replaced by user.tsv)".
    std::vector<std::string> replaced;
    // Rows that could not be read, as "NAME: at 17: expected ')'".
    std::vector<std::string> errors;
};

// The protocols known: the shipped table, then any user files. Each
// protocol is compiled for decoding when added. Lookup by name ignores case
// (and finds alt_names).
class ProtocolTable {
public:
    ProtocolTable();
    ~ProtocolTable();
    ProtocolTable(ProtocolTable&&) noexcept;
    ProtocolTable& operator=(ProtocolTable&&) noexcept;

    // A file of the tab-separated form (header line with "name" and "irp"
    // columns; '#' lines are comments) or the public database's XML: the
    // kind is told by the content. Throws std::runtime_error when the file
    // cannot be read at all.
    LoadReport addFile(const std::string& path);
    LoadReport addTsv(std::string_view text, const std::string& source);
    LoadReport addXml(std::string_view text, const std::string& source);
    // One protocol; replaces one of the same name (reported).
    LoadReport add(NamedProtocol protocol);

    const NamedProtocol* find(std::string_view name) const;
    size_t size() const;
    const NamedProtocol& operator[](size_t i) const;

    struct Compiled; // decoding form, see irp/decoder.h
    const Compiled& compiled() const;

private:
    std::unique_ptr<Compiled> m_compiled;
};

// The name of the shipped table file, looked for beside the program and in
// share/quorvel/.
inline constexpr const char* kShippedTableName = "irp-protocols.tsv";

struct DecodeOptions {
    // Override every protocol's tolerances (the table's own, else these
    // defaults).
    std::optional<double> relativeTolerance;
    std::optional<double> absoluteTolerance;
    double defaultRelativeTolerance = 0.3;
    double defaultAbsoluteTolerance = 100;
    // A demodulating receiver's burst excess (µs): taken off every burst
    // and added to the gap after it before matching.
    double burstExcess = 0;
    // A demodulating receiver's capture: the excess each protocol's short
    // bursts show, burstExcess, the excess of its lead-in burst and a few
    // across the range up to the maximum are tried, the closest fit kept.
    bool demodulated = false;
    double maximumBurstExcess = 250;
    // Some receivers end a burst early (a weak or distant remote).
    double minimumBurstExcess = -100;
    // A demodulated capture is matched with at least these tolerances
    // (the receiver's pace, jitter and sampling step); a protocol whose
    // gaps or symbols lie closer than the absolute one is not read at all.
    double receiverRelativeTolerance = 0.12;
    double receiverAbsoluteTolerance = 150;
    // Only these protocols (by name); all when empty.
    std::vector<std::string> only;
};

// One protocol that explains the capture.
struct Decode {
    std::string protocol;      // the table's name
    Params params;             // every parameter, in the order they are declared
    Params defaulted;          // those not read from the signal, with the value taken
    bool intro = false;        // the intro (non-empty) was seen
    int repeats = 0;           // repeat passes seen
    bool ending = false;       // the ending (non-empty) was seen
    size_t begin = 0, end = 0; // durations used: [begin, end)
    int checks = 0;            // checks proved (complements, checksums, constants)
    int bitsRead = 0;
    double timingError = 0; // mean relative deviation of the durations matched
    int stretched = 0;      // lead-outs (before the last) longer than the protocol's
};

// Every protocol of the table that decodes the capture (alternating burst
// and gap microseconds from the first burst; signs are ignored), best first:
// a protocol that the table lets prefer over another comes before it, then
// more of the capture explained, fewer stretched lead-outs, a clearly
// closer fit, more bits read, fewer defaults, a burst excess a receiver
// lengthens rather than shortens bursts by, the closer fit.
std::vector<Decode> decode(const ProtocolTable& table, std::span<const int64_t> durations,
                           const DecodeOptions& options = {});

// The decodes, and where there are none, the protocols whose frame a
// demodulated capture fits but whose levels lie closer together than its
// times tell apart (a receiver's sampling grid and jitter): named so, not
// guessed.
struct Identification {
    std::vector<Decode> decodes;
    std::vector<std::string> unresolved;
};
Identification identify(const ProtocolTable& table, std::span<const int64_t> durations,
                        const DecodeOptions& options = {});

// A demodulating receiver puts out no burst or gap of 40 us or less: such a
// time far below its neighbours and below the shorter times of its kind is
// a glitch (noise, a dropout) inside one burst or gap, where it is rare (one,
// or no more than one in 32 times). The capture with each glitch merged into
// the times on either side; origin (when given) receives, for each time
// kept, the index of its first piece. nullopt where there is none. identify
// does this to a demodulated capture.
std::optional<std::vector<int64_t>> withoutGlitches(std::span<const int64_t> durations,
                                                    std::vector<size_t>* origin = nullptr);

// "NEC1  D=0 S=255 F=18" (and " +2 repeats" where repeats were seen).
std::string describe(const Decode& decode);
// "not resolved: Nokia32, ... (the frame fits, ...)".
std::string describeUnresolved(const std::vector<std::string>& protocols);

} // namespace qv::irp
