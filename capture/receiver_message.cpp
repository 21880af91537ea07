#include "capture/receiver_message.h"

#include "platform/basic.h"

namespace qv {

namespace {

// A figure as the carrier labels keep it: decimal text of a single, cut to
// seven characters and read back.
float cutToSeven(float v) {
    return single(leadingNumber(leftText(singleText(v), 7)));
}

} // namespace

CarrierFigures carrierFigures(uint8_t highTicks, uint8_t lowTicks, float t) {
    CarrierFigures f;
    f.high = cutToSeven(static_cast<float>(highTicks) / t);
    f.period = cutToSeven(static_cast<float>(highTicks + lowTicks) / t);
    f.highText = singleText(f.high);
    f.periodText = singleText(f.period);
    if (f.period > 0)
        f.frequencyText = leftText(doubleText(1000.0 / leadingNumber(f.periodText)), 7);
    return f;
}

int32_t ticksToMicroseconds(unsigned ticks, float t) {
    return static_cast<int32_t>(roundHalfEven(static_cast<double>(ticks) / static_cast<double>(t)));
}

PairTable decodePairs(const std::vector<uint8_t>& bytes, float t) {
    PairTable table{};
    const long n = static_cast<long>(bytes.size());
    const long m = static_cast<long>(wholePart(n / 2.0 - 2));
    int row = 0, col = 0;
    for (long i = 2; i <= m - 3; i += 4) {
        unsigned osc = bytes[i] * 256u + bytes[i + 1];
        unsigned idle = bytes[i + 2] * 256u + bytes[i + 3];
        table[row][col] = ticksToMicroseconds(osc, t);
        int32_t idleUs = ticksToMicroseconds(idle, t);
        table[row][col + 1] = idleUs == 0 ? kOverflowUnit : idleUs;
        col += 2;
        if (col > kDataCols - 1) {
            col = 0;
            if (++row > kDataRows - 1) row = 0;
        }
    }
    return table;
}

std::pair<long, int> loadTimeTable(TimeTable& table, const PairTable& pairs, long row, int col) {
    auto advance = [&] {
        if (++col > kDataCols) {
            col = 1;
            ++row;
        }
    };
    int a = 0, b = 0;
    bool adding = false;
    int overflows = 0;
    auto nextEntry = [&] {
        if (++b > kDataCols - 1) {
            b = 0;
            ++a;
        }
    };
    while (a < kDataRows && overflows < 7) {
        const int32_t v = pairs[a][b];
        const std::string& cur = table.cell(row, col);
        const int64_t value = adding ? wholeOf(cur) + v : v;
        table.setCell(row, col, wholeText(value));
        if (v == kOverflowUnit || v == 0) {
            nextEntry();
            nextEntry();
            adding = true;
            ++overflows;
        } else {
            adding = false;
            overflows = 0;
            nextEntry();
            advance();
        }
    }
    advance();
    while (row < kDataRows) {
        table.setCell(row, col, "");
        advance();
    }
    return {row, col};
}

} // namespace qv
