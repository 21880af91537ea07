#include "app/analysed_protocol.h"

#include "analysis/catalogue_row.h"
#include "app/format_editor.h"
#include "catalogue/catalogue.h"
#include "platform/paths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace qv {

std::string analysedProtocolName(const std::string& firstFile) {
    return "analysed-" + std::filesystem::path(firstFile).stem().string();
}

bool appendProtocol(const std::string& path, const std::string& name, const std::string& irp) {
    const bool fresh = !std::filesystem::exists(path);
    std::ofstream f(path, std::ios::app);
    if (fresh)
        f << "name\tirp\tdecode-only\tprefer-over\trelative-tolerance\tabsolute-tolerance\t"
             "frequency-tolerance\tfrequency-lower\tfrequency-upper\tminimum-leadout\t"
             "reject-repeatless\tdecodable\talt_name\n";
    f << name << '\t' << irp << std::string(11, '\t') << '\n';
    return static_cast<bool>(f);
}

SavedFormat saveAnalysedFormat(const analysis::Result& result, const std::string& slot,
                               const std::string& source, const std::string& cataloguePath) {
    const auto& slots = userSlots();
    if (std::find(slots.begin(), slots.end(), slot) == slots.end())
        return {SavedFormat::NotUserSlot,
                slot + " is not a user format; only Form155 to Form160 can be written"};
    const analysis::CatalogueRow row = analysis::catalogueRow(result, source);
    if (!row.cannot.empty())
        return {SavedFormat::NotHeld, slot + " not saved: no row field holds " + row.cannot};
    try {
        auto cursor =
            openCatalogue(cataloguePath.empty() ? locateAppFiles().catalogue : cataloguePath);
        if (!cursor->seek(slot))
            return {SavedFormat::Failed, slot + " was not saved: the catalogue has no row for it"};
        cursor->edit();
        try {
            for (const auto& [field, value] : row.fields)
                cursor->setFieldText(field, value);
            cursor->update();
        } catch (...) {
            cursor->cancelEdit();
            throw;
        }
    } catch (const std::exception& e) {
        return {SavedFormat::Failed, slot + " was not saved: " + e.what()};
    }
    return {SavedFormat::Saved, slot + " saved: " + row.fields[1].second};
}

} // namespace qv
