#include "app/generate_capture.h"
#include "catalogue/catalogue.h"
#include "platform/basic.h"
#include "platform/paths.h"
#include "tools/cli_commands.h"

#include <cstdio>
#include <fstream>

namespace qv {

namespace {

int generateError(const std::string& what) {
    std::fprintf(stderr, "quorvel-cli: %s\n", what.c_str());
    return 2;
}

} // namespace

int cmdGenerate(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--protocol" || a == "--irp") return cmdGenerateIrp(args);
    std::string key, out, cataloguePath;
    engine::GenerateRequest request;
    bool haveCode = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size())
            return generateError(a.rfind("-", 0) == 0 ? a + " needs a value"
                                                      : "unexpected argument " + a);
        const std::string& v = args[++i];
        if (a == "--format")
            key = v;
        else if (a == "--code" || a == "--bin") {
            if (haveCode) return generateError("generate takes one of --code and --bin");
            haveCode = true;
            request.code = v;
            request.binary = a == "--bin";
        } else if (a == "--repeats") {
            if (!isNumeric(v) || leadingNumber(v) < 0 || leadingNumber(v) > 50 ||
                leadingNumber(v) != wholePart(leadingNumber(v)))
                return generateError("--repeats takes a whole number from 0 to 50");
            request.repeats = static_cast<int>(leadingNumber(v));
        } else if (a == "--distort") {
            std::string why;
            if (!parseDistortion(v, request, why)) return generateError(why);
        } else if (a == "--catalogue")
            cataloguePath = v;
        else if (a == "-o" || a == "--output")
            out = v;
        else
            return generateError("unknown option " + a);
    }
    if (key.empty()) return generateError("generate needs --format KEY");
    if (!haveCode) return generateError("generate needs --code HEX or --bin BITS");
    if (out.empty()) return generateError("generate needs -o FILE");
    if (cataloguePath.empty()) cataloguePath = locateAppFiles().catalogue;

    engine::GeneratedSignal signal;
    try {
        signal = engine::generateSignal(catalogueRow(cataloguePath, key), request);
    } catch (const engine::GenerateError& e) {
        std::fprintf(stderr, "quorvel-cli: cannot generate: %s\n", e.what());
        return 1;
    } catch (const DatabaseError& e) {
        std::fprintf(stderr, "quorvel-cli: the catalogue cannot be read: %s\n", e.what());
        return 1;
    }
    const std::string content = generatedFileContent(signal, captureKindForPath(out));
    std::ofstream f(out, std::ios::binary);
    f.write(content.data(), static_cast<std::streamsize>(content.size()));
    f.close();
    if (!f) {
        std::fprintf(stderr, "quorvel-cli: %s: cannot be written\n", out.c_str());
        return 1;
    }
    std::printf("%s: %s, %zu times, code %s\n", out.c_str(), key.c_str(),
                signal.capture.times.size(), signal.hex.c_str());
    return 0;
}

} // namespace qv
