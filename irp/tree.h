// The parsed notation, shared by the renderer and the decoder. Expressions
// live in one flat array per protocol and refer to each other by index;
// names are resolved to slots once, at parse time.
#pragma once

#include "irp/irp.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::irp {

enum class Op : uint8_t {
    Number,
    Name,
    BitField, // a, length b (-1: infinite), offset c (-1: 0)
    Neg,
    Not,
    Complement,
    Count,
    Power,
    Mul,
    Div,
    Mod,
    Add,
    Sub,
    Shl,
    Shr,
    Lt,
    Le,
    Gt,
    Ge,
    Eq,
    Ne,
    BitAnd,
    BitXor,
    BitOr,
    And,
    Or,
    Cond
};

struct Expr {
    Op op = Op::Number;
    bool complement = false; // bit field ~
    bool reverse = false;    // bit field :-len
    int64_t number = 0;      // Number
    int slot = -1;           // Name
    int a = -1, b = -1, c = -1;
};

enum class Unit : uint8_t { Units, Micro, Milli, Periods };

struct Duration {
    int expr = -1;    // the magnitude (a number's value is kept exactly in `value`)
    double value = 0; // when the magnitude is a literal number
    bool literal = false;
    Unit unit = Unit::Units;
    double us = -1; // a literal's length in microseconds once parsed (-1: not valid)
};

struct BitCoding;
struct Stream;

struct Item {
    enum class Kind : uint8_t { Flash, Gap, Extent, BitField, Assignment, Stream, Variation };
    Kind kind = Kind::Flash;
    Duration duration;             // Flash, Gap, Extent
    int expr = -1;                 // BitField: its Expr (Op::BitField); Assignment: value
    int slot = -1;                 // Assignment target
    int stream = -1;               // Stream
    std::vector<int> alternatives; // Variation: stream indices (-1: empty)
};

enum class Repeat : uint8_t { Once, Count, Star, Plus, CountPlus };

struct Stream {
    std::vector<Item> items;
    Repeat repeat = Repeat::Once;
    int count = 1;      // Count, CountPlus
    int bitCoding = -1; // scoped bit coding (-1: the enclosing one)
};

struct BitCoding {
    std::vector<int> alternatives; // stream indices
    int bitsPerSymbol = 1;
    int parent = -1; // the bit coding its alternatives' bit fields use
};

enum class SlotKind : uint8_t { Parameter, Definition, Variable };

struct Slot {
    std::string name;
    SlotKind kind = SlotKind::Variable;
    int definition = -1; // Definition: its Expr
    int parameter = -1;  // Parameter: index into parameters
};

struct Protocol::Tree {
    std::string text;
    double carrier = 38000;
    double unit = 1;
    bool unitInPeriods = false;
    bool msb = false;
    std::optional<double> duty;
    std::vector<Expr> exprs;
    std::vector<Stream> streams;
    std::vector<BitCoding> bitCodings;
    std::vector<Slot> slots;
    std::vector<ParameterDecl> parameters;
    std::vector<int> parameterSlots; // slot of each parameter
    std::vector<int> defaultExprs;   // Expr of each parameter's default, -1 none
    int top = -1;                    // the top-level stream
    int topBitCoding = -1;

    // The key press split at the first stream marked * or +: where it
    // lies (path of stream/item positions from the top) or -1.
    int repeatStream = -1;
    std::vector<std::pair<int, int>> repeatPath; // (stream, item index) from the top down

    int slotOf(std::string_view name) const {
        for (size_t i = 0; i < slots.size(); ++i)
            if (slots[i].name == name) return int(i);
        return -1;
    }
    double durationUs(double value, Unit u) const {
        switch (u) {
        case Unit::Micro:
            return value;
        case Unit::Milli:
            return value * 1000;
        case Unit::Periods:
            return carrier > 0 ? value * 1e6 / carrier : value;
        case Unit::Units:
            break;
        }
        return value * unitUs();
    }
    double unitUs() const {
        if (unitInPeriods) return carrier > 0 ? unit * 1e6 / carrier : unit;
        return unit;
    }
};

// Evaluation of expressions against values kept per slot. `known` says
// whether a slot has a value; definitions are computed on demand.
class Evaluator {
public:
    explicit Evaluator(const Protocol::Tree& tree);
    // nullopt when a name has no value (or division by zero, endless
    // definitions).
    std::optional<int64_t> eval(int expr) const;
    std::optional<int64_t> value(int slot) const;
    void set(int slot, int64_t value) {
        m_values[slot] = value;
        m_known[slot] = 1;
    }
    void unset(int slot) { m_known[slot] = 0; }
    // Gives every parameter without a value its default; defaults may use
    // one another, so this goes on until nothing changes.
    void settleDefaults();
    bool known(int slot) const { return m_known[slot]; }
    int64_t raw(int slot) const { return m_values[slot]; }

private:
    std::optional<int64_t> evalDepth(int expr, int depth) const;
    const Protocol::Tree& m_tree;
    std::vector<int64_t> m_values;
    std::vector<uint8_t> m_known;
};

// The bit field value of an Op::BitField expression with the given inner
// value, length and offset.
int64_t bitFieldValue(int64_t value, int64_t length, int64_t offset, bool complement, bool reverse,
                      bool infinite);
uint64_t reverseBits(uint64_t value, int64_t length);

} // namespace qv::irp
