// Signals made to order: the program's generator sends every named row the
// code its protocol case shows, and every capture file kind of it decodes
// to that code again. Rows whose coding it cannot send are listed, so that
// losing one is noticed.
#include "decoder.h"
#include "protocol_cases.h"

#include "app/generate_capture.h"
#include "capture/capture_formats.h"
#include "engine/walk_context.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The first code line of the case's mixed code: the binary one for rows
// that compose their hexadecimal line by a rule of their own.
std::string firstLine(const cases::Press& press, bool binary) {
    for (const auto& g : press.groups)
        if (!g.parts.empty())
            return binary          ? lines::binaryLine(g.parts)
                   : g.hex.empty() ? lines::hexLine(g.parts)
                                   : g.hex;
    return {};
}

TEST(GeneratedRows, EveryNamedRowSendsTheCodeItsDecodeShows) {
    std::set<std::string> refused;
    for (const auto& c : cases::protocolCases()) {
        const bool binary = qv::engine::composesOwnCodeLine(c.key);
        const std::string code = firstLine(c.make(cases::Code::Mixed), binary);
        qv::engine::GenerateRequest request;
        request.code = code;
        request.binary = binary;
        request.repeats = 1;
        qv::engine::GeneratedSignal signal;
        try {
            signal = qv::engine::generateSignal(qv::catalogueRow(qvproto::freshCatalogue(), c.key),
                                                request);
        } catch (const qv::engine::GenerateError&) {
            refused.insert(c.key);
            continue;
        }
        for (auto kind : {qv::CaptureFileKind::TimeList, qv::CaptureFileKind::SignedRaw,
                          qv::CaptureFileKind::Mode2, qv::CaptureFileKind::Pronto}) {
            // Pronto counts carrier cycles: a row without a carrier loses its short times.
            if (kind == qv::CaptureFileKind::Pronto && signal.carrierPeriodUs == 0) continue;
            const std::string content = qv::generatedFileContent(signal, kind);
            const auto times = kind == qv::CaptureFileKind::Pronto ? qv::parsePronto(content).times
                                                                   : qv::parseTimeList(content);
            // Pronto counts whole carrier cycles: its rounding moves a 108 ms
            // cycle by more than the 500 us the 3% menu allows.
            const bool pronto = kind == qv::CaptureFileKind::Pronto;
            const auto d = qvproto::decode(c.key, times, pronto ? 5 : 3);
            if (d.hex.empty()) {
                ADD_FAILURE() << c.key << " kind " << static_cast<int>(kind)
                              << testing::PrintToString(d.errors);
                continue;
            }
            EXPECT_EQ((binary ? d.binary : d.hex).front(), code)
                << c.key << " kind " << static_cast<int>(kind);
            // Pronto keeps the first frame and one repeat: too few for a group count.
            if (!pronto) {
                EXPECT_TRUE(d.errors.empty()) << c.key << testing::PrintToString(d.errors);
            }
        }
    }
    // Bi-phase (HL), symbol (MIS), run-length (SE) and RCS16 rows.
    EXPECT_EQ(refused,
              (std::set<std::string>{"Form008", "Form009", "Form019", "Form025", "Form029",
                                     "Form030", "Form031", "Form042", "Form046", "Form047",
                                     "Form059", "Form086", "Form089", "Form090", "Form126",
                                     "Form127", "Form128", "Form130", "Form131", "Form135"}));
    // Learning and placeholder rows have nothing of their own to send.
    qv::engine::GenerateRequest nec;
    nec.code = "00 FF 12 ED";
    for (const char* key : {"IB", "RIB", "Form003"})
        EXPECT_THROW(
            qv::engine::generateSignal(qv::catalogueRow(qvproto::freshCatalogue(), key), nec),
            qv::engine::GenerateError)
            << key;
}

} // namespace
