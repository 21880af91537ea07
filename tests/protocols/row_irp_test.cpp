// Every named row written as IRP renders the key press the row's own
// generator makes for the same code; the rows that cannot be written say
// which field stops them.
#include "support.h"

#include "app/generate_capture.h"
#include "catalogue/catalogue.h"
#include "engine/row_irp.h"
#include "irp/irp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>

namespace {

std::vector<qv::engine::FormatRow> namedRows() {
    std::vector<qv::engine::FormatRow> rows;
    auto cursor = qv::openCatalogue(qvproto::freshCatalogue());
    for (bool ok = cursor->moveFirst(); ok; ok = cursor->moveNext()) {
        auto row = qv::engine::FormatRow::fromCursor(*cursor);
        if (!qv::engine::isLearningRow(row) && !qv::engine::isPlaceholderRow(row))
            rows.push_back(std::move(row));
    }
    return rows;
}

// The code lines the slot's own presses show (all zeros, all ones, mixed).
std::vector<std::string> codesFor(const std::string& key) {
    std::vector<std::string> codes;
    for (const auto& p : qvproto::presses())
        if (p.key == key && p.readable && !p.hexLines(1).empty())
            codes.push_back(p.hexLines(1).front());
    return codes;
}

TEST(RowIrp, EveryWritableRowRendersTheGeneratorsPress) {
    std::map<std::string, std::string> unwritten;
    int compared = 0, uncompared = 0;
    for (const auto& row : namedRows()) {
        const auto irp = qv::engine::rowIrp(row);
        if (!irp.ok()) {
            EXPECT_FALSE(irp.field.empty() || irp.why.empty()) << row.key();
            unwritten[row.key()] = irp.field + ": " + irp.why;
            continue;
        }
        SCOPED_TRACE(row.key() + " " + irp.irp);
        const qv::irp::Protocol protocol = qv::irp::parse(irp.irp);
        const auto codes = codesFor(row.key());
        // The user slots hold no protocol of their own: written, not compared.
        if (codes.empty()) ++uncompared;
        for (const std::string& code : codes) {
            qv::engine::GenerateRequest request;
            request.code = code;
            qv::engine::GeneratedSignal made;
            try {
                made = qv::engine::generateSignal(row, request);
            } catch (const qv::engine::GenerateError& e) {
                unwritten[row.key()] = std::string("the generator refuses it: ") + e.what();
                break;
            }
            const auto params = qv::engine::rowIrpParameters(row, irp, request.code);
            ASSERT_TRUE(params) << request.code;
            qv::irp::Params p;
            for (const auto& [name, value] : *params)
                p.set(name, value);
            auto rendered = qv::irp::render(protocol, p).press();
            // A capture leaves out the silence after the last burst.
            rendered.pop_back();
            const auto& times = made.capture.times;
            bool same = rendered.size() == times.size();
            for (size_t i = 0; same && i < times.size(); ++i)
                same = std::llabs(std::llabs(rendered[i]) - times[i]) <= 1;
            EXPECT_TRUE(same) << code << "\n IRP:       " << testing::PrintToString(rendered)
                              << "\n generator: " << testing::PrintToString(times);
            ++compared;
        }
    }
    // Which rows, and why: the report the README's count is taken from.
    for (const auto& [key, why] : unwritten)
        std::cout << key << "  " << why << "\n";
    std::cout << compared << " presses compared, " << unwritten.size() << " rows not written, "
              << uncompared << " written rows without a press\n";
    EXPECT_GT(compared, 0);
}

} // namespace
