// A recursive-descent parser of the notation. Every refusal names the
// byte offset and what would have been accepted there.
#include "irp/tree.h"

#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace qv::irp {

namespace {

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Limits written as names in parameter declarations.
std::optional<int64_t> namedLimit(std::string_view name) {
    if (name == "UINT8_MAX") return 0xFF;
    if (name == "UINT16_MAX") return 0xFFFF;
    if (name == "UINT24_MAX") return 0xFFFFFF;
    if (name == "UINT32_MAX") return 0xFFFFFFFFLL;
    if (name == "UINT64_MAX" || name == "INT64_MAX") return std::numeric_limits<int64_t>::max();
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(std::string_view text) : s(text) { t = std::make_shared<Protocol::Tree>(); }

    std::shared_ptr<Protocol::Tree> run() {
        t->text = std::string(s);
        skip();
        if (peek('{')) generalPart();
        skip();
        if (peek('<')) t->topBitCoding = bitCoding(-1);
        skip();
        if (!peek('(')) fail("'('");
        t->top = stream(t->topBitCoding);
        skip();
        while (peek('{'))
            definitions();
        if (peek('[')) parameterDecls();
        skip();
        if (p != s.size()) fail("the end of the text");
        finish();
        return std::move(t);
    }

private:
    std::string_view s;
    size_t p = 0;
    std::shared_ptr<Protocol::Tree> t;
    int depth = 0;
    // In a bit coding '|' separates alternatives and '>' closes it, except
    // inside parentheses.
    bool barSeparates = false;

    [[noreturn]] void fail(const std::string& expected) const { throw ParseError(p, expected); }

    void skip() {
        for (;;) {
            while (p < s.size() && std::isspace(static_cast<unsigned char>(s[p])))
                ++p;
            if (p + 1 < s.size() && s[p] == '/' && s[p + 1] == '*') {
                size_t end = s.find("*/", p + 2);
                if (end == std::string_view::npos) fail("'*/'");
                p = end + 2;
                continue;
            }
            return;
        }
    }
    bool peek(char c) {
        skip();
        return p < s.size() && s[p] == c;
    }
    bool peek2(std::string_view two) {
        skip();
        return s.substr(p, two.size()) == two;
    }
    bool accept(char c) {
        if (!peek(c)) return false;
        ++p;
        return true;
    }
    void expect(char c) {
        if (!accept(c)) fail(std::string("'") + c + "'");
    }
    bool atNumber() {
        skip();
        return p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]));
    }
    bool atName() {
        skip();
        return p < s.size() && isNameStart(s[p]);
    }
    std::string_view name() {
        if (!atName()) fail("a name");
        size_t b = p;
        while (p < s.size() && isNameChar(s[p]))
            ++p;
        return s.substr(b, p - b);
    }
    struct Guard {
        Parser& parser;
        explicit Guard(Parser& pr) : parser(pr) {
            if (++parser.depth > 200) parser.fail("less nesting");
        }
        ~Guard() { --parser.depth; }
    };

    // An integer (decimal, 0x, 0b).
    int64_t integer() {
        if (!atNumber()) fail("a number");
        int base = 10;
        if (s[p] == '0' && p + 1 < s.size() && (s[p + 1] == 'x' || s[p + 1] == 'X')) {
            base = 16;
            p += 2;
        } else if (s[p] == '0' && p + 1 < s.size() && (s[p + 1] == 'b' || s[p + 1] == 'B')) {
            base = 2;
            p += 2;
        }
        uint64_t v = 0;
        size_t b = p;
        while (p < s.size()) {
            int d;
            char c = s[p];
            if (std::isdigit(static_cast<unsigned char>(c)))
                d = c - '0';
            else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
                d = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            else
                break;
            if (d >= base) break;
            if (v > (std::numeric_limits<uint64_t>::max() - d) / base) {
                p = b;
                fail("a smaller number");
            }
            v = v * base + d;
            ++p;
        }
        if (p == b) fail(base == 16 ? "a hex digit" : "a binary digit");
        if (v > uint64_t(std::numeric_limits<int64_t>::max())) {
            p = b;
            fail("a smaller number");
        }
        return int64_t(v);
    }
    // A decimal number with an optional fraction.
    double decimal() {
        if (!atNumber()) fail("a number");
        if (s[p] == '0' && p + 1 < s.size() && std::isalpha(static_cast<unsigned char>(s[p + 1])) &&
            (s[p + 1] == 'x' || s[p + 1] == 'b'))
            return double(integer());
        size_t b = p;
        while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p])))
            ++p;
        if (p < s.size() && s[p] == '.') {
            ++p;
            if (p >= s.size() || !std::isdigit(static_cast<unsigned char>(s[p]))) fail("a digit");
            while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p])))
                ++p;
        }
        // The C locale's point, whatever the program's locale.
        static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
        double v = strtod_l(std::string(s.substr(b, p - b)).c_str(), nullptr, c);
        if (!std::isfinite(v) || v > 1e12) {
            p = b;
            fail("a smaller number");
        }
        return v;
    }

    void generalPart() {
        expect('{');
        bool first = true;
        while (!peek('}')) {
            if (!first) expect(',');
            first = false;
            if (atName()) {
                size_t at = p;
                auto n = name();
                if (n == "msb")
                    t->msb = true;
                else if (n == "lsb")
                    t->msb = false;
                else {
                    p = at;
                    fail("'msb', 'lsb' or a number");
                }
                continue;
            }
            double v = decimal();
            if (p < s.size() && s[p] == 'k') {
                ++p;
                t->carrier = v * 1000;
            } else if (p < s.size() && s[p] == '%') {
                ++p;
                t->duty = v;
            } else if (p < s.size() && s[p] == 'p') {
                ++p;
                t->unit = v;
                t->unitInPeriods = true;
            } else {
                if (p < s.size() && s[p] == 'u') ++p;
                t->unit = v;
                t->unitInPeriods = false;
            }
        }
        expect('}');
    }

    int bitCoding(int parent) {
        Guard g(*this);
        expect('<');
        BitCoding coding;
        coding.parent = parent;
        int self = int(t->bitCodings.size());
        t->bitCodings.push_back(coding);
        std::vector<int> alts;
        bool outerBar = barSeparates;
        barSeparates = true;
        for (;;) {
            Stream alt;
            alt.bitCoding = parent;
            itemList(alt, parent, {'|', '>'});
            alts.push_back(int(t->streams.size()));
            t->streams.push_back(std::move(alt));
            if (accept('|')) continue;
            expect('>');
            break;
        }
        barSeparates = outerBar;
        int n = int(alts.size());
        int bits = n == 2 ? 1 : n == 4 ? 2 : n == 8 ? 3 : n == 16 ? 4 : 0;
        if (bits == 0) fail("2, 4, 8 or 16 bit-coding alternatives");
        t->bitCodings[self].alternatives = std::move(alts);
        t->bitCodings[self].bitsPerSymbol = bits;
        return self;
    }

    // Items up to (not including) one of the closing characters.
    void itemList(Stream& into, int bitCodingIndex, std::initializer_list<char> closers) {
        auto closing = [&] {
            skip();
            if (p >= s.size()) return false;
            for (char c : closers)
                if (s[p] == c) return true;
            return false;
        };
        if (closing()) return;
        for (;;) {
            into.items.push_back(item(bitCodingIndex));
            if (closing()) return;
            if (!accept(',')) {
                std::string what = "','";
                for (char c : closers)
                    what += std::string(" or '") + c + "'";
                fail(what);
            }
        }
    }

    int stream(int bitCodingIndex) {
        Guard g(*this);
        expect('(');
        bool outerBar = barSeparates;
        barSeparates = false;
        Stream st;
        st.bitCoding = bitCodingIndex;
        itemList(st, bitCodingIndex, {')'});
        expect(')');
        barSeparates = outerBar;
        repeatMarker(st);
        t->streams.push_back(std::move(st));
        return int(t->streams.size()) - 1;
    }

    void repeatMarker(Stream& st) {
        if (p < s.size() && s[p] == '*') {
            ++p;
            st.repeat = Repeat::Star;
        } else if (p < s.size() && s[p] == '+') {
            ++p;
            st.repeat = Repeat::Plus;
        } else if (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) {
            int64_t n = integer();
            if (n > 10000) fail("a repeat count up to 10000");
            st.count = int(n);
            st.repeat = Repeat::Count;
            if (p < s.size() && s[p] == '+') {
                ++p;
                st.repeat = Repeat::CountPlus;
            }
        }
    }

    Unit unitSuffix() {
        if (p < s.size()) {
            char c = s[p];
            if ((c == 'u' || c == 'm' || c == 'p') && !(p + 1 < s.size() && isNameChar(s[p + 1]))) {
                ++p;
                return c == 'u' ? Unit::Micro : c == 'm' ? Unit::Milli : Unit::Periods;
            }
        }
        return Unit::Units;
    }

    Duration duration() {
        Duration d;
        if (atNumber()) {
            d.value = decimal();
            d.literal = true;
            d.unit = unitSuffix();
        } else if (atName()) {
            d.expr = nameExpr(name());
            d.unit = unitSuffix();
        } else {
            fail("a duration");
        }
        return d;
    }

    // Whether the parenthesis at p closes to be followed by ':' (a bit
    // field of an expression) rather than being an ir stream.
    bool parenIsBitField() {
        size_t q = p, level = 0;
        for (; q < s.size(); ++q) {
            if (s[q] == '(')
                ++level;
            else if (s[q] == ')' && --level == 0)
                break;
        }
        if (q >= s.size()) return false;
        ++q;
        while (q < s.size() && std::isspace(static_cast<unsigned char>(s[q])))
            ++q;
        return q < s.size() && s[q] == ':';
    }

    Item item(int bitCodingIndex) {
        Guard g(*this);
        skip();
        Item it;
        if (p >= s.size()) fail("an item");
        char c = s[p];
        if (c == '^') {
            ++p;
            it.kind = Item::Kind::Extent;
            it.duration = duration();
        } else if (c == '-') {
            ++p;
            it.kind = Item::Kind::Gap;
            it.duration = duration();
        } else if (c == '<') {
            int coding = bitCoding(bitCodingIndex);
            if (!peek('(')) fail("'(' after a bit coding");
            it.kind = Item::Kind::Stream;
            it.stream = stream(coding);
            t->streams[it.stream].bitCoding = coding;
        } else if (c == '[') {
            it.kind = Item::Kind::Variation;
            while (peek('[')) {
                ++p;
                if (peek(']')) {
                    ++p;
                    it.alternatives.push_back(-1);
                    continue;
                }
                Stream alt;
                alt.bitCoding = bitCodingIndex;
                itemList(alt, bitCodingIndex, {']'});
                expect(']');
                it.alternatives.push_back(int(t->streams.size()));
                t->streams.push_back(std::move(alt));
            }
            if (it.alternatives.size() > 3) fail("at most three variation alternatives");
        } else if (c == '(' && !parenIsBitField()) {
            it.kind = Item::Kind::Stream;
            it.stream = stream(bitCodingIndex);
        } else if (c == '~' || c == '(') {
            it.kind = Item::Kind::BitField;
            it.expr = bitField(true);
        } else if (isNameStart(c)) {
            size_t at = p;
            auto n = name();
            skip();
            if (p < s.size() && s[p] == '=' && !(p + 1 < s.size() && s[p + 1] == '=')) {
                ++p;
                it.kind = Item::Kind::Assignment;
                it.slot = slotFor(n);
                it.expr = expression();
            } else if (p < s.size() && s[p] == ':') {
                p = at;
                it.kind = Item::Kind::BitField;
                it.expr = bitField(true);
            } else {
                p = at;
                it.kind = Item::Kind::Flash;
                it.duration = duration();
            }
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            size_t at = p;
            decimal();
            unitSuffix();
            skip();
            bool field = p < s.size() && s[p] == ':';
            p = at;
            if (field) {
                it.kind = Item::Kind::BitField;
                it.expr = bitField(true);
            } else {
                it.kind = Item::Kind::Flash;
                it.duration = duration();
            }
        } else {
            fail("an item (a duration, bit field, assignment, stream or variation)");
        }
        return it;
    }

    int add(Expr e) {
        t->exprs.push_back(e);
        return int(t->exprs.size()) - 1;
    }
    int slotFor(std::string_view n) {
        int i = t->slotOf(n);
        if (i >= 0) return i;
        Slot sl;
        sl.name = std::string(n);
        t->slots.push_back(sl);
        return int(t->slots.size()) - 1;
    }
    int nameExpr(std::string_view n) {
        Expr e;
        e.op = Op::Name;
        e.slot = slotFor(n);
        return add(e);
    }

    // [~]primary:[-]length[:offset] or [~]primary::offset; with
    // `required` the colon must follow.
    int bitField(bool required) {
        bool comp = accept('~');
        int value = primary();
        if (!peek(':')) {
            if (required) fail("':'");
            if (!comp) return value;
            Expr e;
            e.op = Op::Complement;
            e.a = value;
            return add(e);
        }
        return bitFieldTail(value, comp);
    }
    int bitFieldTail(int value, bool comp) {
        expect(':');
        Expr e;
        e.op = Op::BitField;
        e.a = value;
        e.complement = comp;
        if (p < s.size() && s[p] == ':') {
            ++p;
            e.b = -1;
            e.c = primary();
            return add(e);
        }
        if (accept('-')) e.reverse = true;
        e.b = primary();
        if (p < s.size() && s[p] == ':') {
            ++p;
            e.c = primary();
        }
        return add(e);
    }

    int primary() {
        Guard g(*this);
        skip();
        if (atNumber()) {
            Expr e;
            e.op = Op::Number;
            e.number = integer();
            return add(e);
        }
        if (atName()) return nameExpr(name());
        if (accept('(')) {
            bool outerBar = barSeparates;
            barSeparates = false;
            int e = expression();
            expect(')');
            barSeparates = outerBar;
            return e;
        }
        fail("a number, a name or '('");
    }

    // Unary operators and a bit-field suffix.
    int unary(bool colonIsField) {
        Guard g(*this);
        skip();
        if (p < s.size()) {
            Op op;
            bool un = true;
            switch (s[p]) {
            case '#':
                op = Op::Count;
                break;
            case '!':
                op = Op::Not;
                break;
            case '-':
                op = Op::Neg;
                break;
            case '~':
                op = Op::Complement;
                break;
            default:
                un = false;
                op = Op::Number;
            }
            if (un) {
                ++p;
                if (op == Op::Complement) {
                    int v = primary();
                    if (colonIsField && peek(':')) return bitFieldTail(v, true);
                    Expr e;
                    e.op = op;
                    e.a = v;
                    return add(e);
                }
                Expr e;
                e.op = op;
                e.a = unary(colonIsField);
                return add(e);
            }
        }
        int v = primary();
        if (colonIsField && peek(':')) return bitFieldTail(v, false);
        return v;
    }

    struct BinOp {
        std::string_view text;
        Op op;
        int level;
    };
    // Strongest first: ** 9, * / % 8, + - 7, << >> 6, < <= > >= 5, == != 4,
    // & 3, ^ 2, | 1, && 0, || -1 (ternary below).
    std::optional<BinOp> binop() {
        static constexpr BinOp ops[] = {
            {"**", Op::Power, 9}, {"<<", Op::Shl, 6},   {">>", Op::Shr, 6},  {"<=", Op::Le, 5},
            {">=", Op::Ge, 5},    {"==", Op::Eq, 4},    {"!=", Op::Ne, 4},   {"&&", Op::And, 0},
            {"||", Op::Or, -1},   {"*", Op::Mul, 8},    {"/", Op::Div, 8},   {"%", Op::Mod, 8},
            {"+", Op::Add, 7},    {"-", Op::Sub, 7},    {"<", Op::Lt, 5},    {">", Op::Gt, 5},
            {"&", Op::BitAnd, 3}, {"^", Op::BitXor, 2}, {"|", Op::BitOr, 1},
        };
        skip();
        for (auto& o : ops)
            if (s.substr(p, o.text.size()) == o.text) {
                if ((o.op == Op::BitOr || o.op == Op::Gt) && barSeparates) return std::nullopt;
                return o;
            }
        return std::nullopt;
    }

    int binary(int minLevel, bool colonIsField) {
        Guard g(*this);
        int left = unary(colonIsField);
        for (;;) {
            auto o = binop();
            if (!o || o->level < minLevel) return left;
            p += o->text.size();
            // ** binds to the right.
            int right = binary(o->op == Op::Power ? o->level : o->level + 1, colonIsField);
            Expr e;
            e.op = o->op;
            e.a = left;
            e.b = right;
            left = add(e);
        }
    }

    int expression(bool colonIsField = true) {
        Guard g(*this);
        int cond = binary(-1, colonIsField);
        if (!accept('?')) return cond;
        int yes = expression(false);
        expect(':');
        int no = expression(colonIsField);
        Expr e;
        e.op = Op::Cond;
        e.a = cond;
        e.b = yes;
        e.c = no;
        return add(e);
    }

    void definitions() {
        expect('{');
        bool first = true;
        while (!peek('}')) {
            if (!first) expect(',');
            first = false;
            int slot = slotFor(name());
            expect('=');
            if (peek('=')) fail("an expression");
            int e = expression();
            Slot& sl = t->slots[slot];
            sl.kind = SlotKind::Definition;
            sl.definition = e;
        }
        expect('}');
    }

    int64_t limit() {
        skip();
        if (atName()) {
            size_t at = p;
            auto v = namedLimit(name());
            if (!v) {
                p = at;
                fail("a number");
            }
            return *v;
        }
        return integer();
    }

    void parameterDecls() {
        expect('[');
        bool first = true;
        while (!peek(']')) {
            if (!first) expect(',');
            first = false;
            ParameterDecl ps;
            ps.name = std::string(name());
            if (accept('@')) ps.memory = true;
            expect(':');
            ps.min = limit();
            if (!peek2("..")) fail("'..'");
            p += 2;
            ps.max = limit();
            if (ps.max < ps.min) fail("a maximum not below the minimum");
            int def = -1;
            if (accept('=')) {
                skip();
                size_t b = p;
                def = expression();
                ps.defaultExpression = std::string(s.substr(b, p - b));
                while (!ps.defaultExpression.empty() &&
                       std::isspace(static_cast<unsigned char>(ps.defaultExpression.back())))
                    ps.defaultExpression.pop_back();
            }
            for (auto& q : t->parameters)
                if (q.name == ps.name) fail("a parameter not given twice");
            int slot = slotFor(ps.name);
            t->slots[slot].kind = SlotKind::Parameter;
            t->slots[slot].parameter = int(t->parameters.size());
            t->parameters.push_back(ps);
            t->parameterSlots.push_back(slot);
            t->defaultExprs.push_back(def);
        }
        expect(']');
    }

    // Finds the first stream marked * or + (depth first, in order).
    bool findRepeat(int stream, std::vector<std::pair<int, int>>& path) {
        const Stream& st = t->streams[stream];
        if (st.repeat == Repeat::Star || st.repeat == Repeat::Plus ||
            st.repeat == Repeat::CountPlus) {
            t->repeatStream = stream;
            return true;
        }
        for (size_t i = 0; i < st.items.size(); ++i) {
            if (st.items[i].kind != Item::Kind::Stream) continue;
            path.emplace_back(stream, int(i));
            if (findRepeat(st.items[i].stream, path)) return true;
            path.pop_back();
        }
        return false;
    }

    void finish() {
        std::vector<std::pair<int, int>> path;
        if (findRepeat(t->top, path)) t->repeatPath = std::move(path);
        // Defined names (not parameters) that a definition made a parameter
        // would shadow keep their parameter kind: a parameter declaration wins.
        for (size_t i = 0; i < t->parameters.size(); ++i)
            t->slots[t->parameterSlots[i]].kind = SlotKind::Parameter;
        // Literal lengths in microseconds, once: walks read them many times.
        for (Stream& st : t->streams)
            for (Item& it : st.items)
                if (it.duration.literal) {
                    const double us = t->durationUs(it.duration.value, it.duration.unit);
                    it.duration.us = std::isfinite(us) && us >= 0 ? us : -1;
                }
    }
};

} // namespace

Protocol parse(std::string_view text) {
    Parser parser(text);
    return Protocol(parser.run());
}

} // namespace qv::irp
