// The frame reader: one structure token at a time, it consumes that part of
// the frame from the capture, checks it against the format and keeps its
// bits; at each group end it checks the cycle and the complements and
// publishes the group's code lines.
#include "engine/walk_context.h"
#include "platform/basic.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

namespace qv::engine {

namespace {

std::string hexOf(std::string bits, bool readOrder) {
    return bitsToHex(bits, readOrder);
}

// One bit step under watch: false when the part has failed, including a
// step that neither read a bit nor moved the cursor (it would be called
// again on the same cell for ever).
bool bitStep(Walk& w) {
    const size_t bitsBefore = w.d.PartBits.size();
    const long row = w.state.row;
    const int16_t col = w.state.col;
    readIRData(w);
    if (!w.d.DecodeOK) return false;
    if (w.d.PartBits.size() == bitsBefore && w.state.row == row && w.state.col == col) {
        w.report({ErrorSet::NoProgress, w.state.group, {timeText(w.cursorTime())}});
        w.d.DecodeOK = false;
        return false;
    }
    return true;
}

// Bits until the part holds count of them; false when the part failed.
bool readPart(Walk& w, Standard count) {
    while (count && static_cast<double>(w.d.PartBits.size()) < *count)
        if (!bitStep(w)) return false;
    return true;
}

// A finished part joins the group's binary and hexadecimal texts.
void hexTail(Walk& w, std::string& part) {
    const size_t from = w.d.HexText.size();
    w.d.HexText += bitsToHex(part, w.settings.readOrder);
    if (w.settings.annotate) w.d.PartTexts.emplace_back(w.part, w.d.HexText.substr(from));
    w.d.HexText += ' ';
}

void partTail(Walk& w, std::string& part) {
    w.d.CodeText += part;
    w.d.CodeText += ' ';
    hexTail(w, part);
}

void fail(Walk& w, const ErrorReport& r) {
    w.report(r);
    w.d.DecodeOK = false;
}

// The structure after the first group end, for a capture that begins with
// a repeat group.
std::string afterFirstGroup(const std::string& stru) {
    const size_t x = stru.find('X');
    const long p =
        x == std::string::npos ? static_cast<long>(stru.size()) + 1 : static_cast<long>(x) + 1;
    return midText(stru, p + 2);
}

void restartWithFullStructure(Walk& w) {
    w.state.structure = w.f.text("stru");
    nestedWalk(w);
}

// Each token returns false when it left the walk early (a nested walk),
// which skips the end step.

bool tokenHead(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const Standard headBits = f.whole("H_Bits");
    for (double k = 1; headBits && k <= *headBits; ++k) {
        if (w.state.row > kDataRows) break; // past the last cell: the data has ended
        const int64_t ho = w.cursorTime(), hi = w.nextTime();
        const Standard repeatIdle = f.whole("G2H_Idle");
        if (win.matches(hi, repeatIdle) && win.off(*repeatIdle, f.whole("H_Idle"))) {
            // The capture begins with a repeat head: read it as a later group.
            w.state.structure = afterFirstGroup(f.text("stru"));
            nestedWalk(w);
            return false;
        }
        const int g = w.state.group;
        const Standard secondBit = f.whole("HB2_Osc");
        if (secondBit && *secondBit != 0 && static_cast<int64_t>(k) % 2 == 0) {
            if (!w.note(ReadAs::HeadSecondBurst, 0, ho, secondBit, !win.off(ho, secondBit)))
                fail(w, {ErrorSet::HeadSecondBit, g, {f.shown("HB2_Osc"), timeText(ho)}});
        } else {
            const Standard osc = f.value("H_Osc");
            if (!w.note(ReadAs::HeadBurst, 0, ho, osc, !win.off(ho, osc)))
                fail(w, {ErrorSet::HeadOsc, g, {f.shown("H_Osc"), timeText(ho)}});
            const Standard idle = f.value("H_Idle");
            if (!w.note(ReadAs::HeadGap, 1, hi, idle, !win.off(hi, idle)))
                fail(w, {ErrorSet::HeadIdle, g, {f.shown("H_Idle"), timeText(hi)}});
        }
        w.advance(2);
        if (!w.quirks.headOutsideCycle) {
            w.addTime(static_cast<double>(ho));
            w.addTime(static_cast<double>(hi));
        }
        if (f.is("Type", "RCS16")) {
            const int64_t t = w.cursorTime();
            const Standard second = f.whole("HB2_Osc");
            if (!w.note(ReadAs::HeadSecondBurst, 0, t, second, !win.off(t, second)))
                fail(w, {ErrorSet::HeadSecondBit, g, {f.shown("HB2_Osc"), timeText(t)}});
            w.addTime(static_cast<double>(t));
            w.advance();
        }
    }
    return true;
}

bool tokenRepeatHead(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    const int g = w.state.group;
    const int64_t ho = w.cursorTime(), hi = w.nextTime();
    if (w.settings.demodulated && win.matches(hi, f.whole("H_Idle")) &&
        win.off(hi, f.whole("G2H_Idle"))) {
        // Many remotes of ditto formats send the whole frame again instead.
        restartWithFullStructure(w);
        return false;
    }
    const Standard osc = f.value("G2H_Osc");
    if (!w.note(ReadAs::RepeatHeadBurst, 0, ho, osc, !win.off(ho, osc)))
        fail(w, {ErrorSet::RepeatHeadOsc, g, {f.shown("G2H_Osc"), timeText(ho)}});
    const Standard idle = f.value("G2H_Idle");
    if (!w.note(ReadAs::RepeatHeadGap, 1, hi, idle, !win.off(hi, idle))) {
        fail(w, {ErrorSet::RepeatHeadIdle, g, {f.shown("G2H_Idle"), timeText(hi)}});
        return true; // a wrong gap ends the token before the head
    }
    w.advance(2);
    w.addTime(static_cast<double>(ho));
    w.addTime(static_cast<double>(hi));
    return true;
}

void tokenStart(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    std::string& bits = w.d.PartBits;
    bits.clear();
    const int64_t p = w.previousTime();
    if (f.is("Type", "HL")) {
        const bool inverted = w.quirks.startInverted;
        const Standard headIdle = f.whole("H_Idle");
        if (win.above(p, headIdle) && win.belowUpper(p, headIdle + f.whole("Zero_Osc"))) {
            bits = inverted ? "0" : "1"; // the first start bit merged into the head gap
        } else if (win.matches(p, headIdle)) {
            bits = inverted ? "1" : "0";
            w.advance();
        }
    }
    if (w.quirks.startOne) {
        bits = "1";
        if (win.matches(w.cursorTime(), f.whole("Zero_Osc"))) w.consume();
    }
    if (!readPart(w, f.whole("S_Bits"))) return;
    w.d.StartBits = bits;
    partTail(w, w.d.StartBits);
}

void tokenToggle(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    w.d.PartBits.clear();
    const Standard toggleTime = f.whole("T_Time");
    if (toggleTime && *toggleTime == 0) {
        if (!readPart(w, f.whole("T"))) return;
    } else {
        const Standard minimum = f.value("T_Time");
        int64_t a = w.cursorTime(), b = w.nextTime();
        if (win.below(a, minimum) || win.below(b, minimum)) {
            w.addTime(static_cast<double>(a));
            w.addTime(static_cast<double>(b));
            w.advance();
            a = w.cursorTime();
            b = w.nextTime();
        }
        w.addTime(static_cast<double>(a));
        w.addTime(static_cast<double>(b));
        w.advance();
        if (!f.is("Instance", "1")) w.advance();
    }
    w.d.ToggleBits = w.d.PartBits;
    partTail(w, w.d.ToggleBits);
}

// The fixed part's values the row allows ("f_sit"): its bit patterns as
// the binary line shows them, split by blanks ("10 01": either). Text that
// holds no pattern as long as the part (the editor's "0" for a wider part,
// empty, Null) allows every value; a one-bit part fixed at 0 is "0 0".
bool fixedCodeFits(const std::string& allowed, const std::string& bits) {
    std::istringstream in(allowed);
    bool patterns = false;
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    for (const auto& word : words) {
        if (word.size() != bits.size() || word.find_first_not_of("01") != std::string::npos)
            continue;
        if (word == bits) return true;
        patterns = true;
    }
    return !patterns || (words.size() == 1 && words[0] == "0");
}

void tokenFixed(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    w.d.PartBits.clear();
    const FieldValue& fixTime = f.raw("Fix_Time");
    const auto fixNumber = fixTime.toNumber();
    if (fixTime.isNull() || (fixTime.isText() && trimBlanks(fixTime.toText()).empty()) ||
        (fixNumber && *fixNumber == 0)) {
        if (!readPart(w, f.whole("F"))) return;
        w.d.FixedBits = w.d.PartBits;
        if (!fixedCodeFits(f.text("f_sit"), w.d.FixedBits)) {
            fail(w, {ErrorSet::FixedCode, w.state.group, {f.text("f_sit"), w.d.FixedBits}});
            return;
        }
        partTail(w, w.d.FixedBits);
        return;
    }
    const Standard fixMinimum = f.whole("Fix_Time");
    const int64_t fixed = w.cursorTime();
    if (!w.note(ReadAs::FixedTime, 0, fixed, fixMinimum, !win.below(fixed, fixMinimum)))
        fail(w, {ErrorSet::FixedBit, w.state.group, {f.shown("Fix_Time"), w.cursorText()}});
    else
        w.consume();
}

bool tokenCustomer(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    std::string& bits = w.d.PartBits;
    bits.clear();

    // Bi-phase codes: the first bit may hide in the gap before the code.
    const Standard toggleTime = f.whole("T_Time");
    if (toggleTime && *toggleTime > 0) {
        const int64_t p = w.previousTime();
        const Standard zero = f.whole("Zero_Osc");
        const char last = !w.d.StartBits.empty() && w.d.StartBits.back() == '1' ? '1' : '0';
        const std::string same(1, last), inverse(1, last == '1' ? '0' : '1');
        // The gap holds 0, 1 or 2 halves beyond the toggle time. The
        // demodulated mode's wide windows overlap there: it takes the nearest.
        int halves = -1;
        if (w.settings.demodulated && zero) {
            for (int k = 0; k <= 2; ++k)
                if (win.matches(p, toggleTime + k * *zero) &&
                    (halves < 0 ||
                     std::abs(static_cast<double>(p) - *toggleTime - k * *zero) <
                         std::abs(static_cast<double>(p) - *toggleTime - halves * *zero)))
                    halves = k;
        } else if (win.matches(p, toggleTime)) {
            halves = 0;
        } else if (win.above(p, toggleTime) && win.belowUpper(p, toggleTime + zero)) {
            halves = 1;
        } else if (win.belowUpper(p, toggleTime + 2.0 * zero) &&
                   win.aboveLower(p, toggleTime + zero)) {
            halves = 2;
        }
        const bool found = halves >= 0;
        if (halves == 0) {
            bits = w.quirks.toggleGapInverts ? inverse : same;
            if (win.matches(w.nextTime(), zero)) w.consume();
        } else if (halves == 1) {
            bits = w.quirks.halfGapKeeps ? same : inverse;
        } else if (halves == 2) {
            bits = inverse;
        }
        if (found && win.matches(w.cursorTime(), zero)) w.consume();
    }
    if (w.state.col > kDataCols) {
        w.state.col = 1;
        ++w.state.row;
    }

    // A head where the code should begin: a whole new frame starts here.
    const Standard headOsc = f.value("H_Osc");
    if (headOsc && win.off(*headOsc, f.value("Zero_Osc")) && win.matches(w.cursorTime(), headOsc)) {
        restartWithFullStructure(w);
        return false;
    }
    if (w.quirks.customerOne) {
        bits = "1";
        w.advance();
    }
    if (!readPart(w, f.whole("C"))) return true;
    w.d.CustomerBits = bits;
    w.d.FirstCustomerBit = static_cast<int16_t>(wholeOf(leftText(trimBlanks(w.d.CustomerBits), 1)));
    partTail(w, w.d.CustomerBits);
    return true;
}

void tokenReverseCustomer(Walk& w) {
    w.d.PartBits.clear();
    if (!readPart(w, w.f.whole("R_C"))) return;
    w.d.RevCustomerBits = w.d.PartBits;
    partTail(w, w.d.RevCustomerBits);
}

void tokenData(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    std::string& bits = w.d.PartBits;
    bits.clear();
    if (w.quirks.openData) {
        // Open length: bits until a time reaches the wait time. A burst-coded
        // row's last bit is a burst whose gap is that wait.
        const bool rib = codingRuleOf(f.text("Type")) == CodingRule::Bursts;
        for (;;) {
            const Standard wait = f.whole("X");
            if (!(wait && static_cast<double>(w.cursorTime()) < *wait)) break;
            if (!rib && !(static_cast<double>(w.nextTime()) < *wait)) break;
            if (!bitStep(w)) return;
        }
    } else {
        if (w.quirks.dataEndBit) {
            // Its data begins with an end bit; "---" means it has none to check.
            if (!f.isNone("E_Osc") && win.off(w.cursorTime(), f.whole("E_Osc")))
                w.report(
                    {ErrorSet::EndBitForm002, w.state.group, {f.shown("E_Osc"), w.cursorText()}});
            const Standard wait = f.whole("X");
            if (wait && static_cast<double>(w.nextTime()) > *wait) w.advance(2);
        }
        if (w.quirks.dataLeadInGap || w.quirks.dataLeadOne) {
            if (win.above(w.previousTime(), f.whole("One_Osc"))) {
                bits = "1";
                if (!w.quirks.dataLeadOne) w.advance();
            } else if (w.quirks.dataLeadOne) {
                bits = "1";
                w.advance();
            }
        }
        if (!readPart(w, f.whole("D"))) return;
    }

    w.d.DataBitsRead = bits;
    w.d.DataBits = bits;
    if (bits.size() > 8) {
        // Shown as bytes; a tail shorter than half a byte is not shown.
        const auto bytes =
            static_cast<size_t>(roundHalfEven(static_cast<double>(bits.size()) / 8.0));
        w.d.DataBits.clear();
        for (size_t i = 0; i < bytes; ++i) {
            w.d.DataBits += midText(bits, static_cast<long>(i * 8 + 1), 8);
            w.d.DataBits += ' ';
        }
    }
    w.d.CodeText += w.d.DataBits;
    w.d.CodeText += ' ';
    hexTail(w, bits);
}

void tokenReverseData(Walk& w) {
    w.d.PartBits.clear();
    if (!readPart(w, w.f.whole("R_D"))) return;
    w.d.RevDataBits = w.d.PartBits;
    partTail(w, w.d.RevDataBits);
}

bool tokenFirstBitAgain(Walk& w) {
    const Window win = w.window();
    w.d.PartBits.clear();
    if (!bitStep(w)) return true;
    const bool one = trimBlanks(w.d.PartBits) == "1";
    if (one && w.d.FirstCustomerBit == 1)
        w.report({ErrorSet::FirstBitOne, w.state.group, {}});
    else if (!one && w.d.FirstCustomerBit == 0)
        w.report({ErrorSet::FirstBitZero, w.state.group, {}});

    if (win.belowUpper(w.nextTime(), w.f.whole("One_Idle"))) {
        // A short gap: this group is a full frame, not a repeat.
        for (int i = 0; i < 4; ++i)
            w.stepBack();
        restartWithFullStructure(w);
        return false;
    }
    return true;
}

void tokenLastBurst(Walk& w) {
    FormatFields& f = w.f;
    const Standard last = f.whole("b_end");
    const int64_t t = w.cursorTime();
    if (!w.note(ReadAs::LastBurst, 0, t, last, !w.window().off(t, last)))
        fail(w, {ErrorSet::LastBurst, w.state.group, {f.shown("b_end"), w.cursorText()}});
    else
        w.consume();
}

void tokenEndBit(Walk& w) {
    const Window win = w.window();
    FormatFields& f = w.f;
    if (f.isNone("E_Osc")) return; // the format has no end bit
    const int g = w.state.group;
    const int64_t a = w.cursorTime(), b = w.nextTime();
    const Standard osc = f.value("E_Osc");
    if (!w.note(ReadAs::EndBitBurst, 0, a, osc, !win.off(a, osc))) {
        fail(w, {ErrorSet::EndBitOsc, g, {f.shown("E_Osc"), timeText(a)}});
        return;
    }
    w.addTime(static_cast<double>(a));
    w.advance();
    if (f.isNone("E_Idle")) return;
    const Standard idle = f.whole("E_Idle");
    if (!(idle && *idle != 0)) return;
    const Standard idleValue = f.value("E_Idle");
    if (!w.note(ReadAs::EndBitGap, 0, b, idleValue, !win.off(b, idleValue))) {
        fail(w, {ErrorSet::EndBitIdle, g, {f.shown("E_Idle"), timeText(b)}});
        return;
    }
    w.addTime(static_cast<double>(b));
    w.advance();
}

// Hexadecimal text as a value: blanks and leading zeros dropped, "0" for none.
std::string hexValueText(const std::string& hex) {
    std::string digits;
    for (char c : hex)
        if (c != ' ') digits += c;
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

unsigned hexValue(const std::string& text) {
    unsigned v = 0;
    for (char c : text) {
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (d < 0) break;
        v = v * 16 + static_cast<unsigned>(d);
    }
    return v;
}

void tokenParity(Walk& w) {
    DecodeState& d = w.d;
    d.PartBits.clear();
    const Standard count = w.f.whole("T");
    while (count && static_cast<double>(d.PartBits.size()) != *count)
        if (!bitStep(w)) return;
    d.ParityBits = d.PartBits;

    // The data's bits as read: its byte-split display text would shift the
    // digits.
    std::string all = d.CustomerBits + d.RevCustomerBits + d.DataBitsRead + d.RevDataBits;
    const std::string hex = bitsToHex(all, w.settings.readOrder);
    const std::string trimmed = trimBlanks(hex);
    unsigned acc = 0;
    for (size_t i = 0; i < trimmed.size(); i += 3)
        acc ^= hexValue(midText(hex, static_cast<long>(i) + 1, 2));
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", acc);
    d.ParityCalc = buf;

    std::string parity = d.ParityBits;
    if (hexValueText(bitsToHex(parity, w.settings.readOrder)) != hexValueText(d.ParityCalc))
        w.report({ErrorSet::Parity, w.state.group, {}});
    partTail(w, d.ParityBits);
}

// Whether the reverse part is the complement of the part, position by position.
bool complementFails(const std::string& code, const std::string& reverse) {
    for (size_t i = 0; i < code.size(); ++i) {
        const char r = i < reverse.size() ? reverse[i] : '\0';
        if (code[i] == '1' ? r == '1' : r == '0') return true;
    }
    return false;
}

// Rows whose code line is composed from their parts in their own way.
// They take their fields from the data bits as read: the byte-split display
// text would put a blank among the bits of a part longer than a byte.
void composedHexText(Walk& w) {
    DecodeState& d = w.d;
    const std::string& data = d.DataBitsRead;
    const bool order = w.settings.readOrder;
    switch (w.quirks.codeLine) {
    case CodeLine::Parts:
        return;
    case CodeLine::Rc5x: {
        const std::string b = midText(d.StartBits, 2, 1) == "1" ? "0" : "1";
        d.RevCustomerBits = rightText(d.HexText, 3);
        d.RevDataBits = hexOf(midText(d.StartBits, 4, 5), order);
        d.DataBits = hexOf(b + d.CustomerBits, order);
        d.HexText = d.RevDataBits + " " + d.DataBits + " " + d.RevCustomerBits;
        const Part last = d.PartTexts.empty() ? Part::None : d.PartTexts.back().first;
        d.PartTexts = {{Part::Start, d.RevDataBits},
                       {Part::Customer, d.DataBits},
                       {last, trimBlanks(d.RevCustomerBits)}};
        break;
    }
    case CodeLine::Rc5: {
        const std::string b = midText(d.StartBits, 2, 1) == "1" ? "0" : "1";
        d.CustomerBits = midText(d.HexText, 5, 2);
        d.DataBits = hexOf(b + data, order);
        d.HexText = d.CustomerBits + " " + d.DataBits;
        d.PartTexts = {{Part::Customer, d.CustomerBits}, {Part::Data, d.DataBits}};
        break;
    }
    case CodeLine::Last5First3:
        d.RevCustomerBits = rightText(data, 5);
        d.RevDataBits = midText(data, 1, 3);
        d.HexText = hexOf(d.RevCustomerBits, order) + " " + hexOf(d.RevDataBits, order);
        d.PartTexts = {{Part::Data, d.HexText}};
        break;
    case CodeLine::Bit8And7: {
        const std::string b = midText(data, 1, 1);
        d.CustomerBits = rightText(data, 7);
        d.RevDataBits = midText(data, 2, 8);
        d.HexText = b + " " + hexOf(d.RevDataBits, order) + " " + hexOf(d.CustomerBits, order);
        d.PartTexts = {{Part::Data, d.HexText}};
        break;
    }
    }
    // The line's parts are the parts the group read.
    if (!w.settings.annotate) d.PartTexts.clear();
}

void clearGroupParts(DecodeState& d) {
    d.CustomerBits.clear();
    d.RevCustomerBits.clear();
    d.DataBits.clear();
    d.DataBitsRead.clear();
    d.RevDataBits.clear();
    d.CodeText.clear();
    d.HexText.clear();
    d.PartTexts.clear();
}

// The group end's gap, judged by the cycle it closes.
void noteCycle(Walk& w, double sum, double standard, bool pass) {
    Annotation a;
    a.row = w.state.row;
    a.col = w.state.col;
    a.measured = static_cast<int64_t>(sum);
    a.as = ReadAs::GroupEnd;
    a.part = w.part;
    a.group = w.state.group;
    a.standard = standard;
    a.lo = standard - w.settings.cycleTolerance;
    a.hi = standard + w.settings.cycleTolerance;
    a.pass = pass;
    w.out.annotations.push_back(std::move(a));
}

void tokenGroupEnd(Walk& w) {
    WalkState& s = w.state;
    DecodeResult& out = w.out;
    const DecodeSettings& set = w.settings;
    DecodeState& d = w.d;
    FormatFields& f = w.f;
    w.addTime(static_cast<double>(w.cursorTime()));

    // Cycle check, only when another group follows.
    const Standard cycle = f.whole("T1");
    if (cycle && *cycle != 0 && Walk::holdsTime(w.nextTime())) {
        const FieldValue& g2 = f.raw("G2_T");
        const bool g2Empty = g2.isNull() || (g2.isText() && trimBlanks(g2.toText()).empty());
        const Standard laterCycle = g2Empty ? Standard(0.0) : f.whole("G2_T");
        const char* field = nullptr;
        if (laterCycle && *laterCycle == 0)
            field = "T1";
        else if (laterCycle && s.group > 1)
            field = "G2_T";
        if (field) {
            const double standard = f.required(field);
            const double sum = d.TimeSum;
            // Remotes read through a demodulating receiver often keep a gap
            // after each frame rather than the period.
            const bool within =
                (sum <= standard + set.cycleTolerance && sum >= standard - set.cycleTolerance) ||
                (set.cycleShare > 0 && std::abs(sum - standard) <= set.cycleShare * standard);
            noteCycle(w, sum, standard, within);
            if (!within) {
                w.report({ErrorSet::Cycle, s.group, {f.shown(field), singleText(d.TimeSum)}});
                if (!set.ignoreTime) {
                    d.DecodeOK = false;
                    return;
                }
            }
        }
    }
    out.cycles.push_back(cycleLine(s.group, d.TimeSum));
    ++s.group;

    // Later groups are read with the structure after this group end.
    if (s.structurePos < s.structureLen) {
        s.structure = midText(s.structure, s.structurePos + 1);
        s.structureLen = static_cast<int32_t>(s.structure.size());
    }
    w.advance();
    if (Walk::holdsTime(w.cursorTime())) {
        s.structurePos = 0;
        s.runIndex = 1;
    }
    d.TimeSum = 0;

    if (d.CodeText.find_first_not_of(' ') != std::string::npos) {
        out.binary += d.CodeText;
        out.binary += set.lineBreak;
    }

    // With "Ignore Time" checked a wrong complement is reported and the
    // group still ends cleanly, so its parts do not leak into the next group.
    bool complementsOk = true;
    if (!d.CustomerBits.empty() && !d.RevCustomerBits.empty() &&
        complementFails(d.CustomerBits, d.RevCustomerBits)) {
        w.report({ErrorSet::CustomerComplement, s.group, {}});
        complementsOk = false;
    }
    if (complementsOk && !d.DataBitsRead.empty() && !d.RevDataBits.empty() &&
        complementFails(d.DataBitsRead, d.RevDataBits)) {
        w.report({ErrorSet::DataComplement, s.group, {}});
        complementsOk = false;
    }
    if (!complementsOk && !set.ignoreTime) {
        d.DecodeOK = false;
        return;
    }

    composedHexText(w);
    if (d.HexText.find_first_not_of(' ') != std::string::npos) {
        out.hex += d.HexText;
        out.hex += set.lineBreak;
        for (auto& [part, text] : d.PartTexts)
            out.partValues.push_back({s.group - 1, part, std::move(text)});
    }
    clearGroupParts(d);
    d.StartBits.clear();
    d.FixedBits.clear();
}

// The end of every token that did not leave the walk early.
void endStep(Walk& w) {
    WalkState& s = w.state;
    if (!w.d.DecodeOK && !w.settings.ignoreTime) {
        // The capture does not fit the format: no code is shown and the
        // walk ends with this token.
        w.out.hex.clear();
        w.out.binary.clear();
        clearGroupParts(w.d);
        s.structureLen = 0;
        s.structurePos = 0;
        if (s.col > kDataCols) {
            s.col = 1;
            ++s.row;
        }
        ++s.group;
    }
    w.d.DecodeOK = true;
}

} // namespace

std::optional<Token> tokenOf(std::string_view text) {
    static constexpr std::pair<std::string_view, Token> names[] = {{"H", Token::Head},
                                                                   {"H2", Token::RepeatHead},
                                                                   {"S", Token::Start},
                                                                   {"T", Token::Toggle},
                                                                   {"F", Token::Fixed},
                                                                   {"C", Token::Customer},
                                                                   {"~C", Token::ReverseCustomer},
                                                                   {"RC0", Token::FirstBitAgain},
                                                                   {"D", Token::Data},
                                                                   {"~D", Token::ReverseData},
                                                                   {"B0", Token::LastBurst},
                                                                   {"X", Token::GroupEnd},
                                                                   {"E", Token::EndBit},
                                                                   {"P", Token::Parity}};
    // Every structure token of every walk comes here: the first letter
    // rules out most names before a comparison.
    if (text.empty()) return std::nullopt;
    for (const auto& [name, token] : names)
        if (name[0] == text[0] && name == text) return token;
    return std::nullopt;
}

namespace {

Part partOf(Token t) {
    switch (t) {
    case Token::Head:
        return Part::Head;
    case Token::RepeatHead:
        return Part::RepeatHead;
    case Token::Start:
        return Part::Start;
    case Token::Toggle:
        return Part::Toggle;
    case Token::Fixed:
        return Part::Fixed;
    case Token::Customer:
        return Part::Customer;
    case Token::ReverseCustomer:
        return Part::ReverseCustomer;
    case Token::FirstBitAgain:
        return Part::FirstBitAgain;
    case Token::Data:
        return Part::Data;
    case Token::ReverseData:
        return Part::ReverseData;
    case Token::LastBurst:
        return Part::LastBurst;
    case Token::GroupEnd:
        return Part::GroupEnd;
    case Token::EndBit:
        return Part::EndBit;
    case Token::Parity:
        return Part::Parity;
    }
    return Part::None;
}

// Returns false when the token left the walk early (a nested walk), which
// skips the end step.
bool readToken(Walk& w, Token token) {
    switch (token) {
    case Token::Head:
        return tokenHead(w);
    case Token::RepeatHead:
        return tokenRepeatHead(w);
    case Token::Start:
        tokenStart(w);
        return true;
    case Token::Toggle:
        tokenToggle(w);
        return true;
    case Token::Fixed:
        tokenFixed(w);
        return true;
    case Token::Customer:
        return tokenCustomer(w);
    case Token::ReverseCustomer:
        tokenReverseCustomer(w);
        return true;
    case Token::FirstBitAgain:
        return tokenFirstBitAgain(w);
    case Token::Data:
        tokenData(w);
        return true;
    case Token::ReverseData:
        tokenReverseData(w);
        return true;
    case Token::LastBurst:
        tokenLastBurst(w);
        return true;
    case Token::GroupEnd:
        tokenGroupEnd(w);
        return true;
    case Token::EndBit:
        tokenEndBit(w);
        return true;
    case Token::Parity:
        tokenParity(w);
        return true;
    }
    return true;
}

} // namespace

void readCode(Walk& w, const std::string& text) {
    if (w.cursorTime() == 0 || w.state.row > kDataRows) return;
    // A token the reader does not know reads nothing; the end step still runs.
    const std::optional<Token> token = tokenOf(text);
    bool toEndStep = true;
    if (token) {
        const Part outer = w.part;
        w.part = partOf(*token);
        toEndStep = readToken(w, *token);
        w.part = outer;
    }
    if (toEndStep) endStep(w);
}

} // namespace qv::engine
