#include "app/generate_capture.h"
#include "catalogue/catalogue.h"
#include "engine/row_irp.h"
#include "irp/irp.h"
#include "platform/paths.h"
#include "tools/cli_commands.h"
#include "tools/json_out.h"

#include <cstdio>

namespace qv {

int cmdIrpRow(const std::vector<std::string>& args) {
    std::string key, cataloguePath;
    bool json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = true;
            continue;
        }
        if (i + 1 >= args.size() || (a != "--format" && a != "--catalogue")) {
            std::fprintf(stderr, "quorvel-cli: %s\n",
                         (a == "--format" || a == "--catalogue" ? a + " needs a value"
                                                                : "unknown option " + a)
                             .c_str());
            return 2;
        }
        (a == "--format" ? key : cataloguePath) = args[++i];
    }
    if (key.empty()) {
        std::fprintf(stderr, "quorvel-cli: irp needs --format KEY\n");
        return 2;
    }
    if (cataloguePath.empty()) cataloguePath = locateAppFiles().catalogue;
    engine::RowIrp irp;
    try {
        irp = engine::rowIrp(catalogueRow(cataloguePath, key));
    } catch (const engine::GenerateError& e) {
        std::fprintf(stderr, "quorvel-cli: %s\n", e.what());
        return 1;
    } catch (const DatabaseError& e) {
        std::fprintf(stderr, "quorvel-cli: the catalogue cannot be read: %s\n", e.what());
        return 1;
    }
    // What is printed is IRP the protocol floor reads back.
    if (irp.ok()) try {
            irp::parse(irp.irp);
        } catch (const irp::ParseError& e) {
            irp.field = "Format";
            irp.why = std::string("its IRP does not parse: ") + e.what();
            irp.irp.clear();
        }
    if (json) {
        std::printf("{\"format\": %s", jsonString(key).c_str());
        if (irp.ok()) {
            std::vector<std::string> names;
            for (const auto& [token, name] : irp.parameters)
                names.push_back(name);
            std::printf(", \"irp\": %s, \"parameters\": %s}\n", jsonString(irp.irp).c_str(),
                        jsonArray(names).c_str());
        } else {
            std::printf(", \"field\": %s, \"why\": %s}\n", jsonString(irp.field).c_str(),
                        jsonString(irp.why).c_str());
        }
    } else if (irp.ok()) {
        std::printf("%s\n", irp.irp.c_str());
        for (const auto& [token, name] : irp.parameters)
            if (token != name) std::printf("# %s: the part %s\n", name.c_str(), token.c_str());
    } else {
        std::fprintf(stderr, "quorvel-cli: %s cannot be written as IRP: field \"%s\": %s\n",
                     key.c_str(), irp.field.c_str(), irp.why.c_str());
    }
    return irp.ok() ? 0 : 1;
}

} // namespace qv
