#include "engine/decode.h"

#include "capture/capture_formats.h"
#include "engine/burst_excess.h"
#include "engine/walk_context.h"
#include "platform/basic.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>

namespace qv::engine {

namespace {

std::string refusal(const FormatRow& row, const std::string& name, const FieldValue& v) {
    return row.source() + ": field " + name + " refuses the value \"" + v.toText() + "\"";
}

// Where each cell starts, from the first burst: the sum of the times before it.
void placeAnnotations(const TimeTable& times, std::vector<Annotation>& notes) {
    if (notes.empty()) return;
    long lastRow = 1; // the sums are needed up to the last row noted only
    for (const auto& a : notes)
        lastRow = std::max(lastRow, std::min<long>(a.row, kDataRows + 1));
    std::vector<int64_t> start((lastRow + 1) * (kDataCols + 1), 0);
    int64_t sum = 0;
    for (long r = 1; r <= lastRow; ++r)
        for (int c = 1; c <= kDataCols; ++c) {
            start[r * (kDataCols + 1) + c] = sum;
            sum += times.time(r, c);
        }
    for (auto& a : notes)
        if (a.row >= 1 && a.row <= kDataRows + 1 && a.col >= 1 && a.col <= kDataCols)
            a.startUs = start[a.row * (kDataCols + 1) + a.col];
}

// Numbers of the row's fields; fields that are missing, Null or not a
// number are left out.
std::vector<double> rowNumbers(const FormatRow& row, std::initializer_list<const char*> fields) {
    std::vector<double> out;
    for (const char* name : fields)
        if (const FieldValue* v = row.find(name))
            if (const auto n = v->toNumber()) out.push_back(*n);
    return out;
}

// The burst and gap times of a row's bits, for the excess estimate.
std::pair<std::vector<double>, std::vector<double>> bitStandards(const FormatRow& row) {
    const FieldValue* type = row.find("Type");
    switch (type ? codingRuleOf(trimBlanks(type->toText())) : CodingRule::Gaps) {
    case CodingRule::Rcs16: {
        // "00" sends a burst of two units; the other symbols' gaps are four.
        std::vector<double> marks = rowNumbers(row, {"Zero_Osc"});
        for (double m : std::vector<double>(marks))
            marks.push_back(2 * m);
        return {marks, rowNumbers(row, {"zero_Idle", "zero_HL", "One_Osc", "One_Idle"})};
    }
    case CodingRule::FourGaps:
        return {rowNumbers(row, {"Zero_Osc"}),
                rowNumbers(row, {"zero_Idle", "zero_HL", "One_Idle", "One_HL"})};
    case CodingRule::Mis: {
        const std::vector<double> cell = rowNumbers(row, {"One_Idle", "zero_Idle", "D"});
        if (quirksOf(row).mis != MisVariant::Runs || cell.size() != 3) break;
        // A one's gap holds the rest of its cell and the empty cells after
        // it, up to a whole data part of them.
        std::vector<double> gaps;
        for (int empty = 0; empty <= std::clamp(static_cast<int>(cell[2]), 0, 64); ++empty)
            gaps.push_back(cell[0] + empty * cell[1]);
        return {rowNumbers(row, {"Zero_Osc", "One_Osc"}), gaps};
    }
    default:
        break;
    }
    return {rowNumbers(row, {"Zero_Osc", "One_Osc"}), rowNumbers(row, {"zero_Idle", "One_Idle"})};
}

} // namespace

namespace {

DecodeResult decodeOnce(const TimeTable& times, const FormatRow& row,
                        const DecodeSettings& settings) {
    DecodeResult out;
    const FormatRow* walked = &row;
    FormatRow learnedRow;
    if (settings.learn && row.present()) {
        auto learned = learnFields(times, row.key(), settings);
        if (!learned.empty()) {
            learnedRow = row;
            bool stored = true;
            for (const auto& [name, value] : learned) {
                // A missing field ends the learning silently, a refused value
                // with a message; either way the row stays as it was.
                if (!row.find(name)) {
                    stored = false;
                    break;
                }
                if (!learnedRow.set(name, value)) {
                    out.learnRefused = refusal(row, name, value);
                    out.messages.push_back(out.learnRefused);
                    stored = false;
                    break;
                }
            }
            if (stored) {
                out.learned = std::move(learned);
                walked = &learnedRow;
            }
        }
    }

    // The learner reads the times as received; the excess is judged against
    // the (learned) row's bit times.
    std::unique_ptr<TimeTable> corrected; // made only when there is an excess to take off
    const TimeTable* walkedTimes = &times;
    double step = 1; // the logger's sampling step
    if (settings.excessMode != ExcessMode::None) {
        const std::vector<int64_t> received = captureTimes(times);
        double excess = settings.excess, speed = 1;
        const FieldValue* type = walked->find("Type");
        const CodingRule rule = type ? codingRuleOf(trimBlanks(type->toText())) : CodingRule::Gaps;
        if (settings.excessMode == ExcessMode::Auto && rule == CodingRule::RunLengths) {
            const std::vector<double> bit = rowNumbers(*walked, {"Zero_Osc"});
            const RunFit fit = estimateRunFit(received, bit.empty() ? 0 : bit.front());
            excess = fit.excess;
            speed = fit.speed;
        } else if (settings.excessMode == ExcessMode::Auto) {
            const auto [marks, spaces] = bitStandards(*walked);
            excess = estimateBurstExcess(received, marks, spaces, &speed);
        }
        if (rule == CodingRule::FourGaps && settings.demodulated) {
            step = samplingStep(received);
            const auto [marks, spaces] = bitStandards(*walked);
            std::vector<double> sums;
            for (double gap : spaces)
                sums.push_back(marks.empty() ? 0 : marks.front() + gap);
            // The head's pair lies among them (RC-MM: 416 + 277 us).
            if (const auto head = rowNumbers(*walked, {"H_Osc", "H_Idle"}); head.size() == 2)
                sums.push_back(head[0] + head[1]);
            speed = pairPace(received, sums);
        }
        out.burstExcess = static_cast<int64_t>(std::lround(excess));
        std::vector<int64_t> taken = withoutBurstExcess(received, out.burstExcess);
        // A remote that runs a few percent fast or slow is read at the pace
        // the fit found where its code hangs on lengths close together: a
        // bi-phase gap counted in half bits (the first bit hidden in the gap
        // before the code: 4% of 2500 us is a fifth of a half) and the
        // four-level gaps, and runs of many bits or empty cells. The other
        // codings fit their pace less surely.
        const bool cellRuns = rule == CodingRule::Mis && quirksOf(*walked).mis == MisVariant::Runs;
        const bool paced = rule == CodingRule::Intervals || rule == CodingRule::FourGaps ||
                           rule == CodingRule::Rcs16 || rule == CodingRule::RunLengths || cellRuns;
        if (paced && std::abs(speed - 1) > 0.01 && std::abs(speed - 1) < 0.08)
            for (int64_t& t : taken)
                if (t > 0 && t != kEndOfSignal)
                    t = std::max<int64_t>(1, std::llround(static_cast<double>(t) / speed));
        corrected = std::make_unique<TimeTable>(times);
        for (size_t i = 0; i < taken.size(); ++i)
            if (taken[i] != received[i])
                corrected->setTime(static_cast<long>(i / kDataCols) + 1,
                                   static_cast<long>(i % kDataCols) + 1, taken[i]);
        walkedTimes = &*corrected;
    }

    if (settings.annotate) out.annotations.reserve(128); // a key press of a few frames
    WalkState st;
    st.runCount = settings.carry.runCount;
    st.d.FirstCustomerBit = settings.carry.firstCustomerBit;
    if (const FieldValue* stru = walked->find("stru")) st.structure = stru->toText();
    Walk w(*walkedTimes, *walked, settings, st, out);
    w.samplingStep = step;
    walkStructure(w);
    if (out.hex.find_first_not_of(' ') == std::string::npos && out.errors.empty()) {
        // A decode that shows no code has failed, and says where it stopped.
        const auto [group, t] = w.ranOut.value_or(std::pair<int, int64_t>{
            st.group, st.row <= kDataRows ? walkedTimes->time(st.row, st.col) : 0});
        out.errors.push_back({ErrorSet::NoProgress, group, {timeText(t)}});
    }

    out.groupNo = st.group;
    out.row = st.row;
    out.col = st.col;
    out.carry = {st.runCount, st.d.FirstCustomerBit};
    out.shown = settings.octal ? octText(out.hex, settings.lineBreak) : out.hex;
    placeAnnotations(*walkedTimes, out.annotations);
    return out;
}

// The capture up to the head of the frame at cell (row, col).
TimeTable cutBefore(const TimeTable& times, long row, int col) {
    TimeTable cut(times);
    cut.clearFrom(row, col, kDataRows);
    return cut;
}

} // namespace

DecodeResult decode(const TimeTable& times, const FormatRow& row, const DecodeSettings& settings) {
    DecodeResult out = decodeOnce(times, row, settings);
    // A logger often stops recording inside a repeat frame. Where the walk
    // fails only in a later frame, and on the end of the capture, that
    // frame is left out when the frames before it then decode clean.
    if (!settings.demodulated || out.errors.empty()) return out;
    const int group = out.errors.front().group;
    const bool onlyThatFrame =
        group >= 2 && std::all_of(out.errors.begin(), out.errors.end(),
                                  [&](const ErrorReport& e) { return e.group == group; });
    // The first failing time is the end of the signal: the recording stopped.
    const std::string end = std::to_string(kEndOfSignal);
    const auto& first = out.errors.front().values;
    if (!onlyThatFrame || std::find(first.begin(), first.end(), end) == first.end()) return out;
    // The frame holds fewer times than the first (whose count takes in the
    // gap after it): it was cut, not damaged.
    auto cellOf = [](const Annotation& a) { return (a.row - 1) * kDataCols + a.col; };
    auto startOf = [&](int g) {
        return std::find_if(out.annotations.begin(), out.annotations.end(),
                            [&](const Annotation& a) { return a.group == g; });
    };
    if (!settings.annotate) {
        // Where the frames start: the annotations tell.
        DecodeSettings noted = settings;
        noted.annotate = true;
        out.annotations = decodeOnce(times, row, noted).annotations;
    }
    const auto head = startOf(group), second = startOf(2);
    if (head == out.annotations.end() || second == out.annotations.end() ||
        (head->row == 1 && head->col == 1))
        return out;
    // Only a frame of the row's own is left out: it begins as the row's
    // frames begin (its first time passed), after a gap at least the row's
    // end-of-frame wait ("X") - never a part of the frame just read.
    const auto wait = rowNumbers(row, {"X"});
    const int64_t gap =
        head->col > 1 ? times.time(head->row, head->col - 1) : times.time(head->row - 1, kDataCols);
    if (!head->pass || wait.empty() ||
        static_cast<double>(gap) <= Window{settings.window}.lower(wait.front()))
        return out;
    const long timesLeft = static_cast<long>(captureTimes(times).size()) - cellOf(*head) + 1;
    if (timesLeft + 1 >= cellOf(*second) - 1) return out;
    DecodeResult cut = decodeOnce(cutBefore(times, head->row, head->col), row, settings);
    if (!cut.errors.empty() || cut.runaway || cut.aborted ||
        cut.hex.find_first_not_of(' ') == std::string::npos)
        return out;
    cut.lastFrameLeftOut = true;
    return cut;
}

std::string octText(const std::string& hexCode, const std::string& lineBreak) {
    const std::string text = trimBlanks(hexCode);
    std::string out;
    size_t p = 0;
    while (p < text.size()) {
        const size_t e = text.find(lineBreak, p);
        if (e == std::string::npos || lineBreak.empty()) break; // text after the last line break
        const std::string line = trimBlanks(std::string_view(text).substr(p, e - p));
        size_t q = 0;
        while (q < line.size()) {
            size_t blank = line.find(' ', q);
            if (blank == std::string::npos) blank = line.size();
            const std::string token = trimBlanks(std::string_view(line).substr(q, blank - q));
            q = blank + 1;
            if (token.empty()) continue;
            unsigned long v = 0;
            size_t digits = 0;
            for (char c : token) {
                int d = -1;
                if (c >= '0' && c <= '9') d = c - '0';
                if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
                if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
                if (d < 0 || digits >= 8) break;
                v = v * 16 + static_cast<unsigned long>(d);
                ++digits;
            }
            if (digits == 0) continue; // not a hexadecimal number: nothing to show
            out += (v <= 9 ? "0" : "") + std::to_string(v) + " ";
        }
        out += lineBreak;
        p = e + lineBreak.size();
    }
    return out;
}

} // namespace qv::engine
