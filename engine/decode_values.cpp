#include "engine/decode_values.h"

#include <utility>

namespace qv::engine {

const char* readAsName(ReadAs as) {
    switch (as) {
    case ReadAs::HeadBurst:
        return "head burst";
    case ReadAs::HeadGap:
        return "head gap";
    case ReadAs::HeadSecondBurst:
        return "second head burst";
    case ReadAs::RepeatHeadBurst:
        return "repeat head burst";
    case ReadAs::RepeatHeadGap:
        return "repeat head gap";
    case ReadAs::BitBurst:
        return "bit burst";
    case ReadAs::BitGap:
        return "bit gap";
    case ReadAs::ToggleTime:
        return "toggle";
    case ReadAs::FixedTime:
        return "fixed time";
    case ReadAs::EndBitBurst:
        return "stop bit burst";
    case ReadAs::EndBitGap:
        return "stop bit gap";
    case ReadAs::LastBurst:
        return "end bit";
    case ReadAs::GroupEnd:
        return "cycle";
    }
    return "";
}

const char* partName(Part part) {
    switch (part) {
    case Part::None:
        return "";
    case Part::Head:
        return "H";
    case Part::RepeatHead:
        return "H2";
    case Part::Start:
        return "S";
    case Part::Toggle:
        return "T";
    case Part::Fixed:
        return "F";
    case Part::Customer:
        return "C";
    case Part::ReverseCustomer:
        return "~C";
    case Part::FirstBitAgain:
        return "RC0";
    case Part::Data:
        return "D";
    case Part::ReverseData:
        return "~D";
    case Part::LastBurst:
        return "B0";
    case Part::GroupEnd:
        return "X";
    case Part::EndBit:
        return "E";
    case Part::Parity:
        return "P";
    }
    return "";
}

std::vector<std::string> DecodeResult::errorLines() const {
    std::vector<std::string> lines;
    for (const auto& r : errors)
        for (auto& line : formatReport(r))
            lines.push_back(std::move(line));
    return lines;
}

} // namespace qv::engine
