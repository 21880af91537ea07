#include "irp/tree.h"

namespace qv::irp {

uint64_t reverseBits(uint64_t value, int64_t length) {
    uint64_t r = 0;
    for (int64_t i = 0; i < length && i < 64; ++i)
        if (value >> i & 1) r |= uint64_t(1) << (length - 1 - i);
    return r;
}

namespace {
uint64_t lowMask(int64_t length) {
    if (length <= 0) return 0;
    if (length >= 64) return ~uint64_t(0);
    return (uint64_t(1) << length) - 1;
}
} // namespace

int64_t bitFieldValue(int64_t value, int64_t length, int64_t offset, bool complement, bool reverse,
                      bool infinite) {
    uint64_t v = uint64_t(value);
    if (complement) v = ~v;
    v = offset >= 64 ? 0 : offset > 0 ? v >> offset : v;
    if (infinite) return int64_t(v);
    v &= lowMask(length);
    if (reverse) v = reverseBits(v, length);
    return int64_t(v);
}

Evaluator::Evaluator(const Protocol::Tree& tree)
    : m_tree(tree), m_values(tree.slots.size(), 0), m_known(tree.slots.size(), 0) {}

std::optional<int64_t> Evaluator::eval(int expr) const {
    return evalDepth(expr, 0);
}

void Evaluator::settleDefaults() {
    const Protocol::Tree& t = m_tree;
    for (bool progress = true; progress;) {
        progress = false;
        for (size_t i = 0; i < t.parameters.size(); ++i) {
            const int slot = t.parameterSlots[i];
            if (known(slot) || t.defaultExprs[i] < 0) continue;
            if (auto v = eval(t.defaultExprs[i])) {
                set(slot, *v);
                progress = true;
            }
        }
    }
}

std::optional<int64_t> Evaluator::value(int slot) const {
    if (m_known[slot]) return m_values[slot];
    const Slot& s = m_tree.slots[slot];
    if (s.kind == SlotKind::Definition) return evalDepth(s.definition, 1);
    return std::nullopt;
}

std::optional<int64_t> Evaluator::evalDepth(int index, int depth) const {
    if (depth > 64 || index < 0) return std::nullopt;
    const Expr& e = m_tree.exprs[index];
    auto sub = [&](int i) { return evalDepth(i, depth + 1); };
    switch (e.op) {
    case Op::Number:
        return e.number;
    case Op::Name: {
        if (m_known[e.slot]) return m_values[e.slot];
        const Slot& s = m_tree.slots[e.slot];
        if (s.kind == SlotKind::Definition) return evalDepth(s.definition, depth + 1);
        return std::nullopt;
    }
    case Op::BitField: {
        auto v = sub(e.a);
        if (!v) return std::nullopt;
        int64_t len = 0, off = 0;
        if (e.b >= 0) {
            auto l = sub(e.b);
            if (!l || *l < 0 || *l > 64) return std::nullopt;
            len = *l;
        }
        if (e.c >= 0) {
            auto o = sub(e.c);
            if (!o || *o < 0) return std::nullopt;
            off = *o;
        }
        return bitFieldValue(*v, len, off, e.complement, e.reverse, e.b < 0);
    }
    case Op::Neg:
    case Op::Not:
    case Op::Complement:
    case Op::Count: {
        auto v = sub(e.a);
        if (!v) return std::nullopt;
        uint64_t u = uint64_t(*v);
        switch (e.op) {
        case Op::Neg:
            return int64_t(0 - u);
        case Op::Not:
            return *v == 0 ? 1 : 0;
        case Op::Complement:
            return int64_t(~u);
        default:
            return int64_t(__builtin_popcountll(u));
        }
    }
    case Op::Cond: {
        auto c = sub(e.a);
        if (!c) return std::nullopt;
        return sub(*c ? e.b : e.c);
    }
    case Op::And: {
        auto a = sub(e.a);
        if (!a) return std::nullopt;
        if (!*a) return 0;
        auto b = sub(e.b);
        if (!b) return std::nullopt;
        return *b ? 1 : 0;
    }
    case Op::Or: {
        auto a = sub(e.a);
        if (!a) return std::nullopt;
        if (*a) return 1;
        auto b = sub(e.b);
        if (!b) return std::nullopt;
        return *b ? 1 : 0;
    }
    default:
        break;
    }
    auto a = sub(e.a), b = sub(e.b);
    if (!a || !b) return std::nullopt;
    int64_t x = *a, y = *b;
    uint64_t ux = uint64_t(x), uy = uint64_t(y);
    switch (e.op) {
    case Op::Power: {
        if (y < 0) return std::nullopt;
        uint64_t r = 1, base = ux;
        for (int64_t k = y; k > 0 && k < 64 * 64; k >>= 1) {
            if (k & 1) r *= base;
            base *= base;
        }
        return int64_t(r);
    }
    case Op::Mul:
        return int64_t(ux * uy);
    case Op::Div:
        if (y == 0 || (y == -1 && x == INT64_MIN)) return std::nullopt;
        return x / y;
    case Op::Mod:
        if (y == 0 || (y == -1 && x == INT64_MIN)) return std::nullopt;
        return x % y;
    case Op::Add:
        return int64_t(ux + uy);
    case Op::Sub:
        return int64_t(ux - uy);
    case Op::Shl:
        return y < 0 || y >= 64 ? 0 : int64_t(ux << y);
    case Op::Shr:
        return y < 0 || y >= 64 ? (x < 0 ? -1 : 0) : x >> y;
    case Op::Lt:
        return x < y;
    case Op::Le:
        return x <= y;
    case Op::Gt:
        return x > y;
    case Op::Ge:
        return x >= y;
    case Op::Eq:
        return x == y;
    case Op::Ne:
        return x != y;
    case Op::BitAnd:
        return x & y;
    case Op::BitXor:
        return x ^ y;
    case Op::BitOr:
        return x | y;
    default:
        return std::nullopt;
    }
}

} // namespace qv::irp
