#include "engine/error_report.h"

#include "platform/basic.h"

#include <cstddef>

namespace qv {

namespace {

// One line of a set: "Group n" first when grouped, then the label, then the
// next value of the report when the line shows one, then a closing text.
struct LineForm {
    bool grouped;
    const char* label;
    bool showsValue;
    const char* suffix = "";
};

struct SetForm {
    ErrorSet set;
    std::vector<LineForm> lines;
};

// The wording is the receiver software's own, typos included: users search
// their error records for these texts.
const std::vector<SetForm>& forms() {
    static const std::vector<SetForm> table = {
        {ErrorSet::ShortInterval,
         {{true, ":0,1 data time is error!", false},
          {false, "Short time range:", true},
          {false, "Test time:", true}}},
        {ErrorSet::LongInterval,
         {{true, ":0,1 data time is error!", false},
          {false, "Long time range:", true},
          {false, "Test time:", true}}},
        {ErrorSet::BurstBit,
         {{true, ":0 or 1's Osc time is error!", false},
          {false, "0 Osc standard time:", true},
          {false, "1 Osc standard time:", true},
          {false, "0 or 1's Osc test time:", true}}},
        {ErrorSet::BurstGap,
         {{true, ":0 and 1 Idle time is error!", false},
          {false, "0 and 1 Idle standard time:", true},
          {false, "0 and 1 Idle test time:", true}}},
        {ErrorSet::ZeroOsc,
         {{true, ":0 Osc time is error!", false},
          {false, "0 Osc standard time:", true},
          {false, "0 Osc test time:", true}}},
        {ErrorSet::ZeroOneIdle,
         {{true, ":0 or 1's Idle time is error!", false},
          {false, "0 Idle standard time:", true},
          {false, "1 Idle standard time:", true},
          {false, "0 or 1's Idle test time:", true}}},
        {ErrorSet::MisOneOsc,
         {{true, ": 1's Osc time is error!", false},
          {false, "1's Osc standard time:", true},
          {false, "1's Osc test time:", true}}},
        {ErrorSet::MisOsc,
         {{true, ": Osc time is error!", false},
          {false, "Osc standard time:", true},
          {false, "Osc test time:", true}}},
        {ErrorSet::MisIdle,
         {{true, ": Idle time is error!", false}, {false, "The Idle test time:", true}}},
        {ErrorSet::MisSecondIdle,
         {{true, ":'s time is error!", false},
          {false, "0's second Idle standard time:", true},
          {false, "1's second Idle standard time:", true},
          {false, "0's second Idle test time:", true}}},
        {ErrorSet::MisExtraIdle,
         {{true, ": Idle time is error!", false},
          {false, "The Idle standard time:", true},
          {false, "The Idle test time:", true}}},
        {ErrorSet::RcsOsc,
         {{true, ": Osc time is error!", false}, {false, "The Osc test time:", true}}},
        {ErrorSet::RcsIdle,
         {{true, ": Idle time is error!", false}, {false, "The Idle test time:", true}}},
        {ErrorSet::RcsSymbol,
         {{true, ":0,1 data time is error!", false}, {false, "Test time:", true}}},
        {ErrorSet::NoProgress,
         {{true, ":No bit can be read at this time, the part is given up!", false},
          {false, "Test time:", true}}},
        {ErrorSet::HeadSecondBit,
         {{true, ":The head's Sec. bit's Osc time is error!", false},
          {false, "The head's Osc standard time:", true},
          {false, "The head's Osc test time:", true}}},
        {ErrorSet::HeadOsc,
         {{true, ":The head's Osc time is error!", false},
          {false, "The head's Osc standard time:", true},
          {false, "The head's Osc test time:", true}}},
        {ErrorSet::HeadIdle,
         {{true, ":The head's Idle time is error!", false},
          {false, "The head's Idle standard time:", true},
          {false, "The head's Idle test time:", true}}},
        {ErrorSet::RepeatHeadOsc,
         {{true, ":head's Osc time is error!", false},
          {false, "The head's Osc standard time:", true},
          {false, "The head's Osc test time:", true}}},
        {ErrorSet::RepeatHeadIdle,
         {{true, ":head's Idle time is error!", false},
          {false, "head's Idle standard time:", true},
          {false, "head's Idle test time:", true}}},
        {ErrorSet::FixedBit,
         {{true, ": The fix bit's Idle time is error!", false},
          {false, "The Fix bit's min time:", true},
          {false, "The Fix bit's test time:", true}}},
        {ErrorSet::FirstBitOne,
         {{false, "The groups that behind the first group's first bit is wrong:", false},
          {false, "It's not reverse each other", false}}},
        {ErrorSet::FirstBitZero,
         {{false, "The groups that behind the first group's first bit is wrong", false},
          {false, "It's not reverse each other", false}}},
        {ErrorSet::EndBitForm002,
         {{true, ": End bit's time is error!", false},
          {true, ": End bi's standard time:", true},
          {true, ": End bi's test time:", true}}},
        {ErrorSet::LastBurst,
         {{true, ":The end bit's last time is error!", false},
          {false, "The last bit's Osc standard time:", true},
          {false, "The last bit's Osc test time:", true}}},
        {ErrorSet::Cycle,
         {{true, ":Cycle's time is error!", false},
          {true, ":Cycle's standard time:", true},
          {true, ":Cycle's test time:", true}}},
        {ErrorSet::CustomerComplement,
         {{false, "Custom code or reverse custom code is wrong", false}}},
        {ErrorSet::DataComplement, {{false, "Data code or reverse data code is wrong", false}}},
        {ErrorSet::EndBitOsc,
         {{true, ":The end bit's Osc time is error!", false},
          {false, "The end bit's Osc standard time:", true},
          {false, "The end bit's Osc test time:", true}}},
        {ErrorSet::EndBitIdle,
         {{true, ":The end bit's Idle time is error!", false},
          {false, "The end bit's Idle standard time:", true},
          {false, "The end bit's Idle test time:", true}}},
        {ErrorSet::Parity, {{false, "Parity verify bits is wrong", false}}},
        {ErrorSet::FixedCode,
         {{true, ":The fixed bits code is error!", false},
          {false, "Fixed bits code:", true},
          {false, "The fixed bits test code:", true}}},
        {ErrorSet::QuickPress,
         {{false, "Quick press should send ", true, "groups"},
          {false, "Actually send ", true, "groups"}}},
    };
    return table;
}

const SetForm& formOf(ErrorSet set) {
    for (const auto& f : forms())
        if (f.set == set) return f;
    return forms().front(); // every set has a form; unreachable
}

std::string groupText(int group) {
    return "Group " + std::to_string(group);
}

} // namespace

std::vector<std::string> formatReport(const ErrorReport& r) {
    std::vector<std::string> out;
    size_t next = 0;
    for (const auto& line : formOf(r.set).lines) {
        std::string text = line.grouped ? groupText(r.group) : std::string();
        text += line.label;
        if (line.showsValue && next < r.values.size()) text += r.values[next++];
        text += line.suffix;
        out.push_back(std::move(text));
    }
    return out;
}

std::string cycleLine(int group, float timeSum) {
    // One buffer: three cycles a key press, every press.
    std::string line = groupText(group);
    const std::string time = singleText(timeSum);
    line.reserve(line.size() + 19 + time.size());
    line += ":Cycle's test time:";
    line += time;
    return line;
}

} // namespace qv
