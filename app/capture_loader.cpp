#include "app/capture_loader.h"

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

void loadTimeTable(Session& s, const PairTable& pairs) {
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
        const std::string& cur = s.cellAtCursor();
        const int64_t value = adding ? wholeOf(cur) + v : v;
        s.TTable.setCell(s.TimeRow, s.TimeCol, wholeText(value));
        if (v == kOverflowUnit || v == 0) {
            nextEntry();
            nextEntry();
            adding = true;
            ++overflows;
        } else {
            adding = false;
            overflows = 0;
            nextEntry();
            s.advanceCursor();
        }
    }
    s.advanceCursor();
    while (s.TimeRow < kDataRows) {
        s.TTable.setCell(s.TimeRow, s.TimeCol, "");
        s.advanceCursor();
    }
}

bool loadCapture(Session& s) {
    s.TimeRows = kDataRows;
    s.setTimers(false, s.Timer2);
    const size_t n = s.port ? s.port->bytesWaiting() : 0;
    s.LblRGtime = std::to_string(n);
    if (n < 10) {
        // Too short for a capture; dropped, or it would spoil the next one.
        // The link goes on polling as after any finished capture.
        if (s.port && n > 0) s.port->read(n);
        s.setTimers(false, true);
        s.changed();
        return false;
    }
    s.CarrierPeriod = 0;
    s.RxBytes = s.port->read(n);
    if (s.RxBytes.size() < 10) return false;
    s.captureSource = s.port->source();

    const CarrierFigures f = carrierFigures(s.RxBytes[0], s.RxBytes[1], s.TicksPerMicrosecond);
    s.CarrierHigh = f.high;
    s.CarrierPeriod = f.period;
    s.code.Lblcarr_h = f.highText;
    s.code.Lblcarr_wid = f.periodText;
    if (s.CarrierPeriod > 0) s.code.Lblcarr_f = f.frequencyText;

    s.TimeRow = 1;
    s.TimeCol = 1;
    loadTimeTable(s, decodePairs(s.RxBytes, s.TicksPerMicrosecond));
    return true;
}

} // namespace qv
