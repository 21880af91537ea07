// The catalogue of formats: one table of rows keyed by format.
#pragma once

#include "platform/table_cursor.h"

#include <memory>
#include <string>

namespace qv {

// Ends the messages about a broken catalogue: how to get the shipped one back.
inline constexpr const char* kRestoreCatalogueAdvice =
    " (to get the shipped catalogue back, delete the file: see the README, \"The format "
    "catalogue\")";

// Opens the catalogue: table "Type" with the columns the program reads and
// its index "idxFormat" on "Format". Throws DatabaseError naming the file
// and what is missing, or the database's message.
std::unique_ptr<TableCursor> openCatalogue(const std::string& path);

} // namespace qv
